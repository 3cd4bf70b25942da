// LRRegistry: the catalogue store. Everything but the list files lives below one
// application key, HKEY_LOCAL_MACHINE\SOFTWARE\Tamra\Listora:
//   "Categories", "Locations", "Units"  REG_MULTI_SZ name lists
//   "LastFile" and the option values    (see Options)
//   Items\<item name>                   "Price" (DWORD, hundredths), "Taxable" (DWORD 1/0),
//                                       "Unit", "Location" (REG_SZ, "" for none),
//                                       "Categories" (REG_MULTI_SZ)
//   ImportExportTempl\<template name>   "columns1", "columns2" (nibble-packed column
//                                       indexes), "delimiter", "CategoryDelimiter"
//                                       (REG_SZ, one character), "bool", "priceType",
//                                       "bStrings", "charType" (DWORD)
// The store holds only the key, never a copy of the data. Failures write a trace line
// and give false; nothing throws.
#pragma once
#include "windows.h"

#include "CImportExportTemplate.h"
#include "Item.h"
#include "ProgressSink.h"
#include "BackgroundJob.h"
#include "Registry/AppRegistry.h"
#include "RegistryApi.h"

#include <string>

class LRRegistry : public AppRegistry {
public:
    LRRegistry();
    // Works against other roots (tests).
    explicit LRRegistry(const IRegistry& roots);
    ~LRRegistry() override;

    // "SOFTWARE\\Tamra\\Listora".
    const TCHAR* GetKeyPath() const override;

    // Start-up: opens the store, creating it with its default contents when it has no
    // application key (createdDefaults tells whether it did). A store that cannot be
    // read, or whose creation fails, is left as it was: the user is told "Cannot init
    // the registry!" with the store's file and the reason, and the result is false.
    // A damaged store that the platform set aside and replaced is told in one message.
    bool Open(bool* createdDefaults = nullptr);
    // Creates the application key with the seed lists, the items of the default items
    // file and "LastFile", and keeps the key; all of it in one transaction, so a
    // failure (the file missing or invalid) or a kill leaves nothing.
    bool CreateDefaults();
    // The default items file; by default "init.isl" in the program's folder. Null
    // restores the default.
    void SetDefaultItemsFile(const TCHAR* path);

    // Append the stored list to the caller's list (new[] texts the caller frees).
    // GetLocations empties the list when it fails.
    bool GetCategories(rep::vector<TCHAR*>& list);
    bool GetUnits(rep::vector<TCHAR*>& list);
    bool GetLocations(rep::vector<TCHAR*>& list);
    // Appends every stored item (new objects the caller deletes), in the store's order.
    // When progress is given it learns the number of items and steps once per item; a
    // cancel deletes every item of the list, empties it and gives false.
    bool GetItems(rep::vector<Item*>& items, ProgressSink* progress = nullptr);
    // Replaces the list's templates (deleting the old ones) by the stored ones; when
    // none are stored, the four built-in templates are stored and returned.
    bool GetTemplates(rep::vector<CImportExportTemplate*>& templates);
    // Appends new copies of the four built-in templates ("Tamra", "EZ Shopping", "OB
    // Listora", "Handy Shop"), without storing them.
    static void GetSeedTemplates(rep::vector<CImportExportTemplate*>& templates);

    // Write a whole name list. With no key open they tell the user and give false.
    bool SaveCategories(const rep::vector<TCHAR*>& list);
    bool SaveUnits(const rep::vector<TCHAR*>& list);
    bool SaveLocations(const rep::vector<TCHAR*>& list);

    // Writes (or rewrites) an item below "Items"; false when "Items" cannot be opened
    // or the item cannot be written.
    bool AddItem(const Item& item);
    // As AddItem, after opening the application key afresh.
    bool InsertItem(const Item& item);
    bool RemoveItem(const Item& item);
    // Writes every item; an item that cannot be written does not stop the others. True
    // when all were written.
    bool SaveItems(const rep::vector<Item*>& items);
    // As SaveItems, but many items (a big list of new items) are written from copies on
    // a thread of their own, so that the list shows while they go to the store. Every
    // later use of the stored items, and exit, waits for them first.
    void SaveItemsSoon(const rep::vector<Item*>& items);
    // Waits until the items SaveItemsSoon gave to its thread are written.
    void FinishSavingItems();
    // Whether FinishSavingItems would wait.
    bool IsSavingItems() const { return m_itemsSave.Busy(); }

    bool SaveTemplate(const CImportExportTemplate& importExportTemplate);
    bool DeleteTemplate(const CImportExportTemplate& importExportTemplate);

    // "Items" below the application key, created when missing; the caller deletes it.
    // Null when the store is not open or the key cannot be made.
    IRegistryKey* OpenItemsKey();
    // Writes an item's values into its own subkey of the given "Items" key; the values
    // written before a failure stay.
    static bool SaveItem(IRegistryKey& itemsKey, const Item& item);

    // A name is always one key, never a path: the registry splits paths at "\", so a
    // "\" in a name is stored as U+E05C, and a name's own U+E05C or U+E000 as U+E000
    // followed by it. Names without those characters are stored as they are.
    static std::u16string KeyNameOf(const TCHAR* name);
    static std::u16string NameOfKey(const TCHAR* keyName);

    // Prices are stored in hundredths, rounded to the nearest whole number; negative
    // and not-a-number prices store 0, prices beyond the range the largest value.
    static DWORD PriceToHundredths(float price);
    static float HundredthsToPrice(DWORD hundredths);

    static constexpr const TCHAR* kItemsKey = u"Items";
    static constexpr const TCHAR* kTemplatesKey = u"ImportExportTempl";
    static constexpr const TCHAR* kNewListPath = u"\\My Documents\\New.lsr";

private:
    bool WriteDefaults();
    // Whether the store is readable and holds no application key.
    bool KeyIsMissing() const;
    bool RefuseStart(const std::u16string& failureBefore);
    static void TellRecovery(const RegistryStore::Recovery& recovery);
    bool GetNameList(const TCHAR* valueName, rep::vector<TCHAR*>& list, const TCHAR* failure);
    IRegistryKey* OpenTemplatesKey();
    std::u16string DefaultItemsFile();

    std::u16string m_defaultItemsFile;
    BackgroundJob m_itemsSave;
};

// The program's one store.
LRRegistry& TheRegistry();
