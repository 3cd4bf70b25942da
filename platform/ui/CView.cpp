#include "CView.h"

#include "CDocument.h"
#include "CFrameWnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

CView::CView() = default;

CView::~CView() {
    CancelHold();
    if (m_pOwnerFrame)
        m_pOwnerFrame->ForgetView(this);
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::Create(LPCTSTR, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                   CCreateContext* context) {
    if (GetWidget())
        return FALSE;
    QWidget* parentWidget = parent ? parent->GetWidget() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(parent);
    if (frame)
        parentWidget = frame->GetViewArea();
    auto* widget = new QWidget(parentWidget);
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
    if (windowName)
        widget->setWindowTitle(QString::fromUtf16(windowName));
    AttachWidget(widget, true);
    SetCustomPaint(true);
    SetDlgCtrlID(static_cast<int>(id));
    MoveWindow(&rect, FALSE);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    if (frame) {
        m_pOwnerFrame = frame;
        frame->AdoptView(this);
    }
    if (OnCreate() == -1) {
        DestroyWindow();
        return FALSE;
    }
    widget->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CView::DestroyWindow() {
    CancelHold();
    return CWnd::DestroyWindow();
}

int CView::OnCreate() {
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*) {
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
    if (activate && activateView == this && GetWidget())
        GetWidget()->setFocus(Qt::OtherFocusReason);
}

void CView::OnDraw(QPainter&) {}

void CView::OnTapAndHold(CPoint) {}

QImage CView::RenderToImage() {
    QWidget* widget = GetWidget();
    const QSize size = widget ? widget->size() : QSize();
    QImage image(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    OnDraw(painter);
    painter.end();
    return image;
}

void CView::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget || widget->size().isEmpty())
        return;
    const QImage image = RenderToImage();
    QPainter screen(widget);
    screen.drawImage(0, 0, image);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::CancelHold() {
    if (m_holdTimer)
        m_holdTimer->stop();
}

bool CView::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            m_holdFired = false;
            m_pressPos = e->position().toPoint();
            if (!m_holdTimer) {
                m_holdTimer = std::make_unique<QTimer>();
                m_holdTimer->setSingleShot(true);
                QObject::connect(m_holdTimer.get(), &QTimer::timeout, m_holdTimer.get(), [this] {
                    m_holdFired = true;
                    CPoint screen(m_pressPos.x(), m_pressPos.y());
                    ClientToScreen(&screen);
                    OnTapAndHold(screen);
                });
            }
            m_holdTimer->start(HoldDelayMs);
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (m_holdTimer && m_holdTimer->isActive() &&
            (e->position().toPoint() - m_pressPos).manhattanLength() > HoldSlopPixels)
            CancelHold();
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            CancelHold();
            if (m_holdFired) {
                // The gesture took the press: this release is no tap.
                m_holdFired = false;
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return CWnd::OnWidgetEvent(event);
}
