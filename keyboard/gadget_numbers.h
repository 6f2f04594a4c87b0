#pragma once
// Every gadget number of the main window, in one place.

namespace wexa {

inline constexpr int FirstGlyphKey = 0;
inline constexpr int LastGlyphKey = 179;
inline constexpr int LineDisplayNumber = 185;
inline constexpr int FirstSyllableKey = 190;
inline constexpr int LastSyllableKey = 369;
inline constexpr int SpacesButton = 370;       // "Leerzeichen (2x)"
inline constexpr int TransferButton = 371;     // "Übertrag Clipboard"
inline constexpr int ClearButton = 372;        // "alles Löschen"
inline constexpr int DeleteOneButton = 373;    // "ein Zeichen löschen"
inline constexpr int LastCommandButton = 373;
// The preview of the last transfer: a number no key, command or the line display uses.
inline constexpr int PreviewImageNumber = 374;
// The letters typed so far that spell no syllable yet, beside the line display.
inline constexpr int PendingLettersNumber = 375;

// The font steps of start-up run over these ranges, both ends included; the ranges
// reach one number past the glyph keys and take in the spaces button.
inline constexpr int GlyphFontStepLast = 180;
inline constexpr int LabelFontStepLast = 370;

} // namespace wexa
