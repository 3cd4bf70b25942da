// Shared pieces of the list file and text list tests: a trace listener that keeps the
// lines, owned purchase/item lists, purchases made from named fields, and byte helpers.
#pragma once
#include "Item.h"
#include "Purchase.h"
#include "TestRoot.h"
#include "TraceLines.h"
#include "Text/Util.h"

#include <algorithm>
#include <string>
#include <vector>

// A rep::vector that deletes its objects.
template <typename T>
struct OwnedList : rep::vector<T*> {
    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    ~OwnedList() override { rep::delete_objects<T>(*this); }
};
using Purchases = OwnedList<Purchase>;
using Items = OwnedList<Item>;

// A list of new[] texts built from literals.
inline void Fill(rep::string_list& list, std::initializer_list<const TCHAR*> texts) {
    for (const TCHAR* text : texts)
        list.push_back(Util::tcsdup(text));
}

inline Item MakeItem(const TCHAR* name, const TCHAR* unit, const TCHAR* location, float price, bool taxable,
                     std::initializer_list<const TCHAR*> categories = {}) {
    rep::string_list list;
    Fill(list, categories);
    Item item(u"");
    item.Set(name, unit, location, taxable, price, list);
    return item;
}

// A purchase's fields, named where they are given: Make({.name = u"Tea", .qty = 2}).
struct Line {
    const TCHAR* name;
    float qty = 1.0f;
    float price = 0.0f;
    const TCHAR* unit = u"";
    const TCHAR* location = nullptr;
    const TCHAR* note = nullptr;
    std::vector<const TCHAR*> categories = {};
    bool coupon = false;
    bool purchased = false;
    bool taxable = false;
};

inline Purchase* Make(const Line& line) {
    rep::string_list categories;
    for (const TCHAR* category : line.categories)
        categories.push_back(Util::tcsdup(category));
    auto* purchase = new Purchase(u"");
    purchase->Set(line.name, line.unit, line.note, line.location, line.qty, line.price, line.coupon, line.taxable,
                  false, line.purchased, categories);
    return purchase;
}

// The texts of a list (or an item's categories), "(null)" for a null entry.
template <class Texts>
std::vector<std::u16string> ToVector(const Texts& list) {
    std::vector<std::u16string> result;
    for (const TCHAR* text : list)
        result.emplace_back(text ? text : u"(null)");
    return result;
}

inline std::u16string Text(const TCHAR* text) {
    return text ? std::u16string(text) : std::u16string(u"(null)");
}

// Bytes from a list of values written as hex pairs ("04 00 4D 00").
inline std::string HexBytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ' || hex[i] == ',') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// The device path of a host file path (host paths are used as they are).
inline std::u16string HostPath(const std::string& path) {
    return std::u16string(path.begin(), path.end());
}
