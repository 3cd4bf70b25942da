// A full-screen view with the floating icon that switches it back: the icon floats
// over the frame while the view is full screen and its mode hides the command bar.
#pragma once
#include "CSTFullScreenIcon.h"
#include "CSTFullScreenViewLite.h"

#include <QIcon>
#include <memory>

class CSTFullScreenView : public CSTFullScreenViewLite {
public:
    static constexpr int kDefaultIconPosition = 3;

    CSTFullScreenView();
    ~CSTFullScreenView() override;

    void SetFullScreenIcon(const QIcon& icon);
    QIcon GetFullScreenIcon() const;
    void SetFullScreenIconPosition(int position) { m_nIconPosition = position; }
    int GetFullScreenIconPosition() const { return m_nIconPosition; }
    void SetFullScreenIconVisible(BOOL visible) { m_bIconVisible = visible; }
    BOOL GetFullScreenIconVisible() const { return m_bIconVisible; }
    // The icon window (null before creation).
    CSTFullScreenIcon* GetFullScreenIconWindow() const { return m_pIcon.get(); }

    // Applies the state, then places the icon over the frame and shows it only
    // while it is wanted.
    BOOL RefreshFullScreen() override;
    BOOL DestroyWindow() override;

protected:
    int OnCreate() override;
    // Places the icon over the frame and shows it only while it is wanted.
    void PlaceIcon();

private:
    std::unique_ptr<CSTFullScreenIcon> m_pIcon;
    QIcon m_icon;
    int m_nIconPosition = kDefaultIconPosition;
    BOOL m_bIconVisible = TRUE;
};
