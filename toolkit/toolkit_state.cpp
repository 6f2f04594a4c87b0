#include "toolkit/detail/toolkit_state.h"

#include "toolkit/dpi_scaling.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"

namespace wexa::detail {

ToolkitState& State() {
    static ToolkitState state;
    return state;
}

int Scale(int value) { return MulDiv(value, State().layoutDpi, ReferenceDpi); }

int WindowNumberOf(HWND window) {
    int found = -1;
    State().windows.ForEach([&](int number, WindowRecord& record) {
        if (record.window.get() == window) found = number;
    });
    return found;
}

int GadgetNumberOf(HWND control) {
    int number = GetDlgCtrlID(control);
    return control && ControlOf(number) == control ? number : -1;
}

void QueueGadgetEvent(HWND control, int type) {
    int number = GadgetNumberOf(control);
    if (number >= 0) State().events.Push({GadgetEvent, number, WindowNumberOf(GetParent(control)), type});
}

HWND ControlOf(int number) {
    GadgetRecord* g = State().gadgets.Find(number);
    return g ? g->control : nullptr;
}

void SendGadgetFont(GadgetRecord& gadget, HFONT font) {
    auto shown = [](HWND w) { return w && (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE); };
    gadget.font = font;
    SendMessageW(gadget.control, WM_SETFONT, reinterpret_cast<WPARAM>(font),
                 shown(gadget.control) && shown(GetParent(gadget.control)));
}

HWND CreateChild(int number, const wchar_t* className, std::u16string_view text, DWORD style, DWORD exStyle,
                 const Place& place) {
    ToolkitState& s = State();
    if (!s.currentWindow) return nullptr;
    return CreateWindowExW(exStyle, className, Wide(text).c_str(), style, Scale(place.x), Scale(place.y),
                           Scale(place.width), Scale(place.height), s.currentWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), GetModuleHandleW(nullptr), nullptr);
}

HWND InstallGadget(int number, HWND created, const Place& place) {
    if (!created) return nullptr;
    if (!IsObjectNumber(number)) { // a number no table holds: the control must not stay, unnamed
        DestroyWindow(created);
        return nullptr;
    }
    ToolkitState& s = State();
    FreeGadget(number); // the old control, after the new one exists
    s.gadgets.Put(number, GadgetRecord{created, place});
    if (GetWindowLongPtrW(created, GWLP_ID) != number) SetWindowLongPtrW(created, GWLP_ID, number);
    SendGadgetFont(*s.gadgets.Find(number), s.defaultGadgetFont);
    return created;
}

} // namespace wexa::detail
