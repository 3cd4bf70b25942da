#include "ListoraStrings.h"

#include <vector>

const StringTableEntry kListoraStrings[] = {
    {IDS_TIP_CHOOSE_ITEMS, u"Select Items from list\nSelect Items"},
    {IDS_TIP_ADD_ITEM, u"Add Item...\nAdd Item"},
    {IDS_TIP_SELECT_CATEGORY, u"Select Category\nSelect Category"},
    {IDS_TIP_PREV_PAGE, u"Show items from previous page\nPrev Page"},
    {IDS_TIP_NEXT_PAGE, u"Show items from next page\nNext Page"},
    {IDS_APP_NAME, u"Listora"},
    {IDS_ARE_YOU_SURE, u"Are you sure?"},
    {IDS_CANNOT_OPEN_FILE, u"Cannot open file '%s'!"},
    {IDS_CANNOT_SAVE_FILE, u"Cannot save file '%s'!"},
    {IDS_CATEGORY_EXISTS, u"Category '%s' already exist!"},
    {IDS_TRY_AGAIN, u"Try again? (the problem may be that file is used on the PocketPC)"},
    {IDS_DELETE_NAME, u"Delete %s?"},
    {IDS_LOCATION_EXISTS, u"Location '%s' already exists!"},
    {IDS_LOCATIONS, u"Locations"},
    {IDS_CATEGORIES, u"Categories"},
    {IDS_UNITS, u"Units"},
    {IDS_UNIT_EXISTS, u"The unit '%s' already exists!"},
    {IDS_DELETE_ITEM_SURE, u"Are you sure?"},
    {IDS_ITEM_HAS_PURCHASE, u"There is purchase for this item.\nPlease delete the purchase and then delete the item!"},
    {IDS_ITEM_EXISTS, u"Item with such name already exists!"},
    {IDS_NAME_IN_USE, u"'%s' is in use!\nDo you want to remove it anyway?"},
    {IDS_COLUMN_QTY, u"Qty"},
    {IDS_COLUMN_ITEM, u"Item"},
    {IDS_COLUMN_PRICE, u"Price"},
    {IDS_COLUMN_CPN, u"Cpn"},
    {IDS_COLUMN_LOCATION, u"Location"},
    {IDS_COLUMN_NOTE, u"Note"},
    {IDS_NO_CATEGORIES, u"No categories defined!"},
    {IDS_INVALID_PRICE, u"Invalid price value!"},
    {IDS_CREATE_OR_OPEN_FILE, u"Select \"Yes\" to create new file, \"No\" to open an existing file."},
    {IDS_POCKETPC_PREFIX, u"PocketPC : "},
    {IDS_ALL_SUPPORTED_FILTER, u"All Supported files|*.lsr;*.obls|;"},
    {IDS_REMOVE_PURCHASE, u"Remove '%s'?"},
    {IDS_SELECT_CURRENCY_FIRST, u"Select currency first!"},
    {IDS_ONE_CURRENCY_NEEDED, u"At least 1 currency code must be present!"},
    {IDS_CANNOT_SORT_COLUMN, u"Cannot sort by this column in this view!"},
    {IDS_REOPEN_FAILED, u"Failed to reopen the last opened file!"},
    {IDS_INVALID_CURRENCY, u"Invalid currency code!"},
    {IDS_CANNOT_CREATE_IMAGE_LIST, u"Cannot create image list with flags!"},
    {IDS_CANNOT_REMOVE_ITEM, u"Failed to remove item from registry!"},
    {IDS_PRICE_OTHER, u"Other .."},
    {IDS_RESTRICTION_LINE, u"Category is '%s', Location is '%s'"},
    {IDS_SUM_IS_ZERO, u"Sum is 0, must be greater than 0!"},
    {IDS_TOTAL_NOTICE, u"Note: Total is %.2f"},
    {IDS_TAX_SUM_TOO_LARGE, u"Sum of fields is greater than 99%!"},
    {IDS_ITEM_NAME_NEEDED, u"Please enter the item's name."},
    {IDS_LIST_ON_CLIPBOARD, u"The list is on the clipboard.\nOpen your mail program with it?"},
    {IDS_LIST_TOO_LONG_FOR_MAIL,
     u"The list is on the clipboard; it is too long to hand to the mail program: paste it into the mail.\n"
     u"Open your mail program?"},
    {IDS_CANNOT_START_MAIL, u"Cannot start the mail program!"},
};

const std::size_t kListoraStringCount = sizeof(kListoraStrings) / sizeof(kListoraStrings[0]);

void RegisterListoraStrings() {
    // The catalogue's texts come from the data code's own table, so an id shows the
    // same text wherever it is used.
    std::vector<StringTableEntry> catalogue;
    catalogue.reserve(kCatalogueStringCount);
    for (std::size_t i = 0; i < kCatalogueStringCount; ++i)
        catalogue.push_back({kCatalogueStrings[i].id, kCatalogueStrings[i].text});
    StringTable::Register(catalogue.data(), catalogue.size());
    StringTable::Register(kListoraStrings, kListoraStringCount);
}
