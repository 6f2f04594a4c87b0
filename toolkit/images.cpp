// The Toolkit's image table: 24-bit bottom-up bitmap sections under numbers.
#include "toolkit/detail/image_drawing.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/images.h"

#include <cstring>

namespace wexa {
namespace {

constexpr int ImageDepth = 24;

// A bottom-up 24-bit section, all black; null when it cannot be made.
win32::UniqueBitmap MakeBlackSection(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: rows stored bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = ImageDepth;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memset(bits, 0, static_cast<std::size_t>(RowStride24(width)) * height);
    return bitmap;
}

} // namespace

std::optional<PixelSurface> detail::SectionPixels(HBITMAP bitmap) {
    DIBSECTION section{};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return std::nullopt;
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits) return std::nullopt;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != ImageDepth || header.biCompression != BI_RGB) return std::nullopt;
    return PixelSurface{static_cast<std::uint8_t*>(section.dsBm.bmBits), RowStride24(header.biWidth), header.biWidth,
                        header.biHeight < 0 ? -header.biHeight : header.biHeight, header.biHeight > 0};
}

BitmapHandle CreateImageBuffer(int number, int width, int height) {
    FreeImage(number);
    if (!IsObjectNumber(number) || width <= 0 || height <= 0) return BitmapHandle::Null; // an image has pixels
    win32::UniqueBitmap bitmap = MakeBlackSection(width, height);
    if (!bitmap) return BitmapHandle::Null;
    auto handle = detail::ToHandle<BitmapHandle>(bitmap.get());
    // The real width, whatever the line's length: the drawing, the PNG file and the
    // clipboard then all hold the whole picture.
    detail::State().images.Put(number, detail::ImageRecord{std::move(bitmap), width, height, ImageDepth});
    return handle;
}

BitmapHandle ImageHandleOf(int number) {
    detail::ImageRecord* image = detail::State().images.Find(number);
    return image ? detail::ToHandle<BitmapHandle>(image->bitmap.get()) : BitmapHandle::Null;
}

void FreeImage(int number) {
    detail::EndDrawingOnImage(number);
    detail::State().images.Take(number);
}

} // namespace wexa
