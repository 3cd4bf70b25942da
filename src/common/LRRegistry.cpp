#include "LRRegistry.h"

#include "CatalogueStrings.h"
#include "FailureReason.h"
#include "ListFile.h"
#include "System/Diagnostics/Trace.h"
#include "Text/Path.h"
#include "Text/Util.h"

#include <cmath>
#include <memory>

using Diagnostics::Trace;

namespace {

const TCHAR* const kSourceFile = u"" __FILE__;

constexpr TCHAR kBackslashStandIn = u'\uE05C';
constexpr TCHAR kQuote = u'\uE000';

using KeyPtr = std::unique_ptr<IRegistryKey>;

const TCHAR* OrEmpty(const TCHAR* text) { return text ? text : u""; }

// A list of new[] copies of constant texts (the seed lists).
void FillList(rep::string_list& list, std::initializer_list<UINT> ids) {
    for (UINT id : ids)
        list.push_back(Util::tcsdup(CatalogueText(id)));
}

void SeedCategories(rep::string_list& list) {
    // "Vegetables" twice: two entries of the string table carry the same text.
    FillList(list, {IDS_SEED_FOODS, IDS_SEED_VEGETABLES, IDS_SEED_FRUITS, IDS_SEED_DRINKS, IDS_SEED_DRUGS,
                    IDS_SEED_HOUSEHOLD, IDS_SEED_MEAT, IDS_SEED_HEALTH, IDS_SEED_KITCHEN, IDS_SEED_VEGETABLES2});
}

void SeedUnits(rep::string_list& list) {
    FillList(list, {IDS_SEED_BAGS, IDS_SEED_BUNCH, IDS_SEED_CUP, IDS_SEED_DOZ, IDS_SEED_GAL, IDS_SEED_KG,
                    IDS_SEED_LIB, IDS_SEED_LITRE, IDS_SEED_PINT, IDS_SEED_PKG, IDS_SEED_QRT});
}

void SeedLocations(rep::string_list& list) {
    list.push_back(Util::tcsdup(u"walmart"));
    list.push_back(Util::tcsdup(u"sam's club"));
}

struct SeedTemplate {
    const TCHAR* name;
    int columns[CImportExportTemplate::columnCount];
    TCHAR delimiter;
    TCHAR categoryDelimiter;
    bool bStrings;
    int boolFormat;
    int priceType;
    int charType;
};

const SeedTemplate kSeedTemplates[] = {
    {u"Tamra", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 44, 44, true, 1, 0, 0},
    {u"EZ Shopping", {1, 0, 2, 6, 4, 15, 3, 9, 7, 5}, 44, 44, true, 0, 0, 1},
    {u"OB Listora", {2, 0, 3, 4, 15, 15, 6, 5, 15, 1}, 44, 44, true, 0, 0, 0},
    {u"Handy Shop", {1, 0, 2, 15, 15, 3, 15, 15, 15, 15}, 9, 44, true, 0, 1, 0},
};

// A DWORD of a template, taken only when it lies in 0..max (stored data may be damaged).
void ReadCode(IRegistryKey& key, const TCHAR* name, int max, int& value) {
    DWORD stored = 0;
    if (key.GetDWORD(name, stored) && stored <= static_cast<DWORD>(max))
        value = static_cast<int>(stored);
}

// The first character of a one-character text value, when there is one.
void ReadCharacter(IRegistryKey& key, const TCHAR* name, TCHAR& value) {
    TCHAR* raw = nullptr;
    if (key.GetString(name, raw)) {
        const std::unique_ptr<TCHAR[]> text(raw);
        if (text[0] != 0)
            value = text[0];
    }
}

CImportExportTemplate* ReadTemplate(IRegistryKey& key, const TCHAR* name) {
    static constexpr int kDefaultColumns[CImportExportTemplate::columnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    auto result = std::make_unique<CImportExportTemplate>(name, kDefaultColumns, u',', u',', true);
    int columns[CImportExportTemplate::columnCount];
    DWORD low = 0;
    DWORD high = 0;
    const bool haveLow = key.GetDWORD(u"columns1", low);
    const bool haveHigh = key.GetDWORD(u"columns2", high);
    UnpackColumns(low, high, columns);
    for (int i = 0; i < CImportExportTemplate::columnCount; ++i)
        if (i < 8 ? haveLow : haveHigh)
            result->columns[i] = columns[i];
    ReadCharacter(key, u"delimiter", result->delimiter);
    ReadCharacter(key, u"CategoryDelimiter", result->categoryDelimiter);
    ReadCode(key, u"bool", CImportExportTemplate::maxBoolFormat, result->boolFormat);
    ReadCode(key, u"priceType", CImportExportTemplate::maxPriceType, result->priceType);
    DWORD strings = 0;
    if (key.GetDWORD(u"bStrings", strings))
        result->bStrings = strings != 0;
    ReadCode(key, u"charType", CImportExportTemplate::maxCharType, result->charType);
    return result.release();
}

}  // namespace

LRRegistry::LRRegistry() = default;

LRRegistry::LRRegistry(const IRegistry& roots) : AppRegistry(roots) {}

LRRegistry::~LRRegistry() = default;

const TCHAR* LRRegistry::GetKeyPath() const { return u"SOFTWARE\\Tamra\\Listora"; }

std::u16string LRRegistry::KeyNameOf(const TCHAR* name) {
    std::u16string key;
    for (const TCHAR* p = OrEmpty(name); *p; ++p) {
        if (*p == u'\\') {
            key += kBackslashStandIn;
        } else {
            if (*p == kBackslashStandIn || *p == kQuote)
                key += kQuote;
            key += *p;
        }
    }
    return key;
}

std::u16string LRRegistry::NameOfKey(const TCHAR* keyName) {
    std::u16string name;
    for (const TCHAR* p = OrEmpty(keyName); *p; ++p) {
        if (*p == kQuote && p[1] != 0)
            name += *++p;
        else if (*p == kBackslashStandIn)
            name += u'\\';
        else
            name += *p;
    }
    return name;
}

DWORD LRRegistry::PriceToHundredths(float price) {
    const double hundredths = std::round(static_cast<double>(price) * 100.0);
    if (!(hundredths > 0.0))
        return 0;  // zero, negative or not a number
    if (hundredths >= 4294967295.0)
        return 0xFFFFFFFFu;
    return static_cast<DWORD>(hundredths);
}

float LRRegistry::HundredthsToPrice(DWORD hundredths) {
    return static_cast<float>(static_cast<double>(hundredths) * 0.01);
}

// ---- start-up ---------------------------------------------------------------------

bool LRRegistry::Open(bool* createdDefaults) {
    if (createdDefaults)
        *createdDefaults = false;
    const std::u16string failureBefore = RegistryStore::LastFailure();
    bool opened = init();
    if (!opened && !RegistryStore::ConfirmCheck()) {
        // The store failed a check that ran in the background: opened again the usual
        // way it is set aside and restored, instead of being taken for one without
        // the application's key.
        close();
        RegistryStore::Shutdown();
        opened = init();
    }
    if (!opened) {
        // Defaults go only into a store without the application key: a store that
        // cannot be read is left exactly as it is, whatever it holds.
        if (!RegistryStore::IsAvailable() || !KeyIsMissing())
            return RefuseStart(failureBefore);
        Trace::WriteFormattedLineT(u"info", u"%s", u"Cannot init registry. Try to create default!");
        if (!CreateDefaults()) {
            Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot create default values!", kSourceFile, __LINE__);
            return RefuseStart(failureBefore);
        }
        if (createdDefaults)
            *createdDefaults = true;
    }
    if (const auto recovery = RegistryStore::TakeRecovery())
        TellRecovery(*recovery);
    return true;
}

bool LRRegistry::KeyIsMissing() const {
    HKEY key = nullptr;
    const LONG error = RegOpenKeyExW(HKEY_LOCAL_MACHINE, GetKeyPath(), 0, 0, &key);
    if (error == ERROR_SUCCESS)
        RegCloseKey(key);
    return error == ERROR_FILE_NOT_FOUND;
}

bool LRRegistry::RefuseStart(const std::u16string& failureBefore) {
    // The user is told which file it is, and why when the store said so.
    std::u16string message = CatalogueText(IDS_CANNOT_INIT_REGISTRY);
    const std::string path = RegistryStore::DatabasePath();
    message += u"\n" + FromUtf8(path);
    if (RegistryStore::LastFailure() != failureBefore)
        message = FailureReason::Append(message, RegistryStore::LastFailureError(), FromUtf8(path).c_str());
    MessageBoxW(nullptr, message.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
    return false;
}

void LRRegistry::TellRecovery(const RegistryStore::Recovery& recovery) {
    std::u16string message = u"The settings and catalogue store was damaged. It was set aside as\n" +
                             FromUtf8(recovery.damagedFile) + u"\n";
    if (recovery.restoredFrom.empty())
        message += u"There was no backup of it: the store starts again with the default catalogue.";
    else
        message += u"and its last good backup was put in its place:\n" + FromUtf8(recovery.restoredFrom);
    Trace::WriteFormattedLineT(u"error", u"%s", message.c_str());
    MessageBoxW(nullptr, message.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
}

void LRRegistry::SetDefaultItemsFile(const TCHAR* path) { m_defaultItemsFile = OrEmpty(path); }

std::u16string LRRegistry::DefaultItemsFile() {
    if (!m_defaultItemsFile.empty())
        return m_defaultItemsFile;
    TCHAR program[_MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, program, _MAX_PATH);
    // A path cut to fit the buffer is no path to build on.
    if (length == 0 || length >= _MAX_PATH) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Failed to get program folder", kSourceFile, __LINE__);
        return {};
    }
    TCHAR drive[_MAX_PATH_PART];
    TCHAR dir[_MAX_PATH_PART];
    _tsplitpath(program, drive, dir, nullptr, nullptr);
    TCHAR path[_MAX_PATH];
    _tmakepath(path, drive, dir, u"init", u"isl");
    return path;
}

bool LRRegistry::CreateDefaults() {
    FinishSavingItems();
    // All or nothing: a start killed halfway must leave no half-filled store that the
    // next start would take for a whole one, and a failed creation leaves no key.
    const bool batch = RegistryStore::BeginBatch();
    bool created = WriteDefaults();
    if (batch)
        created = RegistryStore::EndBatch(created) && created;
    if (!created)
        close();
    return created;
}

bool LRRegistry::WriteDefaults() {
    close();
    m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
    if (!m_pRegKey)
        return false;

    rep::string_list units;
    SeedUnits(units);
    if (!Set(u"Units", units)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - cannot save units", kSourceFile, __LINE__);
        return false;
    }

    const KeyPtr items(OpenItemsKey());
    if (!items)
        return false;

    rep::string_list categories;
    SeedCategories(categories);
    if (!Set(u"Categories", categories)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save categories", kSourceFile, __LINE__);
        return false;
    }
    rep::string_list locations;
    SeedLocations(locations);
    if (!Set(u"Locations", locations)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save locations", kSourceFile, __LINE__);
        return false;
    }

    const std::u16string file = DefaultItemsFile();
    if (file.empty())
        return false;
    rep::vector<Item*> defaults;
    rep::vector<Purchase*> purchases;
    ListFile reader;
    const int result = reader.Load(file.c_str(), purchases, defaults, locations);
    rep::delete_objects(purchases);
    if (result != LR_OK) {
        rep::delete_objects(defaults);
        const TCHAR* message = CatalogueText(IDS_INIT_FILE_INVALID);
        MessageBoxW(nullptr, message, kMessageCaption, MB_OK | MB_ICONERROR);
        Trace::WriteFormattedLineT(u"error", u"%s", message);
        return false;
    }
    // An item the store cannot hold (its trace line says which) does not cost the others.
    for (const Item* item : defaults)
        SaveItem(*items, *item);
    rep::delete_objects(defaults);

    if (!Set(u"LastFile", kNewListPath)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - cannot save last open file", kSourceFile, __LINE__);
        return false;
    }
    return true;
}

// ---- name lists -------------------------------------------------------------------

bool LRRegistry::GetNameList(const TCHAR* valueName, rep::vector<TCHAR*>& list, const TCHAR* failure) {
    if (m_pRegKey && Get(valueName, list))
        return true;
    Trace::WriteFormattedLineT(u"error", u"%s", failure);
    return false;
}

bool LRRegistry::GetCategories(rep::vector<TCHAR*>& list) {
    return GetNameList(u"Categories", list, u"LRRegistry::GetCategories fails!");
}

bool LRRegistry::GetUnits(rep::vector<TCHAR*>& list) {
    return GetNameList(u"Units", list, u"LRRegistry::GetUnits fails!");
}

bool LRRegistry::GetLocations(rep::vector<TCHAR*>& list) {
    if (GetNameList(u"Locations", list, u"LRRegistry::GetLocations fails!"))
        return true;
    rep::delete_arrays(list);
    return false;
}

bool LRRegistry::SaveCategories(const rep::vector<TCHAR*>& list) {
    if (!m_pRegKey) {
        MessageBoxW(nullptr, CatalogueText(IDS_CANNOT_SET_CATEGORIES), kMessageCaption, MB_OK | MB_ICONERROR);
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Reg key is null", kSourceFile, __LINE__);
        return false;
    }
    if (!Set(u"Categories", list)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save categories", kSourceFile, __LINE__);
        return false;
    }
    return true;
}

bool LRRegistry::SaveUnits(const rep::vector<TCHAR*>& list) {
    if (!m_pRegKey) {
        MessageBoxW(nullptr, CatalogueText(IDS_CANNOT_SET_UNITS), kMessageCaption, MB_OK | MB_ICONERROR);
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Reg key is null", kSourceFile, __LINE__);
        return false;
    }
    if (!Set(u"Units", list)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save units", kSourceFile, __LINE__);
        return false;
    }
    return true;
}

bool LRRegistry::SaveLocations(const rep::vector<TCHAR*>& list) {
    const TCHAR* message = CatalogueText(IDS_CANNOT_SET_LOCATIONS);
    if (!m_pRegKey) {
        MessageBoxW(nullptr, message, kMessageCaption, MB_OK | MB_ICONERROR);
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Reg key is null", kSourceFile, __LINE__);
        return false;
    }
    if (!Set(u"Locations", list)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save locations", kSourceFile, __LINE__);
        MessageBoxW(nullptr, message, kMessageCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

// ---- items ------------------------------------------------------------------------

IRegistryKey* LRRegistry::OpenItemsKey() {
    if (!m_pRegKey)
        return nullptr;
    return m_pRegKey->CreateSubKey(kItemsKey);
}

bool LRRegistry::SaveItem(IRegistryKey& itemsKey, const Item& item) {
    const std::u16string keyName = KeyNameOf(item.GetName());
    // An empty name would address the "Items" key itself.
    if (keyName.empty()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save an item without a name", kSourceFile, __LINE__);
        return false;
    }
    const KeyPtr key(itemsKey.CreateSubKey(keyName.c_str()));
    if (!key)
        return false;  // the key's own trace line names it
    const DWORD price = PriceToHundredths(item.GetPrice());
    if (!key->SetDWORD(u"Price", price)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save price", kSourceFile, __LINE__);
        return false;
    }
    const DWORD taxable = item.IsTaxable() ? 1 : 0;
    if (!key->SetDWORD(u"Taxable", taxable)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save Taxable", kSourceFile, __LINE__);
        return false;
    }
    if (!key->SetString(u"Unit", OrEmpty(item.GetUnit()))) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save unit", kSourceFile, __LINE__);
        return false;
    }
    if (!key->SetString(u"Location", OrEmpty(item.GetLocation()))) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save location", kSourceFile, __LINE__);
        return false;
    }
    rep::string_list categories;
    item.GetCategories().CopyTo(categories);
    if (!key->SetMultiString(u"Categories", categories)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save categories", kSourceFile, __LINE__);
        return false;
    }
    return true;
}

bool LRRegistry::AddItem(const Item& item) {
    FinishSavingItems();
    const KeyPtr items(OpenItemsKey());
    if (!items)
        return false;
    return SaveItem(*items, item);
}

bool LRRegistry::InsertItem(const Item& item) {
    FinishSavingItems();
    close();
    m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
    if (!m_pRegKey) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - m_pRegKey is NULL", kSourceFile, __LINE__);
        return false;
    }
    const KeyPtr items(OpenItemsKey());
    if (!items) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - cannot create sub key", kSourceFile, __LINE__);
        return false;
    }
    return SaveItem(*items, item);
}

bool LRRegistry::RemoveItem(const Item& item) {
    FinishSavingItems();
    const KeyPtr items(OpenItemsKey());
    if (!items) {
        Trace::WriteFormattedLineT(u"error", u"Failed to create registry sub key '%s'", kItemsKey);
        return false;
    }
    const std::u16string keyName = KeyNameOf(item.GetName());
    if (keyName.empty())
        return false;
    return items->DeleteSubKey(keyName.c_str());
}

bool LRRegistry::SaveItems(const rep::vector<Item*>& items) {
    FinishSavingItems();
    // One "Items" key for the whole run: opening it per item is the same write, slower.
    const KeyPtr key(OpenItemsKey());
    if (!key)
        return false;
    bool all = true;
    for (const Item* item : items)
        if (item && !SaveItem(*key, *item))
            all = false;
    return all;
}

void LRRegistry::SaveItemsSoon(const rep::vector<Item*>& items) {
    // Below this a save takes a few milliseconds: not worth a thread, and failures
    // stay in step with the rest of the trace.
    constexpr std::size_t kWorthAThread = 1000;
    if (items.size() < kWorthAThread) {
        SaveItems(items);
        return;
    }
    FinishSavingItems();
    KeyPtr key(OpenItemsKey());
    if (!key)
        return;
    // Copies: the user may edit or delete the items meanwhile. The store's calls are
    // safe from any thread; the thread touches nothing of this object.
    auto copies = std::make_shared<std::vector<Item>>();
    copies->reserve(items.size());
    for (const Item* item : items)
        if (item)
            copies->push_back(*item);
    const bool started = m_itemsSave.Start([key = std::shared_ptr<IRegistryKey>(std::move(key)), copies] {
        for (const Item& item : *copies)
            SaveItem(*key, item);
    });
    if (!started)
        SaveItems(items);
}

void LRRegistry::FinishSavingItems() { m_itemsSave.Finish(); }

bool LRRegistry::GetItems(rep::vector<Item*>& items, ProgressSink* progress) {
    FinishSavingItems();
    CString path(GetKeyPath());
    Util::AppendPath(path, kItemsKey);
    const KeyPtr itemsKey(m_roots.m_pLocalMachine->OpenSubKey(path));
    if (!itemsKey) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot open the items registry key!");
        return false;
    }
    rep::string_list names;
    itemsKey->GetSubKeyNames(names);
    if (progress)
        progress->SetMaxOfInterval(names.size());

    for (const TCHAR* keyName : names) {
        // Each item is opened by its own name below "Items": a name is never a path.
        const KeyPtr key(itemsKey->OpenSubKey(keyName));
        if (!key)
            return false;

        TCHAR* raw = nullptr;
        key->GetString(u"Unit", raw);
        const std::unique_ptr<TCHAR[]> unit(raw);
        raw = nullptr;
        key->GetString(u"Location", raw);
        const std::unique_ptr<TCHAR[]> location(raw);
        rep::string_list categories;
        key->GetMultiString(u"Categories", categories);
        DWORD price = 0;
        key->GetDWORD(u"Price", price);
        DWORD taxable = 0;
        key->GetDWORD(u"Taxable", taxable);
        // One set, so the item's texts are made once; an empty or missing location is none.
        auto item = std::make_unique<Item>(nullptr);
        item->Set(NameOfKey(keyName).c_str(), unit.get(), location.get(), taxable == 1, HundredthsToPrice(price),
                  categories);
        items.push_back(item.release());

        if (progress) {
            progress->Step();
            if (progress->IsCancelPressed()) {
                rep::delete_objects(items);
                return false;
            }
        }
    }
    return true;
}

// ---- templates --------------------------------------------------------------------

IRegistryKey* LRRegistry::OpenTemplatesKey() {
    IRegistryKey* key = m_pRegKey ? m_pRegKey->CreateSubKey(kTemplatesKey) : nullptr;
    if (!key)
        Trace::WriteFormattedLineT(u"error", u"Cannot create %s reg key", kTemplatesKey);
    return key;
}

bool LRRegistry::GetTemplates(rep::vector<CImportExportTemplate*>& templates) {
    rep::delete_objects(templates);
    const KeyPtr key(OpenTemplatesKey());
    if (!key)
        return false;
    rep::string_list names;
    key->GetSubKeyNames(names);
    if (names.empty()) {
        GetSeedTemplates(templates);
        for (const CImportExportTemplate* record : templates)
            SaveTemplate(*record);
        return true;
    }
    for (const TCHAR* keyName : names) {
        const KeyPtr templateKey(key->OpenSubKey(keyName));
        if (!templateKey)
            continue;
        templates.push_back(ReadTemplate(*templateKey, NameOfKey(keyName).c_str()));
    }
    return true;
}

void LRRegistry::GetSeedTemplates(rep::vector<CImportExportTemplate*>& templates) {
    for (const SeedTemplate& seed : kSeedTemplates) {
        auto record = std::make_unique<CImportExportTemplate>(seed.name, seed.columns, seed.delimiter,
                                                              seed.categoryDelimiter, seed.bStrings);
        record->boolFormat = seed.boolFormat;
        record->priceType = seed.priceType;
        record->charType = seed.charType;
        templates.push_back(record.release());
    }
}

bool LRRegistry::SaveTemplate(const CImportExportTemplate& record) {
    const KeyPtr templates(OpenTemplatesKey());
    if (!templates)
        return false;
    const std::u16string keyName = KeyNameOf(record.name);
    const KeyPtr key(keyName.empty() ? nullptr : templates->CreateSubKey(keyName.c_str()));
    if (!key) {
        Trace::WriteFormattedLineT(u"error", u"Cannot create %s reg key", record.name.GetString());
        return false;
    }
    DWORD low = 0;
    DWORD high = 0;
    PackColumns(record.columns, low, high);
    if (!key->SetDWORD(u"columns1", low)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create columns1!");
        return false;
    }
    if (!key->SetDWORD(u"columns2", high)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create columns2!");
        return false;
    }
    const TCHAR delimiter[2] = {record.delimiter, 0};
    if (!key->SetString(u"delimiter", delimiter)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create delimiters!");
        return false;
    }
    const TCHAR categoryDelimiter[2] = {record.categoryDelimiter, 0};
    if (!key->SetString(u"CategoryDelimiter", categoryDelimiter)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create category delimiters!");
        return false;
    }
    const DWORD boolFormat = static_cast<DWORD>(record.boolFormat);
    if (!key->SetDWORD(u"bool", boolFormat)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create bool type!");
        return false;
    }
    const DWORD priceType = static_cast<DWORD>(record.priceType);
    if (!key->SetDWORD(u"priceType", priceType)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create price type!");
        return false;
    }
    const DWORD strings = record.bStrings ? 1 : 0;
    if (!key->SetDWORD(u"bStrings", strings)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create strings!");
        return false;
    }
    const DWORD charType = static_cast<DWORD>(record.charType);
    if (!key->SetDWORD(u"charType", charType)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create strings!");
        return false;
    }
    return true;
}

bool LRRegistry::DeleteTemplate(const CImportExportTemplate& record) {
    const KeyPtr templates(OpenTemplatesKey());
    if (!templates)
        return false;
    const std::u16string keyName = KeyNameOf(record.name);
    if (keyName.empty())
        return false;
    return templates->DeleteSubKey(keyName.c_str());
}

LRRegistry& TheRegistry() {
    static LRRegistry registry;
    return registry;
}
