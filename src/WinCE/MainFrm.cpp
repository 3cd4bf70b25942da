#include "MainFrm.h"

#include "CMenu.h"
#include "MenuTemplate.h"
#include "Resources.h"
#include "ListoraStrings.h"
#include "ToolBarTemplate.h"
#include "listoradoc.h"

#include "System/Diagnostics/Trace.h"

#include <algorithm>

using namespace MainFrame;
using Diagnostics::Trace;

namespace {
constexpr const TCHAR* kSourceFile = u"MainFrm.cpp";
// Menu texts are read into buffers of this size, as the device reads them.
constexpr int kMenuTextMax = 256;
constexpr int kToolTipMax = 255;

bool SameText(const TCHAR* a, const TCHAR* b) {
    return std::u16string_view(a ? a : u"") == std::u16string_view(b ? b : u"");
}

// A name as a menu entry's text: "&" would mark the next letter as the entry's key
// ("Household & Cleaning Items" would lose its "&"), so it is doubled.
std::u16string MenuText(const TCHAR* name) {
    std::u16string text;
    for (const TCHAR* p = name ? name : u""; *p; ++p) {
        text += *p;
        if (*p == u'&')
            text += u'&';
    }
    return text;
}

// Rebuilds one restriction submenu: the "All ..." entry, a separator when there are
// names, then one entry per name with its index in the id.
void FillRestrictionMenu(CMenu& menu, UINT allId, const TCHAR* allText, const rep::vector<TCHAR*>& names,
                         UINT lastId, const TCHAR* restriction) {
    while (menu.GetMenuItemCount() > 0)
        menu.DeleteMenu(0, MF_BYPOSITION);
    menu.AppendMenu(MF_STRING | (restriction ? MF_UNCHECKED : MF_CHECKED), allId, allText);
    if (names.size() > 0)
        menu.AppendMenu(MF_SEPARATOR);
    // Ids past the range would reach no handler: the menu stops there.
    for (DWORD i = 0; i < names.size() && allId + 1 + i <= lastId; ++i) {
        const TCHAR* name = names[i];
        const bool checked = restriction && SameText(name, restriction);
        menu.AppendMenu(MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), allId + 1 + i, MenuText(name).c_str());
    }
}
}  // namespace

int FindMenuItem(CMenu* menu, LPCTSTR text) {
    if (!menu)
        return -1;
    TCHAR buffer[kMenuTextMax];
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        buffer[0] = 0;
        menu->GetMenuString(static_cast<UINT>(i), buffer, kMenuTextMax, MF_BYPOSITION);
        if (SameText(buffer, text))
            return i;
    }
    return -1;
}

CMainFrame::CMainFrame() {
    MapCommand(ID_SELECT_CATEGORY, &CMainFrame::OnSelectCategory);
}

CMainFrame::~CMainFrame() {
    FreeToolTips();
}

void CMainFrame::RegisterResources() {
    using M = MenuTemplateItem;
    MenuTemplate::Register(
        IDR_MAINFRAME,
        {M::Popup(u"&File", {M::Item(u"&New\tCtrl+N", ID_FILE_NEW),
                             M::Item(u"&Open...\tCtrl+O", ID_FILE_OPEN),
                             M::Item(u"Save As ...", ID_FILE_SAVE_AS),
                             M::Item(u"Send as Text", ID_FILE_SEND_AS_TEXT),
                             M::Item(u"Extended save ...", ID_FILE_EXTENDED_SAVE),
                             M::Item(u"Delete Unused Lists", ID_FILE_DELETE_UNUSED),
                             M::Separator(),
                             M::Item(u"Export", ID_FILE_EXPORT),
                             M::Item(u"Import", ID_FILE_IMPORT),
                             M::Item(u"Manage Templates", ID_FILE_TEMPLATES),
                             M::Separator(),
                             M::Item(u"Select &Background", ID_SELECT_BACKGROUND),
                             M::Item(u"Options", ID_VIEW_OPTIONS),
                             M::Separator(),
                             M::Item(u"Help", ID_HELP),
                             M::Item(u"&About Listora...", ID_APP_ABOUT),
                             M::Separator(),
                             M::Item(u"E&xit", ID_APP_EXIT)}),
         M::Popup(kListMenu,
                  {M::Popup(kLocationMenu, {M::Item(kAllLocations, ID_LOCATION_ALL), M::Separator()}),
                   M::Popup(kCategoryMenu, {M::Item(kAllCategories, ID_CATEGORY_ALL), M::Separator()}),
                   M::Separator(),
                   M::Item(u"Cl&ear List", ID_CLEAR_LIST),
                   M::Item(u"&Remove Purchased Items", ID_REMOVE_PURCHASED),
                   M::Separator(),
                   M::Item(u"&Item Manager", ID_ITEM_MANAGER),
                   M::Separator(),
                   M::Item(u"Full Screen", ID_FULL_SCREEN),
                   M::Separator(),
                   M::Item(u"Set Tax Rates", ID_SET_TAX_RATES)})});
    ToolBarTemplate toolBar;
    toolBar.bitmapId = IDB_TOOLBAR;
    toolBar.buttonWidth = 16;
    toolBar.buttonHeight = 15;
    toolBar.buttons.assign(kToolButtons.begin(), kToolButtons.end());
    ToolBarTemplate::Register(IDR_MAINFRAME, std::move(toolBar));
}

int CMainFrame::OnCreate(CCreateContext* context) {
    if (CFrameWnd::OnCreate(context) == -1)
        return -1;
    m_state = 0;
    if (!m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE, IDW_COMMAND_BAR))
        return -1;
    if (!m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME) || !m_wndCommandBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    m_wndCommandBar.SetButtonStyle(m_wndCommandBar.CommandToIndex(ID_CHOOSE_ITEMS), TBBS_CHECKBOX);
    LoadToolTips();
    if (QWidget* window = GetWidget()) {
        const QIcon icon = Resources::LoadIcon(128);
        if (!icon.isNull())
            window->setWindowIcon(icon);
    }
    // Hidden until start-up has opened a list.
    ShowCommandBar(FALSE);
    return 0;
}

BOOL CMainFrame::DestroyWindow() {
    FreeToolTips();
    return CFrameWnd::DestroyWindow();
}

void CMainFrame::LoadToolTips() {
    std::size_t slot = 0;
    for (UINT id : kToolButtons) {
        if (slot >= m_toolTips.size())
            break;
        CString texts = LoadString(id);
        const int nl = texts.Find(u'\n');
        CString tip = nl < 0 ? texts : texts.Mid(nl + 1);
        const int length = std::min(tip.GetLength(), kToolTipMax - 1);
        auto copy = std::make_unique<TCHAR[]>(static_cast<std::size_t>(length) + 1);
        std::copy_n(tip.GetString(), length, copy.get());
        copy[static_cast<std::size_t>(length)] = 0;
        m_toolTips[slot++] = std::move(copy);
    }
}

void CMainFrame::FreeToolTips() {
    for (auto& tip : m_toolTips)
        tip.reset();
}

void CMainFrame::ShowCommandBar(BOOL show) {
    if (QWidget* bar = m_wndCommandBar.GetWidget())
        bar->setVisible(show != FALSE);
}

BOOL CMainFrame::IsCommandBarVisible() const {
    const QWidget* bar = m_wndCommandBar.GetWidget();
    return bar && !bar->isHidden();
}

CMenu* CMainFrame::FindRestrictionMenu(LPCTSTR text) const {
    CMenu* bar = GetMenu();
    const int listPos = FindMenuItem(bar, kListMenu);
    if (listPos < 0)
        return nullptr;
    CMenu* list = bar->GetSubMenu(listPos);
    const int pos = FindMenuItem(list, text);
    return pos < 0 ? nullptr : list->GetSubMenu(pos);
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (nCode == CN_COMMAND)
        if (auto* doc = dynamic_cast<CListoraDoc*>(GetActiveDocument()))
            doc->EnsureCatalogue();
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::RebuildRestrictionMenus(CListoraDoc* doc) {
    if (!doc)
        doc = dynamic_cast<CListoraDoc*>(const_cast<CMainFrame*>(this)->GetActiveDocument());
    if (!doc)
        return;
    if (CMenu* locations = FindRestrictionMenu(kLocationMenu))
        FillRestrictionMenu(*locations, ID_LOCATION_ALL, kAllLocations, doc->GetLocations(), ID_LOCATION_LAST,
                            doc->GetLocationRestriction());
    if (CMenu* categories = FindRestrictionMenu(kCategoryMenu))
        FillRestrictionMenu(*categories, ID_CATEGORY_ALL, kAllCategories, doc->GetCategories(), ID_CATEGORY_LAST,
                            doc->GetCategoryRestriction());
}

void CMainFrame::MarkRestriction(CMenu* menu, LPCTSTR text) {
    if (!menu)
        return;
    const std::u16string wanted = MenuText(text);
    TCHAR buffer[kMenuTextMax];
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        buffer[0] = 0;
        menu->GetMenuString(static_cast<UINT>(i), buffer, kMenuTextMax, MF_BYPOSITION);
        const bool same = SameText(buffer, wanted.c_str());
        menu->CheckMenuItem(static_cast<UINT>(i), MF_BYPOSITION | (same ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CMainFrame::MarkLocationRestriction(LPCTSTR restriction) {
    MarkRestriction(FindRestrictionMenu(kLocationMenu), restriction ? restriction : kAllLocations);
}

void CMainFrame::MarkCategoryRestriction(LPCTSTR restriction) {
    MarkRestriction(FindRestrictionMenu(kCategoryMenu), restriction ? restriction : kAllCategories);
}

void CMainFrame::OnSelectCategory() {
    CMenu menu;
    if (!menu.CreatePopupMenu()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot create menu!", kSourceFile, __LINE__);
        return;
    }
    auto* doc = dynamic_cast<CListoraDoc*>(GetActiveDocument());
    if (!doc)
        return;
    FillRestrictionMenu(menu, ID_CATEGORY_ALL, kAllCategories, doc->GetCategories(), ID_CATEGORY_LAST,
                        doc->GetCategoryRestriction());
    // The menu opens upwards from the top of the command bar.
    CRect rect;
    m_wndCommandBar.GetWindowRect(&rect);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_BOTTOMALIGN, rect.left, rect.top, this);
}
