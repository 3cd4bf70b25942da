#include "Text/UnicodeUtil.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <cstring>
#include <memory>
#include <new>

using Diagnostics::Trace;

bool UnicodeUtil::AnsiToUnicode(const char* ansi, TCHAR** out) {
    if (!out)
        return false;
    *out = nullptr;
    if (!ansi)
        return true;
    const std::size_t length = std::strlen(ansi);
    std::unique_ptr<TCHAR[]> buffer(new (std::nothrow) TCHAR[length + 1]);
    if (!buffer) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Not enought memory", u"" __FILE__, __LINE__);
        return false;
    }
    if (length + 1 > static_cast<std::size_t>(INT32_MAX) ||
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, buffer.get(), static_cast<int>(length + 1)) == 0) {
        std::unique_ptr<TCHAR[]> error(Util::GetErrorMessage(-1));
        Trace::WriteFormattedLineT(u"error", u"Cannot convert ansi to unicode, error %s", error.get());
        return false;
    }
    *out = buffer.release();
    return true;
}

bool UnicodeUtil::UnicodeToAnsi(const TCHAR* text, char** out) {
    if (!out)
        return false;
    *out = nullptr;
    if (!text) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Not enought memory", u"" __FILE__, __LINE__);
        return false;
    }
    const std::size_t length = _tcslen(text);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[length + 1]);
    if (!buffer) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Not enought memory", u"" __FILE__, __LINE__);
        return false;
    }
    if (length + 1 > static_cast<std::size_t>(INT32_MAX) ||
        WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.get(), static_cast<int>(length + 1), nullptr,
                            nullptr) == 0) {
        std::unique_ptr<TCHAR[]> error(Util::GetErrorMessage(-1));
        Trace::WriteFormattedLineT(u"error", u"Cannot convert unicode to ansi, error %s", error.get());
        return false;
    }
    *out = buffer.release();
    return true;
}
