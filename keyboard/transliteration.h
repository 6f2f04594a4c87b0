#pragma once
// Typing syllables with the computer's keyboard. Typed letters gather as pending letters
// until they spell a syllable of the syllable keys that no further letter can lengthen, or
// until a character that is no syllable letter ends them; the syllable's key character is
// then written. This is the state alone: the caller delivers the typed characters and
// appends what comes back through the line editing.
#include <string>
#include <string_view>

namespace wexa {

// The ASCII spellings of the two letters with a caron, which appear in no syllable.
inline constexpr char16_t AsciiCCaron = u'c'; // č
inline constexpr char16_t AsciiSCaron = u'q'; // š

// A typed character as the syllables spell it: lower case, č and š for their ASCII spellings.
char16_t SpellingLetter(char16_t typed);

// Whether some syllable has that letter (after SpellingLetter).
bool IsSyllableLetter(char16_t letter);

class SyllableTyping {
public:
    // One typed character; returns the key characters to append, in order (often none).
    // A syllable letter that can continue the pending letters joins them; one that cannot
    // first ends the pending syllable and starts anew, and is refused when it starts no
    // syllable either or when the pending letters spell none. Any other character ends
    // the pending syllable.
    std::u16string Type(char16_t typed);
    // Ends the pending syllable as a non-letter does: its key character when the pending
    // letters spell a syllable, else nothing; no letters stay pending.
    std::u16string Finish();
    // Removes the last pending letter; false when none was pending.
    bool RemovePendingLetter();
    void DropPending() { pending_.clear(); }
    std::u16string_view Pending() const { return pending_; }

private:
    std::u16string pending_;
};

// The syllable that the key character writes, or an empty view for a character no key writes.
std::u16string_view SyllableOf(char16_t keyCharacter);

// The line as words of syllables for assistive technology: the syllables of its key
// characters separated by spaces, and a comma where the line has spaces between them.
std::u16string LineSyllables(std::u16string_view line);

} // namespace wexa
