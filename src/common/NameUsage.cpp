#include "NameUsage.h"

#include "LRRegistry.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <algorithm>
#include <memory>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;
}  // namespace

bool NameUsage::UsedBy(const Item& item) const {
    switch (m_kind) {
    case Category: return item.HasCategory(m_name);
    case Location: return item.HasLocation() && EqualsNoCase(item.GetLocation(), m_name);
    case Unit: return EqualsNoCase(item.Unit(), m_name);
    }
    return false;
}

bool NameUsage::RemoveFrom(Item& item) const {
    switch (m_kind) {
    case Category: {
        bool removed = false;
        while (item.RemoveCategory(m_name))
            removed = true;
        return removed;
    }
    case Location: return item.ClearLocation(m_name);
    case Unit: return item.ClearUnit(m_name);
    }
    return false;
}

bool NameUsage::IsUsed(const rep::vector<Item*>& items, const rep::vector<Purchase*>& purchases) const {
    return std::any_of(items.begin(), items.end(), [this](const Item* item) { return UsedBy(*item); }) ||
           std::any_of(purchases.begin(), purchases.end(), [this](const Purchase* line) { return UsedBy(*line); });
}

bool NameUsage::RemoveFromAll(rep::vector<Item*>& items, rep::vector<Purchase*>& purchases) const {
    rep::vector<Item*> changed;
    for (Item* item : items)
        if (RemoveFrom(*item))
            changed.push_back(item);
    if (!changed.empty()) {
        std::unique_ptr<IRegistryKey> itemsKey(TheRegistry().OpenItemsKey());
        if (!itemsKey)
            Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot open items key!", kSourceFile, __LINE__);
        else
            for (const Item* item : changed)
                LRRegistry::SaveItem(*itemsKey, *item);
    }
    bool lineChanged = false;
    for (Purchase* line : purchases)
        lineChanged = RemoveFrom(*line) || lineChanged;
    return lineChanged;
}
