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

// Both structures live outside the frame that sets the error jump, so their values
// are still valid after libpng jumps back into it.
struct PngWriteStructures {
    png_structp png = nullptr;
    png_infop info = nullptr;
};

void WriteRowsTopFirst(png_structp png, const PixelSurface& rows) {
    for (int y = 0; y < rows.height; ++y) png_write_row(png, rows.Row(y));
}

// libpng's write callback for memory. No exception may pass through libpng's C frames:
// running out of memory becomes a libpng error, after the try block has ended.
void AppendToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* memory = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool appended = false;
    try {
        memory->insert(memory->end(), data, data + length);
        appended = true;
    } catch (const std::bad_alloc&) {
    }
    if (!appended) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Holds the error jump: no object with a destructor may live in this frame.
bool WriteWithErrorJump(PngWriteStructures& s, std::vector<std::uint8_t>& memory, const PixelSurface& rows) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_write_fn(s.png, &memory, AppendToMemory, FlushNothing);
    s.info = png_create_info_struct(s.png);
    if (!s.info) return false;
    png_set_filter(s.png, 0, PNG_FILTER_NONE);
    png_set_compression_level(s.png, PngCompressionLevel);
    png_set_user_limits(s.png, PngLargestDimension, PngLargestDimension);
    png_set_IHDR(s.png, s.info, static_cast<png_uint_32>(rows.width), static_cast<png_uint_32>(rows.height),
                 PngBitDepth, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_bgr(s.png);
    png_write_info(s.png, s.info);
    WriteRowsTopFirst(s.png, rows);
    png_write_end(s.png, s.info);
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> EncodePngRows(const PixelSurface& rows) {
    PngWriteStructures s;
    s.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!s.png) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    const bool encoded = WriteWithErrorJump(s, bytes, rows);
    png_destroy_write_struct(&s.png, &s.info);
    if (!encoded) return std::nullopt;
    return bytes;
}

} // namespace wexa
