#include "app/program.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/events.h"
#include "transfer/transfer_command.h"

namespace wexa {

// Looks at the gadget number alone: every event of a gadget with a handler runs it once.
void DispatchGadget(int gadgetNumber) {
    const KeyEntry* entry = FindKeyEntry(gadgetNumber);
    if (!entry) return;
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

void RunEventLoop() {
    int code;
    do {
        code = WaitForEvent();
        if (code == GadgetEvent) DispatchGadget(EventGadgetNumber());
    } while (code != CloseEvent);
}

} // namespace wexa
