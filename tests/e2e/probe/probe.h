#pragma once
// wexa-probe: a Windows-side helper for the end-to-end tests. It runs in the same Wine
// session as the program under test and reports what only Windows can see (controls,
// their texts and fonts, the focus, the clipboard) as JSON on standard output.
//
// Adding a command: write `static const ProbeCommand name{"command-name", function};`
// in any source file of the probe; the function gets the arguments after the command
// name and returns the process exit code.
#include <windows.h>

#include <string>
#include <vector>

namespace probe {

using Args = std::vector<std::wstring>;
using CommandFunction = int (*)(const Args&);

struct ProbeCommand {
    ProbeCommand(const char* name, CommandFunction function);
};

// The program's main window, found by its title; null when it is not there.
HWND FindMainWindow();

// JSON helpers.
std::string Quote(const std::wstring& text);
std::string CodeUnits(const std::wstring& text); // [33, 161, ...]
std::string RectJson(const RECT& r);

int Fail(const char* message); // prints {"error": ...}, returns 1

} // namespace probe
