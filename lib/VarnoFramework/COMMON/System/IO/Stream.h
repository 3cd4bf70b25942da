// Abstract byte stream. Failures are reported by results (-1, false), never thrown.
#pragma once
#include "System/Object.h"
#include "System/IO/SeekOrigin.h"

#include <memory>

namespace IO {

class Stream : public Object {
public:
    Stream();
    Stream(const Stream& other);
    Stream& operator=(const Stream& other);
    ~Stream() override;

    // "System.IO.Stream - <hash>" as a new[] text the caller frees.
    TCHAR* ToString() const override;

    // The base has nothing to close.
    virtual void Close();
    virtual bool Flush() = 0;
    // The new position, or -1.
    virtual __int64 Seek(__int64 offset, SeekOrigin origin) = 0;
    virtual void SetLength(__int64 length) = 0;
    // Bytes read (0 at the end of the data), or -1.
    virtual int Read(BYTE* buffer, int offset, int count) = 0;
    // Bytes written, or -1.
    virtual int Write(const BYTE* buffer, int offset, int count) = 0;
    // The stream's name (a file stream's path), or null; not a copy.
    virtual const TCHAR* GetName() const;
    virtual bool GetCanRead();
    virtual bool GetCanSeek();
    virtual bool GetCanWrite();
    // Length in bytes (low 32 bits), or -1.
    virtual int GetLength() = 0;
    virtual __int64 GetPosition();
    virtual void SetPosition(__int64 position);

protected:
    // Replaces the name by a copy of the text (null clears it).
    void SetName(const TCHAR* name);
    // Builds "<prefix> - <hash>" for ToString.
    TCHAR* FormatToString(const TCHAR* format) const;

    bool m_bReadable = false;
    bool m_bSeekable = false;
    bool m_bWritable = false;
    __int64 m_position = 0;
    std::unique_ptr<TCHAR[]> m_name;
};

}  // namespace IO
