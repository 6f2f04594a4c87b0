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

} // namespace
} // namespace wexa
