#include "System/IO/Stream.h"

#include "Text/Util.h"

namespace IO {

namespace {
// Room for every "System.IO.<class> - <hash>" text.
constexpr std::size_t kToStringBufferSize = 1000;
}  // namespace

Stream::Stream() = default;

Stream::Stream(const Stream& other)
    : Object(other),
      m_bReadable(other.m_bReadable),
      m_bSeekable(other.m_bSeekable),
      m_bWritable(other.m_bWritable),
      m_position(other.m_position),
      m_name(Util::tcsdup(other.m_name.get())) {}

Stream& Stream::operator=(const Stream& other) {
    if (this != &other) {
        Object::operator=(other);
        m_bReadable = other.m_bReadable;
        m_bSeekable = other.m_bSeekable;
        m_bWritable = other.m_bWritable;
        m_position = other.m_position;
        m_name.reset(Util::tcsdup(other.m_name.get()));
    }
    return *this;
}

Stream::~Stream() = default;

TCHAR* Stream::ToString() const { return FormatToString(u"System.IO.Stream - %X"); }

TCHAR* Stream::FormatToString(const TCHAR* format) const {
    TCHAR buffer[kToStringBufferSize];
    _snwprintf(buffer, kToStringBufferSize, format, GetHashCode());
    return Util::tcsdup(buffer);
}

void Stream::Close() {}

const TCHAR* Stream::GetName() const { return m_name.get(); }

bool Stream::GetCanRead() { return m_bReadable; }

bool Stream::GetCanSeek() { return m_bSeekable; }

bool Stream::GetCanWrite() { return m_bWritable; }

__int64 Stream::GetPosition() { return m_position; }

void Stream::SetPosition(__int64 position) { m_position = position; }

void Stream::SetName(const TCHAR* name) { m_name.reset(Util::tcsdup(name)); }

}  // namespace IO
