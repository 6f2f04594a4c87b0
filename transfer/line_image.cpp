#include "transfer/line_image.h"

#include "keyboard/constants.h"
#include "toolkit/core/dpi_scaling.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/graphics/images.h"
#include "transfer/constants.h"

#include <climits>

namespace wexa {

int LineImageWidth(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX / LineImagePixelsPerCharacter)) return 0;
    return static_cast<int>(length) * LineImagePixelsPerCharacter;
}

namespace {

// The picture is the same at every display density: LineFont's face at the height LineFont
// has at 96 DPI, made at the first transfer, and only when LineFont itself exists. Its edges
// are grey on every system: ClearType, on by default, would colour them.
FontHandle LineImageFontHandle() {
    if (IsNull(FontHandleOf(LineFont))) return FontHandle::Null;
    FontHandle font = FontHandleOf(LineImageFont);
    return IsNull(font) ? LoadToolkitFontAtDpi(LineImageFont, VevovivFace, LineFontPoints, ReferenceDpi) : font;
}

} // namespace

void RenderLineImage(int width, std::u16string_view text) {
    if (IsNull(CreateImageBuffer(LineImageNumber, width, LineImageHeight))) return;
    if (!BeginImageDrawing(LineImageNumber)) return;
    FillBox(0, 0, width, LineImageHeight, White);
    SetDrawingMode(DrawingModeTransparent);
    SetDrawingFont(LineImageFontHandle());
    DrawTextAt(LineTextX, LineTextY, text, Black);
    EndImageDrawing();
}

VectorPicture DrawLineOutlines(std::u16string_view text) {
    return DrawImageOutlines(LineImageNumber, LineImageFontHandle(), LineTextX, LineTextY, text);
}

} // namespace wexa
