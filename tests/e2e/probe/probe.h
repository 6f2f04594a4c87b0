#pragma once
// wexa-probe: a Windows-side helper for the end-to-end tests. It runs in the same Wine
// session as the program under test and reports what only Windows can see (controls,
// their texts and fonts, the focus, the clipboard) as JSON on standard output.
//
// `wexa-probe COMMAND ARGS...` runs one command. `wexa-probe --serve` stays: it reads one
// command a line from standard input (UTF-8, the name and its arguments separated by
// tabs) and answers each with the command's JSON followed by a line holding EndOfAnswer.
//
// Adding a command: write `static const ProbeCommand name{"command-name", function};`
// in any source file of the probe; the function gets the arguments after the command
// name, prints its JSON and returns the process exit code.
#include <windows.h>

#include <string>
#include <vector>

namespace probe {

using Args = std::vector<std::wstring>;
using CommandFunction = int (*)(const Args&);

struct ProbeCommand {
    ProbeCommand(const char* name, CommandFunction function);
};

inline constexpr const char* EndOfAnswer = "\x1e";
// How long the probe waits for an answer of the program before it calls it busy.
inline constexpr UINT AnswerTimeoutMs = 10000;

// The program's main window, found by its title; null when it is not there.
HWND FindMainWindow();

// Returns once the program's thread has handled all messages that reached it, input among
// them; false if it does not answer in time.
bool PaintFence(HWND w);

// A control's text, asked of the program with a timeout (it crosses processes).
std::wstring TextOf(HWND control);

// JSON helpers.
std::string Quote(const std::wstring& text);
std::string CodeUnits(const std::wstring& text); // [33, 161, ...]
std::string CodeUnits(std::u16string_view text);
std::string RectJson(const RECT& r);

int Fail(const char* message); // prints {"error": ...}, returns 1

} // namespace probe
