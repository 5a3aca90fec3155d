#include "engine/copy.h"

#include "engine/folder_state.h"
#include "engine/launcher_handoff.h"
#include "engine/multi_instance_merge.h"
#include "engine/recorded_delete.h"
#include "engine/run_log.h"
#include "engine/utilities.h"
#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo {

namespace {

std::string WithSeparator(std::string_view folder) {
    std::string text(folder);
    if (!text.empty() && text.back() != '\\' && text.back() != '/') text += '\\';
    return text;
}

std::string UpperFull(std::string_view path) {
    return plat::UpperAscii(plat::FullWindowsPath(path));
}

std::string ErrorText(std::string_view what, std::uint32_t error) {
    return std::string(what) + ", error " + std::to_string(error);
}

// The outcome of a copy that failed with `error`: what CopyOneFile records and returns for it.
int RecordFailedCopy(std::string_view source, std::string_view destination, std::uint32_t error,
                     int removeOnFailure) {
    RunLog& log = CurrentRunLog();
    // One file named twice (the package folder is the program folder): it is already in place,
    // and it must not be removed as the remains of a failed copy.
    if (error == plat::kErrorSharingViolation) {
        log.Record(RunEvent::Kept, destination, "source and destination are one file");
        return 1;
    }
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    if (!plat::FileAttributesEx(source, &attributes, &size)) {
        // The live state follows the package: a file the source lacks goes from the destination.
        if (removeOnFailure)
            DeleteRecorded(destination, "its source is missing");
        else
            log.Record(RunEvent::Skipped, source, "source missing");
        return 1;
    }
    if (attributes & plat::kAttrDirectory) {
        log.Record(RunEvent::Skipped, source, "names a folder, not a file");
        return 1;
    }
    // The copy left no partial file and the previous destination as it was: nothing to clean up.
    log.Record(RunEvent::Failed, destination,
               ErrorText("copy from " + std::string(source) + " failed", error));
    return size == 0 ? 1 : 0;
}

// CopyOneFile once the destination's folder has been seen to. The copy is tried first: the
// source's status is needed only to tell why it failed.
int CopyIntoFolder(std::string_view source, std::string_view destination, int failIfExists,
                   int removeOnFailure) {
    if (plat::CopyFileTo(source, destination, failIfExists != 0)) {
        CurrentRunLog().Record(RunEvent::Copied, destination, source);
        return 1;
    }
    return RecordFailedCopy(source, destination, plat::LastError(), removeOnFailure);
}

// The files of one tree copy: those that replace a file reach the disk in batches, each with one
// flush, and are recorded when their batch lands.
class TreeFiles {
  public:
    TreeFiles() = default;
    TreeFiles(const TreeFiles&) = delete;
    TreeFiles& operator=(const TreeFiles&) = delete;

    // CopyIntoFolder of a file of the tree: overwriting, and removing a destination whose source is gone.
    void Copy(const std::string& source, const std::string& destination) {
        plat::ReplacingCopies::Result result = batch_.Add(source, destination);
        // Waiting temporaries take room beside the files they replace: on a full disk they land first,
        // and the copy gets the room a copy on its own would have had.
        if (result == plat::ReplacingCopies::Result::Failed && plat::LastError() == plat::kErrorDiskFull &&
            !waiting_.empty()) {
            Commit();
            result = batch_.Add(source, destination);
        }
        switch (result) {
        case plat::ReplacingCopies::Result::Copied:
            CurrentRunLog().Record(RunEvent::Copied, destination, source);
            break;
        case plat::ReplacingCopies::Result::Waiting:
            waiting_.push_back({source, destination});
            if (batch_.Full()) Commit();
            break;
        case plat::ReplacingCopies::Result::Failed:
            RecordFailedCopy(source, destination, plat::LastError(), 1);
            break;
        }
    }

    // Lands the waiting copies and records each.
    void Commit() {
        if (waiting_.empty()) return;
        const std::vector<std::uint32_t> errors = batch_.Commit();
        for (std::size_t i = 0; i < waiting_.size(); ++i) {
            const auto& [source, destination] = waiting_[i];
            if (errors[i] != plat::kErrorSuccess)
                RecordFailedCopy(source, destination, errors[i], 1);
            else
                CurrentRunLog().Record(RunEvent::Copied, destination, source);
        }
        waiting_.clear();
    }

  private:
    plat::ReplacingCopies batch_;
    std::vector<std::pair<std::string, std::string>> waiting_;
};

int CopyTree(const std::string& destination, const std::string& source, const std::string& walkRoot,
             TreeFiles& files) {
    RunLog& log = CurrentRunLog();
    if (!IsFolder(source)) {
        log.Record(RunEvent::Skipped, source, "no such folder");
        return 0;
    }
    if (!MakeFolder(destination) || !plat::CanListFolder(destination)) {
        log.Record(RunEvent::Failed, destination, ErrorText("cannot create the folder", plat::LastError()));
        return 0;
    }
    const auto entries = plat::ListFiles(source + "*.*");
    if (!entries) {
        log.Record(RunEvent::Failed, source, ErrorText("cannot list the folder", plat::LastError()));
        return 0;
    }
    for (const plat::FoundFile& entry : *entries) {
        if (entry.name == "." || entry.name == "..") continue;
        const std::string from = source + entry.name;
        if ((entry.attributes & plat::kAttrDirectory) == 0) {
            files.Copy(from, destination + entry.name);
            continue;
        }
        // A link leads into another tree; the destination inside its own source would grow forever.
        if (entry.attributes & plat::kAttrReparsePoint) {
            log.Record(RunEvent::Skipped, from, "link to a folder");
            continue;
        }
        const std::string sub = from + '\\';
        if (UpperFull(sub) == walkRoot) {
            log.Record(RunEvent::Skipped, sub, "the destination of this copy");
            continue;
        }
        const std::string to = destination + entry.name + '\\';
        if (EnsurePathFolders(to)) {
            CopyTree(to, sub, walkRoot, files);
        } else {
            log.Record(RunEvent::Failed, to, ErrorText("cannot create the folder", plat::LastError()));
        }
    }
    return 1;
}

} // namespace

int CopyOneFile(std::string_view source, std::string_view destination, int failIfExists,
                int removeOnFailure) {
    const std::size_t cut = destination.find_last_of("\\/");
    if (cut != std::string_view::npos) EnsurePathFolders(destination.substr(0, cut + 1));
    if (plat::LowerAscii(source).find("orvuserdefine.ini") != std::string::npos) {
        // The launcher button follows the applications the copy brings.
        const UserDefineCopy userDefine(source, destination);
        const int result = CopyIntoFolder(source, destination, failIfExists, removeOnFailure);
        userDefine.Report();
        return result;
    }
    if (TakesMultiInstanceMerge(source)) return MergeMultiInstanceIni(source, destination);
    return CopyIntoFolder(source, destination, failIfExists, removeOnFailure);
}

int CopyFolderTree(std::string_view destination, std::string_view source) {
    // A folder named without its closing '\' is still the folder, never the prefix of its names.
    const std::string to = WithSeparator(destination);
    TreeFiles files;
    const int result = CopyTree(to, WithSeparator(source), UpperFull(to), files);
    files.Commit();
    return result;
}

} // namespace tavo
