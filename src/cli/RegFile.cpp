#include "RegFile.h"

#include "RegistryApi.h"
#include "WideString.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace {

constexpr const char* kHeader = "REGEDIT4";
constexpr const char* kHeaderV5 = "Windows Registry Editor Version 5.00";
constexpr std::size_t kLineWidth = 80;
constexpr char kHexDigits[] = "0123456789abcdef";

// A name or text that can stand between quotes on one line: valid UTF-16 without
// control characters.
bool IsPlainText(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 || c == 0x7F)
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

std::string Quote(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : ToUtf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// The data of a REG_SZ value that reads back exactly from "text": whole UTF-16 units,
// one terminating NUL and no other.
std::optional<std::u16string> PlainString(const RegistrySnapshot::Value& value) {
    const auto& d = value.data;
    if (value.type != REG_SZ || d.size() < 2 || d.size() % 2 != 0 || d[d.size() - 1] != 0 || d[d.size() - 2] != 0)
        return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i + 2 < d.size(); i += 2)
        text += static_cast<char16_t>(d[i] | (d[i + 1] << 8));
    if (!IsPlainText(text))
        return std::nullopt;
    return text;
}

void AppendHex(std::string& out, std::string prefix, const std::vector<BYTE>& data) {
    std::string line = std::move(prefix);
    for (std::size_t i = 0; i < data.size(); ++i) {
        line += kHexDigits[data[i] >> 4];
        line += kHexDigits[data[i] & 0xF];
        if (i + 1 < data.size()) {
            line += ',';
            // Lines are kept short for reading and diffing, as registry editors do.
            if (line.size() + 3 > kLineWidth - 2) {
                out += line + "\\\n";
                line = "  ";
            }
        }
    }
    out += line + '\n';
}

std::string ValueLine(const RegistrySnapshot::Value& value) {
    std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
    if (const auto text = PlainString(value))
        return line + Quote(*text) + '\n';
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                     (static_cast<std::uint32_t>(value.data[3]) << 24);
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", number);
        return line + "dword:" + digits + '\n';
    }
    std::string prefix = line;
    if (value.type == REG_BINARY) {
        prefix += "hex:";
    } else {
        char type[32];
        std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
        prefix += type;
    }
    std::string out;
    AppendHex(out, prefix, value.data);
    return out;
}

// ---- reading ------------------------------------------------------------------------

class Parser {
public:
    Parser(std::string_view text, RegistrySnapshot& snapshot) : m_text(text), m_snapshot(snapshot) {}

    bool Run(std::string& error) {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_text.remove_prefix(3);
        bool headerSeen = false;
        std::string line;
        while (NextLine(line)) {
            if (!Fail().empty())
                break;
            if (line.empty() || line[0] == ';')
                continue;
            if (!headerSeen) {
                if (line != kHeader && line != kHeaderV5)
                    SetFail("the file does not start with " + std::string(kHeader));
                headerSeen = true;
            } else if (line[0] == '[') {
                KeyLine(line);
            } else {
                ValueLine(line);
            }
            if (!Fail().empty())
                break;
        }
        if (Fail().empty() && !headerSeen)
            SetFail("the file is empty");
        if (Fail().empty() && m_snapshot.keys.empty())
            SetFail("the file holds no key");
        if (!Fail().empty()) {
            error = "line " + std::to_string(m_lineNumber) + ": " + Fail();
            m_snapshot.keys.clear();
            return false;
        }
        return true;
    }

private:
    const std::string& Fail() const { return m_fail; }
    void SetFail(std::string text) {
        if (m_fail.empty())
            m_fail = std::move(text);
    }

    // The next line without its line end and the blanks around it; lines ending in
    // "\" are joined with the next one (a long hex list).
    bool NextLine(std::string& line) {
        line.clear();
        bool any = false;
        while (m_at < m_text.size()) {
            any = true;
            std::size_t end = m_text.find('\n', m_at);
            if (end == std::string_view::npos)
                end = m_text.size();
            std::string_view part = m_text.substr(m_at, end - m_at);
            m_at = end + 1;
            ++m_lineNumber;
            const std::size_t first = part.find_first_not_of(" \t\r");
            part = first == std::string_view::npos ? std::string_view() : part.substr(first);
            part = part.substr(0, part.find_last_not_of(" \t\r") + 1);
            // Text that is not valid UTF-8 does not survive the round trip to UTF-16.
            if (ToUtf8(FromUtf8(part)) != part) {
                SetFail("the text is not valid UTF-8");
                return true;
            }
            // Only a hex list goes on over lines, and its continued lines end in ",\".
            if (part.size() >= 2 && part.substr(part.size() - 2) == ",\\") {
                line += part.substr(0, part.size() - 1);
                continue;
            }
            line += part;
            return true;
        }
        return any;
    }

    void KeyLine(const std::string& line) {
        if (line.size() < 3 || line.back() != ']') {
            SetFail("a key line must look like [HKEY_...\\name]");
            return;
        }
        if (line[1] == '-') {
            SetFail("lines that delete keys are not supported");
            return;
        }
        const std::u16string path = FromUtf8(std::string_view(line).substr(1, line.size() - 2));
        RegistrySnapshot::Key key;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = std::min(path.find(u'\\', start), path.size());
            key.path.push_back(path.substr(start, end - start));
            if (end == path.size())
                break;
            start = end + 1;
        }
        key.path[0] = RegistrySnapshot::RootName(key.path[0]);
        if (key.path[0].empty()) {
            SetFail("a key must start with HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or HKEY_USERS");
            return;
        }
        for (std::size_t i = 1; i < key.path.size(); ++i)
            if (!RegistrySnapshot::IsValidKeyName(key.path[i])) {
                SetFail(key.path[i].empty() ? "a key name is empty" : "a key name is longer than 255 characters");
                return;
            }
        m_snapshot.keys.push_back(std::move(key));
    }

    // A quoted text from at (on the opening quote); at ends after the closing quote.
    bool QuotedText(std::string_view line, std::size_t& at, std::string& text) {
        if (at >= line.size() || line[at] != '"') {
            SetFail("a quoted text was expected");
            return false;
        }
        for (++at; at < line.size(); ++at) {
            const char c = line[at];
            if (c == '"') {
                ++at;
                return true;
            }
            if (c == '\\') {
                if (++at >= line.size() || (line[at] != '\\' && line[at] != '"')) {
                    SetFail("inside quotes only \\\\ and \\\" may follow a backslash");
                    return false;
                }
            }
            text += line[at];
        }
        SetFail("a quoted text has no closing quote");
        return false;
    }

    static bool HexDigit(char c, unsigned& value) {
        if (c >= '0' && c <= '9')
            value = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            value = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        return true;
    }

    // One to eight hex digits.
    static bool HexNumber(std::string_view digits, std::uint32_t& number) {
        if (digits.empty() || digits.size() > 8)
            return false;
        number = 0;
        for (const char c : digits) {
            unsigned digit = 0;
            if (!HexDigit(c, digit))
                return false;
            number = number << 4 | digit;
        }
        return true;
    }

    bool HexBytes(std::string_view list, std::vector<BYTE>& data) {
        std::size_t at = 0;
        auto blanks = [&] {
            while (at < list.size() && (list[at] == ' ' || list[at] == '\t'))
                ++at;
        };
        blanks();
        while (at < list.size()) {
            unsigned high = 0;
            unsigned low = 0;
            if (at + 1 >= list.size() || !HexDigit(list[at], high) || !HexDigit(list[at + 1], low)) {
                SetFail("hex data must be two-digit hex numbers separated by commas");
                return false;
            }
            data.push_back(static_cast<BYTE>(high << 4 | low));
            at += 2;
            blanks();
            if (at < list.size()) {
                if (list[at] != ',') {
                    SetFail("hex data must be two-digit hex numbers separated by commas");
                    return false;
                }
                ++at;
                blanks();
                if (at >= list.size()) {
                    SetFail("hex data ends with a comma");
                    return false;
                }
            }
        }
        return true;
    }

    void ValueLine(const std::string& line) {
        if (m_snapshot.keys.empty()) {
            SetFail("a value comes before any key");
            return;
        }
        RegistrySnapshot::Value value;
        std::size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else {
            std::string name;
            if (!QuotedText(line, at, name))
                return;
            value.name = FromUtf8(name);
        }
        if (at >= line.size() || line[at] != '=') {
            SetFail("a value line must look like \"name\"=data");
            return;
        }
        const std::string_view data = std::string_view(line).substr(at + 1);
        if (!data.empty() && data[0] == '"') {
            std::size_t end = 0;
            std::string text;
            if (!QuotedText(data, end, text))
                return;
            if (end != data.size()) {
                SetFail("text follows the closing quote");
                return;
            }
            value.type = REG_SZ;
            for (const char16_t c : FromUtf8(text) + u'\0') {
                value.data.push_back(static_cast<BYTE>(c & 0xFF));
                value.data.push_back(static_cast<BYTE>(c >> 8));
            }
        } else if (data.substr(0, 6) == "dword:") {
            std::uint32_t number = 0;
            if (!HexNumber(data.substr(6), number)) {
                SetFail("a dword needs one to eight hex digits");
                return;
            }
            value.type = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8)
                value.data.push_back(static_cast<BYTE>(number >> shift));
        } else if (data.substr(0, 3) == "hex") {
            std::size_t colon = data.find(':');
            if (colon == std::string_view::npos) {
                SetFail("hex data needs a colon after hex or hex(type)");
                return;
            }
            const std::string_view kind = data.substr(3, colon - 3);
            value.type = REG_BINARY;
            if (!kind.empty()) {
                std::uint32_t type = 0;
                if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
                    !HexNumber(kind.substr(1, kind.size() - 2), type)) {
                    SetFail("a type must look like hex(7)");
                    return;
                }
                value.type = type;
            }
            if (!HexBytes(data.substr(colon + 1), value.data))
                return;
        } else if (data == "-") {
            SetFail("lines that delete values are not supported");
            return;
        } else {
            SetFail("the data must be a quoted text, dword:, hex: or hex(type):");
            return;
        }
        m_snapshot.keys.back().values.push_back(std::move(value));
    }

    std::string_view m_text;
    RegistrySnapshot& m_snapshot;
    std::size_t m_at = 0;
    std::size_t m_lineNumber = 0;
    std::string m_fail;
};

}  // namespace

bool RegFile::Write(const RegistrySnapshot& snapshot, std::string& text, std::string& error) {
    text = std::string(kHeader) + "\n\n";
    for (const RegistrySnapshot::Key& key : snapshot.keys) {
        // A root without values is there anyway; its subkeys say all.
        if (key.path.size() == 1 && key.values.empty())
            continue;
        std::u16string path;
        for (std::size_t i = 0; i < key.path.size(); ++i) {
            if (!IsPlainText(key.path[i])) {
                error = "the key '" + ToUtf8(key.path[i]) + "' has a character that cannot be written as text";
                return false;
            }
            path += (i ? u"\\" : u"") + key.path[i];
        }
        text += '[';
        text += ToUtf8(path);
        text += "]\n";
        for (const RegistrySnapshot::Value& value : key.values) {
            if (!IsPlainText(value.name)) {
                error = "the value '" + ToUtf8(value.name) + "' of [" + ToUtf8(path) +
                        "] has a character that cannot be written as text";
                return false;
            }
            text += ValueLine(value);
        }
        text += '\n';
    }
    return true;
}

bool RegFile::Parse(std::string_view text, RegistrySnapshot& snapshot, std::string& error) {
    snapshot.keys.clear();
    Parser parser(text, snapshot);
    return parser.Run(error);
}
