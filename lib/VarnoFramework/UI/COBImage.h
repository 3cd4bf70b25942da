// A compressed image (JPEG, PNG, GIF, BMP, ...) decoded from a file or a resource
// into a bitmap of the colour depth of a drawing context, then drawn, copied or
// stretched. Decoding pulls the bytes through a read callback in 1024-byte steps.
#pragma once
#include "UiTypes.h"

#include <QImage>

class QPainter;
class QPaintDevice;

// The header that describes a device-independent bitmap.
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
#define BI_RGB 0u

class COBImage {
public:
    // Files larger than this are refused rather than read into memory.
    static constexpr DWORD kMaxFileSize = 64u * 1024u * 1024u;

    // Decodes the file at path (device or host path). context gives the colour
    // depth (null: the screen's, 32 bits). False when the file cannot be opened or
    // holds no image it can decode; the previous bitmap is gone either way.
    BOOL Load(const QPaintDevice* context, LPCTSTR path);
    // The same from the resource name (MAKEINTRESOURCE id) of type (e.g. u"JPG");
    // false when the resource cannot be found or decoded.
    BOOL SetBitmap(const QPaintDevice* context, LPCTSTR name, LPCTSTR type, HINSTANCE instance);

    // At (x, y): width and height both -1 copy the bitmap at its own size; otherwise
    // it is stretched to the size given, where a negative width or height stands for
    // the bitmap's own.
    void Draw(QPainter& context, int x, int y, int width = -1, int height = -1) const;
    // An equal-size copy, and a copy stretched to width x height.
    QImage Copy() const;
    QImage CreateBitmap(int width, int height) const;
    // The bitmap's header: its depth rounded up to 1, 4, 8, 16, 24 or 32 bits, the
    // palette entries of depths below 24 and the size of its rows, each padded to
    // 32 bits. All zero but biSize while nothing is loaded.
    BITMAPINFOHEADER GetBitmapInfoStruct() const;

    const QImage& GetBitmap() const { return m_bitmap; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsLoaded() const { return m_bitmap.isNull() ? FALSE : TRUE; }

private:
    template <class ReadCallback>
    bool Decode(const QPaintDevice* context, ReadCallback read, DWORD size);
    void Clear();

    int m_nWidth = 0;
    int m_nHeight = 0;
    QImage m_bitmap;
};
