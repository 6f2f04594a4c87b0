#pragma once
// Start-up marks of the benchmark programs: one line "milliseconds name" per mark, in the
// file named by the program's first argument, counted from the creation of the process (the
// moment its parent asked for it), so that marks of different programs compare.
#include <windows.h>

#include <cstdio>

namespace wexa::bench {

class StartupMarks {
public:
    // Marks nothing when the path is empty or the file cannot be made.
    explicit StartupMarks(const wchar_t* path) {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        created_ = Ticks(created);
        if (path && *path) out_ = _wfopen(path, L"w");
    }
    ~StartupMarks() {
        if (out_) std::fclose(out_);
    }
    StartupMarks(const StartupMarks&) = delete;
    StartupMarks& operator=(const StartupMarks&) = delete;

    void Mark(const char* name) {
        if (!out_) return;
        FILETIME now;
        GetSystemTimePreciseAsFileTime(&now);
        std::fprintf(out_, "%.2f %s\n", double(Ticks(now) - created_) / 10000.0, name); // 100 ns ticks
        std::fflush(out_);
    }

private:
    static unsigned long long Ticks(FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }
    std::FILE* out_ = nullptr;
    unsigned long long created_ = 0;
};

} // namespace wexa::bench
