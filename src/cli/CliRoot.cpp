#include "CliRoot.h"

#include "DevicePath.h"
#include "RegistryApi.h"
#include "WideString.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace {
std::string Absolute(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}
}  // namespace

void CliRoot::Use(const std::string& folder) {
    setenv("LISTORA_ROOT", Absolute(folder).c_str(), 1);
}

std::u16string CliRoot::PathOf(const std::string& argument) {
    if (!argument.empty() && argument[0] == '\\')
        return FromUtf8(argument);
    return FromUtf8(Absolute(argument));
}

bool CliRoot::HasStore() {
    struct stat st{};
    return stat(RegistryStore::DatabasePath().c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string CliRoot::NoStoreMessage() {
    return "there is no Listora store in " + DevicePath::Root() +
           " (start Listora there once, or name another folder with --root)";
}
