#pragma once

namespace wexa {

// Writes the carried font file if the path is free, registers it for this process and
// loads GlyphFont and LineFont when that worked, and LabelFont in every case.
void ProvisionFonts();

// Writes the carried font file to FontFilePath. Always 0.
int WriteCarriedFont();

} // namespace wexa
