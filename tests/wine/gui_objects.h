#pragma once
// Counts of this process's live GDI objects and windows. GetGuiResources answers 0 under
// Wine, so the GDI count falls back to asking every slot of the process's GDI handle table
// for its object type: Wine takes a handle without its upper 16 bits (the reuse counter) as
// the object in that slot, whatever its counter. Windows are counted by walking every
// top-level, message-only and child window and keeping those of this process.
namespace wexa::testing {

struct GuiObjects {
    int gdi = 0;
    int windows = 0;
};

GuiObjects CountGuiObjects();

} // namespace wexa::testing
