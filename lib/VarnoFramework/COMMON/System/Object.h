// Root of the framework's classes: identity-based hash, equality and a printable name.
#pragma once
#include "windows.h"

class Object {
public:
    constexpr Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object();

    // A new[] text "Object - %X" with the hash code; the caller frees it with delete[].
    virtual TCHAR* ToString() const;
    // The object's address, cut to an int.
    virtual int GetHashCode() const;
    // True only for the very same object.
    virtual bool Equals(const Object* other) const;

    static bool Equals(const Object* a, const Object* b);
};
