// QueryFileSize on real files under Wine, in a folder of the test.
#include "toolkit/platform/files.h"
#include "toolkit/lifecycle/lifecycle.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace wexa {
namespace {

namespace fs = std::filesystem;

std::u16string U16(const fs::path& path) {
    std::wstring wide = path.wstring();
    return std::u16string(wide.begin(), wide.end());
}

void WriteBytes(const fs::path& path, std::size_t count) {
    std::ofstream(path, std::ios::binary) << std::string(count, 'x');
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

} // namespace
} // namespace wexa
