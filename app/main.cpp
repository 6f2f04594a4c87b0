#include "app/program.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wexa::StartUp();
    if (wexa::MainWindowOpen()) wexa::RunEventLoop();
    wexa::ShutDown();
    return 0;
}
