#include "CColorsDlg.h"

#include "CWaitCursor.h"
#include "DialogTemplate.h"
#include "QtText.h"

#include <QDialog>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

const std::array<std::array<COLORREF, CColorsDlg::kColumns>, CColorsDlg::kRows> CColorsDlg::kPalette = {{
    {0x8080FF, 0x80FFFF, 0x80FF80, 0x80FF00, 0xFFFF80, 0xFF8000, 0xC080FF, 0xFF80FF},
    {0x0000FF, 0x00FFFF, 0x00FF80, 0x40FF00, 0xFFFF00, 0xC08000, 0xC08080, 0xFF00FF},
    {0x404080, 0x4080FF, 0x00FF00, 0x808000, 0x804000, 0xFF8080, 0x400080, 0x8000FF},
    {0x000080, 0x0080FF, 0x008000, 0x408000, 0xFF0000, 0xA00000, 0x800080, 0xFF0080},
    {0x000040, 0x004080, 0x004000, 0x404000, 0x800000, 0x400000, 0x400040, 0x800040},
    {0x000000, 0x008080, 0x408080, 0x808080, 0x808040, 0xC00000, 0x400040, 0xFFFFFF},
}};

namespace {
QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

// The device's sunken edge: two pixels, dark above and left, light below and right.
void DrawSunkenEdge(QPainter& painter, const QRect& rect) {
    const QColor outer[2] = {QColor(128, 128, 128), QColor(255, 255, 255)};
    const QColor inner[2] = {QColor(0, 0, 0), QColor(192, 192, 192)};
    for (int ring = 0; ring < 2; ++ring) {
        const QRect r = rect.adjusted(ring, ring, -ring, -ring);
        const QColor* colours = ring == 0 ? outer : inner;
        painter.setPen(colours[0]);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(colours[1]);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

constexpr int kComponentIds[3] = {CColorsDlg::IDC_RED, CColorsDlg::IDC_GREEN, CColorsDlg::IDC_BLUE};
}  // namespace

void CColorsDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"Colors",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Basic colors:", 30, 5, 180, 16},
                                                  {K::Static, IDC_STATIC, u"Red:", 30, 172, 44, 18},
                                                  {K::Edit, IDC_RED, u"", 76, 170, 50, 20, ES_NUMBER},
                                                  {K::Static, IDC_STATIC, u"Green:", 30, 194, 44, 18},
                                                  {K::Edit, IDC_GREEN, u"", 76, 192, 50, 20, ES_NUMBER},
                                                  {K::Static, IDC_STATIC, u"Blue:", 30, 216, 44, 18},
                                                  {K::Edit, IDC_BLUE, u"", 76, 214, 50, 20, ES_NUMBER},
                                                  {K::DefPushButton, IDOK, u"OK", 56, 242, 60, 22},
                                                  {K::PushButton, IDCANCEL, u"Cancel", 124, 242, 60, 22}}});
}

CColorsDlg::CColorsDlg(CWnd* parent) : CDialog(IDD, parent) {
    RegisterTemplate();
    SetColor(kPalette[0][0]);
}

CColorsDlg::~CColorsDlg() = default;

BOOL CColorsDlg::Create(UINT templateId, CWnd* parent) {
    CWaitCursor wait;
    return CDialog::Create(templateId, parent);
}

BOOL CColorsDlg::CreateDialogWindow() {
    if (!CDialog::CreateDialogWindow())
        return FALSE;
    SetCustomPaint(true);
    // The palette is laid out in pixels: the window keeps the size it was made for.
    if (QDialog* dialog = GetDialog(); dialog && dialog->layout())
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return TRUE;
}

BOOL CColorsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int id : kComponentIds) {
        auto* edit = GetDlgItemAs<QLineEdit>(id);
        if (!edit)
            continue;
        // Digits (and a minus, which the check turns into 0); the length keeps the
        // number within range of the conversion.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,9}")), edit));
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this, id] { OnComponentEdited(id); });
    }
    WriteComponents();
    return TRUE;
}

void CColorsDlg::WriteComponents() {
    const BYTE values[3] = {m_red, m_green, m_blue};
    for (int i = 0; i < 3; ++i)
        if (GetDlgItem(kComponentIds[i]))
            SetDlgItemInt(kComponentIds[i], values[i]);
}

void CColorsDlg::Repaint() {
    Invalidate();
}

COLORREF CColorsDlg::GetCurrentColor() const {
    return m_bSelected ? kPalette[m_nRow][m_nColumn] : RGB(m_red, m_green, m_blue);
}

void CColorsDlg::SetColor(COLORREF color) {
    // A colour the palette lacks selects no swatch, so the preview shows it.
    m_bSelected = false;
    for (int r = 0; r < kRows && !m_bSelected; ++r)
        for (int c = 0; c < kColumns && !m_bSelected; ++c)
            if (kPalette[r][c] == (color & 0xFFFFFFu)) {
                m_bSelected = true;
                m_nRow = r;
                m_nColumn = c;
            }
    m_red = GetRValue(color);
    m_green = GetGValue(color);
    m_blue = GetBValue(color);
    m_color = RGB(m_red, m_green, m_blue);
    if (GetWidget())
        WriteComponents();
    if (m_bPainted)
        Repaint();
}

void CColorsDlg::OnComponentEdited(int id) {
    const QString text = ToQString(GetDlgItemText(id)).trimmed();
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    int value = 0;
    if (ok && number > 255) {
        value = 255;
        SetDlgItemText(id, u"255");
    } else if (ok && number >= 0) {
        value = static_cast<int>(number);
    } else {
        // Empty, negative or no number at all.
        SetDlgItemText(id, u"0");
    }
    BYTE& component = id == IDC_RED ? m_red : id == IDC_GREEN ? m_green : m_blue;
    component = static_cast<BYTE>(value);
    m_bSelected = false;
    Repaint();
}

void CColorsDlg::OnLButtonDown(UINT, CPoint point) {
    if (point.x < kLeft || point.y < kTop)
        return;
    const int column = (point.x - kLeft) / kStep;
    const int row = (point.y - kTop) / kStep;
    m_bSelected = column < kColumns && row < kRows;
    if (m_bSelected) {
        m_nRow = row;
        m_nColumn = column;
        const COLORREF color = kPalette[row][column];
        m_red = GetRValue(color);
        m_green = GetGValue(color);
        m_blue = GetBValue(color);
        WriteComponents();
    }
    Repaint();
}

void CColorsDlg::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    QPainter painter(widget);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const QRect swatch(kLeft + kStep * c, kTop + kStep * r, kSwatch, kSwatch);
            painter.fillRect(swatch, ToQColor(kPalette[r][c]));
            DrawSunkenEdge(painter, swatch);
        }
    }
    if (m_bSelected) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        // 25 x 25 around the swatch (a 1-pixel pen draws width + 1).
        painter.drawRect(QRect(kLeft - 1 + kStep * m_nColumn, kTop - 1 + kStep * m_nRow, 24, 24));
    }
    m_color = GetCurrentColor();
    const QRect preview(QPoint(kPreview.left, kPreview.top), QPoint(kPreview.right - 1, kPreview.bottom - 1));
    painter.fillRect(preview, ToQColor(m_color));
    painter.setPen(Qt::black);
    painter.drawRect(preview.adjusted(0, 0, -1, -1));
    m_bPainted = true;
}

void CColorsDlg::OnOK() {
    m_color = RGB(m_red, m_green, m_blue);
    CDialog::OnOK();
}
