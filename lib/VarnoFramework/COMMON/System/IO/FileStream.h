// A stream over a platform file handle. Files are opened exclusively (share mode 0):
// while one stream holds a file, nobody else can open it.
#pragma once
#include "System/IO/FileAccess.h"
#include "System/IO/FileMode.h"
#include "System/IO/OpenResult.h"
#include "System/IO/Stream.h"

namespace IO {

class FileStream : public Stream {
public:
    // Closed: no handle, no name, neither readable nor writable. Open it with Init.
    FileStream();
    // Two objects must never own the same handle (each would close it), so a file
    // stream is moved, not copied.
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;
    ~FileStream() override;

    TCHAR* ToString() const override;

    // Opens the file at path. "" gives EmptyName and changes nothing; a file the stream
    // already held is closed before the new one is opened.
    OpenResult Init(const TCHAR* path, FileMode mode, FileAccess access);

    // Harmless when nothing is open.
    void Close() override;
    bool Flush() override;
    __int64 Seek(__int64 offset, SeekOrigin origin) override;
    // Not supported: does nothing.
    void SetLength(__int64 length) override;
    int Read(BYTE* buffer, int offset, int count) override;
    int Write(const BYTE* buffer, int offset, int count) override;
    bool GetCanSeek() override;
    int GetLength() override;
    __int64 GetPosition() override;
    void SetPosition(__int64 position) override;

    // The platform handle, null when closed.
    HANDLE GetHandle() const { return m_hFile; }

private:
    bool IsOpen() const;

    HANDLE m_hFile = nullptr;
};

}  // namespace IO
