#pragma once
// The transfer's numbers: the line image, its preview and the file it is saved to.

namespace wexa {

inline constexpr int LineImageNumber = 0;
inline constexpr int LineImagePixelsPerCharacter = 45;
inline constexpr int LineImageHeight = 50;
inline constexpr int LineTextX = 10; // the text cell's top-left corner in the image
inline constexpr int LineTextY = 5;

// The preview of the last transfer: a gadget number no key, command or the line display uses.
inline constexpr int PreviewImageNumber = 374;
inline constexpr int PreviewX = 30;
inline constexpr int PreviewY = 670;

inline constexpr char16_t PngOutputPath[] = u"f:\\tmp\\wexazeile.png";

} // namespace wexa
