// The bound of the start-up benchmark: the least a Win32 program does to show the keyboard's
// window as the keyboard shows it. The same manifest, the same window, the line display in
// the line font and the 364 buttons of the key table at their places, each with the label
// font the keyboard gives it; built the cheap way: every control is made and given its font
// while the window is still hidden, and the window is shown once.
// The font file must already be where the keyboard writes it (the keyboard's first start
// does that); this program only registers it.
#include "app/constants.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "startup_marks.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

namespace {

using namespace wexa;

int dpiX = 96, dpiY = 96;
int X(int v) { return MulDiv(v, dpiX, 96); }
int Y(int v) { return MulDiv(v, dpiY, 96); }

HFONT Font(const wchar_t* face, int points) {
    return CreateFontW(-MulDiv(points, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, face);
}

HFONT MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, m, wp, lp);
}

HWND OpenHiddenWindow(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"WexaStartupBound";
    RegisterClassW(&wc);
    DWORD style = MainWindowFlags & ~DWORD{7};
    RECT frame{0, 0, X(MainWindowClientWidth), Y(MainWindowClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    return CreateWindowExW(0, wc.lpszClassName, L"Startup bound", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance,
                           nullptr);
}

HWND Child(HWND parent, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           int id, HFONT font) {
    HWND c = CreateWindowExW(exStyle, cls, text, style, X(x), Y(y), X(w), Y(h), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

const wchar_t* FirstArgument() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    return count > 1 ? args[1] : nullptr; // kept for the life of the process
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    bench::StartupMarks marks(FirstArgument());
    marks.Mark("entry (wWinMain)");
    HDC screen = GetDC(nullptr);
    dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    std::wstring fontPath(FontFilePath, FontFilePath + std::char_traits<char16_t>::length(FontFilePath));
    AddFontResourceExW(fontPath.c_str(), FR_PRIVATE, nullptr);
    HFONT fonts[] = {MessageFont(), Font(L"Vevoviv", GlyphFontPoints), Font(L"Arial", LabelFontPoints),
                     Font(L"Vevoviv", LineFontPoints)};
    static_assert(NoLabelFont == 0 && GlyphFont == 1 && LabelFont == 2 && LineFont == 3);
    marks.Mark("font registered, fonts made");

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    marks.Mark("InitCommonControlsEx");
    HWND window = OpenHiddenWindow(instance);
    marks.Mark("window made, hidden");

    Child(window, WS_EX_CLIENTEDGE, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, LineDisplayX,
          LineDisplayY, LineDisplayWidth, LineDisplayHeight, LineDisplayNumber, fonts[LineFont]);
    for (const KeyEntry& key : KeyTable()) {
        std::wstring label(key.label.begin(), key.label.end());
        Child(window, 0, L"Button", label.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, key.x, key.y,
              key.width, key.height, key.number, fonts[key.labelFont]);
    }
    marks.Mark("controls made, fonts set");
    ShowWindow(window, SW_SHOWNORMAL);
    marks.Mark("window shown");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    marks.Mark("left the loop");
    for (HFONT f : fonts) DeleteObject(f);
    return 0;
}
