#pragma once
// The transfer's sizes, places, path and texts; its object numbers are in keyboard/constants.h.
#include "keyboard/constants.h"

namespace wexa {

inline constexpr int LineImagePixelsPerCharacter = 45;
inline constexpr int LineImageHeight = 50;
inline constexpr int LineTextX = 10; // the text cell's top-left corner in the image
inline constexpr int LineTextY = 5;

// The preview of the last transfer.
inline constexpr int PreviewX = 30;
inline constexpr int PreviewY = 670;

inline constexpr char16_t PngOutputPath[] = u"f:\\tmp\\wexazeile.png";

// Whether the last picture was saved, and where or why not: a line of text in the gap between
// the line display (down to y 650) and the preview (from y 670), so it covers neither. Made
// by the first transfer.
inline constexpr int SaveStatusX = 30;
inline constexpr int SaveStatusY = 652;
inline constexpr int SaveStatusWidth = 1250;
inline constexpr int SaveStatusHeight = 17;
inline constexpr char16_t SavedText[] = u"Gespeichert: f:\\tmp\\wexazeile.png";
inline constexpr char16_t NotSavedNoPictureText[] = u"Nicht gespeichert: kein Bild";
inline constexpr char16_t NotSavedFolderMissingText[] = u"Nicht gespeichert: f:\\tmp fehlt";
inline constexpr char16_t NotSavedAccessDeniedText[] = u"Nicht gespeichert: kein Zugriff auf f:\\tmp";
inline constexpr char16_t NotSavedFileLockedText[] = u"Nicht gespeichert: Datei gesperrt";
inline constexpr char16_t NotSavedWriteFailedText[] = u"Nicht gespeichert: Schreibfehler";

} // namespace wexa
