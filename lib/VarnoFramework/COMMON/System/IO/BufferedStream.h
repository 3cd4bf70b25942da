// One large buffer in front of another stream, so that small typed reads and writes do
// not each become a platform call. Over a readable inner stream it is a read buffer,
// over any other a write buffer. The inner stream is not owned.
#pragma once
#include "System/IO/Stream.h"

#include <memory>

namespace IO {

class BufferedStream : public Stream {
public:
    // A size of 0 is taken as 1: a buffer must hold at least one byte to make progress.
    BufferedStream(Stream* inner, unsigned size);
    BufferedStream(const BufferedStream&) = delete;
    BufferedStream& operator=(const BufferedStream&) = delete;
    // Flushes what is still buffered.
    ~BufferedStream() override;

    TCHAR* ToString() const override;

    // Flushes; the inner stream stays open (it belongs to its creator).
    void Close() override;
    // Writes the buffered bytes to the inner stream. Does nothing over a readable
    // stream. On failure the bytes not yet taken stay buffered for a later try.
    bool Flush() override;
    // Not supported: returns 0.
    __int64 Seek(__int64 offset, SeekOrigin origin) override;
    // The whole count, or -1 (never a partial count).
    int Read(BYTE* buffer, int offset, int count) override;
    // The whole count, or -1.
    int Write(const BYTE* buffer, int offset, int count) override;

    // Passed to the inner stream: the position is the inner stream's, ahead of what
    // was read out of a read buffer and behind what was written into a write buffer.
    void SetLength(__int64 length) override;
    const TCHAR* GetName() const override;
    bool GetCanRead() override;
    bool GetCanSeek() override;
    bool GetCanWrite() override;
    int GetLength() override;
    __int64 GetPosition() override;
    void SetPosition(__int64 position) override;

protected:
    // Refills the buffer from the inner stream; false when the inner read failed.
    bool ReadBuffer();

private:
    Stream* m_pStream;
    DWORD m_uIndex = 0;  // next byte to read or write
    DWORD m_uCount = 0;  // valid bytes in the buffer
    DWORD m_uSize;
    std::unique_ptr<BYTE[]> m_buffer;
};

}  // namespace IO
