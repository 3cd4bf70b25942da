// A resource loaded into memory, read front to back: the image decoder pulls its
// bytes through Read, which hands out no more than what remains.
#pragma once
#include "UiTypes.h"

#include <QByteArray>
#include <cstdint>

#ifndef MAKEINTRESOURCE
// A resource id passed where a resource name is expected.
#define MAKEINTRESOURCE(id) (reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id))))
#define IS_INTRESOURCE(name) ((reinterpret_cast<std::uintptr_t>(name) >> 16) == 0)
#endif

class COBResource {
public:
    // Finds the resource of type (e.g. u"JPG") and name (an id made with
    // MAKEINTRESOURCE) in the program's resources and loads it; false when there is
    // none. The instance is the module the resources belong to (one here).
    BOOL Load(HINSTANCE instance, LPCTSTR name, LPCTSTR type);

    DWORD GetSize() const { return static_cast<DWORD>(m_data.size()); }
    const BYTE* GetData() const { return reinterpret_cast<const BYTE*>(m_data.constData()); }
    DWORD GetPosition() const { return m_cursor; }
    // Copies up to count bytes from the cursor, no more than what remains, and moves
    // the cursor past them; returns how many were copied.
    DWORD Read(void* buffer, DWORD count);

private:
    QByteArray m_data;
    DWORD m_cursor = 0;
};
