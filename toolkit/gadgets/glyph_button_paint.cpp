// The glyph keys' faces, painted through the buttons' custom draw: the push button's own
// background for its state (themed where a visual style is active, classic where none is),
// the sign by glyph index where the button centres its text, and the focus rectangle when
// keyboard cues are shown. In every other way the buttons stay buttons.
#include "gadget_table.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/graphics/glyph_run.h"
#include "toolkit/platform/system_dlls.h"

#include <vssym32.h>

namespace wexa::detail {
namespace {

// The state the button itself would draw; a focused push button shows as the default one.
int PushButtonState(UINT item, LONG_PTR style) {
    if (item & CDIS_DISABLED) return PBS_DISABLED;
    if (item & CDIS_SELECTED) return PBS_PRESSED;
    if (item & CDIS_HOT) return PBS_HOT;
    if ((item & (CDIS_DEFAULT | CDIS_FOCUS)) || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return PBS_DEFAULTED;
    return PBS_NORMAL;
}

// Paints the background and gives the rectangle the label and the focus rectangle go in.
RECT PaintFace(HWND button, HDC dc, HTHEME theme, RECT face, int state) {
    const UxTheme& ux = SystemUxTheme();
    if (!theme) {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (state == PBS_PRESSED ? DFCS_PUSHED : 0));
        InflateRect(&face, -2, -2); // inside the frame
        return face;
    }
    if (ux.isBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state)) ux.drawParentBackground(button, dc, &face);
    ux.drawBackground(theme, dc, BP_PUSHBUTTON, state, &face, nullptr);
    RECT content = face;
    ux.getBackgroundContentRect(theme, dc, BP_PUSHBUTTON, state, &face, &content);
    return content;
}

// The visual style's text colour, or the system's (high contrast included).
COLORREF LabelColour(HTHEME theme, int state) {
    COLORREF colour = 0;
    if (theme && SUCCEEDED(SystemUxTheme().getColor(theme, BP_PUSHBUTTON, state, TMT_TEXTCOLOR, &colour)))
        return colour;
    return GetSysColor(state == PBS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}

void PaintLabel(HWND button, HDC dc, HTHEME theme, const RECT& content, const RECT& face, int state) {
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0))) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetTextColor(dc, LabelColour(theme, state));
    const GlyphRun run = GlyphRunOf(dc, WindowTextOf(button));
    const int shift = !theme && state == PBS_PRESSED ? 1 : 0; // a pressed classic face moves its label
    const int x = content.left + (content.right - content.left - run.Width()) / 2 + shift;
    const int y = content.top + (content.bottom - content.top - run.height) / 2 + shift;
    DrawGlyphRun(dc, x, y, run, 0, run.Size(), ETO_CLIPPED, &face);
}

} // namespace

LRESULT PaintGlyphButton(const NMCUSTOMDRAW& draw) {
    // The whole face is painted at the first stage the button announces; it then paints nothing.
    if (draw.dwDrawStage != CDDS_PREERASE && draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HWND button = draw.hdr.hwndFrom;
    HDC dc = draw.hdc;
    const int state = PushButtonState(draw.uItemState, GetWindowLongPtrW(button, GWL_STYLE));
    // The button's own, while a visual style is active; none without UxTheme's functions.
    const UxTheme& ux = SystemUxTheme();
    HTHEME theme = ux.getWindowTheme ? ux.getWindowTheme(button) : nullptr;
    RECT face{};
    GetClientRect(button, &face);
    const int saved = SaveDC(dc);
    const RECT content = PaintFace(button, dc, theme, face, state);
    PaintLabel(button, dc, theme, content, face, state);
    if ((draw.uItemState & CDIS_FOCUS) && !(SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        SetTextColor(dc, RGB(0, 0, 0)); // the focus rectangle inverts what lies under it
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &content);
    }
    RestoreDC(dc, saved);
    return CDRF_SKIPDEFAULT;
}

} // namespace wexa::detail
