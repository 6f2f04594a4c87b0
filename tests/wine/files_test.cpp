// The Toolkit's file operations on real files under Wine, in a folder of the test.
#include "toolkit/files.h"
#include "toolkit/lifecycle.h"

#include "toolkit/detail/win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace wexa {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

std::u16string U16(const fs::path& path) {
    std::wstring wide = path.wstring();
    return std::u16string(wide.begin(), wide.end());
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::size_t count) {
    std::ofstream(path, std::ios::binary) << std::string(count, 'x');
}

Bytes Pattern(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    return bytes;
}

bool OthersCanOpen(const fs::path& path) {
    win32::UniqueFile other(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(other);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = fs::path(temp) / (L"wexa-files-" + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(folder_);
        InitToolkit();
    }
    void TearDown() override {
        ShutDownToolkit();
        fs::remove_all(folder_);
    }
    fs::path At(const wchar_t* name) const { return folder_ / name; }

    fs::path folder_;
};

TEST_F(Files, SizesOfFilesAndFolders) {
    WriteBytes(At(L"five"), 5);
    WriteBytes(At(L"empty"), 0);
    fs::create_directory(At(L"sub"));
    EXPECT_EQ(QueryFileSize(U16(At(L"five"))), 5);
    EXPECT_EQ(QueryFileSize(U16(At(L"five")) + u"\\"), 5); // the separator is trimmed off
    EXPECT_EQ(QueryFileSize(U16(At(L"empty"))), 0);
    EXPECT_EQ(QueryFileSize(U16(At(L"sub"))), FolderAtPath);
    EXPECT_EQ(QueryFileSize(U16(At(L"sub")) + u"\\//"), FolderAtPath);
    EXPECT_EQ(QueryFileSize(U16(At(L"missing"))), NothingAtPath);
    EXPECT_EQ(QueryFileSize(U16(At(L"missing\\five"))), NothingAtPath);
    EXPECT_EQ(QueryFileSize(U16(At(L"f*"))), NothingAtPath); // would find "five" as a pattern
    EXPECT_EQ(QueryFileSize(u"\\\\?\\" + U16(At(L"five"))), 5);
}

TEST_F(Files, BareDrivesAreFoldersWhenThePlatformKnowsThem) {
    EXPECT_EQ(QueryFileSize(u"c:"), FolderAtPath);
    EXPECT_EQ(QueryFileSize(u"C:\\"), FolderAtPath);
    DWORD drives = GetLogicalDrives();
    int unused = 25;
    while (unused >= 0 && (drives & (1u << unused)))
        --unused;
    ASSERT_GE(unused, 0);
    std::u16string letter(1, static_cast<char16_t>(u'a' + unused));
    EXPECT_EQ(QueryFileSize(letter + u":"), NothingAtPath);
    EXPECT_EQ(QueryFileSize(letter + u":\\"), NothingAtPath);
}

TEST_F(Files, SmallBlocksReachTheFileWhenItIsClosed) {
    Bytes data = Pattern(100);
    FileHandle file = CreateOutputFile(AnyFreeNumber, U16(At(L"small")));
    ASSERT_FALSE(IsNull(file));
    EXPECT_EQ(WriteBlock(file, data.data(), 60), 60u);
    EXPECT_EQ(WriteBlock(file, data.data() + 60, 40), 40u);
    EXPECT_EQ(QueryFileSize(U16(At(L"small"))), 0); // still in the buffer
    EXPECT_FALSE(OthersCanOpen(At(L"small")));      // share mode 0 while it is written
    EXPECT_TRUE(CloseOutputFile(file));
    EXPECT_EQ(ReadBytes(At(L"small")), data);
    EXPECT_EQ(WriteBlock(file, data.data(), 10), 0u); // the handle names nothing any more
    EXPECT_FALSE(CloseOutputFile(file));
}

TEST_F(Files, LargeBlocksGoStraightToTheFile) {
    Bytes head = Pattern(10), block = Pattern(5000);
    FileHandle file = CreateOutputFile(AnyFreeNumber, U16(At(L"large")));
    WriteBlock(file, head.data(), head.size());
    EXPECT_EQ(WriteBlock(file, block.data(), block.size()), block.size());
    EXPECT_EQ(QueryFileSize(U16(At(L"large"))), 5010); // the buffered head went first
    CloseOutputFile(file);
    Bytes expected = head;
    expected.insert(expected.end(), block.begin(), block.end());
    EXPECT_EQ(ReadBytes(At(L"large")), expected);
}

TEST_F(Files, ANumberInUseIsFlushedAndClosedBeforeItsNewFile) {
    Bytes data = Pattern(10);
    FileHandle first = CreateOutputFile(7, U16(At(L"first")));
    WriteBlock(first, data.data(), data.size());
    FileHandle second = CreateOutputFile(7, U16(At(L"second")));
    ASSERT_FALSE(IsNull(second));
    EXPECT_EQ(ReadBytes(At(L"first")), data);
    EXPECT_TRUE(OthersCanOpen(At(L"first")));
    EXPECT_TRUE(CloseOutputFile(second));
}

TEST_F(Files, ShutDownWritesAndClosesWhatIsStillOpen) {
    Bytes data = Pattern(30);
    FileHandle numbered = CreateOutputFile(3, U16(At(L"numbered")));
    FileHandle unnamed = CreateOutputFile(AnyFreeNumber, U16(At(L"unnamed")));
    WriteBlock(numbered, data.data(), data.size());
    WriteBlock(unnamed, data.data(), data.size());
    ShutDownToolkit();
    InitToolkit();
    EXPECT_EQ(ReadBytes(At(L"numbered")), data);
    EXPECT_EQ(ReadBytes(At(L"unnamed")), data);
    EXPECT_TRUE(OthersCanOpen(At(L"numbered")));
    EXPECT_TRUE(OthersCanOpen(At(L"unnamed")));
}

TEST_F(Files, CreatingEmptiesAnExistingFileButNeedsItsFolder) {
    WriteBytes(At(L"old"), 50);
    FileHandle file = CreateOutputFile(AnyFreeNumber, U16(At(L"old")));
    ASSERT_FALSE(IsNull(file));
    CloseOutputFile(file);
    EXPECT_EQ(QueryFileSize(U16(At(L"old"))), 0);
    EXPECT_TRUE(IsNull(CreateOutputFile(AnyFreeNumber, U16(At(L"no folder\\new")))));
    EXPECT_FALSE(fs::exists(At(L"no folder")));
    EXPECT_TRUE(IsNull(CreateOutputFile(-5, U16(At(L"negative")))));
    EXPECT_TRUE(IsNull(CreateOutputFile(AnyFreeNumber, U16(At(L"cut")) + u'\0' + u"off")));
    EXPECT_FALSE(fs::exists(At(L"cut")));
}

TEST_F(Files, AHiddenFileIsEmptiedByTheSecondAttempt) {
    WriteBytes(At(L"hidden"), 50);
    SetFileAttributesW(At(L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    FileHandle file = CreateOutputFile(AnyFreeNumber, U16(At(L"hidden")));
    ASSERT_FALSE(IsNull(file));
    CloseOutputFile(file);
    EXPECT_EQ(QueryFileSize(U16(At(L"hidden"))), 0);
}

TEST_F(Files, DeletingLeavesNothingBehind) {
    WriteBytes(At(L"doomed"), 5);
    fs::create_directory(At(L"folder"));
    EXPECT_TRUE(DeleteFileAt(U16(At(L"doomed"))));
    EXPECT_EQ(QueryFileSize(U16(At(L"doomed"))), NothingAtPath);
    EXPECT_TRUE(DeleteFileAt(U16(At(L"doomed")))); // already gone
    EXPECT_FALSE(DeleteFileAt(U16(At(L"folder"))));
    WriteBytes(At(L"keep"), 5);
    EXPECT_FALSE(DeleteFileAt(U16(At(L"keep")) + u'\0' + u"more"));
    EXPECT_EQ(QueryFileSize(U16(At(L"keep"))), 5);
}

} // namespace
} // namespace wexa
