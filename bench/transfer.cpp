// Transfer benchmark: the steps of "Übertrag Clipboard" for lines of 1, 100, 728 and
// 25,000 characters in the carried font, each timed on its own and run in the transfer's
// order: emptying the clipboard (which frees the previous transfer's copy), rendering the
// LineImage, showing the preview, encoding and writing the PNG file, drawing the line's outlines into
// the metafile (its share of the sum and its bytes printed too) and copying to the clipboard with
// that encoding and that metafile, as the transfer does. Best of ROUNDS. The peak is the process's peak working
// set so far, next to what must exist at once: the bitmap, the clipboard's copy of its rows,
// the PNG bytes and one metafile. Then the drag's start: from the drag-start event's handler
// until DoDragDrop runs its loop, which must take less than a frame.
//
//     tools/wine-exec build/win64/bench-transfer.exe [ROUNDS]
#include "keyboard/constants.h"
#include "transfer/constants.h"
#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/graphics/images.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/windows/window.h"
#include "transfer/line_image.h"

#include "toolkit/platform/win32_handles.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int LineLengths[] = {1, 100, 728, 25000};
constexpr int DefaultRounds = 5;
// A mix of the font's signs, wide and narrow, and the soft hyphen of key "ke".
constexpr char16_t Signs[] = u"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00AD";

std::u16string LineOf(int length) {
    std::u16string line;
    const std::u16string_view signs(Signs);
    for (int i = 0; i < length; ++i) line += signs[i % signs.size()];
    return line;
}

struct Best {
    double ms = 1e300;
    bool ok = true;
    void Take(const std::function<bool()>& step) {
        const auto t0 = Clock::now();
        ok = step() && ok;
        ms = std::min(ms, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
};

// DoDragDrop has begun once its loop takes a message posted just before the drag.
constexpr UINT DragMarker = WM_APP + 7;
Clock::time_point dragEntered;

LRESULT CALLBACK SeeDragLoop(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && message->message == DragMarker && dragEntered == Clock::time_point{})
        dragEntered = Clock::now();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The preview's picture dragged as the program drags it, with the button up: DoDragDrop ends
// at its first look at the button. Milliseconds until its loop ran, or a negative number.
double DragStartMs(const wexa::SharedPicture& picture) {
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SeeDragLoop, nullptr, GetCurrentThreadId());
    dragEntered = {};
    PostThreadMessageW(GetCurrentThreadId(), DragMarker, 0, 0);
    const auto start = Clock::now();
    wexa::DragPicture(picture, wexa::PreviewImageNumber, wexa::PngFileName);
    if (hook) UnhookWindowsHookEx(hook);
    MSG left;
    while (PeekMessageW(&left, nullptr, DragMarker, DragMarker, PM_REMOVE)) { // not taken: no loop ran
    }
    if (dragEntered == Clock::time_point{}) return -1;
    return std::chrono::duration<double, std::milli>(dragEntered - start).count();
}

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

void Measure(int length, int rounds, const std::u16string& pngPath) {
    const std::u16string line = LineOf(length);
    const int width = wexa::LineImageWidth(line.size());
    Best discard, render, preview, png, metafile, clipboard;
    std::size_t pngBytes = 0, metafileBytes = 0;
    double renderPeak = 0, dragStart = 1e300;
    for (int i = 0; i < rounds; ++i) {
        discard.Take([] { return wexa::DiscardClipboard() != 0; });
        render.Take([&] {
            wexa::RenderLineImage(width, line);
            return !wexa::IsNull(wexa::ImageHandleOf(wexa::LineImageNumber));
        });
        if (i == 0) renderPeak = PeakMegabytes(); // the picture and the text mask, before any copy
        preview.Take([&] {
            return !wexa::IsNull(wexa::CreateImageView(wexa::PreviewImageNumber, wexa::PreviewX, wexa::PreviewY,
                                                       width, wexa::LineImageHeight,
                                                       wexa::ImageHandleOf(wexa::LineImageNumber)));
        });
        wexa::Picture made;
        png.Take([&] {
            made = wexa::PictureOfImage(wexa::LineImageNumber);
            return wexa::WriteEncodedPng(made.png, pngPath) == wexa::FileWriteOutcome::Written;
        });
        metafile.Take([&] { return (made.outlines = wexa::DrawLineOutlines(line)) != nullptr; });
        metafileBytes = GetEnhMetaFileBits(static_cast<HENHMETAFILE>(made.outlines.get()), 0, nullptr);
        clipboard.Take([&] { return !wexa::IsNull(wexa::CopyImageToClipboard(made)); });
        pngBytes = made.png.bytes.size();
        dragStart = std::min(dragStart, DragStartMs(std::make_shared<const wexa::Picture>(std::move(made))));
    }
    const double rows = static_cast<double>((3 * static_cast<std::int64_t>(width) + 3) / 4 * 4 * wexa::LineImageHeight);
    const double needed = (2 * rows + static_cast<double>(pngBytes + metafileBytes)) / (1024.0 * 1024.0);
    const double peak = PeakMegabytes();
    const double sum = discard.ms + render.ms + preview.ms + png.ms + metafile.ms + clipboard.ms;
    std::printf("%6d chars %8d px: discard %6.2f ms  render %9.2f ms  preview %7.2f ms  PNG %9.2f ms  "
                "metafile %8.2f ms (%4.1f %% of the sum, %9zu bytes)  clipboard %8.2f ms  "
                "sum %9.2f ms  peak after rendering %7.1f MB, in all %7.1f MB = %5.2f x (bitmap + clipboard + PNG + "
                "metafile %7.1f MB)  drag start %6.2f ms%s\n",
                length, width, discard.ms, render.ms, preview.ms, png.ms, metafile.ms, 100 * metafile.ms / sum,
                metafileBytes, clipboard.ms, sum, renderPeak, peak, peak / needed, needed, dragStart,
                discard.ok && render.ok && preview.ok && png.ok && metafile.ok && clipboard.ok ? "" : "  (a step failed)");
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRounds;
    // Without the font file, the font mapper's stand-in for "Vevoviv" draws other outlines, and
    // every figure after rendering (the metafile's bytes above all) is another font's.
    const bool registered = AddFontResourceExW(WEXA_BENCH_FONT_FILE, FR_PRIVATE, nullptr) > 0;
    wexa::InitToolkit();
    wexa::LoadToolkitFont(wexa::LineFont, wexa::VevovivFace, wexa::LineFontPoints);
    wexa::OpenToolkitWindow(0, wexa::PositionIgnored, wexa::PositionIgnored, 1350, 730, u"Transfer benchmark",
                            0xCB0001);
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "wexa-bench-transfer.png";
    const std::wstring wide = file.wstring();
    std::printf("Transfer steps, best of %d rounds (LineFont %s)\n", rounds,
                registered ? "Vevoviv 30 pt" : "NOT Vevoviv: its file is missing, a stand-in draws");
    for (int length : LineLengths) Measure(length, rounds, std::u16string(wide.begin(), wide.end()));
    wexa::DiscardClipboard();
    wexa::ShutDownToolkit();
    std::filesystem::remove(file);
    return 0;
}
