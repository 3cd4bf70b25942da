#include "CatalogueStrings.h"

const CatalogueString kCatalogueStrings[] = {
    {IDS_CANNOT_SET_CATEGORIES, u"Cannot set categories multistring"},
    {IDS_CANNOT_SET_LOCATIONS, u"Cannot set locations multistring"},
    {IDS_SEED_FOODS, u"Foods"},
    {IDS_CANNOT_INIT_REGISTRY, u"Cannot init the registry!"},
    {IDS_INIT_FILE_INVALID, u"Init file is invalid!"},
    {IDS_CANNOT_UPDATE_REGISTRY, u"Cannot update registry. File is saved.  "},
    {IDS_CANNOT_OPEN_DELIMITED_FILE, u"Cannot open file %s"},
    {IDS_SEED_VEGETABLES, u"Vegetables"},
    {IDS_SEED_FRUITS, u"Fruits"},
    {IDS_SEED_DRINKS, u"Drinks"},
    {IDS_SEED_HOUSEHOLD, u"Household & Cleaning Items"},
    {IDS_SEED_MEAT, u"Meat"},
    {IDS_SEED_HEALTH, u"Health & Beauty,Necessities"},
    {IDS_SEED_KITCHEN, u"Kitchen Items"},
    {IDS_SEED_VEGETABLES2, u"Vegetables"},
    {IDS_SEED_BAGS, u"Bags"},
    {IDS_CANNOT_SET_UNITS, u"Cannot set multisting"},
    {IDS_SEED_DRUGS, u"Drugs"},
    {IDS_SEED_BUNCH, u"bunch"},
    {IDS_SEED_CUP, u"cup"},
    {IDS_SEED_DOZ, u"doz"},
    {IDS_SEED_GAL, u"gal"},
    {IDS_SEED_KG, u"kg"},
    {IDS_SEED_LIB, u"lib"},
    {IDS_SEED_LITRE, u"litre"},
    {IDS_SEED_PINT, u"pint"},
    {IDS_SEED_PKG, u"pkg"},
    {IDS_SEED_QRT, u"qrt"},
};

const std::size_t kCatalogueStringCount = sizeof(kCatalogueStrings) / sizeof(kCatalogueStrings[0]);

const TCHAR* CatalogueText(UINT id) {
    for (const CatalogueString& entry : kCatalogueStrings)
        if (entry.id == id)
            return entry.text;
    return u"";
}
