#pragma once
#include "toolkit/window.h"

#include <cstdint>

namespace wexa {

inline constexpr int MainWindowNumber = 0;
inline constexpr int MainWindowClientWidth = 1350;
inline constexpr int MainWindowClientHeight = 730;
inline constexpr char16_t MainWindowTitle[] = u"Wexa Font Tastatur";
inline constexpr std::uint32_t MainWindowFlags =
    WindowSystemMenu | WindowMinimizeGadget | WindowMaximizeGadget | WindowCentered; // 0xCB0001

} // namespace wexa
