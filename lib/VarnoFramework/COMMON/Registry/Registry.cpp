#include "Registry/Registry.h"

#include "System/Diagnostics/Trace.h"

RegistryKey Registry::CurrentUser(HKEY_CURRENT_USER);
RegistryKey Registry::LocalMachine(HKEY_LOCAL_MACHINE);
RegistryKey Registry::ClassesRoot(HKEY_CLASSES_ROOT);
RegistryKey Registry::Users(HKEY_USERS);

namespace {
// A failure of the store reaches the trace log in the store's own words.
void TraceStoreFailure(const std::u16string& description) {
    Diagnostics::Trace::WriteLine(description.c_str(), u"error");
}

[[maybe_unused]] const bool g_storeFailuresTraced = (RegistryStore::SetFailureReporter(&TraceStoreFailure), true);
}  // namespace
