// Commands about the main window and its controls.
#include "probe.h"

#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace probe {
namespace {

std::string FontJson(HWND control) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_NORMAL, AnswerTimeoutMs, &answer);
    auto font = reinterpret_cast<HFONT>(answer);
    if (!font) return "null";
    LOGFONTW lf{};
    if (GetObjectW(font, sizeof lf, &lf) != sizeof lf) return "{\"handle\":" + std::to_string(uintptr_t(font)) + "}";
    return "{\"face\":" + Quote(lf.lfFaceName) + ",\"height\":" + std::to_string(lf.lfHeight) + "}";
}

std::string ControlJson(HWND parent, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    wchar_t cls[64] = L"";
    GetClassNameW(control, cls, 64);
    return "{\"id\":" + std::to_string(GetDlgCtrlID(control)) + ",\"class\":" + Quote(cls) +
           ",\"text\":" + CodeUnits(TextOf(control)) + ",\"rect\":" + RectJson(r) +
           ",\"style\":" + std::to_string(GetWindowLongW(control, GWL_STYLE) & 0xFFFFFFFFu) +
           ",\"exstyle\":" + std::to_string(GetWindowLongW(control, GWL_EXSTYLE) & 0xFFFFFFFFu) +
           ",\"visible\":" + (IsWindowVisible(control) ? "true" : "false") + ",\"font\":" + FontJson(control) + "}";
}

int Window(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    RECT window, client;
    GetWindowRect(w, &window);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    wchar_t title[256] = L""; // a top-level title is read without asking the busy program
    GetWindowTextW(w, title, 256);
    std::printf("{\"pid\":%lu,\"class\":%s,\"title\":%s,\"window\":%s,\"client\":[%ld,%ld,%ld,%ld],"
                "\"style\":%lu,\"exstyle\":%lu,\"screen\":[%d,%d]}\n",
                pid, Quote(cls).c_str(), Quote(title).c_str(), RectJson(window).c_str(), origin.x, origin.y,
                client.right, client.bottom, GetWindowLongW(w, GWL_STYLE) & 0xFFFFFFFFu,
                GetWindowLongW(w, GWL_EXSTYLE) & 0xFFFFFFFFu,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int Controls(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    std::string out = "[";
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out += (out.size() > 1 ? "," : "") + ControlJson(w, c);
    std::printf("%s]\n", out.c_str());
    return 0;
}

// control NUMBER: the first control with that number, and the client area's screen origin.
int Control(const Args& args) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    HWND c = args.empty() ? nullptr : GetDlgItem(w, _wtoi(args[0].c_str()));
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    std::printf("{\"origin\":[%ld,%ld],\"control\":%s}\n", origin.x, origin.y, c ? ControlJson(w, c).c_str() : "null");
    return 0;
}

} // namespace

// The program has handled every message that reached it: a 1-pixel corner of the client
// area (where no control stands) is invalidated, and its WM_PAINT comes only when no sent,
// posted or input message is waiting for the program's thread. Twice, because X events that
// arrived just before the first round are read when the thread next goes idle. X events
// still on their way are not seen: settle-input waits for those.
bool PaintFence(HWND w) {
    DWORD_PTR result;
    if (!SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, AnswerTimeoutMs, &result)) return false;
    for (int round = 0; round < 2; ++round) {
        const RECT corner{0, 0, 1, 1};
        if (!InvalidateRect(w, &corner, FALSE)) return false;
        for (DWORD start = GetTickCount(); GetUpdateRect(w, nullptr, FALSE); Sleep(1))
            if (GetTickCount() - start > AnswerTimeoutMs) return false;
    }
    return true;
}

namespace {

int Settle(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    if (!PaintFence(w)) return Fail("not responding");
    std::printf("{\"idle\":true}\n");
    return 0;
}

// Waits until no window of the program has anything left to paint, for a screenshot.
int Painted(const Args&) {
    HWND w = FindMainWindow();
    if (!w || !PaintFence(w)) return Fail(w ? "not responding" : "no main window");
    for (DWORD start = GetTickCount();; Sleep(1)) {
        bool pending = GetUpdateRect(w, nullptr, FALSE);
        for (HWND c = GetWindow(w, GW_CHILD); c && !pending; c = GetWindow(c, GW_HWNDNEXT))
            pending = IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE);
        if (!pending) break;
        if (GetTickCount() - start > AnswerTimeoutMs) return Fail("not painting");
    }
    if (!PaintFence(w)) return Fail("not responding"); // lets it flush what it painted
    std::printf("{\"painted\":true}\n");
    return 0;
}

int Close(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    PostMessageW(w, WM_CLOSE, 0, 0);
    std::printf("{\"posted\":true}\n");
    return 0;
}

int Focus(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info);
    std::printf("{\"focus\":%d}\n", info.hwndFocus && info.hwndFocus != w ? GetDlgCtrlID(info.hwndFocus) : -1);
    return 0;
}

// cover-window X Y WIDTH HEIGHT: a window of this program opened over that rectangle of the
// screen and brought to the front, as a document's window comes over the keyboard when the user
// clicks into it; says whose window is then uppermost at its centre ("keyboard", "cover" or
// "other"), and closes it again.
int CoverWindow(const Args& args) {
    if (args.size() != 4) return Fail("usage: cover-window X Y WIDTH HEIGHT");
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WexaProbeCover";
    RegisterClassW(&wc);
    const int x = _wtoi(args[0].c_str()), y = _wtoi(args[1].c_str()), w = _wtoi(args[2].c_str());
    const int h = _wtoi(args[3].c_str());
    HWND cover =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
    if (!cover) return Fail("no window");
    ShowWindow(cover, SW_SHOW);
    SetForegroundWindow(cover);
    HWND uppermost = GetAncestor(WindowFromPoint({x + w / 2, y + h / 2}), GA_ROOT);
    const char* whose = uppermost == FindMainWindow() ? "keyboard" : uppermost == cover ? "cover" : "other";
    DestroyWindow(cover);
    std::printf("{\"uppermost\":\"%s\"}\n", whose);
    return 0;
}

// hold-desktop: keeps Wine's desktop process running while this process lives; a test session
// starts it detached and ends it with its wineserver. Otherwise Wine ends the desktop process
// seconds after the last window program, and the next test's first window starts it anew with
// that test's output inherited: the test runner would wait out those seconds after every test.
int HoldDesktop(const Args&) {
    if (!GetDesktopWindow()) return Fail("no desktop");
    Sleep(INFINITE);
    return 0;
}

// modules: the full paths of the DLLs loaded in the program's process now.
int Modules(const Args&) {
    DWORD process = 0;
    if (HWND w = FindMainWindow()) GetWindowThreadProcessId(w, &process);
    HANDLE snapshot = process ? CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process) : INVALID_HANDLE_VALUE;
    if (snapshot == INVALID_HANDLE_VALUE) return Fail("no program to list");
    MODULEENTRY32W module{sizeof module};
    std::string list;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
        list += (list.empty() ? "" : ",") + Quote(module.szExePath);
    CloseHandle(snapshot);
    std::printf("{\"modules\":[%s]}\n", list.c_str());
    return 0;
}

const ProbeCommand coverWindow{"cover-window", CoverWindow};
const ProbeCommand holdDesktop{"hold-desktop", HoldDesktop};
const ProbeCommand modules{"modules", Modules};
const ProbeCommand window{"window", Window};
const ProbeCommand controls{"controls", Controls};
const ProbeCommand control{"control", Control};
const ProbeCommand settle{"settle", Settle};
const ProbeCommand painted{"painted", Painted};
const ProbeCommand close{"close", Close};
const ProbeCommand focus{"focus", Focus};

} // namespace
} // namespace probe
