// The single-writer lock of a device root: the lock the running program holds for as
// long as it runs. A writing command takes it for the length of its change, or
// refuses when the program (or another writer) has it.
#pragma once
#include "windows.h"

#include <string>

class WriterLock {
public:
    WriterLock() = default;
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;
    ~WriterLock();

    // False, with what to tell the user, when someone else holds it.
    bool Acquire(std::string& refusal);

private:
    HANDLE m_handle = nullptr;
};
