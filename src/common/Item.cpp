#include "Item.h"

#include "Text/Util.h"

namespace {

std::u16string TextOrEmpty(const TCHAR* text) {
    return text ? std::u16string(text) : std::u16string();
}

}  // namespace

Item::Item(const TCHAR* name) : m_name(TextOrEmpty(name)) {}

Item::Item(const Item& other)
    : m_name(other.m_name),
      m_unit(other.m_unit),
      m_location(other.m_location),
      m_price(other.m_price),
      m_taxable(other.m_taxable) {
    SetCategories(other.m_categories);
}

Item& Item::operator=(const Item& other) {
    if (this != &other) {
        m_name = other.m_name;
        m_unit = other.m_unit;
        m_location = other.m_location;
        m_price = other.m_price;
        m_taxable = other.m_taxable;
        SetCategories(other.m_categories);
    }
    return *this;
}

Item::~Item() = default;

void Item::Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable,
               float price, const rep::vector<TCHAR*>& categories) {
    // Copy the texts first: a caller may pass pointers into this item's own fields.
    std::u16string newName = TextOrEmpty(name);
    std::u16string newUnit = TextOrEmpty(unit);
    std::optional<std::u16string> newLocation;
    if (location && *location)
        newLocation.emplace(location);
    m_name = std::move(newName);
    m_unit = std::move(newUnit);
    m_location = std::move(newLocation);
    m_taxable = taxable;
    m_price = price;
    SetCategories(categories);
}

bool Item::Equals(const Item& other) const {
    if (_tcsicmp(m_name.c_str(), other.m_name.c_str()) != 0)
        return false;
    if (_tcsicmp(m_unit.c_str(), other.m_unit.c_str()) != 0)
        return false;
    if (m_taxable != other.m_taxable || m_price != other.m_price)
        return false;
    if (m_location != other.m_location)
        return false;
    if (m_categories.size() != other.m_categories.size())
        return false;
    for (DWORD i = 0; i < m_categories.size(); ++i)
        if (_tcscmp(m_categories[i], other.m_categories[i]) != 0)
            return false;
    return true;
}

bool Item::HasCategory(const TCHAR* name) const {
    if (!name)
        return false;
    for (const TCHAR* category : m_categories)
        if (_tcsicmp(category, name) == 0)
            return true;
    return false;
}

bool Item::RemoveCategory(const TCHAR* name) {
    if (!name)
        return false;
    for (DWORD i = 0; i < m_categories.size(); ++i) {
        if (_tcsicmp(m_categories[i], name) == 0) {
            delete[] m_categories[i];
            m_categories.erase(i);
            return true;
        }
    }
    return false;
}

bool Item::ClearLocation(const TCHAR* name) {
    if (!name || !m_location || _tcsicmp(m_location->c_str(), name) != 0)
        return false;
    m_location.reset();
    return true;
}

bool Item::ClearUnit(const TCHAR* name) {
    if (!name || _tcsicmp(m_unit.c_str(), name) != 0)
        return false;
    m_unit.clear();
    return true;
}

void Item::Clear() {
    m_name.clear();
    m_unit.clear();
    m_location.reset();
    m_categories.clear_and_free();
}

void Item::SetName(const TCHAR* name) {
    m_name = TextOrEmpty(name);
}

void Item::SetUnit(const TCHAR* unit) {
    m_unit = TextOrEmpty(unit);
}

void Item::SetLocation(const TCHAR* location) {
    if (location && *location)
        m_location.emplace(location);
    else
        m_location.reset();
}

void Item::AddCategory(const TCHAR* name) {
    if (name)
        m_categories.push_back(Util::tcsdup(name));
}

void Item::Adopt(std::u16string&& name, std::u16string&& unit, std::u16string&& location, bool taxable,
                 float price, rep::vector<TCHAR*>& categories) {
    m_name = std::move(name);
    m_unit = std::move(unit);
    if (location.empty())
        m_location.reset();
    else
        m_location = std::move(location);
    m_taxable = taxable;
    m_price = price;
    m_categories.clear_and_free();
    m_categories.swap(categories);
}

void Item::SetCategories(const rep::vector<TCHAR*>& categories) {
    if (&categories == &m_categories)
        return;
    // Build the copies before freeing the old texts: the given list may point at them.
    rep::vector<TCHAR*> copies;
    copies.reserve(categories.size());
    for (const TCHAR* category : categories)
        if (category)
            copies.push_back(Util::tcsdup(category));
    m_categories.clear_and_free();
    m_categories.swap(copies);
}
