#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

bool Clipboard::SetText(const std::u16string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString copy = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->setText(copy, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(copy, QClipboard::Selection);
    return true;
}

std::u16string Clipboard::GetText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard).toStdU16String() : std::u16string();
}
