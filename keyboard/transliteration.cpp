#include "keyboard/transliteration.h"

#include "keyboard/constants.h"
#include "keyboard/key_table.h"

#include <algorithm>
#include <array>
#include <vector>

namespace wexa {
namespace {

constexpr char16_t LowerCCaron = u'\u010D', UpperCCaron = u'\u010C';
constexpr char16_t LowerSCaron = u'\u0161', UpperSCaron = u'\u0160';

struct Syllable {
    std::u16string_view spelling;
    char16_t character;
};

// The syllable keys' labels with the characters they write, sorted by spelling, so that
// the syllables beginning with some letters stand together.
const std::vector<Syllable>& Syllables() {
    static const std::vector<Syllable> syllables = [] {
        std::vector<Syllable> list;
        for (const KeyEntry& key : KeyTable())
            if (key.number >= FirstSyllableKey && key.number <= LastSyllableKey)
                list.push_back({key.label, key.appendedText.front()});
        std::sort(list.begin(), list.end(),
                  [](const Syllable& a, const Syllable& b) { return a.spelling < b.spelling; });
        return list;
    }();
    return syllables;
}

// The first syllable not ordered before the letters; the syllables they begin follow it.
std::vector<Syllable>::const_iterator FirstFrom(std::u16string_view letters) {
    const std::vector<Syllable>& all = Syllables();
    return std::lower_bound(all.begin(), all.end(), letters,
                            [](const Syllable& s, std::u16string_view l) { return s.spelling < l; });
}

const Syllable* Spelled(std::u16string_view letters) {
    auto at = FirstFrom(letters);
    return at != Syllables().end() && at->spelling == letters ? &*at : nullptr;
}

// Whether some syllable begins with the letters; with `longerOnly`, one longer than they are.
bool SyllableBeginsWith(std::u16string_view letters, bool longerOnly = false) {
    auto at = FirstFrom(letters);
    if (longerOnly && at != Syllables().end() && at->spelling == letters) ++at;
    return at != Syllables().end() && at->spelling.starts_with(letters);
}

} // namespace

char16_t SpellingLetter(char16_t typed) {
    if (typed >= u'A' && typed <= u'Z') typed = static_cast<char16_t>(typed - u'A' + u'a');
    if (typed == AsciiCCaron || typed == UpperCCaron) return LowerCCaron;
    if (typed == AsciiSCaron || typed == UpperSCaron) return LowerSCaron;
    return typed;
}

bool IsSyllableLetter(char16_t letter) {
    static const std::u16string letters = [] {
        std::u16string all;
        for (const Syllable& s : Syllables())
            for (char16_t c : s.spelling)
                if (all.find(c) == std::u16string::npos) all += c;
        return all;
    }();
    return letters.find(letter) != std::u16string::npos;
}

std::u16string SyllableTyping::Type(char16_t typed) {
    char16_t letter = SpellingLetter(typed);
    if (!IsSyllableLetter(letter)) return Finish();
    std::u16string written;
    std::u16string longer = pending_ + letter;
    if (!SyllableBeginsWith(longer)) {
        if (!Spelled(pending_))
            return written; // refused: the pending letters stay as they are
        written = Finish();
        longer.assign(1, letter);
        if (!SyllableBeginsWith(longer)) return written;
    }
    pending_ = std::move(longer);
    if (!SyllableBeginsWith(pending_, true)) written += Finish(); // no further letter can lengthen it
    return written;
}

std::u16string SyllableTyping::Finish() {
    const Syllable* syllable = Spelled(pending_);
    pending_.clear();
    return syllable ? std::u16string(1, syllable->character) : std::u16string();
}

bool SyllableTyping::RemovePendingLetter() {
    if (pending_.empty()) return false;
    pending_.pop_back();
    return true;
}

std::u16string_view SyllableOf(char16_t keyCharacter) {
    static const std::array<std::u16string_view, 256> byCharacter = [] {
        std::array<std::u16string_view, 256> table{};
        for (const Syllable& s : Syllables())
            table[s.character] = s.spelling;
        return table;
    }();
    return keyCharacter < byCharacter.size() ? byCharacter[keyCharacter] : std::u16string_view();
}

std::u16string LineSyllables(std::u16string_view line) {
    std::u16string spoken;
    bool gap = false;
    for (char16_t c : line) {
        std::u16string_view syllable = SyllableOf(c);
        if (syllable.empty()) {
            gap = true;
            continue;
        }
        if (!spoken.empty()) spoken += gap ? u", " : u" ";
        spoken += syllable;
        gap = false;
    }
    return spoken;
}

} // namespace wexa
