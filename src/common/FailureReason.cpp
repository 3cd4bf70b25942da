#include "FailureReason.h"

#include "Text/Util.h"

namespace {

bool IsFolder(const TCHAR* path) {
    if (!path || !*path)
        return false;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::u16string FailureReason::Of(DWORD error, const TCHAR* path) {
    switch (error) {
    case ERROR_SUCCESS: return {};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return u"The disk is full.";
    case ERROR_ACCESS_DENIED:
        return IsFolder(path) ? u"There is a folder of that name, not a file." : u"Permission denied.";
    case ERROR_DIRECTORY: return u"There is a folder of that name, not a file.";
    case ERROR_CANT_RESOLVE_FILENAME: return u"The path is a loop of symbolic links.";
    case ERROR_PATH_NOT_FOUND: return u"The folder does not exist.";
    case ERROR_FILE_NOT_FOUND: return u"The file does not exist.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return u"The file is in use by another program.";
    case ERROR_FILENAME_EXCED_RANGE: return u"The name is too long.";
    case ERROR_TOO_MANY_OPEN_FILES: return u"Too many files are open.";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return u"Not enough memory.";
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE: return u"The disk reported an input/output error.";
    case ERROR_INVALID_DATA: return u"A text of the list is too long to be saved.";
    case ERROR_BADDB: return u"The file is damaged.";
    case ERROR_CANTOPEN: return u"The file cannot be opened.";
    default: return Util::GetSystemErrorText(error).str();
    }
}

std::u16string FailureReason::Append(const std::u16string& text, DWORD error, const TCHAR* path) {
    const std::u16string reason = Of(error, path);
    return reason.empty() ? text : text + u"\n" + reason;
}
