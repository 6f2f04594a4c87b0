// CopyImageToClipboard under Wine: the CF_DIB block it leaves on the real clipboard,
// and what it leaves alone when it cannot place one.
#include "toolkit/clipboard.h"

#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

namespace wexa {
namespace {

using testing::InstallImage;

constexpr int LineHeight = 50;
constexpr wchar_t EarlierText[] = L"earlier content";

void PutText(const wchar_t* text) {
    const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    CloseClipboard();
}

bool HoldsFormat(UINT format) {
    if (!OpenClipboard(nullptr)) return false;
    const bool available = GetClipboardData(format) != nullptr;
    CloseClipboard();
    return available;
}

// The CF_DIB block as another reader sees it.
std::vector<std::uint8_t> ReadDibBlock() {
    std::vector<std::uint8_t> bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(CF_DIB)) {
        const auto* data = static_cast<const std::uint8_t*>(GlobalLock(block));
        if (data) bytes.assign(data, data + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}

// Another thread that keeps the clipboard open until it is released.
class ClipboardHolder {
public:
    ClipboardHolder() : thread_([this] { Hold(); }) { WaitForSingleObject(opened_, INFINITE); }
    ~ClipboardHolder() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(opened_);
        CloseHandle(release_);
    }
    bool holding() const { return holding_; }

private:
    // Opened for a window of its own: Wine lets every thread share an open with no owner.
    void Hold() {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        holding_ = owner && OpenClipboard(owner) != FALSE;
        SetEvent(opened_);
        WaitForSingleObject(release_, INFINITE);
        if (holding_) CloseClipboard();
        if (owner) DestroyWindow(owner);
    }
    HANDLE opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool holding_ = false;
    std::thread thread_;
};

class ClipboardImage : public ::testing::Test {
protected:
    void SetUp() override { PutText(EarlierText); }
    void TearDown() override { detail::State().images.Clear(); }
};

TEST_F(ClipboardImage, PlacesAPackedBottomUpDibWithTheImagesRows) {
    const testing::TestImage image = InstallImage(0, 90, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    PaintPattern(image);
    EXPECT_NE(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    EXPECT_FALSE(HoldsFormat(CF_UNICODETEXT)) << "the clipboard was emptied first";

    const std::vector<std::uint8_t> block = ReadDibBlock();
    ASSERT_GE(block.size(), sizeof(BITMAPINFOHEADER) + 272u * LineHeight);
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 90);
    EXPECT_EQ(header.biHeight, 50);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biSizeImage, 272u * LineHeight);
    EXPECT_EQ(header.biClrUsed, 0u);
    int wrongRows = 0;
    for (int row = 0; row < LineHeight; ++row)
        wrongRows += std::memcmp(block.data() + 40 + 272 * row, image.Pixel(0, row), 270) != 0;
    EXPECT_EQ(wrongRows, 0);
}

TEST_F(ClipboardImage, ALineOfMoreThan1456CharactersIsPlacedWhole) {
    const int width = 45 * 1457;
    const testing::TestImage image = InstallImage(0, width, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    image.Pixel(width - 1, 0)[2] = 0x55; // red at the bottom right
    ASSERT_NE(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    const std::vector<std::uint8_t> block = ReadDibBlock();
    ASSERT_GE(block.size(), 40u + std::size_t(image.stride) * LineHeight);
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    EXPECT_EQ(header.biWidth, width);
    EXPECT_EQ(block[40 + 3 * (width - 1) + 2], 0x55);
}

TEST_F(ClipboardImage, NoImageLeavesTheClipboardAsItWas) {
    EXPECT_EQ(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    EXPECT_EQ(CopyImageToClipboard(-1), ClipboardDataHandle::Null);
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
}

TEST_F(ClipboardImage, AClipboardHeldOpenElsewhereIsLeftAlone) {
    InstallImage(0, 45, LineHeight);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        EXPECT_EQ(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    }
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
    EXPECT_FALSE(HoldsFormat(CF_DIB));
}

// A bitmap the platform cannot read: the conversion fails and the clipboard is closed unchanged.
TEST_F(ClipboardImage, AFailedConversionLeavesTheClipboardUnchanged) {
    HBITMAP gone = CreateBitmap(45, LineHeight, 1, 24, nullptr);
    DeleteObject(gone);
    detail::State().images.Put(0, detail::ImageRecord{win32::UniqueBitmap(gone), 45, LineHeight, 24});
    EXPECT_EQ(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    detail::State().images.Find(0)->bitmap.release(); // already deleted
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
}

// A one-bit bitmap carries its two-colour table between the header and the rows.
TEST_F(ClipboardImage, AMonochromeBitmapKeepsItsColourTableBeforeTheRows) {
    const std::vector<std::uint8_t> ones(4 * 2, 0xFF); // 32 x 2, every bit set
    detail::State().images.Put(0, detail::ImageRecord{win32::UniqueBitmap(CreateBitmap(32, 2, 1, 1, ones.data())), 32,
                                                      2, 1});
    ASSERT_NE(CopyImageToClipboard(0), ClipboardDataHandle::Null);
    const std::vector<std::uint8_t> block = ReadDibBlock();
    ASSERT_GE(block.size(), 40u + 8u + 8u);
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    EXPECT_EQ(header.biBitCount, 1);
    const auto* colours = reinterpret_cast<const RGBQUAD*>(block.data() + 40);
    EXPECT_EQ(colours[1].rgbRed, 255);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 48, block.begin() + 56), ones);
}

} // namespace
} // namespace wexa
