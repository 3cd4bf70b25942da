// Where a conversion imports to: a list of its own, nothing else. The catalogue and its
// name lists stay as they are (a conversion is file to file), so the catalogue and
// name-list operations of an import change nothing here.
#pragma once
#include "ExactNameIndex.h"
#include "IImportTarget.h"

class ConvertTarget : public IImportTarget {
public:
    // The purchases are the caller's list; categories are the known category names.
    ConvertTarget(rep::vector<Purchase*>& purchases, const rep::vector<TCHAR*>& categories,
                  const rep::vector<TCHAR*>& locations)
        : m_purchases(purchases), m_categories(categories), m_locations(locations) {}

    void BeginImport() override {}
    void EndImport() override;
    bool AddLocation(LPCTSTR) override { return false; }
    bool AddUnit(LPCTSTR) override { return false; }
    bool AddCategory(LPCTSTR) override { return false; }
    const rep::vector<TCHAR*>& GetCategories() const override { return m_categories; }
    bool AddCatalogueItem(Item*, bool) override { return false; }
    Purchase* FindPurchase(LPCTSTR name) override;
    void RemovePurchase(Purchase* purchase) override;
    void AddPurchase(Purchase* purchase) override;
    // A list file of the kinds the program opens, its lines added to the list.
    bool LoadList(LPCTSTR path, bool onDevice, bool asDocument) override;

private:
    rep::vector<Purchase*>& m_purchases;
    const rep::vector<TCHAR*>& m_categories;
    const rep::vector<TCHAR*>& m_locations;
    ExactNameIndex<Purchase> m_index;
};
