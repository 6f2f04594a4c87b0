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

FileWriteOutcome WriteWholeFile(std::u16string_view path, std::span<const std::uint8_t> bytes, FileSharing sharing) {
    if (!IsUsablePath(path)) return FileWriteOutcome::NoImage;
    const std::wstring wide = detail::Wide(path);
    const bool alone = sharing == FileSharing::Alone;
    win32::UniqueFile file(CreateFileW(wide.c_str(), alone ? GENERIC_READ | GENERIC_WRITE : GENERIC_WRITE,
                                       alone ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file && alone) file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    if (!file) return OpenFailureOutcome(GetLastError());
    DWORD written = 0;
    bool complete = bytes.size() <= MAXDWORD &&
                    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    complete = CloseHandle(file.release()) && complete; // closing can be where a deferred write error shows
    if (complete) return FileWriteOutcome::Written;
    DeleteFileW(wide.c_str());
    return FileWriteOutcome::WriteFailed;
}

} // namespace wexa
