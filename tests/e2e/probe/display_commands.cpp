// A density change as the system announces it to the program when its window moves to a
// monitor of another density.
#include "probe.h"

#include <cstdio>
#include <string>
#include <vector>

namespace probe {
namespace {

// A rectangle at the same address in this process and in the program's: the system may pass
// WM_DPICHANGED's rectangle on as it is or copy it across, and either way the program finds it.
class SharedRect {
public:
    SharedRect(HANDLE process, const RECT& rect) : process_(process) {
        // Places free in the program until one is free here too; those tried stay taken meanwhile.
        std::vector<void*> tried;
        while (!local_ && tried.size() < 64) {
            void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            if (!remote) break;
            local_ = VirtualAlloc(remote, sizeof rect, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
            if (local_) remote_ = remote;
            else tried.push_back(remote);
        }
        for (void* taken : tried) VirtualFreeEx(process, taken, 0, MEM_RELEASE);
        if (!remote_) return;
        *static_cast<RECT*>(local_) = rect;
        WriteProcessMemory(process, remote_, &rect, sizeof rect, nullptr);
    }
    ~SharedRect() {
        if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
        if (local_) VirtualFree(local_, 0, MEM_RELEASE);
    }
    SharedRect(const SharedRect&) = delete;
    SharedRect& operator=(const SharedRect&) = delete;
    LPARAM get() const { return remote_ ? reinterpret_cast<LPARAM>(local_) : 0; }

private:
    HANDLE process_;
    void* local_ = nullptr;
    void* remote_ = nullptr;
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
        SharedRect rect(process, suggested);
        DWORD_PTR result;
        sent = rect.get() && SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rect.get(), SMTO_NORMAL,
                                                 AnswerTimeoutMs, &result);
    }
    CloseHandle(process);
    if (!sent) return Fail("not sent");
    std::printf("{\"sent\":true}\n");
    return 0;
}

const ProbeCommand dpiChanged{"dpi-changed", DpiChanged};

} // namespace
} // namespace probe
