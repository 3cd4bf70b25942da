// listora-cli catalogue: the catalogue store the program uses, its items and its
// lists of categories, locations and units: listed, added to, removed from.
#pragma once
#include <optional>
#include <string>
#include <vector>

class CatalogueCommand {
public:
    enum class Action { List, Add, Remove };

    Action action = Action::List;
    std::string kind = "items";  // items, categories, locations or units
    std::string format = "table";
    std::string name;            // the item or list entry added or removed
    // An added item's values.
    std::string unit;
    std::string location;
    std::vector<std::string> categories;
    std::optional<double> price;
    bool taxable = false;
    bool replace = false;  // add: an item of that name is written over
    bool force = false;    // remove: a list entry in use is taken from the items too

    int Run() const;

private:
    int List() const;
    int AddItem() const;
    int RemoveItem() const;
    int AddName() const;
    int RemoveName() const;
};
