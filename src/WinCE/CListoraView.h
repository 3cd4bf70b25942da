// The list view: the purchases of the open list, one page at a time. A tap on a
// cell acts by the column's kind (the Item cell ticks the line off, the coupon cell
// toggles the coupon, the price cell opens the price menu, the others edit the
// line); a right click or a tap-and-hold offers to remove the line; a typed letter
// jumps to the first line starting with it.
#pragma once
#include "CListoraBaseView.h"

class CListoraView : public CListoraBaseView {
public:
    // The price menu: 35001..35020 are fixed prices, 35021 "Other ..".
    static constexpr UINT ID_PRICE_FIRST = 35001;
    static constexpr UINT ID_PRICE_LAST = 35020;
    static constexpr UINT ID_PRICE_OTHER = 35021;
    static constexpr UINT ID_PRICE_RANGE_FIRST = 35000;
    static constexpr UINT ID_PRICE_RANGE_LAST = 35100;
    static constexpr int kPriceChoiceCount = 20;
    // The prices the menu offers, as shown.
    static const TCHAR* const kPriceChoices[kPriceChoiceCount];

    CListoraView();
    ~CListoraView() override;

    void DrawRows(QPainter& dc, const CRect& client, UINT rowsPerPage) override;
    void Reset() override;
    void OnTapAndHold(CPoint screenPoint) override;

    // The purchase the price menu was last opened for (null: none).
    Purchase* GetPriceMenuPurchase() const { return m_pPriceMenuPurchase; }
    // What a price menu choice does (also reached through the command range).
    void OnPriceChoice(UINT id);

protected:
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnChar(UINT nChar, UINT repeat, UINT flags) override;

private:
    void DrawRow(QPainter& dc, const Purchase& purchase, int row);
    // Finds the rows of the page (what DrawRows draws) without drawing them; with
    // withTotals the same pass adds up the totals of the whole list.
    void CollectRows(UINT rowsPerPage, bool withTotals = false);
    // The rows of the page as the next paint will show them.
    void EnsureRows();
    // The displayed purchase under a client point; null when none.
    Purchase* PurchaseAt(CPoint point);
    void AskRemove(CPoint clientPoint);
    void OpenPriceMenu(Purchase* purchase, CPoint clientPoint);
    void EditAndRefresh(Purchase* purchase);

    Purchase* m_pPriceMenuPurchase = nullptr;
};
