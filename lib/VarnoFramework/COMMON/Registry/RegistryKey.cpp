#include "Registry/RegistryKey.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Convert.h"
#include "Text/StringTokenizer.h"
#include "Text/Util.h"

#include <cstring>
#include <string>

using Diagnostics::Trace;

namespace {

// Line numbers the log has always shown for these checks; kept so old and new logs
// can be compared.
constexpr int kStringTypeLine = 201;
constexpr int kMultiStringTypeLine = 255;
constexpr int kDelimitedTypeLine = 339;
constexpr int kDeleteTreeLine = 130;

// Not among the platform's codes: a value whose size does not fit the request.
constexpr LONG kInvalidData = 13;

const TCHAR* const kSourceFile = u"" __FILE__;

using Text = std::unique_ptr<TCHAR[]>;

Text ErrorText(LONG code) { return Text(Util::GetErrorMessage(code)); }

const TCHAR* OrEmpty(const TCHAR* text) { return text ? text : u""; }

// A new[] copy of count characters, terminated.
TCHAR* CopyOf(const TCHAR* text, std::size_t count) {
    TCHAR* copy = new TCHAR[count + 1];
    std::memcpy(copy, text, count * sizeof(TCHAR));
    copy[count] = 0;
    return copy;
}

}  // namespace

RegistryKey::RegistryKey(HKEY key, const TCHAR* name) : m_hKey(key), m_name(Util::tcsdup(name)) {}

RegistryKey::~RegistryKey() { Close(); }

RegistryKey* RegistryKey::OpenSubKey(const TCHAR* name) { return OpenSubKey(name, false); }

RegistryKey* RegistryKey::OpenSubKey(const TCHAR* name, bool) {
    std::unique_ptr<RegistryKey> key(new RegistryKey(nullptr, name));
    const LONG error = RegOpenKeyExW(m_hKey, name, 0, 0, &key->m_hKey);
    if (error != ERROR_SUCCESS) {
        key->m_hKey = nullptr;
        Trace::WriteFormattedLineT(u"info", u"Cannot open registry key '%s', error = '%s'(%d)", OrEmpty(name),
                                   ErrorText(error).get(), static_cast<int>(error));
        return nullptr;
    }
    return key.release();
}

RegistryKey* RegistryKey::CreateSubKey(const TCHAR* name) {
    std::unique_ptr<RegistryKey> key(new RegistryKey(nullptr, name));
    DWORD disposition = 0;
    const LONG error = RegCreateKeyExW(m_hKey, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key->m_hKey,
                                       &disposition);
    if (error != ERROR_SUCCESS) {
        key->m_hKey = nullptr;
        Trace::WriteFormattedLineT(u"error", u"Cannot create registry key '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return nullptr;
    }
    return key.release();
}

void RegistryKey::Close() {
    if (m_hKey != nullptr)
        RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

bool RegistryKey::DeleteSubKey(const TCHAR* name) {
    const LONG error = RegDeleteKeyW(m_hKey, name);
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot delete registry key '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    return true;
}

bool RegistryKey::DeleteSubKeyTree(const TCHAR* name) {
    std::unique_ptr<RegistryKey> key(OpenSubKey(name, true));
    if (!key) {
        Trace::WriteFormattedLineT(u"error", u"Fail to DeleteSubKeyTree '%s' in %s %d", OrEmpty(name), kSourceFile,
                                   kDeleteTreeLine);
        return false;
    }
    // Collected first: enumerating while deleting would skip keys.
    rep::string_list children;
    key->GetSubKeyNames(children);
    for (TCHAR* child : children)
        if (!key->DeleteSubKeyTree(child))
            return false;
    key.reset();
    return DeleteSubKey(name);
}

void RegistryKey::EnumNames(bool subKeys, rep::vector<TCHAR*>& names) {
    TCHAR buffer[nameBufferChars];
    for (DWORD index = 0;; ++index) {
        DWORD chars = nameBufferChars;
        const LONG error = subKeys
                               ? RegEnumKeyExW(m_hKey, index, buffer, &chars, nullptr, nullptr, nullptr, nullptr)
                               : RegEnumValueW(m_hKey, index, buffer, &chars, nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS || chars >= nameBufferChars)
            return;
        names.push_back(CopyOf(buffer, chars));
    }
}

void RegistryKey::GetSubKeyNames(rep::vector<TCHAR*>& names) { EnumNames(true, names); }

bool RegistryKey::GetValueNames(rep::vector<TCHAR*>& names) {
    EnumNames(false, names);
    return true;
}

bool RegistryKey::DeleteValue(const TCHAR* name) {
    const LONG error = RegDeleteValueW(m_hKey, name);
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot DeleteValue key '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    return true;
}

LONG RegistryKey::QueryText(const TCHAR* name, Text& text, DWORD& type) {
    // Whole characters only: the byte limit is odd.
    const std::unique_ptr<TCHAR[]> buffer(new TCHAR[maxStringBytes / 2 + 1]);
    DWORD size = maxStringBytes;
    type = REG_NONE;
    const LONG error = RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.get()), &size);
    if (error != ERROR_SUCCESS)
        return error;
    if (type != REG_SZ)
        return ERROR_SUCCESS;
    const std::size_t chars = std::min<std::size_t>(size / 2, maxStringBytes / 2);
    std::size_t length = 0;
    while (length < chars && buffer[length] != 0)
        ++length;
    text.reset(CopyOf(buffer.get(), length));
    return ERROR_SUCCESS;
}

bool RegistryKey::GetString(const TCHAR* name, TCHAR*& text) {
    Text value;
    DWORD type = REG_NONE;
    const LONG error = QueryText(name, value, type);
    text = nullptr;
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"warning", u"Cannot GetString name '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    if (type != REG_SZ) {
        Trace::WriteFormattedLineT(u"warning", u"%s(%d) : query REG_SZ, returns %d", kSourceFile, kStringTypeLine,
                                   static_cast<int>(type));
        return false;
    }
    text = value.release();
    return true;
}

bool RegistryKey::SetString(const TCHAR* name, const TCHAR* text) {
    text = OrEmpty(text);
    const std::size_t bytes = 2 * (_tcslen(text) + 1);
    LONG error = kInvalidData;
    // A longer text would be stored but could never be read back.
    if (bytes <= maxStringBytes)
        error = RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(bytes));
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot set registry string'%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    return true;
}

bool RegistryKey::GetMultiString(const TCHAR* name, rep::vector<TCHAR*>& list) {
    constexpr DWORD bufferChars = maxMultiStringChars + 1;
    const std::unique_ptr<TCHAR[]> buffer(new TCHAR[bufferChars]);
    DWORD size = bufferChars * sizeof(TCHAR);
    DWORD type = REG_NONE;
    const LONG error = RegQueryValueExW(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.get()), &size);
    if (error != ERROR_SUCCESS) {
        const Text message = ErrorText(error);
        Trace::WriteFormattedLineT(u"warning", u"Cannot GetMultiString key '%s', error = '%s'", OrEmpty(name),
                                   message.get());
        Trace::WriteFormattedLineT(u"warning",
                                   u"RegQueryValueEx(key '%s', value '%s', REG_MULTI_SZ, %d bytes) failed: '%s'",
                                   OrEmpty(getName()), OrEmpty(name), static_cast<int>(bufferChars * sizeof(TCHAR)),
                                   message.get());
        return false;
    }
    if (type != REG_MULTI_SZ) {
        Trace::WriteFormattedLineT(u"warning", u"query REG_MULTI_SZ, returns %d in %s, line = % d",
                                   static_cast<int>(type), kSourceFile, kMultiStringTypeLine);
        return false;
    }
    // The data may lack its terminators: every scan stops at its end.
    const std::size_t chars = std::min<std::size_t>(size / sizeof(TCHAR), bufferChars);
    std::size_t start = 0;
    while (start < chars) {
        std::size_t end = start;
        while (end < chars && buffer[end] != 0)
            ++end;
        if (end == start)
            break;  // an empty element ends the list
        list.push_back(CopyOf(buffer.get() + start, end - start));
        start = end + 1;
    }
    return true;
}

bool RegistryKey::SetMultiString(const TCHAR* name, const rep::vector<TCHAR*>& list) {
    std::u16string data;
    for (const TCHAR* element : list) {
        const std::u16string_view text(OrEmpty(element));
        if (data.size() + text.size() + 1 > maxMultiStringChars) {
            Trace::WriteFormattedLineT(u"error",
                                       u"Cannot write REG_MULTI_SZ to registry because of max value len (%d) exceded",
                                       static_cast<int>(maxMultiStringChars));
            return false;
        }
        data.append(text);
        data.push_back(0);
    }
    if (!data.empty()) {
        data.push_back(0);
        const std::size_t bytes = data.size() * sizeof(TCHAR);
        if (bytes > maxMultiStringBytes) {
            Trace::WriteFormattedLineT(
                u"error", u"Too long multistring, buffer must be smaller than 4k (2k unicode), current length is %d!",
                static_cast<int>(bytes));
            MessageBoxW(nullptr, u"RegistryKey::SetMultiString RegSetValueEx fails: Too long multistring", u"Error",
                        MB_OK | MB_ICONERROR);
            return false;
        }
    } else {
        data.assign(2, 0);
    }
    const LONG error = RegSetValueExW(m_hKey, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                                      static_cast<DWORD>(data.size() * sizeof(TCHAR)));
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot set registry multi string registry key '%s', error = '%s'",
                                   OrEmpty(name), ErrorText(error).get());
        return false;
    }
    return true;
}

bool RegistryKey::GetMultiStringAsString(const TCHAR* name, rep::vector<TCHAR*>& list, const TCHAR* delimiters) {
    Text text;
    DWORD type = REG_NONE;
    const LONG error = QueryText(name, text, type);
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"warning", u"Cannot GetMultiString key '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    if (type != REG_SZ) {
        Trace::WriteFormattedLineT(u"warning", u"query REG_SZ, returns %d in %s, line = % d", static_cast<int>(type),
                                   kSourceFile, kDelimitedTypeLine);
        return false;
    }
    StringTokenizer tokens(text.get(), OrEmpty(delimiters));
    while (const TCHAR* token = tokens.nextToken())
        list.push_back(Util::tcsdup(token));
    return true;
}

bool RegistryKey::SetMultiStringAsString(const TCHAR* name, const rep::vector<TCHAR*>& list,
                                         const TCHAR* delimiter) {
    std::u16string text;
    const std::u16string_view separator(OrEmpty(delimiter));
    for (const TCHAR* element : list) {
        text.append(OrEmpty(element));
        text.append(separator);
    }
    const std::size_t bytes = (text.size() + 1) * sizeof(TCHAR);
    if (bytes > maxMultiStringBytes) {
        Trace::WriteFormattedLineT(
            u"error", u"Too long multistring, buffer must be smaller than 4k (2k unicode), current length is %d!",
            static_cast<int>(bytes));
        return false;
    }
    const LONG error = RegSetValueExW(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                      static_cast<DWORD>(bytes));
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot set registry multi string registry key '%s', error = '%s'",
                                   OrEmpty(name), ErrorText(error).get());
        return false;
    }
    return true;
}

bool RegistryKey::GetBinary(const TCHAR*, BYTE*&, DWORD&) { return false; }

bool RegistryKey::GetDWORD(const TCHAR* name, DWORD& value) {
    DWORD stored = 0;
    DWORD size = sizeof(stored);
    LONG error = RegQueryValueExW(m_hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size);
    // A shorter value (an empty text, say) would fill only part of the number.
    if (error == ERROR_SUCCESS && size != sizeof(stored))
        error = kInvalidData;
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"cannot get DWORD'%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    value = stored;
    return true;
}

bool RegistryKey::SetDWORD(const TCHAR* name, const DWORD& value) {
    const LONG error = RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(DWORD));
    if (error != ERROR_SUCCESS) {
        Trace::WriteFormattedLineT(u"error", u"Cannot set DWORD '%s', error = '%s'", OrEmpty(name),
                                   ErrorText(error).get());
        return false;
    }
    return true;
}

bool RegistryKey::GetFloat(const TCHAR* name, float& value) {
    TCHAR* raw = nullptr;
    if (!GetString(name, raw))
        return false;
    const Text text(raw);
    float parsed = 0;
    if (_ttof(text.get(), parsed, true, true) != CE_OK)
        return false;
    // The number parser ignores a minus sign (prices are never negative), but a stored
    // negative value must read back as itself.
    const TCHAR* first = text.get();
    while (*first == u' ' || *first == u'\t')
        ++first;
    if (*first == u'-' && parsed > 0)
        parsed = -parsed;
    value = parsed;
    return true;
}

bool RegistryKey::SetFloat(const TCHAR* name, const float& value) {
    TCHAR buffer[256];
    _snwprintf(buffer, 256, u"%f", static_cast<double>(value));
    return SetString(name, buffer);
}
