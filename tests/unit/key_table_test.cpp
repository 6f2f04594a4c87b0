// The key table as built, checked against the keyboard's layout and writing rules and
// against the font generator's own table of characters and syllables.
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "transfer/constants.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace wexa {
namespace {

using std::u16string;

struct FontKey {
    char16_t character;
    const char16_t* syllable;
};
// The font generator's key table, in keyboard order (glyph keys 0 to 179).
constexpr FontKey FontKeys[] = {
#include "font_key_rows.inc"
};

const KeyEntry& Entry(int number) {
    const KeyEntry* e = FindKeyEntry(number);
    if (!e) ADD_FAILURE() << "no entry " << number;
    static const KeyEntry none{};
    return e ? *e : none;
}

u16string Text(int number) { return u16string(Entry(number).appendedText); }
u16string Label(int number) { return u16string(Entry(number).label); }

std::vector<int> KeyNumbers() {
    std::vector<int> numbers;
    for (int n = FirstGlyphKey; n <= LastGlyphKey; ++n) numbers.push_back(n);
    for (int n = FirstSyllableKey; n <= LastSyllableKey; ++n) numbers.push_back(n);
    return numbers;
}

TEST(KeyTable, HoldsEveryButtonOnceInAscendingOrderOfNumber) {
    std::vector<int> expected = KeyNumbers();
    for (int n = SpacesButton; n <= LastCommandButton; ++n) expected.push_back(n);
    std::vector<int> numbers;
    for (const KeyEntry& e : KeyTable()) numbers.push_back(e.number);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(numbers.size(), 364u);
}

TEST(KeyTable, KeysStandInFourBlocksOfEighteenRowsByFiveColumns) {
    struct Block {
        int base, left;
    };
    const Block blocks[] = {{0, 10}, {90, 330}, {190, 710}, {280, 1030}};
    for (const Block& b : blocks)
        for (int i = 0; i < 90; ++i) {
            const KeyEntry& e = Entry(b.base + i);
            SCOPED_TRACE(e.number);
            EXPECT_EQ(e.x, b.left + 60 * (i % 5));
            EXPECT_EQ(e.y, 10 + 30 * (i / 5));
            EXPECT_EQ(e.width, 50);
            EXPECT_EQ(e.height, 24);
        }
    EXPECT_EQ(Entry(89).y, 520);
    EXPECT_EQ(Entry(179).x + Entry(179).width, 620); // block B ends before block C begins
    EXPECT_EQ(Entry(190).x, 710);
}

TEST(KeyTable, CommandButtonsStandInOneRowUnderTheKeys) {
    struct Command {
        int number, x;
        u16string label;
        int font;
        KeyAction action;
        u16string text;
    };
    const Command commands[] = {
        {373, 185, u"ein Zeichen l\u00F6schen", NoLabelFont, KeyAction::DeleteLastCharacter, u""},
        {370, 420, u"Leerzeichen (2x)", LabelFont, KeyAction::Append, u"\u0020\u0020"},
        {371, 775, u"\u00DCbertrag Clipboard", NoLabelFont, KeyAction::TransferLine, u""},
        {372, 1070, u"alles L\u00F6schen", NoLabelFont, KeyAction::ClearLine, u""},
    };
    for (const Command& c : commands) {
        const KeyEntry& e = Entry(c.number);
        SCOPED_TRACE(c.number);
        EXPECT_EQ(e.x, c.x);
        EXPECT_EQ(e.y, 560);
        EXPECT_EQ(e.width, 220);
        EXPECT_EQ(e.height, 30);
        EXPECT_EQ(u16string(e.label), c.label);
        EXPECT_EQ(e.labelFont, c.font);
        EXPECT_EQ(e.action, c.action);
        EXPECT_EQ(u16string(e.appendedText), c.text);
    }
}

TEST(KeyTable, EveryKeyAppendsOneCharacterAndTheSyllableKeyThatOfTheGlyphKeyBeside) {
    for (int n = FirstGlyphKey; n <= LastGlyphKey; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Entry(n).action, KeyAction::Append);
        EXPECT_EQ(Entry(n + 190).action, KeyAction::Append);
        EXPECT_EQ(Text(n).size(), 1u);
        EXPECT_EQ(Label(n), Text(n)); // a glyph key shows what it writes
        EXPECT_EQ(Text(n + 190), Text(n));
        EXPECT_EQ(Entry(n).labelFont, GlyphFont);
        EXPECT_EQ(Entry(n + 190).labelFont, LabelFont);
    }
}

// The syllables written out from their grid, independently of the table's own lists.
u16string ExpectedSyllable(int syllableKey) {
    const u16string vowels = u"aeiou";
    const u16string leftConsonants = u"bdfgklmnprs\u0161txz";
    const u16string rightConsonants = u"fghjklmnprs\u0161twz";
    int i = syllableKey - FirstSyllableKey;
    bool right = i >= 90;
    int row = (i % 90) / 5, column = i % 5;
    char16_t vowel = vowels[column];
    if (!right) {
        if (row < 15) return {vowel, leftConsonants[row]};
        return {u"b\u010Dd"[row - 15], vowel};
    }
    if (row < 15) return {rightConsonants[row], vowel};
    if (row == 15) return {u'd', u'a', u"bglmr"[column]};
    return {u'g', vowel, u"bd"[row - 16]};
}

TEST(KeyTable, SyllableLabelsFollowTheirGridAndAreDistinct) {
    std::set<u16string> labels;
    for (int n = FirstSyllableKey; n <= LastSyllableKey; ++n) {
        EXPECT_EQ(Label(n), ExpectedSyllable(n)) << "syllable key " << n;
        labels.insert(Label(n));
    }
    EXPECT_EQ(labels.size(), 180u);
    EXPECT_EQ(Label(190), u"ab");
    EXPECT_EQ(Label(270), u"\u010Da");
    EXPECT_EQ(Label(335), u"\u0161a");
    EXPECT_EQ(Label(369), u"gud");
}

TEST(KeyTable, KeyCharactersAreDistinctAndExactlyTheWritableSet) {
    std::set<char16_t> expected;
    for (char16_t c = 0x21; c <= 0x7F; ++c)
        if (c != u'&') expected.insert(c);
    expected.insert(0xA1);
    for (char16_t c = 0xA8; c <= 0xBC; ++c) expected.insert(c);
    for (char16_t c = 0xBE; c <= 0xFD; ++c) expected.insert(c);
    ASSERT_EQ(expected.size(), 180u);

    std::map<char16_t, std::vector<int>> writers;
    for (const KeyEntry& e : KeyTable())
        if (e.appendedText.size() == 1) writers[e.appendedText[0]].push_back(e.number);
    std::set<char16_t> found;
    for (const auto& [c, keys] : writers) {
        found.insert(c);
        // Exactly its glyph key and the syllable key 190 higher.
        ASSERT_EQ(keys.size(), 2u) << "U+" << std::hex << int(c);
        EXPECT_LE(keys[0], LastGlyphKey);
        EXPECT_EQ(keys[1], keys[0] + 190);
    }
    EXPECT_EQ(found, expected);
}

TEST(KeyTable, LeftGlyphBlockRunsUpwardsWithTheDiaeresisInPlaceOfTheAmpersand) {
    for (int n = 0; n < 90; ++n)
        EXPECT_EQ(Text(n), u16string(1, n == 5 ? u'\u00A8' : char16_t(0x21 + n))) << "glyph key " << n;
    for (int n = 90; n < 95; ++n) EXPECT_EQ(Text(n), u16string(1, char16_t(0x7B + n - 90)));
    EXPECT_EQ(Text(195), u"\u00A8");
    EXPECT_EQ(Text(94), u"\u007F");
    EXPECT_EQ(Text(284), u"\u007F");
    EXPECT_EQ(Text(111), u"\u00AD");
    EXPECT_EQ(Text(301), u"\u00AD");
    EXPECT_EQ(Text(179), u"\u00FD");
    EXPECT_EQ(Text(369), u"\u00FD");
}

TEST(KeyTable, AgreesWithTheFontGeneratorKeyByKey) {
    ASSERT_EQ(std::size(FontKeys), 180u);
    for (int n = FirstGlyphKey; n <= LastGlyphKey; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Text(n), u16string(1, FontKeys[n].character));
        EXPECT_EQ(Label(n + 190), u16string(FontKeys[n].syllable));
    }
}

TEST(KeyTable, OnlyTheSpacesButtonWritesMoreThanOneCharacterOrASpace) {
    for (const KeyEntry& e : KeyTable()) {
        if (e.number == SpacesButton) continue;
        EXPECT_LE(e.appendedText.size(), 1u) << e.number;
        EXPECT_EQ(e.appendedText.find(u' '), std::u16string_view::npos) << e.number;
    }
    EXPECT_EQ(Text(SpacesButton), u"  ");
}

TEST(FindKeyEntry, FindsEveryButtonByItsNumberAndNothingElse) {
    for (int n = -3; n <= 380; ++n) {
        const KeyEntry* e = FindKeyEntry(n);
        bool button = (n >= 0 && n <= 179) || (n >= 190 && n <= 373);
        ASSERT_EQ(e != nullptr, button) << n;
        if (e) {
            EXPECT_EQ(e->number, n);
        }
    }
    EXPECT_EQ(FindKeyEntry(INT_MIN), nullptr);
    EXPECT_EQ(FindKeyEntry(INT_MAX), nullptr);
    EXPECT_EQ(FindKeyEntry(PreviewImageNumber), nullptr);
}

} // namespace
} // namespace wexa
