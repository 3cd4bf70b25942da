#include "Registry/Registry.h"

RegistryKey Registry::CurrentUser(HKEY_CURRENT_USER);
RegistryKey Registry::LocalMachine(HKEY_LOCAL_MACHINE);
RegistryKey Registry::ClassesRoot(HKEY_CLASSES_ROOT);
RegistryKey Registry::Users(HKEY_USERS);
