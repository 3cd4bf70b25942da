#include "ConvertTarget.h"

#include "ColumnKind.h"
#include "ListFile.h"
#include "OwnedList.h"
#include "PurchaseOrder.h"

void ConvertTarget::EndImport() {
    // As the program leaves an imported list: by name, ignoring case.
    PurchaseOrder(KindName, 0).Sort(m_purchases);
    m_index.Invalidate();
}

Purchase* ConvertTarget::FindPurchase(LPCTSTR name) {
    return m_index.Find(name ? name : u"", m_purchases);
}

void ConvertTarget::RemovePurchase(Purchase* purchase) {
    for (DWORD i = 0; i < m_purchases.size(); ++i)
        if (m_purchases[i] == purchase) {
            m_purchases.erase(i);
            m_index.Remove(purchase, m_purchases);
            delete purchase;
            return;
        }
}

void ConvertTarget::AddPurchase(Purchase* purchase) {
    m_purchases.push_back(purchase);
    m_index.Add(purchase);
}

bool ConvertTarget::LoadList(LPCTSTR path, bool, bool) {
    OwnedList<Item> items;
    ListFile file;
    const bool loaded = file.Load(path, m_purchases, items, m_locations) == LR_OK;
    m_index.Invalidate();
    return loaded;
}
