// A menu (a menu bar or a pop-up) over Qt's QMenuBar / QMenu. Entries are QActions
// whose data is the command id. Positions count every entry, separators included.
// Choosing an entry of a menu that lives in a window sends its command to that
// window; pop-up menus report their choice through TrackPopupMenu.
#pragma once
#include "CRect.h"
#include "UiTypes.h"

#include <QPointer>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QWidget;
class CWnd;
struct MenuTemplateItem;

class CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL CreatePopupMenu();
    BOOL CreateMenu();
    // Builds a menu bar from the registered menu resource.
    BOOL LoadMenu(UINT resourceId);
    BOOL DestroyMenu();
    // Wraps an existing Qt menu bar or menu without owning it.
    BOOL Attach(QWidget* menu);
    QWidget* Detach();

    QWidget* GetWidget() const { return m_menu.data(); }
    QMenu* GetQMenu() const;

    int GetMenuItemCount() const;
    // The command id at a position; 0 for a separator, (UINT)-1 for a submenu.
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT idOrPosition, CString& text, UINT flags) const;
    int GetMenuString(UINT idOrPosition, LPTSTR buffer, int maxCount, UINT flags) const;
    CMenu* GetSubMenu(int position);

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCTSTR text = nullptr);
    // Removes an entry (a submenu is destroyed with it).
    BOOL DeleteMenu(UINT idOrPosition, UINT flags);
    BOOL RemoveMenu(UINT idOrPosition, UINT flags);
    // Return the previous state (MF_CHECKED / MF_GRAYED...), (UINT)-1 when the
    // entry does not exist.
    UINT CheckMenuItem(UINT idOrPosition, UINT flags);
    UINT EnableMenuItem(UINT idOrPosition, UINT flags);
    UINT GetMenuState(UINT idOrPosition, UINT flags) const;

    // Shows a pop-up menu at (x, y) in screen coordinates, aligned by the TPM_
    // flags (TPM_BOTTOMALIGN puts its bottom edge at y). With TPM_RETURNCMD the
    // chosen id is returned (0: none); otherwise the command is sent to owner and
    // the result tells whether something was chosen. A frame owner first runs the
    // update handlers of the entries.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

    // The entry at a position (MF_BYPOSITION) or with a command id, searched
    // through submenus (MF_BYCOMMAND).
    QAction* GetAction(UINT idOrPosition, UINT flags) const;
    // The entry whose text is exactly text, or null.
    QAction* FindActionByText(const CString& text) const;

private:
    QAction* NewItem(UINT flags, UINT_PTR id, LPCTSTR text);
    void AddFromTemplate(QWidget* menu, const std::vector<MenuTemplateItem>& items);
    QWidget* OwnerOf(QAction* action, QWidget** menuWidget) const;

    QPointer<QWidget> m_menu;
    bool m_owned = false;
    std::map<const QWidget*, std::unique_ptr<CMenu>> m_subMenus;
};
