// The sizes of a packed bitmap block, for the depths a bitmap can have.
#include "toolkit/dib_layout.h"

#include <gtest/gtest.h>

namespace wexa {
namespace {

TEST(PackedBitCount, RaisesToTheNextPackedDepth) {
    const struct {
        int planes, bits, packed;
    } cases[] = {{1, 0, 1},  {1, 1, 1},  {1, 2, 4},  {2, 2, 4},  {1, 4, 4},  {1, 5, 8},   {1, 8, 8}, {1, 9, 24},
                 {1, 16, 24}, {3, 8, 24}, {1, 24, 24}, {1, 25, 32}, {4, 8, 32}, {1, 32, 32}, {2, 32, 32}};
    for (const auto& c : cases)
        EXPECT_EQ(PackedBitCount(c.planes, c.bits), c.packed) << c.planes << " x " << c.bits;
}

TEST(ColourTableBytes, FullTableForPalettedDepthsNoneForTrueColour) {
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 0, 1), 8u);
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 0, 4), 64u);
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 0, 8), 1024u);
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 0, 24), 0u);
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 0, 32), 0u);
    EXPECT_EQ(ColourTableBytes(InfoHeaderBytes, 16, 8), 64u); // the colours used win when given
}

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
