#pragma once
// How QueryFileSize reads a path, apart from the platform calls that answer its questions,
// so that the rules build and are tested everywhere.
#include "toolkit/files.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wexa {

// The platform's answers about one path; the Toolkit gives them with its file calls.
class PathFacts {
public:
    struct Entry {
        bool folder = false;
        std::uint32_t sizeHigh = 0;
        std::uint32_t sizeLow = 0;
    };
    enum class Attributes { Missing, Folder, Other };

    virtual ~PathFacts() = default;
    // True when the root names a drive: a drive type other than unknown and "no root".
    virtual bool IsDrive(std::u16string_view root) = 0;
    // The directory entry a lookup of the exact path finds, if any.
    virtual std::optional<Entry> Find(std::u16string_view path) = 0;
    virtual Attributes AttributesOf(std::u16string_view path) = 0;
    virtual bool Exists(std::u16string_view path) = 0;
};

// Not empty and without an embedded NUL, which would cut the path short at the platform.
bool IsUsablePath(std::u16string_view path);
// A copy of the path without its trailing "\" and "/" characters.
std::u16string TrimTrailingSeparators(std::u16string_view path);
// "d:", the form a bare drive ("d:" or "d:\") takes once trimmed.
bool IsBareDrive(std::u16string_view trimmed);
// Begins with two backslashes, two slashes or two dots.
bool HasDoublePrefix(std::u16string_view path);
// "*" or "?" anywhere but in a "\\?\" or "\\.\" prefix: no file has such a name.
bool HasWildcard(std::u16string_view path);
// The path with one "\" appended, the form the drive-type query wants.
std::u16string RootOf(std::u16string_view trimmed);
// A size from its two 32-bit halves; never negative, so it cannot pass for -1 or -2.
std::int64_t SizeFromHalves(std::uint32_t high, std::uint32_t low);

// NothingAtPath, FolderAtPath or the file's size, by the rules of QueryFileSize.
std::int64_t SizeAtPath(std::u16string_view path, PathFacts& facts);

} // namespace wexa
