#pragma once
// DLLs from System32 only. Windows looks for a DLL that is not one of its known DLLs in the
// program's own folder first, and a program started from Downloads lies beside whatever else
// was downloaded there, under any DLL's name.
#include <windows.h>

#include <uxtheme.h> // after windows.h, whose types it uses

namespace wexa::detail {

// A function of a loaded system DLL, looked up at run time where older systems lack it;
// null when the DLL or the function is missing. Cast through the generic function pointer
// type, which may be cast to any other.
template <typename Function> Function LookUpFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// Start-up's first step: every DLL loaded from then on is searched for in System32 alone,
// and UxTheme is loaded from there.
void RestrictDllSearchToSystem32();

// The six functions of UxTheme (not a known DLL, so not imported) that paint the glyph keys'
// faces, loaded from System32 once.
struct UxTheme {
    decltype(&::GetWindowTheme) getWindowTheme = nullptr;
    decltype(&::IsThemeBackgroundPartiallyTransparent) isBackgroundPartiallyTransparent = nullptr;
    decltype(&::DrawThemeParentBackground) drawParentBackground = nullptr;
    decltype(&::DrawThemeBackground) drawBackground = nullptr;
    decltype(&::GetThemeBackgroundContentRect) getBackgroundContentRect = nullptr;
    decltype(&::GetThemeColor) getColor = nullptr;
};

// All six, or none (null) where UxTheme or one of them is missing: then the keys get the
// classic face, as without a visual style.
const UxTheme& SystemUxTheme();

} // namespace wexa::detail
