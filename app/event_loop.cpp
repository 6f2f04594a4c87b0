#include "app/program.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "toolkit/events.h"
#include "transfer/transfer_command.h"

namespace wexa {

// Looks at the gadget number alone: every event of a gadget with a handler runs it once.
void DispatchGadget(Program& program, int gadgetNumber) {
    const KeyEntry* entry = FindKeyEntry(gadgetNumber);
    if (!entry) return;
    switch (entry->action) {
    case KeyAction::Append:
        AppendToLine(program.line, entry->appendedText);
        break;
    case KeyAction::TransferLine:
        TransferLine(program.line);
        break;
    case KeyAction::ClearLine:
        ClearLine(program.line);
        break;
    case KeyAction::DeleteLastCharacter:
        DeleteLastCharacter(program.line);
        break;
    }
}

bool HandleEvent(Program& program, int code) {
    if (code == GadgetEvent) DispatchGadget(program, EventGadgetNumber());
    return code != CloseEvent;
}

void RunEventLoop(Program& program) {
    while (HandleEvent(program, WaitForEvent())) {
    }
}

} // namespace wexa
