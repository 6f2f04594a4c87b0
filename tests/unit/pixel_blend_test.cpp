// The pixel arithmetic behind FillBox and DrawTextAt, on buffers laid out as the
// platform's 24-bit bitmaps are: exactly sized, so that a write outside shows under ASan.
#include "toolkit/core/pixel_blend.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace wexa {
namespace {

struct Buffer {
    std::vector<std::uint8_t> bytes;
    PixelSurface surface;

    Buffer(int width, int height, bool bottomUp, std::uint8_t fill = 0)
        : bytes(static_cast<std::size_t>(RowStride24(width) * height), fill),
          surface{bytes.data(), RowStride24(width), width, height, bottomUp} {}

    std::array<std::uint8_t, 3> Bgr(int x, int y) const {
        const std::uint8_t* p = surface.At(x, y);
        return {p[0], p[1], p[2]};
    }
    void Set(int x, int y, std::array<std::uint8_t, 3> bgr) const {
        std::uint8_t* p = surface.At(x, y);
        p[0] = bgr[0], p[1] = bgr[1], p[2] = bgr[2];
    }
};

using Bgr = std::array<std::uint8_t, 3>;
constexpr Bgr WhiteBgr{255, 255, 255};

TEST(RowLayout, RowsArePaddedToFourBytesAndBottomUpRowsStartAtTheEnd) {
    EXPECT_EQ(RowStride24(1), 4);
    EXPECT_EQ(RowStride24(2), 8);
    EXPECT_EQ(RowStride24(45), 136);
    EXPECT_EQ(RowStride24(90), 272);
    EXPECT_EQ(RowStride24(25000 * 45), 3375000); // a 25,000-character line
    Buffer b(2, 3, true);
    EXPECT_EQ(b.surface.Row(0), b.bytes.data() + 2 * 8); // the top row is stored last
    EXPECT_EQ(b.surface.At(1, 2), b.bytes.data() + 3);
}

TEST(BlendChannel, FollowsTheFormulaWithTheRemainderDropped) {
    for (int m = 0; m <= 255; ++m) {
        auto c = static_cast<std::uint8_t>(m);
        EXPECT_EQ(BlendChannel(255, 0, c), 255 - m); // black text on white
        EXPECT_EQ(BlendChannel(0, 255, c), m);
    }
    for (int v = 0; v <= 255; ++v) {
        auto c = static_cast<std::uint8_t>(v);
        EXPECT_EQ(BlendChannel(c, 17, 0), v);    // no coverage keeps the pixel
        EXPECT_EQ(BlendChannel(200, c, 255), v); // full coverage takes the colour
    }
    EXPECT_EQ(BlendChannel(100, 200, 128), 150); // 38300 / 255 = 150.19
    EXPECT_EQ(BlendChannel(1, 0, 1), 0);         // 254 / 255
}

TEST(BlendMask, TransparentBlendsEachChannelWithItsOwnCoverage) {
    Buffer image(4, 2, true, 255);
    Buffer mask(4, 2, false);
    mask.Set(1, 0, {255, 0, 128}); // coverage differing per channel, as subpixel text gives
    mask.Set(2, 1, {255, 255, 255});
    BlendMask(image.surface, mask.surface, {4, 2, 0, 0, Black});
    EXPECT_EQ(image.Bgr(1, 0), (Bgr{0, 255, 127}));
    EXPECT_EQ(image.Bgr(2, 1), (Bgr{0, 0, 0}));
    EXPECT_EQ(image.Bgr(0, 0), WhiteBgr);
    EXPECT_EQ(image.Bgr(3, 1), WhiteBgr);
}

TEST(BlendMask, FrontColourChannelsGoToTheirOwnBytes) {
    Buffer image(1, 1, true, 0);
    Buffer mask(1, 1, false, 255);
    BlendMask(image.surface, mask.surface, {1, 1, 0, 0, RGBColour(10, 20, 30)});
    EXPECT_EQ(image.Bgr(0, 0), (Bgr{30, 20, 10}));
}

TEST(BlendMask, OpaquePaintsTheWholeRegionFromTheBackground) {
    Buffer image(3, 1, true, 255);
    Buffer mask(2, 1, false);
    mask.Set(1, 0, {255, 255, 255});
    BlendMask(image.surface, mask.surface, {2, 1, 0, 0, White, true, Black});
    EXPECT_EQ(image.Bgr(0, 0), (Bgr{0, 0, 0})); // no coverage: the background
    EXPECT_EQ(image.Bgr(1, 0), WhiteBgr);       // full coverage: the front colour
    EXPECT_EQ(image.Bgr(2, 0), WhiteBgr);       // outside the region: untouched
}

TEST(BlendMask, RegionIsClippedToImageAndMaskOnEverySide) {
    Buffer image(3, 3, true, 255);
    Buffer mask(4, 4, false, 255);
    mask.Set(2, 1, {0, 0, 0}); // lands on image (0, 0) when the region starts at (-2, -1)
    BlendMask(image.surface, mask.surface, {4, 4, -2, -1, Black});
    EXPECT_EQ(image.Bgr(0, 0), WhiteBgr);
    EXPECT_EQ(image.Bgr(1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(image.Bgr(1, 2), (Bgr{0, 0, 0}));
    EXPECT_EQ(image.Bgr(2, 0), WhiteBgr); // mask column 4 does not exist
    Buffer far(3, 3, true, 255);
    BlendMask(far.surface, mask.surface, {100, 100, 2, 2, Black}); // wider than the mask, past the image
    EXPECT_EQ(far.Bgr(2, 2), (Bgr{0, 0, 0}));
    EXPECT_EQ(far.Bgr(1, 1), WhiteBgr);
    BlendMask(far.surface, mask.surface, {4, 4, 1LL << 40, 0, Black}); // far outside: nothing
    BlendMask(far.surface, mask.surface, {4, 4, -(1LL << 40), 0, Black});
    EXPECT_EQ(far.Bgr(0, 0), WhiteBgr);
}

TEST(ClearMask, ClearsOnlyTheUsedRegion) {
    Buffer mask(3, 2, false, 255);
    ClearMask(mask.surface, 2, 1);
    EXPECT_EQ(mask.Bgr(1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(mask.Bgr(2, 0), WhiteBgr);
    EXPECT_EQ(mask.Bgr(0, 1), WhiteBgr);
    ClearMask(mask.surface, 50, 50); // larger than the mask: clipped
    EXPECT_EQ(mask.Bgr(2, 1), (Bgr{0, 0, 0}));
}

TEST(FillPixels, NegativeSizesReachLeftAndUpAndTheBoxIsClipped) {
    Buffer image(4, 3, true);
    FillPixels(image.surface, BoxInside(3, 2, -2, -2, 4, 3), RGBColour(1, 2, 3));
    EXPECT_EQ(image.Bgr(1, 0), (Bgr{3, 2, 1}));
    EXPECT_EQ(image.Bgr(2, 1), (Bgr{3, 2, 1}));
    EXPECT_EQ(image.Bgr(3, 2), (Bgr{0, 0, 0})); // the box ends before (3, 2)
    EXPECT_EQ(image.Bgr(0, 0), (Bgr{0, 0, 0}));
    FillPixels(image.surface, {-5, -5, 100, 100}, White);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Bgr(x, y), WhiteBgr);
    Buffer padded(3, 1, true);
    FillPixels(padded.surface, {0, 0, 3, 1}, White);
    EXPECT_EQ(padded.bytes[8], 255);
    EXPECT_EQ(padded.bytes[9], 0); // the row's padding is left alone
}

TEST(BoxInside, IsEmptyOutsideTheImage) {
    EXPECT_TRUE(BoxInside(10, 0, 5, 5, 10, 10).Empty());
    EXPECT_TRUE(BoxInside(0, 0, 0, 5, 10, 10).Empty());
    EXPECT_TRUE(BoxInside(0, -3, 5, -2, 10, 10).Empty());
    EXPECT_EQ(BoxInside(2, 2, 5, 5, 4, 3), (PixelBox{2, 2, 2, 1}));
}

TEST(Overhang, ReadsTheRightmostBrightColumnPastTheAdvance) {
    Buffer glyph(8, 3, false);
    EXPECT_EQ(RightmostInkColumn(glyph.surface), -1);
    EXPECT_EQ(OverhangFrom(-1, 4), 0);
    glyph.Set(6, 2, {200, 255, 255}); // blue decides, and 200 is not above the threshold
    EXPECT_EQ(RightmostInkColumn(glyph.surface), -1);
    glyph.Set(5, 1, {201, 0, 0});
    EXPECT_EQ(RightmostInkColumn(glyph.surface), 5);
    EXPECT_EQ(OverhangFrom(5, 4), 3);
    EXPECT_EQ(OverhangFrom(3, 4), 1); // a glyph within its advance: 0 or 1
    EXPECT_EQ(OverhangFrom(1, 4), 0);
}

} // namespace
} // namespace wexa
