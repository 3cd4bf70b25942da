#include "CatalogueCommand.h"

#include "CliExit.h"
#include "CliRoot.h"
#include "LRRegistry.h"
#include "NameList.h"
#include "NameUsage.h"
#include "OwnedList.h"
#include "TableWriter.h"
#include "Text/Util.h"
#include "WideString.h"
#include "WriterLock.h"

#include <algorithm>

namespace {

using Kind = TableWriter::Kind;

struct NameListKind {
    const char* kind;
    const char* title;
    NameUsage::Kind usage;
    bool (LRRegistry::*get)(rep::vector<TCHAR*>&);
    bool (LRRegistry::*save)(const rep::vector<TCHAR*>&);
};

const NameListKind kNameLists[] = {
    {"categories", "Category", NameUsage::Category, &LRRegistry::GetCategories, &LRRegistry::SaveCategories},
    {"locations", "Location", NameUsage::Location, &LRRegistry::GetLocations, &LRRegistry::SaveLocations},
    {"units", "Unit", NameUsage::Unit, &LRRegistry::GetUnits, &LRRegistry::SaveUnits},
};

const NameListKind* FindKind(const std::string& kind) {
    for (const NameListKind& entry : kNameLists)
        if (kind == entry.kind)
            return &entry;
    return nullptr;
}

// The store is written at once, so a failure is told now rather than lost at exit.
int Committed() {
    if (RegFlushKey(HKEY_LOCAL_MACHINE) != ERROR_SUCCESS)
        return CliExit::Fail("the store could not be written: " + ToUtf8(RegistryStore::LastFailure()));
    return CliExit::kDone;
}

Item* FindItem(const rep::vector<Item*>& items, const std::u16string& name) {
    // Store keys compare ignoring case, as the program's catalogue does.
    for (Item* item : items)
        if (EqualsNoCase(item->Name(), name))
            return item;
    return nullptr;
}

// Adds the name to the stored list unless it is there (ignoring case).
bool AddToStoredList(const NameListKind& kind, std::u16string_view name) {
    if (name.empty())
        return true;
    LRRegistry& registry = TheRegistry();
    rep::string_list list;
    (registry.*kind.get)(list);
    const std::u16string text(name);
    if (ListContains(list, text.c_str()))
        return true;
    list.push_back(Util::tcsdup(text.c_str()));
    return (registry.*kind.save)(list);
}

}  // namespace

int CatalogueCommand::Run() const {
    const NameListKind* names = FindKind(kind);
    if (!names && kind != "items")
        return CliExit::Fail("unknown list '" + kind + "' (items, categories, locations or units)", CliExit::kUsage);
    if (!CliRoot::HasStore())
        return CliExit::Fail(CliRoot::NoStoreMessage());
    WriterLock lock;
    std::string refusal;
    if (action != Action::List && !lock.Acquire(refusal))
        return CliExit::Fail(refusal);
    if (!TheRegistry().init())
        return CliExit::Fail("the store in " + DevicePath::Root() + " holds no Listora catalogue");
    switch (action) {
    case Action::List: return List();
    case Action::Add: return names ? AddName() : AddItem();
    case Action::Remove: return names ? RemoveName() : RemoveItem();
    }
    return CliExit::kFailed;
}

int CatalogueCommand::List() const {
    TableWriter::Format chosen;
    if (!TableWriter::ParseFormat(format, chosen))
        return CliExit::Fail("unknown format '" + format + "' (table, csv, tsv or json)", CliExit::kUsage);
    LRRegistry& registry = TheRegistry();
    if (const NameListKind* names = FindKind(kind)) {
        rep::string_list list;
        if (!(registry.*names->get)(list))
            return CliExit::Fail(std::string("cannot read the ") + names->kind);
        TableWriter table({{names->title, "name", Kind::Text}});
        for (const TCHAR* name : list) {
            table.BeginRow();
            table.Text(name);
        }
        return CliExit::Print(table.Write(chosen));
    }
    OwnedList<Item> items;
    if (!registry.GetItems(items))
        return CliExit::Fail("cannot read the items");
    TableWriter table({{"Item", "name", Kind::Text},
                       {"Unit", "unit", Kind::Text},
                       {"Price", "price", Kind::Number, true},
                       {"Tax", "taxable", Kind::Flag},
                       {"Location", "location", Kind::Text},
                       {"Categories", "categories", Kind::List}});
    for (const Item* item : items) {
        table.BeginRow();
        table.Text(item->GetName());
        table.Text(item->GetUnit());
        table.Number(item->GetPrice());
        table.Flag(item->IsTaxable());
        table.Text(item->GetLocation());
        table.List(item->GetCategories());
    }
    return CliExit::Print(table.Write(chosen));
}

int CatalogueCommand::AddItem() const {
    const std::u16string itemName = FromUtf8(name);
    if (itemName.empty())
        return CliExit::Fail("an item needs a name", CliExit::kUsage);
    LRRegistry& registry = TheRegistry();
    OwnedList<Item> items;
    registry.GetItems(items);
    if (FindItem(items, itemName) && !replace)
        return CliExit::Fail("'" + name + "' is in the catalogue already (--replace writes over it)");
    Item item(itemName.c_str());
    item.SetUnit(FromUtf8(unit).c_str());
    item.SetLocation(location.empty() ? nullptr : FromUtf8(location).c_str());
    item.SetPrice(static_cast<float>(price.value_or(0.0)));
    item.SetTaxable(taxable);
    for (const std::string& category : categories)
        if (!category.empty())
            item.AddCategory(FromUtf8(category).c_str());
    if (!registry.AddItem(item))
        return CliExit::Fail("cannot write '" + name + "' to the store");
    // As an import does: the item's unit, location and categories join the lists.
    bool lists = AddToStoredList(kNameLists[2], item.Unit());
    lists = AddToStoredList(kNameLists[1], item.HasLocation() ? item.GetLocation() : u"") && lists;
    for (const TCHAR* category : item.GetCategories())
        lists = AddToStoredList(kNameLists[0], category) && lists;
    if (!lists)
        return CliExit::Fail("'" + name + "' was added, but the name lists could not be written");
    return Committed();
}

int CatalogueCommand::RemoveItem() const {
    LRRegistry& registry = TheRegistry();
    OwnedList<Item> items;
    registry.GetItems(items);
    const Item* item = FindItem(items, FromUtf8(name));
    if (!item)
        return CliExit::Fail("there is no item '" + name + "' in the catalogue");
    if (!registry.RemoveItem(*item))
        return CliExit::Fail("cannot remove '" + name + "' from the store");
    return Committed();
}

int CatalogueCommand::AddName() const {
    const NameListKind& names = *FindKind(kind);
    const std::u16string entry = FromUtf8(name);
    if (entry.empty())
        return CliExit::Fail("an entry needs a name", CliExit::kUsage);
    rep::string_list list;
    (TheRegistry().*names.get)(list);
    if (ListContains(list, entry.c_str()))
        return CliExit::Fail("'" + name + "' is in the " + names.kind + " already");
    if (!AddToStoredList(names, entry))
        return CliExit::Fail(std::string("cannot write the ") + names.kind);
    return Committed();
}

int CatalogueCommand::RemoveName() const {
    const NameListKind& names = *FindKind(kind);
    const std::u16string entry = FromUtf8(name);
    LRRegistry& registry = TheRegistry();
    rep::string_list list;
    (registry.*names.get)(list);
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const TCHAR* element) { return EqualsNoCase(element, entry); });
    if (found == list.end())
        return CliExit::Fail("there is no '" + name + "' in the " + names.kind);
    OwnedList<Item> items;
    registry.GetItems(items);
    OwnedList<Purchase> noLines;
    const NameUsage usage(names.usage, entry.c_str());
    if (usage.IsUsed(items, noLines)) {
        if (!force)
            return CliExit::Fail("'" + name + "' is used by items of the catalogue (--force takes it from them too)");
        usage.RemoveFromAll(items, noLines);
    }
    const DWORD index = static_cast<DWORD>(found - list.begin());
    delete[] list[index];
    list.erase(index);
    if (!(registry.*names.save)(list))
        return CliExit::Fail(std::string("cannot write the ") + names.kind);
    return Committed();
}
