#include "CDialog.h"

#include "CSpinButtonCtrl.h"
#include "CWinApp.h"
#include "DialogTemplate.h"
#include "ModalRunner.h"
#include "QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

class CDialog::DialogWidget : public QDialog {
public:
    DialogWidget(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

    // Enter, Escape and the window's close button go the device way: through the
    // dialog's OnOK / OnCancel, which decide whether it ends.
    void accept() override { m_owner->SendMessage(WM_COMMAND, IDOK); }
    void reject() override { m_owner->SendMessage(WM_COMMAND, IDCANCEL); }
    void finish(int result) { QDialog::done(result); }

private:
    CDialog* m_owner;
};

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {
    MapCommand(IDOK, [this] { OnOK(); });
    MapCommand(IDCANCEL, [this] { OnCancel(); });
}

CDialog::~CDialog() {
    DestroyWindow();
}

QDialog* CDialog::GetDialog() const {
    return qobject_cast<QDialog*>(GetWidget());
}

QWidget* CDialog::CreateControl(const DlgItemTemplate& item, QWidget* parent) {
    const QString text = ToQString(item.text);
    QWidget* control = nullptr;
    switch (item.kind) {
    case DlgItemKind::Static: control = new QLabel(text, parent); break;
    case DlgItemKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setReadOnly(item.style & ES_READONLY);
        if (item.style & ES_PASSWORD)
            edit->setEchoMode(QLineEdit::Password);
        control = edit;
        break;
    }
    case DlgItemKind::MultiLineEdit: {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setReadOnly(item.style & ES_READONLY);
        control = edit;
        break;
    }
    case DlgItemKind::ComboEdit:
    case DlgItemKind::ComboList: {
        auto* combo = new QComboBox(parent);
        if (item.kind == DlgItemKind::ComboEdit) {
            combo->setEditable(true);
            // Entries are added by the program, not by typing.
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
        }
        combo->setProperty("sorted", (item.style & CBS_SORT) != 0);
        control = combo;
        break;
    }
    case DlgItemKind::CheckBox: control = new QCheckBox(text, parent); break;
    case DlgItemKind::PushButton:
    case DlgItemKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(item.kind == DlgItemKind::DefPushButton);
        control = button;
        break;
    }
    case DlgItemKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setProperty("sorted", (item.style & LBS_SORT) != 0);
        control = list;
        break;
    }
    case DlgItemKind::ListCtrl: {
        auto* list = new QTreeWidget(parent);
        list->setRootIsDecorated(false);
        list->setColumnCount(0);
        list->header()->setStretchLastSection(false);
        control = list;
        break;
    }
    case DlgItemKind::IconListCtrl: {
        // The rows live in a hidden tree (so CListCtrl treats both views alike); the
        // icon view shows the tree's model and shares its selection.
        auto* view = new QListView(parent);
        auto* rows = new QTreeWidget(view);
        rows->hide();
        rows->setColumnCount(0);
        view->setModel(rows->model());
        view->setSelectionModel(rows->selectionModel());
        view->setViewMode(QListView::IconMode);
        view->setMovement(QListView::Static);
        view->setResizeMode(QListView::Adjust);
        view->setWrapping(true);
        view->setWordWrap(true);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setIconSize(QSize(32, 32));
        // Four entries a row on the 240-pixel screen, room for two lines of text.
        view->setGridSize(QSize(56, 64));
        control = view;
        break;
    }
    case DlgItemKind::UpDown: {
        auto* spin = new CSpinButtonCtrl(parent);
        spin->SetStyle(item.style);
        control = spin;
        break;
    }
    case DlgItemKind::GroupBox: control = new QGroupBox(text, parent); break;
    case DlgItemKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        control = bar;
        break;
    }
    }
    control->setObjectName(QString::number(item.id));
    control->setGeometry(item.x, item.y, item.cx, item.cy);
    if (item.style & WS_DISABLED)
        control->setEnabled(false);
    return control;
}

QWidget* CDialog::BuildContent(QWidget* parent, bool* hasOkButton) {
    auto* content = new QWidget(parent);
    const DialogTemplate* dialogTemplate = DialogTemplate::Find(m_templateId);
    int width = 240;
    int height = 0;
    if (dialogTemplate) {
        for (const DlgItemTemplate& item : dialogTemplate->items) {
            QWidget* control = CreateControl(item, content);
            height = std::max(height, item.y + item.cy + 4);
            if (item.id == IDOK && qobject_cast<QPushButton*>(control) && hasOkButton)
                *hasOkButton = true;
        }
        width = std::max(width, dialogTemplate->cx);
        if (dialogTemplate->cy > 0)
            height = dialogTemplate->cy;
    }
    content->setMinimumSize(width, height);
    ConnectControls(content);
    return content;
}

void CDialog::ConnectControls(QWidget* content) {
    for (QAbstractButton* button : content->findChildren<QAbstractButton*>()) {
        bool ok = false;
        const int id = button->objectName().toInt(&ok);
        if (!ok)
            continue;
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [this, id] { SendMessage(WM_COMMAND, static_cast<WPARAM>(id)); });
    }
}

BOOL CDialog::CreateDialogWindow() {
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    auto* dialog = new DialogWidget(this, parent && parent->GetWidget() ? parent->GetWidget()->window() : nullptr);
    if (const DialogTemplate* dialogTemplate = DialogTemplate::Find(m_templateId))
        dialog->setWindowTitle(ToQString(dialogTemplate->caption));
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 4);
    bool hasOk = false;
    layout->addWidget(BuildContent(dialog, &hasOk));
    if (!hasOk) {
        auto* row = new QHBoxLayout();
        row->addStretch();
        auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
        ok->setObjectName(QString::number(IDOK));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, ok, [this] { SendMessage(WM_COMMAND, IDOK); });
        row->addWidget(ok);
        row->addSpacing(4);
        layout->addLayout(row);
    }
    AttachWidget(dialog, true);
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (GetWidget())
        return FALSE;
    if (templateId)
        m_templateId = templateId;
    if (parent)
        m_pParentWnd = parent;
    m_ended = false;
    m_endCode = -1;
    if (!CreateDialogWindow())
        return FALSE;
    OnInitDialog();
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (!Create())
        return -1;
    INT_PTR result = m_ended ? m_endCode : ModalRunner::Current().RunDialog(*this);
    if (m_ended)
        result = m_endCode;
    DestroyWindow();
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_endCode = result;
    if (auto* dialog = dynamic_cast<DialogWidget*>(GetWidget()))
        dialog->finish(result);
    else if (QWidget* widget = GetWidget(); widget && widget->isWindow())
        widget->hide();
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.Failed() ? FALSE : TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(QWidget* control) {
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

QWidget* CDataExchange::PrepareCtrl(int id) {
    m_lastControl = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    return m_lastControl;
}

void CDataExchange::Fail() {
    m_failed = true;
    if (m_pDlgWnd && m_lastControl)
        m_pDlgWnd->GotoDlgCtrl(m_lastControl);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (pDX->Failed())
        return;
    pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    if (pDX->Failed())
        return;
    pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemInt(id, static_cast<UINT>(value), TRUE);
        return;
    }
    BOOL ok = FALSE;
    const UINT parsed = pDX->m_pDlgWnd->GetDlgItemInt(id, &ok, TRUE);
    if (!ok) {
        pDX->m_pDlgWnd->MessageBox(u"Please enter an integer.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* pDX, int id, UINT& value) {
    if (pDX->Failed())
        return;
    pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemInt(id, value, FALSE);
        return;
    }
    BOOL ok = FALSE;
    const UINT parsed = pDX->m_pDlgWnd->GetDlgItemInt(id, &ok, FALSE);
    if (!ok) {
        pDX->m_pDlgWnd->MessageBox(u"Please enter a positive integer.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = parsed;
}

void DDX_Text(CDataExchange* pDX, int id, float& value) {
    if (pDX->Failed())
        return;
    pDX->PrepareCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemText(id, ToCString(QString::number(static_cast<double>(value), 'g', 7)));
        return;
    }
    bool ok = false;
    const float parsed = ToQString(pDX->m_pDlgWnd->GetDlgItemText(id)).trimmed().toFloat(&ok);
    if (!ok) {
        pDX->m_pDlgWnd->MessageBox(u"Please enter a number.", nullptr, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = parsed;
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->Failed())
        return;
    pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(pDX->m_pDlgWnd->IsDlgButtonChecked(id));
    else
        pDX->m_pDlgWnd->CheckDlgButton(id, value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    if (pDX->Failed())
        return;
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ToCString(combo->currentText());
        return;
    }
    const QString text = ToQString(value);
    // Select the entry that starts with the text, as the device does; an editable
    // combo box shows the text as it is.
    const int index = combo->findText(text, Qt::MatchStartsWith);
    if (index >= 0)
        combo->setCurrentIndex(index);
    if (combo->isEditable())
        combo->setEditText(text);
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX->Failed())
        return;
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(id));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index);
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index) {
    if (pDX->Failed())
        return;
    auto* list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(id));
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate)
        index = list->currentRow();
    else
        list->setCurrentRow(index);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    const QString text = QStringLiteral("Please enter an integer between %1 and %2.").arg(minValue).arg(maxValue);
    pDX->m_pDlgWnd->MessageBox(ToCString(text), nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minValue, float maxValue) {
    // Written so that a value that is no number (NaN) fails too.
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    const QString text = QStringLiteral("Please enter a number between %1 and %2.")
                             .arg(static_cast<double>(minValue))
                             .arg(static_cast<double>(maxValue));
    pDX->m_pDlgWnd->MessageBox(ToCString(text), nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars) {
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || value.GetLength() <= maxChars)
        return;
    const QString text = QStringLiteral("Enter no more than %1 characters.").arg(maxChars);
    pDX->m_pDlgWnd->MessageBox(ToCString(text), nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
