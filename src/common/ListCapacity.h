// Room for a known number of appends to a rep::vector, asked for up front. Callers
// bound extra by what the input can really hold, so a corrupt count never turns into a
// huge allocation.
#pragma once
#include "Registry/RepVector.h"

template <typename T>
void MakeRoom(rep::vector<T>& list, DWORD extra) {
    const DWORD wanted = list.size() + extra;
    if (wanted > list.size())
        list.reserve(wanted);
}
