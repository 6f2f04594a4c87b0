#include "toolkit/keyboard_events.h"

#include "toolkit/detail/keyboard_input.h"
#include "toolkit/detail/toolkit_state.h"

namespace wexa {
namespace detail {
namespace {

int GadgetNumberOf(HWND control) {
    int number = GetDlgCtrlID(control);
    GadgetRecord* g = State().gadgets.Find(number);
    return g && g->control == control ? number : -1;
}

bool IsEditKey(WPARAM key) { return key == VK_BACK || key == VK_ESCAPE; }

} // namespace

bool TakeKeyboardMessage(const MSG& message) {
    bool character = message.message == WM_CHAR;
    bool editKey = message.message == WM_KEYDOWN && IsEditKey(message.wParam);
    if (!character && !editKey) return false;
    int window = WindowNumberOf(GetAncestor(message.hwnd, GA_ROOT));
    if (window < 0) return false;
    // The queue is empty whenever a message is fetched, so a key typed twice is never
    // taken for a repetition of the waiting event.
    State().events.Push({character ? CharacterEvent : EditKeyEvent, GadgetNumberOf(message.hwnd), window,
                         static_cast<int>(message.wParam & 0xFFFF)});
    return editKey;
}

} // namespace detail

char16_t EventCharacter() { return static_cast<char16_t>(detail::State().current.type); }
int EventKey() { return detail::State().current.type == VK_BACK ? BackspaceKey : EscapeKey; }

} // namespace wexa
