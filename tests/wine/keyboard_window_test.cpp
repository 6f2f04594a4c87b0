// The keyboard as start-up builds it: every button's font, what a click on each gadget number
// does to the line, the line display rebuilt after every edit, and the signs drawn by glyph. The buttons' places and
// labels are checked on the real program, at two densities, by the end-to-end layout test.
#include "running_keyboard.h"

#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/graphics/fonts.h"

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace wexa::testing {
namespace {

int ScreenDpi(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT ClientRectOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

LOGFONTW LogFontOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

std::map<int, int> ChildrenById(HWND parent) {
    std::map<int, int> count;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++count[GetDlgCtrlID(c)];
    return count;
}

int CountChildrenWithId(HWND parent, int id) { return ChildrenById(parent)[id]; }

// The test runs with drive d: at a fresh folder, where the program can write its font file
// once the folder it expects is there, or with no drive d: at all (see its registration).
// WEXA_KEYBOARD_FONTS says which: "provisioned" or "absent".
std::string ExpectedFonts() {
    const char* expected = std::getenv("WEXA_KEYBOARD_FONTS");
    return expected ? expected : "";
}

class KeyboardWindow : public RunningKeyboard {
protected:
    static void SetUpTestSuite() {
        if (ExpectedFonts() == "provisioned") CreateDirectoryW(L"d:\\kelvast6", nullptr);
        RunningKeyboard::SetUpTestSuite();
    }
};

TEST_F(KeyboardWindow, GlyphAndLineFontsAreThereWhetherOrNotTheFontFileCouldBeProvisioned) {
    if (ExpectedFonts().empty()) GTEST_SKIP() << "WEXA_KEYBOARD_FONTS not set; ctest sets it, on Debian 12 and 13";
    EXPECT_EQ(GetFileAttributesW(L"d:\\kelvast6\\vevoviv.ttf") != INVALID_FILE_ATTRIBUTES,
              ExpectedFonts() == "provisioned");
    EXPECT_FALSE(IsNull(FontHandleOf(GlyphFont)));
    EXPECT_FALSE(IsNull(FontHandleOf(LineFont)));
    EXPECT_FALSE(IsNull(FontHandleOf(LabelFont)));
}

// Face and character height of a Toolkit font, or of the system's message font, which every
// gadget gets at creation and the buttons without a label font keep.
struct FontLook {
    std::wstring face;
    int height;
};

FontLook LoadedLook(const wchar_t* face, int points, int dpi = ScreenDpi(LOGPIXELSY)) {
    return {face, -MulDiv(points, dpi, 72)};
}

FontLook MessageFontLook(int dpi = ScreenDpi(LOGPIXELSY)) {
    NONCLIENTMETRICSW metrics{sizeof metrics};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return {metrics.lfMessageFont.lfFaceName, MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi(LOGPIXELSY))};
}

void ExpectFont(HWND control, int fontNumber, const FontLook& look) {
    HFONT font = FontOf(control);
    if (fontNumber != NoLabelFont) {
        // A font that could not be loaded leaves its controls with the null font.
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(font), static_cast<std::uintptr_t>(FontHandleOf(fontNumber)));
        if (!font) return;
    }
    ASSERT_NE(font, nullptr);
    LOGFONTW lf = LogFontOf(font);
    EXPECT_EQ(std::wstring(lf.lfFaceName), look.face);
    EXPECT_EQ(lf.lfHeight, look.height);
}

// Every button's label font and the line display's LineFont, at the heights of that density.
void ExpectEveryGadgetFontAt(HWND lineDisplay, int dpi) {
    const FontLook glyph = LoadedLook(L"Vevoviv", GlyphFontPoints, dpi);
    const FontLook label = LoadedLook(L"Arial", LabelFontPoints, dpi);
    const FontLook none = MessageFontLook(dpi);
    for (const KeyEntry& key : KeyTable()) {
        SCOPED_TRACE(key.number);
        const FontLook& look = key.labelFont == GlyphFont ? glyph : key.labelFont == LabelFont ? label : none;
        ExpectFont(GetDlgItem(GetParent(lineDisplay), key.number), key.labelFont, look);
    }
    ExpectFont(lineDisplay, LineFont, LoadedLook(L"Vevoviv", LineFontPoints, dpi));
}

TEST_F(KeyboardWindow, EveryButtonCarriesItsLabelFontAndTheLineDisplayLineFont) {
    ASSERT_FALSE(IsNull(FontHandleOf(LabelFont))); // Arial is loaded in every case
    ExpectEveryGadgetFontAt(Control(LineDisplayNumber), ScreenDpi(LOGPIXELSY));
}

// The window moved to a monitor of 144 DPI and back, as the system tells it: every gadget gets
// its font made anew at the new density, while the picture's font keeps its 96-DPI height.
TEST_F(KeyboardWindow, ADensityChangeRemakesTheGadgetFontsButNotThePictures) {
    Click(0);
    Click(TransferButton);
    ASSERT_FALSE(IsNull(FontHandleOf(LineImageFont)));
    for (int dpi : {144, ScreenDpi(LOGPIXELSY)}) {
        SCOPED_TRACE(dpi);
        RECT suggested;
        GetWindowRect(window_, &suggested);
        SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        ExpectEveryGadgetFontAt(Control(LineDisplayNumber), dpi);
        EXPECT_EQ(LogFontOf(reinterpret_cast<HFONT>(FontHandleOf(LineImageFont))).lfHeight, -40);
        EXPECT_EQ(LineDisplayText(), u"!");
    }
}

// The face the platform really chose for a control's font, and whether it has a glyph for
// every character.
struct FaceCheck {
    std::wstring face;
    std::u16string missing;
};

FaceCheck CheckFace(HWND control, const std::u16string& characters) {
    FaceCheck check;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, FontOf(control));
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    check.face = face;
    for (char16_t c : characters) {
        wchar_t wide = c;
        WORD glyph = 0;
        GetGlyphIndicesW(dc, &wide, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        if (glyph == 0xFFFF) check.missing += c;
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return check;
}

TEST_F(KeyboardWindow, GlyphKeysAndTheLineDisplayDrawEveryKeyCharacterInTheVevovivFont) {
    std::u16string characters = u" ";
    for (int n = FirstGlyphKey; n <= LastGlyphKey; ++n) characters += FindKeyEntry(n)->appendedText;
    for (int number : {FirstGlyphKey, LastGlyphKey, LineDisplayNumber}) {
        SCOPED_TRACE(number);
        FaceCheck check = CheckFace(Control(number), characters);
        EXPECT_EQ(check.face, L"Vevoviv");
        EXPECT_EQ(check.missing, u"");
    }
}

// The text a control draws when it paints into a metafile: each text record's options and units.
struct TextRecord {
    DWORD options;
    std::u16string units;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM list) noexcept {
    if (record->iType != EMR_EXTTEXTOUTW) return 1;
    const auto& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
    const auto* units = reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(record) + text.offString);
    reinterpret_cast<std::vector<TextRecord>*>(list)->push_back({text.fOptions, {units, text.nChars}});
    return 1;
}

std::vector<TextRecord> PrintedText(HWND control) {
    HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(metafile), PRF_CLIENT);
    HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
    std::vector<TextRecord> records;
    EnumEnhMetaFile(nullptr, recorded, CollectText, &records, nullptr);
    DeleteEnhMetaFile(recorded);
    return records;
}

// Fu (U+007F) and ke (U+00AD), which script processing may shape to nothing, on their keys
// and in the line: each control draws its whole text once, by its glyphs in its own font.
TEST_F(KeyboardWindow, TheKeysAndTheLineDisplayDrawTheirSignsByGlyphIndex) {
    Click(94);
    Click(111);
    const std::pair<int, std::wstring> cases[] = {
        {94, L"\u007F"}, {111, L"\u00AD"}, {LineDisplayNumber, L"\u007F\u00AD"}};
    for (const auto& [number, text] : cases) {
        SCOPED_TRACE(number);
        HWND control = Control(number);
        std::u16string glyphs(text.size(), u'\0'), drawn;
        HDC dc = GetDC(control);
        HGDIOBJ old = SelectObject(dc, FontOf(control));
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), reinterpret_cast<WORD*>(glyphs.data()), 0);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        for (const TextRecord& record : PrintedText(control)) {
            EXPECT_TRUE(record.options & ETO_GLYPH_INDEX) << "drawn as characters";
            drawn += record.units;
        }
        EXPECT_EQ(drawn, glyphs);
    }
}

// What a click on each number leaves of the line "!" (glyph key 0).
std::u16string AfterClick(int number) {
    std::u16string line = u"!";
    const KeyEntry* key = FindKeyEntry(number);
    if (!key) return line;
    switch (key->action) {
    case KeyAction::Append:
        return line.append(key->appendedText);
    case KeyAction::TransferLine:
        return line;
    case KeyAction::ClearLine:
    case KeyAction::DeleteLastCharacter:
        return u"";
    }
    return u"?";
}

TEST_F(KeyboardWindow, EveryGadgetNumberDoesWhatItsKeyEntrySays) {
    for (int n = -2; n <= 380; ++n) {
        SCOPED_TRACE(n);
        Click(ClearButton);
        Click(0);
        HWND fieldBefore = Control(LineDisplayNumber);
        if (FindKeyEntry(n)) {
            Click(n);
        } else {
            DispatchGadget(*program_, n); // no button: only a stray event can carry the number
        }
        EXPECT_EQ(LineDisplayText(), AfterClick(n));
        EXPECT_EQ(std::u16string(program_->line.Text()), AfterClick(n));
        if (!FindKeyEntry(n)) {
            EXPECT_EQ(Control(LineDisplayNumber), fieldBefore); // not even rebuilt
        }
    }
}

TEST_F(KeyboardWindow, EveryEditRebuildsTheLineDisplayInPlaceWithLineFont) {
    const RECT place = ClientRectOf(Control(LineDisplayNumber));
    for (int number : {0, 369, SpacesButton, DeleteOneButton, ClearButton, DeleteOneButton, 94}) {
        SCOPED_TRACE(number);
        HWND before = Control(LineDisplayNumber);
        Click(number);
        HWND field = Control(LineDisplayNumber);
        EXPECT_NE(field, before);
        EXPECT_FALSE(IsWindow(before));
        EXPECT_EQ(CountChildrenWithId(window_, LineDisplayNumber), 1);
        RECT r = ClientRectOf(field);
        EXPECT_TRUE(EqualRect(&r, &place));
        EXPECT_TRUE(GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(FontOf(field)),
                  static_cast<std::uintptr_t>(FontHandleOf(LineFont)));
    }
    EXPECT_EQ(LineDisplayText(), u"\u007F");
}

TEST_F(KeyboardWindow, AClickOnTheLineDisplayChangesNothing) {
    Click(0);
    HWND field = Control(LineDisplayNumber);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(LineDisplayNumber, STN_CLICKED), reinterpret_cast<LPARAM>(field));
    Pump();
    EXPECT_EQ(Control(LineDisplayNumber), field);
    EXPECT_EQ(LineDisplayText(), u"!");
}

TEST_F(KeyboardWindow, ALineOfAHundredThousandCharactersStillEdits) {
    std::u16string line(99999, u'\u00FD');
    AppendToLine(program_->line, line);
    Click(0);
    line += u'!';
    EXPECT_EQ(LineDisplayText(), line);
    Click(DeleteOneButton);
    Click(DeleteOneButton);
    line.resize(99998);
    EXPECT_EQ(LineDisplayText(), line);
    EXPECT_EQ(program_->line.Length(), 99998u);
    Click(ClearButton);
    EXPECT_EQ(LineDisplayText(), u"");
}

} // namespace
} // namespace wexa::testing
