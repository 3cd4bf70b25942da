// Helpers for the catalogue's name lists (categories, locations, units): lists of new[]
// texts. The document keeps its lists Z to A ignoring case, so that membership is a
// binary search.
#pragma once
#include "windows.h"

#include "Registry/RepVector.h"

// True when an element equals text ignoring case.
bool ListContains(const rep::vector<TCHAR*>& list, const TCHAR* text);
// Removes repeated elements (compared case-sensitively), keeping the last of each group
// of equal ones; the kept elements keep their order. Removed texts are freed.
void RemoveDuplicates(rep::vector<TCHAR*>& list);

// The lists' order: true when a comes before b (Z to A, ignoring case).
bool NameListBefore(const TCHAR* a, const TCHAR* b);
// Sorts the list Z to A ignoring case (left alone when it already is).
void SortNameList(rep::vector<TCHAR*>& list);
// Whether a list sorted by SortNameList holds name, ignoring case.
bool NameListContains(const rep::vector<TCHAR*>& list, const TCHAR* name);
// Sorts the list and adds a copy of name unless it is null, empty or already there
// (ignoring case); true when added. The list stays sorted.
bool AddToNameList(rep::vector<TCHAR*>& list, const TCHAR* name);
