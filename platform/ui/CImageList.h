// An image list: images of one size, kept in order and handed to list controls by
// index. Made empty and filled with Add, or cut from a bitmap resource that holds
// the images side by side, where one colour stands for "transparent".
#pragma once
#include "UiTypes.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <vector>

// Creation flags (the colour depth is the display's here; only the mask matters).
#define ILC_MASK 0x0001u
#define ILC_COLOR 0x0000u
#define ILC_COLOR32 0x0020u

class CImageList {
public:
    CImageList() = default;
    ~CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // An empty list of cx x cy images; false for a size below 1.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // The images of a bitmap resource, each cx wide and as tall as the bitmap; with
    // ILC_MASK-style use, pixels of the mask colour become transparent. False when
    // the bitmap is missing or narrower than one image.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    bool IsCreated() const { return m_created; }

    // Appends an image (scaled to the list's size); its index, or -1.
    int Add(const QIcon& icon);
    int Add(const QPixmap& pixmap);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    QSize GetImageSize() const { return m_size; }
    // Null for an index outside the list.
    QIcon ExtractIcon(int index) const;
    QPixmap GetImage(int index) const;

private:
    bool m_created = false;
    QSize m_size;
    // Images, not pixmaps: a list kept to the end of the program outlives the
    // window system's connection.
    std::vector<QImage> m_images;
};
