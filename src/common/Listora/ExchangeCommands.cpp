#include "ExchangeCommands.h"

#include "AfxMessageBox.h"
#include "CFileDialog.h"
#include "CWaitCursor.h"
#include "ImportExportEngine.h"
#include "LRRegistry.h"
#include "ListSaver.h"
#include "ListoraStrings.h"
#include "ModalRunner.h"
#include "Options.h"
#include "dlgs/CExchangeFileDlg.h"
#include "dlgs/CExtendedSaveDlg.h"
#include "dlgs/CImportResultsDlg.h"
#include "dlgs/CManageTemplatesDlg.h"
#include "dlgs/CProgressSinkDlg.h"
#include "listoradoc.h"

#include <memory>
#include <string>

namespace {

void ShowFormatted(const TCHAR* format, const TCHAR* argument) {
    CString text;
    text.Format(format, argument);
    AfxMessageBox(text, MB_OK);
}

// What the Export or Import dialog chose: the engine of the template (none when the
// dialog was cancelled), the file and whether rows replace lines.
struct Chosen {
    std::unique_ptr<ImportExportEngine> engine;
    CString path;
    bool replaceExisting = false;
};

// The dialog over the templates as stored now.
Chosen Choose(CExchangeFileDlg::Kind kind) {
    TemplateList templates;
    TheRegistry().GetTemplates(templates);
    CExchangeFileDlg dialog(kind, templates);
    Chosen chosen;
    if (dialog.DoModal() == IDOK && dialog.GetTemplate()) {
        // The engine keeps its own copy of the template.
        chosen.engine =
            std::make_unique<ImportExportEngine>(*dialog.GetTemplate(), ImportExportEngine::CurrencyOf(TheOptions()));
        chosen.path = dialog.GetPath();
        chosen.replaceExisting = dialog.GetReplaceExisting();
    }
    return chosen;
}

}  // namespace

void ExchangeCommands::Export() {
    const Chosen chosen = Choose(CExchangeFileDlg::EXPORT);
    if (!chosen.engine)
        return;
    const CString& path = chosen.path;
    ImportExportEngine::ExportResult result;
    {
        CWaitCursor wait;
        result = chosen.engine->Export(m_doc.GetPurchases(), path, m_progress);
    }
    switch (result) {
    case ImportExportEngine::EXPORT_DONE:
        AfxMessageBox(ImportExportEngine::kExportDone, MB_OK);
        break;
    case ImportExportEngine::EXPORT_CANNOT_CREATE:
        AfxMessageBox(ImportExportEngine::kCannotCreateFile, MB_OK);
        break;
    case ImportExportEngine::EXPORT_WRITE_FAILED:
        // The file could be made but not written whole; an older file of that name stays.
        ShowFormatted(LoadString(IDS_CANNOT_SAVE_FILE), path);
        break;
    case ImportExportEngine::EXPORT_NOT_SUPPORTED:
        AfxMessageBox(ImportExportEngine::kExportNotSupported, MB_OK);
        break;
    case ImportExportEngine::EXPORT_CANCELLED:
        break;
    }
}

void ExchangeCommands::Import() {
    const Chosen chosen = Choose(CExchangeFileDlg::IMPORT);
    if (!chosen.engine)
        return;
    const CString& path = chosen.path;
    CString log;
    ImportExportEngine::ImportResult result;
    {
        CWaitCursor wait;
        // A long import shows how far it is and may be cancelled; a short one shows
        // only the wait cursor (the dialog appears after half a second).
        std::unique_ptr<CProgressSinkDlg> shown;
        ProgressSink* progress = m_progress;
        if (!progress) {
            shown = std::make_unique<CProgressSinkDlg>(AfxGetMainWnd());
            shown->SetTitle(ModalRunner::DefaultCaption());
            shown->SetText(path);
            shown->SetCancelAvailable(true);
            CProgressDlg::StartProgress(shown.get());
            progress = shown.get();
        }
        result = chosen.engine->Import(m_doc, path, chosen.replaceExisting, log, progress);
    }
    switch (result) {
    case ImportExportEngine::IMPORT_CANNOT_PARSE:
        ShowFormatted(ImportExportEngine::kCannotParseFile, path);
        return;
    case ImportExportEngine::IMPORT_LIST_NOT_LOADED:
        // The list reader has told the user.
        return;
    case ImportExportEngine::IMPORT_DONE:
    case ImportExportEngine::IMPORT_CANCELLED:
        break;
    }
    if (!log.IsEmpty()) {
        CImportResultsDlg results(log);
        results.DoModal();
    } else if (result == ImportExportEngine::IMPORT_DONE) {
        AfxMessageBox(ImportExportEngine::kImportSuccessful, MB_OK);
    }
}

void ExchangeCommands::ManageTemplates() {
    TemplateList templates;
    TheRegistry().GetTemplates(templates);
    CManageTemplatesDlg dialog(templates);
    dialog.DoModal();
}

void ExchangeCommands::ExtendedSave() {
    CExtendedSaveDlg dialog(m_doc.GetCategories(), m_doc.GetLocations());
    if (dialog.DoModal() != IDOK)
        return;
    // The lines are shared with the list, not copied.
    rep::vector<Purchase*> matching;
    FilterExtendedSave(dialog.GetFilter(), m_doc.GetPurchases(), matching);
    if (matching.empty()) {
        AfxMessageBox(kNothingMatches, MB_OK);
        return;
    }
    CFileDialog save(FALSE, u"lsr", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, CListoraDoc::kListFilter);
    if (save.DoModal() != IDOK)
        return;
    std::u16string path = save.GetPathName().str();
    if (!ListSaver::TargetFor(path))
        return;
    if (!ListSaver::Write(path, matching))
        ShowFormatted(LoadString(IDS_CANNOT_SAVE_FILE), path.c_str());
}
