#pragma once
// The program's own numbers and paths: the main window and the font file.
#include "toolkit/windows/window.h"

#include <cstdint>

namespace wexa {

// What the process ends with, on every path.
inline constexpr int ProgramExitCode = 0;

inline constexpr int MainWindowNumber = 0;
inline constexpr int MainWindowClientWidth = 1350;
inline constexpr int MainWindowClientHeight = 730;
inline constexpr char16_t MainWindowTitle[] = u"Wexa Font Tastatur";
inline constexpr std::uint32_t MainWindowFlags =
    WindowSystemMenu | WindowMinimizeGadget | WindowMaximizeGadget | WindowCentered; // 0xCB0001

// The window menu's item that keeps the keyboard above the document beside it; off at every start.
inline constexpr char16_t StayOnTopLabel[] = u"&Immer im Vordergrund";

// Where the carried font file is written when nothing is there yet.
inline constexpr char16_t FontFilePath[] = u"d:\\kelvast6\\vevoviv.ttf";

} // namespace wexa
