// The PNG file of bitmap sections in the image table, under Wine, read back by the
// independent PNG reader.
#include "toolkit/graphics/images.h"

#include "tests/support/png_inspection.h"
#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace wexa {
namespace {

namespace fs = std::filesystem;
using testing::InstallImage;
using testing::ParsePng;
using testing::PngFile;
using testing::ReadFileBytes;

constexpr int LineHeight = 50;
const std::string EarlierContent = "an earlier transfer";

class PngWriter : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("wexa_png_writer_" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder_);
        path_ = folder_ / "wexazeile.png";
    }
    void TearDown() override {
        detail::ImageTable().Clear();
        fs::remove_all(folder_);
    }

    int Write(int number) { return testing::WritePng(number, path_.wstring()); }
    void WriteEarlierFile() { std::ofstream(path_, std::ios::binary) << EarlierContent; }
    std::string FileContent() const {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path_);
        return {bytes.begin(), bytes.end()};
    }

    fs::path folder_;
    fs::path path_;
};

TEST_F(PngWriter, WritesTheBitmapsPixelsTopRowFirst) {
    const testing::TestImage image = InstallImage(0, 90, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    PaintPattern(image);
    ASSERT_EQ(Write(0), 1);

    const PngFile png = ParsePng(ReadFileBytes(path_));
    EXPECT_EQ(testing::ChunkTypes(png), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    ASSERT_TRUE(testing::HeaderOf(png));
    EXPECT_EQ(testing::HeaderOf(png)->width, 90u);
    EXPECT_EQ(testing::HeaderOf(png)->height, 50u);
    int wrongRows = 0;
    const bool complete = testing::ForEachRow(png, 1 + 270, LineHeight, [&](std::size_t i, const std::uint8_t* row) {
        const int memoryRow = LineHeight - 1 - static_cast<int>(i);
        bool same = row[0] == 0;
        for (int x = 0; x < 90; ++x) {
            const std::uint8_t* bgr = image.Pixel(x, memoryRow);
            same = same && row[1 + 3 * x] == bgr[2] && row[2 + 3 * x] == bgr[1] && row[3 + 3 * x] == bgr[0];
        }
        wrongRows += !same;
    });
    EXPECT_TRUE(complete);
    EXPECT_EQ(wrongRows, 0);
}

TEST_F(PngWriter, ASecondWriteReplacesTheFile) {
    PaintPattern(InstallImage(0, 45 * 40, LineHeight));
    ASSERT_EQ(Write(0), 1);
    InstallImage(0, 45, LineHeight);
    ASSERT_EQ(Write(0), 1);
    EXPECT_EQ(testing::HeaderOf(ParsePng(ReadFileBytes(path_)))->width, 45u);
    EXPECT_TRUE(ParsePng(ReadFileBytes(path_)).endsAfterIend);
}

TEST_F(PngWriter, NoImageWritesNothingAndKeepsAnEarlierFile) {
    EXPECT_EQ(Write(0), 0);
    EXPECT_FALSE(fs::exists(path_));
    WriteEarlierFile();
    EXPECT_EQ(Write(0), 0);
    EXPECT_EQ(testing::WritePng(0, L""), 0);
    EXPECT_EQ(FileContent(), EarlierContent);
}

TEST_F(PngWriter, AMissingFolderIsNotCreated) {
    InstallImage(0, 45, LineHeight);
    const fs::path missing = folder_ / "tmp";
    EXPECT_EQ(testing::WritePng(0, (missing / "wexazeile.png").wstring()), 0);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(PngWriter, AFileLockedByAnotherHandleKeepsItsContent) {
    InstallImage(0, 45, LineHeight);
    WriteEarlierFile();
    HANDLE locked = CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Write(0), 0);
    CloseHandle(locked);
    EXPECT_EQ(FileContent(), EarlierContent);
}

TEST_F(PngWriter, AHeaderThatLibpngRejectsDeletesTheFile) {
    InstallImage(0, 45, LineHeight);
    detail::ImageTable().Find(0)->height = 0;
    WriteEarlierFile();
    EXPECT_EQ(Write(0), 0);
    EXPECT_FALSE(fs::exists(path_));
}

// A record larger than its bitmap, or of a depth the encoder does not read, would make it
// read outside the pixel memory: nothing is opened then.
TEST_F(PngWriter, ARecordThatDoesNotMatchItsBitmapIsRefusedBeforeOpening) {
    InstallImage(0, 45, LineHeight);
    WriteEarlierFile();
    detail::ImageTable().Find(0)->width = 46;
    EXPECT_EQ(Write(0), 0);
    detail::ImageTable().Find(0)->width = 45;
    detail::ImageTable().Find(0)->depth = 32;
    EXPECT_EQ(Write(0), 0);
    EXPECT_EQ(FileContent(), EarlierContent);
}

TEST_F(PngWriter, ABitmapWithoutPixelMemoryIsRefused) {
    win32::UniqueBitmap plain(CreateBitmap(45, LineHeight, 1, 24, nullptr));
    detail::ImageTable().Put(0, detail::ImageRecord{win32::Share(std::move(plain)), 45, LineHeight, 24});
    EXPECT_EQ(Write(0), 0);
    EXPECT_FALSE(fs::exists(path_));
}

// Lines of 728, 729, 1457 and 25,000 characters are written whole.
class LongLinePng : public PngWriter, public ::testing::WithParamInterface<int> {};

TEST_P(LongLinePng, HoldsEveryColumn) {
    const int width = 45 * GetParam();
    const testing::TestImage image = InstallImage(0, width, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    for (int row = 0; row < LineHeight; ++row) image.Pixel(width - 1, row)[0] = 0x77; // blue at the right edge
    ASSERT_EQ(Write(0), 1);
    const PngFile png = ParsePng(ReadFileBytes(path_));
    ASSERT_TRUE(testing::HeaderOf(png));
    EXPECT_EQ(testing::HeaderOf(png)->width, static_cast<std::uint32_t>(width));
    const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
    int wrongEdges = 0;
    const auto countWrongEdge = [&](std::size_t, const std::uint8_t* row) { wrongEdges += row[rowBytes - 1] != 0x77; };
    EXPECT_TRUE(testing::ForEachRow(png, rowBytes, LineHeight, countWrongEdge));
    EXPECT_EQ(wrongEdges, 0);
}

INSTANTIATE_TEST_SUITE_P(Characters, LongLinePng, ::testing::Values(728, 729, 1457, 25000));

} // namespace
} // namespace wexa
