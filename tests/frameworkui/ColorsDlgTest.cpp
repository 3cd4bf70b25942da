#include "CColorsDlg.h"
#include "CWaitCursor.h"
#include "UiTest.h"

#include <QLineEdit>

namespace {

class ColorsDlgTest : public UiTest {
protected:
    // Runs the dialog modally; body gets it open, after OnInitDialog.
    INT_PTR Run(CColorsDlg& dialog, std::function<void(CColorsDlg&)> body) {
        Script().ExpectDialog(CColorsDlg::IDD, [&](CDialog& d) { body(static_cast<CColorsDlg&>(d)); });
        return dialog.DoModal();
    }
    static QString Edit(CColorsDlg& d, int id) { return d.GetDlgItemAs<QLineEdit>(id)->text(); }
    static COLORREF Edits(CColorsDlg& d) {
        return RGB(Edit(d, CColorsDlg::IDC_RED).toInt(), Edit(d, CColorsDlg::IDC_GREEN).toInt(),
                   Edit(d, CColorsDlg::IDC_BLUE).toInt());
    }
    static QColor Pixel(CColorsDlg& d, int x, int y) { return RenderWidget(d.GetWidget()).pixelColor(x, y); }
};

}  // namespace

TEST_F(ColorsDlgTest, ATapSelectsTheSwatchUnderItCornersAndGapsIncludedOutsideTheGridNothing) {
    struct Case {
        QPoint tap;
        bool selected;
        int row, column;
    };
    const Case cases[] = {
        {{30, 25}, true, 0, 0},     // the first swatch's top-left pixel
        {{52, 47}, true, 0, 0},     // the gap belongs to the swatch before it
        {{211, 160}, true, 5, 7},   // the last swatch's far corner
        {{214, 100}, false, 0, 0},  // right of the grid
    };
    CColorsDlg dialog;
    Run(dialog, [&](CColorsDlg& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.tap.x() << "," << c.tap.y());
            d.SetColor(0x123456);
            Tap(d.GetWidget(), c.tap);
            ASSERT_EQ(d.HasSelection(), c.selected);
            if (!c.selected)
                continue;
            EXPECT_EQ(d.GetSelectedRow(), c.row);
            EXPECT_EQ(d.GetSelectedColumn(), c.column);
            EXPECT_EQ(Edits(d), CColorsDlg::kPalette[c.row][c.column]);
        }
        PressCancel(d);
    });
}

TEST_F(ColorsDlgTest, TypedComponentsAreKeptWithin0To255AndOkComposesTheColour) {
    CColorsDlg dialog;
    Run(dialog, [&](CColorsDlg& d) {
        auto* blue = d.GetDlgItemAs<QLineEdit>(CColorsDlg::IDC_BLUE);
        blue->selectAll();
        blue->insert(QStringLiteral("-5"));  // pasted
        EXPECT_EQ(blue->text(), "0");
        struct Case {
            int id;
            QString typed;
            QString shown;
        };
        const Case cases[] = {{CColorsDlg::IDC_RED, "300", "255"},
                              {CColorsDlg::IDC_GREEN, "\b", "0"},
                              {CColorsDlg::IDC_GREEN, "12", "12"},
                              {CColorsDlg::IDC_BLUE, "x7", "7"}};
        for (const Case& c : cases) {
            auto* edit = d.GetDlgItemAs<QLineEdit>(c.id);
            edit->selectAll();
            TypeText(edit, c.typed);
            EXPECT_EQ(edit->text(), c.shown) << c.typed.toStdString();
        }
        EXPECT_FALSE(d.HasSelection()) << "an edited component leaves the palette";
        PressOK(d);
    });
    EXPECT_EQ(dialog.GetColor(), RGB(255, 12, 7));
}

TEST_F(ColorsDlgTest, SetColorSelectsThePaletteSwatchOrShowsAnOtherColourInThePreview) {
    CColorsDlg dialog;
    dialog.SetColor(0xA00000);
    Run(dialog, [&](CColorsDlg& d) {
        EXPECT_TRUE(d.HasSelection());
        EXPECT_EQ(d.GetSelectedRow(), 3);
        EXPECT_EQ(d.GetSelectedColumn(), 5);
        EXPECT_EQ(Edits(d), 0xA00000u);
        // The outline around the swatch; the preview shows the colour.
        const int x = CColorsDlg::kLeft + 5 * CColorsDlg::kStep;
        const int y = CColorsDlg::kTop + 3 * CColorsDlg::kStep;
        EXPECT_EQ(Pixel(d, x - 1, y + 10), QColor(Qt::black));

        d.SetColor(RGB(1, 2, 3));
        EXPECT_FALSE(d.HasSelection());
        EXPECT_EQ(Edits(d), RGB(1, 2, 3));
        EXPECT_EQ(Pixel(d, 180, 200), QColor(1, 2, 3));
        EXPECT_NE(Pixel(d, x - 1, y + 10), QColor(Qt::black)) << "no outline left behind";
        EXPECT_EQ(CWaitCursor::Depth(), 0) << "the wait cursor goes once the dialog is made";
        CheckDialogFitsScreens(d, "colors");
        PressOK(d);
    });
    EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
}
