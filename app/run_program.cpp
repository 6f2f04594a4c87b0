#include "app/constants.h"
#include "app/program.h"

namespace wexa {

int RunProgram(StepMark mark) {
    if (std::optional<Program> program = StartUp(mark)) RunEventLoop(*program);
    ShutDown();
    return ProgramExitCode;
}

} // namespace wexa
