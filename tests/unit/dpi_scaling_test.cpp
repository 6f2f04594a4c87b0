#include "toolkit/dpi_scaling.h"

#include <gtest/gtest.h>

namespace wexa {
namespace {

TEST(CentredOrigin, CentresWithTruncationAndNeverGoesNegative) {
    Origin fits = CentredOrigin(1356, 755, 1600, 900);
    EXPECT_EQ(fits.x, 122);
    EXPECT_EQ(fits.y, 72);
    Origin odd = CentredOrigin(1355, 754, 1600, 900); // 122.5 and 73 truncate
    EXPECT_EQ(odd.x, 122);
    EXPECT_EQ(odd.y, 73);
    Origin tooLarge = CentredOrigin(2031, 1120, 1024, 768);
    EXPECT_EQ(tooLarge.x, 0);
    EXPECT_EQ(tooLarge.y, 0);
    Origin wideOnly = CentredOrigin(2031, 500, 1024, 768);
    EXPECT_EQ(wideOnly.x, 0);
    EXPECT_EQ(wideOnly.y, 134);
}

// The keyboard's client area, 1350 x 730, with a frame of 6 x 25 (Wine's at 96 DPI) or
// 9 x 34, on the screens users have.
TEST(FittingLayoutDpi, TheDisplaysDensityWhereTheWindowFitsElseTheLargestThatFits) {
    constexpr Size client{1350, 730};
    struct Case {
        int displayDpi;
        Size frame, work;
        int expected;
    } cases[] = {
        {96, {6, 25}, {2560, 1440}, 96},   // fits: unchanged
        {144, {6, 25}, {2560, 1440}, 144}, // 2031 x 1120 fits
        {144, {6, 31}, {1920, 1080}, 136}, // 1080p at 150 %: the width decides, 1913 + 6 <= 1920
        {144, {6, 31}, {1920, 1040}, 132}, // with a taskbar the height decides, 1004 + 31 <= 1040
        {120, {9, 34}, {1366, 728}, 91},   // a small laptop at 125 %
        {96, {6, 25}, {1356, 755}, 96},    // exactly the window's size
        {96, {6, 25}, {1355, 755}, 95},    // one pixel less
        {96, {6, 25}, {200, 100}, SmallestLayoutDpi}, // never smaller: cut off instead
        {20, {6, 25}, {200, 100}, 20},     // nor larger than the display's own
    };
    for (const Case& c : cases) {
        int dpi = FittingLayoutDpi(c.displayDpi, client, c.frame, c.work);
        EXPECT_EQ(dpi, c.expected) << c.displayDpi << " DPI on " << c.work.width << " x " << c.work.height;
        if (dpi > SmallestLayoutDpi && dpi < c.displayDpi) { // the largest that fits: one more would not
            EXPECT_LE(ScaleForDpi(client.width, dpi) + c.frame.width, c.work.width);
            EXPECT_LE(ScaleForDpi(client.height, dpi) + c.frame.height, c.work.height);
            EXPECT_TRUE(ScaleForDpi(client.width, dpi + 1) + c.frame.width > c.work.width ||
                        ScaleForDpi(client.height, dpi + 1) + c.frame.height > c.work.height);
        }
    }
}

TEST(WorkAreaPlacement, CentresInAndKeepsInsideAWorkAreaAnywhereOnTheDesktop) {
    const Box right{1920, 40, 3840, 1080}; // a second monitor right of the first, a taskbar on top
    Origin centred = CentredIn(right, {1356, 755});
    EXPECT_EQ(centred.x, 1920 + 282);
    EXPECT_EQ(centred.y, 40 + 142);
    Origin tooLarge = CentredIn(right, {2031, 1120});
    EXPECT_EQ(tooLarge.x, 1920);
    EXPECT_EQ(tooLarge.y, 40);

    struct Case {
        Origin wanted;
        Size outer;
        Origin expected;
    } cases[] = {
        {{2000, 100}, {1356, 755}, {2000, 100}},   // inside: as suggested
        {{3000, 500}, {1356, 755}, {2484, 325}},   // past the right and bottom edges: moved back
        {{1800, 0}, {1356, 755}, {1920, 40}},      // left of and above it: moved in
        {{2500, 300}, {2031, 1120}, {1920, 40}},   // larger than the area: its corner in it
    };
    for (const Case& c : cases) {
        Origin at = KeptInside(c.wanted, c.outer, right);
        EXPECT_EQ(at.x, c.expected.x) << c.wanted.x << ", " << c.wanted.y;
        EXPECT_EQ(at.y, c.expected.y) << c.wanted.x << ", " << c.wanted.y;
    }
}

} // namespace
} // namespace wexa
