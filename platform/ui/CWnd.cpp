#include "CWnd.h"

#include "CFrameWnd.h"
#include "ModalRunner.h"
#include "QtText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextEdit>
#include <QApplication>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {
std::unordered_set<const CWnd*>& LiveWindows() {
    static std::unordered_set<const CWnd*> windows;
    return windows;
}

std::unordered_map<const QWidget*, CWnd*>& WidgetOwners() {
    static std::unordered_map<const QWidget*, CWnd*> owners;
    return owners;
}

UINT KeyFlags(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

CPoint PointOf(const QMouseEvent* e) {
    return CPoint(e->position().toPoint());
}
}  // namespace

class CWnd::EventFilter : public QObject {
public:
    explicit EventFilter(CWnd* wnd) : m_wnd(wnd) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_wnd->m_widget)
            return false;
        return m_wnd->OnWidgetEvent(event);
    }

private:
    CWnd* m_wnd;
};

CWnd::CWnd() : m_alive(std::make_shared<bool>(true)) {
    LiveWindows().insert(this);
}

CWnd::~CWnd() {
    *m_alive = false;
    LiveWindows().erase(this);
    // Derived parts are gone already: drop the handlers before Qt delivers anything.
    if (QWidget* widget = DetachWidget(); widget && m_ownsWidget)
        delete widget;
}

QWidget* CWnd::DetachWidget() {
    QWidget* widget = m_widget.data();
    if (!widget)
        return nullptr;
    if (m_filter)
        widget->removeEventFilter(m_filter.get());
    WidgetOwners().erase(widget);
    m_widget = nullptr;
    return widget;
}

HWND CWnd::GetSafeHwnd() const {
    return m_widget ? reinterpret_cast<HWND>(const_cast<CWnd*>(this)) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    auto* wnd = reinterpret_cast<CWnd*>(hwnd);
    return LiveWindows().count(wnd) ? wnd : nullptr;
}

CWnd* CWnd::FromWidget(const QWidget* widget) {
    auto& owners = WidgetOwners();
    auto it = owners.find(widget);
    return it == owners.end() ? nullptr : it->second;
}

std::vector<CWnd*> CWnd::GetTopLevelWindows() {
    std::vector<CWnd*> windows;
    for (const auto& [widget, wnd] : WidgetOwners())
        if (widget->isWindow())
            windows.push_back(wnd);
    // A stable order: oldest widget first is not known, so order by address.
    std::sort(windows.begin(), windows.end());
    return windows;
}

void CWnd::AttachWidget(QWidget* widget, bool owned) {
    DetachWidget();
    m_widget = widget;
    m_ownsWidget = owned;
    if (!widget)
        return;
    WidgetOwners()[widget] = this;
    if (!m_filter)
        m_filter = std::make_unique<EventFilter>(this);
    widget->installEventFilter(m_filter.get());
    // Forget the widget when Qt deletes it with its parent.
    QObject::connect(widget, &QObject::destroyed, m_filter.get(), [widget] { WidgetOwners().erase(widget); });
}

BOOL CWnd::Create(LPCTSTR, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_widget)
        return FALSE;
    auto* widget = new QWidget(parent ? parent->GetWidget() : nullptr);
    if (windowName)
        widget->setWindowTitle(ToQString(windowName));
    AttachWidget(widget, true);
    SetCustomPaint(true);
    SetDlgCtrlID(static_cast<int>(id));
    MoveWindow(&rect, FALSE);
    widget->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    QWidget* control = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (m_widget || !control || FromWidget(control))
        return FALSE;
    AttachWidget(control, false);
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_widget)
        return FALSE;
    OnDestroy();
    QWidget* widget = DetachWidget();
    if (m_ownsWidget)
        delete widget;
    m_ownsWidget = false;
    return TRUE;
}

int CWnd::GetDlgCtrlID() const {
    if (!m_widget)
        return 0;
    bool ok = false;
    const int id = m_widget->objectName().toInt(&ok);
    return ok ? id : 0;
}

int CWnd::SetDlgCtrlID(int id) {
    const int previous = GetDlgCtrlID();
    if (m_widget)
        m_widget->setObjectName(QString::number(id));
    return previous;
}

CWnd* CWnd::GetParent() const {
    for (QWidget* w = m_widget ? m_widget->parentWidget() : nullptr; w; w = w->parentWidget())
        if (CWnd* wnd = FromWidget(w))
            return wnd;
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const {
    for (CWnd* wnd = GetParent(); wnd; wnd = wnd->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(wnd))
            return frame;
    return nullptr;
}

QWidget* CWnd::GetDlgItem(int id) const {
    if (!m_widget)
        return nullptr;
    return m_widget->findChild<QWidget*>(QString::number(id));
}

namespace {
// The text of the usual controls, read (value null) or written. A combo box's text is
// its edit's, or for a drop-down list the entry it selects; any other widget's is its
// title.
QString ControlText(QWidget* item, const QString* value) {
    if (!item)
        return {};
    if (auto* edit = qobject_cast<QLineEdit*>(item)) {
        if (value)
            edit->setText(*value);
        return edit->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(item)) {
        if (value && combo->isEditable())
            combo->setEditText(*value);
        else if (value)
            combo->setCurrentIndex(combo->findText(*value, Qt::MatchFixedString));
        return combo->currentText();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(item)) {
        if (value)
            plain->setPlainText(*value);
        return plain->toPlainText();
    }
    if (auto* rich = qobject_cast<QTextEdit*>(item)) {
        if (value)
            rich->setPlainText(*value);
        return rich->toPlainText();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(item)) {
        if (value)
            button->setText(*value);
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(item)) {
        if (value)
            label->setText(*value);
        return label->text();
    }
    if (value)
        item->setWindowTitle(*value);
    return item->windowTitle();
}
}  // namespace

void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    const QString value = ToQString(text);
    ControlText(GetDlgItem(id), &value);
}

CString CWnd::GetDlgItemText(int id) const {
    return ToCString(ControlText(GetDlgItem(id), nullptr));
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text = GetDlgItemText(id);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    const QString text = isSigned ? QString::number(static_cast<int>(value)) : QString::number(value);
    SetDlgItemText(id, ToCString(text));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    const QString text = ToQString(GetDlgItemText(id)).trimmed();
    bool ok = false;
    UINT value = 0;
    if (isSigned)
        value = static_cast<UINT>(text.toInt(&ok));
    else
        value = text.toUInt(&ok);
    if (translated)
        *translated = ok ? TRUE : FALSE;
    return ok ? value : 0;
}

void CWnd::CheckDlgButton(int id, UINT check) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        button->setCheckable(true);
        button->setChecked(check != BST_UNCHECKED);
    }
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!m_widget)
        return FALSE;
    const BOOL wasVisible = m_widget->isVisible();
    switch (nCmdShow) {
    case SW_HIDE: m_widget->hide(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: m_widget->showMinimized(); break;
    case SW_SHOWMAXIMIZED: m_widget->showMaximized(); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE: m_widget->showNormal(); break;
    default: m_widget->show(); break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    return m_widget && m_widget->isVisible();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    if (!m_widget)
        return FALSE;
    const BOOL wasDisabled = !m_widget->isEnabled();
    m_widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_widget && m_widget->isEnabled();
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    if (!m_widget)
        return;
    m_widget->setGeometry(x, y, std::max(0, width), std::max(0, height));
    if (repaint)
        m_widget->update();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect)
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::GetClientRect(LPRECT rect) const {
    if (!rect)
        return;
    *rect = m_widget ? CRect(m_widget->rect()) : CRect();
}

void CWnd::GetWindowRect(LPRECT rect) const {
    if (!rect)
        return;
    if (!m_widget) {
        *rect = CRect();
        return;
    }
    const QPoint topLeft = m_widget->mapToGlobal(QPoint(0, 0));
    *rect = CRect(QRect(topLeft, m_widget->frameGeometry().size()));
}

void CWnd::ClientToScreen(LPPOINT point) const {
    if (point && m_widget)
        *point = CPoint(m_widget->mapToGlobal(QPoint(point->x, point->y)));
}

void CWnd::ClientToScreen(LPRECT rect) const {
    if (!rect || !m_widget)
        return;
    const QPoint offset = m_widget->mapToGlobal(QPoint(0, 0));
    CRect r(*rect);
    r.OffsetRect(offset.x(), offset.y());
    *rect = r;
}

void CWnd::ScreenToClient(LPPOINT point) const {
    if (point && m_widget)
        *point = CPoint(m_widget->mapFromGlobal(QPoint(point->x, point->y)));
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (!rect || !m_widget)
        return;
    const QPoint offset = m_widget->mapToGlobal(QPoint(0, 0));
    CRect r(*rect);
    r.OffsetRect(-offset.x(), -offset.y());
    *rect = r;
}

void CWnd::Invalidate(BOOL) {
    if (m_widget)
        m_widget->update();
}

void CWnd::UpdateWindow() {
    if (m_widget && m_widget->isVisible())
        m_widget->repaint();
}

void CWnd::SetWindowText(LPCTSTR text) {
    if (m_widget)
        m_widget->setWindowTitle(ToQString(text));
}

void CWnd::GetWindowText(CString& text) const {
    text = m_widget ? ToCString(m_widget->windowTitle()) : CString();
}

int CWnd::GetWindowTextLength() const {
    return m_widget ? static_cast<int>(m_widget->windowTitle().size()) : 0;
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = FromWidget(QApplication::focusWidget());
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

BOOL CWnd::BringWindowToTop() {
    if (!m_widget)
        return FALSE;
    QWidget* top = m_widget->window();
    top->raise();
    top->activateWindow();
    return TRUE;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return ModalRunner::Current().MessageBox(m_widget ? m_widget->window() : nullptr, CString(text),
                                             caption ? CString(caption) : ModalRunner::DefaultCaption(), type);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The event filter lives exactly as long as this object: with it as the call's
    // context, Qt drops a call to a window that is gone by then.
    if (!m_filter)
        m_filter = std::make_unique<EventFilter>(this);
    QMetaObject::invokeMethod(
        m_filter.get(), [this, message, wParam, lParam] { WindowProc(message, wParam, lParam); },
        Qt::QueuedConnection);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    return 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(static_cast<UINT>(wParam & 0xFFFFu), CN_COMMAND, nullptr, nullptr);
}

bool CWnd::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::Paint:
        if (!m_customPaint)
            return false;
        OnPaint();
        return true;
    case QEvent::Resize: {
        auto* e = static_cast<QResizeEvent*>(event);
        OnSize(SIZE_RESTORED, e->size().width(), e->size().height());
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        const UINT flags = KeyFlags(e->modifiers(), e->buttons());
        if (e->button() == Qt::LeftButton)
            OnLButtonDown(flags, PointOf(e));
        else if (e->button() == Qt::RightButton)
            OnRButtonDown(flags, PointOf(e));
        return TakesMouse(event);
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        const UINT flags = KeyFlags(e->modifiers(), e->buttons());
        if (e->button() == Qt::LeftButton)
            OnLButtonUp(flags, PointOf(e));
        else if (e->button() == Qt::RightButton)
            OnRButtonUp(flags, PointOf(e));
        return TakesMouse(event);
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        OnMouseMove(KeyFlags(e->modifiers(), e->buttons()), PointOf(e));
        return false;
    }
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        const UINT repeat = static_cast<UINT>(std::max(1, e->count()));
        m_keyPassed = false;
        OnKeyDown(static_cast<UINT>(e->key()), repeat, 0);
        const QString text = e->text();
        bool typed = false;
        for (QChar c : text) {
            if (c.unicode() >= 0x20 || c.unicode() == 0x08 || c.unicode() == 0x0D) {
                if (!typed)
                    m_keyPassed = false;
                typed = true;
                OnChar(c.unicode(), repeat, 0);
            }
        }
        return !m_keyPassed;
    }
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(event);
        OnKeyUp(static_cast<UINT>(e->key()), 1, 0);
        return false;
    }
    case QEvent::FocusIn:
        OnSetFocus(nullptr);
        return false;
    case QEvent::FocusOut:
        // Qt has already moved the focus on when it says it left.
        OnKillFocus(QApplication::focusWidget());
        return false;
    default:
        return false;
    }
}

bool CWnd::TakesMouse(QEvent* event) {
    // A window of our own handles its buttons itself: Qt must not pass them on to the
    // window behind it (a tap on a page button is no tap on the list under it).
    // Controls keep Qt's own handling.
    if (!m_customPaint)
        return false;
    event->accept();
    return true;
}

void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnRButtonDown(UINT, CPoint) {}
void CWnd::OnRButtonUp(UINT, CPoint) {}
void CWnd::OnMouseMove(UINT, CPoint) {}
void CWnd::OnChar(UINT, UINT, UINT) {
    m_keyPassed = true;
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    m_keyPassed = true;
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {}
void CWnd::OnSetFocus(QWidget*) {}
void CWnd::OnKillFocus(QWidget*) {}
