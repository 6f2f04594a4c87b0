// What the keys say about themselves in the program started in-process: one tooltip control
// with a tip for every glyph key and command, which shutdown takes away. Their accessible names
// are checked on the real program, through a recording accessibility service.
#include "running_keyboard.h"

#include <optional>

#include <commctrl.h>

#include <string>
#include <vector>

namespace wexa::testing {
namespace {

BOOL CALLBACK CollectTooltips(HWND window, LPARAM list) {
    wchar_t cls[64] = L"";
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> TooltipControlsOfThisThread() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectTooltips, reinterpret_cast<LPARAM>(&found));
    return found;
}

using KeyNames = RunningKeyboard;

// The tooltips' texts are checked on the real program (end-to-end); here what it leaves behind.
TEST_F(KeyNames, OneTooltipControlOfTheMainWindowHoldsATipForEveryGlyphKeyAndCommand) {
    std::vector<HWND> tooltips = TooltipControlsOfThisThread();
    ASSERT_EQ(tooltips.size(), 1u);
    EXPECT_EQ(GetWindow(tooltips[0], GW_OWNER), window_);
    EXPECT_EQ(SendMessageW(tooltips[0], TTM_GETTOOLCOUNT, 0, 0), 184);
}

TEST(KeyNamesAtShutdown, ShutdownTakesTheTooltipControlAwayAndAnotherStartMakesOneAgain) {
    for (int round = 0; round < 2; ++round) {
        std::optional<Program> program = StartUp();
        ASSERT_TRUE(program);
        EXPECT_EQ(TooltipControlsOfThisThread().size(), 1u);
        program.reset();
        ShutDown();
        EXPECT_EQ(TooltipControlsOfThisThread().size(), 0u);
    }
}

} // namespace
} // namespace wexa::testing
