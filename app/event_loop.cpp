#include "app/program.h"
#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "keyboard/line_editing.h"
#include "keyboard/typing.h"
#include "toolkit/windows/events.h"
#include "toolkit/windows/keyboard_events.h"
#include "transfer/transfer_command.h"

namespace wexa {
namespace {

// Redo leaves pending letters pending: they are no change, and stay after the line.
void DispatchEditKey(Program& program, int key) {
    switch (key) {
    case BackspaceKey:
        PressBackspace(program.line, program.pending);
        break;
    case EscapeKey:
        PressEscape(program.pending);
        break;
    case UndoKey:
        PressUndo(program.line, program.pending);
        break;
    case RedoKey:
        RedoLineChange(program.line);
        break;
    case CopyKey:
        DispatchGadget(program, TransferButton); // as the click: the pending syllable ends first
        break;
    }
}

} // namespace

// Looks at the gadget number alone: every event of a gadget with a handler runs it once.
void DispatchGadget(Program& program, int gadgetNumber) {
    const KeyEntry* entry = FindKeyEntry(gadgetNumber);
    if (!entry) return;
    EndTypedSyllable(program.line, program.pending); // a click ends the pending syllable first
    switch (entry->action) {
    case KeyAction::Append:
        AppendToLine(program.line, entry->appendedText);
        break;
    case KeyAction::TransferLine:
        program.picture = {}; // gone before the next is made, unless a drop target still holds it
        program.picture = TransferLine(program.line);
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
    const bool dragged = code == GadgetEvent && EventType() == EventTypeDragStart;
    if (dragged && EventGadgetNumber() == PreviewImageNumber) DragPreviewPicture(program.picture);
    if (code == GadgetEvent) DispatchGadget(program, EventGadgetNumber());
    if (code == CharacterEvent) TypeCharacter(program.line, program.pending, EventCharacter());
    if (code == EditKeyEvent) DispatchEditKey(program, EventKey());
    return code != CloseEvent && code != QuitEvent;
}

void RunEventLoop(Program& program) {
    while (HandleEvent(program, WaitForEvent())) {
    }
}

} // namespace wexa
