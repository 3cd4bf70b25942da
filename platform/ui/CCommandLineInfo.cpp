#include "CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const WCHAR* param, BOOL isFlag, BOOL) {
    if (isFlag || !param)
        return;
    if (m_strFileName.IsEmpty()) {
        m_strFileName = CString(param);
        m_nShellCommand = FileOpen;
    }
}
