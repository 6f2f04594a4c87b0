// PNG export benchmark for lines of 1, 100, 728 and 25,000 characters: the program's own
// encoding (EncodeImagePng, libpng, a cold encoding of the same rows every round: nothing is
// kept between calls) and the whole file (the encoding written by WriteEncodedPng), next to plain zlib compress2 at
// level 9 of the same filtered rows (the bound that filter None and level 9 allow), and the
// clipboard step beside them. The steps alternate round by round; the figures are medians
// with the minimum in brackets, and a step that fails is named.
//
//     tools/wine-exec build/win64/bench-png-export.exe [ROUNDS]
#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/graphics/images.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int CharacterWidth = 45;
constexpr int LineHeight = 50;
constexpr int LineLengths[] = {1, 100, 728, 25000};
constexpr int DefaultRounds = 5;
constexpr int ZlibLevel = 9;

struct Picture {
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int stride = 0;
};

// A line-like picture: white, with anti-aliased text in every 45-pixel cell, drawn by GDI.
Picture MakeLineImage(int characters) {
    const int width = CharacterWidth * characters;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, LineHeight, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return {};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, 0, L"Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    PatBlt(dc, 0, 0, width, LineHeight, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    const std::wstring cells = L"gHaxkWbmQe";
    for (int i = 0; i < characters; ++i) TextOutW(dc, 10 + CharacterWidth * i, 5, &cells[i % cells.size()], 1);
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteDC(dc);
    wexa::detail::ImageRecord record{wexa::win32::Share(wexa::win32::UniqueBitmap(bitmap)), width, LineHeight, 24};
    wexa::detail::ImageTable().Put(0, std::move(record));
    return {static_cast<std::uint8_t*>(bits), width, (3 * width + 3) / 4 * 4};
}

// The bytes libpng hands to deflate: per row, top first, a filter byte 0 and R, G, B.
std::vector<std::uint8_t> FilteredRows(const Picture& p) {
    std::vector<std::uint8_t> rows;
    rows.reserve((1 + 3 * std::size_t(p.width)) * LineHeight);
    for (int r = LineHeight - 1; r >= 0; --r) {
        rows.push_back(0);
        const std::uint8_t* px = p.pixels + std::size_t(r) * p.stride;
        for (int x = 0; x < p.width; ++x, px += 3) rows.insert(rows.end(), {px[2], px[1], px[0]});
    }
    return rows;
}

// One step's times over the rounds, and whether it ever failed.
struct Step {
    const char* name;
    std::function<bool()> run;
    std::vector<double> ms;
    bool failed = false;

    void Take() {
        const auto t0 = Clock::now();
        failed = !run() || failed;
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    double Median() const {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
};

void Measure(int characters, int rounds, const std::u16string& path) {
    const Picture picture = MakeLineImage(characters);
    if (!picture.pixels) {
        std::printf("%7d chars: the bitmap cannot be made (step failed: picture)\n", characters);
        return;
    }
    const std::vector<std::uint8_t> rows = FilteredRows(picture);
    std::vector<std::uint8_t> packed(compressBound(static_cast<uLong>(rows.size())));
    uLongf packedSize = 0;
    std::size_t pngSize = 0;
    Step encode{"PNG encoding", [&] {
                    const wexa::EncodedImage png = wexa::EncodeImagePng(0);
                    pngSize = png.bytes.size();
                    return png.outcome == wexa::EncodedImage::Outcome::Encoded;
                }};
    Step zlib{"zlib", [&] {
                  packedSize = static_cast<uLongf>(packed.size());
                  return compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                                   ZlibLevel) == Z_OK;
              }};
    Step file{"PNG file", [&] {
                  return wexa::WriteEncodedPng(wexa::EncodeImagePng(0), path) == wexa::FileWriteOutcome::Written;
              }};
    Step clipboard{"clipboard", [&] {
                       wexa::Picture made = wexa::PictureOfImage(0);
                       return !wexa::IsNull(wexa::CopyImageToClipboard(made));
                   }};
    Step* steps[] = {&encode, &zlib, &file, &clipboard};
    for (int i = 0; i < rounds; ++i)
        for (Step* step : steps) step->Take();
    wexa::DiscardClipboard(); // the next picture's clipboard step starts from an empty clipboard
    std::string failures;
    for (const Step* step : steps)
        if (step->failed) failures += std::string(failures.empty() ? "  step failed: " : ", ") + step->name;
    std::printf("%7d chars %8d px: PNG %9.2f (%9.2f) ms %9zu B  zlib-9 %9.2f (%9.2f) ms %9lu B  ratio %5.2f"
                "  file %9.2f ms  clipboard %8.2f ms%s\n",
                characters, picture.width, encode.Median(), encode.Min(), pngSize, zlib.Median(), zlib.Min(),
                static_cast<unsigned long>(packedSize), encode.Median() / zlib.Median(), file.Median(),
                clipboard.Median(), failures.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRounds;
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "wexa-bench-png-export.png";
    const std::wstring wide = file.wstring();
    const std::u16string path(wide.begin(), wide.end());
    std::printf("PNG export, %d alternating rounds: median (min)\n", rounds);
    for (int characters : LineLengths) Measure(characters, rounds, path);
    wexa::detail::ImageTable().Clear();
    std::filesystem::remove(file);
    return 0;
}
