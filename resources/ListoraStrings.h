// The program's string table: every text the program shows by string id, word for
// word, and the registration that puts it (with the catalogue's texts) into the
// platform's table at start-up.
#pragma once
// The platform's string table (StringTable, LoadString).
#include "StringTable.h"

#include "CatalogueStrings.h"

#include <cstddef>

// Ids of the catalogue's texts (IDS_CANNOT_INIT_REGISTRY, IDS_INIT_FILE_INVALID,
// IDS_CANNOT_UPDATE_REGISTRY, the seed names) are in CatalogueStrings.h.
enum ListoraStringId : UINT {
    IDS_APP_NAME = 57344,                 // "Listora"
    IDS_ARE_YOU_SURE = 61451,             // "Are you sure?"
    IDS_CANNOT_OPEN_FILE = 61452,         // "Cannot open file '%s'!"
    IDS_CANNOT_SAVE_FILE = 61453,         // "Cannot save file '%s'!"
    IDS_CATEGORY_EXISTS = 61454,          // "Category '%s' already exist!"
    IDS_TRY_AGAIN = 61463,                // "Try again? (the problem may be ...)"
    IDS_DELETE_NAME = 61466,              // "Delete %s?"
    IDS_LOCATION_EXISTS = 61467,          // "Location '%s' already exists!"
    IDS_LOCATIONS = 61468,                // "Locations"
    IDS_CATEGORIES = 61469,               // "Categories"
    IDS_UNITS = 61470,                    // "Units"
    IDS_UNIT_EXISTS = 61471,              // "The unit '%s' already exists!"
    IDS_DELETE_ITEM_SURE = 61472,         // "Are you sure?"
    IDS_ITEM_HAS_PURCHASE = 61473,        // "There is purchase for this item.\n..."
    IDS_ITEM_EXISTS = 61474,              // "Item with such name already exists!"
    IDS_NAME_IN_USE = 61475,              // "'%s' is in use!\nDo you want to remove it anyway?"
    IDS_COLUMN_QTY = 62197,               // "Qty"
    IDS_COLUMN_ITEM = 62198,              // "Item"
    IDS_COLUMN_PRICE = 62199,             // "Price"
    IDS_COLUMN_CPN = 62200,               // "Cpn"
    IDS_COLUMN_LOCATION = 62201,          // "Location"
    IDS_COLUMN_NOTE = 62202,              // "Note"
    IDS_NO_CATEGORIES = 62203,            // "No categories defined!"
    IDS_INVALID_PRICE = 62204,            // "Invalid price value!"
    IDS_CREATE_OR_OPEN_FILE = 62205,      // 'Select "Yes" to create new file, ...'
    IDS_POCKETPC_PREFIX = 62214,          // "PocketPC : "
    IDS_ALL_SUPPORTED_FILTER = 62215,     // "All Supported files|*.lsr;*.obls|;"
    IDS_REMOVE_PURCHASE = 62216,          // "Remove '%s'?"
    IDS_SELECT_CURRENCY_FIRST = 62219,    // "Select currency first!"
    IDS_ONE_CURRENCY_NEEDED = 62220,      // "At least 1 currency code must be present!"
    IDS_CANNOT_SORT_COLUMN = 62221,       // "Cannot sort by this column in this view!"
    IDS_REOPEN_FAILED = 62252,            // "Failed to reopen the last opened file!"
    IDS_INVALID_CURRENCY = 62259,         // "Invalid currency code!"
    IDS_CANNOT_CREATE_IMAGE_LIST = 62264, // "Cannot create image list with flags!"
    IDS_CANNOT_REMOVE_ITEM = 62272,       // "Failed to remove item from registry!"
    IDS_PRICE_OTHER = 62284,              // "Other .."
    IDS_RESTRICTION_LINE = 62287,         // "Category is '%s', Location is '%s'"
    IDS_SUM_IS_ZERO = 62288,              // "Sum is 0, must be greater than 0!"
    IDS_TOTAL_NOTICE = 62289,             // "Note: Total is %.2f"
    IDS_TAX_SUM_TOO_LARGE = 62295,        // "Sum of fields is greater than 99%!"
    IDS_ITEM_NAME_NEEDED = 62300,         // "Please enter the item's name."
    IDS_LIST_ON_CLIPBOARD = 62301,        // "The list is on the clipboard.\nOpen your mail program with it?"
    IDS_LIST_TOO_LONG_FOR_MAIL = 62302,   // "The list is on the clipboard; it is too long ..."
    IDS_CANNOT_START_MAIL = 62303,        // "Cannot start the mail program!"
    // Status text and tool tip of the tool buttons ("status\ntip").
    IDS_TIP_CHOOSE_ITEMS = 32779,
    IDS_TIP_ADD_ITEM = 32780,
    IDS_TIP_SELECT_CATEGORY = 32787,
    IDS_TIP_PREV_PAGE = 32790,
    IDS_TIP_NEXT_PAGE = 32791,
};

// The program's own texts, in id order.
extern const StringTableEntry kListoraStrings[];
extern const std::size_t kListoraStringCount;

// Registers the program's texts and the catalogue's texts with the platform's string
// table. Harmless to call again.
void RegisterListoraStrings();
