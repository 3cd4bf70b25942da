#include "CategoryCheckList.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <QHeaderView>
#include <QTreeWidget>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;
constexpr int kColumnWidth = 600;
constexpr int kRowHeight = 22;
}  // namespace

bool CategoryCheckList::Fill(CListCtrl& list, const rep::vector<TCHAR*>& categories,
                             const std::function<bool(const TCHAR*)>& checked) {
    if (list.InsertColumn(0, u"", LVCFMT_LEFT, kColumnWidth) < 0) {
        Trace::WriteFormattedLine(u"%s(%d) : Cannot insert column", kSourceFile, __LINE__);
        return false;
    }
    QTreeWidget* tree = list.GetWidget();
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (DWORD i = 0; i < categories.size(); ++i) {
        const int row = static_cast<int>(i);
        const TCHAR* category = categories[i] ? categories[i] : u"";
        if (list.InsertItem(row, category) < 0) {
            Trace::WriteLine(u"Cannot insert categories!");
            return false;
        }
        if (checked(category))
            list.SetCheck(row, TRUE);
        tree->topLevelItem(row)->setSizeHint(0, QSize(0, kRowHeight));
    }
    return true;
}

void CategoryCheckList::GetChecked(const CListCtrl& list, rep::vector<TCHAR*>& result) {
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetCheck(row))
            result.push_back(Util::tcsdup(list.GetItemText(row, 0)));
}
