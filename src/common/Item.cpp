#include "Item.h"

#include "Text/Util.h"

namespace {

std::u16string_view TextOrEmpty(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

// A location as the item keeps it: null and "" are none.
std::optional<std::u16string_view> LocationOf(const TCHAR* location) {
    if (location && *location)
        return std::u16string_view(location);
    return std::nullopt;
}

}  // namespace

Item::Item(const TCHAR* name) {
    if (name && *name)
        SetParts({name, u"", std::nullopt, std::nullopt, {}});
}

Item::Item(const Item& other, WithNote) : m_texts(other.m_texts), m_price(other.m_price), m_taxable(other.m_taxable) {}

Item::Item(const Item& other) : Item(other, WithNote{}) {
    if (m_texts.Note()) {
        ItemTexts::Parts parts = m_texts.ToParts();
        parts.note.reset();
        SetParts(parts);
    }
}

Item& Item::operator=(const Item& other) {
    if (this == &other)
        return *this;
    // This item's note (a purchase's) stays as it was.
    if (!m_texts.Note() && !other.m_texts.Note()) {
        m_texts = other.m_texts;
    } else {
        ItemTexts::Parts parts = other.m_texts.ToParts();
        parts.note = m_texts.ToParts().note;
        SetParts(parts);
    }
    m_price = other.m_price;
    m_taxable = other.m_taxable;
    return *this;
}

void Item::AssignWithNote(const Item& other) {
    m_texts = other.m_texts;
    m_price = other.m_price;
    m_taxable = other.m_taxable;
}

Item::~Item() = default;

void Item::SetAll(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable, float price,
                  std::u16string_view packedCategories, std::optional<std::u16string_view> note) {
    // The new block is made before the old one goes: the texts may point into it.
    SetParts({TextOrEmpty(name), TextOrEmpty(unit), LocationOf(location), note, packedCategories});
    m_taxable = taxable;
    m_price = price;
}

void Item::Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable, float price,
               const rep::vector<TCHAR*>& categories) {
    SetAll(name, unit, location, taxable, price, ItemTexts::Pack(categories), m_texts.ToParts().note);
}

void Item::Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable, float price,
               ItemTexts::Categories categories) {
    SetAll(name, unit, location, taxable, price, categories.Packed(), m_texts.ToParts().note);
}

bool Item::Equals(const Item& other) const {
    if (_tcsicmp(GetName(), other.GetName()) != 0)
        return false;
    if (_tcsicmp(GetUnit(), other.GetUnit()) != 0)
        return false;
    if (m_taxable != other.m_taxable || m_price != other.m_price)
        return false;
    const TCHAR* location = GetLocation();
    const TCHAR* otherLocation = other.GetLocation();
    if ((location == nullptr) != (otherLocation == nullptr) || (location && _tcscmp(location, otherLocation) != 0))
        return false;
    // Each category ends in a NUL, so equal packed texts are equal lists.
    const ItemTexts::Categories categories = GetCategories();
    const ItemTexts::Categories otherCategories = other.GetCategories();
    return categories.size() == otherCategories.size() && categories.Packed() == otherCategories.Packed();
}

bool Item::HasCategory(const TCHAR* name) const {
    if (!name)
        return false;
    for (const TCHAR* category : GetCategories())
        if (_tcsicmp(category, name) == 0)
            return true;
    return false;
}

bool Item::RemoveCategory(const TCHAR* name) {
    if (!name)
        return false;
    const ItemTexts::Categories categories = GetCategories();
    for (const TCHAR* category : categories) {
        if (_tcsicmp(category, name) == 0) {
            const std::u16string_view packed = categories.Packed();
            const std::size_t at = static_cast<std::size_t>(category - packed.data());
            const std::size_t length = std::char_traits<char16_t>::length(category) + 1;
            std::u16string rest(packed.substr(0, at));
            rest += packed.substr(at + length);
            ItemTexts::Parts parts = m_texts.ToParts();
            parts.categories = rest;
            SetParts(parts);
            return true;
        }
    }
    return false;
}

bool Item::ClearLocation(const TCHAR* name) {
    const TCHAR* location = GetLocation();
    if (!name || !location || _tcsicmp(location, name) != 0)
        return false;
    SetLocation(nullptr);
    return true;
}

bool Item::ClearUnit(const TCHAR* name) {
    if (!name || _tcsicmp(GetUnit(), name) != 0)
        return false;
    SetUnit(nullptr);
    return true;
}

void Item::Clear() {
    // A purchase keeps its note.
    ItemTexts::Parts parts;
    parts.note = m_texts.ToParts().note;
    if (parts.note)
        SetParts(parts);
    else
        m_texts = ItemTexts();
}

void Item::SetName(const TCHAR* name) {
    ItemTexts::Parts parts = m_texts.ToParts();
    parts.name = TextOrEmpty(name);
    SetParts(parts);
}

void Item::SetUnit(const TCHAR* unit) {
    ItemTexts::Parts parts = m_texts.ToParts();
    parts.unit = TextOrEmpty(unit);
    SetParts(parts);
}

void Item::SetLocation(const TCHAR* location) {
    ItemTexts::Parts parts = m_texts.ToParts();
    parts.location = LocationOf(location);
    SetParts(parts);
}

void Item::AddCategory(const TCHAR* name) {
    if (!name)
        return;
    ItemTexts::Parts parts = m_texts.ToParts();
    std::u16string categories(parts.categories);
    categories += name;
    categories += u'\0';
    parts.categories = categories;
    SetParts(parts);
}

void Item::SetCategories(const rep::vector<TCHAR*>& categories) {
    const std::u16string packed = ItemTexts::Pack(categories);
    ItemTexts::Parts parts = m_texts.ToParts();
    parts.categories = packed;
    SetParts(parts);
}
