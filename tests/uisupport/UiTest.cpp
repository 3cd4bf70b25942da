#include "UiTest.h"

#include "CCommandBar.h"
#include "CDialog.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CView.h"
#include "QtText.h"
#include "RegistryApi.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QMouseEvent>
#include <QTest>
#include <cstdlib>

static void InitTestResources() {
    Q_INIT_RESOURCE(uitestres);
}

// Font configuration keeps caches for the life of the process; the leak checker
// is told about those (and only third-party libraries) here, so the tests need no
// environment of their own. lsan.supp holds the same list for other programs.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libQt6Gui.so\nleak:libQt6Core.so\nleak:libQt6Widgets.so\n";
}

// ThreadSanitizer cannot see the locks of Qt (not instrumented): Qt's calls go unchecked.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so\ncalled_from_lib:libQt6Gui.so\ncalled_from_lib:libQt6Widgets.so\n";
}

namespace {
// The offscreen platform cannot size windows to their hints or raise them, and Qt
// Test notes every event a widget leaves to its parent; the tests do not care.
QtMessageHandler g_previousHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.endsWith(QLatin1String("not accepted by receiving widget")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
}  // namespace

QApplication* EnsureQApplication() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    // Kept for the whole run: Qt does not support a second application object.
    static QApplication* app = new QApplication(argc, argv);
    g_previousHandler = qInstallMessageHandler(QuietHandler);
    InitTestResources();
    return app;
}

void ProcessEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitMs(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}

QImage RenderWidget(QWidget* widget) {
    return widget ? widget->grab().toImage() : QImage();
}

namespace {
// Qt Test reads a null point as "the widget's centre".
bool PointUsable(QPoint point) {
    if (!point.isNull())
        return true;
    ADD_FAILURE() << "input at (0, 0) would land in the widget's centre";
    return false;
}
}  // namespace

void Tap(QWidget* widget, QPoint point) {
    if (PointUsable(point))
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, point);
}

void DoubleTap(QWidget* widget, QPoint point) {
    if (!PointUsable(point))
        return;
    // A first tap, then the second as Qt delivers it: a double-click press and a release
    // (Qt Test's own double click leaves out the first tap).
    Tap(widget, point);
    const QPointF global(widget->mapToGlobal(point));
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(point), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void RightClick(QWidget* widget, QPoint point) {
    if (PointUsable(point))
        QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, point);
}

void TapAndHold(QWidget* widget, QPoint point) {
    Drag(widget, point, point, CView::HoldDelayMs + 150);
}

void Drag(QWidget* widget, QPoint from, QPoint to, int holdMs) {
    if (!PointUsable(from) || !PointUsable(to))
        return;
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
    if (to != from)
        QTest::mouseMove(widget, to);
    if (holdMs > 0)
        WaitMs(holdMs);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        // Latin-1 characters carry Qt Test's key code ("\b" is Backspace, "\r" Return);
        // any other character goes as its text alone.
        if (c.unicode() < 0x100)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

bool ChooseMenuCommand(CFrameWnd& frame, std::initializer_list<const char16_t*> path) {
    CMenu* menu = frame.GetMenu();
    std::size_t step = 0;
    for (const char16_t* text : path) {
        if (!menu)
            return false;
        frame.UpdateMenuCmdUI(menu);
        QAction* action = menu->FindActionByText(CString(text));
        if (!action || !action->isEnabled())
            return false;
        if (++step == path.size()) {
            if (QMenu::menuInAction(action))
                return false;
            action->trigger();
            return true;
        }
        const QList<QAction*> actions = menu->GetWidget()->actions();
        menu = menu->GetSubMenu(static_cast<int>(actions.indexOf(action)));
    }
    return false;
}

bool ClickToolButton(CFrameWnd& frame, UINT id) {
    frame.OnUpdateCmdUI();
    for (CCommandBar* bar : frame.GetCommandBars()) {
        if (QAction* action = bar->GetButtonAction(id)) {
            if (!action->isEnabled())
                return false;
            action->trigger();
            return true;
        }
    }
    return false;
}

void PressButton(CDialog& dialog, int id) {
    auto* button = dialog.GetDlgItemAs<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

void SetControlText(CDialog& dialog, int id, const QString& text) {
    QWidget* control = dialog.GetDlgItem(id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
        combo->setEditText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else
        dialog.SetDlgItemText(id, ToCString(text));
}

void SetControlCheck(CDialog& dialog, int id, bool checked) {
    auto* box = dialog.GetDlgItemAs<QAbstractButton>(id);
    ASSERT_NE(box, nullptr) << "no check box " << id;
    if (box->isChecked() != checked)
        box->click();
}

// The canvas taller than its viewport that holds the control; null when none does.
static QWidget* ScrollingCanvas(QWidget* control, QWidget* window) {
    for (QWidget* canvas = control->parentWidget(); canvas && canvas != window; canvas = canvas->parentWidget())
        if (QWidget* viewport = canvas->parentWidget(); viewport != window && canvas->height() > viewport->height())
            return canvas;
    return nullptr;
}

void CheckDialogFitsScreens(CDialog& dialog, const std::string& name) {
    QDialog* window = dialog.GetDialog();
    ASSERT_NE(window, nullptr);
    window->show();
    const char* folder = std::getenv("LISTORA_RENDER_DIR");
    const QString prefix = QString::fromLocal8Bit(folder) + "/" + QString::fromStdString(name) + "-";
    const struct {
        QSize screen;
        const char* look;
    } screens[] = {{{240, 320}, "240x320"}, {{800, 600}, "desktop"}};
    for (const auto& [screen, look] : screens) {
        SCOPED_TRACE(look);
        window->resize(window->maximumSize().boundedTo(screen).expandedTo(window->minimumSize()));
        ProcessEvents();
        EXPECT_LE(window->width(), screen.width());
        EXPECT_LE(window->height(), screen.height());
        QScrollBar* bar = nullptr;  // the vertical bar of a dialog that scrolls (not of a list)
        for (QScrollBar* shown : window->findChildren<QScrollBar*>())
            if (shown->orientation() == Qt::Vertical && shown->isVisibleTo(window) &&
                !qobject_cast<QAbstractScrollArea*>(shown->parentWidget()->parentWidget()))
                bar = shown;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            bool isId = false;
            control->objectName().toInt(&isId);
            if (!isId || !control->isVisibleTo(window))
                continue;
            const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
            QRect room = window->rect();
            // On a canvas taller than its viewport a control is reached by scrolling:
            // it must lie on the canvas, beside the bar, and the bar must show.
            if (QWidget* canvas = ScrollingCanvas(control, window)) {
                const QWidget* viewport = canvas->parentWidget();
                room = QRect(viewport->mapTo(window, QPoint(0, 0)).x(), canvas->mapTo(window, QPoint(0, 0)).y(),
                             viewport->width(), canvas->height());
                EXPECT_NE(bar, nullptr) << "no bar to scroll with";
            }
            EXPECT_TRUE(room.contains(place)) << "control " << control->objectName().toStdString();
        }
        if (folder)
            RenderWidget(window).save(prefix + look + ".png");
        if (folder && bar) {  // a dialog that scrolls is also looked at scrolled to its end
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            RenderWidget(window).save(prefix + look + "-end.png");
            bar->triggerAction(QAbstractSlider::SliderToMinimum);
        }
    }
}

void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << ToUtf8(text.str()) << '"';
}

void UiTest::SetUp() {
    m_root = std::make_unique<TestRoot>();
    m_installed.emplace(&m_script);
}

void UiTest::TearDown() {
    ModalRunner::EndAllPrompts(false);
    m_installed.reset();
    m_script.Verify();
    ProcessEvents();
    // Whatever the test wrote reaches the store before its root goes away.
    RegistryStore::Shutdown();
    m_root.reset();
}
