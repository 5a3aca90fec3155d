#pragma once
// The package archive: one file, named by the operator, that gathers what a packup produces beside
// the package's mirrored names (the exported password store, saved registry hives) behind a small
// index. With no archive path set the archive stage does not run and the package folder alone is
// the package.
//
// Layout; every number is 32-bit little-endian:
//   the L bytes the file held before the packup (0 for a new file)
//   260 bytes: the temporary folder, NUL-terminated
//   the number of entries
//   per entry: its size, then 128 bytes with its relative name, NUL-terminated
//   the entries' contents, in the same order
//   L
//
// The archive is written whole at the end of the walk, through a temporary file and a rename: a
// packup that fails or is killed leaves the file as it was.
#include <string>
#include <string_view>

namespace tavo {

// Windows form; empty (the default): no archive.
void SetPackageArchivePath(std::string path);
const std::string& PackageArchivePath();

// Opens the archive for the current packup: notes its length and the temporary folder the index
// records. 1 when the archive is open (also when it already was), 0 when no path is set, the file
// cannot be read or the temporary folder does not fit its field.
int OpenPackageArchive(std::string_view tempFolder);
bool PackageArchiveIsOpen();

// Registers a file whose content the archive takes, with the name the index gives it (the
// registry kinds pass a saved hive's full path and "Reg\" + its file name). 1 when registered; 0
// when no archive is open or the name does not fit its field (it is never cut short).
int AddArchiveFile(std::string_view fullPath, std::string_view relativeName);

enum class ArchiveResult {
    Written, // the archive holds the entries (a file that could not be read is left out of it)
    NoRoom,  // the archive's drive has too little room: the file is left as it was
    Failed,  // the archive could not be written: the file is left as it was
};

// Writes the open archive and closes it. Adds the size of the finished archive to the first space
// counter and compares the total with the free room of the archive's drive, kept in the second.
// Steps the progress bar once per registered file.
ArchiveResult FinishPackageArchive();

// Closes the archive without writing it and forgets its entries; the commands do this before every
// packup.
void ResetPackageArchive();

} // namespace tavo
