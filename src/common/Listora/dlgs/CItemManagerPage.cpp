#include "CItemManagerPage.h"

#include "AddButtonField.h"
#include "AfxMessageBox.h"
#include "CNewItemDlg.h"
#include "DialogTemplate.h"
#include "Item.h"
#include "LRRegistry.h"
#include "ListoraStrings.h"
#include "StoredItems.h"
#include "WideString.h"
#include "listoradoc.h"

#include "System/Diagnostics/Trace.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

using Diagnostics::Trace;

namespace {
bool NameBefore(const Item* a, const Item* b) {
    return CompareNoCase(a->Name(), b->Name()) < 0;
}
}  // namespace

void CItemManagerPage::RegisterTemplate() {
    using K = DlgItemKind;
    // Laid out for the 240-pixel-wide screen; the name and the list follow the
    // window's edges.
    DialogTemplate::Register(IDD, DialogTemplate{u"Item Manager",
                                                 240,
                                                 250,
                                                 {{K::Static, IDC_STATIC, u"Name:", 4, 7, 40, 18},
                                                  {K::Edit, IDC_NAME, u"", 46, 4, 190, 24},
                                                  {K::PushButton, IDC_ADD, u"Add", 4, 34, 68, 26},
                                                  {K::PushButton, IDC_EDIT, u"Edit", 78, 34, 68, 26},
                                                  {K::PushButton, IDC_DELETE, u"Delete", 152, 34, 68, 26},
                                                  {K::ListCtrl, IDC_ITEMS, u"", 4, 66, 232, 180}}});
}

UINT CItemManagerPage::Registered() {
    // The page takes its caption from the table, so it is registered before the page
    // is made.
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    return IDD;
}

CItemManagerPage::CItemManagerPage(CListoraDoc& doc) : CScrollPropertyPage(Registered()), m_doc(doc) {
    m_bNoHorizontalScrolling = TRUE;
    MapCommand(IDC_ADD, [this] { OnAdd(); });
    MapCommand(IDC_EDIT, [this] { OnEdit(); });
    MapCommand(IDC_DELETE, [this] { OnDelete(); });
}

CItemManagerPage::~CItemManagerPage() {
    // The controls go before the fields their signals reach.
    DestroyWindow();
}

BOOL CItemManagerPage::OnInitDialog() {
    CScrollPropertyPage::OnInitDialog();
    m_anchors.Add(GetDlgItem(IDC_NAME), CControlAnchors::kGrowWidth);
    m_anchors.Add(GetDlgItem(IDC_ITEMS), CControlAnchors::kGrowWidth | CControlAnchors::kGrowHeight);
    m_list.Attach(GetDlgItem(IDC_ITEMS));
    QTreeWidget* tree = m_list.GetWidget();
    m_list.InsertColumn(0, u"", LVCFMT_LEFT, 200);
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    FillList();
    EnableItemButtons(false);
    AddButtonField::Attach(*this, IDC_NAME, IDC_ADD);

    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [this](QTreeWidgetItem* current) {
        if (current)
            EnableItemButtons(true);
    });
    return TRUE;
}

void CItemManagerPage::FillList() {
    const rep::vector<Item*>& items = m_doc.GetItems();
    m_sorted.assign(items.begin(), items.end());
    std::sort(m_sorted.begin(), m_sorted.end(), NameBefore);
    QTreeWidget* tree = m_list.GetWidget();
    const QSignalBlocker block(tree);
    m_list.DeleteAllItems();
    // Row i shows m_sorted[i]: an item whose row cannot be made is left out of both.
    std::vector<Item*> shown;
    shown.reserve(m_sorted.size());
    for (Item* item : m_sorted) {
        const int row = m_list.InsertItem(static_cast<int>(shown.size()), item->GetName());
        if (row < 0) {
            Trace::WriteLine(u"Cannot insert item!");
            continue;
        }
        m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(item));
        shown.push_back(item);
    }
    m_sorted = std::move(shown);
}

Item* CItemManagerPage::TappedItem(int& row) const {
    row = m_list.GetSelectionMark();
    return row < 0 ? nullptr : reinterpret_cast<Item*>(m_list.GetItemData(row));
}

void CItemManagerPage::EnableItemButtons(bool enable) {
    for (int id : {IDC_EDIT, IDC_DELETE})
        if (QWidget* button = GetDlgItem(id))
            button->setEnabled(enable);
}

void CItemManagerPage::OnAdd() {
    const CString name = GetDlgItemText(IDC_NAME);
    if (name.IsEmpty())
        return;
    auto item = std::make_unique<Item>(name);
    const auto place = std::lower_bound(m_sorted.begin(), m_sorted.end(), item.get(), NameBefore);
    if ((place != m_sorted.end() && EqualsNoCase((*place)->Name(), item->Name())) ||
        !m_doc.AddCatalogueItem(item.get(), false)) {
        AfxMessageBox(IDS_ITEM_EXISTS, MB_OK);
        return;
    }
    Item* added = item.release();
    // The new row goes to its place in the sorted list, as a refill would put it.
    const int row = static_cast<int>(place - m_sorted.begin());
    m_sorted.insert(place, added);
    {
        const QSignalBlocker block(m_list.GetWidget());
        m_list.InsertItem(row, added->GetName());
        m_list.SetItemData(row, reinterpret_cast<DWORD_PTR>(added));
    }
    SetDlgItemText(IDC_NAME, u"");
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
}

void CItemManagerPage::OnEdit() {
    int row = -1;
    Item* item = TappedItem(row);
    if (!item)
        return;
    CNewItemDlg dialog(m_doc, item, this);
    if (dialog.DoModal() == IDOK) {
        StoredItems::FinishSaving(TheRegistry());
        TheRegistry().AddItem(*item);
    }
}

void CItemManagerPage::OnDelete() {
    int row = -1;
    Item* item = TappedItem(row);
    if (!item || AfxMessageBox(IDS_DELETE_ITEM_SURE, MB_YESNO) != IDYES)
        return;
    const rep::vector<Purchase*>& purchases = m_doc.GetPurchases();
    if (std::any_of(purchases.begin(), purchases.end(),
                    [item](const Purchase* line) { return EqualsNoCase(line->Name(), item->Name()); })) {
        AfxMessageBox(IDS_ITEM_HAS_PURCHASE, MB_OK);
        return;
    }
    const DWORD before = m_doc.GetItems().size();
    m_doc.RemoveCatalogueItem(item);
    // The store may refuse: then the item stays, and so does its row.
    if (m_doc.GetItems().size() == before)
        return;
    m_sorted.erase(m_sorted.begin() + row);
    {
        const QSignalBlocker block(m_list.GetWidget());
        m_list.DeleteItem(row);
        m_list.GetWidget()->setCurrentItem(nullptr);
    }
    EnableItemButtons(false);
}
