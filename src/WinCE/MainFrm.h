// The main frame: the one top-level window. It owns the command bar with the menu bar
// and the tool buttons, and shows the document's category and location restrictions
// as two submenus of "&List" and as the Select Category pop-up menu.
#pragma once
#include "CCommandBar.h"
#include "CFrameWnd.h"
#include "UiTypes.h"
#include "listoradoc.h"

#include <array>
#include <memory>

class CMenu;

namespace MainFrame {
constexpr UINT IDR_MAINFRAME = 178;       // menu bar and tool bar
constexpr UINT IDB_TOOLBAR = 178;         // the tool buttons' image strip (16 x 15 each)
constexpr UINT IDW_COMMAND_BAR = 59392;

// Menu and tool-button commands.
constexpr UINT ID_FILE_EXTENDED_SAVE = 32812;
constexpr UINT ID_FILE_SEND_AS_TEXT = 32813;
constexpr UINT ID_FILE_DELETE_UNUSED = 32811;
constexpr UINT ID_FILE_EXPORT = 32801;
constexpr UINT ID_FILE_IMPORT = 32802;
constexpr UINT ID_FILE_TEMPLATES = 32803;
constexpr UINT ID_SELECT_BACKGROUND = 32786;
constexpr UINT ID_VIEW_OPTIONS = 32794;
constexpr UINT ID_CLEAR_LIST = 32781;
constexpr UINT ID_REMOVE_PURCHASED = 32782;
constexpr UINT ID_ITEM_MANAGER = 32785;
constexpr UINT ID_FULL_SCREEN = 32797;
constexpr UINT ID_SET_TAX_RATES = 32784;
constexpr UINT ID_SELECT_CATEGORY = 32787;
constexpr UINT ID_CHOOSE_ITEMS = 32779;
constexpr UINT ID_PREV_PAGE = 32790;
constexpr UINT ID_NEXT_PAGE = 32791;
constexpr UINT ID_ADD_ITEM = 32780;

constexpr UINT ID_CATEGORY_ALL = 34000;   // 34001 + i: category i
constexpr UINT ID_CATEGORY_LAST = 34100;
constexpr UINT ID_LOCATION_ALL = 36000;   // 36001 + i: location i
constexpr UINT ID_LOCATION_LAST = 36200;

constexpr const char16_t* kListMenu = u"&List";
constexpr const char16_t* kLocationMenu = u"Location Restriction";
constexpr const char16_t* kCategoryMenu = u"Categories Restriction";
constexpr const char16_t* kAllLocations = u"All Locations";
constexpr const char16_t* kAllCategories = u"All Categories";

// The tool buttons, left to right.
constexpr std::array<UINT, 5> kToolButtons = {ID_SELECT_CATEGORY, ID_CHOOSE_ITEMS, ID_PREV_PAGE, ID_NEXT_PAGE,
                                              ID_ADD_ITEM};
}  // namespace MainFrame

class CMainFrame : public CFrameWnd, public IListoraFrame {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL DestroyWindow() override;

    // Shows (true) or hides (false) the command bar.
    void ShowCommandBar(BOOL show) override;
    BOOL IsCommandBarVisible() const;
    // Rebuilds both restriction submenus from doc, or from the active document.
    void RebuildRestrictionMenus(CListoraDoc* doc = nullptr) override;
    // Checks the entry of one restriction submenu whose text is restriction (null:
    // the "All ..." entry) and unchecks every other; the submenu is not rebuilt.
    void MarkLocationRestriction(LPCTSTR restriction) override;
    void MarkCategoryRestriction(LPCTSTR restriction) override;

    CCommandBar& GetCommandBar() { return m_wndCommandBar; }
    // The "&List" menu's submenu with that text; null when there is none.
    CMenu* FindRestrictionMenu(LPCTSTR text) const;

    // The menu bar and the tool bar of resource 178.
    static void RegisterResources();

    // Select Category: the category pop-up menu, opening upwards from the command bar.
    void OnSelectCategory();

    // A command may need the catalogue that start-up put off: it is read first.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    int OnCreate(CCreateContext* context) override;

private:
    void LoadToolTips();
    void FreeToolTips();
    static void MarkRestriction(CMenu* menu, LPCTSTR text);

    CCommandBar m_wndCommandBar;
    // Tool-tip texts of the command bar (string-table texts, at most 255 characters).
    std::array<std::unique_ptr<TCHAR[]>, 8> m_toolTips;
    int m_state = 0;
};

// The position of the first entry of menu whose text is exactly text; -1 when none.
int FindMenuItem(CMenu* menu, LPCTSTR text);
