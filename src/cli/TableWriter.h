// Rows of cells written for people (an aligned table) or for scripts (CSV, TSV, JSON).
// Cells are added row by row, in column order. Texts are UTF-8.
#pragma once
#include "windows.h"

#include "ItemTexts.h"

#include <cstddef>
#include <string>
#include <vector>

class TableWriter {
public:
    enum class Format { Table, Csv, Tsv, Json };
    enum class Kind {
        Text,      // a text; may be absent (JSON null, empty elsewhere)
        Number,    // a float, shortest form; a table may show it with two decimals
        Flag,      // true or false; a table shows "x" for true
        List,      // texts: a JSON array, joined with "; " elsewhere
    };
    struct Column {
        std::string title;    // table heading and CSV/TSV header
        std::string key;      // JSON member name
        Kind kind = Kind::Text;
        bool twoDecimals = false;  // tables show the number with two decimals
    };

    explicit TableWriter(std::vector<Column> columns);

    // "table", "csv", "tsv" or "json".
    static bool ParseFormat(const std::string& name, Format& format);

    // Room for this many rows in all, so a long list is not copied as it grows.
    void Reserve(std::size_t rows) { m_cells.reserve(rows * m_columns.size()); }
    void BeginRow();
    void Text(const TCHAR* text);  // null: absent
    void Text(const std::string& utf8);
    void Number(float value);
    void Flag(bool value);
    void List(ItemTexts::Categories texts);

    std::size_t RowCount() const { return m_rows; }
    // The whole output, ending with a line break (JSON: an array of objects).
    std::string Write(Format format) const;

private:
    struct Cell {
        std::string text;  // number cells: empty; list cells: elements separated by \x1f
        float number = 0;  // the lists' numbers are floats
        bool absent = false;
    };
    const Cell& At(std::size_t row, std::size_t column) const { return m_cells[row * m_columns.size() + column]; }
    // The cell as CSV, TSV and tables show it (flags as true/false or x).
    std::string Plain(const Cell& cell, const Column& column, bool forTable) const;
    void WriteTable(std::string& out) const;
    void WriteDelimited(std::string& out, char delimiter) const;
    void WriteJson(std::string& out) const;

    std::vector<Column> m_columns;
    std::vector<Cell> m_cells;
    std::size_t m_rows = 0;
};
