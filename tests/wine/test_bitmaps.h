#pragma once
// Images for the Toolkit's image table made directly in a test: 24-bit bottom-up bitmap
// sections like the LineImage, with their pixel memory at hand.
#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/clipboard_drag/clipboard.h"

#include <cstdint>
#include <string>

namespace wexa::testing {

struct TestImage {
    HBITMAP bitmap = nullptr; // owned by the image table once installed
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;

    std::uint8_t* Pixel(int x, int memoryRow) const { return pixels + memoryRow * stride + 3 * x; }
};

inline TestImage MakeBitmapSection(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    return {bitmap, static_cast<std::uint8_t*>(bits), width, height, (3 * width + 3) / 4 * 4};
}

// Every pixel a different colour, so that swapped channels, rows or columns show.
inline void PaintPattern(const TestImage& image) {
    for (int row = 0; row < image.height; ++row)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.Pixel(x, row);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(row);
            p[2] = static_cast<std::uint8_t>(x >> 8);
        }
}

// Puts the bitmap under the number, as the image table holds the LineImage.
inline TestImage InstallImage(int number, int width, int height) {
    TestImage image = MakeBitmapSection(width, height);
    if (image.bitmap) {
        win32::UniqueBitmap owned(image.bitmap);
        detail::ImageTable().Put(number, detail::ImageRecord{win32::Share(std::move(owned)), width, height, 24});
    }
    return image;
}

// The image under the number as the transfer hands it out, without outlines, put on the clipboard.
inline ClipboardDataHandle CopyPictureOf(int number) {
    Picture picture = PictureOfImage(number);
    return CopyImageToClipboard(picture);
}

// Writes the image under the number as the transfer writes its PNG file: 1 when it was written.
inline int WritePng(int number, const std::wstring& path) {
    return WriteEncodedPng(EncodeImagePng(number), std::u16string(path.begin(), path.end())) ==
           FileWriteOutcome::Written;
}

} // namespace wexa::testing
