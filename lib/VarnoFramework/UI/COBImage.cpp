#include "COBImage.h"

#include "COBResource.h"
#include "FileApi.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <memory>

namespace {
constexpr DWORD kReadStep = 1024;

// The bitmap format of a drawing context's colour depth.
QImage::Format FormatOfDepth(int depth) {
    if (depth <= 1)
        return QImage::Format_Mono;
    if (depth <= 8)
        return QImage::Format_Indexed8;
    if (depth <= 16)
        return QImage::Format_RGB16;
    if (depth <= 24)
        return QImage::Format_RGB888;
    return QImage::Format_RGB32;
}

WORD RoundedBitCount(int depth) {
    for (WORD bits : {1, 4, 8, 16, 24})
        if (depth <= bits)
            return bits;
    return 32;
}

struct HandleCloser {
    void operator()(void* handle) const { CloseHandle(handle); }
};
}  // namespace

void COBImage::Clear() {
    m_bitmap = QImage();
    m_nWidth = 0;
    m_nHeight = 0;
}

template <class ReadCallback>
bool COBImage::Decode(const QPaintDevice* context, ReadCallback read, DWORD size) {
    // The bytes come through the callback a step at a time, as the device's decoder
    // takes them; Qt's image reader then decodes whatever format they hold.
    QByteArray data;
    data.reserve(static_cast<qsizetype>(size));
    char step[kReadStep];
    for (DWORD got; (got = read(step, kReadStep)) > 0;)
        data.append(step, static_cast<qsizetype>(got));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    const int depth = context ? context->depth() : 32;
    m_bitmap = image.convertToFormat(FormatOfDepth(depth));
    m_nWidth = m_bitmap.width();
    m_nHeight = m_bitmap.height();
    return !m_bitmap.isNull();
}

BOOL COBImage::Load(const QPaintDevice* context, LPCTSTR path) {
    Clear();
    std::unique_ptr<void, HandleCloser> file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return FALSE;
    }
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE || size > kMaxFileSize)
        return FALSE;
    auto read = [&file](char* buffer, DWORD count) {
        DWORD got = 0;
        return ReadFile(file.get(), buffer, count, &got, nullptr) ? got : 0;
    };
    return Decode(context, read, size) ? TRUE : FALSE;
}

BOOL COBImage::SetBitmap(const QPaintDevice* context, LPCTSTR name, LPCTSTR type, HINSTANCE instance) {
    Clear();
    COBResource resource;
    if (!resource.Load(instance, name, type))
        return FALSE;
    auto read = [&resource](char* buffer, DWORD count) { return resource.Read(buffer, count); };
    return Decode(context, read, resource.GetSize()) ? TRUE : FALSE;
}

void COBImage::Draw(QPainter& context, int x, int y, int width, int height) const {
    if (m_bitmap.isNull())
        return;
    if (width == -1 && height == -1) {
        context.drawImage(QPoint(x, y), m_bitmap);
        return;
    }
    const int w = width < 0 ? m_nWidth : width;
    const int h = height < 0 ? m_nHeight : height;
    context.drawImage(QRect(x, y, w, h), m_bitmap);
}

QImage COBImage::Copy() const {
    return m_bitmap.copy();
}

QImage COBImage::CreateBitmap(int width, int height) const {
    if (m_bitmap.isNull() || width <= 0 || height <= 0)
        return QImage();
    return m_bitmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

BITMAPINFOHEADER COBImage::GetBitmapInfoStruct() const {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    if (m_bitmap.isNull())
        return header;
    const WORD bits = RoundedBitCount(m_bitmap.depth());
    header.biWidth = m_nWidth;
    header.biHeight = m_nHeight;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    const DWORD rowBytes = ((static_cast<DWORD>(m_nWidth) * bits + 31u) / 32u) * 4u;
    header.biSizeImage = rowBytes * static_cast<DWORD>(m_nHeight);
    header.biClrUsed = bits < 24 ? (1u << bits) : 0u;
    return header;
}
