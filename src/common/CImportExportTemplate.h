// An import/export template: which column of a delimited file holds which field of a
// purchase, and how the file writes delimiters, flags, prices and characters. The
// catalogue store keeps templates under "ImportExportTempl", one subkey per name.
#pragma once
#include "windows.h"

#include "ColumnNibbles.h"
#include "Registry/RepVector.h"

class CImportExportTemplate {
public:
    // Field slots of columns[], in order.
    enum Slot { QTY, NAME, PRICE, COUPON, LOCATION, NOTE, CATEGORIES, PURCHASED, TAXABLE, UNIT };
    static constexpr int columnCount = kPackedColumnCount;
    // The column index of a field the file does not have.
    static constexpr int noColumn = 15;

    // Flags are written as 1/0, True/False or Yes/No.
    static constexpr int maxBoolFormat = 2;
    // Prices are written plain, with the currency symbol in front or the abbreviation behind.
    static constexpr int maxPriceType = 2;
    // The four character types of delimited files.
    static constexpr int maxCharType = 3;

    // The built-in template: it can be neither changed nor deleted.
    static constexpr const TCHAR* kBuiltIn = u"Tamra";

    // boolFormat 1 (True/False), priceType 0, charType 0.
    CImportExportTemplate(const TCHAR* name, const int (&columns)[columnCount], TCHAR delimiter,
                          TCHAR categoryDelimiter, bool bStrings);
    CImportExportTemplate(const CImportExportTemplate&) = default;
    CImportExportTemplate& operator=(const CImportExportTemplate&) = default;
    virtual ~CImportExportTemplate();

    bool IsBuiltIn() const { return name == kBuiltIn; }

    CString name;
    int columns[columnCount];
    TCHAR delimiter;
    TCHAR categoryDelimiter;
    int boolFormat = 1;
    int priceType = 0;
    bool bStrings;
    int charType = 0;
};

// The templates a command reads from the store, owned: deleted with the list.
class TemplateList : public rep::vector<CImportExportTemplate*> {
public:
    TemplateList() = default;
    TemplateList(const TemplateList&) = delete;
    TemplateList& operator=(const TemplateList&) = delete;
    ~TemplateList() override { rep::delete_objects(*this); }

    // The template named name exactly; null when there is none.
    CImportExportTemplate* Find(const TCHAR* name) const;
};
