#include "toolkit/detail/image_drawing.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/images.h"
#include "toolkit/png_encoding.h"

#include <optional>

namespace wexa {
namespace {

// The rows of an image whose bitmap is a 24-bit bottom-up section at least as large as
// its record says; nothing otherwise.
std::optional<PixelSurface> ReadableRowsOf(const detail::ImageRecord& image) {
    std::optional<PixelSurface> rows = detail::ImagePixels(image);
    bool whole = rows && rows->width == image.width && rows->height == image.height;
    return whole && rows->bottomUp && image.depth == 24 ? rows : std::nullopt;
}

} // namespace

EncodedImage EncodeImagePng(int number) {
    const detail::ImageRecord* image = detail::State().images.Find(number);
    const std::optional<PixelSurface> rows = image ? ReadableRowsOf(*image) : std::nullopt;
    if (!rows) return {};
    std::optional<std::vector<std::uint8_t>> bytes = EncodePngRows(*rows);
    if (!bytes) return {EncodedImage::Outcome::Refused, {}};
    return {EncodedImage::Outcome::Encoded, std::move(*bytes)};
}

FileWriteOutcome WriteEncodedPng(const EncodedImage& png, std::u16string_view path) {
    // Refused before the file is touched.
    if (path.empty() || png.outcome == EncodedImage::Outcome::Unreadable) return FileWriteOutcome::NoImage;
    const FileWriteOutcome written = WriteWholeFile(path, png.bytes, FileSharing::Shared);
    if (png.outcome == EncodedImage::Outcome::Encoded || written != FileWriteOutcome::Written) return written;
    // A refused encoding opens the file as a picture does, so the reasons are the same, but no
    // empty file may stand in for the picture.
    DeleteFileW(detail::Wide(path).c_str());
    return FileWriteOutcome::WriteFailed;
}

} // namespace wexa
