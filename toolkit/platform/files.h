#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace wexa {

inline constexpr std::int64_t NothingAtPath = -1;
inline constexpr std::int64_t FolderAtPath = -2;

// -1 when nothing exists at the path, -2 for a folder or a drive root, else the size.
std::int64_t QueryFileSize(std::u16string_view path);

// Not empty and without an embedded NUL, which would cut the path short at the platform.
bool IsUsablePath(std::u16string_view path);

// What writing a whole file did, for telling the user why a picture was not saved.
enum class FileWriteOutcome {
    Written,
    NoImage,       // there was nothing to write (an empty line), or no path was given
    FolderMissing, // the folder, or its drive, is not there (or the drive has no medium)
    AccessDenied,  // writing there is not allowed
    FileLocked,    // another program has the file open
    WriteFailed,   // opened, but not written completely (a full disk, an encoding error)
};

// Creates (or empties) the file and writes all the bytes in one call, with read and write
// access that no other program shares meanwhile; a file that cannot be created anew (a
// hidden one) is emptied and written by a second, plainer attempt. Its folder is never made;
// a file that could not be written completely is removed, so that no broken file stands in
// for the whole.
FileWriteOutcome WriteWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes);

// Replaces the file with the bytes whole, or leaves it as it was: they are written to a
// temporary file beside it (PATH.<process>.tmp), flushed, and moved over it in one step. A
// temporary file that a crash left there is removed first, and a failed write removes its own.
// A write-protected file, and one that another program holds open, is not replaced. Its folder
// is never made.
FileWriteOutcome ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes);

} // namespace wexa
