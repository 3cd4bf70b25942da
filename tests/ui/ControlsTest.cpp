// Combo boxes, dialog ending rules, menus changed in place and posted messages.
#include "CComboBox.h"
#include "CDialog.h"
#include "CMenu.h"
#include "CWnd.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QDialog>
#include <QPushButton>

namespace {
constexpr UINT kControls = 720;

void RegisterControls() {
    using K = DlgItemKind;
    DialogTemplate::Register(kControls, DialogTemplate{u"Controls", 240, 120,
                                                       {{K::ComboEdit, 1040, u"", 2, 2, 150, 100, CBS_SORT},
                                                        {K::ComboList, 1007, u"", 2, 24, 150, 100},
                                                        {K::PushButton, IDOK, u"Done", 2, 70, 60, 18}}});
}

class GuardedDialog : public CDialog {
public:
    GuardedDialog() : CDialog(kControls) {}
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (endAtOnce)
            EndDialog(42);
        return TRUE;
    }
    void OnCancel() override {
        ++cancels;
        if (allowCancel)
            CDialog::OnCancel();
    }
    bool endAtOnce = false;
    bool allowCancel = false;
    int cancels = 0;
};

}  // namespace

class ControlsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterControls();
    }
};

TEST_F(ControlsTest, DialogEndedInInitNeverReachesTheRunnerAndEscapeAsksOnCancel) {
    GuardedDialog early;
    early.endAtOnce = true;
    EXPECT_EQ(early.DoModal(), 42);  // no scripted prompt: the runner never saw it

    GuardedDialog dialog;
    Script().ExpectDialog(kControls, [](CDialog& d) {
        auto& g = static_cast<GuardedDialog&>(d);
        // The table has its own OK button, so none is added.
        EXPECT_EQ(d.GetDialog()->findChildren<QPushButton*>().size(), 1);
        d.GetDialog()->reject();  // Escape or the close button
        EXPECT_FALSE(d.IsEnded());
        g.allowCancel = true;
        d.GetDialog()->reject();
        EXPECT_EQ(g.cancels, 2);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(ControlsTest, ComboBoxesKeepTypedTextSortAndSelectByText) {
    GuardedDialog dialog;
    Script().ExpectDialog(kControls, [](CDialog& d) {
        CComboBox locations(d.GetDlgItem(1040));
        SetControlText(d, 1040, QStringLiteral("Mar"));
        EXPECT_EQ(locations.AddString(u"Market"), 0);
        EXPECT_EQ(locations.AddString(u"<none>"), 0);
        EXPECT_EQ(locations.AddString(u"bakery"), 1);
        EXPECT_EQ(d.GetDlgItemText(1040), CString(u"Mar"));
        EXPECT_EQ(locations.SetCurSel(9), CB_ERR);

        // A plain drop-down list keeps the order of arrival and selects by text.
        CComboBox units(d.GetDlgItem(1007));
        units.AddString(u"kg");
        units.AddString(u"Box");
        d.SetDlgItemText(1007, u"box");
        EXPECT_EQ(units.GetCurSel(), 1);
        PressOK(d);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// List controls, up-down controls, custom child windows and subclassed edits are
// exercised by the program's dialogs and views (tests/app) and by CFloatEdit
// (tests/frameworkui); the seam's own dialog steps a wrapping up-down (ModalSeamTest).
// As the restriction menus are refilled: entries appended checked or not, read back
// into a short buffer, and deleted by position.
TEST_F(ControlsTest, MenuEntriesAppendedReadAndDeletedInPlace) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING | MF_CHECKED, 10, u"Ten");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_UNCHECKED, 20, u"Twenty");
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(2, MF_BYPOSITION) & MF_CHECKED, 0u);
    WCHAR buffer[4];
    EXPECT_EQ(menu.GetMenuString(2, buffer, 4, MF_BYPOSITION), 3);
    EXPECT_EQ(std::u16string(buffer), u"Twe");
    EXPECT_TRUE(menu.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuItemID(1), 20u);
    // A pop-up without an owner only reports the choice.
    Script().ExpectPopupMenu(20u);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_CENTERALIGN | TPM_VCENTERALIGN, 100, 100, nullptr), 20);
}

TEST_F(ControlsTest, PostedMessagesArriveLaterAndNotAfterTheWindowIsGone) {
    struct Receiver : CWnd {
        Receiver() { AttachWidget(new QWidget(), true); }
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_USER + 1)
                received.push_back(static_cast<int>(wParam));
            return CWnd::WindowProc(message, wParam, lParam);
        }
        std::vector<int> received;
    };
    auto receiver = std::make_unique<Receiver>();
    receiver->PostMessage(WM_USER + 1, 7);
    EXPECT_TRUE(receiver->received.empty());
    EXPECT_EQ(receiver->SendMessage(WM_USER + 1, 8), 0);
    ProcessEvents();
    EXPECT_EQ(receiver->received, (std::vector<int>{8, 7}));
    receiver->PostMessage(WM_USER + 1, 9);
    receiver.reset();
    ProcessEvents();  // delivered to nobody, without touching the freed window

    // Handles of windows that are gone are not windows any more.
    auto other = std::make_unique<Receiver>();
    HWND hwnd = other->GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandle(hwnd), other.get());
    other.reset();
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}
