#include "AfxMessageBox.h"
#include "CComboBox.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "CSpinButtonCtrl.h"
#include "DialogTemplate.h"
#include "ModalRunner.h"
#include "QtText.h"
#include "StringTable.h"
#include "UiTest.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <gtest/gtest-spi.h>

namespace {
constexpr UINT kItemDialog = 700;
constexpr UINT kPageA = 710;
constexpr UINT kPageB = 711;

void RegisterDialogs() {
    using K = DlgItemKind;
    DialogTemplate::Register(kItemDialog, DialogTemplate{u"Add Item to list", 240, 0,
                                                         {{K::Static, IDC_STATIC, u"Name:", 2, 4, 40, 14},
                                                          {K::ComboEdit, 1003, u"", 44, 2, 150, 100, CBS_SORT},
                                                          {K::Edit, 1006, u"", 44, 20, 60, 16},
                                                          {K::UpDown, 101, u"", 106, 20, 14, 16, UDS_WRAP},
                                                          {K::CheckBox, 1008, u"Taxable:", 2, 40, 80, 14},
                                                          {K::PushButton, 1042, u"Select Categories ...", 2, 60, 120, 18},
                                                          {K::PushButton, IDCANCEL, u"Cancel", 150, 60, 60, 18}}});
    DialogTemplate::Register(kPageA, DialogTemplate{u"Units", 240, 100, {}});
    DialogTemplate::Register(kPageB, DialogTemplate{u"Lists", 240, 100, {}});
}

// The add-item dialog in small: a name, a quantity stepped by the up-down control,
// a check box, and a button that asks a question.
class ItemDialog : public CDialog {
public:
    ItemDialog() : CDialog(kItemDialog) {
        MapCommand(1042, [this] { asked = AfxMessageBox(u"No categories defined!", MB_YESNO); });
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        names.Attach(GetDlgItem(1003));
        names.AddString(u"Milk");
        names.AddString(u"bread");
        names.AddString(u"Apples");
        auto* spin = GetDlgItemAs<CSpinButtonCtrl>(101);
        spin->SetRange(1, 1000);
        spin->SetPos(1000);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBString(pDX, 1003, name);
        DDX_Text(pDX, 1006, quantity);
        DDV_MinMaxInt(pDX, quantity, 1, 1000);
        DDX_Check(pDX, 1008, taxable);
    }

    CComboBox names;
    CString name;
    int quantity = 1;
    int taxable = 0;
    int asked = 0;
};

// A page that counts its start-ups and OKs.
class Page : public CPropertyPage {
public:
    explicit Page(UINT id) : CPropertyPage(id) {}
    BOOL OnInitDialog() override {
        ++inits;
        return CPropertyPage::OnInitDialog();
    }
    void OnOK() override { ++oks; }
    int inits = 0;
    int oks = 0;
};

// Runs action on the real modal once it is up (or fails after a deadline).
void OnNextModal(const std::function<void(QWidget*)>& action) {
    QElapsedTimer waited;
    waited.start();
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && waited.elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal) {
            ADD_FAILURE() << "no modal came up";
            return;
        }
        action(modal);
    });
    timer->start(50);
}

}  // namespace

class ModalSeamTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterDialogs();
    }
    void TearDown() override {
        StringTable::Clear();
        UiTest::TearDown();
    }
};

TEST_F(ModalSeamTest, DialogRunByScriptWithControlsFoundById) {
    ItemDialog dialog;
    Script().ExpectDialog(kItemDialog, [](CDialog& d) {
        auto& item = static_cast<ItemDialog&>(d);
        EXPECT_EQ(item.names.FindStringExact(-1, u"milk"), 2);  // sorted ignoring case
            EXPECT_EQ(d.GetDlgItemText(1006), CString(u"1"));  // exchanged at start
        EXPECT_EQ(d.GetDialog()->windowTitle(), QStringLiteral("Add Item to list"));
        SetControlText(d, 1003, QStringLiteral("Pears"));
        SetControlText(d, 1006, QStringLiteral("12"));
        SetControlCheck(d, 1008, true);
        // The up-down control wraps at the end of its range, as its template says.
        auto* spin = d.GetDlgItemAs<CSpinButtonCtrl>(101);
        spin->Step(+1);
        EXPECT_EQ(spin->GetPos(), 1);
        PressOK(d);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, CString(u"Pears"));
    EXPECT_EQ(dialog.quantity, 12);
    EXPECT_EQ(dialog.taxable, 1);
    EXPECT_EQ(dialog.GetWidget(), nullptr);  // the window is gone after the run
}

TEST_F(ModalSeamTest, FailedValidationKeepsDialogOpenAndCancelKeepsValues) {
    ItemDialog dialog;
    Script().ExpectDialog(kItemDialog, [](CDialog& d) {
        SetControlText(d, 1006, QStringLiteral("abc"));
        PressOK(d);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.GetDialog()->focusWidget(), d.GetDlgItem(1006));
        SetControlText(d, 1006, QStringLiteral("5000"));
        PressOK(d);
        EXPECT_FALSE(d.IsEnded());
        SetControlText(d, 1006, QStringLiteral("7"));
        SetControlCheck(d, 1008, true);
        PressCancel(d);
    });
    Script()
        .ExpectMessageBox(u"Please enter an integer.", IDOK)
        .ExpectMessageBox(u"Please enter an integer between 1 and 1000.", IDOK);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.taxable, 0);
    EXPECT_EQ(dialog.quantity, 5000);  // what the last exchange read before it failed
}

TEST_F(ModalSeamTest, YesNoQuestionsFromADialogByStringIdAndFromTheCore) {
    ItemDialog dialog;
    Script().ExpectDialog(kItemDialog, [](CDialog& d) {
        PressButton(d, 1042);
        EXPECT_EQ(static_cast<ItemDialog&>(d).asked, IDNO);
        PressCancel(d);
    });
    Script().ExpectMessageBox(u"No categories defined!", IDNO);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    StringTable::Register({{61451, u"Are you sure?"}, {57344, u"Listora"}});
    Script().ExpectMessageBox(u"Are you sure?", IDYES);
    EXPECT_EQ(AfxMessageBox(61451, MB_YESNO | MB_ICONQUESTION), IDYES);

    // Code without a user interface reaches the same seam.
    Script().ExpectMessageBox(u"Found", IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"Found", u"Found", MB_OK), IDOK);
}

TEST_F(ModalSeamTest, UnexpectedOrMissingPromptsFailTheTest) {
    ScriptedModalRunner other;
    ScopedModalRunner installed(&other);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox(u"Remove 'Milk'?", MB_YESNO), "unexpected message box");
    EXPECT_EQ(answer, IDNO);  // the cancelling answer
    other.ExpectMessageBox(u"Something else", IDYES);
    EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox(u"Remove 'Milk'?", MB_YESNOCANCEL), "expected message box");
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_NONFATAL_FAILURE(other.Verify(), "\"Something else\" never came");
    other.ExpectMessageBox(u"Sure?", IDOK);
    EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox(u"Sure?", MB_YESNO), "not a button");
    ItemDialog dialog;
    other.ExpectDialog(kItemDialog, [](CDialog&) {});
    EXPECT_NONFATAL_FAILURE(dialog.DoModal(), "pressed neither OK nor Cancel");
}

TEST_F(ModalSeamTest, FileDialogsTakeTheDeviceFilterAndDefaultExtension) {
    CFileDialog save(FALSE, u"lsr", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, u"Listora files (*.lsr)|*.lsr|");
    Script().ExpectFileDialog(false, u"/tmp/lists/week");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), CString(u"/tmp/lists/week.lsr"));
    EXPECT_EQ(save.GetFileTitle(), CString(u"week"));
    EXPECT_EQ(Script().LastFileFilters(), QStringList{QStringLiteral("Listora files (*.lsr)")});
    // The open dialog's filter of two patterns is the program's Open (tests/app).
    CFileDialog open(TRUE, nullptr, nullptr, 6, u"All Supported files|*.lsr;*.obls|;");
    Script().ExpectFileDialog(true, u"");
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_TRUE(open.GetPathName().IsEmpty());

    // A name that has an extension keeps it; a dot in a folder name is no extension.
    save.SetChosenPath(u"/tmp/a.b/list.txt");
    EXPECT_EQ(save.GetPathName(), CString(u"/tmp/a.b/list.txt"));
    save.SetChosenPath(u"/tmp/a.b/list");
    EXPECT_EQ(save.GetPathName(), CString(u"/tmp/a.b/list.lsr"));
    EXPECT_EQ(CFileDialog::ParseFilter(u"Text (*.txt)|*.txt|All (*.*)|*.*||"),
              (QStringList{QStringLiteral("Text (*.txt)"), QStringLiteral("All (*.*)")}));
    EXPECT_TRUE(CFileDialog::ParseFilter(u"|||").isEmpty());
}

TEST_F(ModalSeamTest, PropertySheetInitialisesPagesWhenShownAndAppliesThemOnOK) {
    Page units(kPageA);
    Page lists(kPageB);
    CPropertySheet sheet(u"Item Manager");
    sheet.AddPage(&units);
    sheet.AddPage(&lists);
    Script().ExpectDialog(0, [&](CDialog& d) {
        EXPECT_EQ(d.GetDialog()->windowTitle(), QStringLiteral("Item Manager"));
        EXPECT_EQ(units.inits, 1);
        EXPECT_EQ(lists.inits, 0);  // not shown yet
        EXPECT_TRUE(sheet.SetActivePage(1));
        EXPECT_EQ(lists.inits, 1);
        EXPECT_EQ(lists.GetParent(), &sheet);
        PressOK(d);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(units.oks, 1);
    EXPECT_EQ(lists.oks, 1);
}

// The default runner shows real modals and returns what the user pressed.
TEST_F(ModalSeamTest, RealModalsAnswerAsPressedUseTheSmallScreensWidthAndEndWithTheProgram) {
    ScopedModalRunner real(nullptr);
    QWidget screen;
    screen.resize(240, 320);
    screen.show();
    const QString text = QStringLiteral("Cannot sort by this column in this view!");
    int labelWidth = 0;
    OnNextModal([&labelWidth](QWidget* modal) {
        labelWidth = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->width();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ModalRunner::Current().MessageBox(&screen, ToCString(text), CString(u"Listora"), MB_YESNO), IDNO);
    EXPECT_GE(labelWidth, 240 - 60) << "not broken into a narrow column";
    ItemDialog dialog;
    OnNextModal([](QWidget* modal) { modal->findChild<QAbstractButton*>(QString::number(IDOK))->click(); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.quantity, 1);

    // The end of the program closes an open prompt as cancelled; later ones do not show.
    OnNextModal([](QWidget*) { ModalRunner::EndAllPrompts(); });
    EXPECT_EQ(AfxMessageBox(u"Save?", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(u"Remove 'Milk'?", MB_YESNO), IDNO);
}
