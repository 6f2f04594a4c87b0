#include "toolkit/core/png_encoding.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace wexa {
namespace {

inline constexpr int PngCompressionLevel = 9;
inline constexpr int PngBitDepth = 8;
// PNG allows dimensions up to 2^31 - 1; libpng's default cap of one million columns
// would refuse lines of more than 22,222 characters.
inline constexpr png_uint_32 PngLargestDimension = PNG_UINT_31_MAX;

// libpng's write callback for memory. No exception may pass through libpng's C frames:
// running out of memory becomes a libpng error, after the try block has ended.
void AppendToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* memory = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    try {
        memory->insert(memory->end(), data, data + length);
        return;
    } catch (const std::bad_alloc&) {
    }
    png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Holds the error jump: no object with a destructor may live in this frame. The caller keeps
// both structures, so their values are still valid after libpng jumps back into it.
bool WriteWithErrorJump(png_structp png, png_infop& info, std::vector<std::uint8_t>& memory, const PixelSurface& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &memory, AppendToMemory, FlushNothing);
    info = png_create_info_struct(png);
    if (!info) return false;
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_compression_level(png, PngCompressionLevel);
    png_set_user_limits(png, PngLargestDimension, PngLargestDimension);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rows.width), static_cast<png_uint_32>(rows.height), PngBitDepth,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_bgr(png);
    png_write_info(png, info);
    for (int y = 0; y < rows.height; ++y) png_write_row(png, rows.Row(y)); // top row first
    png_write_end(png, info);
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePngRows(const PixelSurface& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return std::nullopt;
    png_infop info = nullptr;
    std::vector<std::uint8_t> bytes;
    const bool encoded = WriteWithErrorJump(png, info, bytes, rows);
    png_destroy_write_struct(&png, &info);
    if (!encoded) return std::nullopt;
    return bytes;
}

} // namespace wexa
