// String-table texts that the catalogue store, the options and the delimited files show
// or seed, with their resource ids. The data code has no user interface of its own (it
// links no string table), so it carries these texts itself; the program can register
// this same table in its string table, so that an id shows one text wherever it is used.
#pragma once
#include "windows.h"

#include <cstddef>

enum CatalogueStringId : UINT {
    IDS_CANNOT_SET_CATEGORIES = 1,
    IDS_CANNOT_SET_LOCATIONS = 2,
    IDS_SEED_FOODS = 3,
    IDS_CANNOT_INIT_REGISTRY = 61464,
    IDS_INIT_FILE_INVALID = 61465,
    IDS_CANNOT_UPDATE_REGISTRY = 62217,
    IDS_CANNOT_OPEN_DELIMITED_FILE = 62226,
    IDS_SEED_VEGETABLES = 62227,
    IDS_SEED_FRUITS = 62228,
    IDS_SEED_DRINKS = 62229,
    IDS_SEED_HOUSEHOLD = 62231,
    IDS_SEED_MEAT = 62232,
    IDS_SEED_HEALTH = 62233,
    IDS_SEED_KITCHEN = 62234,
    IDS_SEED_VEGETABLES2 = 62235,
    IDS_SEED_BAGS = 62236,
    IDS_CANNOT_SET_UNITS = 62237,
    IDS_SEED_DRUGS = 62238,
    IDS_SEED_BUNCH = 62242,
    IDS_SEED_CUP = 62243,
    IDS_SEED_DOZ = 62244,
    IDS_SEED_GAL = 62245,
    IDS_SEED_KG = 62246,
    IDS_SEED_LIB = 62247,
    IDS_SEED_LITRE = 62248,
    IDS_SEED_PINT = 62249,
    IDS_SEED_PKG = 62250,
    IDS_SEED_QRT = 62251,
};

struct CatalogueString {
    UINT id;
    const TCHAR* text;
};

// Every entry above, in id order.
extern const CatalogueString kCatalogueStrings[];
extern const std::size_t kCatalogueStringCount;

// The text of an id of the table above; "" for any other id.
const TCHAR* CatalogueText(UINT id);

// Caption of the message boxes the data code shows.
inline constexpr const TCHAR* kMessageCaption = u"Listora";
