// A density change as the system announces it to the program when its window moves to a
// monitor of another density.
// The probe runs under Wine only, which has Windows 10's calls for densities.
#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0A00
#define WINVER 0x0A00
#include "probe.h"

#include <cstdio>
#include <string>
#include <utility>

namespace probe {
namespace {

// A rectangle in the program's memory: Wine hands WM_DPICHANGED's pointer on as it is.
class RemoteRect {
public:
    RemoteRect(HANDLE process, const RECT& rect)
        : process_(process), at_(VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE)) {
        if (at_ && !WriteProcessMemory(process, at_, &rect, sizeof rect, nullptr)) Release();
    }
    ~RemoteRect() { Release(); }
    RemoteRect(const RemoteRect&) = delete;
    RemoteRect& operator=(const RemoteRect&) = delete;
    LPARAM get() const { return reinterpret_cast<LPARAM>(at_); }

private:
    void Release() {
        if (at_) VirtualFreeEx(process_, std::exchange(at_, nullptr), 0, MEM_RELEASE);
    }
    HANDLE process_;
    void* at_;
};

// dpi-changed DPI: sends the main window WM_DPICHANGED as the system does when the window
// moves to a monitor of that density, suggesting the window's corner and its size scaled
// from the density it has now (FROM, the second argument).
int DpiChanged(const Args& args) {
    if (args.size() < 2) return Fail("usage: dpi-changed DPI FROM");
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    int dpi = _wtoi(args[0].c_str()), from = _wtoi(args[1].c_str());
    RECT now;
    GetWindowRect(w, &now);
    RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, from),
                   now.top + MulDiv(now.bottom - now.top, dpi, from)};
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return Fail("cannot open the program");
    bool sent = false;
    {
        RemoteRect rect(process, suggested);
        DWORD_PTR result;
        sent = rect.get() && SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rect.get(), SMTO_NORMAL,
                                                 AnswerTimeoutMs, &result);
    }
    CloseHandle(process);
    if (!sent) return Fail("not sent");
    std::printf("{\"sent\":true}\n");
    return 0;
}

// dpi-awareness: how the main window follows densities, as the program's manifest declared it:
// 0 not at all, 1 the system's, 2 each monitor's (Wine does not tell the second version apart);
// and the density it runs at.
int DpiAwareness(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    std::printf("{\"awareness\":%d,\"dpi\":%u}\n", GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(w)),
                GetDpiForWindow(w));
    return 0;
}

const ProbeCommand dpiChanged{"dpi-changed", DpiChanged};
const ProbeCommand dpiAwareness{"dpi-awareness", DpiAwareness};

} // namespace
} // namespace probe
