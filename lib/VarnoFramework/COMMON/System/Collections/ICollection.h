// What every framework collection offers; no behaviour of its own.
#pragma once
#include "System/Object.h"
#include "System/Collections/IEnumerator.h"

namespace Collections {

class ICollection : public Object {
public:
    constexpr ICollection() = default;
    ICollection(const ICollection&) = default;
    ICollection& operator=(const ICollection&) = default;
    ~ICollection() override;

    virtual int getCount() const = 0;
    virtual void CopyTo(Object** array, int index) const = 0;
    // A new enumerator owned by the caller, or null when the collection offers none.
    virtual IEnumerator* GetEnumerator() const = 0;
};

}  // namespace Collections
