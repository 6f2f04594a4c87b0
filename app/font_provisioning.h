#pragma once

namespace wexa {

// Where the carried font file is written when nothing is there yet.
inline constexpr char16_t FontFilePath[] = u"d:\\kelvast6\\vevoviv.ttf";

// Writes the carried font file if the path is free, registers it for this process and
// loads GlyphFont and LineFont when that worked, and LabelFont in every case.
void ProvisionFonts();

// Writes the carried font file to FontFilePath. Always 0.
int WriteCarriedFont();

} // namespace wexa
