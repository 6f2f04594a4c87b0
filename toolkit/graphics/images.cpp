// The Toolkit's image table: 24-bit bottom-up bitmap sections under numbers.
#include "image_drawing.h"

#include "toolkit/core/png_encoding.h"
#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/graphics/images.h"
#include "toolkit/graphics/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <algorithm>
#include <optional>

namespace wexa {
namespace {

constexpr int ImageDepth = 24;

void FillBlack(HDC dc, HBITMAP bitmap, int width, int height) {
    win32::SelectedObject selected(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

} // namespace

ObjectTable<detail::ImageRecord>& detail::ImageTable() {
    static ObjectTable<ImageRecord> images;
    return images;
}

std::optional<Size> detail::ImageSizeOf(int number) {
    const ImageRecord* image = ImageTable().Find(number);
    return image ? std::optional<Size>(Size{image->width, image->height}) : std::nullopt;
}

win32::UniqueBitmap detail::MakeBitmapSection(HDC dc, int width, int height) {
    // A positive height stores the rows bottom-up.
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, height, 1, ImageDepth, BI_RGB}};
    void* bits = nullptr;
    return win32::UniqueBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

std::optional<PixelSurface> detail::SectionPixels(HBITMAP bitmap, int maxWidth, int maxHeight) {
    DIBSECTION section{};
    if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return std::nullopt;
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits) return std::nullopt;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (header.biBitCount != ImageDepth || header.biCompression != BI_RGB) return std::nullopt;
    const int width = std::min<int>(maxWidth, header.biWidth);
    const int height = std::min<int>(maxHeight, header.biHeight < 0 ? -header.biHeight : header.biHeight);
    return PixelSurface{static_cast<std::uint8_t*>(section.dsBm.bmBits), RowStride24(header.biWidth), width, height,
                        header.biHeight > 0};
}

std::optional<PixelSurface> detail::ImagePixels(const ImageRecord& image) {
    return SectionPixels(image.bitmap.get(), image.width, image.height);
}

BitmapHandle CreateImageBuffer(int number, int width, int height) {
    FreeImage(number);
    if (!IsObjectNumber(number) || width <= 0 || height <= 0) return BitmapHandle::Null; // an image has pixels
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return BitmapHandle::Null;
    win32::UniqueBitmap bitmap = detail::MakeBitmapSection(dc.get(), width, height);
    if (!bitmap) return BitmapHandle::Null;
    FillBlack(dc.get(), bitmap.get(), width, height);
    auto handle = detail::ToHandle<BitmapHandle>(bitmap.get());
    // The real width, whatever the line's length: the drawing, the PNG file and the
    // clipboard then all hold the whole picture.
    detail::ImageTable().Put(number, detail::ImageRecord{win32::Share(std::move(bitmap)), width, height, ImageDepth});
    return handle;
}

BitmapHandle ImageHandleOf(int number) {
    detail::ImageRecord* image = detail::ImageTable().Find(number);
    return image ? detail::ToHandle<BitmapHandle>(image->bitmap.get()) : BitmapHandle::Null;
}

void FreeImage(int number) {
    detail::EndDrawingOnImage(number);
    detail::ImageTable().Take(number);
}

SharedBitmap detail::ShareImageBitmap(int number) {
    const ImageRecord* image = ImageTable().Find(number);
    return image ? image->bitmap : nullptr;
}

EncodedImage EncodeImagePng(int number) {
    const detail::ImageRecord* image = detail::ImageTable().Find(number);
    const std::optional<PixelSurface> rows = image ? detail::ImagePixels(*image) : std::nullopt;
    // Only a 24-bit bottom-up section at least as large as its record says is read.
    const bool whole = rows && rows->width == image->width && rows->height == image->height;
    if (!whole || !rows->bottomUp || image->depth != ImageDepth) return {};
    std::optional<std::vector<std::uint8_t>> bytes = EncodePngRows(*rows);
    if (!bytes) return {EncodedImage::Outcome::Refused, {}};
    return {EncodedImage::Outcome::Encoded, std::move(*bytes)};
}

FileWriteOutcome WriteEncodedPng(const EncodedImage& png, std::u16string_view path) {
    // Refused before the file is touched.
    if (path.empty() || png.outcome == EncodedImage::Outcome::Unreadable) return FileWriteOutcome::NoImage;
    const FileWriteOutcome written = ReplaceWholeFile(path, png.bytes);
    if (png.outcome == EncodedImage::Outcome::Encoded || written != FileWriteOutcome::Written) return written;
    // A refused encoding is written as a picture is, so the reasons are the same, but no empty
    // file may stand in for the picture.
    DeleteFileW(detail::Wide(path).c_str());
    return FileWriteOutcome::WriteFailed;
}

} // namespace wexa
