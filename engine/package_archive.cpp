#include "engine/package_archive.h"

#include "engine/path_roots.h"
#include "engine/progress.h"
#include "engine/run_log.h"
#include "platform/error.h"
#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tavo {

namespace {

constexpr std::size_t kFolderField = 260;
constexpr std::size_t kNameField = 128;

struct ArchiveEntry {
    std::string fullPath;
    std::string relativeName;
};

struct OpenArchive {
    std::string before; // the file's bytes when it was opened
    std::string tempFolder;
    std::vector<ArchiveEntry> entries;
};

std::string& ArchivePath() {
    static std::string path;
    return path;
}

std::optional<OpenArchive>& Current() {
    static std::optional<OpenArchive> archive;
    return archive;
}

void AppendUint32(std::string& bytes, std::uint64_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

// A NUL-terminated text in a field of `room` bytes; the caller has checked that it fits.
void AppendField(std::string& bytes, std::string_view text, std::size_t room) {
    bytes += text;
    bytes.append(room - text.size(), '\0');
}

void RecordFailure(std::string_view path, std::string_view why) {
    CurrentRunLog().Record(RunEvent::Failed, path, why);
}

std::string FolderOf(std::string_view path) {
    const std::size_t cut = path.rfind('\\');
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

} // namespace

void SetPackageArchivePath(std::string path) {
    ArchivePath() = std::move(path);
}

const std::string& PackageArchivePath() {
    return ArchivePath();
}

bool PackageArchiveIsOpen() {
    return Current().has_value();
}

int OpenPackageArchive(std::string_view tempFolder) {
    const std::string& path = ArchivePath();
    if (path.empty()) return 0;
    if (Current()) return 1;
    if (tempFolder.size() >= kFolderField) {
        RecordFailure(path, "the temporary folder does not fit the archive's index");
        return 0;
    }
    const std::uint32_t folder = plat::FileAttributes(FolderOf(path));
    if (folder == plat::kInvalidAttributes || !(folder & plat::kAttrDirectory)) {
        RecordFailure(path, "the archive's folder does not exist");
        return 0;
    }
    OpenArchive archive;
    archive.tempFolder = tempFolder;
    const std::uint32_t attributes = plat::FileAttributes(path);
    if (attributes != plat::kInvalidAttributes) {
        std::optional<std::string> bytes;
        if (!(attributes & plat::kAttrDirectory)) bytes = plat::ReadFileBytes(path);
        if (!bytes) {
            RecordFailure(path, "the archive cannot be read, error " + std::to_string(plat::LastError()));
            return 0;
        }
        // The archive ends with its former length, which has room for 32 bits only.
        if (bytes->size() > UINT32_MAX) {
            RecordFailure(path, "the archive is too large to be extended");
            return 0;
        }
        archive.before = std::move(*bytes);
    }
    Current() = std::move(archive);
    return 1;
}

int AddArchiveFile(std::string_view fullPath, std::string_view relativeName) {
    if (!Current()) return 0;
    if (relativeName.size() >= kNameField) {
        RecordFailure(fullPath, "the name does not fit the archive's index");
        return 0;
    }
    Current()->entries.push_back({std::string(fullPath), std::string(relativeName)});
    return 1;
}

ArchiveResult FinishPackageArchive() {
    std::optional<OpenArchive> archive = std::move(Current());
    Current().reset();
    if (!archive) return ArchiveResult::Failed;
    const std::string& path = ArchivePath();

    // Contents are read first, so that the index lists exactly the files the archive holds.
    std::string headers;
    std::string contents;
    std::uint64_t count = 0;
    for (const ArchiveEntry& entry : archive->entries) {
        StepProgress();
        const std::optional<std::string> bytes = plat::ReadFileBytes(entry.fullPath);
        if (!bytes || bytes->size() > UINT32_MAX) {
            RecordFailure(entry.fullPath, "left out of the archive: it cannot be read");
            continue;
        }
        AppendUint32(headers, bytes->size());
        AppendField(headers, entry.relativeName, kNameField);
        contents += *bytes;
        ++count;
    }

    const std::uint64_t length = archive->before.size();
    std::string bytes = std::move(archive->before);
    AppendField(bytes, archive->tempFolder, kFolderField);
    AppendUint32(bytes, count);
    bytes += headers;
    bytes += contents;
    AppendUint32(bytes, length);

    // The new file is written beside the old one before it replaces it: it needs room for all of it.
    std::array<std::uint64_t, 4>& counters = SpaceCounters();
    counters[0] += bytes.size();
    std::uint64_t freeRoom = 0;
    if (!plat::DiskFreeSpace(FolderOf(path), &freeRoom, nullptr, nullptr)) freeRoom = 0;
    counters[1] = freeRoom;
    if (counters[0] > counters[1]) return ArchiveResult::NoRoom;
    if (!plat::WriteFileAtomic(path, bytes)) {
        RecordFailure(path, "the archive cannot be written, error " + std::to_string(plat::LastError()));
        return ArchiveResult::Failed;
    }
    CurrentRunLog().Record(RunEvent::Copied, path);
    return ArchiveResult::Written;
}

void ResetPackageArchive() {
    Current().reset();
}

} // namespace tavo
