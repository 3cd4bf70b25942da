#include "Text/Util.h"

#include <cstring>

TCHAR* Util::tcsdup(const TCHAR* text) {
    if (!text)
        return nullptr;
    const std::size_t length = _tcslen(text);
    TCHAR* copy = new TCHAR[length + 1];
    std::memcpy(copy, text, (length + 1) * sizeof(TCHAR));
    return copy;
}

void Util::AppendPath(CString& path, const CString& name) { AppendPath(path, name.GetString()); }

void Util::AppendPath(CString& path, const TCHAR* name) {
    if (!name)
        name = u"";
    const bool pathEnds = !path.IsEmpty() && path[path.GetLength() - 1] == u'\\';
    const bool nameStarts = name[0] == u'\\';
    if (!path.IsEmpty()) {
        if (!pathEnds && !nameStarts)
            path += u'\\';
        else if (pathEnds && nameStarts)
            ++name;  // one separator, not an empty component between two
    }
    path += name;
}

bool Util::AppendPath(TCHAR* path, std::size_t size, const TCHAR* name) {
    if (!path || size == 0)
        return false;
    if (!name)
        name = u"";
    // The buffer may come from anywhere: find its terminator without running past it.
    std::size_t pathLength = 0;
    while (pathLength < size && path[pathLength] != 0)
        ++pathLength;
    if (pathLength == size)
        return false;
    const bool pathEnds = pathLength > 0 && path[pathLength - 1] == u'\\';
    const bool nameStarts = name[0] == u'\\';
    bool separator = false;
    if (pathLength > 0) {
        if (!pathEnds && !nameStarts)
            separator = true;
        else if (pathEnds && nameStarts)
            ++name;
    }
    const std::size_t nameLength = _tcslen(name);
    const std::size_t needed = pathLength + (separator ? 1 : 0) + nameLength + 1;
    if (needed > size)
        return false;
    if (separator)
        path[pathLength++] = u'\\';
    std::memcpy(path + pathLength, name, (nameLength + 1) * sizeof(TCHAR));
    return true;
}

TCHAR* Util::GetErrorMessage(long code) {
    const DWORD value = code == -1 ? GetLastError() : static_cast<DWORD>(code);
    return tcsdup(::Format(u"Error code =%X", value).c_str());
}

CString Util::GetSystemErrorText(DWORD code) {
    struct Entry {
        DWORD code;
        const TCHAR* text;
    };
    static const Entry kTexts[] = {
        {ERROR_SUCCESS, u"The operation completed successfully."},
        {ERROR_INVALID_FUNCTION, u"Incorrect function."},
        {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified."},
        {ERROR_PATH_NOT_FOUND, u"The system cannot find the path specified."},
        {ERROR_TOO_MANY_OPEN_FILES, u"Too many files are open."},
        {ERROR_ACCESS_DENIED, u"Access is denied."},
        {ERROR_INVALID_HANDLE, u"The handle is invalid."},
        {ERROR_NOT_ENOUGH_MEMORY, u"Not enough storage is available to process this command."},
        {ERROR_OUTOFMEMORY, u"Not enough storage is available to complete this operation."},
        {ERROR_WRITE_FAULT, u"The system cannot write to the specified device."},
        {ERROR_READ_FAULT, u"The system cannot read from the specified device."},
        {ERROR_GEN_FAILURE, u"A device attached to the system is not functioning."},
        {ERROR_SHARING_VIOLATION,
         u"The process cannot access the file because it is being used by another process."},
        {ERROR_LOCK_VIOLATION,
         u"The process cannot access the file because another process has locked a portion of the file."},
        {ERROR_HANDLE_EOF, u"Reached the end of the file."},
        {ERROR_HANDLE_DISK_FULL, u"The disk is full."},
        {ERROR_NOT_SUPPORTED, u"The request is not supported."},
        {ERROR_FILE_EXISTS, u"The file exists."},
        {ERROR_INVALID_PARAMETER, u"The parameter is incorrect."},
        {ERROR_DISK_FULL, u"There is not enough space on the disk."},
        {ERROR_INSUFFICIENT_BUFFER, u"The data area passed to a system call is too small."},
        {ERROR_INVALID_NAME, u"The filename, directory name, or volume label syntax is incorrect."},
        {ERROR_DIR_NOT_EMPTY, u"The directory is not empty."},
        {ERROR_BAD_PATHNAME, u"The specified path is invalid."},
        {ERROR_ALREADY_EXISTS, u"Cannot create a file when that file already exists."},
        {ERROR_FILENAME_EXCED_RANGE, u"The filename or extension is too long."},
        {ERROR_MORE_DATA, u"More data is available."},
        {ERROR_NO_MORE_ITEMS, u"No more data is available."},
        {ERROR_NO_MORE_FILES, u"There are no more files."},
        {ERROR_BADDB, u"The configuration registry database is corrupt."},
        {ERROR_BADKEY, u"The configuration registry key is invalid."},
        {ERROR_CANTOPEN, u"The configuration registry key could not be opened."},
        {ERROR_CANTREAD, u"The configuration registry key could not be read."},
        {ERROR_CANTWRITE, u"The configuration registry key could not be written."},
        {ERROR_KEY_DELETED, u"The registry key has been deleted."},
        {ERROR_KEY_HAS_CHILDREN, u"The registry key has subkeys."},
    };
    for (const Entry& entry : kTexts) {
        if (entry.code == code)
            return CString(entry.text);
    }
    return CString(::Format(u"Error code =%X", code));
}

void Util::DisplayErrorMessage(long code) {
    const DWORD value = code == -1 ? GetLastError() : static_cast<DWORD>(code);
    const CString text = GetSystemErrorText(value);
    MessageBoxW(nullptr, text.GetString(), u"Error", MB_OK | MB_ICONINFORMATION);
}
