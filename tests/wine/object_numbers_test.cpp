// Every Toolkit call that takes an object number, given numbers no table holds: nothing is
// created, nothing already there is released, and the result is null.
#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/platform/files.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/graphics/images.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/core/object_table.h"
#include "toolkit/windows/window.h"

#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <filesystem>

namespace wexa {
namespace {

constexpr int WrongNumbers[] = {-1, INT_MIN, LargestObjectNumber + 1, INT_MAX};

int CountChildren(HWND parent) {
    int count = 0;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++count;
    return count;
}

class WrongObjectNumbers : public ::testing::Test {
protected:
    void SetUp() override {
        InitToolkit();
        window_ = reinterpret_cast<HWND>(OpenToolkitWindow(0, 0, 0, 300, 200, u"numbers", 0));
        ASSERT_NE(window_, nullptr);
        ASSERT_FALSE(IsNull(CreatePushButton(0, 0, 0, 50, 24, u"kept")));
        ASSERT_FALSE(IsNull(LoadToolkitFont(0, u"Arial", 12)));
        ASSERT_FALSE(IsNull(CreateImageBuffer(0, 45, 50)));
    }
    void TearDown() override { ShutDownToolkit(); }

    // What number 0 of each table held before is still there.
    void ExpectNumberZeroKept() {
        EXPECT_EQ(CountChildren(window_), 1);
        EXPECT_FALSE(IsNull(FontHandleOf(0)));
        EXPECT_FALSE(IsNull(ImageHandleOf(0)));
    }

    HWND window_ = nullptr;
};

TEST_F(WrongObjectNumbers, CreateNothing) {
    for (int n : WrongNumbers) {
        EXPECT_TRUE(IsNull(OpenToolkitWindow(n, 0, 0, 100, 100, u"wrong", 0))) << n;
        EXPECT_TRUE(IsNull(CreatePushButton(n, 0, 30, 50, 24, u"wrong"))) << n;
        EXPECT_TRUE(IsNull(CreateTextField(n, 0, 60, 50, 24, u"wrong", 0))) << n;
        EXPECT_TRUE(IsNull(CreateImageView(n, 0, 90, 45, 50, ImageHandleOf(0)))) << n;
        EXPECT_TRUE(IsNull(LoadToolkitFont(n, u"Arial", 12))) << n;
        EXPECT_TRUE(IsNull(CreateImageBuffer(n, 45, 50))) << n;
        ExpectNumberZeroKept();
    }
}

TEST_F(WrongObjectNumbers, FindAndReleaseNothing) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "wexa_wrong_number.png";
    const std::wstring wide = file.wstring();
    for (int n : WrongNumbers) {
        EXPECT_TRUE(IsNull(FontHandleOf(n)));
        EXPECT_TRUE(IsNull(ImageHandleOf(n)));
        EXPECT_FALSE(BeginImageDrawing(n));
        EXPECT_EQ(testing::WritePng(n, wide), 0);
        EXPECT_TRUE(IsNull(testing::CopyPictureOf(n)));
        ApplyGadgetFont(n, FontHandleOf(0));
        FreeGadget(n);
        FreeImage(n);
        ExpectNumberZeroKept();
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace wexa
