#include "System/IO/FileStream.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <memory>
#include <utility>

namespace IO {

FileStream::FileStream() = default;

FileStream::FileStream(FileStream&& other) noexcept : Stream(other), m_hFile(other.m_hFile) {
    other.m_hFile = nullptr;
    other.m_bReadable = other.m_bWritable = false;
}

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    if (this != &other) {
        Close();
        Stream::operator=(other);
        m_hFile = std::exchange(other.m_hFile, nullptr);
        other.m_bReadable = other.m_bWritable = false;
    }
    return *this;
}

FileStream::~FileStream() { Close(); }

TCHAR* FileStream::ToString() const { return FormatToString(u"System.IO.FileStream - %X"); }

bool FileStream::IsOpen() const {
    return m_hFile != nullptr && m_hFile != INVALID_HANDLE_VALUE;
}

OpenResult FileStream::Init(const TCHAR* path, FileMode mode, FileAccess access) {
    if (path == nullptr || path[0] == u'\0')
        return OpenResult::EmptyName;
    // Re-opening must not leak the file held so far (it would stay locked).
    Close();
    SetName(path);
    m_hFile = CreateFileW(path, static_cast<DWORD>(access), 0, nullptr, static_cast<DWORD>(mode),
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return OpenResult::OpenFailed;
    if (mode == FileMode::Append)
        Seek(0, SeekOrigin::End);
    m_bReadable = access != FileAccess::Write;
    m_bWritable = access != FileAccess::Read;
    return OpenResult::Opened;
}

void FileStream::Close() {
    if (IsOpen())
        CloseHandle(m_hFile);
    m_hFile = nullptr;
    m_bReadable = m_bWritable = false;
}

bool FileStream::Flush() { return IsOpen() && FlushFileBuffers(m_hFile) == 1; }

__int64 FileStream::Seek(__int64 offset, SeekOrigin origin) {
    if (!IsOpen())
        return -1;
    LONG high = static_cast<LONG>(offset >> 32);
    // A position whose low half is 0xFFFFFFFF is valid: only the last error tells.
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(m_hFile, static_cast<LONG>(static_cast<DWORD>(offset)), &high,
                                     static_cast<DWORD>(origin));
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return static_cast<__int64>((static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32) | low);
}

void FileStream::SetLength(__int64) {}

int FileStream::Read(BYTE* buffer, int offset, int count) {
    if (!IsOpen() || buffer == nullptr || offset < 0 || count < 0)
        return -1;
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer + offset, static_cast<DWORD>(count), &read, nullptr))
        return -1;
    return static_cast<int>(read);
}

int FileStream::Write(const BYTE* buffer, int offset, int count) {
    if (buffer == nullptr || offset < 0 || count < 0)
        return -1;
    DWORD written = 0;
    if (!IsOpen() || !WriteFile(m_hFile, buffer + offset, static_cast<DWORD>(count), &written, nullptr)) {
        if (!IsOpen())
            SetLastError(ERROR_INVALID_HANDLE);
        const std::unique_ptr<TCHAR[]> message(Util::GetErrorMessage(-1));
        Diagnostics::Trace::WriteFormattedLineT(u"error", u"Cannot write to file error message is '%s'",
                                                message.get());
        return -1;
    }
    return static_cast<int>(written);
}

bool FileStream::GetCanSeek() { return true; }

int FileStream::GetLength() {
    if (!IsOpen())
        return -1;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return -1;
    return static_cast<int>(low);
}

__int64 FileStream::GetPosition() { return Seek(0, SeekOrigin::Current); }

void FileStream::SetPosition(__int64 position) {
    m_position = position;
    Seek(position, SeekOrigin::Begin);
}

}  // namespace IO
