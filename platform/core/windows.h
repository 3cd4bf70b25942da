// Everything of the platform core in one include, as the device's windows.h.
#pragma once
#include "WinTypes.h"
#include "WinError.h"
#include "WideString.h"
#include "WideFormat.h"
#include "CodePage.h"
#include "DevicePath.h"
#include "FileApi.h"
#include "RegistryApi.h"
#include "ProcessApi.h"
#include "TimeApi.h"
#include "CString.h"
#include "CTime.h"
