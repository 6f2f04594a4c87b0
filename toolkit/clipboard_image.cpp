#include "toolkit/clipboard.h"

#include "toolkit/detail/clipboard_access.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/images.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace wexa {
namespace {

inline constexpr UINT MovableZeroFilled = GMEM_MOVEABLE | GMEM_ZEROINIT;
inline constexpr std::uint32_t InfoHeaderBytes = sizeof(BITMAPINFOHEADER);

// A packed bitmap block's layout: the header, the colour table, the rows.
struct PackedShape {
    LONG width = 0;
    LONG height = 0;
    WORD bitCount = 0;
    std::uint32_t colourTableBytes = 0;
    std::uint32_t imageBytes = 0;
    UINT rows() const { return static_cast<UINT>(std::labs(height)); }
};

// Planes x bits per pixel, raised to the next depth a packed bitmap can have.
WORD PackedBitCount(int planes, int bitsPerPixel) {
    const long long bits = static_cast<long long>(planes) * bitsPerPixel;
    for (WORD depth : {1, 4, 8, 24})
        if (bits <= depth) return depth;
    return 32;
}

std::optional<PackedShape> PackedShapeOf(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return std::nullopt;
    PackedShape shape{bm.bmWidth, bm.bmHeight, PackedBitCount(bm.bmPlanes, bm.bmBitsPixel)};
    // A 1-, 4- or 8-bit bitmap carries its full colour table, a deeper one none.
    shape.colourTableBytes = shape.bitCount <= 8 ? (1u << shape.bitCount) * sizeof(RGBQUAD) : 0;
    // Rows padded to a multiple of 4 bytes, in all no more than the header's 32-bit field counts.
    if (bm.bmWidth <= 0) return std::nullopt;
    const std::uint64_t rowBytes = (shape.bitCount * std::uint64_t(bm.bmWidth) + 31) / 32 * 4;
    if (rowBytes * shape.rows() > UINT32_MAX) return std::nullopt;
    shape.imageBytes = static_cast<std::uint32_t>(rowBytes * shape.rows());
    return shape;
}

// The header, room for the colour table and the rows, in one movable zero-filled block.
win32::UniqueGlobal AllocateBlock(const PackedShape& shape) {
    win32::UniqueGlobal block(
        GlobalAlloc(MovableZeroFilled, SIZE_T{InfoHeaderBytes} + shape.colourTableBytes + shape.imageBytes));
    if (!block) return {};
    win32::GlobalLock<BITMAPINFOHEADER> header(block.get());
    if (!header) return {};
    header.get()->biSize = InfoHeaderBytes;
    header.get()->biWidth = shape.width;
    header.get()->biHeight = shape.height;
    header.get()->biPlanes = 1;
    header.get()->biBitCount = shape.bitCount;
    header.get()->biSizeImage = shape.imageBytes;
    return block;
}

// Copies every row and the colour table; a partial copy would put a truncated picture on the clipboard.
bool CopyRows(HDC dc, HBITMAP bitmap, HGLOBAL block, const PackedShape& shape) {
    win32::GlobalLock<std::uint8_t> bytes(block);
    if (!bytes) return false;
    auto* info = reinterpret_cast<BITMAPINFO*>(bytes.get());
    void* rows = bytes.get() + InfoHeaderBytes + shape.colourTableBytes;
    const int rowsCopied = GetDIBits(dc, bitmap, 0, shape.rows(), rows, info, DIB_RGB_COLORS);
    if (info->bmiHeader.biSizeImage == 0) info->bmiHeader.biSizeImage = shape.imageBytes;
    return rowsCopied == static_cast<int>(shape.rows());
}

// The bitmap as a packed device-independent bitmap block, unlocked; null on failure.
win32::UniqueGlobal PackBitmap(HBITMAP bitmap) {
    const std::optional<PackedShape> shape = PackedShapeOf(bitmap);
    if (!shape) return {};
    win32::WindowDc screen(nullptr);
    if (!screen) return {};
    win32::SelectedPalette palette(screen.get(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    win32::UniqueGlobal block = AllocateBlock(*shape);
    if (!block || !CopyRows(screen.get(), bitmap, block.get(), *shape)) return {};
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
