#include "System/Object.h"

#include "Text/Util.h"

#include <cstdint>

Object::~Object() = default;

TCHAR* Object::ToString() const {
    return Util::tcsdup(::Format(u"Object - %X", GetHashCode()).c_str());
}

int Object::GetHashCode() const {
    // Only identity matters; the upper half of a 64-bit address is dropped.
    return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this)));
}

bool Object::Equals(const Object* other) const { return other == this; }

bool Object::Equals(const Object* a, const Object* b) { return a == b; }
