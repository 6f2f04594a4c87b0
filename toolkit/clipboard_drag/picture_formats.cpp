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

struct PackedShape {
    LONG width = 0;
    LONG height = 0;
    UINT rows() const { return static_cast<UINT>(std::labs(height)); }
};

std::optional<PackedShape> PackedShapeOf(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return std::nullopt;
    return PackedShape{bm.bmWidth, bm.bmHeight};
}

// The header in a movable zero-filled block; a 24-bit bitmap has no colour table.
win32::UniqueGlobal AllocateHeaderBlock(const PackedShape& shape) {
    win32::UniqueGlobal block(GlobalAlloc(MovableZeroFilled, InfoHeaderBytes));
    if (!block) return {};
    win32::GlobalLock<BITMAPINFOHEADER> header(block.get());
    if (!header) return {};
    header.get()->biSize = InfoHeaderBytes;
    header.get()->biWidth = shape.width;
    header.get()->biHeight = shape.height;
    header.get()->biPlanes = 1;
    header.get()->biBitCount = PackedBitCount;
    return block;
}

// Lets the platform complete the header and returns the size of the rows it describes.
std::optional<std::uint32_t> CompleteHeader(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape) {
    win32::GlobalLock<BITMAPINFO> info(block);
    if (!info) return std::nullopt;
    BITMAPINFOHEADER& header = info.get()->bmiHeader;
    GetDIBits(dc, bitmap, 0, shape.rows(), nullptr, info.get(), DIB_RGB_COLORS);
    if (header.biSizeImage == 0) {
        const std::optional<std::uint32_t> bytes = PackedImageBytes(PackedBitCount, shape.width, shape.rows());
        if (!bytes) return std::nullopt;
        header.biSizeImage = *bytes;
    }
    return header.biSizeImage;
}

bool GrowBlock(win32::UniqueGlobal& block, SIZE_T bytes) {
    HGLOBAL grown = GlobalReAlloc(block.get(), bytes, MovableZeroFilled);
    if (!grown) return false; // the old block stays valid and owned
    block.release();
    block.reset(grown);
    return true;
}

// Copies every row; a partial copy would hand out a truncated picture.
bool CopyRows(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape) {
    win32::GlobalLock<std::uint8_t> bytes(block);
    if (!bytes) return false;
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes.get());
    return GetDIBits(dc, bitmap, 0, shape.rows(), bytes.get() + InfoHeaderBytes, info, DIB_RGB_COLORS) ==
           static_cast<int>(shape.rows());
}

// The bitmap as a packed device-independent bitmap block, unlocked; null on failure.
win32::UniqueGlobal PackBitmap(HBITMAP bitmap) {
    const std::optional<PackedShape> shape = PackedShapeOf(bitmap);
    if (!shape) return {};
    win32::WindowDc screen(nullptr);
    if (!screen) return {};
    win32::SelectedPalette palette(screen.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    win32::UniqueGlobal block = AllocateHeaderBlock(*shape);
    if (!block) return {};
    const std::optional<std::uint32_t> imageBytes = CompleteHeader(screen.get(), bitmap, block.get(), *shape);
    if (!imageBytes) return {};
    if (!GrowBlock(block, SIZE_T{InfoHeaderBytes} + *imageBytes)) return {};
    if (!CopyRows(screen.get(), bitmap, block.get(), *shape)) return {};
    return block;
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
