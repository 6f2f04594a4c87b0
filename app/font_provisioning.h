#pragma once

namespace wexa {

// Writes the carried font file if the path is free and registers it for this process; where
// that gives no Vevoviv face, registers the carried bytes from memory instead. Loads GlyphFont
// and LineFont when either gave the face, and LabelFont in every case.
void ProvisionFonts();

} // namespace wexa
