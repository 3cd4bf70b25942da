#include "CListPickerDlg.h"

#include <QDialog>
#include <QLayout>

CListPickerDlg::CListPickerDlg(UINT templateId, int listId, CWnd* parent)
    : CSTFullScreenDialog(templateId, parent), m_nListId(listId) {}

void CListPickerDlg::RegisterTemplate(UINT templateId, const TCHAR* caption, DlgItemKind listKind, int listId,
                                      int listHeight) {
    const int width = 240;
    const int buttonsTop = kMargin + listHeight + kMargin + 2;
    const int cancelLeft = width - kMargin - kButtonWidth;
    const int okLeft = cancelLeft - kMargin - 2 - kButtonWidth;
    DialogTemplate::Register(
        templateId,
        DialogTemplate{caption,
                       width,
                       0,
                       {{listKind, listId, u"", kMargin, kMargin, width - 2 * kMargin, listHeight},
                        {DlgItemKind::DefPushButton, IDOK, u"OK", okLeft, buttonsTop, kButtonWidth, kButtonHeight},
                        {DlgItemKind::PushButton, IDCANCEL, u"Cancel", cancelLeft, buttonsTop, kButtonWidth,
                         kButtonHeight}}});
}

void CListPickerDlg::OnSize(UINT type, int cx, int cy) {
    CSTFullScreenDialog::OnSize(type, cx, cy);
    QWidget* list = GetDlgItem(m_nListId);
    QDialog* dialog = GetDialog();
    if (!list || !dialog)
        return;
    // The controls sit in the dialog's content, which the layout's margins inset.
    const QMargins margins = dialog->layout() ? dialog->layout()->contentsMargins() : QMargins();
    const int width = cx - margins.left() - margins.right();
    const int height = cy - margins.top() - margins.bottom();
    const int buttonsTop = height - kMargin - kButtonHeight;
    int right = width - kMargin;
    for (int id : m_buttonIds) {
        QWidget* button = GetDlgItem(id);
        if (!button || button->isHidden())
            continue;
        const int buttonWidth = button->width();
        button->setGeometry(right - buttonWidth, buttonsTop, buttonWidth, kButtonHeight);
        right -= buttonWidth + kMargin + 2;
    }
    list->setGeometry(kMargin, kMargin, width - 2 * kMargin, buttonsTop - 2 * kMargin);
}
