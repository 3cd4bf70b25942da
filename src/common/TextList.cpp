#include "TextList.h"

#include "ListCapacity.h"
#include "System/Diagnostics/Trace.h"
#include "Text/Convert.h"
#include "Text/StringTokenizer.h"
#include "Text/Util.h"

#include <memory>
#include <string>
#include <unordered_set>

using Diagnostics::Trace;

namespace {

constexpr int kFieldsPerRecord = 7;
constexpr TCHAR kFieldDelimiters[] = u",\n\r";
constexpr TCHAR kPartDelimiters[] = u"+\"()*";
constexpr TCHAR kOnceMark[] = u"(Once)";
constexpr std::size_t kOnceMarkLength = 6;

// Error code for a missing field at position index (0-based) of a record or header.
int MissingFieldCode(int index) {
    return LR_NAME + index;
}

bool ReadNumber(const TCHAR* field, float& value) {
    return _ttof(field, value, true, true) == CE_OK;
}

// The location a two-letter code stands for: the first known location starting with
// the same two characters (ignoring case), else the code itself.
std::u16string ExpandLocation(const std::u16string& code, const rep::vector<TCHAR*>& locations) {
    for (const TCHAR* location : locations)
        if (location && _tcsnicmp(location, code.c_str(), 2) == 0)
            return location;
    return code;
}

struct Record {
    std::u16string name;
    std::u16string unit;
    bool once = false;
    float qty = 0.0f;
    float price = 0.0f;
    bool coupon = false;
    bool purchased = false;
    std::u16string locationCode;  // "" when the record has none
    rep::string_list categories;
};

// Splits the last field: the location code, then one category per further part.
void SplitLocationAndCategories(const TCHAR* field, Record& record) {
    StringTokenizer parts(field, kPartDelimiters);
    const TCHAR* code = parts.nextToken();
    if (code) {
        std::u16string twoCharacters(code, std::min<std::size_t>(_tcslen(code), 2));
        if (twoCharacters != u"  ")
            record.locationCode = std::move(twoCharacters);
    }
    while (const TCHAR* part = parts.nextToken())
        record.categories.push_back(Util::tcsdup(part));
}

// Reads the 7 fields of one record; LR_OK or the code of the field that failed.
int ReadRecord(StringTokenizer& fields, Record& record) {
    const TCHAR* field[kFieldsPerRecord];
    for (int i = 0; i < kFieldsPerRecord; ++i) {
        field[i] = fields.nextToken();
        if (!field[i])
            return MissingFieldCode(i);
    }

    // Name and unit carry one enclosing character on each side; a field too short
    // for that has no text to take, and an item without a name cannot be kept.
    std::u16string name = field[0];
    if (name.size() < 2)
        return LR_NAME;
    name = name.substr(1, name.size() - 2);
    if (name.size() >= kOnceMarkLength &&
        name.compare(name.size() - kOnceMarkLength, kOnceMarkLength, kOnceMark) == 0) {
        name.resize(name.size() - kOnceMarkLength);
        record.once = true;
    }
    if (name.empty())
        return LR_NAME;
    record.name = std::move(name);

    const std::u16string unit = field[1];
    if (unit.size() < 2)
        return LR_UNIT;
    record.unit = unit.substr(1, unit.size() - 2);

    float coupon = 0.0f;
    float purchased = 0.0f;
    if (!ReadNumber(field[2], record.qty))
        return LR_QTY;
    if (!ReadNumber(field[3], record.price))
        return LR_PRICE;
    if (!ReadNumber(field[4], coupon))
        return LR_COUPON;
    if (!ReadNumber(field[5], purchased))
        return LR_PURCHASED;
    record.coupon = coupon != 0.0f;
    record.purchased = purchased != 0.0f;

    SplitLocationAndCategories(field[6], record);
    return LR_OK;
}

}  // namespace

int ParseTextList(const TCHAR* text, rep::vector<Item*>& items, rep::vector<Purchase*>& purchases,
                  const rep::vector<TCHAR*>& locations) {
    StringTokenizer fields(text ? text : u"", kFieldDelimiters);
    for (int i = 0; i < kFieldsPerRecord; ++i)
        if (!fields.nextToken())
            return MissingFieldCode(i);

    // Exact-name lookups of every record against everything known so far; sets keep a
    // large file from costing the square of its length.
    std::unordered_set<std::u16string> itemNames;
    for (const Item* item : items)
        itemNames.emplace(item->Name());
    std::unordered_set<std::u16string> purchaseNames;
    for (const Purchase* purchase : purchases)
        purchaseNames.emplace(purchase->Name());

    const int expected = fields.countTokens() / kFieldsPerRecord;
    MakeRoom(items, static_cast<DWORD>(expected));
    MakeRoom(purchases, static_cast<DWORD>(expected));

    // Names met in this text: a repeated record is ignored entirely.
    std::unordered_set<std::u16string> seen;
    while (fields.hasMoreTokens()) {
        Record record;
        const int result = ReadRecord(fields, record);
        if (result != LR_OK)
            return result;
        if (!seen.insert(record.name).second)
            continue;
        // A record of an item the catalogue already has adds no item, but it is still
        // a line of the list: a list must not lose the lines of the items it knows.
        const bool known = itemNames.count(record.name) != 0;

        auto item = std::make_unique<Item>(record.name.c_str());
        std::u16string location;
        if (!record.locationCode.empty())
            location = ExpandLocation(record.locationCode, locations);
        item->Set(record.name.c_str(), record.unit.c_str(), location.c_str(), false, record.price,
                  record.categories);
        // No item of this name exists yet, so there is no taxable flag to take over.
        if (!known)
            Trace::WriteFormattedLineT(u"warning", u"Cannot find '%s' in items list", record.name.c_str());

        if (record.qty != 0.0f && !purchaseNames.count(record.name)) {
            auto purchase = std::make_unique<Purchase>(*item);
            purchase->SetQty(record.qty);
            purchase->SetCoupon(record.coupon);
            purchase->SetPurchased(record.purchased);
            purchase->SetOnce(record.once);
            purchaseNames.insert(record.name);
            purchases.push_back(purchase.release());
        }
        if (!known) {
            itemNames.insert(record.name);
            items.push_back(item.release());
        }
    }
    return LR_OK;
}
