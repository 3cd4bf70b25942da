#include "UnusedLists.h"

#include "DevicePath.h"
#include "Text/CExtTime.h"

#include <filesystem>
#include <system_error>

std::vector<UnusedLists::Entry> UnusedLists::Find(const TCHAR* lastFile) {
    std::vector<Entry> entries;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(kPattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        Entry entry{found.cFileName, std::u16string(kFolder) + found.cFileName, found.ftLastWriteTime};
        if (!SameFile(entry.path.c_str(), lastFile))
            entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

CString UnusedLists::DateText(const FILETIME& lastWrite) {
    return CExtTime(CTime(lastWrite)).Format(u"%d %b %y %H:%M");
}

bool UnusedLists::SameFile(const TCHAR* a, const TCHAR* b) {
    if (!a || !b || !*a || !*b)
        return false;
    if (std::u16string_view(a) == std::u16string_view(b))
        return true;
    // The open list may be named by a host path, or a device path written otherwise.
    std::error_code error;
    const std::filesystem::path hostA = std::filesystem::weakly_canonical(DevicePath::ToHost(a), error);
    if (error)
        return false;
    const std::filesystem::path hostB = std::filesystem::weakly_canonical(DevicePath::ToHost(b), error);
    return !error && hostA == hostB;
}

UnusedLists::Deletion UnusedLists::Delete(const std::vector<const Entry*>& entries) {
    Deletion deletion;
    for (const Entry* entry : entries) {
        if (DeleteFileW(entry->path.c_str()))
            ++deletion.deleted;
        else
            deletion.failed.push_back(entry->name);
    }
    return deletion;
}

CString UnusedLists::Report(const Deletion& deletion) {
    CString text;
    text.Format(kDeletedFormat, deletion.deleted);
    if (!deletion.failed.empty()) {
        text += u"\n";
        text += kNotDeleted;
        for (const std::u16string& name : deletion.failed) {
            text += u"\n";
            text += name.c_str();
        }
    }
    return text;
}
