#include "CCommandBar.h"

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "QtText.h"
#include "Resources.h"
#include "StringTable.h"
#include "ToolBarTemplate.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

CCommandBar::CCommandBar() = default;

CCommandBar::~CCommandBar() {
    DestroyWindow();
}

BOOL CCommandBar::Create(CWnd* parent, DWORD style, UINT id) {
    if (GetWidget())
        return FALSE;
    auto* frame = dynamic_cast<CFrameWnd*>(parent);
    QMainWindow* window = frame ? frame->GetMainWindow() : nullptr;
    auto* bar = new QToolBar(window ? static_cast<QWidget*>(window) : (parent ? parent->GetWidget() : nullptr));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (window)
        window->addToolBar(Qt::BottomToolBarArea, bar);
    AttachWidget(bar, true);
    SetDlgCtrlID(static_cast<int>(id));
    if (frame) {
        m_pFrame = frame;
        frame->AddCommandBar(this);
    }
    bar->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CCommandBar::DestroyWindow() {
    if (m_pFrame) {
        m_pFrame->RemoveCommandBar(this);
        m_pFrame = nullptr;
    }
    m_buttons.clear();
    m_menu.reset();
    return CWnd::DestroyWindow();
}

QToolBar* CCommandBar::GetToolBar() const {
    return qobject_cast<QToolBar*>(GetWidget());
}

BOOL CCommandBar::InsertMenuBar(UINT menuId) {
    QToolBar* bar = GetToolBar();
    if (!bar || m_menu)
        return FALSE;
    auto menu = std::make_unique<CMenu>();
    if (!menu->LoadMenu(menuId))
        return FALSE;
    // The tool bar takes the menu bar widget as its child; the CMenu keeps a
    // guarded pointer to it.
    bar->insertWidget(bar->actions().isEmpty() ? nullptr : bar->actions().first(), menu->GetWidget());
    m_menu = std::move(menu);
    return TRUE;
}

BOOL CCommandBar::LoadToolBar(UINT toolBarId) {
    QToolBar* bar = GetToolBar();
    const ToolBarTemplate* toolBar = ToolBarTemplate::Find(toolBarId);
    if (!bar || !toolBar)
        return FALSE;
    const QPixmap strip = Resources::LoadBitmap(toolBar->bitmapId);
    int image = 0;
    for (UINT id : toolBar->buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        auto* action = new QAction(bar);
        action->setData(id);
        const QString texts = ToQString(LoadString(id));
        const qsizetype nl = texts.indexOf(QLatin1Char('\n'));
        const QString status = nl < 0 ? texts : texts.left(nl);
        const QString tip = nl < 0 ? texts : texts.mid(nl + 1);
        action->setText(tip.isEmpty() ? QString::number(id) : tip);
        action->setToolTip(tip);
        action->setStatusTip(status);
        const int x = image * toolBar->buttonWidth;
        if (!strip.isNull() && x + toolBar->buttonWidth <= strip.width())
            action->setIcon(QIcon(strip.copy(x, 0, toolBar->buttonWidth, toolBar->buttonHeight)));
        ++image;
        QObject::connect(action, &QAction::triggered, action, [this, id] { SendMessage(WM_COMMAND, id); });
        bar->addAction(action);
        m_buttons.push_back({id, action, TBBS_BUTTON});
    }
    return TRUE;
}

void CCommandBar::SetBarStyle(DWORD style) {
    // Qt shows tool tips and status texts whenever an action has them; the style
    // is kept for callers that read it back.
    m_barStyle = style;
}

int CCommandBar::CommandToIndex(UINT id) const {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].id == id)
            return static_cast<int>(i);
    return -1;
}

UINT CCommandBar::GetItemID(int index) const {
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<std::size_t>(index)].id : 0;
}

void CCommandBar::SetButtonStyle(int index, UINT style) {
    if (index < 0 || index >= GetCount())
        return;
    Button& button = m_buttons[static_cast<std::size_t>(index)];
    button.style = style;
    button.action->setCheckable((style & TBBS_CHECKBOX) != 0);
}

UINT CCommandBar::GetButtonStyle(int index) const {
    return index >= 0 && index < GetCount() ? m_buttons[static_cast<std::size_t>(index)].style : 0;
}

QAction* CCommandBar::GetButtonAction(UINT id) const {
    const int index = CommandToIndex(id);
    return index < 0 ? nullptr : m_buttons[static_cast<std::size_t>(index)].action;
}

BOOL CCommandBar::IsButtonChecked(UINT id) const {
    QAction* action = GetButtonAction(id);
    return action && action->isChecked();
}

BOOL CCommandBar::IsButtonEnabled(UINT id) const {
    QAction* action = GetButtonAction(id);
    return action && action->isEnabled();
}

BOOL CCommandBar::CheckButton(UINT id, BOOL check) {
    QAction* action = GetButtonAction(id);
    if (!action)
        return FALSE;
    if (check)
        action->setCheckable(true);
    action->setChecked(check != FALSE);
    return TRUE;
}

BOOL CCommandBar::EnableButton(UINT id, BOOL enable) {
    QAction* action = GetButtonAction(id);
    if (!action)
        return FALSE;
    action->setEnabled(enable != FALSE);
    return TRUE;
}

void CCommandBar::UpdateButtons(CCmdTarget* target) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        CCmdUI ui(m_buttons[i].id, m_buttons[i].action, nullptr, static_cast<UINT>(i));
        ui.DoUpdate(target, true);
    }
}

BOOL CCommandBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Buttons and menu entries speak for the frame.
    if (m_pFrame)
        return m_pFrame->OnCommand(wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}
