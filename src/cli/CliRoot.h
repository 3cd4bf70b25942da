// The device root the companion works on and the paths it is given: the root is
// chosen as the program chooses it ($LISTORA_ROOT, then the XDG data folder) unless
// --root names one.
#pragma once
#include <string>

class CliRoot {
public:
    CliRoot() = delete;

    // Makes folder (absolute, or taken from the current folder) the device root.
    static void Use(const std::string& folder);
    // A path as typed: one starting with "\" is a device path ("\My Documents\New.lsr");
    // any other is a host path, taken from the current folder when relative.
    static std::u16string PathOf(const std::string& argument);
    // Whether the device root holds a store (the program has run there).
    static bool HasStore();
    // What to tell the user when it does not.
    static std::string NoStoreMessage();
};
