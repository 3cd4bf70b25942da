#include "TableWriter.h"

#include "WideString.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr char kListSeparator = '\x1f';

// The float's shortest text that reads back as the same float.
void AppendNumber(std::string& out, double value, bool twoDecimals) {
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        return;
    }
    char digits[64];
    const auto written = twoDecimals
                             ? std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2)
                             : std::to_chars(digits, digits + sizeof digits, static_cast<float>(value));
    if (written.ec == std::errc())
        out.append(digits, written.ptr);
}

std::size_t Width(const std::string& utf8) {
    // Characters, not bytes: continuation bytes do not count.
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[(c >> 4) & 0xF];
                out += kHex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// Line breaks and tabs would end a row or a field of a table or a TSV file.
std::string OneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

}  // namespace

TableWriter::TableWriter(std::vector<Column> columns) : m_columns(std::move(columns)) {}

bool TableWriter::ParseFormat(const std::string& name, Format& format) {
    static const std::pair<const char*, Format> kNames[] = {
        {"table", Format::Table}, {"csv", Format::Csv}, {"tsv", Format::Tsv}, {"json", Format::Json}};
    for (const auto& [text, value] : kNames)
        if (name == text) {
            format = value;
            return true;
        }
    return false;
}

void TableWriter::BeginRow() {
    ++m_rows;
}

void TableWriter::Text(const TCHAR* text) {
    Cell cell;
    cell.absent = text == nullptr;
    if (text)
        cell.text = ToUtf8(text);
    m_cells.push_back(std::move(cell));
}

void TableWriter::Text(const std::string& utf8) {
    m_cells.push_back(Cell{utf8, 0, false});
}

void TableWriter::Number(float value) {
    m_cells.push_back(Cell{{}, value, false});
}

void TableWriter::Flag(bool value) {
    m_cells.push_back(Cell{{}, value ? 1.0f : 0.0f, false});
}

void TableWriter::List(ItemTexts::Categories texts) {
    Cell cell;
    for (const TCHAR* text : texts) {
        if (text != *texts.begin())
            cell.text += kListSeparator;
        cell.text += ToUtf8(text);
    }
    m_cells.push_back(std::move(cell));
}

std::string TableWriter::Plain(const Cell& cell, const Column& column, bool forTable) const {
    std::string text;
    switch (column.kind) {
    case Kind::Number:
        AppendNumber(text, cell.number, forTable && column.twoDecimals);
        break;
    case Kind::Flag:
        text = cell.number != 0 ? (forTable ? "x" : "true") : (forTable ? "" : "false");
        break;
    case Kind::List:
        for (const char c : cell.text)
            c == kListSeparator ? text += "; " : text += c;
        break;
    case Kind::Text:
        text = cell.text;
        break;
    }
    return text;
}

std::string TableWriter::Write(Format format) const {
    std::string out;
    out.reserve(m_cells.size() * 12 + 256);
    switch (format) {
    case Format::Table: WriteTable(out); break;
    case Format::Csv: WriteDelimited(out, ','); break;
    case Format::Tsv: WriteDelimited(out, '\t'); break;
    case Format::Json: WriteJson(out); break;
    }
    return out;
}

void TableWriter::WriteTable(std::string& out) const {
    // Two passes over the cells, the first for the widths: a long list is not held
    // twice in memory.
    const std::size_t count = m_columns.size();
    std::vector<std::size_t> widths(count);
    for (std::size_t c = 0; c < count; ++c)
        widths[c] = Width(m_columns[c].title);
    for (std::size_t r = 0; r < m_rows; ++r)
        for (std::size_t c = 0; c < count; ++c)
            widths[c] = std::max(widths[c], Width(Plain(At(r, c), m_columns[c], true)));
    std::size_t lineLength = 1;
    for (const std::size_t width : widths)
        lineLength += width + 2;
    out.reserve(out.size() + (m_rows + 1) * lineLength);
    auto line = [&](auto cellText) {
        const std::size_t start = out.size();
        for (std::size_t c = 0; c < count; ++c) {
            const std::string text = OneLine(cellText(c));
            const std::size_t pad = widths[c] - Width(text);
            if (c > 0)
                out += "  ";
            const bool right = m_columns[c].kind == Kind::Number;
            if (right)
                out.append(pad, ' ');
            out += text;
            if (!right)
                out.append(pad, ' ');
        }
        // No blanks at the end of a line.
        const std::size_t end = out.find_last_not_of(' ');
        out.resize(end == std::string::npos || end < start ? start : end + 1);
        out += '\n';
    };
    line([&](std::size_t c) { return m_columns[c].title; });
    for (std::size_t r = 0; r < m_rows; ++r)
        line([&](std::size_t c) { return Plain(At(r, c), m_columns[c], true); });
}

void TableWriter::WriteDelimited(std::string& out, char delimiter) const {
    // CSV quotes a field that holds the delimiter, a quote or a line break (quotes
    // doubled); TSV has no quoting, so tabs and line breaks become blanks.
    auto field = [&](const std::string& text) {
        if (delimiter == '\t') {
            out += OneLine(text);
        } else if (text.find_first_of(",\"\r\n") != std::string::npos) {
            out += '"';
            for (const char c : text)
                c == '"' ? out += "\"\"" : out += c;
            out += '"';
        } else {
            out += text;
        }
    };
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (c > 0)
            out += delimiter;
        field(m_columns[c].key);
    }
    out += '\n';
    for (std::size_t r = 0; r < m_rows; ++r) {
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (c > 0)
                out += delimiter;
            field(Plain(At(r, c), m_columns[c], false));
        }
        out += '\n';
    }
}

void TableWriter::WriteJson(std::string& out) const {
    out += '[';
    for (std::size_t r = 0; r < m_rows; ++r) {
        out += r == 0 ? "\n  {" : ",\n  {";
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            const Column& column = m_columns[c];
            const Cell& cell = At(r, c);
            if (c > 0)
                out += ", ";
            AppendJsonString(out, column.key);
            out += ": ";
            if (cell.absent) {
                out += "null";
            } else if (column.kind == Kind::Number) {
                // JSON has no not-a-number nor infinity.
                if (std::isfinite(cell.number))
                    AppendNumber(out, cell.number, false);
                else
                    out += "null";
            } else if (column.kind == Kind::Flag) {
                out += cell.number != 0 ? "true" : "false";
            } else if (column.kind == Kind::List) {
                out += '[';
                std::size_t start = 0;
                for (bool first = true; !cell.text.empty(); first = false) {
                    const std::size_t end = std::min(cell.text.find(kListSeparator, start), cell.text.size());
                    if (!first)
                        out += ", ";
                    AppendJsonString(out, cell.text.substr(start, end - start));
                    if (end == cell.text.size())
                        break;
                    start = end + 1;
                }
                out += ']';
            } else {
                AppendJsonString(out, cell.text);
            }
        }
        out += '}';
    }
    out += m_rows ? "\n]\n" : "]\n";
}
