// The image view under Wine: what it really paints, the size it takes, the events it
// raises for the clicks of a static control, and how it is replaced.
#include "toolkit/windows/events.h"
#include "toolkit/gadgets/gadgets.h"
#include "toolkit/graphics/images.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/windows/window.h"

#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace wexa {
namespace {

using testing::InstallImage;
using testing::PaintPattern;
using testing::TestImage;

constexpr int ViewNumber = 374;
constexpr int ImageNumber = 0;

// What the control shows, read back from its device context: top-down rows of B, G, R.
std::vector<std::uint8_t> CaptureControl(HWND control, int width, int height) {
    RedrawWindow(GetParent(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HDC source = GetDC(control);
    HDC copy = CreateCompatibleDC(source);
    HBITMAP canvas = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, canvas);
    BitBlt(copy, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const int stride = (3 * width + 3) / 4 * 4;
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bits) + y * stride;
        rows.insert(rows.end(), row, row + 3 * width);
    }
    SelectObject(copy, old);
    DeleteObject(canvas);
    DeleteDC(copy);
    ReleaseDC(control, source);
    return rows;
}

// The test image's pixels in the same layout: top-down rows of B, G, R.
std::vector<std::uint8_t> RowsOf(const TestImage& image) {
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.Pixel(0, image.height - 1 - y);
        rows.insert(rows.end(), row, row + 3 * image.width);
    }
    return rows;
}

SIZE SizeOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return {r.right - r.left, r.bottom - r.top};
}

struct SeenEvent {
    int gadget;
    int type;
    friend bool operator==(const SeenEvent&, const SeenEvent&) = default;
};

// Refuses the creation of every window of this thread while it lives.
class RefuseWindows {
public:
    RefuseWindows() : hook_(SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId())) {}
    RefuseWindows(const RefuseWindows&) = delete;
    RefuseWindows& operator=(const RefuseWindows&) = delete;
    ~RefuseWindows() { UnhookWindowsHookEx(hook_); }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) return 1;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

class ImageView : public ::testing::Test {
protected:
    void SetUp() override {
        InitToolkit();
        window_ = reinterpret_cast<HWND>(
            OpenToolkitWindow(0, PositionIgnored, PositionIgnored, 400, 300, u"Image view test", 0xCB0001));
        ASSERT_NE(window_, nullptr);
        image_ = InstallImage(ImageNumber, 90, 50);
        ASSERT_NE(image_.bitmap, nullptr);
        PaintPattern(image_);
    }
    void TearDown() override { ShutDownToolkit(); }

    HWND View() const { return GetDlgItem(window_, ViewNumber); }
    HWND ShowImage() {
        CreateImageView(ViewNumber, 30, 200, 10, 10, ImageHandleOf(ImageNumber));
        return View();
    }

    // Every gadget event waiting, up to a marker posted behind them.
    std::vector<SeenEvent> Events() {
        std::vector<SeenEvent> seen;
        PostMessageW(window_, WM_NULL, 0, 0);
        for (int code; (code = WaitForEvent()) != WM_NULL;)
            if (code == GadgetEvent) seen.push_back({EventGadgetNumber(), EventType()});
        return seen;
    }

    HWND window_ = nullptr;
    TestImage image_;
};

TEST_F(ImageView, IsANotifyingStaticControlOfTheBitmapsSizeAtItsPlace) {
    HWND view = ShowImage();
    ASSERT_NE(view, nullptr);
    wchar_t className[16];
    GetClassNameW(view, className, 16);
    EXPECT_STREQ(className, L"Static");
    EXPECT_EQ(GetWindowLongPtrW(view, GWL_STYLE), 0x50000100);
    EXPECT_EQ(GetWindowLongPtrW(view, GWL_EXSTYLE), 0);
    SIZE size = SizeOf(view);
    EXPECT_EQ(size.cx, 90);
    EXPECT_EQ(size.cy, 50);
    POINT corner{0, 0};
    MapWindowPoints(view, window_, &corner, 1);
    EXPECT_EQ(corner.x, MulDiv(30, GetDeviceCaps(GetDC(nullptr), LOGPIXELSX), 96));
}

TEST_F(ImageView, PaintsTheBitmapUnscaledAtItsTopLeftCorner) {
    HWND view = ShowImage();
    EXPECT_EQ(CaptureControl(view, 90, 50), RowsOf(image_));
}

TEST_F(ImageView, WithoutABitmapKeepsItsSizeAndShowsOnlyTheBackground) {
    CreateImageView(ViewNumber, 30, 200, 60, 50, BitmapHandle::Null);
    HWND view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(SizeOf(view).cx, MulDiv(60, GetDeviceCaps(GetDC(nullptr), LOGPIXELSX), 96));
    std::vector<std::uint8_t> shown = CaptureControl(view, 60, 50);
    for (std::size_t i = 3; i < shown.size(); ++i) ASSERT_EQ(shown[i], shown[i % 3]) << i; // one colour
}

TEST_F(ImageView, RaisesItsOwnEventsForTheClicksAStaticKeepsToItself) {
    HWND view = ShowImage();
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(view, WM_LBUTTONUP, 0, at);
    SendMessageW(view, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageW(view, WM_RBUTTONUP, 0, at);
    SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(view, WM_LBUTTONUP, 0, at);
    SendMessageW(view, WM_RBUTTONDBLCLK, MK_RBUTTON, at);
    SendMessageW(view, WM_RBUTTONUP, 0, at);
    // Left click, right click, left double-click (not the static's own STN_DBLCLK, which
    // would read as a right click), right double-click.
    std::vector<SeenEvent> expected{{ViewNumber, EventTypeLeftClick},
                                    {ViewNumber, EventTypeRightClick},
                                    {ViewNumber, EventTypeLeftDoubleClick},
                                    {ViewNumber, EventTypeRightDoubleClick}};
    EXPECT_EQ(Events(), expected);
}

TEST_F(ImageView, DragStartsOncePastTheSystemDragDistance) {
    HWND view = ShowImage();
    const int dx = GetSystemMetrics(SM_CXDRAG);
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20 + dx, 20)); // not farther yet
    EXPECT_EQ(Events(), (std::vector<SeenEvent>{{ViewNumber, EventTypeLeftClick}}));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20 + dx + 1, 20));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20 + dx + 9, 25));
    SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(20 + dx + 9, 25));
    EXPECT_EQ(Events(), (std::vector<SeenEvent>{{ViewNumber, EventTypeDragStart}}));
    SendMessageW(view, WM_MOUSEMOVE, 0, MAKELPARAM(80, 40)); // button up: no drag
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 40)); // held, but not pressed on the view
    EXPECT_TRUE(Events().empty());
}

TEST_F(ImageView, TakesAWidthBeyondSixteenBits) {
    TestImage wide = InstallImage(1, 40000, 50); // the picture of an 889-character line
    ASSERT_NE(wide.bitmap, nullptr);
    PaintPattern(wide);
    CreateImageView(ViewNumber, 0, 0, 10, 10, ImageHandleOf(1));
    // The platform caps a window's width (at 32767 under Wine): the view still reaches far
    // past any client area, and what the window can show is the picture's left part.
    EXPECT_GE(SizeOf(View()).cx, 32767);
    std::vector<std::uint8_t> shown = CaptureControl(View(), 300, 50); // what the window can show
    std::vector<std::uint8_t> rows = RowsOf(wide);
    for (int y = 0; y < 50; ++y)
        ASSERT_TRUE(std::equal(shown.begin() + y * 900, shown.begin() + (y + 1) * 900, rows.begin() + y * 120000)) << y;
}

TEST_F(ImageView, ANewViewReplacesTheOldOneAndLeavesTheBitmapToTheImageTable) {
    HWND first = ShowImage();
    HWND second = ShowImage();
    EXPECT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    int withNumber = 0;
    for (HWND c = GetWindow(window_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        withNumber += GetDlgCtrlID(c) == ViewNumber;
    EXPECT_EQ(withNumber, 1);
    FreeGadget(ViewNumber);
    EXPECT_EQ(GetObjectType(image_.bitmap), static_cast<DWORD>(OBJ_BITMAP)); // the view never deletes it
}

TEST_F(ImageView, ARefusedViewTakesTheOldViewAwayWithIt) {
    ShowImage();
    FreeImage(ImageNumber); // as the next transfer deletes the old picture first
    ControlHandle refused;
    {
        RefuseWindows refuse;
        refused = CreateImageView(ViewNumber, 30, 200, 90, 50, BitmapHandle::Null);
    }
    EXPECT_TRUE(IsNull(refused));
    EXPECT_EQ(View(), nullptr); // nothing left to paint a deleted bitmap
    EXPECT_FALSE(IsNull(CreateImageView(ViewNumber, 30, 200, 90, 50, BitmapHandle::Null)));
}

TEST_F(ImageView, ARefusedViewLeavesAnotherKindOfGadgetInPlace) {
    CreatePushButton(ViewNumber, 0, 0, 50, 20, u"stays");
    HWND button = View();
    {
        RefuseWindows refuse;
        EXPECT_TRUE(IsNull(CreateImageView(ViewNumber, 30, 200, 90, 50, ImageHandleOf(ImageNumber))));
    }
    EXPECT_EQ(View(), button);
}

} // namespace
} // namespace wexa
