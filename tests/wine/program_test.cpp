// The program's start-up and shutdown, in-process under Wine.
#include "app/program.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace wexa {
namespace {

HWND MainWindow() { return FindWindowW(L"WindowClass_0", L"Wexa Font Tastatur"); }

TEST(Program, EndsWithExitCode0WhenTheMainWindowCannotBeOpened) {
    // A class of that name already registered by someone else makes the window impossible.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WindowClass_0";
    ASSERT_TRUE(RegisterClassW(&wc));
    EXPECT_EQ(RunProgram(), 0); // returns at once: no event loop without a window
    EXPECT_EQ(MainWindow(), nullptr);
    UnregisterClassW(L"WindowClass_0", GetModuleHandleW(nullptr));
}

TEST(Program, CloseRequestEndsTheLoopAndShutdownDestroysTheWindow) {
    StartUp();
    ASSERT_TRUE(MainWindowOpen());
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    RunEventLoop();
    EXPECT_TRUE(IsWindow(window)); // the close event only ends the loop
    ShutDown();
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSW wc;
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"WindowClass_0", &wc));
}

TEST(Program, StartsAgainAfterAShutdown) {
    StartUp();
    ASSERT_TRUE(MainWindowOpen());
    ShutDown();
    StartUp();
    EXPECT_TRUE(MainWindowOpen());
    ShutDown();
}

} // namespace
} // namespace wexa
