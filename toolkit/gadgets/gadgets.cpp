#include "toolkit/gadgets/gadgets.h"

#include "gadget_table.h"
#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"

#include <cstddef>

namespace wexa::detail {
namespace {

// Sends the gadget the font and keeps it as the one it has. The control is redrawn only when
// it is shown in a shown window: one that cannot be seen yet is drawn with it when its window appears.
void SendGadgetFont(GadgetRecord& gadget, HFONT font) {
    auto shown = [](HWND w) { return w && (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE); };
    gadget.font = font;
    SendMessageW(gadget.control, WM_SETFONT, reinterpret_cast<WPARAM>(font),
                 shown(gadget.control) && shown(GetParent(gadget.control)));
}

ControlHandle Install(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                      const Place& place) {
    HWND created = CreateChild(number, className, text, style, exStyle, place);
    return ToHandle<ControlHandle>(InstallGadget(number, created, place));
}

bool Has(std::uint32_t flags, std::uint32_t flag) { return (flags & flag) == flag; }

} // namespace

void SetGadgetParent(HWND window, int number) {
    Gadgets().parent = window;
    Gadgets().parentNumber = number;
}

int GadgetNumberOf(HWND control) {
    int number = GetDlgCtrlID(control);
    return control && ControlOf(number) == control ? number : -1;
}

void QueueGadgetEvent(HWND control, int type) {
    int number = GadgetNumberOf(control);
    if (number >= 0) Shared().events.Push({GadgetEvent, number, Gadgets().gadgets.Find(number)->window, type});
}

HWND ControlOf(int number) {
    GadgetRecord* g = Gadgets().gadgets.Find(number);
    return g ? g->control : nullptr;
}

bool IsPaintedByGlyphs(HWND control) {
    const GadgetRecord* g = Gadgets().gadgets.Find(GadgetNumberOf(control));
    return g && g->paintedByGlyphs;
}

HWND CreateChild(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                 const Place& place) {
    GadgetState& s = Gadgets();
    if (!s.parent) return nullptr;
    return CreateWindowExW(exStyle, className, Wide(text).c_str(), style, Scale(place.x), Scale(place.y),
                           Scale(place.width), Scale(place.height), s.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), GetModuleHandleW(nullptr), nullptr);
}

HWND InstallGadget(int number, HWND created, const Place& place) {
    if (!created) return nullptr;
    if (!IsObjectNumber(number)) { // a number no table holds: the control must not stay, unnamed
        DestroyWindow(created);
        return nullptr;
    }
    GadgetState& s = Gadgets();
    FreeGadget(number); // the old control, after the new one exists
    s.gadgets.Put(number, GadgetRecord{created, place, false, nullptr, false, s.parentNumber});
    if (GetWindowLongPtrW(created, GWLP_ID) != number) SetWindowLongPtrW(created, GWLP_ID, number);
    SendGadgetFont(*s.gadgets.Find(number), s.defaultGadgetFont);
    return created;
}

void MakeDefaultGadgetFont() {
    GadgetState& s = Gadgets();
    NONCLIENTMETRICSW metrics{};
    // The size without iPaddedBorderWidth, which every supported system accepts.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        s.messageFont = metrics.lfMessageFont; // kept, to be made again at another layout density
        s.ownDefaultFont.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    s.defaultGadgetFont = s.ownDefaultFont ? s.ownDefaultFont.get()
                                           : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void RescaleGadgets(int dpi, FontSuccession& succession, std::vector<win32::UniqueFont>& retired) {
    GadgetState& s = Gadgets();
    if (s.messageFont && s.ownDefaultFont) { // else the default gadget font is the system's stock font
        LOGFONTW scaled = *s.messageFont;
        scaled.lfHeight = MulDiv(scaled.lfHeight, dpi, Shared().systemDpi);
        if (HFONT made = CreateFontIndirectW(&scaled)) {
            succession[s.ownDefaultFont.get()] = made;
            retired.push_back(std::move(s.ownDefaultFont));
            s.ownDefaultFont.reset(made);
            s.defaultGadgetFont = made;
        }
    }
    s.gadgets.ForEach([&](int, GadgetRecord& g) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (g.sizedByImage ? SWP_NOSIZE : 0);
        SetWindowPos(g.control, nullptr, Scale(g.place.x), Scale(g.place.y), Scale(g.place.width),
                     Scale(g.place.height), flags);
        if (auto made = succession.find(g.font); made != succession.end()) SendGadgetFont(g, made->second);
    });
}

void ReleaseGadgets() { Gadgets() = GadgetState{}; }

} // namespace wexa::detail

namespace wexa {

ControlHandle CreatePushButton(int number, int x, int y, int width, int height, std::u16string_view label) {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    return detail::Install(number, L"Button", label, style, 0, {x, y, width, height});
}

ControlHandle CreateTextField(int number, int x, int y, int width, int height, std::u16string_view text,
                              std::uint32_t flags) {
    // The flags are the Toolkit's own, turned into styles one by one: as style bits they would mean others.
    constexpr DWORD baseStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY | SS_NOPREFIX;
    const DWORD style = baseStyle | (detail::Has(flags, TextFieldDrawnByGlyphs) ? SS_OWNERDRAW : SS_LEFT);
    const DWORD exStyle = detail::Has(flags, TextFieldBorder) ? WS_EX_CLIENTEDGE : 0;
    return detail::Install(number, L"Static", text, style, exStyle, {x, y, width, height});
}

void ApplyGadgetFont(int number, FontHandle font) {
    if (detail::GadgetRecord* g = detail::Gadgets().gadgets.Find(number))
        detail::SendGadgetFont(*g, detail::FromHandle<HFONT>(font));
}

void PaintLabelByGlyphs(int number) {
    if (detail::GadgetRecord* g = detail::Gadgets().gadgets.Find(number)) g->paintedByGlyphs = true;
}

void FreeGadget(int number) {
    if (auto g = detail::Gadgets().gadgets.Take(number)) {
        DestroyWindow(g->control);
        detail::Shared().events.DropGadgetEvents(number);
    }
}

} // namespace wexa
