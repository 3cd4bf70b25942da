// Writing the document's list to a file as the user meets it: a text list is never
// overwritten with the binary format, an existing list is replaced only when the user
// says so, and a failed write is reported with the offer to try again.
#pragma once
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <string>

class ListSaver {
public:
    ListSaver() = delete;

    // Where a save of path writes: path itself, or for a text list (which its other
    // readers could not read any more) the binary list of the same name beside it,
    // asking before that replaces an existing file and offering another name on No.
    // False: the user cancelled.
    static bool TargetFor(std::u16string& path);
    // Writes the list to path; after a failure tells the user and asks whether to try
    // again, until it works or the user gives up. True when written.
    static bool WriteWithRetry(const std::u16string& path, const rep::vector<Purchase*>& purchases);
    static bool Write(const std::u16string& path, const rep::vector<Purchase*>& purchases);
    // Right after a failed Write: "Cannot save file '<path>'!" with the reason (from the
    // last error) on the line under it.
    static void ReportFailure(const std::u16string& path);
};
