// The tokenizer for writable text: the same behaviour as StringTokenizer, with the
// constructors and the delimiter-changing nextToken taking non-constant text.
#pragma once
#include "Text/StringTokenizer.h"

class StringWTokenizer : public StringTokenizer {
public:
    StringWTokenizer(TCHAR* str, TCHAR* delim, bool returnDelims);
    StringWTokenizer(TCHAR* str, TCHAR* delim);
    explicit StringWTokenizer(TCHAR* str);

    TCHAR* nextToken() { return StringTokenizer::nextToken(); }
    TCHAR* nextToken(TCHAR* delim) { return StringTokenizer::nextToken(delim); }
};
