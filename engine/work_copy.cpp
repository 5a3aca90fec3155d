#include "engine/work_copy.h"

#include "engine/run_log.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace tavo {

WorkCopy::WorkCopy(std::string_view name) : path_(plat::TempFolder() + std::string(name)) {
    // A leftover of an earlier run must not be taken for this run's copy.
    plat::RemoveFile(path_);
}

WorkCopy::~WorkCopy() {
    if (!plat::RemoveFile(path_) && plat::LastError() != plat::kErrorFileNotFound)
        CurrentRunLog().Record(RunEvent::Failed, path_,
                               "cannot delete the work copy, error " + std::to_string(plat::LastError()));
}

} // namespace tavo
