#include "TemplateForm.h"

#include <cwctype>

TemplateForm::TemplateForm() {
    for (int& column : columns)
        column = CImportExportTemplate::noColumn;
}

TemplateForm::TemplateForm(const CImportExportTemplate& from)
    : name(from.name),
      commaDelimited(from.delimiter != u'\t'),
      boolFormat(from.boolFormat),
      priceType(from.priceType),
      charType(from.charType),
      bStrings(from.bStrings) {
    for (int i = 0; i < CImportExportTemplate::columnCount; ++i)
        columns[i] = from.columns[i];
    if (from.categoryDelimiter)
        categoryDelimiter = CString(from.categoryDelimiter);
}

TCHAR TemplateForm::CategoryDelimiter() const {
    return categoryDelimiter.IsEmpty() ? u'\0' : categoryDelimiter.str()[0];
}

bool TemplateForm::DelimitersClash() const {
    const TCHAR delimiter = CategoryDelimiter();
    return !bStrings && ((delimiter == u',' && commaDelimited) || (delimiter == u'\t' && !commaDelimited));
}

const TCHAR* TemplateForm::CategoryDelimiterQuestion() const {
    const auto delimiter = static_cast<std::wint_t>(CategoryDelimiter());
    if (delimiter == 0)
        return nullptr;
    if (std::iswalpha(delimiter))
        return kAlphaDelimiter;
    if (std::iswdigit(delimiter))
        return kDigitDelimiter;
    return nullptr;
}

bool TemplateForm::HasEqualColumns() const {
    for (int i = 0; i < CImportExportTemplate::columnCount; ++i)
        for (int j = i + 1; j < CImportExportTemplate::columnCount; ++j)
            if (columns[i] != CImportExportTemplate::noColumn && columns[i] == columns[j])
                return true;
    return false;
}

void TemplateForm::ApplyTo(CImportExportTemplate& to) const {
    for (int i = 0; i < CImportExportTemplate::columnCount; ++i)
        to.columns[i] = columns[i];
    to.delimiter = commaDelimited ? u',' : u'\t';
    to.categoryDelimiter = CategoryDelimiter();
    to.boolFormat = boolFormat;
    to.priceType = priceType;
    to.charType = charType;
    to.bStrings = bStrings;
}
