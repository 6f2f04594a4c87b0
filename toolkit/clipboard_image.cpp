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

// The header, room for the colour table and the rows, in one movable zero-filled block.
win32::UniqueGlobal AllocateBlock(const PackedShape& shape, std::uint32_t imageBytes) {
    const SIZE_T bytes = SIZE_T{InfoHeaderBytes} + shape.colourTableBytes + imageBytes;
    win32::UniqueGlobal block(GlobalAlloc(MovableZeroFilled, bytes));
    if (!block) return {};
    win32::GlobalLock<BITMAPINFOHEADER> header(block.get());
    if (!header) return {};
    header.get()->biSize = InfoHeaderBytes;
    header.get()->biWidth = shape.width;
    header.get()->biHeight = shape.height;
    header.get()->biPlanes = 1;
    header.get()->biBitCount = shape.bitCount;
    header.get()->biSizeImage = imageBytes;
    return block;
}

// Copies every row and the colour table; a partial copy would put a truncated picture on the clipboard.
bool CopyRows(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape, std::uint32_t imageBytes) {
    win32::GlobalLock<std::uint8_t> bytes(block);
    if (!bytes) return false;
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes.get());
    void* rows = bytes.get() + InfoHeaderBytes + shape.colourTableBytes;
    const int rowsCopied = GetDIBits(dc, bitmap, 0, shape.rows(), rows, info, DIB_RGB_COLORS);
    if (info->bmiHeader.biSizeImage == 0) info->bmiHeader.biSizeImage = imageBytes;
    return rowsCopied == static_cast<int>(shape.rows());
}

// The bitmap as a packed device-independent bitmap block, unlocked; null on failure.
win32::UniqueGlobal PackBitmap(HBITMAP bitmap) {
    const std::optional<PackedShape> shape = PackedShapeOf(bitmap);
    const std::optional<std::uint32_t> imageBytes =
        shape ? PackedImageBytes(shape->bitCount, shape->width, shape->rows()) : std::nullopt;
    if (!imageBytes) return {};
    win32::WindowDc screen(nullptr);
    if (!screen) return {};
    win32::SelectedPalette palette(screen.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    win32::UniqueGlobal block = AllocateBlock(*shape, *imageBytes);
    if (!block || !CopyRows(screen.get(), bitmap, block.get(), *shape, *imageBytes)) return {};
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

} // namespace

ClipboardDataHandle CopyImageToClipboard(int imageNumber) {
    const detail::ImageRecord* image = detail::State().images.Find(imageNumber);
    if (!image || !image->bitmap) return ClipboardDataHandle::Null;
    return CopyImageToClipboard(imageNumber, EncodeImagePng(imageNumber)); // before opening: held briefly
}

ClipboardDataHandle CopyImageToClipboard(int imageNumber, const EncodedImage& encoded) {
    const detail::ImageRecord* image = detail::State().images.Find(imageNumber);
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
    return detail::ToHandle<ClipboardDataHandle>(placed);
}

} // namespace wexa
