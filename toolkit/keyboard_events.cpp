#include "toolkit/keyboard_events.h"

#include "toolkit/detail/keyboard_input.h"
#include "toolkit/detail/toolkit_state.h"

namespace wexa {
namespace detail {
namespace {

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

// A control character typed with Ctrl (Ctrl+A gives 1, Ctrl+Z 26) belongs to a shortcut,
// not to the text.
bool IsShortcutCharacter(WPARAM character) { return character < 0x20 && ControlHeld(); }

} // namespace

bool TakeKeyboardMessage(const MSG& message) {
    bool character = message.message == WM_CHAR && !IsShortcutCharacter(message.wParam);
    int editKey = message.message == WM_KEYDOWN ? EditKeyOf(message.wParam) : 0;
    if (!character && !editKey) return false;
    int window = WindowNumberOf(GetAncestor(message.hwnd, GA_ROOT));
    if (window < 0) return false;
    // The queue is empty whenever a message is fetched, so a key typed twice is never
    // taken for a repetition of the waiting event.
    int detail = character ? static_cast<int>(message.wParam & 0xFFFF) : editKey;
    State().events.Push({character ? CharacterEvent : EditKeyEvent, GadgetNumberOf(message.hwnd), window, detail});
    return editKey != 0;
}

} // namespace detail

char16_t EventCharacter() { return static_cast<char16_t>(detail::State().current.type); }
int EventKey() { return detail::State().current.type; }

} // namespace wexa
