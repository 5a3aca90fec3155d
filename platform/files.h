#pragma once
// Win32 file operations on Windows-form paths: each returns its result and sets the last error
// (error.h) to the Win32 code of a failure.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum : std::uint32_t {
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kAttrReparsePoint = 0x400, // a symbolic link; walkers never descend into one
    kInvalidAttributes = 0xFFFFFFFFu,
};

// Attributes of a file or folder, or kInvalidAttributes (last error 2 or 3). A folder may be named
// with a trailing '\'. The read-only attribute is a host entry without any write permission bit.
std::uint32_t FileAttributes(std::string_view path);
// GetFileAttributesEx: the attributes and the size (0 for a folder) of a file or folder; false with
// the last error FileAttributes would set. Either pointer may be null.
bool FileAttributesEx(std::string_view path, std::uint32_t* attributes, std::uint64_t* size);
// Sets or clears the read-only attribute (the only one the host keeps).
bool SetFileAttributesTo(std::string_view path, std::uint32_t attributes);

// Copies a file as CopyFile does: fails with 80 when failIfExists and the destination exists, 5
// when the destination is read-only, 32 when source and destination are one file (nothing is
// touched), 2/3 for a missing source. Attributes (read-only bit) and the last-write time go with
// the data. The data is written to a temporary file in the destination folder and renamed, so a
// failed copy leaves no partial file and the previous destination intact.
bool CopyFileTo(std::string_view source, std::string_view destination, bool failIfExists);

// Many copies with overwrite, whose replaced files reach the disk together: flushing each replaced
// file on its own costs one wait for the disk per file. A copy onto a missing destination goes
// straight in, as CopyFileTo does. A copy onto an existing file writes its temporary file and waits:
// its destination stays as it was until Commit puts every waiting temporary on disk with one flush
// of each file system and only then renames each over its destination. A failure or a kill at any
// moment leaves each destination wholly old or wholly new; temporaries are never listed, and a
// failed flush or rename, or a batch destroyed before Commit, removes them.
class ReplacingCopies {
  public:
    enum class Result {
        Copied,  // a new file, in place
        Waiting, // a replacing copy, in place once Commit reports it
        Failed,  // as CopyFileTo would fail, with its last error; nothing touched
    };

    ReplacingCopies();
    ~ReplacingCopies();
    ReplacingCopies(const ReplacingCopies&) = delete;
    ReplacingCopies& operator=(const ReplacingCopies&) = delete;

    // CopyFileTo(source, destination, false) within the batch.
    Result Add(std::string_view source, std::string_view destination);
    // True once the waiting copies hold as much extra disk space, or as many files, as a batch
    // should: their temporaries take room beside the files they replace until Commit.
    bool Full() const;
    // For each waiting copy, in the order of Add: 0 when it is in place, else the Win32 error (its
    // temporary removed, its destination as it was). Nothing is waiting afterwards.
    std::vector<std::uint32_t> Commit();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// MoveFileEx with MOVEFILE_REPLACE_EXISTING for a file on one drive: renamed over the destination
// whole or not at all. Fails with 5 onto a folder or a read-only file, 2/3 for a missing source, 17
// across drives.
bool MoveFileReplacing(std::string_view source, std::string_view destination);

// Deletes one file as DeleteFile does: never a folder (5), never a read-only file (5); a link is
// removed itself, never its target.
bool RemoveFile(std::string_view path);

struct FoundFile {
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// Lists a folder as FindFirstFile/FindNextFile do for a pattern "folder\mask" ("*.*", "*", "*.ini",
// "name"): "." and ".." first outside a drive root, then matching names in case-insensitive order.
// Returns nullopt with last error 2 (no match) or 3 (missing folder). Host names that cannot
// exist on Windows are not listed.
std::optional<std::vector<FoundFile>> ListFiles(std::string_view pattern);

// True when a listing of the folder could start (FindFirstFile of folder + "*.*" would open it),
// without reading its names: for callers that only ask whether a folder is there to be listed.
// False with the error the listing would give (3 for a missing folder or a file in its place).
bool CanListFolder(std::string_view folder);

// Creates a folder and all missing parents: SHCreateDirectoryEx's result code (0, 183 when it
// already exists, 161 for a relative path, 3 for a bad component, 206 when too long, 5 when a
// file is in the way or the host refuses).
std::uint32_t CreateFolderChain(std::string_view path);

// GetDiskFreeSpaceEx for any folder on the volume.
bool DiskFreeSpace(std::string_view path, std::uint64_t* availableToCaller, std::uint64_t* total,
                   std::uint64_t* totalFree);

// Whole-file helpers for the platform's own stores (not Win32 calls). WriteFileAtomic replaces the
// file through a temporary file in the same folder and a rename, after the data is on disk.
std::optional<std::string> ReadFileBytes(std::string_view path);
// The first `count` bytes of a file (fewer when the file is shorter), for callers that look only
// at a file's header and must not read a huge file whole.
std::optional<std::string> ReadFileStart(std::string_view path, std::size_t count);
bool WriteFileAtomic(std::string_view path, std::string_view bytes);

} // namespace plat
