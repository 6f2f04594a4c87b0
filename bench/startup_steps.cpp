// The keyboard itself with its start-up steps timed: the program's own code, with its
// step mark set to write each step's end as a mark (see startup_marks.h); or,
// with --suspects, what each suspect of the start-up costs (startup_suspects.cpp).
//     bench-startup-steps.exe MARKS_FILE
//     bench-startup-steps.exe --suspects [ROUNDS]
#include "app/program.h"
#include "startup_marks.h"
#include "startup_suspects.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>

namespace {

wexa::bench::StartupMarks* marks = nullptr;

void Record(const char* step) { marks->Mark(step); }

const wchar_t* Argument(int i) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    return count > i ? args[i] : nullptr; // kept for the life of the process
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (const wchar_t* mode = Argument(1); mode && std::wstring(mode) == L"--suspects")
        return wexa::bench::RunSuspects(Argument(2) ? std::max(1, _wtoi(Argument(2))) : 9);
    wexa::bench::StartupMarks recorder(Argument(1));
    marks = &recorder;
    recorder.Mark("entry (wWinMain)");
    int code = wexa::RunProgram(Record);
    recorder.Mark("shut down");
    return code;
}
