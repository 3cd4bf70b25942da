// CStretchScrollDialog: a scrolling dialog whose wide controls (the stretched list)
// end at x = 230, or at x = 216 while the window is shorter than the dialog needs, so
// that the vertical scroll bar does not cover them.
#pragma once
#include "CScrollDialog.h"

#include <vector>

class CStretchScrollDialog : public CScrollDialog {
public:
    static constexpr int kStretchedRight = 230;
    static constexpr int kStretchedRightBesideBar = 216;

    explicit CStretchScrollDialog(UINT templateId, CWnd* parent = nullptr) : CScrollDialog(templateId, parent) {}

    // The scrolling first, then the stretched controls' right edges.
    void OnSize(UINT type, int cx, int cy) override;

protected:
    // Control ids; empty until the dialog fills it (before its initialisation).
    std::vector<int> m_stretchedControls;

private:
    bool m_besideBar = false;
};
