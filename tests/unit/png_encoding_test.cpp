// The PNG encoder's output, read back by the independent reader of tests/support.
#include "toolkit/core/png_encoding.h"

#include "tests/support/png_inspection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wexa {
namespace {

namespace fs = std::filesystem;
using testing::ForEachRow;
using testing::ParsePng;
using testing::PngFile;

constexpr int LineHeight = 50;
constexpr std::uint8_t Filler = 0xEE; // row padding, which must never reach the file

// A bottom-up BGR buffer as a 24-bit bitmap section lays it out.
struct Bitmap {
    int width;
    int height;
    std::ptrdiff_t stride;
    std::vector<std::uint8_t> memory;

    Bitmap(int w, int h) : width(w), height(h), stride((3 * std::ptrdiff_t{w} + 3) / 4 * 4),
                           memory(static_cast<std::size_t>(stride) * h, Filler) {}
    std::uint8_t* Pixel(int x, int memoryRow) { return &memory[memoryRow * stride + 3 * std::ptrdiff_t{x}]; }
    void Set(int x, int memoryRow, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
        std::uint8_t* p = Pixel(x, memoryRow);
        p[0] = b, p[1] = g, p[2] = r;
    }
    PixelSurface Rows() { return {memory.data(), stride, width, height, true}; }
};

class PngEncoding : public ::testing::Test {
protected:
    void TearDown() override { fs::remove(path_); }

    bool Encode(const PixelSurface& rows) {
        std::FILE* file = std::fopen(path_.string().c_str(), "wb");
        if (!file) return false;
        const std::optional<std::vector<std::uint8_t>> png = EncodePngRows(rows);
        const bool written = png && std::fwrite(png->data(), 1, png->size(), file) == png->size();
        return std::fclose(file) == 0 && written;
    }
    PngFile Written() const { return ParsePng(testing::ReadFileBytes(path_)); }

    fs::path path_ = fs::temp_directory_path() / ("wexa_png_encoding_" + TestFileStem() + ".png");

private:
    static std::string TestFileStem() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/') c = '_';
        return name;
    }
};

TEST_F(PngEncoding, OneCharacterLineHoldsOnlyHeaderDataAndEndWithValidCrcs) {
    Bitmap bitmap(45, LineHeight);
    ASSERT_TRUE(Encode(bitmap.Rows()));
    const PngFile png = Written();
    ASSERT_TRUE(png.signatureMatches);
    EXPECT_TRUE(png.endsAfterIend);
    EXPECT_EQ(testing::ChunkTypes(png), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    for (const auto& chunk : png.chunks) EXPECT_TRUE(chunk.crcMatches) << chunk.type;
    EXPECT_TRUE(png.chunks.back().data.empty());

    const auto header = testing::HeaderOf(png);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 45u);
    EXPECT_EQ(header->height, 50u);
    EXPECT_EQ(header->bitDepth, 8);
    EXPECT_EQ(header->colourType, 2);
    EXPECT_EQ(header->compression, 0);
    EXPECT_EQ(header->filter, 0);
    EXPECT_EQ(header->interlace, 0);
    EXPECT_EQ(testing::ZlibLevelField(png), 3); // deflate at its strongest levels
}

TEST_F(PngEncoding, RowsRunTopFirstInRgbOrderWithFilterNoneAndNoPadding) {
    Bitmap bitmap(45, LineHeight);
    for (int row = 0; row < bitmap.height; ++row)
        for (int x = 0; x < bitmap.width; ++x)
            bitmap.Set(x, row, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(row), 200);
    bitmap.Set(0, bitmap.height - 1, 1, 2, 3); // top-left pixel: blue 1, green 2, red 3
    ASSERT_TRUE(Encode(bitmap.Rows()));

    std::vector<int> mismatches;
    const bool complete = ForEachRow(Written(), 1 + 45 * 3, LineHeight, [&](std::size_t i, const std::uint8_t* row) {
        const int memoryRow = LineHeight - 1 - static_cast<int>(i);
        bool same = row[0] == 0;
        for (int x = 0; x < 45; ++x) {
            const std::uint8_t* bgr = bitmap.Pixel(x, memoryRow);
            const std::uint8_t* rgb = row + 1 + 3 * x;
            same = same && rgb[0] == bgr[2] && rgb[1] == bgr[1] && rgb[2] == bgr[0];
        }
        if (!same) mismatches.push_back(static_cast<int>(i));
        if (i == 0) {
            EXPECT_EQ((std::vector<int>{row[1], row[2], row[3]}), (std::vector<int>{3, 2, 1}));
        }
    });
    EXPECT_TRUE(complete) << "the stream holds exactly 50 rows of 136 bytes";
    EXPECT_TRUE(mismatches.empty()) << "first differing file row: " << mismatches.front();
}

TEST_F(PngEncoding, HeaderErrorsFailInsteadOfWriting) {
    Bitmap bitmap(45, LineHeight);
    EXPECT_FALSE(Encode({bitmap.memory.data(), bitmap.stride, 0, LineHeight}));
    EXPECT_FALSE(Encode({bitmap.memory.data(), bitmap.stride, 45, 0}));
    EXPECT_FALSE(Encode({bitmap.memory.data(), bitmap.stride, -45, LineHeight}));
    EXPECT_FALSE(EncodePngRows(PixelSurface{nullptr, 0, 0, LineHeight}).has_value());
}

// Lines longer than 728 characters are held whole: 728, 729, 1457 and 25,000 characters.
class LongLines : public PngEncoding, public ::testing::WithParamInterface<int> {};

TEST_P(LongLines, KeepEveryColumn) {
    const int width = 45 * GetParam();
    Bitmap bitmap(width, LineHeight);
    for (int row = 0; row < LineHeight; ++row) {
        for (int x = 0; x < width; ++x) bitmap.Set(x, row, 255, 255, 255);
        bitmap.Set(0, row, 10, 20, static_cast<std::uint8_t>(row));
        bitmap.Set(width - 1, row, 30, 40, static_cast<std::uint8_t>(row));
    }
    ASSERT_TRUE(Encode(bitmap.Rows()));
    const PngFile png = Written();
    ASSERT_TRUE(testing::HeaderOf(png));
    EXPECT_EQ(testing::HeaderOf(png)->width, static_cast<std::uint32_t>(width));
    const std::size_t rowBytes = 1 + 3 * std::size_t(width);
    int wrongEdges = 0;
    const bool complete = ForEachRow(png, rowBytes, LineHeight, [&](std::size_t i, const std::uint8_t* row) {
        const std::uint8_t top = static_cast<std::uint8_t>(LineHeight - 1 - i);
        const std::uint8_t* last = row + rowBytes - 3;
        const bool left = row[1] == top && row[2] == 20 && row[3] == 10;
        const bool right = last[0] == top && last[1] == 40 && last[2] == 30;
        wrongEdges += !(left && right);
    });
    EXPECT_TRUE(complete);
    EXPECT_EQ(wrongEdges, 0);
}

INSTANTIATE_TEST_SUITE_P(Characters, LongLines, ::testing::Values(728, 729, 1457, 25000));

} // namespace
} // namespace wexa
