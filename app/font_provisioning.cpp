#include "app/font_provisioning.h"

#include "app/font_numbers.h"
#include "toolkit/fonts.h"

namespace wexa {
// placeholder: provisioning lands with the font
void ProvisionFonts() { LoadToolkitFont(LabelFont, ArialFace, LabelFontPoints); }
int WriteCarriedFont() { return 0; }
}
