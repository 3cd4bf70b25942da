#include "CDialog.h"
#include "CFloatEdit.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QApplication>
#include <QLineEdit>

namespace {
constexpr UINT kFloatDialog = 731;
constexpr int kNumber = 1006;
constexpr int kOther = 1017;

class CountingFloatEdit : public CFloatEdit {
public:
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

class FloatEditTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        using K = DlgItemKind;
        DialogTemplate::Register(kFloatDialog, DialogTemplate{u"Number", 240, 100,
                                                              {{K::Edit, kNumber, u"", 4, 4, 80, 22},
                                                               {K::Edit, kOther, u"", 4, 30, 80, 22},
                                                               {K::PushButton, IDCANCEL, u"Cancel", 4, 60, 80, 24}}});
        ASSERT_TRUE(dialog.Create(kFloatDialog));
        ASSERT_TRUE(edit.Subclass(kNumber, &dialog));
        QWidget* window = dialog.GetWidget();
        window->show();
        QApplication::setActiveWindow(window);
        ProcessEvents();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        UiTest::TearDown();
    }
    QLineEdit* Edit() { return edit.GetEdit(); }
    void Focus(int id) {
        dialog.GetDlgItem(id)->setFocus(Qt::OtherFocusReason);
        ProcessEvents();
    }

    CDialog dialog;
    CountingFloatEdit edit;
};
}  // namespace

TEST_F(FloatEditTest, OnlyNumberCharactersReachTheTextAndASecondPointBeeps) {
    Focus(kNumber);
    TypeText(Edit(), QStringLiteral("1a2.b-+x, 7\b"));
    EXPECT_EQ(Edit()->text(), QStringLiteral("12.-+"));
    EXPECT_EQ(edit.beeps, 0) << "without validate mode nothing is checked";

    edit.SetValidateMode(TRUE);
    Edit()->clear();
    TypeText(Edit(), QStringLiteral("1.2"));
    EXPECT_EQ(edit.beeps, 0);
    TypeText(Edit(), QStringLiteral("."));
    EXPECT_EQ(edit.beeps, 1);
    EXPECT_EQ(Edit()->cursorPosition(), 3) << "the caret goes back";
}

TEST_F(FloatEditTest, LeavingWithANumberOutOfBoundsSaysSoAndKeepsTheFocusExceptForCancel) {
    edit.SetValidateMode(TRUE);
    edit.SetBounds(0, 99);
    Focus(kNumber);
    TypeText(Edit(), QStringLiteral("120"));
    Script().ExpectMessageBox(u"The number must be smaller than  99.00", IDOK);
    Focus(kOther);
    EXPECT_TRUE(Edit()->hasFocus());
    Focus(IDCANCEL);
    EXPECT_FALSE(Edit()->hasFocus());
}

TEST_F(FloatEditTest, SetValueOnlyWithinTheBounds) {
    edit.SetBounds(0, 99);
    EXPECT_TRUE(edit.SetValue(12.5f));
    EXPECT_EQ(Edit()->text(), QStringLiteral("12.50"));
    EXPECT_FALSE(edit.SetValue(120));
    EXPECT_FALSE(edit.SetValue(-1));
    EXPECT_EQ(Edit()->text(), QStringLiteral("12.50"));
}
