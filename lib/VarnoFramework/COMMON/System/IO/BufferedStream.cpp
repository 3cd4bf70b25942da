#include "System/IO/BufferedStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace IO {

BufferedStream::BufferedStream(Stream* inner, unsigned size)
    : m_pStream(inner), m_uSize(std::max(size, 1u)), m_buffer(new BYTE[m_uSize]) {}

BufferedStream::~BufferedStream() { Flush(); }

TCHAR* BufferedStream::ToString() const { return FormatToString(u"System.IO.BufferedStream - %X"); }

void BufferedStream::Close() { Flush(); }

bool BufferedStream::Flush() {
    if (m_pStream == nullptr)
        return false;
    if (m_pStream->GetCanRead())
        return true;
    if (m_uCount > 0) {
        const int written = m_pStream->Write(m_buffer.get(), 0, static_cast<int>(m_uCount));
        if (written < 0)
            return false;
        if (static_cast<DWORD>(written) < m_uCount) {
            // Keep only what the inner stream did not take, so a retry writes no byte twice.
            const DWORD taken = static_cast<DWORD>(written);
            std::memmove(m_buffer.get(), m_buffer.get() + taken, m_uCount - taken);
            m_uCount -= taken;
            m_uIndex = m_uCount;
            return false;
        }
    }
    m_uIndex = 0;
    m_uCount = 0;
    return true;
}

__int64 BufferedStream::Seek(__int64, SeekOrigin) { return 0; }

bool BufferedStream::ReadBuffer() {
    m_uIndex = 0;
    const int read = m_pStream->Read(m_buffer.get(), 0, static_cast<int>(std::min<DWORD>(m_uSize, 0x7FFFFFFF)));
    if (read < 0) {
        // Forget the old contents: they must not be delivered a second time.
        m_uCount = 0;
        return false;
    }
    m_uCount = std::min(static_cast<DWORD>(read), m_uSize);
    return true;
}

int BufferedStream::Read(BYTE* buffer, int offset, int count) {
    // Reading through a write buffer would refill over bytes not yet flushed.
    if (m_pStream == nullptr || buffer == nullptr || offset < 0 || count < 0 || !m_pStream->GetCanRead())
        return -1;
    if (m_uCount == 0 && (!ReadBuffer() || m_uCount == 0))
        return -1;
    DWORD remaining = static_cast<DWORD>(count);
    BYTE* target = buffer + offset;
    while (std::uint64_t{m_uIndex} + remaining > m_uCount) {
        const DWORD available = m_uCount - m_uIndex;
        std::memcpy(target, m_buffer.get() + m_uIndex, available);
        target += available;
        remaining -= available;
        m_uIndex = m_uCount;
        if (!ReadBuffer() || m_uCount == 0)
            return -1;
    }
    std::memcpy(target, m_buffer.get() + m_uIndex, remaining);
    m_uIndex += remaining;
    return count;
}

int BufferedStream::Write(const BYTE* buffer, int offset, int count) {
    if (m_pStream == nullptr || buffer == nullptr || offset < 0 || count < 0)
        return -1;
    const BYTE* source = buffer + offset;
    DWORD remaining = static_cast<DWORD>(count);
    while (remaining > m_uSize - m_uIndex) {
        const DWORD room = m_uSize - m_uIndex;
        std::memcpy(m_buffer.get() + m_uIndex, source, room);
        m_uIndex += room;
        // In a read buffer the index may trail the valid bytes; the count never drops.
        m_uCount = std::max(m_uCount, m_uIndex);
        source += room;
        remaining -= room;
        if (!Flush() || m_uIndex == m_uSize)
            return -1;  // no room was made (a read buffer never flushes): give up
    }
    std::memcpy(m_buffer.get() + m_uIndex, source, remaining);
    m_uIndex += remaining;
    m_uCount = std::max(m_uCount, m_uIndex);
    return count;
}

void BufferedStream::SetLength(__int64 length) {
    if (m_pStream != nullptr)
        m_pStream->SetLength(length);
}

const TCHAR* BufferedStream::GetName() const { return m_pStream ? m_pStream->GetName() : nullptr; }

bool BufferedStream::GetCanRead() { return m_pStream != nullptr && m_pStream->GetCanRead(); }

bool BufferedStream::GetCanSeek() { return m_pStream != nullptr && m_pStream->GetCanSeek(); }

bool BufferedStream::GetCanWrite() { return m_pStream != nullptr && m_pStream->GetCanWrite(); }

int BufferedStream::GetLength() { return m_pStream ? m_pStream->GetLength() : -1; }

__int64 BufferedStream::GetPosition() { return m_pStream ? m_pStream->GetPosition() : -1; }

void BufferedStream::SetPosition(__int64 position) {
    if (m_pStream != nullptr)
        m_pStream->SetPosition(position);
}

}  // namespace IO
