#include "AppAboutDlg.h"

#include "CWaitCursor.h"
#include "DialogTemplate.h"
#include "ProcessApi.h"
#include "QtText.h"

#include "System/Diagnostics/Trace.h"

#include <QDialog>
#include <QFont>
#include <QLayout>
#include <QPainter>
#include <string>

namespace {
QRect ToQRect(const RECT& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QFont MakeFont(int pixels, int weight, bool underline) {
    QFont font(QStringLiteral("Areal"));
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setUnderline(underline);
    return font;
}

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}
}  // namespace

void AppAboutDlg::RegisterTemplate() {
    // The picture and the texts are painted; the OK button is the one control. The
    // table is 4 pixels shorter than the box: the dialog keeps that margin below.
    DialogTemplate::Register(
        IDD, DialogTemplate{u"", kWidth, kHeight - 4, {{DlgItemKind::DefPushButton, IDOK, u"OK", 90, 227, 60, 20}}});
}

AppAboutDlg::AppAboutDlg(const QImage& bitmap, LPCTSTR link, LPCTSTR description, LPCTSTR title, CWnd* parent)
    : CDialog(IDD, parent), m_bitmap(bitmap), m_link(link ? link : u""), m_description(description ? description : u""),
      m_title(title ? title : u"") {
    RegisterTemplate();
}

AppAboutDlg::~AppAboutDlg() = default;

BOOL AppAboutDlg::Create(UINT templateId, CWnd* parent) {
    CWaitCursor wait;
    return CDialog::Create(templateId, parent);
}

BOOL AppAboutDlg::CreateDialogWindow() {
    if (!CDialog::CreateDialogWindow())
        return FALSE;
    SetCustomPaint(true);
    if (QDialog* dialog = GetDialog()) {
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
        dialog->setAutoFillBackground(true);
        QPalette palette = dialog->palette();
        palette.setColor(QPalette::Window, Qt::white);
        dialog->setPalette(palette);
    }
    return TRUE;
}

BOOL AppAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_title);
    return TRUE;
}

void AppAboutDlg::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    QPainter painter(widget);
    painter.fillRect(widget->rect(), Qt::white);
    if (!m_bitmap.isNull())
        painter.drawImage(QPoint(0, 0), m_bitmap);
    painter.setFont(MakeFont(16, QFont::Normal, true));
    painter.setPen(ToQColor(GetLinkColor()));
    painter.drawText(ToQRect(kLinkRect), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, ToQString(m_link));
    painter.setFont(MakeFont(13, QFont::Light, false));
    painter.setPen(Qt::black);
    painter.drawText(ToQRect(kDescriptionRect), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     ToQString(m_description));
    painter.drawText(ToQRect(kFixedTextRect), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap,
                     ToQString(kFixedText));
}

void AppAboutDlg::OnLButtonDown(UINT, CPoint point) {
    if (ToQRect(kLinkRect).contains(point.x, point.y))
        OpenLink();
}

void AppAboutDlg::OpenLink() {
    m_bVisited = true;
    Invalidate();
    // One argument, whatever blanks the address holds.
    std::u16string commandLine = u"\"" + m_link.str() + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(kBrowser, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        Diagnostics::Trace::WriteFormattedLineT(u"error", u"%s", u"CreateProcess \"iexplore.exe\" fails!!");
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
