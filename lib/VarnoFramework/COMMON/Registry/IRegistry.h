// The four root keys a store works against: normally the real roots of Registry, but a
// store can be pointed at others. The record does not own the keys.
#pragma once
#include "Registry/IRegistryKey.h"

class IRegistry {
public:
    IRegistry() = default;
    IRegistry(IRegistryKey* currentUser, IRegistryKey* localMachine, IRegistryKey* classesRoot,
              IRegistryKey* users) {
        Init(currentUser, localMachine, classesRoot, users);
    }

    void Init(IRegistryKey* currentUser, IRegistryKey* localMachine, IRegistryKey* classesRoot,
              IRegistryKey* users) {
        m_pCurrentUser = currentUser;
        m_pLocalMachine = localMachine;
        m_pClassesRoot = classesRoot;
        m_pUsers = users;
    }

    IRegistryKey* m_pCurrentUser = nullptr;
    IRegistryKey* m_pLocalMachine = nullptr;
    IRegistryKey* m_pClassesRoot = nullptr;
    IRegistryKey* m_pUsers = nullptr;
};
