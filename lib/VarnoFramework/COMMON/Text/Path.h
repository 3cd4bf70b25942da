// Splitting and composing file paths ("\" and "/" both separate folders).
#pragma once
#include "windows.h"

#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
// Room, in characters with the terminator, that each output part of _tsplitpath needs.
#define _MAX_PATH_PART 256

// Each output may be null; otherwise it must hold _MAX_PATH_PART characters. Each part
// is cut to 255 characters.
void _tsplitpath(const TCHAR* path, TCHAR* drive, TCHAR* dir, TCHAR* fname, TCHAR* ext);
// The output must hold _MAX_PATH characters; each input may be null or empty. A result
// that would reach _MAX_PATH characters gives the empty output (and a trace line).
void _tmakepath(TCHAR* path, const TCHAR* drive, const TCHAR* dir, const TCHAR* fname,
                const TCHAR* ext);
