// A catalogue store whose application key exists without the default items, for
// benchmarks that write items; and the program's own store made afresh.
#pragma once
#include "LRRegistry.h"

#include <cstdio>
#include <string>

class BenchStore : public LRRegistry {
public:
    bool Create() {
        close();
        m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
        return m_pRegKey != nullptr;
    }
};

// Empties the program's store (TheRegistry) and opens it as a first start does, with a
// default items file of one item (Milk) written into the folder rootPath (the device
// root).
inline bool OpenFreshStore(const std::string& rootPath) {
    LRRegistry& registry = TheRegistry();
    registry.close();
    if (registry.init())
        registry.Cleanup();
    std::string isl = "\xFF\xFE";
    for (const char c : std::string("\"Name\",\"Unit\",\"Quantity\",\"Price\",\"Coupon\",\"Purchased\",\"Categories\"\r\n"
                                    "\"Milk\",\"gal\",0,3.49,0,0,\"+*(WA)+Foods\"\r\n")) {
        isl.push_back(c);
        isl.push_back('\0');
    }
    FILE* file = std::fopen((rootPath + "/items.isl").c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(isl.data(), 1, isl.size(), file) == isl.size();
    std::fclose(file);
    registry.SetDefaultItemsFile(u"\\items.isl");
    return written && registry.Open();
}
