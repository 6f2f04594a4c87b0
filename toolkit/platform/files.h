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

// Alone, as the font file is written: read and write access that no other program shares
// while it is written, and a second, plainer attempt that empties a file which cannot be
// created anew (a hidden one). Shared, as the picture is: write access, and other programs
// may read and write the file meanwhile, as a viewer of the last picture does.
enum class FileSharing { Alone, Shared };

// Creates (or empties) the file and writes all the bytes in one call. Its folder is never
// made; a file that could not be written completely is removed, so that no broken file
// stands in for the whole.
FileWriteOutcome WriteWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes, FileSharing sharing);

} // namespace wexa
