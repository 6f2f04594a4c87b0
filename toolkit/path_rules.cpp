#include "toolkit/path_rules.h"

#include <limits>

namespace wexa {
namespace {

constexpr bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}
constexpr bool IsLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// "\\?\" and "\\.\" (or with slashes) start a device path whose "?" or "." is no wildcard.
bool HasDevicePrefix(std::u16string_view path) {
    return path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == u'?' || path[2] == u'.') &&
           IsSeparator(path[3]);
}

// A path that a directory lookup cannot find may still be a share or a device.
std::int64_t SizeOfUnlisted(const std::u16string& trimmed, PathFacts& facts) {
    switch (facts.AttributesOf(trimmed)) {
    case PathFacts::Attributes::Folder:
        return FolderAtPath;
    case PathFacts::Attributes::Other:
        return NothingAtPath;
    case PathFacts::Attributes::Missing:
        break;
    }
    return facts.IsDrive(RootOf(trimmed)) ? FolderAtPath : NothingAtPath;
}

std::int64_t SizeOfListed(const std::u16string& trimmed, PathFacts& facts) {
    if (std::optional<PathFacts::Entry> entry = facts.Find(trimmed))
        return entry->folder ? FolderAtPath : SizeFromHalves(entry->sizeHigh, entry->sizeLow);
    return HasDoublePrefix(trimmed) ? SizeOfUnlisted(trimmed, facts) : NothingAtPath;
}

} // namespace

bool IsUsablePath(std::u16string_view path) {
    return !path.empty() && path.find(u'\0') == std::u16string_view::npos;
}

std::u16string TrimTrailingSeparators(std::u16string_view path) {
    while (!path.empty() && IsSeparator(path.back()))
        path.remove_suffix(1);
    return std::u16string(path);
}

bool IsBareDrive(std::u16string_view trimmed) {
    return trimmed.size() == 2 && IsLetter(trimmed[0]) && trimmed[1] == u':';
}

bool HasDoublePrefix(std::u16string_view path) {
    return path.size() >= 2 && path[0] == path[1] && (path[0] == u'\\' || path[0] == u'/' || path[0] == u'.');
}

bool HasWildcard(std::u16string_view path) {
    if (HasDevicePrefix(path))
        path.remove_prefix(4);
    return path.find_first_of(u"*?") != std::u16string_view::npos;
}

std::u16string RootOf(std::u16string_view trimmed) {
    return std::u16string(trimmed) + u'\\';
}

std::int64_t SizeFromHalves(std::uint32_t high, std::uint32_t low) {
    std::uint64_t size = (std::uint64_t{high} << 32) | low;
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(size > largest ? largest : size);
}

std::int64_t SizeAtPath(std::u16string_view path, PathFacts& facts) {
    if (!IsUsablePath(path))
        return NothingAtPath;
    std::u16string trimmed = TrimTrailingSeparators(path);
    if (trimmed.empty() || HasWildcard(trimmed))
        return NothingAtPath;
    // A bare drive is asked about, and checked, as its root "d:\".
    bool bareDrive = IsBareDrive(trimmed);
    std::u16string asked = bareDrive ? RootOf(trimmed) : trimmed;
    std::int64_t result =
        bareDrive ? (facts.IsDrive(asked) ? FolderAtPath : NothingAtPath) : SizeOfListed(trimmed, facts);
    if (result != NothingAtPath && !facts.Exists(asked))
        return NothingAtPath;
    return result;
}

} // namespace wexa
