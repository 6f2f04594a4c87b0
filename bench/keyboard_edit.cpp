// How long a click on a key takes until the line display shows the new line, for lines of
// 10, 1,000 and 100,000 characters; the deletion back to the old line is timed too. The
// program is started in-process as the executable starts it; a click goes the real way:
// the button reports it, the Toolkit queues the event, the program dispatches it, the new
// field is created and painted.
//
//     bench-keyboard-edit [ROUNDS]
#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/line_editing.h"
#include "toolkit/events.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

HWND window = nullptr;
std::optional<wexa::Program> program;

void Pump() {
    constexpr int Marker = WM_APP + 77;
    PostMessageW(window, Marker, 0, 0);
    for (int code = wexa::WaitForEvent(); code != Marker; code = wexa::WaitForEvent()) wexa::HandleEvent(*program, code);
}

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Milliseconds from the click to the painted line display, and of its three steps: the
// button's own handling of the click, the program's edit with the new field, the painting.
struct Timing {
    double total, button, edit, paint;
};

Timing TimedClick(int number) {
    Clock::time_point start = Clock::now();
    SendMessageW(GetDlgItem(window, number), BM_CLICK, 0, 0);
    Clock::time_point clicked = Clock::now();
    Pump();
    Clock::time_point edited = Clock::now();
    UpdateWindow(GetDlgItem(window, wexa::LineDisplayNumber));
    GdiFlush();
    Clock::time_point painted = Clock::now();
    return {Ms(start, painted), Ms(start, clicked), Ms(clicked, edited), Ms(edited, painted)};
}

struct Summary {
    double median, p95, best;
};

Summary Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.front()};
}

struct Series {
    std::vector<double> total, button, edit, paint;
    void Add(const Timing& t) {
        total.push_back(t.total);
        button.push_back(t.button);
        edit.push_back(t.edit);
        paint.push_back(t.paint);
    }
    void Print(const char* what, std::size_t length, int rounds) const {
        Summary s = Summarise(total);
        std::printf("%9zu  %-8s %6d  %8.3f %8.3f %8.3f   %8.3f %8.3f %8.3f\n", length, what, rounds, s.median, s.p95,
                    s.best, Summarise(button).median, Summarise(edit).median, Summarise(paint).median);
    }
};

void Measure(std::size_t length, int rounds) {
    wexa::ClearLine(program->line);
    wexa::AppendToLine(program->line, std::u16string(length - 1, u'\u00FD'));
    Series append, erase;
    for (int i = 0; i < rounds; ++i) {
        append.Add(TimedClick(0)); // glyph key 0: the line now has `length` characters
        erase.Add(TimedClick(wexa::DeleteOneButton));
    }
    if (program->line.Length() != length - 1) std::printf("the line has the wrong length!\n");
    append.Print("key", length, rounds);
    erase.Print("delete", length, rounds);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    program = wexa::StartUp();
    window = FindWindowW(L"WindowClass_0", nullptr);
    if (!program || !window) {
        std::printf("the main window did not open\n");
        return 1;
    }
    std::printf("From a click to the painted line display, in ms: median, 95th percentile and best of the whole,\n"
                "then the medians of its steps: the button's click, the edit with the new field, the painting.\n"
                "\"delete\" is \"ein Zeichen loeschen\", which also empties the clipboard.\n\n");
    std::printf("%9s  %-8s %6s  %8s %8s %8s   %8s %8s %8s\n", "length", "button", "rounds", "median", "p95", "best",
                "click", "edit", "paint");
    Measure(10, rounds);
    Measure(1000, rounds);
    Measure(100000, std::max(1, rounds / 5));
    wexa::ShutDown();
    return 0;
}
