// What each suspect of the keyboard's start-up and exit costs, beside the plain way, in one
// process: a hidden window gets the 180 glyph keys in the glyph font, is shown and pumped
// until every part has painted, and is destroyed. The variants add one thing each, as the
// keyboard did it or does it now, and run alternately round by round; the figures are medians.
// Then the whole window twice, alternately: the bound's way, and the keyboard's own start-up,
// event handling and shutdown; in one process, so the machine's load falls on both alike.
//     bench-startup-steps.exe --suspects [ROUNDS]
#include "startup_suspects.h"

#include "app/program.h"
#include "bound_window.h"
#include "toolkit/windows/events.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"

#include <windows.h>

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace wexa::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Variant {
    const char* name;
    bool subclassedTips = false; // a tooltip tool per key, the tooltip control subclassing each key
    bool relayedTips = false;    // a tooltip tool per key, mouse messages relayed by the loop instead
    bool names = false;          // an accessible name per key
    bool defaultFontFirst = false; // the message font at creation, the glyph font after
    bool activeWindowPerMessage = false; // the loop asks for the active window at every message
};

const Variant Variants[] = {
    {"plain (the bound's way)"},
    {"+ tooltips, TTF_SUBCLASS", true},
    {"+ tooltips, relayed", false, true},
    {"+ accessible names", false, false, true},
    {"+ WM_SETFONT twice", false, false, false, true},
    {"+ active window per message", false, false, false, false, true},
};

struct Times {
    std::vector<double> create, paint, destroy;
};

double Since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

LRESULT CALLBACK Procedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

bool Painted(HWND w) {
    if (!IsWindowVisible(w) || GetUpdateRect(w, nullptr, FALSE)) return false;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetUpdateRect(c, nullptr, FALSE)) return false;
    return true;
}

// Handles every message until none is left (the paints come last) and nothing waits for its paint.
void Pump(HWND w, const Variant& v) {
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (v.activeWindowPerMessage) GetActiveWindow();
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (Painted(w)) return;
        WaitMessage();
    }
}

struct Fonts {
    HFONT glyph, message;
};

void AddTip(HWND tips, HWND key, bool subclass, wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | (subclass ? TTF_SUBCLASS : 0);
    tool.hwnd = GetParent(key);
    tool.uId = reinterpret_cast<UINT_PTR>(key);
    tool.lpszText = text;
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MakeKeys(HWND window, const Variant& v, const Fonts& fonts, IAccPropServices* services) {
    HWND tips = nullptr;
    if (v.subclassedTips || v.relayedTips)
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, nullptr,
                               nullptr);
    wchar_t tip[] = L"ab";
    for (const KeyEntry& key : KeyTable()) {
        if (key.number > LastGlyphKey) break;
        std::wstring label(key.label.begin(), key.label.end());
        HWND c = CreateWindowExW(0, L"Button", label.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 key.x, key.y, key.width, key.height, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(key.number)), nullptr, nullptr);
        if (v.defaultFontFirst) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.message), FALSE);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.glyph), FALSE);
        if (tips) AddTip(tips, c, v.subclassedTips, tip);
        if (services)
            services->SetHwndPropStr(c, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, L"ab");
    }
}

void RunOnce(const Variant& v, const Fonts& fonts, IAccPropServices* services, Times& times) {
    auto t0 = Clock::now();
    HWND window = CreateWindowExW(0, L"WexaSuspects", L"Suspects", WS_CAPTION | WS_SYSMENU, 0, 0, 1366, 760,
                                  nullptr, nullptr, nullptr, nullptr);
    MakeKeys(window, v, fonts, v.names ? services : nullptr);
    times.create.push_back(Since(t0));
    t0 = Clock::now();
    ShowWindow(window, SW_SHOWNORMAL);
    Pump(window, v);
    times.paint.push_back(Since(t0));
    t0 = Clock::now();
    DestroyWindow(window); // the tooltip control, owned by the window, goes with it
    times.destroy.push_back(Since(t0));
}

// The whole window as the bound makes it, and as the keyboard does.
void RunBoundWindow(Times& times) {
    auto t0 = Clock::now();
    BoundFonts fonts;
    HWND window = OpenBoundWindow(L"WexaSuspectsBound", Procedure, L"Suspects bound");
    MakeBoundControls(window, fonts);
    times.create.push_back(Since(t0));
    t0 = Clock::now();
    ShowWindow(window, SW_SHOWNORMAL);
    Pump(window, Variants[0]);
    times.paint.push_back(Since(t0));
    t0 = Clock::now();
    DestroyWindow(window);
    times.destroy.push_back(Since(t0));
}

// The keyboard's messages go through its own event function, as in its loop.
void PumpKeyboard(HWND window) {
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) WaitForEvent();
        if (Painted(window)) return;
        WaitMessage();
    }
}

void RunKeyboardWindow(Times& times) {
    auto t0 = Clock::now();
    std::optional<Program> program = StartUp();
    times.create.push_back(Since(t0));
    HWND window = FindWindowW(L"WindowClass_0", nullptr);
    t0 = Clock::now();
    if (program && window) PumpKeyboard(window);
    times.paint.push_back(Since(t0));
    t0 = Clock::now();
    ShutDown();
    times.destroy.push_back(Since(t0));
}

void PrintRow(const char* name, const Times& t) {
    std::printf("  %-30s %8.2f %8.2f %8.2f\n", name, Median(t.create), Median(t.paint), Median(t.destroy));
}

void CompareWholeWindows(int rounds) {
    Times bound, keyboard;
    RunBoundWindow(bound); // warm-up
    RunKeyboardWindow(keyboard);
    bound = keyboard = {};
    for (int round = 0; round < rounds; ++round) {
        RunBoundWindow(bound);
        RunKeyboardWindow(keyboard);
    }
    std::printf("the whole window, %d alternating rounds, medians in ms\n", rounds);
    std::printf("  %-30s %8s %8s %8s\n", "", "start", "paint", "exit");
    PrintRow("the bound's way", bound);
    PrintRow("the keyboard", keyboard);
}

} // namespace

int RunSuspects(int rounds) {
    PrepareBound(); // the carried font, written by the keyboard's first start
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"WexaSuspects";
    RegisterClassW(&wc);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    IAccPropServices* services = nullptr;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    Fonts fonts{CreateFontW(-19, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, L"Vevoviv"),
                CreateFontIndirectW(&metrics.lfMessageFont)};
    constexpr std::size_t count = std::size(Variants);
    Times times[count];
    for (std::size_t i = 0; i < count; ++i) RunOnce(Variants[i], fonts, services, times[i]); // warm-up
    for (auto& t : times) t = {};
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < count; ++i) RunOnce(Variants[i], fonts, services, times[i]);
    std::printf("suspects, 180 glyph keys, %d alternating rounds, medians in ms%s\n", rounds,
                services ? "" : " (no accessibility service)");
    std::printf("  %-30s %8s %8s %8s\n", "", "create", "paint", "destroy");
    for (std::size_t i = 0; i < count; ++i) PrintRow(Variants[i].name, times[i]);
    if (services) services->Release();
    DeleteObject(fonts.glyph);
    DeleteObject(fonts.message);
    OleUninitialize();
    CompareWholeWindows(rounds);
    return 0;
}

} // namespace wexa::bench
