#include "StoredItems.h"

#include "CWaitCursor.h"
#include "Catalogue.h"
#include "LRRegistry.h"
#include "MergeItems.h"
#include "NameList.h"
#include "System/Diagnostics/Trace.h"
#include "ListCapacity.h"
#include "ListoraStrings.h"
#include "StringTable.h"
#include "dlgs/CProgressSinkDlg.h"

using Diagnostics::Trace;

bool StoredItems::Read(LRRegistry& registry, rep::vector<Item*>& items) {
    // The worker fills a list of its own: while the dialog shows, views may paint from
    // the document's lists on this thread.
    rep::vector<Item*> read;
    bool ok = false;
    FinishSaving(registry);  // here, not on the worker
    {
        CProgressSinkDlg progress;
        progress.SetTitle(LoadString(IDS_APP_NAME));
        progress.SetText(u"Loading items...");
        CProgressDlg::StartProgress(&progress, [&] { ok = registry.GetItems(read, &progress); });
    }
    MakeRoom(items, read.size());
    for (Item* item : read)
        items.push_back(item);
    return ok;
}

void StoredItems::FinishSaving(LRRegistry& registry) {
    if (!registry.IsSavingItems())
        return;
    CWaitCursor wait;
    registry.FinishSavingItems();
}

void StoredItems::ReadInto(LRRegistry& registry, Catalogue& catalogue) {
    if (catalogue.Items().empty()) {
        Read(registry, catalogue.Edit());
        catalogue.Changed();
        return;
    }
    rep::vector<Item*> stored;
    if (!Read(registry, stored)) {
        rep::delete_objects(stored);
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot read items from LRRegistry!");
        return;
    }
    MergeItems(catalogue.Edit(), stored, MERGE_TAMRA_OB);
    catalogue.SortedAscending();
}

void StoredItems::ReadNames(LRRegistry& registry, rep::vector<TCHAR*>& categories, rep::vector<TCHAR*>& locations,
                            rep::vector<TCHAR*>& units) {
    if (!registry.GetCategories(categories))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetCategories fails!");
    if (!registry.GetLocations(locations))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetLocations fails!");
    if (!registry.GetUnits(units))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetUnits fails!");
    RemoveDuplicates(categories);
    RemoveDuplicates(locations);
    RemoveDuplicates(units);
}
