#include "toolkit/dpi_scaling.h"

#include <gtest/gtest.h>

namespace wexa {
namespace {

TEST(DpiScaling, MainWindowClientAreaAtCommonDensities) {
    EXPECT_EQ(ScaleForDpi(1350, 96), 1350);
    EXPECT_EQ(ScaleForDpi(730, 96), 730);
    EXPECT_EQ(ScaleForDpi(1350, 144), 2025);
    EXPECT_EQ(ScaleForDpi(730, 144), 1095);
    EXPECT_EQ(ScaleForDpi(1350, 120), 1688); // 1687.5 rounds up
}

TEST(DpiScaling, RoundsHalvesAwayFromZeroLikeThePlatform) {
    EXPECT_EQ(MulDivRounded(3, 1, 2), 2);
    EXPECT_EQ(MulDivRounded(-3, 1, 2), -2);
    EXPECT_EQ(MulDivRounded(5, 1, -2), -3);
    EXPECT_EQ(MulDivRounded(7, 0, 5), 0);
    EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
}

TEST(DpiScaling, FontHeightsOfTheThreeFonts) {
    EXPECT_EQ(FontPixelHeight(14, 96), 19);
    EXPECT_EQ(FontPixelHeight(12, 96), 16);
    EXPECT_EQ(FontPixelHeight(30, 96), 40);
    EXPECT_EQ(FontPixelHeight(14, 120), 23);
    EXPECT_EQ(FontPixelHeight(12, 120), 20);
    EXPECT_EQ(FontPixelHeight(30, 120), 50);
    EXPECT_EQ(FontPixelHeight(14, 144), 28);
    EXPECT_EQ(FontPixelHeight(30, 144), 60);
}

TEST(DpiScaling, LargeValuesDoNotOverflow) {
    EXPECT_EQ(MulDivRounded(2'000'000'000, 3, 4), 1'500'000'000);
    EXPECT_EQ(MulDivRounded(2'000'000'000, 144, 96), -1); // does not fit: -1, as the platform answers
}

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

} // namespace
} // namespace wexa
