// Item: one entry of the catalogue. The name is the item's identity (and the name of
// its key in the store); the unit is never null ("" when the item has none); the
// location is null when the item has none (an empty location is always stored as
// null); the categories are texts in the user's order. The texts live in one shared
// block (ItemTexts).
#pragma once
#include "windows.h"

#include "ItemTexts.h"
#include "Registry/RepVector.h"

#include <string_view>

class Item {
public:
    // name copied (null reads as ""); unit "", no location, price 0, not taxable,
    // no categories.
    explicit Item(const TCHAR* name);
    // The copy shares the texts, which never change in place: a change to either item
    // gives it texts of its own. A purchase's note is not part of its item.
    Item(const Item& other);
    Item& operator=(const Item& other);
    virtual ~Item();

    // Replaces every field by copies of the given values. A null or empty location
    // means none; a null unit means "". The categories are replaced by copies of the
    // given texts (null entries skipped); they may be the item's own.
    void Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable,
             float price, const rep::vector<TCHAR*>& categories);
    void Set(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable,
             float price, ItemTexts::Categories categories);

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

    // Never null. Pointers and views into an item's texts last until it changes.
    const TCHAR* GetName() const { return m_texts.Name().data(); }
    std::u16string_view Name() const { return m_texts.Name(); }
    void SetName(const TCHAR* name);

    // Never null; "" when the item has no unit.
    const TCHAR* GetUnit() const { return m_texts.Unit().data(); }
    std::u16string_view Unit() const { return m_texts.Unit(); }
    void SetUnit(const TCHAR* unit);

    // Null when the item has no location.
    const TCHAR* GetLocation() const { return m_texts.Location(); }
    bool HasLocation() const { return m_texts.Location() != nullptr; }
    // Null or "" clears it.
    void SetLocation(const TCHAR* location);

    float GetPrice() const { return m_price; }
    void SetPrice(float price) { m_price = price; }

    bool IsTaxable() const { return m_taxable; }
    void SetTaxable(bool taxable) { m_taxable = taxable; }

    // The categories in the user's order.
    ItemTexts::Categories GetCategories() const { return m_texts.GetCategories(); }
    // Appends a copy of name (null ignored).
    void AddCategory(const TCHAR* name);
    // Replaces the categories by copies of the given texts (null entries skipped).
    void SetCategories(const rep::vector<TCHAR*>& categories);

protected:
    struct WithNote {};
    // A copy of every text, a purchase's note too.
    Item(const Item& other, WithNote);
    void AssignWithNote(const Item& other);

    const ItemTexts& Texts() const { return m_texts; }
    void SetTexts(ItemTexts texts) { m_texts = std::move(texts); }
    void SetParts(const ItemTexts::Parts& parts) { m_texts = ItemTexts::Make(parts); }

    // Set's work, with the note a purchase's texts carry (none for an item).
    void SetAll(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable, float price,
                std::u16string_view packedCategories, std::optional<std::u16string_view> note);

private:

    ItemTexts m_texts;
    // Last, next to a line's quantity and flags: a pass over many lines for their
    // totals then reads one part of each from memory, not two.
    float m_price = 0.0f;
    bool m_taxable = false;
};
