// What the keys say about themselves in the program started in-process: one tooltip control
// with a tip for every glyph key and command, which shutdown takes away; the accessible names are the
// syllables wherever the platform takes names, and the program runs on where it does not.
#include "running_keyboard.h"

#include "keyboard/key_table.h"

#include <optional>

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace wexa::testing {
namespace {

std::wstring TextOf(HWND control) {
    wchar_t text[64] = L"";
    GetWindowTextW(control, text, 64);
    return text;
}

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

std::wstring AccessibleNameOf(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))))
        return L"";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result;
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) result = name;
    SysFreeString(name);
    accessible->Release();
    return result;
}

// Whether this platform keeps names given through the accessibility service at all.
bool PlatformTakesNames(HWND someWindow) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
        return false;
    HRESULT set =
        services->SetHwndPropStr(someWindow, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, L"probe");
    if (SUCCEEDED(set)) {
        MSAAPROPID name = PROPID_ACC_NAME;
        services->ClearHwndProps(someWindow, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
    services->Release();
    return SUCCEEDED(set);
}

using KeyNames = RunningKeyboard;

// The tooltips' texts are checked on the real program (end-to-end); here what it leaves behind.
TEST_F(KeyNames, OneTooltipControlOfTheMainWindowHoldsATipForEveryGlyphKeyAndCommand) {
    std::vector<HWND> tooltips = TooltipControlsOfThisThread();
    ASSERT_EQ(tooltips.size(), 1u);
    EXPECT_EQ(GetWindow(tooltips[0], GW_OWNER), window_);
    EXPECT_EQ(SendMessageW(tooltips[0], TTM_GETTOOLCOUNT, 0, 0), 184);
}

TEST_F(KeyNames, GlyphKeysAndTheLineDisplayAreNamedBySyllablesWhereThePlatformTakesNames) {
    Click(0);
    Click(SpacesButton);
    Click(369);
    Click(270);
    if (!PlatformTakesNames(window_)) {
        // Wine: the program went on and the keys still work.
        EXPECT_EQ(LineDisplayText(), u"!  \u00FDq");
        GTEST_SKIP() << "this platform keeps no accessible names";
    }
    for (int n = FirstGlyphKey; n <= LastGlyphKey; ++n)
        EXPECT_EQ(AccessibleNameOf(Control(n)), TextOf(Control(n + FirstSyllableKey - FirstGlyphKey))) << n;
    EXPECT_EQ(AccessibleNameOf(Control(LineDisplayNumber)), L"ab, gud \u010Da");
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
