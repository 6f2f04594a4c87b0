// The picture's formats, each made afresh for the clipboard or a drop target.
#include "picture_formats.h"

#include "toolkit/core/dib_layout.h"
#include "toolkit/platform/shared_state.h"

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

} // namespace

UINT PngFormat() { return RegisterClipboardFormatW(L"PNG"); }

win32::UniqueGlobal PngBlockOf(const Picture& picture) {
    const EncodedImage& png = picture.png;
    if (png.outcome != EncodedImage::Outcome::Encoded) return {};
    win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, png.bytes.size()));
    if (!block) return {};
    win32::GlobalLock<std::uint8_t> bytes(block.get());
    if (!bytes) return {};
    std::memcpy(bytes.get(), png.bytes.data(), png.bytes.size());
    return block;
}

win32::UniqueGlobal PackedDibOf(const Picture& picture) {
    auto bitmap = FromHandle<HBITMAP>(ImageHandleOf(picture.image));
    return bitmap ? PackBitmap(bitmap) : win32::UniqueGlobal{};
}

win32::UniqueEnhMetafile OutlinesOf(const Picture& picture) {
    auto outlines = static_cast<HENHMETAFILE>(picture.outlines.get());
    return win32::UniqueEnhMetafile(outlines ? CopyEnhMetaFileW(outlines, nullptr) : nullptr);
}

} // namespace detail
} // namespace wexa
