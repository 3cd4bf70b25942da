// What the Export and Import dialogs start from and remember: the last file
// ("ImportExportFile") and the last template by name ("ImportExportConfig") in the
// options.
#pragma once
#include "windows.h"

#include "CImportExportTemplate.h"
#include "Registry/RepVector.h"

class Options;

class ExchangeChoice {
public:
    // The index of the template named by "ImportExportConfig" (exact comparison), or
    // -1 when none is named or none has that name.
    static int FindRemembered(const Options& options, const rep::vector<CImportExportTemplate*>& templates);
    // Remembers the file and the template's name and marks the options changed; the
    // dialogs call it on OK, before the file is touched.
    static void Remember(Options& options, const TCHAR* path, const TCHAR* templateName);
};
