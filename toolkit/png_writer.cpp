#include "toolkit/images.h"

#include "toolkit/detail/toolkit_state.h"
#include "toolkit/png_encoding.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace wexa {
namespace {

inline constexpr int PngSourceDepth = 24;
inline constexpr wchar_t PngFileMode[] = L"wb";

// An open file stream; Close reports whether every buffered byte reached the file.
class OutputStream {
public:
    explicit OutputStream(const std::wstring& path) : file_(_wfopen(path.c_str(), PngFileMode)) {}
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;
    ~OutputStream() { Close(); }
    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    bool Close() {
        if (!file_) return false;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return closed;
    }

private:
    std::FILE* file_;
};

// The rows of an image whose bitmap is a 24-bit bottom-up section at least as large as
// its record says; empty pixels otherwise, so nothing is read outside its memory.
BottomUpBgrRows ReadableRowsOf(const detail::ImageRecord& image) {
    DIBSECTION dib{};
    if (!image.bitmap || GetObjectW(image.bitmap.get(), sizeof dib, &dib) != sizeof dib) return {};
    const BITMAP& bm = dib.dsBm;
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    if (!bm.bmBits || !bottomUp || bm.bmBitsPixel != PngSourceDepth || image.depth != PngSourceDepth) return {};
    if (image.width > bm.bmWidth || image.height > bm.bmHeight) return {};
    return {static_cast<const std::uint8_t*>(bm.bmBits), bm.bmWidthBytes, image.width, image.height};
}

// Keeps what happened for LastPngWriteOutcome; WriteImagePng's result.
int Report(PngWriteOutcome outcome) {
    detail::State().lastPngWrite = outcome;
    return outcome == PngWriteOutcome::Written ? 1 : 0;
}

} // namespace

EncodedImage EncodeImagePng(int number) {
    const detail::ImageRecord* image = detail::State().images.Find(number);
    const BottomUpBgrRows rows = image ? ReadableRowsOf(*image) : BottomUpBgrRows{};
    if (!rows.pixels) return {};
    std::optional<std::vector<std::uint8_t>> bytes = EncodePngRows(rows);
    if (!bytes) return {EncodedImage::Outcome::Refused, {}};
    return {EncodedImage::Outcome::Encoded, std::move(*bytes)};
}

int WriteEncodedPng(const EncodedImage& png, std::u16string_view path) {
    using enum PngWriteOutcome;
    // Refused before the file is touched.
    if (path.empty() || png.outcome == EncodedImage::Outcome::Unreadable) return Report(NoImage);
    const std::wstring filePath = detail::Wide(path);
    OutputStream file(filePath);
    if (!file) return Report(detail::OpenFailureOutcome(_doserrno));
    const bool written = png.outcome == EncodedImage::Outcome::Encoded && WriteAllBytes(file.get(), png.bytes);
    if (file.Close() && written) return Report(Written);
    DeleteFileW(filePath.c_str()); // a broken file must not stand in for the picture
    return Report(WriteFailed);
}

int WriteImagePng(int number, std::u16string_view path) {
    if (path.empty()) return Report(PngWriteOutcome::NoImage);
    return WriteEncodedPng(EncodeImagePng(number), path);
}

PngWriteOutcome LastPngWriteOutcome() { return detail::State().lastPngWrite; }

} // namespace wexa
