#include "toolkit/files.h"

#include "toolkit/detail/toolkit_state.h"
#include "toolkit/path_rules.h"

#include <shlwapi.h>

#include <algorithm>

namespace wexa {
namespace {

class PlatformPathFacts final : public PathFacts {
public:
    bool IsDrive(std::u16string_view root) override {
        UINT type = GetDriveTypeW(detail::Wide(root).c_str());
        return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
    }
    std::optional<Entry> Find(std::u16string_view path) override {
        WIN32_FIND_DATAW data;
        win32::UniqueFind found(FindFirstFileW(detail::Wide(path).c_str(), &data));
        if (!found)
            return std::nullopt;
        return Entry{(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, data.nFileSizeHigh, data.nFileSizeLow};
    }
    Attributes AttributesOf(std::u16string_view path) override {
        DWORD attributes = GetFileAttributesW(detail::Wide(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return Attributes::Missing;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Attributes::Folder : Attributes::Other;
    }
    bool Exists(std::u16string_view path) override { return PathFileExistsW(detail::Wide(path).c_str()) != FALSE; }
};

// One WriteFile call; a piece is never longer than a DWORD can count.
class FileSink final : public ByteSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    std::optional<std::size_t> Put(const unsigned char* bytes, std::size_t length) override {
        DWORD written = 0;
        if (!WriteFile(file_, bytes, static_cast<DWORD>(length), &written, nullptr))
            return std::nullopt;
        return written;
    }

private:
    HANDLE file_;
};

// A new or emptied file; a second, plainer attempt for a file that cannot be created anew.
win32::UniqueFile OpenForWriting(std::u16string_view path) {
    std::wstring wide = detail::Wide(path);
    win32::UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    return file;
}

detail::OutputFileTable::iterator FindFile(detail::OutputFileTable& files, FileHandle file) {
    return std::find_if(files.begin(), files.end(), [file](const detail::OutputFileRecord& record) {
        return detail::ToHandle<FileHandle>(record.file.get()) == file;
    });
}

// Writes what is buffered and closes; true when every byte reached the file.
bool FlushAndClose(detail::OutputFileRecord& record) {
    FileSink sink(record.file.get());
    bool flushed = record.buffer.Flush(sink);
    // Closing can be where a deferred write error shows.
    bool closed = CloseHandle(record.file.release()) != FALSE;
    return flushed && closed;
}

// Takes the record out of the table before it is closed, so that the table never holds a closed handle.
bool CloseAt(detail::OutputFileTable& files, detail::OutputFileTable::iterator at) {
    detail::OutputFileRecord record = std::move(*at);
    files.erase(at);
    return FlushAndClose(record);
}

void ReleaseNumber(detail::OutputFileTable& files, int number) {
    auto at = std::find_if(files.begin(), files.end(),
                           [number](const detail::OutputFileRecord& record) { return record.number == number; });
    if (at != files.end())
        CloseAt(files, at);
}

} // namespace

std::int64_t QueryFileSize(std::u16string_view path) {
    PlatformPathFacts facts;
    return SizeAtPath(path, facts);
}

FileHandle CreateOutputFile(int number, std::u16string_view path) {
    if ((number != AnyFreeNumber && !IsObjectNumber(number)) || !IsUsablePath(path))
        return FileHandle::Null;
    detail::OutputFileTable& files = detail::State().files;
    if (number != AnyFreeNumber)
        ReleaseNumber(files, number); // the old file goes first, as for every kind
    win32::UniqueFile file = OpenForWriting(path);
    if (!file)
        return FileHandle::Null;
    FileHandle handle = detail::ToHandle<FileHandle>(file.get());
    files.push_back(detail::OutputFileRecord{number == AnyFreeNumber ? -1 : number, std::move(file), OutputBuffer()});
    return handle;
}

std::size_t WriteBlock(FileHandle file, const void* bytes, std::size_t length) {
    detail::OutputFileTable& files = detail::State().files;
    auto at = FindFile(files, file);
    if (at == files.end() || (!bytes && length))
        return 0;
    FileSink sink(at->file.get());
    return at->buffer.Write(static_cast<const unsigned char*>(bytes), length, sink);
}

bool CloseOutputFile(FileHandle file) {
    detail::OutputFileTable& files = detail::State().files;
    auto at = FindFile(files, file);
    return at != files.end() && CloseAt(files, at);
}

bool DeleteFileAt(std::u16string_view path) {
    if (!IsUsablePath(path))
        return false;
    if (DeleteFileW(detail::Wide(path).c_str()))
        return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

namespace detail {

void CloseAllOutputFiles() {
    OutputFileTable& files = State().files;
    while (!files.empty())
        CloseAt(files, files.end() - 1);
}

PngWriteOutcome OpenFailureOutcome(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY: // a drive without a medium
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return PngWriteOutcome::FolderMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return PngWriteOutcome::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return PngWriteOutcome::FileLocked;
    default:
        return PngWriteOutcome::WriteFailed;
    }
}

} // namespace detail
} // namespace wexa
