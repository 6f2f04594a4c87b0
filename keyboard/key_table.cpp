#include "keyboard/key_table.h"

#include "keyboard/constants.h"

#include <algorithm>
#include <array>

namespace wexa {
namespace {

// The keys stand in four blocks of 18 rows by 5 columns: two blocks of glyph keys on the
// left, and to their right the two blocks of syllable keys that write the same characters.
constexpr int KeyRows = 18;
constexpr int KeyColumns = 5;
constexpr int KeysPerBlock = KeyRows * KeyColumns;
constexpr int KeyWidth = 50;
constexpr int KeyHeight = 24;
constexpr int KeyColumnPitch = 60;
constexpr int KeyRowPitch = 30;
constexpr int KeyTop = 10;
constexpr int GlyphBlockLeft[2] = {10, 330};
// Syllable key n stands in the same row and column as glyph key n - 190, this far to the right.
constexpr int SyllableBlockShift = 700;

constexpr int CommandWidth = 220;
constexpr int CommandHeight = 30;
constexpr int CommandTop = 560;

// One row of a glyph block: the characters of its five keys, column 0 first, and the
// syllables that the syllable keys in the same row and column show for them.
struct KeyRow {
    char16_t characters[KeyColumns];
    std::u16string_view syllables[KeyColumns];
};

// Glyph keys 0 to 89, syllable keys 190 to 279: syllables on a vowel and b, d, f, g, k, l,
// m, n, p, r, s, š, t, x, z, then b, č and d on a vowel.
constexpr KeyRow LeftBlock[KeyRows] = {
    {{0x21, 0x22, 0x23, 0x24, 0x25}, {u"ab", u"eb", u"ib", u"ob", u"ub"}},
    {{0xA8, 0x27, 0x28, 0x29, 0x2A}, {u"ad", u"ed", u"id", u"od", u"ud"}}, // never the ampersand
    {{0x2B, 0x2C, 0x2D, 0x2E, 0x2F}, {u"af", u"ef", u"if", u"of", u"uf"}},
    {{0x30, 0x31, 0x32, 0x33, 0x34}, {u"ag", u"eg", u"ig", u"og", u"ug"}},
    {{0x35, 0x36, 0x37, 0x38, 0x39}, {u"ak", u"ek", u"ik", u"ok", u"uk"}},
    {{0x3A, 0x3B, 0x3C, 0x3D, 0x3E}, {u"al", u"el", u"il", u"ol", u"ul"}},
    {{0x3F, 0x40, 0x41, 0x42, 0x43}, {u"am", u"em", u"im", u"om", u"um"}},
    {{0x44, 0x45, 0x46, 0x47, 0x48}, {u"an", u"en", u"in", u"on", u"un"}},
    {{0x49, 0x4A, 0x4B, 0x4C, 0x4D}, {u"ap", u"ep", u"ip", u"op", u"up"}},
    {{0x4E, 0x4F, 0x50, 0x51, 0x52}, {u"ar", u"er", u"ir", u"or", u"ur"}},
    {{0x53, 0x54, 0x55, 0x56, 0x57}, {u"as", u"es", u"is", u"os", u"us"}},
    {{0x58, 0x59, 0x5A, 0x5B, 0x5C}, {u"a\u0161", u"e\u0161", u"i\u0161", u"o\u0161", u"u\u0161"}},
    {{0x5D, 0x5E, 0x5F, 0x60, 0x61}, {u"at", u"et", u"it", u"ot", u"ut"}},
    {{0x62, 0x63, 0x64, 0x65, 0x66}, {u"ax", u"ex", u"ix", u"ox", u"ux"}},
    {{0x67, 0x68, 0x69, 0x6A, 0x6B}, {u"az", u"ez", u"iz", u"oz", u"uz"}},
    {{0x6C, 0x6D, 0x6E, 0x6F, 0x70}, {u"ba", u"be", u"bi", u"bo", u"bu"}},
    {{0x71, 0x72, 0x73, 0x74, 0x75}, {u"\u010Da", u"\u010De", u"\u010Di", u"\u010Do", u"\u010Du"}},
    {{0x76, 0x77, 0x78, 0x79, 0x7A}, {u"da", u"de", u"di", u"do", u"du"}},
};

// Glyph keys 90 to 179, syllable keys 280 to 369: f, g, h, j, k, l, m, n, p, r, s, š, t, w
// and z on a vowel, then "dab" to "dar", g + vowel + b and g + vowel + d.
constexpr KeyRow RightBlock[KeyRows] = {
    {{0x7B, 0x7C, 0x7D, 0x7E, 0x7F}, {u"fa", u"fe", u"fi", u"fo", u"fu"}},
    {{0xA1, 0xAF, 0xB2, 0xB3, 0xB4}, {u"ga", u"ge", u"gi", u"go", u"gu"}},
    {{0xB5, 0xB6, 0xB7, 0xB8, 0xB9}, {u"ha", u"he", u"hi", u"ho", u"hu"}},
    {{0xBA, 0xBB, 0xBC, 0xB0, 0xB1}, {u"ja", u"je", u"ji", u"jo", u"ju"}},
    {{0xAC, 0xAD, 0xAE, 0xBE, 0xBF}, {u"ka", u"ke", u"ki", u"ko", u"ku"}},
    {{0xC0, 0xC1, 0xC2, 0xC3, 0xC4}, {u"la", u"le", u"li", u"lo", u"lu"}},
    {{0xC5, 0xC6, 0xC7, 0xC8, 0xAB}, {u"ma", u"me", u"mi", u"mo", u"mu"}},
    {{0xAA, 0xC9, 0xCA, 0xCB, 0xCC}, {u"na", u"ne", u"ni", u"no", u"nu"}},
    {{0xCD, 0xCE, 0xCF, 0xD0, 0xD1}, {u"pa", u"pe", u"pi", u"po", u"pu"}},
    {{0xD2, 0xD3, 0xD4, 0xD5, 0xD6}, {u"ra", u"re", u"ri", u"ro", u"ru"}},
    {{0xD7, 0xD8, 0xD9, 0xDA, 0xDB}, {u"sa", u"se", u"si", u"so", u"su"}},
    {{0xDC, 0xDD, 0xDE, 0xDF, 0xA9}, {u"\u0161a", u"\u0161e", u"\u0161i", u"\u0161o", u"\u0161u"}},
    {{0xE0, 0xE1, 0xE2, 0xE3, 0xE4}, {u"ta", u"te", u"ti", u"to", u"tu"}},
    {{0xE5, 0xE6, 0xE7, 0xE8, 0xE9}, {u"wa", u"we", u"wi", u"wo", u"wu"}},
    {{0xEA, 0xEB, 0xEC, 0xED, 0xEE}, {u"za", u"ze", u"zi", u"zo", u"zu"}},
    {{0xEF, 0xF0, 0xF1, 0xF2, 0xF3}, {u"dab", u"dag", u"dal", u"dam", u"dar"}},
    {{0xF4, 0xF5, 0xF6, 0xF7, 0xF8}, {u"gab", u"geb", u"gib", u"gob", u"gub"}},
    {{0xF9, 0xFA, 0xFB, 0xFC, 0xFD}, {u"gad", u"ged", u"gid", u"god", u"gud"}},
};

constexpr const KeyRow* GlyphBlocks[2] = {LeftBlock, RightBlock};

// By number; on the screen they stand left to right as 373, 370, 371, 372.
constexpr KeyEntry CommandButtons[] = {
    {SpacesButton, 420, CommandTop, CommandWidth, CommandHeight, u"Leerzeichen (2x)", LabelFont, KeyAction::Append,
     u"  ", u"Zwei Leerzeichen anf\u00FCgen (zur\u00FCcknehmen: Strg+Z)"},
    {TransferButton, 775, CommandTop, CommandWidth, CommandHeight, u"\u00DCbertrag Clipboard", NoLabelFont,
     KeyAction::TransferLine, u"", u"Die Zeile als Bild in die Zwischenablage (Strg+C)"},
    {ClearButton, 1070, CommandTop, CommandWidth, CommandHeight, u"alles L\u00F6schen", NoLabelFont,
     KeyAction::ClearLine, u"", u"Die ganze Zeile l\u00F6schen (zur\u00FCckholen: Strg+Z)"},
    {DeleteOneButton, 185, CommandTop, CommandWidth, CommandHeight, u"ein Zeichen l\u00F6schen", NoLabelFont,
     KeyAction::DeleteLastCharacter, u"", u"Das letzte Zeichen l\u00F6schen (R\u00FCcktaste)"},
};

constexpr int KeyCount = 2 * 2 * KeysPerBlock;
constexpr int EntryCount = KeyCount + static_cast<int>(std::size(CommandButtons));

// Glyph key i of a block (0 to 89) or the syllable key beside it.
constexpr KeyEntry KeyOf(int block, int i, bool syllable) {
    const KeyRow& row = GlyphBlocks[block][i / KeyColumns];
    int column = i % KeyColumns;
    std::u16string_view character(&row.characters[column], 1);
    int glyphNumber = FirstGlyphKey + block * KeysPerBlock + i;
    int x = GlyphBlockLeft[block] + KeyColumnPitch * column;
    int y = KeyTop + KeyRowPitch * (i / KeyColumns);
    if (!syllable) return {glyphNumber, x, y, KeyWidth, KeyHeight, character, GlyphFont, KeyAction::Append, character};
    return {FirstSyllableKey + glyphNumber, x + SyllableBlockShift, y, KeyWidth, KeyHeight, row.syllables[column],
            LabelFont, KeyAction::Append, character};
}

constexpr std::array<KeyEntry, EntryCount> BuildTable() {
    std::array<KeyEntry, EntryCount> table{};
    int n = 0;
    for (bool syllable : {false, true})
        for (int block = 0; block < 2; ++block)
            for (int i = 0; i < KeysPerBlock; ++i) table[n++] = KeyOf(block, i, syllable);
    for (const KeyEntry& command : CommandButtons) table[n++] = command;
    return table;
}

constexpr std::array<KeyEntry, EntryCount> Table = BuildTable();

// FindKeyEntry searches by number, so the table must run strictly upwards.
static_assert(std::adjacent_find(Table.begin(), Table.end(), [](const KeyEntry& a, const KeyEntry& b) {
                  return a.number >= b.number;
              }) == Table.end());
static_assert(Table.front().number == FirstGlyphKey && Table[LastGlyphKey].number == LastGlyphKey);
static_assert(Table[LastGlyphKey + 1].number == FirstSyllableKey && Table.back().number == LastCommandButton);

} // namespace

std::span<const KeyEntry> KeyTable() { return Table; }

const KeyEntry* FindKeyEntry(int gadgetNumber) {
    auto at = std::lower_bound(Table.begin(), Table.end(), gadgetNumber,
                               [](const KeyEntry& entry, int number) { return entry.number < number; });
    return at != Table.end() && at->number == gadgetNumber ? &*at : nullptr;
}

} // namespace wexa
