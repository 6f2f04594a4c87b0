// How long a click on a key takes until the line display shows the new line, for lines of
// 10, 1,000 and 100,000 characters; the deletion back to the old line is timed too. The
// program is started in-process as the executable starts it; a click goes the real way:
// the button reports it, the Toolkit queues the event, the program dispatches it, the new
// field is created and painted. Beside it, a typed key that ends a syllable ("b" after
// "a": "ab") and Backspace, sent as keyboard input (SendInput) to the focused key, until
// the line display shows the new line.
//
//     bench-keyboard-edit [ROUNDS]
#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/windows/events.h"
#include "toolkit/gadgets/gadgets.h"

#include <windows.h>
// For the accessibility service's GUIDs.
#include <initguid.h>
#include <oleacc.h>

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
    for (int code = wexa::WaitForEvent(); code != Marker; code = wexa::WaitForEvent())
        wexa::HandleEvent(*program, code);
}

// Keyboard input is fetched after posted messages, so a posted marker cannot tell when it
// was handled: the loop runs until the line has the new length, or a second has passed.
bool PumpUntilLength(std::size_t length) {
    constexpr UINT_PTR GiveUp = 77;
    SetTimer(window, GiveUp, 1000, nullptr);
    bool arrived = true;
    while (program->line.Length() != length) {
        int code = wexa::WaitForEvent();
        if (code == WM_TIMER) {
            arrived = false;
            break;
        }
        wexa::HandleEvent(*program, code);
    }
    KillTimer(window, GiveUp);
    return arrived;
}

void SendKey(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
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

// The same for a key typed on the keyboard that changes the line to `length` characters.
Timing TimedKey(WORD key, std::size_t length) {
    Clock::time_point start = Clock::now();
    SendKey(key);
    Clock::time_point sent = Clock::now();
    if (!PumpUntilLength(length)) std::printf("a typed key did not arrive!\n");
    Clock::time_point edited = Clock::now();
    UpdateWindow(GetDlgItem(window, wexa::LineDisplayNumber));
    GdiFlush();
    Clock::time_point painted = Clock::now();
    return {Ms(start, painted), Ms(start, sent), Ms(sent, edited), Ms(edited, painted)};
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

// The keyboard goes to the focused glyph key 0, as after a click on it.
void MeasureTyping(std::size_t length, int rounds) {
    SetForegroundWindow(window);
    SetFocus(GetDlgItem(window, 0));
    Series typed, backspace;
    for (int i = 0; i < rounds; ++i) {
        SendKey('A'); // pending, the line stays as it is
        PumpUntilLength(length - 1);
        Pump();
        typed.Add(TimedKey('B', length)); // "ab": the character of glyph key 0
        backspace.Add(TimedKey(VK_BACK, length - 1));
    }
    typed.Print("typed b", length, rounds);
    backspace.Print("Bksp", length, rounds);
}

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
    MeasureTyping(length, rounds);
}

// The first making of the platform's accessibility service, which loads its DLL: start-up
// does it when it names the first glyph key. Measured before start-up, in an apartment
// that stays open until the end, so the start-up figure leaves it out.
double FirstAccessibilityServiceMs() {
    OleInitialize(nullptr);
    Clock::time_point start = Clock::now();
    IAccPropServices* services = nullptr;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services));
    double ms = Ms(start, Clock::now());
    if (services) services->Release();
    return ms;
}

// What naming the glyph keys adds to start-up: the 180 tooltips and accessible names as
// start-up gives them, timed again on the live keys.
void MeasureNames(double startUpMs, double serviceMs) {
    Clock::time_point start = Clock::now();
    for (int n = wexa::FirstGlyphKey; n <= wexa::LastGlyphKey; ++n) {
        std::u16string_view syllable = wexa::FindKeyEntry(n + wexa::FirstSyllableKey)->label;
        wexa::SetGadgetTooltip(n, syllable);
        wexa::SetGadgetAccessibleName(n, syllable);
    }
    std::printf("\nStart-up in-process: %.1f ms. Of it, naming the 180 glyph keys (one tooltip control with a\n"
                "tool for each, and their accessible names) %.2f ms; making the accessibility service the first\n"
                "time, with its DLL, %.2f ms more (measured before start-up, so not in the start-up figure).\n",
                startUpMs, Ms(start, Clock::now()), serviceMs);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    double serviceMs = FirstAccessibilityServiceMs();
    Clock::time_point starting = Clock::now();
    program = wexa::StartUp();
    double startUpMs = Ms(starting, Clock::now());
    window = FindWindowW(L"WindowClass_0", nullptr);
    if (!program || !window) {
        std::printf("the main window did not open\n");
        return 1;
    }
    std::printf("From a click to the painted line display, in ms: median, 95th percentile and best of the whole,\n"
                "then the medians of its steps: the button's click, the edit with the new field, the painting.\n"
                "\"delete\" is \"ein Zeichen loeschen\", which also empties the clipboard. \"typed b\" is the key\n"
                "B typed after A, which writes \"ab\", and \"Bksp\" Backspace, both as keyboard input; their\n"
                "\"click\" column is the sending of the input.\n\n");
    std::printf("%9s  %-8s %6s  %8s %8s %8s   %8s %8s %8s\n", "length", "button", "rounds", "median", "p95", "best",
                "click", "edit", "paint");
    Measure(10, rounds);
    Measure(1000, rounds);
    Measure(100000, std::max(1, rounds / 5));
    MeasureNames(startUpMs, serviceMs);
    program.reset();
    wexa::ShutDown();
    OleUninitialize();
    return 0;
}
