#include "DefaultModalRunner.h"

#include "CDialog.h"
#include "CFileDialog.h"
#include "CMenu.h"
#include "CWnd.h"
#include "CWaitCursor.h"
#include "CompactFileDialog.h"
#include "QtText.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "DevicePath.h"

#include <algorithm>

namespace {
struct ButtonChoice {
    QMessageBox::StandardButton button;
    int result;
};

std::vector<ButtonChoice> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

// While a prompt is up the user needs the ordinary cursor.
class NormalCursor {
public:
    NormalCursor() : m_active(CWaitCursor::Depth() > 0 && qGuiApp) {
        if (m_active)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~NormalCursor() {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool m_active;
};
}  // namespace

int DefaultModalRunner::MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) {
    NormalCursor cursor;
    QMessageBox box(owner);
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const std::vector<ButtonChoice> buttons = ButtonsOf(type);
    std::vector<std::pair<QAbstractButton*, int>> results;
    for (const ButtonChoice& choice : buttons)
        results.emplace_back(box.addButton(choice.button), choice.result);
    const std::size_t def = (type & MB_DEFMASK) >> 8;
    if (def < results.size())
        box.setDefaultButton(static_cast<QPushButton*>(results[def].first));
    for (const auto& [button, result] : results)
        if (result == IDCANCEL || (results.size() == 1 && result == IDOK))
            box.setEscapeButton(button);
    // On a small screen the box uses the screen's width rather than breaking a short
    // text over many narrow lines.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QWidget* window = owner ? owner->window() : nullptr;
        const int screen = QGuiApplication::primaryScreen()->availableSize().width();
        const int room = std::min(window ? window->width() : screen, screen) - 60;
        int wanted = 0;
        for (const QString& line : ToQString(text).split(QLatin1Char('\n')))
            wanted = std::max(wanted, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(std::clamp(wanted, 0, std::max(0, room)));
    }
    box.exec();
    for (const auto& [button, result] : results)
        if (box.clickedButton() == button)
            return result;
    // Closed without a button.
    return CancellingAnswer(type);
}

INT_PTR DefaultModalRunner::RunFileDialog(CFileDialog& dialog) {
    NormalCursor cursor;
    CWnd* parent = dialog.GetParentWnd();
    // On a small screen the dialog takes the program's window, in a layout that fits it.
    QWidget* window = parent && parent->GetWidget() ? parent->GetWidget()->window() : QApplication::activeWindow();
    const QSize room = window ? window->size() : QGuiApplication::primaryScreen()->availableSize();
    if (CompactFileDialog::WantedFor(room)) {
        CompactFileDialog compact(dialog, window);
        if (window)
            compact.setGeometry(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()));
        if (compact.exec() != QDialog::Accepted)
            return IDCANCEL;
        dialog.SetChosenPath(ToCString(compact.ChosenPath()));
        return IDOK;
    }
    QFileDialog files(parent ? parent->GetWidget() : nullptr);
    files.setAcceptMode(dialog.IsOpenDialog() ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    files.setFileMode(dialog.IsOpenDialog() ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    files.setOption(QFileDialog::DontConfirmOverwrite, (dialog.GetFlags() & OFN_OVERWRITEPROMPT) == 0);
    const QStringList filters = dialog.GetQtNameFilters();
    if (!filters.isEmpty())
        files.setNameFilters(filters);
    if (!dialog.GetDefaultExtension().IsEmpty())
        files.setDefaultSuffix(ToQString(dialog.GetDefaultExtension()));
    // Lists live in the device's documents folder.
    const QString documents = QString::fromStdString(DevicePath::ToHost(u"\\My Documents"));
    files.setDirectory(QDir(documents).exists() ? documents : QString::fromStdString(DevicePath::Root()));
    if (!dialog.GetInitialFileName().IsEmpty())
        files.selectFile(ToQString(dialog.GetInitialFileName()));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return IDCANCEL;
    dialog.SetChosenPath(ToCString(files.selectedFiles().first()));
    return IDOK;
}

INT_PTR DefaultModalRunner::RunDialog(CDialog& dialog) {
    NormalCursor cursor;
    if (!dialog.IsEnded())
        if (QDialog* window = dialog.GetDialog())
            window->exec();
    return dialog.IsEnded() ? dialog.GetEndCode() : IDCANCEL;
}

UINT DefaultModalRunner::TrackPopupMenu(CMenu& menu, const QPoint& screenPos, QWidget*) {
    QMenu* popup = menu.GetQMenu();
    if (!popup)
        return 0;
    QAction* chosen = popup->exec(screenPos);
    return chosen && !chosen->isSeparator() ? chosen->data().toUInt() : 0;
}
