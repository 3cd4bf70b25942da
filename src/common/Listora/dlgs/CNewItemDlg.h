// The item dialog ("New Item") of the Item Manager: name, price, unit, taxable flag,
// location and the categories (a check box each) of one catalogue item. Opened for an
// item it shows the item (its name cannot change); opened for none it makes a new item
// on OK. OK writes the fields into the item; storing it is the caller's.
#pragma once
#include "CListCtrl.h"
#include "CScrollDialog.h"

#include <memory>

class CListoraDoc;
class Item;

class CNewItemDlg : public CScrollDialog {
public:
    static constexpr UINT IDD = 185;
    // Controls of resource 185.
    static constexpr int IDC_NAME = 1003;
    static constexpr int IDC_PRICE = 1004;
    static constexpr int IDC_LOCATION = 1005;
    static constexpr int IDC_UNIT = 1007;
    static constexpr int IDC_TAXABLE = 1008;
    static constexpr int IDC_CATEGORIES = 1002;

    // The location box's entry for "no location".
    static constexpr const TCHAR* kNone = u"<none>";
    // The price box's choices.
    static constexpr const TCHAR* kPriceChoices[] = {
        u"0",    u"0.25", u"0.50", u"0.99", u"1.00", u"1.25",  u"1.50",  u"1.99",  u"2.00",  u"2.25",
        u"2.50", u"2.99", u"3.00", u"4.00", u"5.00", u"10.00", u"20.00", u"50.00", u"100.00", u"500.00"};

    // item: the catalogue item to edit (null: a new one). The document gives the
    // category, location and unit lists and must outlive the dialog.
    CNewItemDlg(const CListoraDoc& doc, Item* item, CWnd* parent = nullptr);
    ~CNewItemDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After OK: the item written. A new item stays the dialog's until TakeNewItem.
    Item* GetItem() const { return m_pItem; }
    std::unique_ptr<Item> TakeNewItem() { return std::move(m_pNewItem); }

    // The control table of resource 185.
    static void RegisterTemplate();

private:
    bool FillCategories();
    void FillCombos();
    // The name decides whether the other fields (and OK) can be used.
    void OnNameChanged();
    bool HasName() const;

    const CListoraDoc& m_doc;
    Item* m_pItem;
    std::unique_ptr<Item> m_pNewItem;
    CListCtrl m_categories;
};
