// The list and choice views under test: a document with a known catalogue (from
// DocTestSupport.h), shown by one view of the wanted class in a frame, with known
// display settings (white background, black text, no tax, US dollars) so that
// rendered pixels and total lines can be checked exactly.
#pragma once
#include "DocTestSupport.h"

#include "CIconButton.h"
#include "CListHeaderCtrl.h"
#include "CListoraBaseView.h"
#include "CListoraChoiceView.h"
#include "CListoraView.h"

#include <QColor>
#include <QImage>

class ViewTest : public DocTest {
protected:
    static constexpr int kFontSize = 15;

    void SetUp() override {
        DocTest::SetUp();
        Options& options = TheOptions();
        options.SetTileNumber(161);
        options.SetDisplayedColumns(63);
        options.SetDrawTotal(true);
        options.SetFontSize(kFontSize);
        options.SetDrawZevav(false);
        options.SetCurrencyCode(u"United States");
        options.SetTaxRates(0, 0, 0);
        options.SetColorQty(0);
        options.SetColorName(0);
        options.SetColorPrice(0);
        options.SetColorLocation(0);
        options.SetColorNote(0);
    }
    void TearDown() override {
        m_viewFrame.reset();
        DocTest::TearDown();
    }

    // A frame showing the document in one view of class V, sized width x height and
    // painted once.
    template <class V>
    V& MakeView(int width = 240, int height = 320) {
        m_viewFrame = MakeFrame([] { return new V; });
        auto* view = dynamic_cast<V*>(Doc().GetViews().back());
        EXPECT_NE(view, nullptr);
        m_viewFrame->ShowWindow(SW_SHOW);
        ProcessEvents();
        ResizeView(width, height);
        view->RenderToImage();
        return *view;
    }

    // Resizes the frame so that its view gets width x height.
    void ResizeView(int width, int height) {
        QWidget* window = m_viewFrame->GetWidget();
        QWidget* area = m_viewFrame->GetViewArea();
        for (int attempt = 0; attempt < 3 && area->size() != QSize(width, height); ++attempt) {
            window->resize(width + window->width() - area->width(), height + window->height() - area->height());
            ProcessEvents();
        }
        EXPECT_EQ(area->size(), QSize(width, height));
    }

    // The client height at which the view shows exactly rows rows above the total lines.
    static int HeightForRows(CListoraBaseView& view, int rows) {
        return view.GetRowsTop() + kFontSize * rows + 1 + 2 * (kFontSize + 1);
    }

    // Adds a purchase (the document takes it).
    Purchase* Add(const char16_t* name, float qty, float price, const char16_t* location = nullptr,
                  const char16_t* note = nullptr, bool coupon = false, std::vector<const char16_t*> categories = {}) {
        Purchase* purchase = MakePurchase(name, qty, price, location, note, coupon, false, categories);
        Doc().AddPurchase(purchase);
        return purchase;
    }

    // A catalogue item kept in memory only.
    Item* AddItem(const char16_t* name, float price, const char16_t* location = nullptr,
                  std::vector<const char16_t*> categories = {}) {
        auto* item = new Item(name);
        item->SetPrice(price);
        item->SetLocation(location);
        for (const char16_t* category : categories)
            item->AddCategory(category);
        EXPECT_TRUE(Doc().AddCatalogueItem(item, true));
        return item;
    }

    // The middle of displayed column c in row r, in the view's client coordinates.
    static QPoint CellCentre(CListoraBaseView& view, int column, int row) {
        CListHeaderCtrl* header = view.GetHeader();
        const int x = (header->GetLeft(column) + header->GetLeft(column + 1)) / 2;
        return QPoint(x, view.GetRowsTop() + kFontSize * row + kFontSize / 2);
    }

    // The pixels inside a rectangle of a rendered view that pass a test.
    template <class Test>
    static int Pixels(const QImage& image, const QRect& rect, Test test) {
        int count = 0;
        for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y)
            for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x)
                if (test(image.pixel(x, y)))
                    ++count;
        return count;
    }
    // Dark pixels: text drawn in black.
    static int DarkPixels(const QImage& image, const QRect& rect) {
        return Pixels(image, rect, [](QRgb pixel) { return qGray(pixel) < 100; });
    }

    // The inside of cell (column, row), clear of the grid lines.
    static QRect CellInside(CListoraBaseView& view, int column, int row) {
        CListHeaderCtrl* header = view.GetHeader();
        const int top = view.GetRowsTop() + kFontSize * row + 2;
        return QRect(header->GetLeft(column) + 1, top, header->GetWidth(column) - 2, kFontSize - 4);
    }

    static std::u16string Text(const CString& text) { return text.str(); }

    std::unique_ptr<CMainFrame> m_viewFrame;
};
