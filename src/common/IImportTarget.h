// What an import asks of the list it fills: the document's list and catalogue
// operations, nothing else. The document implements it; the import engine knows only
// this, so it stays free of the user interface.
//
// An import runs BeginImport, then for each row the name-list, catalogue and list
// operations, then EndImport (also when the user cancelled half-way). Between the two
// the document may put off what it otherwise does after every single change (sorting,
// the total notice, view updates, store writes) and do it once in EndImport.
#pragma once
#include "windows.h"

#include "Item.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

class IImportTarget {
public:
    virtual void BeginImport() = 0;
    // Sorts the list by name ignoring case and finishes what was put off.
    virtual void EndImport() = 0;

    // Add a copy of the name unless it is empty or already listed (ignoring case);
    // true when added.
    virtual bool AddLocation(LPCTSTR name) = 0;
    virtual bool AddUnit(LPCTSTR name) = 0;
    virtual bool AddCategory(LPCTSTR name) = 0;
    // The category names known before the import.
    virtual const rep::vector<TCHAR*>& GetCategories() const = 0;

    // Takes the item (and stores it unless listOnly) when the catalogue has no item of
    // that name ignoring case; otherwise false, and the caller keeps it.
    virtual bool AddCatalogueItem(Item* item, bool listOnly) = 0;

    // The first purchase whose name equals name exactly, or null.
    virtual Purchase* FindPurchase(LPCTSTR name) = 0;
    // Removes and destroys it.
    virtual void RemovePurchase(Purchase* purchase) = 0;
    // Takes ownership.
    virtual void AddPurchase(Purchase* purchase) = 0;

    // Reads a list file of the kinds the document opens (an "OB Listora" import);
    // asDocument false adds its lines to the list.
    virtual bool LoadList(LPCTSTR path, bool onDevice, bool asDocument) = 0;

protected:
    ~IImportTarget() = default;
};
