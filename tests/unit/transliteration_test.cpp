// Typing syllables by their letters, checked over the whole key table: every syllable can
// be typed by its letters and by its ASCII spelling, the spelling is free of ambiguity, and
// two syllables typed one after the other write both unless the first could still grow.
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/transliteration.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace wexa {
namespace {

using std::u16string;

struct Key {
    u16string label;
    char16_t character;
};

std::vector<Key> SyllableKeys() {
    std::vector<Key> keys;
    for (const KeyEntry& e : KeyTable())
        if (e.number >= FirstSyllableKey && e.number <= LastSyllableKey)
            keys.push_back({u16string(e.label), e.appendedText.front()});
    return keys;
}

u16string Ascii(u16string label) {
    for (char16_t& c : label) {
        if (c == u'\u010D') c = AsciiCCaron;
        if (c == u'\u0161') c = AsciiSCaron;
    }
    return label;
}

u16string Upper(u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c == u'\u010D' || c == u'\u0161')
            --c; // Č, Š
    }
    return text;
}

// Whether a syllable, or a longer one, begins with the letters, from the labels themselves.
bool Begins(const std::vector<Key>& keys, const u16string& letters, bool longer) {
    for (const Key& k : keys)
        if (k.label.size() >= letters.size() + longer && k.label.starts_with(letters)) return true;
    return false;
}
bool CanGrow(const std::vector<Key>& keys, const u16string& letters) { return Begins(keys, letters, true); }

u16string TypeAll(SyllableTyping& typing, const u16string& typed) {
    u16string written;
    for (char16_t c : typed)
        written += typing.Type(c);
    return written;
}

// Typed, then ended as a non-letter ends it.
u16string TypeEnded(SyllableTyping& typing, const u16string& typed) {
    u16string written = TypeAll(typing, typed);
    return written + typing.Finish();
}

TEST(Transliteration, TheAsciiSpellingIsFreeOfAmbiguity) {
    std::vector<Key> keys = SyllableKeys();
    ASSERT_EQ(keys.size(), 180u);
    std::set<u16string> spellings, labels;
    for (const Key& k : keys) {
        labels.insert(k.label);
        spellings.insert(Ascii(k.label));
        for (char16_t c : Ascii(k.label))
            EXPECT_TRUE(c < 0x80) << "not ASCII in the spelling of a syllable";
    }
    EXPECT_EQ(spellings.size(), 180u) << "two syllables share an ASCII spelling";
    for (const Key& k : keys) {
        EXPECT_EQ(k.label.find(AsciiCCaron), u16string::npos) << "a syllable has the letter that spells \u010D";
        EXPECT_EQ(k.label.find(AsciiSCaron), u16string::npos) << "a syllable has the letter that spells \u0161";
        // An ASCII spelling is only ever its own syllable's: no other label reads the same.
        if (Ascii(k.label) != k.label) {
            EXPECT_EQ(labels.count(Ascii(k.label)), 0u);
        }
    }
}

TEST(Transliteration, EverySyllableIsWrittenByItsLettersItsAsciiSpellingAndInCapitals) {
    std::vector<Key> keys = SyllableKeys();
    for (const Key& k : keys) {
        bool grows = CanGrow(keys, k.label);
        for (const u16string& typed : {k.label, Ascii(k.label), Upper(k.label), Upper(Ascii(k.label))}) {
            SCOPED_TRACE(std::string(typed.begin(), typed.end()));
            SyllableTyping typing;
            EXPECT_EQ(TypeAll(typing, typed.substr(0, typed.size() - 1)), u"") << "written before the last letter";
            // A syllable that cannot grow is written with its last letter, one that can
            // when a non-letter ends it.
            u16string written = typing.Type(typed.back());
            EXPECT_EQ(written, grows ? u"" : u16string(1, k.character));
            EXPECT_EQ(typing.Pending(), grows ? k.label : u"");
            written += typing.Type(u'\'');
            EXPECT_EQ(written, u16string(1, k.character));
            EXPECT_EQ(typing.Pending(), u"");
        }
    }
}

TEST(Transliteration, TwoSyllablesTypedTogetherWriteBothUnlessTheFirstCouldGrowByTheNextLetter) {
    std::vector<Key> keys = SyllableKeys();
    int swallowed = 0;
    for (const Key& first : keys)
        for (const Key& second : keys) {
            SyllableTyping typing;
            u16string both = {first.character, second.character};
            u16string written = TypeEnded(typing, Ascii(first.label) + Ascii(second.label));
            if (Begins(keys, first.label + second.label.front(), false)) {
                EXPECT_NE(written, both);
                ++swallowed;
            } else {
                ASSERT_EQ(written, both) << std::string(first.label.begin(), first.label.end()) << " + "
                                         << std::string(second.label.begin(), second.label.end());
            }
            // A non-letter between them always keeps them apart.
            EXPECT_EQ(TypeEnded(typing, first.label + u"'" + second.label), both);
        }
    EXPECT_GT(swallowed, 0); // "da" + "ba" reads as "dab" + "a"
}

TEST(Transliteration, LettersThatSpellNothingAreRefusedOrDroppedNeverWritten) {
    SyllableTyping typing;
    EXPECT_EQ(TypeAll(typing, u"x"), u""); // no syllable begins with x
    EXPECT_EQ(typing.Pending(), u"");
    EXPECT_EQ(TypeAll(typing, u"dx"), u""); // x cannot follow d, and d alone spells nothing
    EXPECT_EQ(typing.Pending(), u"d");
    EXPECT_EQ(TypeAll(typing, u"a"), u"");  // "da" may still grow
    EXPECT_EQ(TypeAll(typing, u"x"), u"v"); // x ends "da" (U+0076) and starts nothing
    EXPECT_EQ(TypeAll(typing, u"d."), u""); // a lone consonant ended by a non-letter is dropped
    EXPECT_EQ(typing.Pending(), u"");
    EXPECT_EQ(TypeAll(typing, u"y\u00E4"), u""); // letters of no syllable
    EXPECT_EQ(typing.Pending(), u"");
}

TEST(Transliteration, BackspaceRemovesPendingLettersOneByOneAndEscapeDropsThemAll) {
    SyllableTyping typing;
    EXPECT_FALSE(typing.RemovePendingLetter());
    TypeAll(typing, u"ga");
    EXPECT_TRUE(typing.RemovePendingLetter());
    EXPECT_EQ(typing.Pending(), u"g");
    EXPECT_EQ(TypeAll(typing, u"ub"), u"\u00F8"); // "gub", once the wrong vowel is gone
    TypeAll(typing, u"ge");
    typing.DropPending();
    EXPECT_EQ(typing.Pending(), u"");
    EXPECT_EQ(typing.Finish(), u"");
}

TEST(Transliteration, TheLineIsSpokenAsItsSyllablesWithACommaForSpaces) {
    EXPECT_EQ(LineSyllables(u""), u"");
    EXPECT_EQ(LineSyllables(u"!\"#"), u"ab eb ib");
    EXPECT_EQ(LineSyllables(u"  !  q\u00FD  "), u"ab, \u010Da gud");
    EXPECT_EQ(LineSyllables(u"    "), u"");
}

} // namespace
} // namespace wexa
