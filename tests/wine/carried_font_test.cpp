// The carried font as Windows (Wine) sees it: registered for this process only, chosen by
// the font mapper under its family name, with a glyph for every key character.
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "resources/carried_font.h"
#include "toolkit/graphics/fonts.h"

#include "toolkit/platform/win32_handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace wexa {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes Carried() {
    return Bytes(CarriedFontData().begin(), CarriedFontData().end());
}

// U+0021-U+007F without U+0026, U+00A1, U+00A8-U+00BC, U+00BE-U+00FD.
std::u16string KeyCharacters() {
    std::u16string keys;
    auto add = [&keys](char16_t first, char16_t last) {
        for (char16_t c = first; c <= last; ++c)
            keys += c;
    };
    add(0x21, 0x25);
    add(0x27, 0x7F);
    add(0xA1, 0xA1);
    add(0xA8, 0xBC);
    add(0xBE, 0xFD);
    return keys;
}

// The face the font mapper picks for the name, and which characters of the text it lacks.
struct Selection {
    std::wstring face;
    std::u16string missing;
};

Selection Select(const wchar_t* name, const std::u16string& text, int height = 40) {
    win32::UniqueFont font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0, name));
    win32::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    win32::SelectedObject selected(dc.get(), font.get());
    Selection result;
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc.get(), LF_FACESIZE, face);
    result.face = face;
    std::wstring wide(text.begin(), text.end());
    std::vector<WORD> glyphs(wide.size());
    GetGlyphIndicesW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    for (std::size_t i = 0; i < glyphs.size(); ++i)
        if (glyphs[i] == 0xFFFF)
            result.missing += text[i];
    return result;
}

TEST(CarriedFont, IsTheGeneratedFontByteForByte) {
    ASSERT_FALSE(CarriedFontData().empty());
    EXPECT_EQ(Carried(), ReadBytes(WEXA_GENERATED_FONT_FILE));
}

TEST(CarriedFont, KeyCharactersAreWhatTheGlyphKeysShow) {
    std::u16string shown;
    for (const KeyEntry& key : KeyTable())
        if (key.number < 180)
            shown += key.label;
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, KeyCharacters()); // 180 distinct characters
}

TEST(CarriedFont, OnceRegisteredTheMapperPicksItWithAGlyphForEveryKey) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    fs::path file = fs::path(folder) / (L"carried-font-" + std::to_wstring(GetCurrentProcessId()) + L".ttf");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(CarriedFontData().data()),
               static_cast<std::streamsize>(CarriedFontData().size()));

    // Not on the system: only the registration brings it. (Another size than below, since the
    // platform may keep what it chose for a request and give it again.)
    EXPECT_NE(Select(L"Vevoviv", u"!", 33).face, L"Vevoviv");
    std::wstring wide = file.wstring();
    ASSERT_TRUE(RegisterPrivateFontFile(std::u16string(wide.begin(), wide.end())));
    Selection selection = Select(L"Vevoviv", KeyCharacters() + u"\u0082\u00FE");
    EXPECT_EQ(selection.face, L"Vevoviv");
    // The two code points the font leaves out show that the check sees missing glyphs.
    EXPECT_EQ(selection.missing, u"\u0082\u00FE");
    std::error_code ignored;
    fs::remove(file, ignored);
}

TEST(CarriedFont, RegistrationRefusesWhatIsNoFont) {
    EXPECT_FALSE(RegisterPrivateFontFile(u""));
    EXPECT_FALSE(RegisterPrivateFontFile(u"c:\\no such folder\\vevoviv.ttf"));
    EXPECT_FALSE(RegisterPrivateFontFile(std::u16string(u"c:\\windows\0x", 12)));
}

} // namespace
} // namespace wexa
