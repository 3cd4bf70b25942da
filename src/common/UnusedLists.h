// The list files a user may tidy away: every "*.lsr" file in "\My Documents" except the
// list that is open (the option "LastFile", however its path is written), with its
// last-write time; and their deletion, which tells which files it could not delete.
#pragma once
#include "windows.h"

#include <string>
#include <vector>

class UnusedLists {
public:
    struct Entry {
        std::u16string name;  // the file name
        std::u16string path;  // "\My Documents\" and the name
        FILETIME lastWrite;
    };
    struct Deletion {
        int deleted = 0;
        // The names of the files that could not be deleted.
        std::vector<std::u16string> failed;
    };

    static constexpr const TCHAR* kFolder = u"\\My Documents\\";
    static constexpr const TCHAR* kPattern = u"\\My Documents\\*.lsr";
    static constexpr const TCHAR* kDeletedFormat = u"%d files deleted";
    static constexpr const TCHAR* kNotDeleted = u"These files could not be deleted:";

    UnusedLists() = delete;

    // The files in the order the file search gives them; folders are left out.
    static std::vector<Entry> Find(const TCHAR* lastFile);
    // The last-write time in local time, as "5 mar 04 09:07".
    static CString DateText(const FILETIME& lastWrite);
    // True when both paths name the same file.
    static bool SameFile(const TCHAR* a, const TCHAR* b);

    static Deletion Delete(const std::vector<const Entry*>& entries);
    // "%d files deleted" with the count of deleted files, then the files that could not
    // be deleted, one a line.
    static CString Report(const Deletion& deletion);
};
