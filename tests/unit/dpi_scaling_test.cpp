#include "toolkit/core/dpi_scaling.h"

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

// The keyboard's client area with Wine's frame at 96 DPI (6 x 25) on the screens users have.
TEST(FittingLayoutDpi, TheDisplaysDensityWhereTheWindowFitsElseTheLargestThatFits) {
    struct {
        int dpi, workWidth, workHeight, expected;
    } cases[] = {
        {96, 2560, 1440, 96}, {144, 2560, 1440, 144}, // fits: unchanged
        {144, 1920, 1080, 136},                       // 1080p at 150 %: 1913 + 6 <= 1920, 1927 + 6 not
        {144, 1920, 1040, 133},                       // with a taskbar the height decides: 1011 + 25 <= 1040
        {96, 1356, 755, 96}, {96, 1355, 755, 95},     // exactly the window's size, one pixel less
        {96, 200, 100, SmallestLayoutDpi}, {20, 200, 100, 20}, // never below the floor nor above the display
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittingLayoutDpi(c.dpi, {1350, 730}, {6, 25}, {c.workWidth, c.workHeight}), c.expected)
            << c.dpi << " DPI on " << c.workWidth << " x " << c.workHeight;
}

// A second monitor right of the first, with a taskbar on top.
TEST(WorkAreaPlacement, CentresInAndKeepsInsideAWorkAreaAnywhereOnTheDesktop) {
    const Box work{1920, 40, 3840, 1080};
    struct {
        Origin at;
        int x, y;
    } cases[] = {
        {CentredIn(work, {1356, 755}), 1920 + 282, 40 + 142}, {CentredIn(work, {2031, 1120}), 1920, 40},
        {KeptInside({2000, 100}, {1356, 755}, work), 2000, 100},  // inside: as suggested
        {KeptInside({3000, 500}, {1356, 755}, work), 2484, 325},  // past the right and bottom edges
        {KeptInside({1800, 0}, {1356, 755}, work), 1920, 40},     // left of and above it
        {KeptInside({2500, 300}, {2031, 1120}, work), 1920, 40},  // larger: its corner in it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.at.x, c.x);
        EXPECT_EQ(c.at.y, c.y);
    }
}

} // namespace
} // namespace wexa
