#pragma once
#include "toolkit/handles.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wexa {

inline constexpr std::int64_t NothingAtPath = -1;
inline constexpr std::int64_t FolderAtPath = -2;

// -1 when nothing exists at the path, -2 for a folder or a drive root, else the size.
std::int64_t QueryFileSize(std::u16string_view path);

// Asks for any free file number: the returned handle is then the file's only name.
inline constexpr int AnyFreeNumber = -1;

// Creates (or truncates) the file for writing through a 4096-byte buffer. Null on failure.
FileHandle CreateOutputFile(int number, std::u16string_view path);
// Returns the number of bytes written; blocks of at least the buffer's size bypass it.
std::size_t WriteBlock(FileHandle file, const void* bytes, std::size_t length);
// Writes what is buffered and closes; true when every byte reached the file.
bool CloseOutputFile(FileHandle file);
// Deletes a file; true when it is gone.
bool DeleteFileAt(std::u16string_view path);

} // namespace wexa
