// Real input (xdotool through the X server) becomes the program's messages only when Wine
// reads it from the X connection, and Wine reads it only when the program's thread has
// nothing else to do. Until then no fence on the Windows side can see it: a paint that
// the probe asks for may come first. So the driver ends each piece of input with a mark,
// a turn of the wheel down, and waits until the system has taken that mark: a low-level
// mouse hook is called as each mouse input is about to be posted, in order, so by then
// everything before the mark is in the program's queue.
#include "probe.h"

#include <atomic>
#include <cstdio>

namespace probe {
namespace {

std::atomic<long> marksTaken{0};
HANDLE markTaken = nullptr; // set at every mark

bool IsMark(WPARAM message, LPARAM data) {
    auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    return message == WM_MOUSEWHEEL && static_cast<short>(HIWORD(mouse->mouseData)) < 0;
}

LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && IsMark(message, data)) {
        ++marksTaken;
        SetEvent(markTaken);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// The hook is called on the thread that set it, in its message loop.
DWORD WINAPI HookThread(void* ready) {
    HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, GetModuleHandleW(nullptr), 0);
    SetEvent(static_cast<HANDLE>(ready));
    if (!hook) return 1;
    for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
    return 0;
}

// watch-input: from now on, counts the marks that end the driver's input.
int WatchInput(const Args&) {
    static HANDLE thread = nullptr;
    if (!thread) {
        markTaken = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, HookThread, ready, 0, nullptr);
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
        DWORD code = STILL_ACTIVE;
        if (!thread || (GetExitCodeThread(thread, &code) && code != STILL_ACTIVE)) return Fail("no mouse hook");
    }
    std::printf("{\"marks\":%ld}\n", marksTaken.load());
    return 0;
}

// settle-input N: waits until N marks have been taken since watch-input, then until the
// program has handled all that is in its queue.
int SettleInput(const Args& args) {
    const long wanted = args.empty() ? 0 : _wtol(args[0].c_str());
    for (DWORD start = GetTickCount(); marksTaken.load() < wanted;) {
        DWORD waited = GetTickCount() - start;
        if (waited >= AnswerTimeoutMs) return Fail("the input never reached a window of Wine");
        WaitForSingleObject(markTaken, AnswerTimeoutMs - waited);
    }
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    if (!PaintFence(w)) return Fail("not responding");
    std::printf("{\"idle\":true,\"marks\":%ld}\n", marksTaken.load());
    return 0;
}

const ProbeCommand watchInput{"watch-input", WatchInput};
const ProbeCommand settleInput{"settle-input", SettleInput};

} // namespace
} // namespace probe
