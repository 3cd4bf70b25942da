#include "Text/StringWTokenizer.h"

StringWTokenizer::StringWTokenizer(TCHAR* str, TCHAR* delim, bool returnDelims)
    : StringTokenizer(str, delim, returnDelims) {}

StringWTokenizer::StringWTokenizer(TCHAR* str, TCHAR* delim) : StringTokenizer(str, delim) {}

StringWTokenizer::StringWTokenizer(TCHAR* str) : StringTokenizer(str) {}
