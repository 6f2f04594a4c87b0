// CopyImageToClipboard and DiscardClipboard under Wine: the PNG and CF_DIB blocks they
// leave on the real clipboard, the window that owns them, and what they leave alone when
// another program holds the clipboard or no picture can be placed.
#include "toolkit/clipboard_drag/clipboard.h"
#include "toolkit/clipboard_drag/clipboard_seam.h"
#include "toolkit/graphics/images.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "toolkit/windows/window.h"

#include "tests/support/png_inspection.h"
#include "tests/wine/test_bitmaps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace wexa {
namespace {

using testing::CopyPictureOf;
using testing::InstallImage;
using testing::WritePng;

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

// A format's block as another reader sees it.
std::vector<std::uint8_t> ReadBlock(UINT format) {
    std::vector<std::uint8_t> bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        const auto* data = static_cast<const std::uint8_t*>(GlobalLock(block));
        if (data) bytes.assign(data, data + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return bytes;
}
std::vector<std::uint8_t> ReadDibBlock() { return ReadBlock(CF_DIB); }

const UINT PngFormat = RegisterClipboardFormatW(L"PNG");

// The formats in the order in which a reader enumerates them.
std::vector<UINT> Formats() {
    std::vector<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) formats.push_back(f);
    CloseClipboard();
    return formats;
}

// Another thread that keeps the clipboard open until it is released.
class ClipboardHolder {
public:
    ClipboardHolder() : thread_([this] { Hold(); }) { WaitForSingleObject(opened_, INFINITE); }
    ~ClipboardHolder() {
        Release();
        thread_.join();
        CloseHandle(opened_);
        CloseHandle(release_);
        CloseHandle(closed_);
    }
    bool holding() const { return holding_; }
    // Returns once the clipboard is closed again.
    void Release() {
        SetEvent(release_);
        WaitForSingleObject(closed_, INFINITE);
    }

private:
    // Opened for a window of its own: Wine lets every thread share an open with no owner.
    void Hold() {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        holding_ = owner && OpenClipboard(owner) != FALSE;
        SetEvent(opened_);
        WaitForSingleObject(release_, INFINITE);
        if (holding_) CloseClipboard();
        SetEvent(closed_);
        if (owner) DestroyWindow(owner);
    }
    HANDLE opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE closed_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool holding_ = false;
    std::thread thread_;
};

class ClipboardImage : public ::testing::Test {
protected:
    void SetUp() override { PutText(EarlierText); }
    void TearDown() override { detail::ImageTable().Clear(); }
};

TEST_F(ClipboardImage, PlacesAPackedBottomUpDibWithTheImagesRows) {
    const testing::TestImage image = InstallImage(0, 90, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    PaintPattern(image);
    EXPECT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
    EXPECT_FALSE(HoldsFormat(CF_UNICODETEXT)) << "the clipboard was emptied first";
    const std::vector<UINT> formats = Formats();
    ASSERT_GE(formats.size(), 2u);
    EXPECT_EQ(formats[0], PngFormat) << "PNG first, for the programs that read it best";
    EXPECT_EQ(formats[1], static_cast<UINT>(CF_DIB));

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

// The PNG block is the PNG file's bytes: the same picture whichever a program reads.
TEST_F(ClipboardImage, ThePngBlockHoldsTheBytesOfThePngFile) {
    const testing::TestImage image = InstallImage(0, 135, LineHeight);
    PaintPattern(image);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("wexa_clipboard_" + std::to_string(GetCurrentProcessId()) + ".png");
    const std::wstring wide = file.wstring();
    ASSERT_EQ(WritePng(0, wide), 1);
    ASSERT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
    const std::vector<std::uint8_t> png = ReadBlock(PngFormat);
    EXPECT_TRUE(png == testing::ReadFileBytes(file)) << png.size() << " bytes on the clipboard";
    EXPECT_EQ(testing::ChunkTypes(testing::ParsePng(png)), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::filesystem::remove(file);
}

// The transfer's path: one encoding made for the picture, its file written from it, then the
// picture placed. The clipboard (and so a drag, which takes the same picture) gets that
// encoding, not one made anew: a change of the image in between, here behind the Toolkit's
// back, reaches no PNG.
TEST_F(ClipboardImage, ThePngPlacedIsThePicturesOwnEncoding) {
    const testing::TestImage image = InstallImage(0, 90, LineHeight);
    PaintPattern(image);
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"wexa_clipboard_picture.png";
    Picture picture = PictureOfImage(0);
    ASSERT_EQ(WriteEncodedPng(picture.png, file.u16string()), FileWriteOutcome::Written);
    image.Pixel(45, 20)[1] ^= 0xFF;
    ASSERT_NE(CopyImageToClipboard(picture), ClipboardDataHandle::Null);
    const std::vector<std::uint8_t> png = ReadBlock(PngFormat);
    EXPECT_TRUE(png == testing::ReadFileBytes(file));
    EXPECT_TRUE(png == picture.png.bytes);
    std::filesystem::remove(file);
}

TEST_F(ClipboardImage, ALineOfMoreThan1456CharactersIsPlacedWhole) {
    const int width = 45 * 1457;
    const testing::TestImage image = InstallImage(0, width, LineHeight);
    ASSERT_NE(image.bitmap, nullptr);
    image.Pixel(width - 1, 0)[2] = 0x55; // red at the bottom right
    ASSERT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
    const std::vector<std::uint8_t> block = ReadDibBlock();
    ASSERT_GE(block.size(), 40u + std::size_t(image.stride) * LineHeight);
    BITMAPINFOHEADER header;
    std::memcpy(&header, block.data(), sizeof header);
    EXPECT_EQ(header.biWidth, width);
    EXPECT_EQ(block[40 + 3 * (width - 1) + 2], 0x55);
}

TEST_F(ClipboardImage, NoImageLeavesTheClipboardAsItWas) {
    EXPECT_EQ(CopyPictureOf(0), ClipboardDataHandle::Null);
    EXPECT_EQ(CopyPictureOf(-1), ClipboardDataHandle::Null);
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
}

// A hold that does not end: both calls give up, while it lasts, and change nothing.
TEST_F(ClipboardImage, AClipboardHeldOpenElsewhereIsLeftAlone) {
    InstallImage(0, 45, LineHeight);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        EXPECT_EQ(CopyPictureOf(0), ClipboardDataHandle::Null);
        EXPECT_EQ(DiscardClipboard(), 0);
    }
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
    EXPECT_FALSE(HoldsFormat(CF_DIB));
}

// The hold that the program's first wait ends, as a clipboard manager's brief read ends.
ClipboardHolder* briefHold = nullptr;
void EndBriefHold() { std::exchange(briefHold, nullptr)->Release(); }

// A clipboard manager reading a change holds the clipboard for a moment: that is waited for.
// The hold ends at the program's first retry, not after a time that load could stretch.
TEST_F(ClipboardImage, ABriefHoldElsewhereIsWaitedFor) {
    InstallImage(0, 45, LineHeight);
    detail::SetClipboardRetryHook([] { if (briefHold) EndBriefHold(); });
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        briefHold = &holder;
        EXPECT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
        EXPECT_EQ(briefHold, nullptr); // it did wait
    }
    EXPECT_TRUE(HoldsFormat(CF_DIB));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        briefHold = &holder;
        EXPECT_EQ(DiscardClipboard(), 1);
        EXPECT_EQ(briefHold, nullptr);
    }
    detail::SetClipboardRetryHook(nullptr);
    EXPECT_EQ(Formats(), std::vector<UINT>{});
}

// Windows gives the data of an open with no owner window to nobody, and may refuse it.
TEST_F(ClipboardImage, TheToolkitsWindowOwnsWhatIsPlaced) {
    InitToolkit();
    InstallImage(0, 45, LineHeight);
    EXPECT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
    EXPECT_NE(GetClipboardOwner(), nullptr) << "before any window, the Toolkit's hidden one";
    const HWND window = detail::FromHandle<HWND>(OpenToolkitWindow(0, 0, 0, 200, 100, u"owner", 0));
    ASSERT_NE(window, nullptr);
    EXPECT_NE(CopyPictureOf(0), ClipboardDataHandle::Null);
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(DiscardClipboard(), 1);
    EXPECT_EQ(GetClipboardOwner(), window);
    ShutDownToolkit();
}

// A bitmap the platform cannot read: the conversion fails and the clipboard is closed unchanged.
TEST_F(ClipboardImage, AFailedConversionLeavesTheClipboardUnchanged) {
    HBITMAP gone = CreateBitmap(45, LineHeight, 1, 24, nullptr);
    DeleteObject(gone);
    const auto alreadyDeleted = [](HBITMAP) {};
    detail::ImageTable().Put(0, detail::ImageRecord{win32::SharedBitmap(gone, alreadyDeleted), 45, LineHeight, 24});
    EXPECT_EQ(CopyPictureOf(0), ClipboardDataHandle::Null);
    EXPECT_TRUE(HoldsFormat(CF_UNICODETEXT));
}

// A vector picture that is missing, or that the clipboard refuses (a metafile already deleted),
// leaves the PNG and the bitmap exactly as a copy without one leaves them.
TEST_F(ClipboardImage, AMissingOrRefusedVectorPictureLeavesThePngAndTheDibAsTheyWere) {
    const testing::TestImage image = InstallImage(0, 90, LineHeight);
    PaintPattern(image);
    Picture picture = PictureOfImage(0);
    ASSERT_NE(CopyImageToClipboard(picture), ClipboardDataHandle::Null);
    const std::vector<UINT> formatsBefore = Formats();
    const std::vector<std::uint8_t> pngBefore = ReadBlock(PngFormat), dibBefore = ReadDibBlock();
    HENHMETAFILE deleted = CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr));
    DeleteEnhMetaFile(deleted);
    for (HENHMETAFILE outlines : {HENHMETAFILE{}, deleted}) {
        picture.outlines.reset(outlines);
        ASSERT_NE(CopyImageToClipboard(picture), ClipboardDataHandle::Null);
        EXPECT_EQ(Formats(), formatsBefore);
        EXPECT_TRUE(ReadBlock(PngFormat) == pngBefore && ReadDibBlock() == dibBefore);
        picture.outlines.release(); // not the picture's to delete again
    }
}

} // namespace
} // namespace wexa
