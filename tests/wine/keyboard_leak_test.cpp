// Every edit and every undo replaces the line display with a new control; a thousand edits
// (fifty rounds of every kind) and as many undos must leave the process with no more GDI
// objects and windows than a few edits did: a leak of one object per change would show as a
// thousand. The count itself is shown to see a leak of exactly that kind.
#include "gui_objects.h"
#include "keyboard/constants.h"
#include "running_keyboard.h"

#include <cstdio>
#include <vector>

namespace wexa::testing {
namespace {

// Appends of glyph and syllable keys, spaces, deletions and a clear now and then, so that
// the line grows and shrinks.
constexpr int EditCycle[] = {0, 190, 94, 284, SpacesButton, 179, DeleteOneButton, 369, 5, DeleteOneButton,
                             111, 301, SpacesButton, DeleteOneButton, 60, 250, 89, 279, 130, ClearButton};

class KeyboardLeaks : public RunningKeyboard {
protected:
    // Clicks and shows the result, so painting the field is part of what is counted.
    void Edit(int count, int first = 0) {
        for (int i = first; i < first + count; ++i) {
            Click(EditCycle[i % std::size(EditCycle)]);
            UpdateWindow(window_);
        }
    }

    // Ctrl+Z as the window receives it: the key's message, with Ctrl down in the thread's key state.
    void Undo(int count) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        for (int i = 0; i < count; ++i) {
            PostMessageW(window_, WM_KEYDOWN, 'Z', 0);
            Pump();
            UpdateWindow(window_);
        }
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
};

TEST_F(KeyboardLeaks, AThousandEditsAndAsManyUndosHoldNoMoreObjectsThanTheFirstFewEdits) {
    Edit(static_cast<int>(std::size(EditCycle))); // ends with a clear
    GuiObjects early = CountGuiObjects();
    constexpr int Edits = 1000; // each changes the line, and the history keeps them all
    static_assert(Edits <= LineHistoryDepth);
    Edit(Edits, 1); // from the cycle's second edit: the last leaves a line that is not empty
    GuiObjects edited = CountGuiObjects();
    EXPECT_NE(LineDisplayText(), u"");
    Undo(Edits);
    GuiObjects late = CountGuiObjects();
    std::printf("GDI objects %d -> %d -> %d, windows %d -> %d -> %d after %d edits, then as many undos\n", early.gdi,
                edited.gdi, late.gdi, early.windows, edited.windows, late.windows, Edits);
    EXPECT_EQ(LineDisplayText(), u"");
    EXPECT_GT(early.gdi, 0);
    EXPECT_GE(early.windows, 366); // the main window, its 365 controls and the Toolkit's wake-up window
    for (const GuiObjects& after : {edited, late}) {
        EXPECT_LE(after.gdi, early.gdi);
        EXPECT_LE(after.windows, early.windows);
    }
}

// A line display rebuilt the wrong way: a new field with a font of its own each time, the
// old field and font never released.
struct LeakyRefresh {
    std::vector<HWND> fields;
    std::vector<HFONT> fonts;

    void Refresh(HWND parent) {
        HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, 0, L"Arial");
        HWND field = CreateWindowExW(WS_EX_CLIENTEDGE, L"Static", L"!", WS_CHILD | WS_VISIBLE, 30, 600, 1250, 50,
                                     parent, nullptr, nullptr, nullptr);
        SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        fonts.push_back(font);
        fields.push_back(field);
    }
    ~LeakyRefresh() {
        for (HWND f : fields) DestroyWindow(f);
        for (HFONT f : fonts) DeleteObject(f);
    }
};

TEST_F(KeyboardLeaks, TheCountSeesALeakingLineDisplay) {
    constexpr int Leaks = 50;
    GuiObjects before = CountGuiObjects();
    {
        LeakyRefresh leaky;
        for (int i = 0; i < Leaks; ++i) leaky.Refresh(window_);
        UpdateWindow(window_);
        GuiObjects leaked = CountGuiObjects();
        EXPECT_EQ(leaked.windows - before.windows, Leaks);
        EXPECT_GE(leaked.gdi - before.gdi, Leaks);
    }
    GuiObjects after = CountGuiObjects();
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.gdi, before.gdi); // released, the objects leave the count again
}

} // namespace
} // namespace wexa::testing
