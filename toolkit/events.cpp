#include "toolkit/events.h"

#include "toolkit/detail/gadget_names.h"
#include "toolkit/detail/keyboard_input.h"
#include "toolkit/detail/toolkit_state.h"
#include "toolkit/keyboard_events.h"

namespace wexa {

int WaitForEvent() {
    detail::ToolkitState& s = detail::State();
    if (auto event = s.events.Pop()) {
        s.current = *event;
        return event->code;
    }
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return 0;
    detail::RelayToTooltips(msg);
    if (!detail::TakeKeyboardMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // A platform message never passes for one of the Toolkit's own event codes.
    int code = static_cast<int>(msg.message);
    bool own = code == GadgetEvent || code == CloseEvent || code == CharacterEvent || code == EditKeyEvent;
    return own ? 0 : code;
}

int EventGadgetNumber() { return detail::State().current.gadget; }
int EventWindowNumber() { return detail::State().current.window; }
int EventType() { return detail::State().current.type; }

} // namespace wexa
