// The Toolkit's windows, gadgets and events, driven in-process under Wine.
#include "toolkit/windows/events.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/windows/window.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace wexa {
namespace {

class ToolkitWindow : public ::testing::Test {
protected:
    void SetUp() override {
        InitToolkit();
        window_ = reinterpret_cast<HWND>(OpenToolkitWindow(0, PositionIgnored, PositionIgnored, 400, 300,
                                                           u"Toolkit test", 0xCB0001));
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { ShutDownToolkit(); }

    HWND Child(int id) const { return GetDlgItem(window_, id); }

    HWND window_ = nullptr;
};

int CountChildrenWithId(HWND parent, int id) {
    int count = 0;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        count += GetDlgCtrlID(c) == id;
    return count;
}

TEST_F(ToolkitWindow, ClientAreaHasTheRequestedSize) {
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    wchar_t className[64];
    GetClassNameW(window_, className, 64);
    EXPECT_STREQ(className, L"WindowClass_0");
    EXPECT_EQ(GetWindowLongPtrW(window_, GWL_STYLE) & 0x00FF0000, 0x00CB0000);
}

TEST_F(ToolkitWindow, RecreatingAGadgetLeavesOneControlAndDropsItsQueuedClick) {
    CreateTextField(185, 10, 10, 200, 30, u"first", TextFieldBorder);
    HWND first = Child(185);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(185, STN_CLICKED), reinterpret_cast<LPARAM>(first));
    CreateTextField(185, 10, 10, 200, 30, u"second", TextFieldBorder);
    EXPECT_EQ(CountChildrenWithId(window_, 185), 1);
    EXPECT_FALSE(IsWindow(first));
    wchar_t text[16];
    GetWindowTextW(Child(185), text, 16);
    EXPECT_STREQ(text, L"second");
    PostMessageW(window_, WM_NULL, 0, 0);
    EXPECT_NE(WaitForEvent(), GadgetEvent); // the click of the old field is gone
}

TEST_F(ToolkitWindow, ClickOnAButtonArrivesAsOneGadgetEvent) {
    CreatePushButton(7, 10, 10, 80, 24, u"seven");
    SendMessageW(Child(7), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForEvent(), GadgetEvent);
    EXPECT_EQ(EventGadgetNumber(), 7);
    EXPECT_EQ(EventType(), 0);
}

TEST_F(ToolkitWindow, CloseRequestQueuesACloseEventAndKeepsTheWindow) {
    SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(WaitForEvent(), CloseEvent);
}

TEST_F(ToolkitWindow, FontOperationsOnEmptyNumbersChangeNothing) {
    EXPECT_EQ(FontHandleOf(42), FontHandle::Null);
    ApplyGadgetFont(180, FontHandleOf(1)); // no gadget 180: nothing happens
    CreatePushButton(3, 0, 0, 50, 24, u"x");
    HFONT before = reinterpret_cast<HFONT>(SendMessageW(Child(3), WM_GETFONT, 0, 0));
    EXPECT_NE(before, nullptr); // every gadget starts with the default gadget font
    ApplyGadgetFont(3, FontHandleOf(42));
    EXPECT_EQ(SendMessageW(Child(3), WM_GETFONT, 0, 0), 0); // null font: the system font draws
}

TEST_F(ToolkitWindow, AFontChangeRedrawsAShownGadget) {
    CreatePushButton(3, 0, 0, 50, 24, u"x");
    UpdateWindow(window_);
    ASSERT_FALSE(GetUpdateRect(Child(3), nullptr, FALSE)); // painted
    ApplyGadgetFont(3, LoadToolkitFont(1, u"Arial", 12));
    EXPECT_TRUE(GetUpdateRect(Child(3), nullptr, FALSE)); // to be painted again, in the new font
}

// A window opened to be shown later gets its gadgets, numbers and fonts while hidden and
// appears with all of them when it is shown.
TEST(ToolkitWindowShownLater, GetsItsGadgetsWhileHiddenAndShowsThemWhenShown) {
    InitToolkit();
    auto window = reinterpret_cast<HWND>(OpenToolkitWindow(0, PositionIgnored, PositionIgnored, 400, 300,
                                                           u"Toolkit test", 0xCB0001 | WindowShownLater));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & 0x00FF000F, 0x00CB0000); // the flag is no style
    CreatePushButton(7, 10, 10, 80, 24, u"seven");
    CreateTextField(185, 10, 40, 200, 30, u"line", TextFieldBorder);
    HFONT font = reinterpret_cast<HFONT>(LoadToolkitFont(1, u"Arial", 12));
    ApplyGadgetFont(7, FontHandleOf(1));
    ShowToolkitWindow(1); // no window 1: nothing happens
    EXPECT_FALSE(IsWindowVisible(window));

    ShowToolkitWindow(0);
    EXPECT_TRUE(IsWindowVisible(window));
    for (int number : {7, 185}) {
        HWND gadget = GetDlgItem(window, number);
        ASSERT_NE(gadget, nullptr) << number;
        EXPECT_TRUE(IsWindowVisible(gadget)) << number;
    }
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, 7), WM_GETFONT, 0, 0)), font);
    EXPECT_NE(SendMessageW(GetDlgItem(window, 185), WM_GETFONT, 0, 0), 0); // the default gadget font
    ShutDownToolkit();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(ToolkitWindow, TabWalksTheFocusAcrossTabStopsAndWraps) {
    CreatePushButton(1, 0, 0, 50, 24, u"a");
    CreateTextField(185, 0, 30, 50, 24, u"", TextFieldBorder); // no tab stop
    CreatePushButton(2, 60, 0, 50, 24, u"b");
    SetForegroundWindow(window_);
    SetFocus(window_);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(64001, 1), 0);
    EXPECT_EQ(GetFocus(), Child(1));
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(64001, 1), 0);
    EXPECT_EQ(GetFocus(), Child(2));
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(64001, 1), 0);
    EXPECT_EQ(GetFocus(), Child(1));
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(64002, 1), 0);
    EXPECT_EQ(GetFocus(), Child(2));
}

} // namespace
} // namespace wexa
