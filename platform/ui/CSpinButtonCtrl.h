// The up-down control: two arrow buttons that step a position within a range. Each
// step is first announced with deltaPos (the device's UDN_DELTAPOS), then applied;
// with UDS_WRAP the position wraps at the ends, and with UDS_SETBUDDYINT the buddy
// shows the new position.
#pragma once
#include "UiTypes.h"

#include <QPointer>
#include <QWidget>

class QToolButton;

class CSpinButtonCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

    // Places the control in parent as control id (the run-time creation of the
    // device); the style's UDS_ bits apply.
    BOOL Create(DWORD style, const RECT& rect, QWidget* parent, UINT id);
    void SetStyle(DWORD style) { m_style = style; }
    DWORD GetStyle() const { return m_style; }
    void SetRange(int lower, int upper);
    void SetRange32(int lower, int upper) { SetRange(lower, upper); }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);  // returns the previous position
    int GetPos() const { return m_pos; }
    QWidget* SetBuddy(QWidget* buddy);
    QWidget* GetBuddy() const { return m_buddy.data(); }

    // One press of the up (+1) or down (-1) arrow.
    void Step(int delta);

signals:
    void deltaPos(int pos, int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QWidget> m_buddy;
    DWORD m_style = 0;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};
