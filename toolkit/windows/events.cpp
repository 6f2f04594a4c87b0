#include "toolkit/windows/events.h"

#include "toolkit/gadgets/inside_toolkit.h"
#include "toolkit/platform/shared_state.h"
#include "toolkit/windows/keyboard_events.h"
#include "window_table.h"

namespace wexa {
namespace {

// The focus keys for a key message while a Toolkit window is active; false for any other.
bool TranslateFocusKeys(MSG& msg) {
    // Only the messages that TranslateAcceleratorW looks at; the others need no lookup of the active
    // window, which costs the platform a round trip, for every paint of every control too.
    const UINT message = msg.message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR && message != WM_SYSCHAR) return false;
    HWND active = GetActiveWindow();
    HACCEL keys = detail::Windows().focusKeys.get();
    return keys && detail::WindowNumberOf(active) >= 0 && TranslateAcceleratorW(active, keys, &msg);
}

bool IsDown(int key) { return GetKeyState(key) < 0; }

// Ctrl together with Alt is AltGr, with which many layouts type characters.
bool ControlHeld() { return IsDown(VK_CONTROL) && !IsDown(VK_MENU); }

// The editing key of a key press, or 0 for a key that is none. The key state is the one of
// the moment the message was sent.
int EditKeyOf(WPARAM key) {
    bool shortcut = ControlHeld();
    bool shift = IsDown(VK_SHIFT);
    switch (key) {
    case VK_BACK:
        return BackspaceKey;
    case VK_ESCAPE:
        return EscapeKey;
    case 'C':
    case VK_INSERT:
        return shortcut && !shift ? CopyKey : 0;
    case 'Z':
        return !shortcut ? 0 : shift ? RedoKey : UndoKey;
    case 'Y':
        return shortcut && !shift ? RedoKey : 0;
    default:
        return 0;
    }
}

// Queues the event of a typed character, or of an editing key (Backspace, Escape, or the
// shortcut of copy, undo or redo) pressed in a Toolkit window. True when the message is
// thereby handled and must not be dispatched: the editing keys then do nothing else, and
// the character that the platform would make of a shortcut is never made. A typed
// character is still dispatched, so a focused button keeps its own handling of the space
// bar; Tab never arrives here as a character, since the accelerators take it first. A
// control character typed with Ctrl raises no event.
bool TakeKeyboardMessage(const MSG& message) {
    // A control character typed with Ctrl (Ctrl+A gives 1, Ctrl+Z 26) belongs to a shortcut, not to the text.
    bool character = message.message == WM_CHAR && !(message.wParam < 0x20 && ControlHeld());
    int editKey = message.message == WM_KEYDOWN ? EditKeyOf(message.wParam) : 0;
    if (!character && !editKey) return false;
    int window = detail::WindowNumberOf(GetAncestor(message.hwnd, GA_ROOT));
    if (window < 0) return false;
    // The queue is empty whenever a message is fetched, so a key typed twice is never
    // taken for a repetition of the waiting event.
    int typed = character ? static_cast<int>(message.wParam & 0xFFFF) : editKey;
    detail::Shared().events.Push(
        {character ? CharacterEvent : EditKeyEvent, detail::GadgetNumberOf(message.hwnd), window, typed});
    return editKey != 0;
}

} // namespace

int WaitForEvent() {
    if (auto event = detail::Shared().events.Pop()) {
        detail::Windows().current = *event;
        return event->code;
    }
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return QuitEvent;
    detail::RelayToTooltips(msg);
    if (!TakeKeyboardMessage(msg) && !TranslateFocusKeys(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // A platform message never passes for one of the Toolkit's own event codes.
    int code = static_cast<int>(msg.message);
    bool own = code == GadgetEvent || code == CloseEvent || code == QuitEvent || code == CharacterEvent ||
               code == EditKeyEvent;
    return own ? 0 : code;
}

int EventGadgetNumber() { return detail::Windows().current.gadget; }
int EventType() { return detail::Windows().current.type; }

char16_t EventCharacter() { return static_cast<char16_t>(detail::Windows().current.type); }
int EventKey() { return detail::Windows().current.type; }

} // namespace wexa
