#pragma once
// The program's three fonts, addressed by number in the Toolkit's font table.

namespace wexa {

inline constexpr int GlyphFont = 1;
inline constexpr int LabelFont = 2;
inline constexpr int LineFont = 3;
// LineFont as it is at 96 DPI, for the LineImage, whose size does not follow the display.
inline constexpr int LineImageFont = 4;

inline constexpr char16_t VevovivFace[] = u"Vevoviv";
inline constexpr char16_t ArialFace[] = u"Arial";

inline constexpr int GlyphFontPoints = 14;
inline constexpr int LabelFontPoints = 12;
inline constexpr int LineFontPoints = 30;

} // namespace wexa
