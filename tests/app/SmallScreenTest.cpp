// A 240x320 screen that reads well: the handheld's faces stand for installed faces of
// nearly their widths, so titles and typical names fit the default columns, and the
// total line keeps clear of the full-screen controls in the bottom corners.
#include "ListViewFixture.h"

#include "ScreenFonts.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace {

class SmallScreenTest : public ViewTest {};

TEST_F(SmallScreenTest, TitlesAndTypicalNamesFitTheDefaultColumns) {
    const QFont rows = ScreenFonts::Make(QStringLiteral("Tahoma"), kFontSize);
    const QFont titles = ScreenFonts::Make(QStringLiteral("Areal"), kFontSize);
    EXPECT_EQ(QFontInfo(rows).family(), ScreenFonts::kRowFace) << "installed by scripts/setup";
    EXPECT_EQ(QFontInfo(titles).family(), ScreenFonts::kTitleFace);
    EXPECT_LE(QFontMetrics(rows).height(), kFontSize) << "the face's cell fits the row";

    // Each default column and its title, with the header's text margins.
    const struct {
        const char* title;
        int width;
    } columns[] = {{"Qty", 35}, {"Item", 75}, {"Price", 45}, {"Cpn", 25}, {"Location", 45}};
    for (const auto& column : columns)
        EXPECT_LE(QFontMetrics(titles).horizontalAdvance(column.title) + 2 * CListHeaderCtrl::kTextMargin,
                  column.width + 1)
            << column.title;
    // Names of a dozen letters in the Item column, cell margins taken off.
    for (const char* name : {"Orange juice", "Toilet paper", "Baking soda", "Apple juice"})
        EXPECT_LE(QFontMetrics(rows).horizontalAdvance(name), 75 - 4) << name;
}

// Every cell height gets the largest size whose cell fits (4 at the least), as a walk
// down from the height itself finds it.
TEST_F(SmallScreenTest, FontsTakeTheLargestSizeThatFits) {
    for (const QString& face : {QStringLiteral("Tahoma"), QStringLiteral("Areal")}) {
        for (int height = 1; height <= 30; ++height) {
            QFont walked(QFont::substitute(face));
            walked.setStyleHint(QFont::SansSerif);
            int size = height;
            for (; size > 4; --size) {
                walked.setPixelSize(size);
                if (QFontMetrics(walked).height() <= height)
                    break;
            }
            EXPECT_EQ(ScreenFonts::Make(face, height).pixelSize(), size) << face.toStdString() << " " << height;
        }
    }
}

TEST_F(SmallScreenTest, TheTotalLineKeepsClearOfThePageButtons) {
    // A long line: big sums of a currency written by its abbreviation.
    TheOptions().SetCurrencyCode(u"Afghan Afghani");
    for (int i = 0; i < 30; ++i)
        Add((u"Line " + std::u16string(1, static_cast<char16_t>(u'A' + i))).c_str(), 1234.0f, 99.99f)
            ->SetPurchased(true);
    CListoraView& view = MakeView<CListoraView>();
    // As in full screen: the page buttons stand in the bottom corners.
    view.GetPrevButton()->ShowWindow(SW_SHOW);
    view.GetNextButton()->ShowWindow(SW_SHOW);
    const QImage image = view.RenderToImage();
    const std::u16string line = Text(view.GetTotalLineText());
    ASSERT_NE(line.find(u"of 37"), std::u16string::npos) << ToUtf8(line);
    const QRect band(0, image.height() - 2 * kFontSize, image.width(), 2 * kFontSize);
    EXPECT_GT(DarkPixels(image, band), 0) << "the line is drawn";
    EXPECT_EQ(DarkPixels(image, QRect(0, band.top(), 16, band.height())), 0);
    EXPECT_EQ(DarkPixels(image, QRect(image.width() - 16, band.top(), 16, band.height())), 0);
}

TEST_F(SmallScreenTest, TheSortMarkKeepsItsOwnRoom) {
    TheOptions().SetSortColumn(KindLocation);
    CListoraView& view = MakeView<CListoraView>();
    CListHeaderCtrl& header = *view.GetHeader();
    header.ShowWindow(SW_SHOW);
    const QImage image = RenderWidget(header.GetWidget());
    const int column = 4;
    ASSERT_EQ(header.GetSortColumn(), column);
    // The mark stands right of the title's room: no title ink (black) under it.
    const QFontMetrics metrics(header.GetFont());
    const int mark = 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    const int right = header.GetLeft(column + 1) - CListHeaderCtrl::kTextMargin;
    const QRect room(right - mark, 2, mark, image.height() - 4);
    EXPECT_EQ(Pixels(image, room, [](QRgb pixel) { return qGray(pixel) < 50; }), 0);
}

}  // namespace
