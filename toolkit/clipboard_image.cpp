#include "toolkit/clipboard.h"

#include "toolkit/detail/clipboard_access.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/dib_layout.h"
#include "toolkit/images.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace wexa {
namespace {

inline constexpr UINT MovableZeroFilled = GMEM_MOVEABLE | GMEM_ZEROINIT;

struct PackedShape {
    LONG width = 0;
    LONG height = 0;
    WORD bitCount = 0;
    std::uint32_t colourTableBytes = 0;
    UINT rows() const { return static_cast<UINT>(std::labs(height)); }
};

std::optional<PackedShape> PackedShapeOf(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return std::nullopt;
    PackedShape shape{bm.bmWidth, bm.bmHeight, static_cast<WORD>(PackedBitCount(bm.bmPlanes, bm.bmBitsPixel))};
    shape.colourTableBytes = ColourTableBytes(InfoHeaderBytes, 0, shape.bitCount);
    return shape;
}

// The header and an empty colour table, in a movable zero-filled block.
win32::UniqueGlobal AllocateHeaderBlock(const PackedShape& shape) {
    win32::UniqueGlobal block(GlobalAlloc(MovableZeroFilled, InfoHeaderBytes + shape.colourTableBytes));
    if (!block) return {};
    win32::GlobalLock<BITMAPINFOHEADER> header(block.get());
    if (!header) return {};
    header.get()->biSize = InfoHeaderBytes;
    header.get()->biWidth = shape.width;
    header.get()->biHeight = shape.height;
    header.get()->biPlanes = 1;
    header.get()->biBitCount = shape.bitCount;
    return block;
}

// Lets the platform complete the header and returns the size of the rows it describes.
std::optional<std::uint32_t> CompleteHeader(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape) {
    win32::GlobalLock<BITMAPINFO> info(block);
    if (!info) return std::nullopt;
    BITMAPINFOHEADER& header = info.get()->bmiHeader;
    GetDIBits(dc, bitmap, 0, shape.rows(), nullptr, info.get(), DIB_RGB_COLORS);
    if (header.biSizeImage == 0) {
        const std::optional<std::uint32_t> bytes = PackedImageBytes(shape.bitCount, shape.width, shape.rows());
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

// Copies every row; a partial copy would put a truncated picture on the clipboard.
bool CopyRows(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape) {
    win32::GlobalLock<std::uint8_t> bytes(block);
    if (!bytes) return false;
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes.get());
    void* rows = bytes.get() + InfoHeaderBytes + shape.colourTableBytes;
    return GetDIBits(dc, bitmap, 0, shape.rows(), rows, info, DIB_RGB_COLORS) == static_cast<int>(shape.rows());
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
    if (!GrowBlock(block, SIZE_T{InfoHeaderBytes} + shape->colourTableBytes + *imageBytes)) return {};
    if (!CopyRows(screen.get(), bitmap, block.get(), *shape)) return {};
    return block;
}

// The registered format under which browsers and screenshot tools place PNG pictures.
inline constexpr wchar_t PngFormatName[] = L"PNG";

// The PNG bytes in a movable block for the clipboard; null when there are none.
win32::UniqueGlobal PngBlockOf(const EncodedImage& png) {
    if (png.outcome != EncodedImage::Outcome::Encoded) return {};
    win32::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, png.bytes.size()));
    if (!block) return {};
    win32::GlobalLock<std::uint8_t> bytes(block.get());
    if (!bytes) return {};
    std::memcpy(bytes.get(), png.bytes.data(), png.bytes.size());
    return block;
}

// Offers the PNG first, for the programs that read it best; a refusal leaves the DIB alone.
void PlacePng(win32::UniqueGlobal png) {
    const UINT format = RegisterClipboardFormatW(PngFormatName);
    if (png && format && SetClipboardData(format, png.get())) png.release(); // the clipboard's now
}

// Offered last: a program that takes the first picture format it knows gets the bitmap.
void PlaceVectorPicture(win32::UniqueEnhMetafile& outlines) {
    if (outlines && SetClipboardData(CF_ENHMETAFILE, outlines.get())) outlines.release(); // the clipboard's now
}

} // namespace

ClipboardDataHandle CopyImageToClipboard(int imageNumber) {
    return CopyImageToClipboard(imageNumber, EncodeImagePng(imageNumber)); // before opening: held briefly
}

ClipboardDataHandle CopyImageToClipboard(int imageNumber, const EncodedImage& encoded) {
    detail::ImageRecord* image = detail::State().images.Find(imageNumber);
    if (!image || !image->bitmap) return ClipboardDataHandle::Null;
    win32::UniqueGlobal png = PngBlockOf(encoded);
    detail::ProgramClipboard clipboard;
    if (!clipboard) return ClipboardDataHandle::Null;
    win32::UniqueGlobal dib = PackBitmap(image->bitmap.get());
    if (!dib) return ClipboardDataHandle::Null; // the clipboard is closed as it was
    if (!clipboard.Empty()) return ClipboardDataHandle::Null; // another program's data stays alone
    PlacePng(std::move(png));
    HANDLE placed = SetClipboardData(CF_DIB, dib.get());
    if (!placed) {
        clipboard.Empty(); // no picture at all rather than the PNG alone
        return ClipboardDataHandle::Null;
    }
    dib.release(); // it belongs to the clipboard now
    PlaceVectorPicture(image->outlines);
    return detail::ToHandle<ClipboardDataHandle>(placed);
}

} // namespace wexa
