#include "CImageList.h"

#include "Resources.h"

#include <QImage>
#include <algorithm>

BOOL CImageList::Create(int cx, int cy, UINT, int initial, int) {
    DeleteImageList();
    if (cx < 1 || cy < 1)
        return FALSE;
    m_size = QSize(cx, cy);
    m_images.reserve(static_cast<std::size_t>(std::max(0, initial)));
    m_created = true;
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    QImage strip = Resources::LoadBitmap(bitmapId).toImage();
    if (strip.isNull() || cx < 1 || strip.width() < cx)
        return FALSE;
    if (!Create(cx, strip.height(), ILC_MASK, strip.width() / cx, grow))
        return FALSE;
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb maskColour = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            if ((line[x] & RGB_MASK) == (maskColour & RGB_MASK))
                line[x] = 0;
    }
    for (int x = 0; x + cx <= strip.width(); x += cx)
        m_images.push_back(strip.copy(x, 0, cx, strip.height()));
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    const bool had = m_created;
    m_images.clear();
    m_size = QSize();
    m_created = false;
    return had ? TRUE : FALSE;
}

int CImageList::Add(const QIcon& icon) {
    if (!m_created || icon.isNull())
        return -1;
    return Add(icon.pixmap(m_size));
}

int CImageList::Add(const QPixmap& pixmap) {
    if (!m_created || pixmap.isNull())
        return -1;
    const QImage image = pixmap.toImage();
    m_images.push_back(image.size() == m_size
                           ? image
                           : image.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return GetImageCount() - 1;
}

QPixmap CImageList::GetImage(int index) const {
    if (index < 0 || index >= GetImageCount())
        return {};
    return QPixmap::fromImage(m_images[static_cast<std::size_t>(index)]);
}

QIcon CImageList::ExtractIcon(int index) const {
    const QPixmap image = GetImage(index);
    return image.isNull() ? QIcon() : QIcon(image);
}
