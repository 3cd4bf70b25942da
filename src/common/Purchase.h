// Purchase: one line of a shopping list, a catalogue item plus how much to buy and
// the line's own flags and note. The note is null when the line has none; an empty
// note ("") is a note and stays distinct from none.
#pragma once
#include "Item.h"

class Purchase : public Item {
public:
    // A blank line: as Item(name), then qty 0, once true, no coupon, not purchased,
    // no note.
    explicit Purchase(const TCHAR* name);
    // A line made from a catalogue item: a copy of the item, then qty 1, once false, no
    // coupon, not purchased, no note.
    explicit Purchase(const Item& item);
    // A copy of a whole line.
    Purchase(const Purchase& other);
    Purchase& operator=(const Purchase& other);
    ~Purchase() override;

    // Replaces every field by copies (a null or empty location means none; a null
    // note means none; the categories become copies of the given texts).
    void Set(const TCHAR* name, const TCHAR* unit, const TCHAR* note, const TCHAR* location,
             float qty, float price, bool coupon, bool taxable, bool once, bool purchased,
             const rep::vector<TCHAR*>& categories);

    // As Set, with texts made already (a list reader's, packed beside other lines').
    void Adopt(ItemTexts texts, float qty, float price, bool coupon, bool taxable, bool once, bool purchased);

    void Increment() { m_qty += 1.0f; }
    void Decrement() { m_qty -= 1.0f; }

    float GetQty() const { return m_qty; }
    void SetQty(float qty) { m_qty = qty; }

    bool IsOnce() const { return m_once; }
    void SetOnce(bool once) { m_once = once; }

    bool HasCoupon() const { return m_coupon; }
    void SetCoupon(bool coupon) { m_coupon = coupon; }

    bool IsPurchased() const { return m_purchased; }
    void SetPurchased(bool purchased) { m_purchased = purchased; }

    // Null when the line has no note.
    const TCHAR* GetNote() const { return Texts().Note(); }
    bool HasNote() const { return Texts().Note() != nullptr; }
    // Null means no note; "" is an empty note.
    void SetNote(const TCHAR* note);

private:
    float m_qty = 0.0f;
    bool m_once = true;
    bool m_coupon = false;
    bool m_purchased = false;
};
