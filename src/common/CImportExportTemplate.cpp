#include "CImportExportTemplate.h"

CImportExportTemplate::CImportExportTemplate(const TCHAR* templateName, const int (&templateColumns)[columnCount],
                                             TCHAR fieldDelimiter, TCHAR categoriesDelimiter, bool strings)
    : name(templateName), delimiter(fieldDelimiter), categoryDelimiter(categoriesDelimiter), bStrings(strings) {
    for (int i = 0; i < columnCount; ++i)
        columns[i] = templateColumns[i];
}

CImportExportTemplate::~CImportExportTemplate() = default;

CImportExportTemplate* TemplateList::Find(const TCHAR* name) const {
    for (CImportExportTemplate* found : *this)
        if (found && name && found->name == name)
            return found;
    return nullptr;
}
