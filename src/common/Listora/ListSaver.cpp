#include "ListSaver.h"

#include "AfxMessageBox.h"
#include "CFileDialog.h"
#include "CWaitCursor.h"
#include "FailureReason.h"
#include "ListFile.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "listoradoc.h"

using Diagnostics::Trace;

bool ListSaver::TargetFor(std::u16string& path) {
    if (!ListFile::IsTextListName(path.c_str()))
        return true;
    std::u16string binary = ListFile::BinaryNameFor(path.c_str());
    if (GetFileAttributesW(binary.c_str()) != INVALID_FILE_ATTRIBUTES && !CFileDialog::ConfirmReplace(binary.c_str())) {
        CFileDialog dialog(FALSE, u"lsr", binary.c_str(), OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                           CListoraDoc::kListFilter);
        if (dialog.DoModal() != IDOK)
            return false;
        binary = dialog.GetPathName().str();
        if (ListFile::IsTextListName(binary.c_str()))
            binary = ListFile::BinaryNameFor(binary.c_str());
    }
    path = binary;
    return true;
}

bool ListSaver::Write(const std::u16string& path, const rep::vector<Purchase*>& purchases) {
    ListFile file;
    return file.Write(path.c_str(), purchases);
}

bool ListSaver::WriteWithRetry(const std::u16string& path, const rep::vector<Purchase*>& purchases) {
    CWaitCursor wait;
    for (;;) {
        if (Write(path, purchases))
            return true;
        Trace::WriteFormattedLineT(u"error", u"%s", u"Save fail!");
        ReportFailure(path);
        if (AfxMessageBox(IDS_TRY_AGAIN, MB_YESNO) != IDYES)
            return false;
        CWaitCursor::Restore();
    }
}

void ListSaver::ReportFailure(const std::u16string& path) {
    const DWORD error = GetLastError();
    CString failed;
    failed.Format(LoadString(IDS_CANNOT_SAVE_FILE), path.c_str());
    AfxMessageBox(CString(FailureReason::Append(failed.str(), error, path.c_str()).c_str()), MB_OK);
}
