#include "bound_window.h"

#include "app/constants.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"

#include <cstddef>
#include <string>

namespace wexa::bench {
namespace {

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

HWND Child(HWND parent, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           int id, HFONT font) {
    HWND c = CreateWindowExW(exStyle, cls, text, style, X(x), Y(y), X(w), Y(h), parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

} // namespace

BoundFonts::BoundFonts()
    : byNumber{MessageFont(), Font(L"Vevoviv", GlyphFontPoints), Font(L"Arial", LabelFontPoints),
               Font(L"Vevoviv", LineFontPoints)} {
    static_assert(NoLabelFont == 0 && GlyphFont == 1 && LabelFont == 2 && LineFont == 3);
}

BoundFonts::~BoundFonts() {
    for (HFONT f : byNumber) DeleteObject(f);
}

void PrepareBound() {
    HDC screen = GetDC(nullptr);
    dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::wstring fontPath(FontFilePath, FontFilePath + std::char_traits<char16_t>::length(FontFilePath));
    AddFontResourceExW(fontPath.c_str(), FR_PRIVATE, nullptr);
}

HWND OpenBoundWindow(const wchar_t* className, WNDPROC procedure, const wchar_t* title) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassW(&wc); // fails harmlessly when it is registered already
    DWORD style = MainWindowFlags & ~DWORD{7};
    RECT frame{0, 0, X(MainWindowClientWidth), Y(MainWindowClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    return CreateWindowExW(0, className, title, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

void MakeBoundControls(HWND window, const BoundFonts& fonts) {
    Child(window, WS_EX_CLIENTEDGE, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, LineDisplayX,
          LineDisplayY, LineDisplayWidth, LineDisplayHeight, LineDisplayNumber, fonts.byNumber[LineFont]);
    for (const KeyEntry& key : KeyTable()) {
        std::wstring label(key.label.begin(), key.label.end());
        Child(window, 0, L"Button", label.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, key.x, key.y,
              key.width, key.height, key.number, fonts.byNumber[key.labelFont]);
    }
}

} // namespace wexa::bench
