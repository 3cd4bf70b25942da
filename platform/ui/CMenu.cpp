#include "CMenu.h"

#include "CFrameWnd.h"
#include "CWnd.h"
#include "MenuTemplate.h"
#include "ModalRunner.h"
#include "QtText.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProxyStyle>
#include <QMenuBar>
#include <QSignalBlocker>
#include <algorithm>

namespace {
// The window a menu belongs to: the nearest CWnd among its ancestors, preferring
// the frame that holds it.
CWnd* OwnerWindow(QObject* object) {
    for (QObject* o = object; o; o = o->parent()) {
        auto* widget = qobject_cast<QWidget*>(o);
        if (!widget)
            continue;
        if (CWnd* wnd = CWnd::FromWidget(widget)) {
            if (dynamic_cast<CFrameWnd*>(wnd))
                return wnd;
            if (CFrameWnd* frame = wnd->GetParentFrame())
                return frame;
            return wnd;
        }
    }
    return nullptr;
}

UINT ActionId(const QAction* action) {
    return action ? action->data().toUInt() : 0;
}

QAction* FindById(const QWidget* menu, UINT id) {
    if (!menu)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = QMenu::menuInAction(action)) {
            if (QAction* found = FindById(sub, id))
                return found;
            continue;
        }
        if (!action->isSeparator() && ActionId(action) == id)
            return action;
    }
    return nullptr;
}

void RunUpdateHandlers(QMenu* menu) {
    auto* frame = dynamic_cast<CFrameWnd*>(OwnerWindow(menu));
    if (!frame)
        return;
    CMenu wrapper;
    wrapper.Attach(menu);
    frame->UpdateMenuCmdUI(&wrapper);
    wrapper.Detach();
}

// A menu longer than a small screen scrolls (with arrows to tap) instead of breaking
// into columns that run off the screen's edge.
class ScrollingMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

QMenu* NewMenu(const QString& text, QWidget* parent) {
    static ScrollingMenuStyle* style = [] {
        auto* made = new ScrollingMenuStyle;
        // Lives as long as the application; deleted with it.
        made->setParent(qApp);
        return made;
    }();
    auto* menu = new QMenu(text, parent);
    menu->setStyle(style);
    return menu;
}

QMenu* NewSubMenu(const QString& text, QWidget* parent) {
    auto* sub = NewMenu(text, parent);
    QObject::connect(sub, &QMenu::aboutToShow, sub, [sub] { RunUpdateHandlers(sub); });
    return sub;
}
}  // namespace

CMenu::CMenu() = default;

CMenu::~CMenu() {
    DestroyMenu();
}

BOOL CMenu::CreatePopupMenu() {
    if (m_menu)
        return FALSE;
    m_menu = NewMenu(QString(), nullptr);
    m_owned = true;
    return TRUE;
}

BOOL CMenu::CreateMenu() {
    if (m_menu)
        return FALSE;
    auto* bar = new QMenuBar();
    // The menu bar sits in the command bar, never in a desktop-wide menu.
    bar->setNativeMenuBar(false);
    m_menu = bar;
    m_owned = true;
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT resourceId) {
    const std::vector<MenuTemplateItem>* items = MenuTemplate::Find(resourceId);
    if (!items || !CreateMenu())
        return FALSE;
    AddFromTemplate(m_menu, *items);
    return TRUE;
}

void CMenu::AddFromTemplate(QWidget* menu, const std::vector<MenuTemplateItem>& items) {
    CMenu level;
    level.Attach(menu);
    for (const MenuTemplateItem& item : items) {
        if (item.flags & MF_POPUP) {
            QMenu* sub = NewSubMenu(ToQString(item.text), menu);
            menu->addAction(sub->menuAction());
            AddFromTemplate(sub, item.popup);
        } else {
            level.AppendMenu(item.flags, item.id, item.text.c_str());
        }
    }
    level.Detach();
}

BOOL CMenu::DestroyMenu() {
    m_subMenus.clear();
    if (!m_menu)
        return FALSE;
    if (m_owned)
        delete m_menu.data();
    m_menu = nullptr;
    m_owned = false;
    return TRUE;
}

BOOL CMenu::Attach(QWidget* menu) {
    if (m_menu || !menu)
        return FALSE;
    m_menu = menu;
    m_owned = false;
    return TRUE;
}

QWidget* CMenu::Detach() {
    QWidget* menu = m_menu.data();
    m_subMenus.clear();
    m_menu = nullptr;
    m_owned = false;
    return menu;
}

QMenu* CMenu::GetQMenu() const {
    return qobject_cast<QMenu*>(m_menu.data());
}

int CMenu::GetMenuItemCount() const {
    return m_menu ? static_cast<int>(m_menu->actions().size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const {
    QAction* action = GetAction(static_cast<UINT>(position), MF_BYPOSITION);
    if (!action)
        return 0;
    if (QMenu::menuInAction(action))
        return static_cast<UINT>(-1);
    return action->isSeparator() ? 0 : ActionId(action);
}

int CMenu::GetMenuString(UINT idOrPosition, CString& text, UINT flags) const {
    QAction* action = GetAction(idOrPosition, flags);
    text = action && !action->isSeparator() ? ToCString(action->text()) : CString();
    return text.GetLength();
}

int CMenu::GetMenuString(UINT idOrPosition, LPTSTR buffer, int maxCount, UINT flags) const {
    CString text;
    GetMenuString(idOrPosition, text, flags);
    if (!buffer || maxCount <= 0)
        return text.GetLength();
    const int count = std::min(text.GetLength(), maxCount - 1);
    std::copy_n(text.GetString(), count, buffer);
    buffer[count] = 0;
    return count;
}

CMenu* CMenu::GetSubMenu(int position) {
    QMenu* sub = QMenu::menuInAction(GetAction(static_cast<UINT>(position), MF_BYPOSITION));
    if (!sub)
        return nullptr;
    // Drop wrappers of submenus that are gone.
    for (auto it = m_subMenus.begin(); it != m_subMenus.end();)
        it = it->second->GetWidget() ? std::next(it) : m_subMenus.erase(it);
    auto& wrapper = m_subMenus[sub];
    if (!wrapper) {
        wrapper = std::make_unique<CMenu>();
        wrapper->Attach(sub);
    }
    return wrapper.get();
}

QAction* CMenu::NewItem(UINT flags, UINT_PTR id, LPCTSTR text) {
    auto* action = new QAction(m_menu);
    if (flags & MF_SEPARATOR) {
        action->setSeparator(true);
        return action;
    }
    action->setText(ToQString(text));
    action->setData(static_cast<UINT>(id));
    if (flags & MF_CHECKED) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    if (flags & (MF_GRAYED | MF_DISABLED))
        action->setEnabled(false);
    QObject::connect(action, &QAction::triggered, action, [action] {
        // Qt flips a checkable entry by itself; here only CheckMenuItem and the
        // update handlers set check marks.
        if (action->isCheckable()) {
            QSignalBlocker block(action);
            action->setChecked(!action->isChecked());
        }
        if (CWnd* owner = OwnerWindow(action->parent()))
            owner->SendMessage(WM_COMMAND, ActionId(action));
    });
    return action;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, LPCTSTR text) {
    // Pop-up entries come from menu resources only.
    if (!m_menu || (flags & MF_POPUP))
        return FALSE;
    m_menu->addAction(NewItem(flags, idNewItem, text));
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem, LPCTSTR text) {
    if (!m_menu || (flags & MF_POPUP))
        return FALSE;
    QAction* before = nullptr;
    if (flags & MF_BYPOSITION) {
        if (position != static_cast<UINT>(-1))
            before = GetAction(position, MF_BYPOSITION);
    } else {
        before = FindById(m_menu, position);
        if (!before)
            return FALSE;
    }
    QAction* action = NewItem(flags & ~MF_BYPOSITION, idNewItem, text);
    // A submenu entry found by command lives in another menu: insert there.
    QWidget* target = before && before->parent() != m_menu ? qobject_cast<QWidget*>(before->parent()) : nullptr;
    if (target && !target->actions().contains(before))
        target = nullptr;
    (target ? target : m_menu.data())->insertAction(before, action);
    return TRUE;
}

QAction* CMenu::GetAction(UINT idOrPosition, UINT flags) const {
    if (!m_menu)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        const QList<QAction*> actions = m_menu->actions();
        return idOrPosition < static_cast<UINT>(actions.size()) ? actions[static_cast<qsizetype>(idOrPosition)]
                                                                : nullptr;
    }
    return FindById(m_menu, idOrPosition);
}

QAction* CMenu::FindActionByText(const CString& text) const {
    if (!m_menu)
        return nullptr;
    const QString wanted = ToQString(text);
    for (QAction* action : m_menu->actions())
        if (!action->isSeparator() && action->text() == wanted)
            return action;
    return nullptr;
}

BOOL CMenu::DeleteMenu(UINT idOrPosition, UINT flags) {
    QAction* action = GetAction(idOrPosition, flags);
    if (!action)
        return FALSE;
    if (QMenu* sub = QMenu::menuInAction(action)) {
        m_subMenus.erase(sub);
        // The submenu owns its entry action; deleting it removes both.
        delete sub;
        return TRUE;
    }
    // Deleting an action takes it out of every menu that shows it.
    delete action;
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT idOrPosition, UINT flags) {
    QAction* action = GetAction(idOrPosition, flags);
    if (!action)
        return FALSE;
    if (QMenu* sub = QMenu::menuInAction(action)) {
        // The submenu lives on without its entry, as its own pop-up.
        m_subMenus.erase(sub);
        m_menu->removeAction(action);
        sub->setParent(nullptr);
        return TRUE;
    }
    return DeleteMenu(idOrPosition, flags);
}

UINT CMenu::CheckMenuItem(UINT idOrPosition, UINT flags) {
    QAction* action = GetAction(idOrPosition, flags);
    if (!action || action->isSeparator())
        return static_cast<UINT>(-1);
    const UINT previous = action->isCheckable() && action->isChecked() ? MF_CHECKED : MF_UNCHECKED;
    const bool check = (flags & MF_CHECKED) != 0;
    if (check)
        action->setCheckable(true);
    QSignalBlocker block(action);
    action->setChecked(check);
    return previous;
}

UINT CMenu::EnableMenuItem(UINT idOrPosition, UINT flags) {
    QAction* action = GetAction(idOrPosition, flags);
    if (!action)
        return static_cast<UINT>(-1);
    const UINT previous = action->isEnabled() ? MF_ENABLED : MF_GRAYED;
    action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    return previous;
}

UINT CMenu::GetMenuState(UINT idOrPosition, UINT flags) const {
    QAction* action = GetAction(idOrPosition, flags);
    if (!action)
        return static_cast<UINT>(-1);
    if (action->isSeparator())
        return MF_SEPARATOR;
    UINT state = 0;
    if (QMenu* sub = QMenu::menuInAction(action))
        state |= MF_POPUP | (static_cast<UINT>(sub->actions().size()) << 8);
    if (action->isCheckable() && action->isChecked())
        state |= MF_CHECKED;
    if (!action->isEnabled())
        state |= MF_GRAYED;
    return state;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
    QMenu* menu = GetQMenu();
    if (!menu)
        return FALSE;
    if (auto* frame = dynamic_cast<CFrameWnd*>(owner))
        frame->UpdateMenuCmdUI(this);
    const QSize size = menu->sizeHint();
    QPoint pos(x, y);
    if (flags & TPM_CENTERALIGN)
        pos.rx() -= size.width() / 2;
    else if (flags & TPM_RIGHTALIGN)
        pos.rx() -= size.width();
    if (flags & TPM_BOTTOMALIGN)
        pos.ry() -= size.height();
    else if (flags & TPM_VCENTERALIGN)
        pos.ry() -= size.height() / 2;
    const UINT chosen =
        ModalRunner::Current().TrackPopupMenu(*this, pos, owner ? owner->GetWidget() : nullptr);
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && owner)
        owner->SendMessage(WM_COMMAND, chosen);
    return chosen != 0;
}
