#include "app/font_provisioning.h"

#include "app/constants.h"
#include "keyboard/constants.h"
#include "resources/carried_font.h"
#include "toolkit/files.h"
#include "toolkit/fonts.h"

namespace wexa {

int WriteCarriedFont() {
    FileHandle file = CreateOutputFile(AnyFreeNumber, FontFilePath);
    if (IsNull(file))
        return 0;
    std::span<const unsigned char> font = CarriedFontData();
    bool complete = WriteBlock(file, font.data(), font.size()) == font.size();
    complete = CloseOutputFile(file) && complete;
    // Only a missing file is ever written, so a shortened one (a full disk) would stay broken
    // for good: remove it, and the next start writes the font again.
    if (!complete)
        DeleteFileAt(FontFilePath);
    return 0;
}

void ProvisionFonts() {
    if (QueryFileSize(FontFilePath) == NothingAtPath)
        WriteCarriedFont();
    // Whatever is at the path is registered, also a file this start did not write.
    if (RegisterPrivateFontFile(FontFilePath)) {
        LoadToolkitFont(GlyphFont, VevovivFace, GlyphFontPoints);
        LoadToolkitFont(LineFont, VevovivFace, LineFontPoints);
    }
    LoadToolkitFont(LabelFont, ArialFace, LabelFontPoints);
}

} // namespace wexa
