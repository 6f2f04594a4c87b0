// The sizes of a packed bitmap block, for the depths a bitmap can have.
#include "toolkit/core/dib_layout.h"

#include <gtest/gtest.h>

namespace wexa {
namespace {

TEST(PackedRowBytes, PadsEveryRowToFourBytes) {
    EXPECT_EQ(PackedRowBytes(24, 45), 136u);
    EXPECT_EQ(PackedRowBytes(24, 90), 272u); // 270 bytes of pixels and 2 filler bytes
    EXPECT_EQ(PackedRowBytes(24, 1125000), 3375000u);
    EXPECT_EQ(PackedRowBytes(1, 1), 4u);
    EXPECT_EQ(PackedRowBytes(1, 33), 8u);
    EXPECT_EQ(PackedRowBytes(4, 9), 8u);
    EXPECT_EQ(PackedRowBytes(32, 3), 12u);
}

TEST(PackedImageBytes, CoversAllRowsAndRefusesWhatTheHeaderCannotHold) {
    EXPECT_EQ(PackedImageBytes(24, 90, 50), 13600u);
    EXPECT_EQ(PackedImageBytes(24, 1125000, 50), 168750000u);
    EXPECT_EQ(PackedImageBytes(24, 0, 50), 0u);
    EXPECT_FALSE(PackedImageBytes(32, 1 << 30, 1)); // 4 GiB of one row
    EXPECT_FALSE(PackedImageBytes(24, 90, -50));
}

} // namespace
} // namespace wexa
