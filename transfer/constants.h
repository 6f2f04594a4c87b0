#pragma once
// The transfer's sizes, places, path and texts; its object numbers are in keyboard/constants.h.
#include "keyboard/constants.h"

#include <string_view>

namespace wexa {

inline constexpr int LineImagePixelsPerCharacter = 45;
inline constexpr int LineImageHeight = 50;
inline constexpr int LineTextX = 10; // the text cell's top-left corner in the image
inline constexpr int LineTextY = 5;

// The preview of the last transfer.
inline constexpr int PreviewX = 30;
inline constexpr int PreviewY = 670;

// The picture file of the last transfer; its folder is never made. A dragged picture becomes a
// file of the same name.
inline constexpr std::u16string_view PngOutputPath = u"f:\\tmp\\wexazeile.png";
inline constexpr std::u16string_view PngFolder = PngOutputPath.substr(0, PngOutputPath.rfind(u'\\'));
inline constexpr std::u16string_view PngFileName = PngOutputPath.substr(PngFolder.size() + 1);

// Whether the last picture was saved, and where or why not: a line of text in the gap between
// the line display (down to y 650) and the preview (from y 670), so it covers neither. Made
// by the first transfer.
inline constexpr int SaveStatusX = 30;
inline constexpr int SaveStatusY = 652;
inline constexpr int SaveStatusWidth = 1250;
inline constexpr int SaveStatusHeight = 17;
inline constexpr std::u16string_view SavedText = u"Gespeichert: "; // the path follows
inline constexpr std::u16string_view NotSavedText = u"Nicht gespeichert: "; // why follows
inline constexpr std::u16string_view NoPictureReason = u"kein Bild";
inline constexpr std::u16string_view FolderMissingReason = u" fehlt"; // after the folder
inline constexpr std::u16string_view AccessDeniedReason = u"kein Zugriff auf "; // the folder follows
inline constexpr std::u16string_view FileLockedReason = u"Datei gesperrt";
inline constexpr std::u16string_view WriteFailedReason = u"Schreibfehler";

} // namespace wexa
