#include "probe.h"

#include <cstdio>
#include <map>
#include <string>

namespace probe {
namespace {

std::map<std::string, CommandFunction>& Commands() {
    static std::map<std::string, CommandFunction> commands;
    return commands;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

} // namespace

ProbeCommand::ProbeCommand(const char* name, CommandFunction function) { Commands()[name] = function; }

HWND FindMainWindow() { return FindWindowW(L"WindowClass_0", L"Wexa Font Tastatur"); }

std::string Quote(const std::wstring& text) {
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out + "\"";
}

std::string CodeUnits(const std::wstring& text) {
    std::string out = "[";
    for (std::size_t i = 0; i < text.size(); ++i) out += (i ? "," : "") + std::to_string(unsigned(text[i]));
    return out + "]";
}

std::string RectJson(const RECT& r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

int Fail(const char* message) {
    std::printf("{\"error\": \"%s\"}\n", message);
    return 1;
}

} // namespace probe

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return probe::Fail("usage: wexa-probe COMMAND [ARGS]");
    auto found = probe::Commands().find(probe::Narrow(argv[1]));
    if (found == probe::Commands().end()) return probe::Fail("unknown command");
    probe::Args args(argv + 2, argv + argc);
    int rc = found->second(args);
    std::fflush(stdout);
    return rc;
}
