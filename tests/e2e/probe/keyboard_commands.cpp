// Commands for the keyboard's end-to-end tests: the line display alone (cheaper than the
// whole control list, and with its window handle, which changes at every rebuild), the
// screen's DPI read and set, and a picture on the clipboard owned by this program.
#include "probe.h"

#include "keyboard/constants.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace probe {
namespace {

// line-display: {"count": controls with the line display's number, "hwnd": the first one's
// handle, "text": its code units}.
int LineDisplay(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    int count = 0;
    HWND field = nullptr;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetDlgCtrlID(c) == wexa::LineDisplayNumber && count++ == 0) field = c;
    std::printf("{\"count\":%d,\"hwnd\":%llu,\"text\":%s}\n", count,
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(field)),
                field ? CodeUnits(TextOf(field)).c_str() : "[]");
    return 0;
}

int Dpi(const Args&) {
    HDC screen = GetDC(nullptr);
    std::printf("{\"x\":%d,\"y\":%d}\n", GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return 0;
}

// set-dpi DPI: the screen density of Wine for programs started afterwards.
int SetDpi(const Args& args) {
    if (args.empty()) return Fail("usage: set-dpi DPI");
    DWORD dpi = static_cast<DWORD>(_wtoi(args[0].c_str()));
    const struct {
        HKEY root;
        const wchar_t* path;
    } keys[] = {{HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
                {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"}};
    for (const auto& key : keys) {
        HKEY opened;
        if (RegCreateKeyExW(key.root, key.path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr)) return Fail("registry");
        LONG rc = RegSetValueExW(opened, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(opened);
        if (rc) return Fail("registry");
    }
    std::printf("{\"dpi\":%lu}\n", dpi);
    return 0;
}

// A packed 24-bit bitmap of width x 1 pixels, all of one grey.
HGLOBAL GreyDib(int width) {
    int stride = (width * 3 + 3) & ~3;
    SIZE_T size = sizeof(BITMAPINFOHEADER) + stride;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    BITMAPINFOHEADER header{sizeof header, width, 1, 1, 24, BI_RGB};
    std::memcpy(bytes, &header, sizeof header);
    std::memset(bytes + sizeof header, 0x80, stride);
    GlobalUnlock(block);
    return block;
}

// clipboard-own-picture WIDTH SECONDS: puts a CF_DIB picture on the clipboard and stays
// its owner for SECONDS (or until killed), as a paint program would.
int OwnPicture(const Args& args) {
    if (args.size() < 2) return Fail("usage: clipboard-own-picture WIDTH SECONDS");
    if (!OpenClipboard(nullptr)) return Fail("clipboard busy");
    EmptyClipboard();
    HGLOBAL dib = GreyDib(_wtoi(args[0].c_str()));
    bool ok = dib && SetClipboardData(CF_DIB, dib);
    if (!ok && dib) GlobalFree(dib);
    CloseClipboard();
    std::printf("{\"owned\":%s}\n", ok ? "true" : "false");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(args[1].c_str()) * 1000));
    return ok ? 0 : 1;
}

const ProbeCommand lineDisplay{"line-display", LineDisplay};
const ProbeCommand dpi{"dpi", Dpi};
const ProbeCommand setDpi{"set-dpi", SetDpi};
const ProbeCommand ownPicture{"clipboard-own-picture", OwnPicture};

} // namespace
} // namespace probe
