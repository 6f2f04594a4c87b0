#include "app/program.h"

namespace wexa {

int RunProgram() {
    StartUp();
    if (MainWindowOpen()) RunEventLoop();
    ShutDown();
    return 0; // on every path, also when the window could not be opened
}

} // namespace wexa
