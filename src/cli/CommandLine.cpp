#include "CommandLine.h"

#include "CatalogueCommand.h"
#include "CliExit.h"
#include "CliRoot.h"
#include "ConvertCommand.h"
#include "ShowCommand.h"
#include "StoreCommand.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

const std::vector<std::string> kFormats = {"table", "csv", "tsv", "json"};
const std::vector<std::string> kLists = {"items", "categories", "locations", "units"};

constexpr const char* kPathsNote =
    "Paths are host paths (relative ones from the current folder); a path starting with \\ is a "
    "device path, as the program names its lists (\\My Documents\\New.lsr).";

}  // namespace

int CommandLine::Run(int argc, char** argv) {
    CLI::App app{"listora-cli: Listora's command-line companion. It reads and writes the lists, the "
                 "catalogue and the settings of a Listora device root, and never writes while Listora "
                 "runs there.",
                 "listora-cli"};
    app.footer(std::string("Exit codes: 0 done, 1 failed, 2 bad usage. ") + kPathsNote);
    app.require_subcommand(1);
    app.fallthrough();
    std::string root;
    app.add_option("--root", root,
                   "The device root to work on (default: $LISTORA_ROOT, else $XDG_DATA_HOME/listora, "
                   "as the program chooses it)")
        ->type_name("DIR");

    ShowCommand show;
    CLI::App* showApp = app.add_subcommand("show", "Print a list (.lsr or a text list) as a table, or for scripts");
    showApp->add_option("list", show.list, "The list (default: the list Listora opens next)")->type_name("LIST");
    showApp->add_option("--format", show.format, "table, csv, tsv or json")->check(CLI::IsMember(kFormats));
    showApp->add_flag("--unpurchased", show.unpurchased, "Leave ticked lines out");

    ConvertCommand convert;
    CLI::App* convertApp = app.add_subcommand(
        "convert", "Convert a .lsr list to a delimited file or back, through an import/export template");
    convertApp->add_option("in", convert.in, "The file to read")->required()->type_name("IN");
    convertApp->add_option("out", convert.out, "The file to write (replaced safely when it exists)")
        ->required()
        ->type_name("OUT");
    convertApp->add_option("--template", convert.templateName,
                           "The stored template to use (built in: Tamra, EZ Shopping, OB Listora, Handy Shop); "
                           "not needed from a text list to a .lsr list")
        ->type_name("NAME");

    CatalogueCommand catalogue;
    CLI::App* catalogueApp =
        app.add_subcommand("catalogue", "Read and change the catalogue: items, categories, locations, units");
    catalogueApp->require_subcommand(1);
    CLI::App* listApp = catalogueApp->add_subcommand("list", "Print the items, or one of the name lists");
    listApp->add_option("what", catalogue.kind, "items (default), categories, locations or units")
        ->check(CLI::IsMember(kLists));
    listApp->add_option("--format", catalogue.format, "table, csv, tsv or json")->check(CLI::IsMember(kFormats));
    double price = 0;
    CLI::App* addApp = catalogueApp->add_subcommand(
        "add", "Add an item (its unit, location and categories join the name lists), or a name with --list");
    addApp->add_option("name", catalogue.name, "The item's or the entry's name")->required()->type_name("NAME");
    addApp->add_option("--list", catalogue.kind, "Add to categories, locations or units instead of the items")
        ->check(CLI::IsMember(kLists));
    addApp->add_option("--unit", catalogue.unit, "The item's unit");
    CLI::Option* priceOption =
        addApp->add_option("--price", price, "The item's price per unit")->check(CLI::NonNegativeNumber);
    addApp->add_option("--location", catalogue.location, "The item's shop");
    addApp->add_option("--category", catalogue.categories, "A category of the item (repeat for more)");
    addApp->add_flag("--taxable", catalogue.taxable, "The item is taxable");
    addApp->add_flag("--replace", catalogue.replace, "Write over an item of the same name");
    CLI::App* removeApp = catalogueApp->add_subcommand("remove", "Remove an item, or a name with --list");
    removeApp->add_option("name", catalogue.name, "The item's or the entry's name")->required()->type_name("NAME");
    removeApp->add_option("--list", catalogue.kind, "Remove from categories, locations or units")
        ->check(CLI::IsMember(kLists));
    removeApp->add_flag("--force", catalogue.force, "Remove an entry that items use, taking it from them too");

    StoreCommand store;
    CLI::App* storeApp = app.add_subcommand("store", "Back up, restore and check the whole store");
    storeApp->require_subcommand(1);
    CLI::App* backupApp = storeApp->add_subcommand(
        "backup", "Write the whole store (settings, catalogue, templates) to a registry export text file");
    backupApp->add_option("file", store.file, "The .reg file to write (- for standard output)")
        ->required()
        ->type_name("FILE.reg");
    CLI::App* restoreApp = storeApp->add_subcommand(
        "restore", "Replace the whole store by a backup; a file with any fault changes nothing");
    restoreApp->add_option("file", store.file, "The .reg file to read (- for standard input)")
        ->required()
        ->type_name("FILE.reg");
    CLI::App* checkApp = storeApp->add_subcommand("check", "Run the store's integrity check");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, std::cout, std::cerr);
        return code == 0 ? CliExit::kDone : CliExit::kUsage;
    }

    if (!root.empty())
        CliRoot::Use(root);
    if (showApp->parsed())
        return show.Run();
    if (convertApp->parsed())
        return convert.Run();
    if (catalogueApp->parsed()) {
        if (priceOption->count() > 0)
            catalogue.price = price;
        catalogue.action = addApp->parsed()      ? CatalogueCommand::Action::Add
                           : removeApp->parsed() ? CatalogueCommand::Action::Remove
                                                 : CatalogueCommand::Action::List;
        return catalogue.Run();
    }
    store.action = backupApp->parsed()    ? StoreCommand::Action::Backup
                   : restoreApp->parsed() ? StoreCommand::Action::Restore
                                          : StoreCommand::Action::Check;
    (void)checkApp;
    return store.Run();
}
