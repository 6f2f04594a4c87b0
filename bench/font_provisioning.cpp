// Font provisioning benchmark: a first start (the font written, registered, three fonts
// loaded) next to a later start (one lookup, one registration, three loads), and the
// output file's two paths: many small blocks through the buffer, one large block past it.
// Drive d: must point at a scratch folder:
//
//     tests/wine/with-drive-d build/win64 folder -- tools/wine-exec build/win64/bench-font-provisioning.exe [ROUNDS]
#include "app/constants.h"
#include "app/font_provisioning.h"
#include "resources/carried_font.h"
#include "toolkit/platform/files.h"
#include "toolkit/lifecycle/lifecycle.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int DefaultRounds = 10;
constexpr std::size_t LargeFileBytes = 64u << 20;

double MedianMs(int rounds, const std::function<void()>& prepare, const std::function<void()>& measured) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        Clock::time_point start = Clock::now();
        measured();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Start() {
    wexa::InitToolkit();
    wexa::ProvisionFonts();
    wexa::ShutDownToolkit();
}

void WriteLarge(const std::vector<unsigned char>& bytes) {
    wexa::WriteWholeFile(u"d:\\large.bin", bytes);
}

double MegabytesPerSecond(std::size_t bytes, double ms) { return bytes / 1e3 / ms; }

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRounds;
    if (!CreateDirectoryW(L"d:\\kelvast6", nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "drive d: is not writable; run through tests/wine/with-drive-d\n");
        return 1;
    }
    auto removeFont = [] { DeleteFileW(L"d:\\kelvast6\\vevoviv.ttf"); };
    auto nothing = [] {};
    std::printf("font file: %zu bytes, %d rounds, medians\n", wexa::CarriedFontData().size(), rounds);
    std::printf("first start (write, register, load):  %8.2f ms\n", MedianMs(rounds, removeFont, Start));
    std::printf("later start (lookup, register, load): %8.2f ms\n", MedianMs(rounds, nothing, Start));
    std::printf("query of the existing file alone:     %8.3f ms\n",
                MedianMs(rounds, nothing, [] { wexa::QueryFileSize(wexa::FontFilePath); }));

    std::vector<unsigned char> large(LargeFileBytes, 0x5A);
    double oneBlock = MedianMs(rounds, nothing, [&] { WriteLarge(large); });
    std::printf("%zu MiB in one write:                   %8.2f ms, %7.0f MB/s\n", LargeFileBytes >> 20, oneBlock,
                MegabytesPerSecond(LargeFileBytes, oneBlock));
    DeleteFileW(L"d:\\large.bin");
    return 0;
}
