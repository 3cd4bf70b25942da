#include "SafeSave.h"

#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/FileStream.h"
#include "Text/Util.h"

#include <memory>

using Diagnostics::Trace;

namespace {

using Text = std::unique_ptr<TCHAR[]>;

Text LastErrorText() {
    return Text(Util::GetErrorMessage(-1));
}

const TCHAR* OrEmpty(const TCHAR* text) {
    return text ? text : u"";
}

}  // namespace

std::u16string SafeSave::TemporaryPathFor(const TCHAR* path) {
    const std::u16string full = OrEmpty(path);
    const std::size_t separator = full.find_last_of(u"\\/");
    const std::size_t nameStart = separator == std::u16string::npos ? 0 : separator + 1;
    return full.substr(0, nameStart) + u"." + full.substr(nameStart) + u".tmp";
}

SafeSave::Result SafeSave::Write(const TCHAR* path, unsigned bufferSize,
                                 const std::function<bool(IO::BinaryWriter& writer)>& body) {
    const std::u16string target = OrEmpty(path);
    const std::u16string temporary = TemporaryPathFor(path);
    IO::FileStream file;
    if (target.empty() ||
        file.Init(temporary.c_str(), IO::FileMode::Create, IO::FileAccess::Write) != IO::OpenResult::Opened) {
        if (target.empty())
            SetLastError(ERROR_INVALID_PARAMETER);
        const Text error = LastErrorText();
        Trace::WriteFormattedLineT(u"error", u"Error while opening file '%s' - %s", temporary.c_str(),
                                   OrEmpty(error.get()));
        return CANNOT_CREATE;
    }
    // The error of the first step that fails is the one the caller gets.
    DWORD failure = ERROR_SUCCESS;
    bool ok;
    {
        IO::BufferedStream buffer(&file, bufferSize);
        IO::BinaryWriter writer(buffer);
        SetLastError(ERROR_SUCCESS);
        ok = body(writer) && !writer.HasFailed();
        // A body that fails without a failed write could not put the list into bytes.
        if (!ok)
            failure = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_INVALID_DATA;
        if (!buffer.Flush() && ok) {
            failure = GetLastError();
            ok = false;
        }
    }
    if (ok && !FlushFileBuffers(file.GetHandle())) {
        failure = GetLastError();
        const Text error = LastErrorText();
        Trace::WriteFormattedLineT(u"error", u"Cannot flush file '%s' - %s", temporary.c_str(),
                                   OrEmpty(error.get()));
        ok = false;
    }
    file.Close();
    if (ok && !MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError();
        const Text error = LastErrorText();
        Trace::WriteFormattedLineT(u"error", u"Cannot replace file '%s' - %s", target.c_str(),
                                   OrEmpty(error.get()));
        ok = false;
    }
    if (ok)
        return SAVED;
    DeleteFileW(temporary.c_str());
    SetLastError(failure);
    return FAILED;
}
