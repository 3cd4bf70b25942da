// A full-screen dialog with the floating icon that switches it back: the icon sits in
// a corner of the dialog while it is full screen and its mode hides the command bar.
// On request the icon also becomes a button of the dialog's command bar.
#pragma once
#include "CSTFullScreenDialogLite.h"
#include "CSTFullScreenIcon.h"

#include <QIcon>
#include <memory>

class CSTFullScreenDialog : public CSTFullScreenDialogLite {
public:
    static constexpr int kDefaultIconPosition = 3;

    explicit CSTFullScreenDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CSTFullScreenDialog() override;

    void SetFullScreenIcon(const QIcon& icon);
    QIcon GetFullScreenIcon() const { return m_icon; }
    void SetFullScreenIconPosition(int position) { m_nIconPosition = position; }
    int GetFullScreenIconPosition() const { return m_nIconPosition; }
    void SetFullScreenIconVisible(BOOL visible) { m_bIconVisible = visible; }
    BOOL GetFullScreenIconVisible() const { return m_bIconVisible; }
    // The icon window (null before initialisation).
    CSTFullScreenIcon* GetFullScreenIconWindow() const { return m_pIcon.get(); }

    BOOL OnInitDialog() override;
    // Applies the state, then places the icon and shows it only while it is wanted.
    BOOL RefreshFullScreen() override;
    BOOL DestroyWindow() override;

private:
    void PlaceIcon();

    std::unique_ptr<CSTFullScreenIcon> m_pIcon;
    QIcon m_icon;
    int m_nIconPosition = kDefaultIconPosition;
    BOOL m_bIconVisible = TRUE;
};
