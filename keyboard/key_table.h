#pragma once
// The constant description of every push button with which the user composes a line.
#include <span>
#include <string_view>

namespace wexa {

enum class KeyAction { Append, TransferLine, ClearLine, DeleteLastCharacter };

struct KeyEntry {
    int number;
    int x, y, width, height; // 96-DPI units in the main window's client area
    std::u16string_view label;
    int labelFont; // a font number, or NoLabelFont to keep the default gadget font
    KeyAction action;
    std::u16string_view appendedText; // empty for the three commands
    // A command's tooltip: what it does and its key. A glyph key's comes from its syllable key.
    std::u16string_view tooltip = {};
};

inline constexpr int NoLabelFont = 0;

// All 364 entries, in ascending order of number.
std::span<const KeyEntry> KeyTable();

// The entry with that gadget number, or nullptr.
const KeyEntry* FindKeyEntry(int gadgetNumber);

// Creates the push button of every entry from first to last (both included), ascending.
void CreateKeyButtons(int first, int last);
// Gives each of those buttons its label font; one with NoLabelFont keeps the default gadget font.
void ApplyKeyFonts(int first, int last);

} // namespace wexa
