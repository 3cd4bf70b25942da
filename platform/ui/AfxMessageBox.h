// Message boxes of the application, captioned with its title and run through the
// modal runner. The id form shows the string-table text of the id.
#pragma once
#include "UiTypes.h"

int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
