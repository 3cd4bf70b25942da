// The document's exchange commands: Export, Import and Manage Templates move lines
// between the list and delimited files through import/export templates
// (ImportExportEngine); Extended Save writes the lines a filter keeps to a list file
// of their own. Each command reads the templates from the store afresh, runs its
// dialogs and tells the user the outcome; the document itself is the import's target.
#pragma once
#include "ProgressSink.h"

class CListoraDoc;

class ExchangeCommands {
public:
    static constexpr const TCHAR* kNothingMatches = u"There are no items that match to your criteria!";

    // progress: where a long import or export reports its steps and asks whether to
    // stop (null: it runs to its end under the wait cursor).
    explicit ExchangeCommands(CListoraDoc& doc, ProgressSink* progress = nullptr)
        : m_doc(doc), m_progress(progress) {}

    void Export();
    void Import();
    void ManageTemplates();
    void ExtendedSave();

private:
    CListoraDoc& m_doc;
    ProgressSink* m_progress;
};
