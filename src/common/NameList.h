// Helpers for the catalogue's name lists (categories, locations, units): lists of new[]
// texts in the user's order.
#pragma once
#include "windows.h"

#include "Registry/RepVector.h"

// True when an element equals text ignoring case.
bool ListContains(const rep::vector<TCHAR*>& list, const TCHAR* text);
// Removes repeated elements (compared case-sensitively), keeping the last of each group
// of equal ones; the kept elements keep their order. Removed texts are freed.
void RemoveDuplicates(rep::vector<TCHAR*>& list);
