// time-start EXE TITLE [ARGUMENT...]: starts a program (with the arguments) and watches its start-up from outside, as a
// user would see it, for the start-up benchmark.
//
// Every time is counted from just before CreateProcessW, so both programs that the benchmark
// compares pay the same process start:
// - "window": a top-level window with the title exists (not necessarily shown yet);
// - "last_button": that window has a child with identifier 373, the last button start-up makes;
// - "painted": the window is shown with that child, and neither the window nor any of its
//   children has an update region left: every part of it has been given its paint;
// - "idle": the program's thread answers a message sent after that, so it is back waiting;
// - "exit": from the close request (WM_CLOSE, as the close box sends) to the end of the process;
// - "exit_code": the process's exit code.
// The watch polls every millisecond; polling costs the program a little server time, the
// same for both programs.
#include "probe.h"

#include <cstdio>
#include <string>

namespace probe {
namespace {

constexpr int LastButtonId = 373;
constexpr DWORD GiveUpAfterMs = 60000;

class Clock {
public:
    Clock() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * double(now.QuadPart - start_.QuadPart) / double(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_, start_;
};

bool HasUpdateRegion(HWND w) { return GetUpdateRect(w, nullptr, FALSE) != FALSE; }

// True when the window is shown and nothing in it waits for its paint any more.
bool PaintedCompletely(HWND w) {
    if (!IsWindowVisible(w) || HasUpdateRegion(w)) return false;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && HasUpdateRegion(c)) return false;
    return true;
}

// Polls until found() yields true or the process ends; the time it became true, or -1.
template <typename Found> double WaitFor(const Clock& clock, HANDLE process, Found found) {
    while (clock.Ms() < GiveUpAfterMs) {
        if (found()) return clock.Ms();
        if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0) return -1;
    }
    return -1;
}

int TimeStart(const Args& args) {
    if (args.size() < 2) return Fail("usage: time-start EXE TITLE [ARGUMENT...]");
    std::wstring command = L"\"" + args[0] + L"\"";
    for (std::size_t i = 2; i < args.size(); ++i) command += L" \"" + args[i] + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    Clock clock;
    if (!CreateProcessW(args[0].c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return Fail("cannot start the program");
    CloseHandle(process.hThread);

    HWND w = nullptr;
    double window = WaitFor(clock, process.hProcess, [&] { return (w = FindWindowW(nullptr, args[1].c_str())); });
    double lastButton = WaitFor(clock, process.hProcess, [&] { return GetDlgItem(w, LastButtonId) != nullptr; });
    double painted = WaitFor(clock, process.hProcess, [&] { return PaintedCompletely(w); });
    DWORD_PTR answer;
    bool answered = SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    double idle = answered ? clock.Ms() : -1;

    double closing = clock.Ms();
    PostMessageW(w, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    double exit = ended ? clock.Ms() - closing : -1;
    DWORD code = 0;
    if (!ended) TerminateProcess(process.hProcess, 1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);

    std::printf("{\"window\":%.1f,\"last_button\":%.1f,\"painted\":%.1f,\"idle\":%.1f,\"exit\":%.1f,"
                "\"exit_code\":%lu}\n",
                window, lastButton, painted, idle, exit, code);
    return window < 0 || lastButton < 0 || painted < 0 || idle < 0 ? 1 : 0;
}

const ProbeCommand timeStart{"time-start", TimeStart};

} // namespace
} // namespace probe
