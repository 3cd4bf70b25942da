#include "ShowCommand.h"

#include "CliExit.h"
#include "CliRoot.h"
#include "ListFile.h"
#include "LRRegistry.h"
#include "OwnedList.h"
#include "TableWriter.h"
#include "WideString.h"

#include <memory>

namespace {

using Kind = TableWriter::Kind;

// The lines of a list, one row each.
TableWriter ListTable(const rep::vector<Purchase*>& purchases, bool unpurchasedOnly) {
    TableWriter table({{"Done", "purchased", Kind::Flag},
                       {"Qty", "qty", Kind::Number},
                       {"Unit", "unit", Kind::Text},
                       {"Item", "name", Kind::Text},
                       {"Price", "price", Kind::Number, true},
                       {"Cpn", "coupon", Kind::Flag},
                       {"Tax", "taxable", Kind::Flag},
                       {"Once", "once", Kind::Flag},
                       {"Location", "location", Kind::Text},
                       {"Note", "note", Kind::Text},
                       {"Categories", "categories", Kind::List}});
    table.Reserve(purchases.size());
    for (const Purchase* purchase : purchases) {
        if (unpurchasedOnly && purchase->IsPurchased())
            continue;
        table.BeginRow();
        table.Flag(purchase->IsPurchased());
        table.Number(purchase->GetQty());
        table.Text(purchase->GetUnit());
        table.Text(purchase->GetName());
        table.Number(purchase->GetPrice());
        table.Flag(purchase->HasCoupon());
        table.Flag(purchase->IsTaxable());
        table.Flag(purchase->IsOnce());
        table.Text(purchase->GetLocation());
        table.Text(purchase->GetNote());
        table.List(purchase->GetCategories());
    }
    return table;
}

}  // namespace

int ShowCommand::Run() const {
    TableWriter::Format format;
    if (!TableWriter::ParseFormat(this->format, format))
        return CliExit::Fail("unknown format '" + this->format + "' (table, csv, tsv or json)", CliExit::kUsage);

    LRRegistry& registry = TheRegistry();
    const bool store = CliRoot::HasStore() && registry.init();
    std::u16string path;
    if (!list.empty()) {
        path = CliRoot::PathOf(list);
    } else {
        if (!store)
            return CliExit::Fail(CliRoot::NoStoreMessage());
        TCHAR* raw = nullptr;
        registry.Get(u"LastFile", raw);
        const std::unique_ptr<TCHAR[]> last(raw);
        if (!last || !last[0])
            return CliExit::Fail("the store names no last list: name the list to show");
        path = last.get();
    }
    const std::string shown = ToUtf8(path);

    // Text lists name shops by two-letter codes, which the stored shops expand.
    rep::string_list locations;
    if (store)
        registry.GetLocations(locations);
    OwnedList<Purchase> purchases;
    OwnedList<Item> items;
    ListFile file;
    const int result = file.Load(path.c_str(), purchases, items, locations);
    switch (result) {
    case LR_OK:
        break;
    case LR_UNSUPPORTED:
        return CliExit::Fail("'" + shown + "' is no list: lists end in .lsr, .obls, .isl or .csv");
    case LR_CANNOT_OPEN:
        return CliExit::Fail("cannot read '" + shown + "': it is missing, unreadable or damaged");
    default:
        return CliExit::Fail("cannot read the text list '" + shown + "': " + ToUtf8(ListFile::FailureText(result)));
    }
    const TableWriter table = ListTable(purchases, unpurchased);
    // The lines are in the table now; their memory serves the output.
    rep::delete_objects(purchases);
    return CliExit::Print(table.Write(format));
}
