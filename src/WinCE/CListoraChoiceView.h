// The choice view: the catalogue, filtered by the document's restrictions, in the
// same frame as the list view. A tap on an item not on the list puts it there; on
// one that is, a tap in the first column adds one to the quantity and a tap
// elsewhere takes it off; a right click in the first column takes one away.
#pragma once
#include "CListoraBaseView.h"

#include <vector>

class CListoraChoiceView : public CListoraBaseView {
public:
    CListoraChoiceView();
    ~CListoraChoiceView() override;

    void DrawRows(QPainter& dc, const CRect& client, UINT rowsPerPage) override;
    void Reset() override;

    // Rebuilds the row list from the catalogue and the restrictions.
    void BuildRows();
    const std::vector<Item*>& GetRows() const { return m_rows; }
    // Whether an item passes the restrictions.
    bool PassesFilter(const Item& item) const;

protected:
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnChar(UINT nChar, UINT repeat, UINT flags) override;

private:
    void DrawRow(QPainter& dc, const Item& item, int row);
    // The row item under a point (null when none) and the displayed column there.
    Item* ItemAt(CPoint point, int* column);

    std::vector<Item*> m_rows;
};
