#include "toolkit/gadgets.h"

#include "toolkit/detail/toolkit_state.h"

namespace wexa {
namespace {

ControlHandle Install(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                      const detail::Place& place) {
    HWND created = detail::CreateChild(number, className, text, style, exStyle, place);
    return detail::ToHandle<ControlHandle>(detail::InstallGadget(number, created, place));
}

bool Has(std::uint32_t flags, std::uint32_t flag) { return (flags & flag) == flag; }

} // namespace

ControlHandle CreatePushButton(int number, int x, int y, int width, int height, std::u16string_view label) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    return Install(number, L"Button", label, style, 0, {x, y, width, height});
}

ControlHandle CreateTextField(int number, int x, int y, int width, int height, std::u16string_view text,
                              std::uint32_t flags) {
    // The flags are the Toolkit's own, turned into styles one by one: as style bits they would mean others.
    constexpr DWORD baseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY | SS_NOPREFIX;
    const DWORD style = baseStyle | (Has(flags, TextFieldDrawnByGlyphs) ? SS_OWNERDRAW : SS_LEFT);
    const DWORD exStyle = Has(flags, TextFieldBorder) ? WS_EX_CLIENTEDGE : 0;
    return Install(number, L"Static", text, style, exStyle, {x, y, width, height});
}

void ApplyGadgetFont(int number, FontHandle font) {
    if (detail::GadgetRecord* g = detail::State().gadgets.Find(number))
        detail::SendGadgetFont(*g, detail::FromHandle<HFONT>(font));
}

void PaintLabelByGlyphs(int number) {
    if (detail::GadgetRecord* g = detail::State().gadgets.Find(number)) g->paintedByGlyphs = true;
}

void FreeGadget(int number) {
    detail::ToolkitState& s = detail::State();
    if (auto g = s.gadgets.Take(number)) {
        DestroyWindow(g->control);
        s.events.DropGadgetEvents(number);
    }
}

} // namespace wexa
