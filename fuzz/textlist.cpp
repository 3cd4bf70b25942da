// ParseTextList over arbitrary UTF-16 text (the bytes as UTF-16LE code units; a NUL
// unit ends the text, as in the buffer the file reader hands over). Checks the result
// code and the promises the catalogue relies on.
#include "TextList.h"
#include "Text/Util.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>

namespace {

template <typename T>
struct Owned : rep::vector<T*> {
    ~Owned() override { rep::delete_objects<T>(*this); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0)
            break;
        text += c;
    }
    rep::string_list locations;
    locations.push_back(Util::tcsdup(u"walmart"));
    locations.push_back(Util::tcsdup(u"sam's club"));
    locations.push_back(Util::tcsdup(u"W"));
    Owned<Item> items;
    items.push_back(new Item(u"Milk"));
    Owned<Purchase> purchases;

    const int result = ParseTextList(text.c_str(), items, purchases, locations);
    if (result != LR_OK && (result < LR_NAME || result > LR_CATEGORIES))
        std::abort();

    std::unordered_set<std::u16string> names;
    for (const Item* item : items) {
        if (item->Name().empty() || !names.emplace(item->Name()).second)
            std::abort();
        if (item->GetLocation() && *item->GetLocation() == 0)
            std::abort();
    }
    std::unordered_set<std::u16string> lines;
    for (const Purchase* purchase : purchases)
        if (!names.count(std::u16string(purchase->Name())) || !lines.emplace(purchase->Name()).second ||
            purchase->GetQty() == 0.0f)
            std::abort();
    return 0;
}
