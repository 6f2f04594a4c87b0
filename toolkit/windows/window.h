#pragma once
#include "toolkit/core/handles.h"

#include <climits>
#include <cstdint>
#include <string_view>

namespace wexa {

// x or y with this value lets the platform (or the centring flag) choose the place.
inline constexpr int PositionIgnored = INT_MIN;

// Flags of OpenToolkitWindow: the window style bits, plus bit 0 for centring.
inline constexpr std::uint32_t WindowCentered = 0x1;
inline constexpr std::uint32_t WindowSystemMenu = 0xC80000; // caption and system menu
inline constexpr std::uint32_t WindowMinimizeGadget = 0x20000;
inline constexpr std::uint32_t WindowMaximizeGadget = 0x10000;
// Bit 1: the window is made hidden and appears with ShowToolkitWindow, so that its gadgets
// are made and given their fonts before it is drawn, and it is drawn once, complete.
inline constexpr std::uint32_t WindowShownLater = 0x2;

// Opens a top-level window with a client area of width x height (96-DPI units) and
// makes it the parent of the gadgets created after it. Null when it cannot be made.
WindowHandle OpenToolkitWindow(int number, int x, int y, int width, int height, std::u16string_view title,
                               std::uint32_t flags);

// Shows a window opened with WindowShownLater as a new window is shown; nothing when the
// number holds no window.
void ShowToolkitWindow(int number);

// Adds a check item with that label (its mnemonic marked by &) to the window menu, which
// Alt+Space or a right click on the title bar opens: chosen, it keeps the window above all
// others that do not stay on top; chosen again, it puts it back among them. Unchecked at first.
void AddStayOnTopItem(int number, std::u16string_view label);

} // namespace wexa
