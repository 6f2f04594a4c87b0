// Commands about the main window and its controls.
#include "probe.h"

#include <cstdio>
#include <string>

namespace probe {
namespace {

std::wstring TextOf(HWND control) {
    // WM_GETTEXT crosses processes; GetWindowTextW would not for another process's control.
    // With a timeout, so a busy program makes the probe fail instead of hang.
    DWORD_PTR length = 0, got = 0;
    SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 10000,
                        &got);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::string FontJson(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
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
                "\"style\":%lu,\"screen\":[%d,%d]}\n",
                pid, Quote(cls).c_str(), Quote(title).c_str(), RectJson(window).c_str(), origin.x, origin.y,
                client.right, client.bottom, GetWindowLongW(w, GWL_STYLE) & 0xFFFFFFFFu,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

int Controls(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    std::string out = "[";
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        out += (out.size() > 1 ? ",\n" : "") + ControlJson(w, c);
    std::printf("%s]\n", out.c_str());
    return 0;
}

// Returns once the program's thread has handled everything sent before: it is idle.
int Sync(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    DWORD_PTR result;
    if (!SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result)) return Fail("not responding");
    std::printf("{\"idle\":true}\n");
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

// sync-title TITLE / close-title TITLE: the same for any top-level window by its title.
int SyncTitle(const Args& args) {
    HWND w = args.empty() ? nullptr : FindWindowW(nullptr, args[0].c_str());
    DWORD_PTR result;
    if (!w || !SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result)) return Fail("no answer");
    std::printf("{\"idle\":true}\n");
    return 0;
}

int CloseTitle(const Args& args) {
    HWND w = args.empty() ? nullptr : FindWindowW(nullptr, args[0].c_str());
    if (!w) return Fail("no such window");
    PostMessageW(w, WM_CLOSE, 0, 0);
    std::printf("{\"posted\":true}\n");
    return 0;
}

const ProbeCommand syncTitle{"sync-title", SyncTitle};
const ProbeCommand closeTitle{"close-title", CloseTitle};
const ProbeCommand window{"window", Window};
const ProbeCommand controls{"controls", Controls};
const ProbeCommand sync{"sync", Sync};
const ProbeCommand close{"close", Close};
const ProbeCommand focus{"focus", Focus};

} // namespace
} // namespace probe
