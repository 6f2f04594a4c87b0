#include "app/program.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "keyboard/typing.h"
#include "toolkit/events.h"
#include "toolkit/keyboard_events.h"
#include "transfer/transfer_command.h"

namespace wexa {

// Looks at the gadget number alone: every event of a gadget with a handler runs it once.
void DispatchGadget(int gadgetNumber) {
    const KeyEntry* entry = FindKeyEntry(gadgetNumber);
    if (!entry) return;
    EndTypedSyllable(); // a click ends the pending syllable before the key's own action
    switch (entry->action) {
    case KeyAction::Append:
        AppendToLine(entry->appendedText);
        break;
    case KeyAction::TransferLine:
        TransferLine();
        break;
    case KeyAction::ClearLine:
        ClearLine();
        break;
    case KeyAction::DeleteLastCharacter:
        DeleteLastCharacter();
        break;
    }
}

void DispatchEditKey(int key) {
    if (key == BackspaceKey) PressBackspace();
    if (key == EscapeKey) PressEscape();
}

void DispatchEvent(int code) {
    if (code == GadgetEvent) DispatchGadget(EventGadgetNumber());
    if (code == CharacterEvent) TypeCharacter(EventCharacter());
    if (code == EditKeyEvent) DispatchEditKey(EventKey());
}

void RunEventLoop() {
    int code;
    do {
        code = WaitForEvent();
        DispatchEvent(code);
    } while (code != CloseEvent);
}

} // namespace wexa
