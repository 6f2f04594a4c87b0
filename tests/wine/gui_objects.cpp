#include "gui_objects.h"

#include <windows.h>

#include <cstdint>

namespace wexa::testing {
namespace {

constexpr unsigned GdiHandleSlots = 0x10000;

int CountGdiObjects() {
    if (DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(reported);
    int count = 0;
    for (std::uintptr_t slot = 1; slot < GdiHandleSlots; ++slot)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return count;
}

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    if (OfThisProcess(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// The window and all its descendants, if it belongs to this process.
int CountTree(HWND top) {
    if (!OfThisProcess(top)) return 0;
    int count = 1;
    EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK CountTopLevelTree(HWND top, LPARAM count) {
    *reinterpret_cast<int*>(count) += CountTree(top);
    return TRUE;
}

int CountWindows() {
    int count = 0;
    EnumWindows(CountTopLevelTree, reinterpret_cast<LPARAM>(&count));
    for (HWND m = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); m;
         m = FindWindowExW(HWND_MESSAGE, m, nullptr, nullptr))
        count += CountTree(m);
    return count;
}

} // namespace

GuiObjects CountGuiObjects() { return {CountGdiObjects(), CountWindows()}; }

} // namespace wexa::testing
