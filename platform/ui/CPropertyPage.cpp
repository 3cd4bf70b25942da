#include "CPropertyPage.h"

#include "DialogTemplate.h"
#include "QtText.h"
#include "StringTable.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
    if (captionId)
        m_caption = LoadString(captionId);
    else if (const DialogTemplate* page = DialogTemplate::Find(templateId))
        m_caption = CString(page->caption);
}

QWidget* CPropertyPage::CreatePage(QWidget* parent) {
    QWidget* content = BuildContent(parent, nullptr);
    AttachWidget(content, false);
    m_initialized = false;
    return content;
}

void CPropertyPage::EnsureInitialized() {
    if (m_initialized || !GetWidget())
        return;
    m_initialized = true;
    OnInitDialog();
}

BOOL CPropertyPage::OnSetActive() {
    EnsureInitialized();
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() {
    return UpdateData(TRUE);
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnApply() {
    OnOK();
    m_modified = false;
    return TRUE;
}
