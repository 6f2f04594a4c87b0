#pragma once
// The picture's formats in the one order they are offered, each made afresh for whoever takes
// it: the clipboard keeps what it is given, and a drop target frees what it gets.
#include "toolkit/platform/win32_handles.h"
#include "toolkit/clipboard_drag/picture.h"

#include <ole2.h>
#include <shlobj.h>

#include <string_view>
#include <utility>

namespace wexa::detail {

enum class Offer { Png, Dib, Outlines, FileDescriptor, FileContents };

struct PictureFormat {
    Offer offer;
    const wchar_t* name; // of a registered format; null for a predefined one
    UINT predefined;
    DWORD medium;        // TYMED_...
    LONG index;          // -1, or the file's place in the file group
};

// "PNG" first, for the programs that read it best; then the bitmap, which a program that takes
// the first picture format it knows gets; the vector picture last. The clipboard takes those
// three; a drag offers the PNG as a file after them.
inline constexpr PictureFormat PictureFormats[] = {
    {Offer::Png, L"PNG", 0, TYMED_HGLOBAL, -1},
    {Offer::Dib, nullptr, CF_DIB, TYMED_HGLOBAL, -1},
    {Offer::Outlines, nullptr, CF_ENHMETAFILE, TYMED_ENHMF, -1},
    {Offer::FileDescriptor, CFSTR_FILEDESCRIPTORW, 0, TYMED_HGLOBAL, -1},
    {Offer::FileContents, CFSTR_FILECONTENTS, 0, TYMED_HGLOBAL, 0},
};

UINT FormatIdOf(Offer offer);
// Whether the picture has what the format is made of.
bool Offers(const Picture& picture, Offer offer);

// A medium made for one taker, released with its owner unless it was handed over.
class Medium {
public:
    Medium() = default;
    explicit Medium(const STGMEDIUM& medium) : medium_(medium) {}
    Medium(Medium&& other) noexcept : medium_(std::exchange(other.medium_, {})) {}
    Medium& operator=(Medium&& other) noexcept {
        std::swap(medium_, other.medium_);
        return *this;
    }
    ~Medium() {
        if (medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
    }
    explicit operator bool() const { return medium_.tymed != TYMED_NULL; }
    const STGMEDIUM& get() const { return medium_; }
    STGMEDIUM HandOver() { return std::exchange(medium_, {}); }

private:
    STGMEDIUM medium_{};
};

// The format made of the picture, in a movable block or as a metafile; none when it cannot be made.
Medium MediumOf(const Picture& picture, Offer offer, std::u16string_view fileName);

} // namespace wexa::detail
