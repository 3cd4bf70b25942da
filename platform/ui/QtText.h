// Conversions between the program's UTF-16 text and QString. Both hold UTF-16 code
// units, so the conversions copy without re-encoding.
#pragma once
#include "windows.h"

#include <QString>
#include <string>

inline QString ToQString(const CString& text) {
    return QString::fromUtf16(text.str().data(), static_cast<qsizetype>(text.str().size()));
}

inline QString ToQString(const WCHAR* text) {
    return text ? QString::fromUtf16(text) : QString();
}

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString ToQString(const std::u16string& text) {
    return ToQString(std::u16string_view(text));
}

inline CString ToCString(const QString& text) {
    return CString(std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                                  static_cast<std::size_t>(text.size())));
}

inline std::u16string ToU16String(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}
