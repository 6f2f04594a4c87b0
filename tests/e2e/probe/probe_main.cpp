#include "probe.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <map>
#include <string>

namespace probe {
namespace {

std::map<std::string, CommandFunction>& Commands() {
    static std::map<std::string, CommandFunction> commands;
    return commands;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

Args SplitAtTabs(const std::wstring& line) {
    Args args;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find(L'\t', start)) != std::wstring::npos; start = tab + 1)
        args.push_back(line.substr(start, tab - start));
    args.push_back(line.substr(start));
    return args;
}

bool ReadLine(std::string& line) {
    line.clear();
    for (int c; (c = std::fgetc(stdin)) != EOF;) {
        if (c == '\n') return true;
        if (c != '\r') line += static_cast<char>(c);
    }
    return !line.empty();
}

int Run(const Args& commandAndArgs) {
    auto found = Commands().find(Narrow(commandAndArgs[0]));
    if (found == Commands().end()) return Fail("unknown command");
    int rc = found->second(Args(commandAndArgs.begin() + 1, commandAndArgs.end()));
    std::fflush(stdout);
    return rc;
}

// One command a line until the end of the input; each answer ends with its own line.
int Serve() {
    for (std::string line; ReadLine(line);) {
        if (line.empty()) continue;
        Run(SplitAtTabs(FromUtf8(line)));
        std::printf("%s\n", EndOfAnswer);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

ProbeCommand::ProbeCommand(const char* name, CommandFunction function) { Commands()[name] = function; }

HWND FindMainWindow() { return FindWindowW(L"WindowClass_0", L"Wexa Font Tastatur"); }

std::wstring TextOf(HWND control) {
    // WM_GETTEXT crosses processes; GetWindowTextW would not for another process's control.
    // With a timeout, so a busy program makes the probe fail instead of hang.
    DWORD_PTR length = 0, got = 0;
    SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, AnswerTimeoutMs, &length);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        AnswerTimeoutMs, &got);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

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

std::string CodeUnits(std::u16string_view text) {
    std::string out = "[";
    for (std::size_t i = 0; i < text.size(); ++i) out += (i ? "," : "") + std::to_string(unsigned(text[i]));
    return out + "]";
}

std::string CodeUnits(const std::wstring& text) {
    return CodeUnits(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
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
    // Bytes as they are: the driver reads UTF-8 commands and JSON lines, not text-mode ones.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::wstring(argv[1]) == L"--serve") return probe::Serve();
    if (argc < 2) return probe::Fail("usage: wexa-probe --serve | COMMAND [ARGS]");
    return probe::Run(probe::Args(argv + 1, argv + argc));
}
