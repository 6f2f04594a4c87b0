// The keyboard itself with its start-up steps timed: the program's own code, with the
// Toolkit's step hook set to write each step's end as a mark (see startup_marks.h).
//     bench-startup-steps.exe MARKS_FILE
#include "app/program.h"
#include "startup_marks.h"
#include "toolkit/lifecycle.h"

#include <windows.h>

#include <shellapi.h>

namespace {

wexa::bench::StartupMarks* marks = nullptr;

void Record(const char* step) { marks->Mark(step); }

const wchar_t* FirstArgument() {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    return count > 1 ? args[1] : nullptr; // kept for the life of the process
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wexa::bench::StartupMarks recorder(FirstArgument());
    marks = &recorder;
    recorder.Mark("entry (wWinMain)");
    wexa::SetStartupStepHook(Record);
    int code = wexa::RunProgram();
    recorder.Mark("shut down");
    return code;
}
