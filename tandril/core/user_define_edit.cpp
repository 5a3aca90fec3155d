#include "tandril/core/user_define_edit.h"

#include "platform/operator.h"

#include <optional>
#include <utility>

namespace tandril {

UserDefineEdit::UserDefineEdit(EditMode mode, UserDefineEntry values)
    : mode_(mode), values_(std::move(values)), openingName_(values_.application) {}

void UserDefineEdit::SetApplication(std::string_view name) {
    values_.application = std::string(name.substr(0, kApplicationLimit));
}

void UserDefineEdit::SetParam(std::string_view param) {
    values_.param = std::string(param.substr(0, kParamLimit));
}

bool UserDefineEdit::ChooseFile(plat::Operator& op) {
    const std::size_t cut = values_.file.rfind('\\');
    const std::string initialFolder =
        cut == std::string::npos ? std::string() : values_.file.substr(0, cut + 1);
    const std::optional<std::string> chosen = op.PromptFile(openingName_, initialFolder, kFileFilter);
    if (!chosen || chosen->empty() || chosen->size() > kFileLimit) return false;
    values_.file = *chosen;
    return true;
}

} // namespace tandril
