// The program's start-up and shutdown, in-process under Wine.
#include "app/program.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace wexa {
namespace {

HWND MainWindow() { return FindWindowW(L"WindowClass_0", L"Wexa Font Tastatur"); }

TEST(Program, StartUpGivesNothingWhenTheMainWindowCannotBeOpened) {
    // A class of that name already registered by someone else makes the window impossible.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WindowClass_0";
    ASSERT_TRUE(RegisterClassW(&wc));
    EXPECT_FALSE(StartUp().has_value());
    EXPECT_EQ(MainWindow(), nullptr);
    ShutDown();
    UnregisterClassW(L"WindowClass_0", GetModuleHandleW(nullptr));
}

TEST(Program, CloseRequestEndsTheLoopAndShutdownDestroysTheWindow) {
    std::optional<Program> program = StartUp();
    ASSERT_TRUE(program.has_value());
    HWND window = MainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    RunEventLoop(*program);
    EXPECT_TRUE(IsWindow(window)); // the close event only ends the loop
    ShutDown();
    EXPECT_FALSE(IsWindow(window));
    WNDCLASSW wc;
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), L"WindowClass_0", &wc));
}

TEST(Program, FromStartUpOnNoDllIsLoadedFromTheProgramsOwnFolder) {
    ASSERT_TRUE(StartUp().has_value());
    EXPECT_EQ(LoadLibraryW(L"wexa-planted.dll"), nullptr);
    HMODULE there = LoadLibraryExW(L"wexa-planted.dll", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    EXPECT_NE(there, nullptr) << "it lies beside this program";
    FreeLibrary(there);
    ShutDown();
}

TEST(Program, StartsAgainAfterAShutdown) {
    EXPECT_TRUE(StartUp().has_value());
    ShutDown();
    EXPECT_TRUE(StartUp().has_value());
    ShutDown();
}

} // namespace
} // namespace wexa
