#include "app/font_provisioning.h"

#include "app/constants.h"
#include "keyboard/constants.h"
#include "resources/carried_font.h"
#include "toolkit/platform/files.h"
#include "toolkit/graphics/fonts.h"

namespace wexa {

namespace {

// The font file at its path, written there when nothing is: true when it gives the face. Only a
// missing file is ever written, so a shortened one (a full disk) would stay broken for good: the
// writer removes it, and the next start writes the font again.
bool VevovivFromFile() {
    if (QueryFileSize(FontFilePath) == NothingAtPath)
        WriteWholeFile(FontFilePath, CarriedFontData());
    // Whatever is at the path is registered, also a file this start did not write.
    return RegisterPrivateFontFile(FontFilePath) && HasFontFace(VevovivFace);
}

} // namespace

// Most PCs have no d:\kelvast6: the carried bytes themselves are registered then, so that the
// keys, the line and the picture show the signs on every PC, not the Latin stand-ins.
void ProvisionFonts() {
    bool vevoviv = VevovivFromFile() || RegisterPrivateFontData(CarriedFontData());
    if (vevoviv) {
        LoadToolkitFont(GlyphFont, VevovivFace, GlyphFontPoints);
        LoadToolkitFont(LineFont, VevovivFace, LineFontPoints);
    }
    LoadToolkitFont(LabelFont, ArialFace, LabelFontPoints);
}

} // namespace wexa
