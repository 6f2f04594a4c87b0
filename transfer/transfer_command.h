#pragma once
// "Übertrag Clipboard": the line as a picture, shown, saved and put on the clipboard.
#include <string_view>

namespace wexa {

inline constexpr char16_t PngOutputPath[] = u"f:\\tmp\\wexazeile.png";
inline constexpr int LineImageNumber = 0;
inline constexpr int PreviewX = 30;
inline constexpr int PreviewY = 670;

// Runs the transfer's steps in order, each whether or not the one before succeeded.
void TransferLine();

} // namespace wexa
