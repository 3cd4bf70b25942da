#include "ConvertCommand.h"

#include "CDelimitedFile.h"
#include "CliExit.h"
#include "CliRoot.h"
#include "ConvertTarget.h"
#include "ImportExportEngine.h"
#include "ListFile.h"
#include "LRRegistry.h"
#include "Options.h"
#include "OwnedList.h"
#include "WideString.h"

#include <cstdio>
#include <memory>

namespace {

bool EndsWithNoCase(const std::u16string& text, std::u16string_view end) {
    return text.size() >= end.size() && EqualsNoCase(std::u16string_view(text).substr(text.size() - end.size()), end);
}

// What the store knows that a conversion uses; nothing is written to it.
struct StoreFacts {
    OwnedList<CImportExportTemplate> templates;
    rep::string_list categories;
    rep::string_list locations;
    std::u16string currencyCode;
};

void ReadStore(StoreFacts& facts) {
    LRRegistry& registry = TheRegistry();
    if (CliRoot::HasStore() && registry.init()) {
        // Only templates that are stored already: GetTemplates would store the built-in
        // ones when there are none.
        rep::string_list names;
        if (const std::unique_ptr<IRegistryKey> key(registry.GetKey()->OpenSubKey(LRRegistry::kTemplatesKey)); key)
            key->GetSubKeyNames(names);
        if (!names.empty())
            registry.GetTemplates(facts.templates);
        registry.GetCategories(facts.categories);
        registry.GetLocations(facts.locations);
        TCHAR* raw = nullptr;
        registry.Get(u"CurrencyCode", raw);
        const std::unique_ptr<TCHAR[]> code(raw);
        if (code)
            facts.currencyCode = code.get();
    }
    if (facts.templates.empty())
        LRRegistry::GetSeedTemplates(facts.templates);
}

const CImportExportTemplate* FindTemplate(const rep::vector<CImportExportTemplate*>& templates,
                                          const std::u16string& name) {
    for (const CImportExportTemplate* candidate : templates)
        if (candidate->name.str() == name)
            return candidate;
    const CImportExportTemplate* found = nullptr;
    for (const CImportExportTemplate* candidate : templates)
        if (EqualsNoCase(candidate->name.str(), name)) {
            if (found)
                return nullptr;  // two differ only in case: the exact name is needed
            found = candidate;
        }
    return found;
}

std::string TemplateNames(const rep::vector<CImportExportTemplate*>& templates) {
    std::string names;
    for (const CImportExportTemplate* candidate : templates)
        names += (names.empty() ? "" : ", ") + ToUtf8(candidate->name.str());
    return names;
}

int ReadList(const std::u16string& path, rep::vector<Purchase*>& purchases, const rep::vector<TCHAR*>& locations) {
    OwnedList<Item> items;
    ListFile file;
    const int result = file.Load(path.c_str(), purchases, items, locations);
    if (result == LR_OK)
        return CliExit::kDone;
    if (result == LR_UNSUPPORTED || result == LR_CANNOT_OPEN)
        return CliExit::Fail("cannot read the list '" + ToUtf8(path) + "'");
    return CliExit::Fail("cannot read the text list '" + ToUtf8(path) + "': " + ToUtf8(ListFile::FailureText(result)));
}

int WriteList(const std::u16string& path, const rep::vector<Purchase*>& purchases) {
    ListFile file;
    if (!file.Write(path.c_str(), purchases))
        return CliExit::Fail("cannot write '" + ToUtf8(path) + "' (an older file of that name is left as it was)");
    return CliExit::kDone;
}

// Rows the import skipped for want of a name, not counting the empty row after the
// file's last line break.
int SkippedRows(const CDelimitedFile& file, const CString& log) {
    int skipped = 0;
    for (const TCHAR c : log.str())
        skipped += c == u'\n';
    const int last = file.rowCount - 1;
    if (last >= 0 && file.GetFieldCount(last) <= 1 && file.Cell(0, last).empty())
        --skipped;
    return skipped;
}

}  // namespace

int ConvertCommand::Run() const {
    const std::u16string inPath = CliRoot::PathOf(in);
    const std::u16string outPath = CliRoot::PathOf(out);
    const bool inIsList = EndsWithNoCase(inPath, u"lsr") || ListFile::IsTextListName(inPath.c_str());
    const bool outIsList = EndsWithNoCase(outPath, u"lsr");
    if (!outIsList && !inIsList)
        return CliExit::Fail("one of IN and OUT must be a .lsr list", CliExit::kUsage);

    StoreFacts facts;
    ReadStore(facts);
    OwnedList<Purchase> purchases;
    if (templateName.empty()) {
        if (!outIsList || !inIsList)
            return CliExit::Fail("name the template of the delimited file with --template (" +
                                     TemplateNames(facts.templates) + ")",
                                 CliExit::kUsage);
        if (const int failed = ReadList(inPath, purchases, facts.locations))
            return failed;
        return WriteList(outPath, purchases);
    }
    const CImportExportTemplate* chosen = FindTemplate(facts.templates, FromUtf8(templateName));
    if (!chosen)
        return CliExit::Fail("there is no template '" + templateName + "'; the templates are: " +
                                 TemplateNames(facts.templates),
                             CliExit::kUsage);
    Options options;
    options.SetCurrencyCode(facts.currencyCode.empty() ? nullptr : facts.currencyCode.c_str());
    ImportExportEngine engine(*chosen, ImportExportEngine::CurrencyOf(options));

    if (!outIsList) {
        if (const int failed = ReadList(inPath, purchases, facts.locations))
            return failed;
        switch (engine.Export(purchases, outPath.c_str())) {
        case ImportExportEngine::EXPORT_DONE:
            return CliExit::kDone;
        case ImportExportEngine::EXPORT_NOT_SUPPORTED:
            return CliExit::Fail(ToUtf8(ImportExportEngine::kExportNotSupported));
        case ImportExportEngine::EXPORT_CANNOT_CREATE:
            return CliExit::Fail("cannot create '" + ToUtf8(outPath) + "'");
        default:
            return CliExit::Fail("cannot write '" + ToUtf8(outPath) + "' (an older file of that name is left as it was)");
        }
    }

    ConvertTarget target(purchases, facts.categories, facts.locations);
    CString log;
    if (ImportExportEngine::IsObListora(*chosen)) {
        if (engine.Import(target, inPath.c_str(), false, log) != ImportExportEngine::IMPORT_DONE)
            return CliExit::Fail("cannot read the list '" + ToUtf8(inPath) + "'");
    } else {
        CDelimitedFile file;
        if (GetFileAttributesW(inPath.c_str()) == INVALID_FILE_ATTRIBUTES ||
            !file.Load(CString(inPath), CString(chosen->delimiter), chosen->charType))
            return CliExit::Fail("cannot read '" + ToUtf8(inPath) + "'");
        engine.Import(target, file, false, log);
        if (const int skipped = SkippedRows(file, log); skipped > 0)
            std::fprintf(stderr, "listora-cli: %d row(s) without an item name were left out\n", skipped);
    }
    return WriteList(outPath, purchases);
}
