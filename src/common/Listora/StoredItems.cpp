#include "StoredItems.h"

#include "LRRegistry.h"
#include "ListCapacity.h"
#include "ListoraStrings.h"
#include "StringTable.h"
#include "dlgs/CProgressSinkDlg.h"

bool StoredItems::Read(LRRegistry& registry, rep::vector<Item*>& items) {
    // The worker fills a list of its own: while the dialog shows, views may paint from
    // the document's lists on this thread.
    rep::vector<Item*> read;
    bool ok = false;
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
