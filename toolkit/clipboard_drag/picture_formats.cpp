// The picture's formats, each made afresh of what the picture owns or shares, for the clipboard
// or a drop target.
#include "picture_formats.h"

#include "toolkit/core/dib_layout.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace wexa {

void MetafileRelease::operator()(void* metafile) const { DeleteEnhMetaFile(static_cast<HENHMETAFILE>(metafile)); }

namespace detail {
namespace {

inline constexpr UINT MovableZeroFilled = GMEM_MOVEABLE | GMEM_ZEROINIT;
// The image table holds 24-bit pictures only; GetDIBits converts any bitmap to this depth.
inline constexpr WORD PackedBitCount = 24;

// The bitmap as a packed device-independent bitmap block, unlocked; null on failure. The
// header is filled in as the platform completes it for a 24-bit bitmap, which has no colour table.
win32::UniqueGlobal PackBitmap(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return {};
    const auto rows = static_cast<UINT>(std::labs(bm.bmHeight));
    const std::optional<std::uint32_t> imageBytes = PackedImageBytes(PackedBitCount, bm.bmWidth, rows);
    win32::WindowDc screen(nullptr);
    if (!imageBytes || !screen) return {};
    win32::SelectedPalette palette(screen.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    win32::UniqueGlobal block(GlobalAlloc(MovableZeroFilled, SIZE_T{InfoHeaderBytes} + *imageBytes));
    win32::GlobalLock<BITMAPINFO> info(block.get());
    if (!info) return {};
    info.get()->bmiHeader = {InfoHeaderBytes, bm.bmWidth, bm.bmHeight, 1, PackedBitCount, BI_RGB, *imageBytes};
    auto* pixels = reinterpret_cast<std::uint8_t*>(info.get()) + InfoHeaderBytes;
    // Every row is copied; a partial copy would hand out a truncated picture.
    const int copied = GetDIBits(screen.get(), bitmap, 0, rows, pixels, info.get(), DIB_RGB_COLORS);
    return copied == static_cast<int>(rows) ? std::move(block) : win32::UniqueGlobal{};
}

// The PNG bytes in a movable block; null when the picture has none.
win32::UniqueGlobal PngBlockOf(const EncodedImage& png) {
    if (png.outcome != EncodedImage::Outcome::Encoded) return {};
    win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, png.bytes.size()));
    win32::GlobalLock<std::uint8_t> bytes(block.get());
    if (!bytes) return {};
    std::memcpy(bytes.get(), png.bytes.data(), png.bytes.size());
    return block;
}

// The PNG as the one file of a file group: its name and size.
win32::UniqueGlobal FileDescriptorOf(std::u16string_view name, std::size_t bytes) {
    win32::UniqueGlobal block(GlobalAlloc(MovableZeroFilled, sizeof(FILEGROUPDESCRIPTORW)));
    win32::GlobalLock<FILEGROUPDESCRIPTORW> group(block.get());
    if (!group) return {};
    group.get()->cItems = 1;
    FILEDESCRIPTORW& file = group.get()->fgd[0];
    file.dwFlags = FD_FILESIZE | FD_PROGRESSUI;
    file.nFileSizeLow = static_cast<DWORD>(bytes);
    file.nFileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(bytes) >> 32);
    name.copy(reinterpret_cast<char16_t*>(file.cFileName), MAX_PATH - 1);
    return block;
}

} // namespace

UINT FormatIdOf(Offer offer) {
    const PictureFormat& format = *std::ranges::find(PictureFormats, offer, &PictureFormat::offer);
    return format.name ? RegisterClipboardFormatW(format.name) : format.predefined;
}

bool Offers(const Picture& picture, Offer offer) {
    switch (offer) {
    case Offer::Dib:
        return static_cast<bool>(picture.pixels);
    case Offer::Outlines:
        return static_cast<bool>(picture.outlines);
    case Offer::Png:
    case Offer::FileDescriptor:
    case Offer::FileContents:
        break;
    }
    return picture.png.outcome == EncodedImage::Outcome::Encoded;
}

Medium MediumOf(const Picture& picture, Offer offer, std::u16string_view fileName) {
    STGMEDIUM made{TYMED_HGLOBAL};
    switch (offer) {
    case Offer::Png:
    case Offer::FileContents:
        made.hGlobal = PngBlockOf(picture.png).release();
        break;
    case Offer::Dib:
        made.hGlobal = picture.pixels ? PackBitmap(static_cast<HBITMAP>(picture.pixels.get())).release() : nullptr;
        break;
    case Offer::Outlines:
        made.tymed = TYMED_ENHMF;
        made.hEnhMetaFile =
            picture.outlines ? CopyEnhMetaFileW(static_cast<HENHMETAFILE>(picture.outlines.get()), nullptr) : nullptr;
        break;
    case Offer::FileDescriptor:
        made.hGlobal = FileDescriptorOf(fileName, picture.png.bytes.size()).release();
        break;
    }
    if (!made.hGlobal) made.tymed = TYMED_NULL; // the same place as hEnhMetaFile
    return Medium(made);
}

} // namespace detail

Picture PictureOfImage(int number) { return {EncodeImagePng(number), detail::ShareImageBitmap(number), {}}; }

} // namespace wexa
