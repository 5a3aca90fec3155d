#include "engine/recorded_delete.h"

#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/error.h"
#include "platform/files.h"

#include <string>

namespace tavo {

int DeleteRecorded(std::string_view path, std::string_view reason) {
    const int result = DeleteUnlessProgram(path);
    RunLog& log = CurrentRunLog();
    if (result == 1) {
        if (plat::FileAttributes(path) != plat::kInvalidAttributes) log.Record(RunEvent::Kept, path, "program file");
        else log.Record(RunEvent::Skipped, path, "nothing to delete");
    } else if (result == 0) {
        log.Record(RunEvent::Deleted, path, reason);
    } else {
        const std::uint32_t error = plat::LastError();
        if (error == plat::kErrorFileNotFound || error == plat::kErrorPathNotFound) {
            log.Record(RunEvent::Skipped, path, "nothing to delete");
        } else {
            log.Record(RunEvent::Failed, path, "delete failed (" + std::string(reason) + "), error " +
                                                   std::to_string(error));
        }
    }
    return result;
}

} // namespace tavo
