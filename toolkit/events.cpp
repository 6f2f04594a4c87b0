#include "toolkit/events.h"

#include "toolkit/detail/gadget_names.h"
#include "toolkit/detail/keyboard_input.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/keyboard_events.h"

namespace wexa {
namespace {

// The messages that TranslateAcceleratorW looks at; the others need no lookup of the active
// window, which costs the platform a round trip, for every paint of every control too.
bool MayBeAccelerator(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
}

// The focus keys for a key message while a Toolkit window is active; false for any other.
bool TranslateFocusKeys(MSG& msg) {
    if (!MayBeAccelerator(msg.message)) return false;
    HWND active = GetActiveWindow();
    HACCEL keys = detail::State().focusKeys.get();
    return keys && detail::WindowNumberOf(active) >= 0 && TranslateAcceleratorW(active, keys, &msg);
}

} // namespace

int WaitForEvent() {
    detail::ToolkitState& s = detail::State();
    if (auto event = s.events.Pop()) {
        s.current = *event;
        return event->code;
    }
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return QuitEvent;
    detail::RelayToTooltips(msg);
    if (!detail::TakeKeyboardMessage(msg) && !TranslateFocusKeys(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // A platform message never passes for one of the Toolkit's own event codes.
    int code = static_cast<int>(msg.message);
    bool own = code == GadgetEvent || code == CloseEvent || code == QuitEvent || code == CharacterEvent ||
               code == EditKeyEvent;
    return own ? 0 : code;
}

int EventGadgetNumber() { return detail::State().current.gadget; }
int EventType() { return detail::State().current.type; }

} // namespace wexa
