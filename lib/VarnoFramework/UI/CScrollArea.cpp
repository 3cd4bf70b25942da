#include "CScrollArea.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

namespace {
// The client area: as large as the controls need by preference, and as small as the
// window gets.
class Viewport : public QWidget {
public:
    Viewport(QWidget* parent, QSize full) : QWidget(parent), m_full(full) {}
    QSize sizeHint() const override { return m_full; }
    QSize minimumSizeHint() const override { return QSize(40, 40); }

private:
    QSize m_full;
};
}  // namespace

// Turns the viewport's size changes and the scroll bars' actions into the host's
// size and scroll messages; it is also the context of the bars' connections, so
// nothing reaches a host that is gone.
class CScrollArea::Filter : public QObject {
public:
    explicit Filter(CScrollArea& area) : m_area(area) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_area.m_viewport)
            return false;
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            const bool minimized = m_area.m_viewport->window()->isMinimized();
            m_area.m_host.OnAreaSize(minimized ? SIZE_MINIMIZED : SIZE_RESTORED, size.width(), size.height());
        } else if (event->type() == QEvent::Wheel && m_area.m_vScrollActive && m_area.m_vScrollBar) {
            // A desktop's wheel over the controls moves the vertical bar.
            QApplication::sendEvent(m_area.m_vScrollBar, event);
            return true;
        }
        return false;
    }

private:
    CScrollArea& m_area;
};

CScrollArea::CScrollArea(Host& host) : m_host(host), m_filter(std::make_unique<Filter>(*this)) {}

CScrollArea::~CScrollArea() = default;

void CScrollArea::Attach(QWidget* window) {
    if (!window)
        return;
    // A dialog holds its controls in the first widget of its layout, above the row of
    // the done button; a page holds them itself.
    QWidget* content = window;
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->layout() && dialog->layout()->count() > 0)
        if (QWidget* first = dialog->layout()->itemAt(0)->widget())
            content = first;
    // Once attached, the area has the viewport's layout.
    if (content->layout())
        return;

    QSize full = content->minimumSize();
    if (full.isEmpty())
        full = content->childrenRect().united(QRect(0, 0, 1, 1)).size();
    const QList<QWidget*> controls = content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);

    auto* viewport = new Viewport(content, full);
    auto* canvas = new QWidget(viewport);
    canvas->setGeometry(0, 0, full.width(), full.height());
    for (QWidget* control : controls) {
        const bool hidden = control->isHidden();
        const QRect geometry = control->geometry();
        control->setParent(canvas);
        control->setGeometry(geometry);
        control->setHidden(hidden);
    }
    auto* vertical = new QScrollBar(Qt::Vertical, content);
    auto* horizontal = new QScrollBar(Qt::Horizontal, content);
    for (QScrollBar* bar : {vertical, horizontal}) {
        bar->setSingleStep(kLineStep);
        bar->hide();
        const int which = bar == vertical ? SB_VERT : SB_HORZ;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, m_filter.get(),
                         [this, which](int action) { OnBarAction(which, action); });
    }
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(viewport, 0, 0);
    grid->addWidget(vertical, 0, 1);
    grid->addWidget(horizontal, 1, 0);
    content->setMinimumSize(0, 0);
    viewport->installEventFilter(m_filter.get());

    m_viewport = viewport;
    m_canvas = canvas;
    m_vScrollBar = vertical;
    m_hScrollBar = horizontal;
    m_vBar = BarState();
    m_hBar = BarState();
}

void CScrollArea::Init() {
    const QSize full = m_canvas ? m_canvas->size() : QSize();
    m_fullWidth = full.width();
    m_fullHeight = full.height();
    m_vScrollActive = false;
    m_hScrollActive = false;
    m_initialized = true;
}

void CScrollArea::HandleSize(UINT type, int cx, int cy, bool noHorizontalScrolling) {
    if (!m_initialized || type != SIZE_RESTORED)
        return;
    Fit(SB_VERT, cy, m_fullHeight, m_vScrollActive);
    if (!noHorizontalScrolling)
        Fit(SB_HORZ, cx, m_fullWidth, m_hScrollActive);
}

void CScrollArea::Fit(int bar, int size, int full, bool& active) {
    BarState& state = State(bar);
    if (size >= full) {
        if (!active)
            return;
        ScrollBy(bar, state.pos);
        state.pos = 0;
        SetScrollInfo(bar, 0, full - 1, size);
        active = false;
        return;
    }
    active = true;
    if (state.pos + size > full) {
        ScrollBy(bar, state.pos + size - full);
        state.pos = full - size;
    }
    SetScrollInfo(bar, 0, full - 1, size);
    SetScrollPos(bar, state.pos);
}

void CScrollArea::HandleScroll(int bar, UINT code, UINT thumbPos) {
    if (!(bar == SB_VERT ? m_vScrollActive : m_hScrollActive))
        return;
    const BarState& state = State(bar);
    const CRect client = GetClientRect();
    const int page = bar == SB_VERT ? client.Height() : client.Width();
    int pos = state.pos;
    switch (code) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK: pos = static_cast<int>(thumbPos); break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = state.maximum; break;
    default: break;
    }
    pos = std::clamp(pos, 0, std::max(0, state.maximum + 1 - page));
    if (pos == state.pos)
        return;
    ScrollBy(bar, state.pos - pos);
    SetScrollPos(bar, pos);
}

void CScrollArea::ScrollBy(int bar, int delta) {
    ScrollWindowEx(bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void CScrollArea::ScrollWindowEx(int dx, int dy, UINT flags) {
    if (!m_canvas)
        return;
    m_canvas->move(m_canvas->pos() + QPoint(dx, dy));
    if ((flags & SW_INVALIDATE) && m_viewport)
        m_viewport->update();
}

void CScrollArea::SetScrollInfo(int bar, int minimum, int maximum, int page) {
    BarState& state = State(bar);
    state.minimum = minimum;
    state.maximum = std::max(minimum, maximum);
    state.page = std::max(0, page);
    const int top = std::max(state.minimum, state.maximum - std::max(state.page, 1) + 1);
    state.pos = std::clamp(state.pos, state.minimum, top);
    if (QScrollBar* scrollBar = GetScrollBar(bar)) {
        const QSignalBlocker block(scrollBar);
        scrollBar->setRange(state.minimum, top);
        scrollBar->setPageStep(std::max(state.page, 1));
        scrollBar->setValue(state.pos);
        // As on the device, a bar shows only while there is something to scroll.
        scrollBar->setVisible(state.maximum - state.minimum + 1 > state.page);
    }
}

int CScrollArea::SetScrollPos(int bar, int pos) {
    BarState& state = State(bar);
    const int previous = state.pos;
    const int top = std::max(state.minimum, state.maximum - std::max(state.page, 1) + 1);
    state.pos = std::clamp(pos, state.minimum, top);
    if (QScrollBar* scrollBar = GetScrollBar(bar)) {
        const QSignalBlocker block(scrollBar);
        scrollBar->setValue(state.pos);
    }
    return previous;
}

int CScrollArea::GetScrollPos(int bar) const {
    return State(bar).pos;
}

void CScrollArea::GetScrollRange(int bar, int& minimum, int& maximum) const {
    minimum = State(bar).minimum;
    maximum = State(bar).maximum;
}

void CScrollArea::OnBarAction(int bar, int action) {
    QScrollBar* scrollBar = GetScrollBar(bar);
    if (!scrollBar)
        return;
    UINT code = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
    }
    m_host.OnAreaScroll(bar, code, static_cast<UINT>(std::max(0, scrollBar->sliderPosition())));
    // The host decided where the bar stands, not the bar's own step.
    if (QScrollBar* still = GetScrollBar(bar))
        still->setSliderPosition(State(bar).pos);
}

CRect CScrollArea::GetClientRect() const {
    return m_viewport ? CRect(m_viewport->rect()) : CRect();
}

QWidget* CScrollArea::GetViewport() const {
    return m_viewport.data();
}

QWidget* CScrollArea::GetCanvas() const {
    return m_canvas.data();
}

QScrollBar* CScrollArea::GetScrollBar(int bar) const {
    return bar == SB_VERT ? m_vScrollBar.data() : m_hScrollBar.data();
}
