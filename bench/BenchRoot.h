// A throw-away device root for a whole benchmark run: set as LISTORA_ROOT before the
// first file or registry call, removed (store closed first) at exit.
#pragma once
#include "RegistryApi.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// ASCII text as a wide string, for generated names and paths.
inline std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

struct BenchRoot {
    std::string path;
    BenchRoot() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "listora-bench-XXXXXX").string();
        path = mkdtemp(tmpl.data());
        setenv("LISTORA_ROOT", path.c_str(), 1);
    }
    ~BenchRoot() {
        RegistryStore::Shutdown();
        std::filesystem::remove_all(path);
    }
};
