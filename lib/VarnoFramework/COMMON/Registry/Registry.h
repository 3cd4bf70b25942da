// The device registry's four predefined roots. They live from library load to unload;
// closing a root does nothing to the registry.
#pragma once
#include "Registry/RegistryKey.h"

class Registry : public Object {
public:
    static RegistryKey CurrentUser;   // HKEY_CURRENT_USER
    static RegistryKey LocalMachine;  // HKEY_LOCAL_MACHINE
    static RegistryKey ClassesRoot;   // HKEY_CLASSES_ROOT
    static RegistryKey Users;         // HKEY_USERS
};
