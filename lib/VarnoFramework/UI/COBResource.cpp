#include "COBResource.h"

#include "Resources.h"

#include <algorithm>
#include <cstring>
#include <string>

BOOL COBResource::Load(HINSTANCE, LPCTSTR name, LPCTSTR type) {
    m_data.clear();
    m_cursor = 0;
    // Resources are compiled in by id; names that are texts do not occur.
    if (!name || !type || !IS_INTRESOURCE(name))
        return FALSE;
    std::string narrowType;
    for (const TCHAR* c = type; *c; ++c) {
        if (*c > 0x7F)
            return FALSE;
        narrowType += static_cast<char>(*c);
    }
    const UINT id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
    if (!Resources::Exists(id, narrowType.c_str()))
        return FALSE;
    m_data = Resources::LoadData(id, narrowType.c_str());
    return TRUE;
}

DWORD COBResource::Read(void* buffer, DWORD count) {
    const DWORD remaining = GetSize() - m_cursor;
    const DWORD copied = std::min(count, remaining);
    if (copied == 0 || !buffer)
        return 0;
    std::memcpy(buffer, m_data.constData() + m_cursor, copied);
    m_cursor += copied;
    return copied;
}
