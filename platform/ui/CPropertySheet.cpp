#include "CPropertySheet.h"

#include "CPropertyPage.h"
#include "CWinApp.h"
#include "QtText.h"
#include "StringTable.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_title(caption), m_startPage(selectPage) {}

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CDialog(0, parent), m_title(LoadString(captionId)), m_startPage(selectPage) {}

CPropertySheet::~CPropertySheet() {
    DestroyWindow();
    for (CPropertyPage* page : m_pages)
        page->m_pSheet = nullptr;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page || std::find(m_pages.begin(), m_pages.end(), page) != m_pages.end())
        return;
    page->m_pSheet = this;
    m_pages.push_back(page);
    if (m_tabs)
        m_tabs->addTab(page->CreatePage(m_tabs), ToQString(page->GetCaption()));
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount())
        return;
    CPropertyPage* page = m_pages[static_cast<std::size_t>(index)];
    if (m_tabs) {
        QSignalBlocker block(m_tabs);
        QWidget* widget = m_tabs->widget(index);
        m_tabs->removeTab(index);
        page->DestroyWindow();
        delete widget;
        if (m_active == index)
            m_active = -1;
        else if (m_active > index)
            --m_active;
    }
    page->m_pSheet = nullptr;
    m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(m_active);
}

int CPropertySheet::GetActiveIndex() const {
    return m_active;
}

BOOL CPropertySheet::SetActivePage(int index) {
    CPropertyPage* next = GetPage(index);
    if (!next)
        return FALSE;
    if (index == m_active)
        return TRUE;
    if (CPropertyPage* current = GetActivePage(); current && !current->OnKillActive()) {
        QSignalBlocker block(m_tabs);
        if (m_tabs)
            m_tabs->setCurrentIndex(m_active);
        return FALSE;
    }
    m_active = index;
    if (m_tabs) {
        QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    next->OnSetActive();
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    return it == m_pages.end() ? FALSE : SetActivePage(static_cast<int>(it - m_pages.begin()));
}

void CPropertySheet::SetTitle(LPCTSTR title) {
    m_title = CString(title);
    if (GetWidget())
        GetWidget()->setWindowTitle(ToQString(m_title));
}

BOOL CPropertySheet::CreateDialogWindow() {
    // Build the plain dialog (no control table), then put the tabs and buttons in.
    m_templateId = 0;
    if (!CDialog::CreateDialogWindow())
        return FALSE;
    QDialog* dialog = GetDialog();
    dialog->setWindowTitle(ToQString(m_title));
    auto* layout = qobject_cast<QVBoxLayout*>(dialog->layout());
    // The base added an OK row; the sheet has its own.
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QLayout* inner = item->layout())
            while (QLayoutItem* child = inner->takeAt(0)) {
                delete child->widget();
                delete child;
            }
        delete item->widget();
        delete item;
    }
    m_tabs = new QTabWidget(dialog);
    layout->addWidget(m_tabs);
    for (CPropertyPage* page : m_pages)
        m_tabs->addTab(page->CreatePage(m_tabs), ToQString(page->GetCaption()));
    QObject::connect(m_tabs, &QTabWidget::currentChanged, m_tabs, [this](int index) { SetActivePage(index); });
    auto* row = new QHBoxLayout();
    row->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QString::number(IDOK));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QString::number(IDCANCEL));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, ok, [this] { SendMessage(WM_COMMAND, IDOK); });
    QObject::connect(cancel, &QPushButton::clicked, cancel, [this] { SendMessage(WM_COMMAND, IDCANCEL); });
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addSpacing(4);
    layout->addLayout(row);
    m_active = -1;
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog() {
    const int start = static_cast<int>(m_startPage) < GetPageCount() ? static_cast<int>(m_startPage) : 0;
    SetActivePage(start);
    return TRUE;
}

void CPropertySheet::OnOK() {
    if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive())
        return;
    for (CPropertyPage* page : m_pages)
        if (page->IsInitialized())
            page->OnApply();
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
    for (CPropertyPage* page : m_pages)
        if (page->IsInitialized())
            page->OnCancel();
    EndDialog(IDCANCEL);
}
