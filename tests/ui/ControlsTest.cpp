// Control wrappers, dialog ending rules, menus changed in place and messages.
#include "CComboBox.h"
#include "CDialog.h"
#include "CListCtrl.h"
#include "CMenu.h"
#include "CSpinButtonCtrl.h"
#include "CWnd.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

namespace {
constexpr UINT kControls = 720;

void RegisterControls() {
    using K = DlgItemKind;
    DialogTemplate::Register(kControls, DialogTemplate{u"Controls", 240, 120,
                                                       {{K::ComboEdit, 1040, u"", 2, 2, 150, 100, CBS_SORT},
                                                        {K::ComboList, 1007, u"", 2, 24, 150, 100},
                                                        {K::Edit, 1017, u"", 2, 46, 150, 16},
                                                        {K::PushButton, IDOK, u"Done", 2, 70, 60, 18},
                                                        {K::ListCtrl, 1111, u"", 2, 90, 230, 28}}});
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

TEST_F(ControlsTest, ComboBoxesKeepTypedTextSortAndSelectByPrefix) {
    GuardedDialog dialog;
    Script().ExpectDialog(kControls, [](CDialog& d) {
        CComboBox locations(d.GetDlgItem(1040));
        SetControlText(d, 1040, QStringLiteral("Mar"));
        EXPECT_EQ(locations.AddString(u"Market"), 0);
        EXPECT_EQ(locations.AddString(u"<none>"), 0);
        EXPECT_EQ(locations.AddString(u"bakery"), 1);
        // Adding entries leaves what the user typed alone.
        EXPECT_EQ(d.GetDlgItemText(1040), CString(u"Mar"));
        // The search starts after the given entry and wraps around.
        EXPECT_EQ(locations.FindString(1, u"ba"), 1);
        EXPECT_EQ(locations.SelectString(-1, u"MAR"), 2);
        EXPECT_EQ(d.GetDlgItemText(1040), CString(u"Market"));
        EXPECT_EQ(locations.DeleteString(7), CB_ERR);
        EXPECT_EQ(locations.SetCurSel(9), CB_ERR);
        EXPECT_EQ(locations.GetCurSel(), CB_ERR);

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

TEST_F(ControlsTest, ListControlColumnsShiftOnInsertAndChecksFollowTheStyle) {
    GuardedDialog dialog;
    Script().ExpectDialog(kControls, [](CDialog& d) {
        CListCtrl list(d.GetDlgItem(1111));
        list.InsertColumn(0, u"Date", LVCFMT_RIGHT, 108);
        list.InsertItem(0, u"2024-05-01");
        list.InsertColumn(0, u"Name", LVCFMT_LEFT, 130);
        list.SetItemText(0, 0, u"week.lsr");
        EXPECT_EQ(list.GetItemText(0, 0), CString(u"week.lsr"));
        EXPECT_EQ(list.GetItemText(0, 1), CString(u"2024-05-01"));
        EXPECT_EQ(list.GetWidget()->headerItem()->text(1), QStringLiteral("Date"));
        EXPECT_EQ(list.GetColumnWidth(0), 130);
        EXPECT_FALSE(list.SetItemText(3, 0, u"x"));

        // Check boxes appear with the style, on old and new rows alike.
        EXPECT_FALSE(list.GetWidget()->topLevelItem(0)->data(0, Qt::CheckStateRole).isValid());
        list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        list.InsertItem(1, u"party.lsr");
        EXPECT_TRUE(list.GetWidget()->topLevelItem(1)->data(0, Qt::CheckStateRole).isValid());
        list.SetCheck(0);
        EXPECT_TRUE(list.GetCheck(0));
        list.SetItemSelected(1, TRUE);
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), -1);
        EXPECT_TRUE(list.DeleteItem(0));
        EXPECT_EQ(list.GetItemCount(), 1);
        PressOK(d);
    });
    dialog.DoModal();
}

TEST_F(ControlsTest, UpDownStaysInRangeWrapsAndSetsItsBuddy) {
    CSpinButtonCtrl spin;
    QLineEdit buddy;
    spin.SetBuddy(&buddy);
    spin.SetRange(1, 3);
    EXPECT_EQ(spin.SetPos(50), 0);
    EXPECT_EQ(spin.GetPos(), 3);
    spin.Step(+1);
    EXPECT_EQ(spin.GetPos(), 3);  // no wrap: stays at the end
    spin.SetStyle(UDS_WRAP | UDS_SETBUDDYINT);
    spin.Step(+1);
    EXPECT_EQ(spin.GetPos(), 1);
    EXPECT_EQ(buddy.text(), QStringLiteral("1"));
    spin.Step(-1);
    EXPECT_EQ(spin.GetPos(), 3);
    // A reversed range turns the arrows round.
    spin.SetRange(10, 0);
    spin.SetPos(5);
    std::vector<int> deltas;
    QObject::connect(&spin, &CSpinButtonCtrl::deltaPos, &spin, [&](int, int delta) { deltas.push_back(delta); });
    spin.Step(+1);
    EXPECT_EQ(spin.GetPos(), 4);
    EXPECT_EQ(deltas, std::vector<int>{-1});
}

TEST_F(ControlsTest, MenuEntriesInsertedEnabledAndRemovedInPlace) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 10, u"Ten");
    menu.AppendMenu(MF_STRING, 30, u"Thirty");
    EXPECT_TRUE(menu.InsertMenu(1, MF_BYPOSITION | MF_STRING, 20, u"Twenty"));
    EXPECT_TRUE(menu.InsertMenu(10, MF_BYCOMMAND | MF_STRING, 5, u"Five"));
    EXPECT_FALSE(menu.InsertMenu(99, MF_BYCOMMAND | MF_STRING, 6, u"Six"));
    EXPECT_FALSE(menu.AppendMenu(MF_POPUP, 0, u"Sub"));
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    EXPECT_EQ(menu.GetMenuItemID(0), 5u);
    EXPECT_EQ(menu.GetMenuItemID(2), 20u);

    EXPECT_EQ(menu.EnableMenuItem(20, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(20, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    // Check marks report the state before; texts are cut to the caller's buffer.
    EXPECT_EQ(menu.CheckMenuItem(1, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(menu.CheckMenuItem(10, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(99, MF_BYPOSITION | MF_CHECKED), static_cast<UINT>(-1));
    WCHAR buffer[4];
    EXPECT_EQ(menu.GetMenuString(2, buffer, 4, MF_BYPOSITION), 3);
    EXPECT_EQ(std::u16string(buffer), u"Twe");
    EXPECT_TRUE(menu.RemoveMenu(30, MF_BYCOMMAND));
    EXPECT_FALSE(menu.DeleteMenu(30, MF_BYCOMMAND));
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuState(9, MF_BYPOSITION), static_cast<UINT>(-1));
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

TEST_F(ControlsTest, CustomChildWindowPaintsAndTakesTaps) {
    struct Button : CWnd {
        void OnPaint() override {
            QPainter painter(GetWidget());
            painter.fillRect(GetWidget()->rect(), QColor(0, 200, 0));
        }
        void OnLButtonUp(UINT, CPoint p) override { taps.push_back(p.x); }
        std::vector<int> taps;
    };
    struct Parent : CWnd {
        Parent() { AttachWidget(new QWidget(), true); }
    } parent;
    parent.GetWidget()->resize(240, 320);
    Button button;
    ASSERT_TRUE(button.Create(nullptr, u"NextIcon", WS_CHILD, CRect(224, 304, 240, 320), &parent, 47));
    EXPECT_FALSE(button.GetWidget()->isVisibleTo(parent.GetWidget()));
    EXPECT_EQ(parent.GetDlgItem(47), button.GetWidget());
    EXPECT_EQ(button.GetParent(), &parent);
    button.ShowWindow(SW_SHOW);
    EXPECT_EQ(RenderWidget(parent.GetWidget()).pixelColor(230, 310), QColor(0, 200, 0));
    Tap(button.GetWidget(), QPoint(3, 3));
    EXPECT_EQ(button.taps, std::vector<int>{3});
    CRect client;
    button.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 16, 16));

    // Placed at run time where another control lies, as the quantity's up-down is.
    auto* spin = new CSpinButtonCtrl();
    ASSERT_TRUE(spin->Create(UDS_ALIGNRIGHT | WS_VISIBLE, CRect(106, 20, 120, 36), parent.GetWidget(), 101));
    EXPECT_EQ(parent.GetDlgItemAs<CSpinButtonCtrl>(101), spin);
    EXPECT_EQ(spin->geometry(), QRect(106, 20, 14, 16));
}

TEST_F(ControlsTest, SubclassedEditDropsCharactersItsHandlerRefuses) {
    // A numeric field in small: digits and backspace reach the edit, nothing else.
    struct DigitsEdit : CWnd {
        void OnChar(UINT c, UINT repeat, UINT flags) override {
            if ((c >= u'0' && c <= u'9') || c == 0x08)
                CWnd::OnChar(c, repeat, flags);
        }
        void OnKeyUp(UINT, UINT, UINT) override { ++keyUps; }
        int keyUps = 0;
    };
    GuardedDialog dialog;
    Script().ExpectDialog(kControls, [](CDialog& d) {
        DigitsEdit edit;
        ASSERT_TRUE(edit.SubclassDlgItem(1017, &d));
        EXPECT_FALSE(DigitsEdit().SubclassDlgItem(4242, &d));
        TypeText(d.GetDlgItem(1017), QStringLiteral("1a2.3\b"));
        EXPECT_EQ(d.GetDlgItemText(1017), CString(u"12"));
        EXPECT_EQ(edit.keyUps, 6);
        PressOK(d);
    });
    dialog.DoModal();
}
