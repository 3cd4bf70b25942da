// Item: one entry of the catalogue. The name is the item's identity (and the name of
// its key in the store); the unit is never null ("" when the item has none); the
// location is null when the item has none (an empty location is always stored as
// null); the categories are owned texts in the user's order.
#pragma once
#include "windows.h"

#include "Registry/RepVector.h"

#include <optional>
#include <string>

class Item {
public:
    // name copied (null reads as ""); unit "", no location, price 0, not taxable,
    // no categories.
    explicit Item(const TCHAR* name);
    // Deep copy: every text and category is copied.
    Item(const Item& other);
    Item& operator=(const Item& other);
    virtual ~Item();

    // Replaces every field by copies of the given values. A null or empty location
    // means none; a null unit means "". The categories are replaced by copies of the
    // given list's texts (null entries skipped); passing the item's own list keeps it.
    void Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable,
             float price, const rep::vector<TCHAR*>& categories);

    // Catalogue equality: names and units equal ignoring case, same taxable flag,
    // exactly the same price, locations both null or equal (case-sensitive), and the
    // same categories in the same order (case-sensitive).
    bool Equals(const Item& other) const;
    bool operator==(const Item& other) const { return Equals(other); }

    // True when one of the categories equals name ignoring case.
    bool HasCategory(const TCHAR* name) const;
    // Removes the first category equal to name ignoring case; true when one went.
    bool RemoveCategory(const TCHAR* name);
    // Clears the location when it equals name ignoring case; true when changed.
    bool ClearLocation(const TCHAR* name);
    // Resets the unit to "" when it equals name ignoring case; true when changed.
    bool ClearUnit(const TCHAR* name);
    // Empties every text field and the categories (name "" , unit "", no location).
    void Clear();

    // Never null.
    const TCHAR* GetName() const { return m_name.c_str(); }
    const std::u16string& Name() const { return m_name; }
    void SetName(const TCHAR* name);

    // Never null; "" when the item has no unit.
    const TCHAR* GetUnit() const { return m_unit.c_str(); }
    const std::u16string& Unit() const { return m_unit; }
    void SetUnit(const TCHAR* unit);

    // Null when the item has no location.
    const TCHAR* GetLocation() const { return m_location ? m_location->c_str() : nullptr; }
    bool HasLocation() const { return m_location.has_value(); }
    // Null or "" clears it.
    void SetLocation(const TCHAR* location);

    float GetPrice() const { return m_price; }
    void SetPrice(float price) { m_price = price; }

    bool IsTaxable() const { return m_taxable; }
    void SetTaxable(bool taxable) { m_taxable = taxable; }

    // The item's own list of new[] texts: the item frees them. Add with AddCategory
    // (which copies) or push a new[] copy yourself.
    rep::vector<TCHAR*>& GetCategories() { return m_categories; }
    const rep::vector<TCHAR*>& GetCategories() const { return m_categories; }
    // Appends a copy of name (null ignored).
    void AddCategory(const TCHAR* name);
    // Replaces the categories by copies of the given texts (own list: no change).
    void SetCategories(const rep::vector<TCHAR*>& categories);

protected:
    // As Set, taking the texts over instead of copying them (a reader's own copies);
    // categories hands over its new[] texts and ends empty.
    void Adopt(std::u16string&& name, std::u16string&& unit, std::u16string&& location, bool taxable,
               float price, rep::vector<TCHAR*>& categories);

private:
    std::u16string m_name;
    std::u16string m_unit;
    std::optional<std::u16string> m_location;
    rep::string_list m_categories;
    // Last, next to a line's quantity and flags: a pass over many lines for their
    // totals then reads one part of each from memory, not two.
    float m_price = 0.0f;
    bool m_taxable = false;
};
