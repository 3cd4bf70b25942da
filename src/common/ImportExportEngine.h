// ImportExportEngine: moves purchases between a list and a delimited file through an
// import/export template: one purchase to one line, one row to one purchase, a whole
// list exported to a file, a whole file imported into a list (IImportTarget). The
// commands around it (dialogs, wait cursor, message boxes) belong to the document;
// every text they show for an outcome is given here.
//
// A line as written:
// - a cell per column 0 to 14; the line runs from column 0 to the highest column a
//   slot from quantity to taxable uses, and on to the unit's column when the unit is
//   not empty; cells no slot fills stay empty;
// - quantity and price with two decimals (a price with the currency symbol in front or
//   its abbreviation behind, as the template says), flags as the template's texts;
// - name, note and categories in double quotes (no note: an empty cell); every other
//   cell bare, unless it holds the delimiter: then it is quoted too.
// The reader has no escape for a double quote inside a text, nor for a line break, so
// the writer puts a closing typographic quote (U+201D) for each double quote and a
// blank for each line break: the text then reads back whole, looking the same.
#pragma once
#include "windows.h"

#include "CDelimitedFile.h"
#include "CImportExportTemplate.h"
#include "Currency.h"
#include "IImportTarget.h"
#include "ProgressSink.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Options;

class ImportExportEngine {
public:
    // Columns a line can have (0 to 14).
    static constexpr int kLineColumns = 15;
    // The template that stands for the other product's own list files: import hands
    // them to the document's list reader, export refuses them.
    static constexpr const TCHAR* kObListora = u"OB Listora";

    enum ExportResult {
        EXPORT_DONE,           // "Export is done"
        EXPORT_CANNOT_CREATE,  // "Cannot create file!"
        EXPORT_WRITE_FAILED,   // IDS_CANNOT_SAVE_FILE with the path; an older file stays
        EXPORT_NOT_SUPPORTED,  // "Export to ob listora file is not supported!"
        EXPORT_CANCELLED,      // nothing written; an older file stays
    };
    enum ImportResult {
        IMPORT_DONE,            // the log empty: "The import is successful!"; else the log
        IMPORT_CANNOT_PARSE,    // "Cannot parse file '%s'" with the path; list unchanged
        IMPORT_LIST_NOT_LOADED, // "OB Listora": the document's list reader has told the user
        IMPORT_CANCELLED,       // the rows before the cancel are in the list; the log is kept
    };

    static constexpr const TCHAR* kExportDone = u"Export is done";
    static constexpr const TCHAR* kCannotCreateFile = u"Cannot create file!";
    static constexpr const TCHAR* kExportNotSupported = u"Export to ob listora file is not supported!";
    static constexpr const TCHAR* kImportSuccessful = u"The import is successful!";
    static constexpr const TCHAR* kCannotParseFile = u"Cannot parse file '%s'";
    static constexpr const TCHAR* kLineSkipped = u"Line %d is skipped\n";

    // currency: the options' currency, for prefixed and postfixed prices (null: no
    // symbol, no abbreviation).
    ImportExportEngine(const CImportExportTemplate& exchangeTemplate, const Currency* currency);

    // The line of a purchase: its cells in column order (the line's length as above).
    void PurchaseToCells(const Purchase& purchase, std::vector<std::u16string>& cells) const;
    // The purchase of a row; null when the row has no name. A new line: once false.
    std::unique_ptr<Purchase> RowToPurchase(const CDelimitedFile& file, int row) const;
    // Category names that hold the category delimiter: in a row's categories, pieces
    // that join up to one of these names (ignoring case) stay one category.
    void SetKnownCategories(const rep::vector<TCHAR*>& categories);

    // Writes the purchases in list order to path, safely: the old file of that name
    // stays unless everything was written. progress may be null.
    ExportResult Export(const rep::vector<Purchase*>& purchases, const TCHAR* path,
                        ProgressSink* progress = nullptr) const;
    // Reads path into the target; log receives "Line %d is skipped\n" for every row
    // without a name. With replaceExisting a row whose name the list has replaces that
    // purchase; otherwise the row is dropped. progress may be null.
    ImportResult Import(IImportTarget& target, const TCHAR* path, bool replaceExisting, CString& log,
                        ProgressSink* progress = nullptr);
    // The same over a file already read.
    ImportResult Import(IImportTarget& target, const CDelimitedFile& file, bool replaceExisting,
                        CString& log, ProgressSink* progress = nullptr);

    static bool IsObListora(const CImportExportTemplate& exchangeTemplate);

    // The texts of a flag in a template's boolean format (0 "1"/"0", 1 "True"/"False",
    // 2 "Yes"/"No"; others as 0).
    static const TCHAR* BoolText(int boolFormat, bool value);

    // A price as read back from a cell written with priceType (0 plain, 1 anything up
    // to the first digit skipped, 2 the number at the start).
    static float ReadPrice(std::u16string_view cell, int priceType);

    // The currency of the price formats: the options' one, else the default one.
    static const Currency* CurrencyOf(const Options& options);

private:
    int Column(int slot) const;
    void AddCategories(std::u16string_view cell, Purchase& purchase, std::u16string& scratch) const;

    CImportExportTemplate m_template;
    const Currency* m_currency;
    // Known category names that hold the category delimiter.
    std::vector<std::u16string> m_joinedCategories;
};
