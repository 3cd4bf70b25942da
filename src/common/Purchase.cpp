#include "Purchase.h"

Purchase::Purchase(const TCHAR* name) : Item(name) {}

Purchase::Purchase(const Item& item) : Item(item), m_qty(1.0f), m_once(false) {}

Purchase::Purchase(const Purchase& other) = default;

Purchase& Purchase::operator=(const Purchase& other) = default;

Purchase::~Purchase() = default;

void Purchase::Set(const TCHAR* name, const TCHAR* unit, const TCHAR* note,
                   const TCHAR* location, float qty, float price, bool coupon, bool taxable,
                   bool once, bool purchased, const rep::vector<TCHAR*>& categories) {
    std::optional<std::u16string> newNote;
    if (note)
        newNote.emplace(note);
    Item::Set(name, unit, location, taxable, price, categories);
    m_note = std::move(newNote);
    m_qty = qty;
    m_coupon = coupon;
    m_once = once;
    m_purchased = purchased;
}

void Purchase::Adopt(std::u16string&& name, std::u16string&& unit, std::u16string&& note,
                     std::u16string&& location, float qty, float price, bool coupon, bool taxable, bool once,
                     bool purchased, rep::vector<TCHAR*>& categories) {
    Item::Adopt(std::move(name), std::move(unit), std::move(location), taxable, price, categories);
    m_note = std::move(note);
    m_qty = qty;
    m_coupon = coupon;
    m_once = once;
    m_purchased = purchased;
}

void Purchase::SetNote(const TCHAR* note) {
    if (note)
        m_note.emplace(note);
    else
        m_note.reset();
}
