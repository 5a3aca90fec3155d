#include "catalogue/selection_code.h"

namespace tavo {

int SelectionCodeFromKeyword(std::string_view keyword) {
    if (keyword == "_SELECT_UNCHECK_") return kCodeUnchecked;
    if (keyword == "_SELECT_CHECK_") return kCodeChecked;
    if (keyword == "_SELECT_DISABLE_UNCHECK_") return kCodeDisabledUnchecked;
    if (keyword == "_SELECT_DISABLE_CHECK_") return kCodeDisabledChecked;
    return 0;
}

int ImageForSelectionCode(int code) {
    switch (code) {
    case kCodeChecked:
        return kImageChecked;
    case kCodeDisabledChecked:
        return kImageGreyedChecked;
    default:
        return kImageGreyed;
    }
}

} // namespace tavo
