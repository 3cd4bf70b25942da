// What the import/export template dialog edits: a template's values as its fields hold
// them, and the rules its OK checks them by (the dialog asks and refuses; the rules
// decide).
#pragma once
#include "windows.h"

#include "CImportExportTemplate.h"

struct TemplateForm {
    // The texts the rules lead to.
    static constexpr const TCHAR* kSameDelimiters =
        u"Delimiter and category delimiter characher cannot be the same when strings are not in \"\"!";
    static constexpr const TCHAR* kNoCategoryDelimiter =
        u"Enter the character that separates categories (Categories Delimiter)!";
    static constexpr const TCHAR* kAlphaDelimiter = u"Selected categories delimiter is alpha.\nAre you sure?";
    static constexpr const TCHAR* kDigitDelimiter = u"Selected categories delimiter is digit.\nAre you sure?";
    static constexpr const TCHAR* kNameExists = u"There is a template with such name!";
    static constexpr const TCHAR* kNoName = u"Select template first";
    static constexpr const TCHAR* kEqualIndexes = u"There are equal indexes!";

    // A new template's fields: every column absent, tab, "1/0", plain prices, the
    // character type "OS Dependent", no category delimiter, the box clear.
    TemplateForm();
    explicit TemplateForm(const CImportExportTemplate& from);

    // The delimiter would also split the categories field, with nothing to keep it
    // together (the box "Strings may be in ..." is clear).
    bool DelimitersClash() const;
    // The question to ask about a letter or a digit as category delimiter; null for
    // any other character.
    const TCHAR* CategoryDelimiterQuestion() const;
    // Two slots use the same column of the file.
    bool HasEqualColumns() const;
    // The category delimiter as stored: the first character of its field.
    TCHAR CategoryDelimiter() const;
    // Stores every field but the name into the template.
    void ApplyTo(CImportExportTemplate& to) const;

    CString name;
    int columns[CImportExportTemplate::columnCount];
    bool commaDelimited = false;
    CString categoryDelimiter;
    int boolFormat = 0;
    int priceType = 0;
    int charType = 0;
    bool bStrings = false;
};
