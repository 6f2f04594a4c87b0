// The main window's tooltips as the program made them. A tooltip control takes its tool
// structures by address in its own process, so they are placed in memory of the program.
#include "probe.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace probe {
namespace {

BOOL CALLBACK CollectTooltips(HWND window, LPARAM found) {
    wchar_t cls[64] = L"";
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Memory in the other process: a tool structure, then room for its text.
class RemoteTool {
public:
    RemoteTool(HANDLE process) : process_(process) {
        base_ = static_cast<char*>(
            VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteTool() {
        if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    }
    explicit operator bool() const { return base_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(base_); }
    wchar_t* Text() const { return reinterpret_cast<wchar_t*>(base_ + 1024); }
    void Put(const TTTOOLINFOW& tool) { WriteProcessMemory(process_, base_, &tool, sizeof tool, nullptr); }
    TTTOOLINFOW Get() const {
        TTTOOLINFOW tool{};
        ReadProcessMemory(process_, base_, &tool, sizeof tool, nullptr);
        return tool;
    }
    std::wstring GetText() const {
        wchar_t text[256] = L"";
        ReadProcessMemory(process_, Text(), text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }

private:
    HANDLE process_;
    char* base_ = nullptr;
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// The tool of index i: [the control's identifier, its text's code units].
std::string ToolJson(HWND tooltips, RemoteTool& remote, int i) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    remote.Put(tool);
    if (!Ask(tooltips, TTM_ENUMTOOLSW, i, remote.Address())) return "null";
    tool = remote.Get();
    tool.lpszText = remote.Text();
    remote.Put(tool);
    Ask(tooltips, TTM_GETTEXTW, 256, remote.Address());
    std::string json = "[";
    json += std::to_string(GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)));
    json += ",";
    json += CodeUnits(remote.GetText());
    return json + "]";
}

// tooltips: {"controls": tooltip controls of the main window, "tools": [[id, text], ...] of the first,
// "shown": whether the first is on the screen}.
int Tooltips(const Args&) {
    HWND w = FindMainWindow();
    if (!w) return Fail("no main window");
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(w, &pid);
    std::vector<HWND> all, owned;
    EnumThreadWindows(thread, CollectTooltips, reinterpret_cast<LPARAM>(&all));
    for (HWND t : all)
        if (GetWindow(t, GW_OWNER) == w) owned.push_back(t);
    std::string tools = "[";
    if (!owned.empty()) {
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process) return Fail("cannot open the program's process");
        RemoteTool remote(process);
        int count = remote ? static_cast<int>(Ask(owned[0], TTM_GETTOOLCOUNT, 0, 0)) : 0;
        for (int i = 0; i < count; ++i) {
            if (i) tools += ",";
            tools += ToolJson(owned[0], remote, i);
        }
        CloseHandle(process);
    }
    const bool shown = !owned.empty() && IsWindowVisible(owned[0]);
    std::printf("{\"controls\":%zu,\"tools\":%s],\"shown\":%s}\n", owned.size(), tools.c_str(),
                shown ? "true" : "false");
    return 0;
}

const ProbeCommand tooltips{"tooltips", Tooltips};

} // namespace
} // namespace probe
