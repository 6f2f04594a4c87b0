// Started by the font provisioning test in a session of a chosen display density: prints the
// density it runs at ("dpi N"), provisions the fonts as start-up does and prints, for fonts 1
// to 3, the character height asked of the platform and the one the selected font has
// ("number asked measured", one font a line).
#include "app/constants.h"
#include "app/font_provisioning.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/lifecycle/lifecycle.h"

#include <windows.h>

#include <cstdio>

int main() {
    wexa::InitToolkit();
    wexa::ProvisionFonts();
    HDC dc = CreateCompatibleDC(nullptr);
    std::printf("dpi %d\n", GetDeviceCaps(dc, LOGPIXELSY));
    for (int number = 1; number <= 3; ++number) {
        auto font = reinterpret_cast<HFONT>(static_cast<std::uintptr_t>(wexa::FontHandleOf(number)));
        LOGFONTW asked{};
        TEXTMETRICW measured{};
        if (font && GetObjectW(font, sizeof asked, &asked)) {
            HGDIOBJ old = SelectObject(dc, font);
            GetTextMetricsW(dc, &measured);
            SelectObject(dc, old);
        }
        std::printf("%d %ld %ld\n", number, -asked.lfHeight, measured.tmHeight - measured.tmInternalLeading);
    }
    DeleteDC(dc);
    wexa::ShutDownToolkit();
    return 0;
}
