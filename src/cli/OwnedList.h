// A list that owns the objects it points to (items, purchases, templates) and frees
// them when it goes.
#pragma once
#include "Registry/RepVector.h"

template <class T>
class OwnedList : public rep::vector<T*> {
public:
    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    ~OwnedList() override { rep::delete_objects(*this); }
};
