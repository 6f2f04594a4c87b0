#include "toolkit/platform/files.h"

#include "toolkit/platform/shared_state.h"
#include "toolkit/platform/win32_handles.h"

#include <string>

namespace wexa {
namespace {

// Why a file could not be opened for writing, from the system's error code.
FileWriteOutcome OpenFailureOutcome(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY: // a drive without a medium
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return FileWriteOutcome::FolderMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return FileWriteOutcome::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileWriteOutcome::FileLocked;
    default:
        return FileWriteOutcome::WriteFailed;
    }
}

} // namespace

bool IsUsablePath(std::u16string_view path) { return !path.empty() && path.find(u'\0') == std::u16string_view::npos; }

std::int64_t QueryFileSize(std::u16string_view path) {
    if (!IsUsablePath(path)) return NothingAtPath;
    std::wstring wide = detail::Wide(path);
    while (!wide.empty() && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
    if (wide.size() == 2 && wide[1] == L':') wide += L'\\'; // a bare drive is asked about as its root
    WIN32_FILE_ATTRIBUTE_DATA data{};
    // The platform refuses wildcards here, so "f*" finds no file named like it.
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return NothingAtPath;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FolderAtPath;
    return static_cast<std::int64_t>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
}

namespace {

// Writes the bytes to the file just opened at the path and closes it. A file that could not be
// opened says why; one that did not get all the bytes is removed, so that no broken file stands
// in for the whole.
FileWriteOutcome WriteAndClose(win32::UniqueFile file, const std::wstring& path, std::span<const std::uint8_t> bytes,
                               bool flushed) {
    if (!file) return OpenFailureOutcome(GetLastError());
    DWORD written = 0;
    bool complete = bytes.size() <= MAXDWORD &&
                    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && (!flushed || FlushFileBuffers(file.get()));
    // Closing can be where a deferred write error shows.
    if (CloseHandle(file.release()) && complete) return FileWriteOutcome::Written;
    DeleteFileW(path.c_str());
    return FileWriteOutcome::WriteFailed;
}

// Why the file at the path could not be replaced although its temporary file was written: the
// system refuses to move over a file that another program holds open, or that is protected.
FileWriteOutcome ReplaceFailureOutcome(const std::wstring& path, DWORD error) {
    if (error != ERROR_ACCESS_DENIED) return OpenFailureOutcome(error);
    win32::UniqueFile held(CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    return held || GetLastError() == ERROR_SHARING_VIOLATION ? FileWriteOutcome::FileLocked
                                                             : FileWriteOutcome::AccessDenied;
}

// What a transfer that crashed left beside the file: its temporary files, whatever process made them.
void RemoveLeftovers(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    win32::UniqueFind search(FindFirstFileW((path + L".*.tmp").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.get(), &found))
        DeleteFileW((folder + found.cFileName).c_str()); // one a running program writes is unshared: it stays
}

} // namespace

FileWriteOutcome WriteWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
    if (!IsUsablePath(path)) return FileWriteOutcome::NoImage;
    const std::wstring wide = detail::Wide(path);
    win32::UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    return WriteAndClose(std::move(file), wide, bytes, false);
}

FileWriteOutcome ReplaceWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes) {
    if (!IsUsablePath(path)) return FileWriteOutcome::NoImage;
    const std::wstring wide = detail::Wide(path);
    RemoveLeftovers(wide);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FileWriteOutcome::AccessDenied; // Windows refuses to move over it; Wine would not
    const std::wstring temporary = wide + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    win32::UniqueFile file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const FileWriteOutcome written = WriteAndClose(std::move(file), temporary, bytes, true);
    if (written != FileWriteOutcome::Written) return written;
    if (MoveFileExW(temporary.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileWriteOutcome::Written;
    const FileWriteOutcome failed = ReplaceFailureOutcome(wide, GetLastError());
    DeleteFileW(temporary.c_str());
    return failed;
}

} // namespace wexa
