#include "app/constants.h"
#include "app/program.h"

namespace wexa {

int RunProgram() {
    if (std::optional<Program> program = StartUp()) RunEventLoop(*program);
    ShutDown();
    return ProgramExitCode;
}

} // namespace wexa
