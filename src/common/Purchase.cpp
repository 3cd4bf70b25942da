#include "Purchase.h"

Purchase::Purchase(const TCHAR* name) : Item(name) {}

Purchase::Purchase(const Item& item) : Item(item), m_qty(1.0f), m_once(false) {}

Purchase::Purchase(const Purchase& other)
    : Item(other, WithNote{}),
      m_qty(other.m_qty),
      m_once(other.m_once),
      m_coupon(other.m_coupon),
      m_purchased(other.m_purchased) {}

Purchase& Purchase::operator=(const Purchase& other) {
    AssignWithNote(other);
    m_qty = other.m_qty;
    m_once = other.m_once;
    m_coupon = other.m_coupon;
    m_purchased = other.m_purchased;
    return *this;
}

Purchase::~Purchase() = default;

void Purchase::Set(const TCHAR* name, const TCHAR* unit, const TCHAR* note,
                   const TCHAR* location, float qty, float price, bool coupon, bool taxable,
                   bool once, bool purchased, const rep::vector<TCHAR*>& categories) {
    SetAll(name, unit, location, taxable, price, ItemTexts::Pack(categories),
           note ? std::optional<std::u16string_view>(note) : std::nullopt);
    m_qty = qty;
    m_coupon = coupon;
    m_once = once;
    m_purchased = purchased;
}

void Purchase::Adopt(ItemTexts texts, float qty, float price, bool coupon, bool taxable, bool once,
                     bool purchased) {
    SetTexts(std::move(texts));
    SetTaxable(taxable);
    SetPrice(price);
    m_qty = qty;
    m_coupon = coupon;
    m_once = once;
    m_purchased = purchased;
}

void Purchase::SetNote(const TCHAR* note) {
    ItemTexts::Parts parts = Texts().ToParts();
    if (note)
        parts.note = note;
    else
        parts.note.reset();
    SetParts(parts);
}
