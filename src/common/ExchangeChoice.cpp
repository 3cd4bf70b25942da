#include "ExchangeChoice.h"

#include "Options.h"

int ExchangeChoice::FindRemembered(const Options& options, const rep::vector<CImportExportTemplate*>& templates) {
    const TCHAR* name = options.GetImportExportConfig();
    if (!name)
        return -1;
    for (DWORD i = 0; i < templates.size(); ++i)
        if (templates[i] && templates[i]->name == name)
            return static_cast<int>(i);
    return -1;
}

void ExchangeChoice::Remember(Options& options, const TCHAR* path, const TCHAR* templateName) {
    options.SetImportExportFile(path);
    options.SetImportExportConfig(templateName);
    options.SetChanged();
}
