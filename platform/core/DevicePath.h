// Device paths: "\" is the device root ($LISTORA_ROOT, else $XDG_DATA_HOME/listora,
// else ~/.local/share/listora). Inside a device path both "\" and "/" separate
// components. A path starting with "/" is a host path and is used as it is.
#pragma once
#include "WinTypes.h"
#include <string>

namespace DevicePath {
// The host folder of the device root (created on demand by callers that write).
std::string Root();
// Host path for a device or host path; relative paths are taken from the device root.
std::string ToHost(const WCHAR* path);
std::string ToHost(const std::u16string& path);
// Creates the root folder (and parents) when missing; true when it exists afterwards.
bool EnsureRoot();
}  // namespace DevicePath
