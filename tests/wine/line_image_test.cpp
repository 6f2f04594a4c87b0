// RenderLineImage and the drawing operations under it, on real GDI under Wine, in the
// carried Vevoviv font: the pixels of image number 0 read straight from its bitmap.
#include "keyboard/constants.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/graphics/images.h"
#include "toolkit/lifecycle/lifecycle.h"
#include "transfer/line_image.h"
#include "transfer/constants.h"

#include "toolkit/graphics/image_table_seam.h"
#include "toolkit/platform/shared_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wexa {
namespace {

using Bgr = std::array<std::uint8_t, 3>;
constexpr Bgr WhiteBgr{255, 255, 255};
constexpr Bgr BlackBgr{0, 0, 0};

// Image number 0 as a test sees it: the bitmap's own header and pixels.
struct Picture {
    int width = 0;
    int height = 0;
    int recordedWidth = 0;
    std::vector<std::uint8_t> bytes; // bottom-up rows as stored
    std::ptrdiff_t stride = 0;

    Bgr At(int x, int y) const {
        const std::uint8_t* p = bytes.data() + (height - 1 - y) * stride + 3 * static_cast<std::ptrdiff_t>(x);
        return {p[0], p[1], p[2]};
    }
    bool Ink(int x, int y) const { return At(x, y) != WhiteBgr; }
};

std::optional<Picture> ImageZero() {
    HBITMAP bitmap = detail::FromHandle<HBITMAP>(ImageHandleOf(LineImageNumber));
    DIBSECTION dib{};
    if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib) return std::nullopt;
    Picture p;
    p.width = dib.dsBmih.biWidth;
    p.height = dib.dsBmih.biHeight; // positive: bottom-up
    p.recordedWidth = detail::ImageTable().Find(LineImageNumber)->width;
    p.stride = (3 * static_cast<std::ptrdiff_t>(p.width) + 3) / 4 * 4;
    const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    p.bytes.assign(bits, bits + p.stride * std::abs(p.height));
    return p;
}

struct InkBox {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1; // inclusive
    bool Empty() const { return right < 0; }
};

InkBox InkOf(const Picture& p, int fromX = 0) {
    InkBox box;
    for (int y = 0; y < p.height; ++y)
        for (int x = fromX; x < p.width; ++x)
            if (p.Ink(x, y)) {
                box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// The overhang as the drawing defines it: how far a drawn "H" reaches past its advance.
int OverhangOf(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE advance{};
    GetTextExtentPoint32W(dc, L"H", 1, &advance);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 2 * advance.cx, -advance.cy, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, canvas);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutW(dc, 0, 0, L"H", 1);
    GdiFlush();
    int stride = (3 * 2 * advance.cx + 3) / 4 * 4, rightmost = -1;
    for (int y = 0; y < advance.cy; ++y)
        for (int x = 0; x < 2 * advance.cx; ++x)
            if (static_cast<std::uint8_t*>(bits)[y * stride + 3 * x] > 200) rightmost = std::max(rightmost, x);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return rightmost < 0 ? 0 : std::max(rightmost - advance.cx + 2, 0L);
}

std::u16string Repeated(std::u16string_view unit, std::size_t count) {
    std::u16string line;
    for (std::size_t i = 0; i < count; ++i) line += unit;
    return line;
}

// Counts the executable's text output while it lives, by pointing its import table's entries
// at counters that pass each call on. A text drawn by character may meet the system's script
// processing on Windows; one drawn by glyph index never does.
struct TextCallWatch {
    static inline int byGlyph = 0, byCharacter = 0;
    static inline void *realExtTextOut = nullptr, *realTextOut = nullptr;
    std::vector<std::pair<void**, void*>> hooked;

    static BOOL WINAPI CountExtTextOut(HDC dc, int x, int y, UINT o, const RECT* r, LPCWSTR s, UINT n, const INT* dx) {
        ++((o & ETO_GLYPH_INDEX) ? byGlyph : byCharacter);
        return reinterpret_cast<decltype(&ExtTextOutW)>(realExtTextOut)(dc, x, y, o, r, s, n, dx);
    }
    static BOOL WINAPI CountTextOut(HDC dc, int x, int y, LPCWSTR s, int n) {
        ++byCharacter;
        return reinterpret_cast<decltype(&TextOutW)>(realTextOut)(dc, x, y, s, n);
    }
    TextCallWatch() {
        Hook("ExtTextOutW", reinterpret_cast<void*>(&CountExtTextOut), realExtTextOut);
        Hook("TextOutW", reinterpret_cast<void*>(&CountTextOut), realTextOut);
        byGlyph = byCharacter = 0;
    }
    ~TextCallWatch() {
        for (auto [slot, real] : hooked) Patch(slot, real);
    }
    static void Patch(void** slot, void* value) {
        DWORD old = 0;
        VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
        *slot = value;
        VirtualProtect(slot, sizeof *slot, old, &old);
    }
    // A function the executable does not import is never called, so there is nothing to watch.
    void Hook(const char* name, void* counter, void*& real) {
        auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleW(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
            base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
        for (; d->Name; ++d) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            for (auto** slot = reinterpret_cast<void**>(base + d->FirstThunk); names->u1.AddressOfData; ++names, ++slot)
                if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) &&
                    !std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name)) {
                    real = *slot;
                    hooked.emplace_back(slot, real);
                    Patch(slot, counter);
                }
        }
    }
};

class LineImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The carried font, registered for this process as the program's start-up does.
        ASSERT_GT(AddFontResourceExW(WEXA_TEST_FONT_FILE, FR_PRIVATE, nullptr), 0);
    }
    void SetUp() override {
        InitToolkit();
        ASSERT_FALSE(IsNull(LoadToolkitFont(LineFont, VevovivFace, LineFontPoints)));
    }
    void TearDown() override { ShutDownToolkit(); }

    static Picture Render(std::u16string_view line) {
        RenderLineImage(LineImageWidth(line.size()), line);
        std::optional<Picture> p = ImageZero();
        EXPECT_TRUE(p.has_value());
        return p.value_or(Picture{});
    }
};

TEST_F(LineImage, OneCharacterIs45By50BlackOnWhiteWithTheInkInsideTheCell) {
    Picture p = Render(u"!");
    EXPECT_EQ(p.width, 45);
    EXPECT_EQ(p.height, 50);
    EXPECT_EQ(p.recordedWidth, 45);
    InkBox ink = InkOf(p);
    ASSERT_FALSE(ink.Empty());
    int d = 2 * OverhangOf(detail::FromHandle<HFONT>(FontHandleOf(LineImageFont)));
    EXPECT_GE(ink.left, LineTextX - d);
    EXPECT_GE(ink.top, LineTextY);
    bool fullyBlack = false;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) fullyBlack = fullyBlack || p.At(x, y) == BlackBgr;
    EXPECT_TRUE(fullyBlack); // the glyph's core is fully covered
}

// The line drawn by plain GDI white on black at the cell's corner, in one piece: each channel
// of the LineImage must be 255 minus that coverage, and exactly white elsewhere.
int MismatchesWithThePlainlyDrawnText(std::u16string_view line, const Picture& p,
                                      HFONT font = detail::FromHandle<HFONT>(FontHandleOf(LineImageFont))) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, p.height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP mask = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, mask);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, RGB(255, 255, 255));
    std::wstring wide(line.begin(), line.end());
    TextOutW(dc, LineTextX, LineTextY, wide.c_str(), static_cast<int>(wide.size()));
    GdiFlush();
    const auto* coverage = static_cast<const std::uint8_t*>(bits);
    int mismatches = 0;
    for (std::size_t i = 0; i < p.bytes.size(); ++i)
        if (i % p.stride < 3 * static_cast<std::size_t>(p.width))
            mismatches += p.bytes[i] != 255 - coverage[i];
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(mask);
    DeleteDC(dc);
    return mismatches;
}

TEST_F(LineImage, PixelsAre255MinusTheCoverageOfThePlainlyDrawnText) {
    const std::u16string line = u"!ab\u00AD%";
    Picture p = Render(line);
    EXPECT_EQ(MismatchesWithThePlainlyDrawnText(line, p), 0);
}

// A long line goes through the mask in pieces; where two pieces meet, glyphs of both sides
// overlap and reach past their advances, and every column must still be as in one drawing.
TEST_F(LineImage, ALineDrawnInPiecesHasThePixelsOfOneDrawing) {
    const std::u16string line = Repeated(u"!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJ \u00AD", 40);
    Picture p = Render(line);
    ASSERT_GT(p.width, 10 * 4096);
    EXPECT_EQ(MismatchesWithThePlainlyDrawnText(line, p), 0);
}

// Slanted glyphs reach over their neighbours' cells, and over the pieces' borders.
TEST_F(LineImage, GlyphsReachingPastTheirAdvanceAreWholeAcrossPieces) {
    HFONT italic = CreateFontW(-40, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, L"Arial");
    const std::u16string line = u" " + Repeated(u"fjW/Tfy", 1500) + u" ";
    const int width = LineImageWidth(line.size());
    CreateImageBuffer(LineImageNumber, width, LineImageHeight);
    ASSERT_TRUE(BeginImageDrawing(LineImageNumber));
    FillBox(0, 0, width, LineImageHeight, White);
    SetDrawingMode(DrawingModeTransparent);
    SetDrawingFont(detail::ToHandle<FontHandle>(italic));
    DrawTextAt(LineTextX, LineTextY, line, Black);
    EndImageDrawing();
    EXPECT_EQ(MismatchesWithThePlainlyDrawnText(line, ImageZero().value(), italic), 0);
    DeleteObject(italic);
}

// fu (U+007F) and ke (U+00AD) are a control and a format character: drawn by character they
// could be blanked on Windows, so no part of the picture may be drawn that way.
TEST_F(LineImage, EverySignIsDrawnByGlyphIndex) {
    TextCallWatch watch;
    Render(u"!\u007Fab\u00AD%");
    EXPECT_GT(watch.byGlyph, 0);
    EXPECT_EQ(watch.byCharacter, 0);
}

TEST_F(LineImage, SoftHyphenAloneLeavesInk) {
    // Key "ke" writes U+00AD: it must show its glyph, not vanish as a soft hyphen.
    EXPECT_FALSE(InkOf(Render(u"\u00AD")).Empty());
}

TEST_F(LineImage, TwoSpacesAreNinetyPixelsAllWhite) {
    Picture p = Render(u"  ");
    EXPECT_EQ(p.width, 90);
    EXPECT_TRUE(InkOf(p).Empty());
}

TEST_F(LineImage, SameLineTwiceGivesTheSamePixels) {
    const std::u16string line = u"\"#$%&'()*+,-./0123";
    Picture first = Render(line);
    Picture second = Render(line);
    EXPECT_EQ(first.bytes, second.bytes);
}

TEST_F(LineImage, EmptyLineLeavesNoImageAndReleasesTheEarlierOne) {
    Render(u"!!");
    HBITMAP earlier = detail::FromHandle<HBITMAP>(ImageHandleOf(LineImageNumber));
    RenderLineImage(0, u"");
    EXPECT_TRUE(IsNull(ImageHandleOf(LineImageNumber)));
    EXPECT_EQ(GetObjectType(earlier), 0u); // deleted, not leaked
}

TEST_F(LineImage, WithoutLineFontTheSystemFontDraws) {
    ShutDownToolkit();
    InitToolkit(); // font 3 never loaded
    EXPECT_FALSE(InkOf(Render(u"Hg")).Empty());
}

int AdvanceOf(std::u16string_view text, int font = LineImageFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, detail::FromHandle<HFONT>(FontHandleOf(font)));
    std::wstring wide(text.begin(), text.end());
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

// Lines past 728 characters: the image records and draws its real width, so the last
// character is drawn as the first, one advance per character further right.
class LongLine : public LineImage, public ::testing::WithParamInterface<int> {};

TEST_P(LongLine, RecordsTheRealWidthAndDrawsTheLastCharacter) {
    const int length = GetParam();
    Picture p = Render(Repeated(u"!", length));
    ASSERT_EQ(p.width, 45 * length);
    EXPECT_EQ(p.recordedWidth, 45 * length);
    const int advance = AdvanceOf(u"!");
    ASSERT_EQ(AdvanceOf(Repeated(u"!", length)), advance * length); // whole-pixel advances
    const int lastAt = advance * (length - 1);
    for (int y = 0; y < p.height; ++y)
        for (int x = LineTextX; x < LineTextX + advance; ++x)
            ASSERT_EQ(p.At(lastAt + x, y), p.At(x, y)) << x << "," << y;
    EXPECT_TRUE(InkOf(p, LineTextX + lastAt + advance + 2).Empty()); // white after the text
}

INSTANTIATE_TEST_SUITE_P(PastTheSixteenBitWidth, LongLine, ::testing::Values(728, 729, 1457, 25000));

// The drawing operations on their own, on a small image under number 0.
class ImageDrawing : public LineImage {};

TEST_F(ImageDrawing, NewImageIsBlackAndAZeroWidthIsRefused) {
    ASSERT_FALSE(IsNull(CreateImageBuffer(LineImageNumber, 7, 3)));
    Picture p = ImageZero().value();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(p.At(x, y), BlackBgr);
    EXPECT_TRUE(IsNull(CreateImageBuffer(LineImageNumber, 0, 50)));
    EXPECT_TRUE(IsNull(ImageHandleOf(LineImageNumber))); // the old image went first
    EXPECT_FALSE(BeginImageDrawing(LineImageNumber));
}

TEST_F(ImageDrawing, FillBoxReachesBackWithNegativeSizesAndStaysInside) {
    CreateImageBuffer(LineImageNumber, 6, 4);
    ASSERT_TRUE(BeginImageDrawing(LineImageNumber));
    FillBox(4, 3, -2, -2, RGBColour(10, 20, 30)); // columns 2-3, rows 1-2
    FillBox(5, 0, 100, 100, White);               // clipped at the edge
    EndImageDrawing();
    Picture p = ImageZero().value();
    EXPECT_EQ(p.At(2, 1), (Bgr{30, 20, 10}));
    EXPECT_EQ(p.At(3, 2), (Bgr{30, 20, 10}));
    EXPECT_EQ(p.At(4, 3), BlackBgr);
    EXPECT_EQ(p.At(1, 1), BlackBgr);
    EXPECT_EQ(p.At(5, 3), WhiteBgr);
}

TEST_F(ImageDrawing, OpaqueTextPaintsItsCellBlackAndReturnsTheEndOfTheText) {
    CreateImageBuffer(LineImageNumber, 200, 50);
    ASSERT_TRUE(BeginImageDrawing(LineImageNumber));
    FillBox(0, 0, 200, 50, White);
    SetDrawingFont(FontHandleOf(LineFont));
    SetDrawingFont(FontHandle::Null); // keeps LineFont
    double end = DrawTextAt(10.9, 5.7, u"!!", White); // mode 0: white glyphs, black cell
    EXPECT_EQ(DrawTextAt(end, 5, u"", Black), end);
    EndImageDrawing();
    int d = 2 * OverhangOf(detail::FromHandle<HFONT>(FontHandleOf(LineFont)));
    EXPECT_EQ(end, 10.9 + AdvanceOf(u"!!", LineFont) + d / 2);
    Picture p = ImageZero().value();
    EXPECT_EQ(p.At(10 - d, 5), BlackBgr); // truncated to (10, 5), widened by d on the left
    EXPECT_EQ(p.At(10 - d - 1, 5), WhiteBgr);
    EXPECT_EQ(p.At(10, 4), WhiteBgr);
}

TEST(LineImageWidth, IsFortyFivePerCodeUnitAndZeroBeyondAnyImage) {
    EXPECT_EQ(LineImageWidth(0), 0);
    EXPECT_EQ(LineImageWidth(1), 45);
    EXPECT_EQ(LineImageWidth(729), 32805);
    EXPECT_EQ(LineImageWidth(47721858), 2147483610);
    EXPECT_EQ(LineImageWidth(47721859), 0); // 45 times that passes the largest int
}

} // namespace
} // namespace wexa
