#pragma once
// The program's object numbers, all in this one place: every gadget of the main window, the
// fonts and the images; and the keyboard's places of the line display and the pending
// letters' field, the depth of the line's undo. Positions are in 96-DPI units of the client area.
#include <cstddef>
#include <initializer_list>

namespace wexa {

// Gadget numbers.
inline constexpr int FirstGlyphKey = 0;
inline constexpr int LastGlyphKey = 179;
inline constexpr int LineDisplayNumber = 185;
inline constexpr int FirstSyllableKey = 190;
inline constexpr int LastSyllableKey = 369;
inline constexpr int SpacesButton = 370;    // "Leerzeichen (2x)"
inline constexpr int TransferButton = 371;  // "Übertrag Clipboard"
inline constexpr int ClearButton = 372;     // "alles Löschen"
inline constexpr int DeleteOneButton = 373; // "ein Zeichen löschen"
inline constexpr int LastCommandButton = 373;
inline constexpr int PreviewImageNumber = 374; // the preview of the last transfer's picture
// The letters typed so far that spell no syllable yet, right of the line display.
inline constexpr int PendingLettersNumber = 375;
inline constexpr int SaveStatusNumber = 376; // whether the last picture was saved, or why not

// Whether the numbers are strictly ascending, and so each names its own object.
constexpr bool Ascending(std::initializer_list<int> numbers) {
    for (const int* n = numbers.begin() + 1; n < numbers.end(); ++n)
        if (n[-1] >= *n) return false;
    return true;
}
// Each gadget number names one gadget: the ranges of the keys and the single gadgets in order.
static_assert(Ascending({FirstGlyphKey, LastGlyphKey, LineDisplayNumber, FirstSyllableKey, LastSyllableKey,
                         SpacesButton, TransferButton, ClearButton, DeleteOneButton, PreviewImageNumber,
                         PendingLettersNumber, SaveStatusNumber}) &&
              DeleteOneButton == LastCommandButton);

// Image numbers: the line's picture.
inline constexpr int LineImageNumber = 0;

// Font numbers in the Toolkit's font table, with the face and size each is made from.
inline constexpr int GlyphFont = 1;
inline constexpr int LabelFont = 2;
inline constexpr int LineFont = 3;
// LineFont as it is at 96 DPI, for the line image, whose size does not follow the display.
inline constexpr int LineImageFont = 4;
static_assert(Ascending({GlyphFont, LabelFont, LineFont, LineImageFont}));
inline constexpr char16_t VevovivFace[] = u"Vevoviv";
inline constexpr char16_t ArialFace[] = u"Arial";
inline constexpr int GlyphFontPoints = 14;
inline constexpr int LabelFontPoints = 12;
inline constexpr int LineFontPoints = 30;

// The line display.
inline constexpr int LineDisplayX = 30;
inline constexpr int LineDisplayY = 600;
inline constexpr int LineDisplayWidth = 1250;
inline constexpr int LineDisplayHeight = 50;

// The field of the pending letters, right of the line display.
inline constexpr int PendingLettersX = 1290;
inline constexpr int PendingLettersY = 613;
inline constexpr int PendingLettersWidth = 50;
inline constexpr int PendingLettersHeight = 24;

// How many of the line's last changes can be undone.
inline constexpr std::size_t LineHistoryDepth = 10000;

} // namespace wexa
