// A catalogue store whose application key exists without the default items, for
// benchmarks that write items.
#pragma once
#include "LRRegistry.h"

class BenchStore : public LRRegistry {
public:
    bool Create() {
        close();
        m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
        return m_pRegKey != nullptr;
    }
};
