// Splits a text into tokens at any character of a delimiter set. The tokenizer works on
// its own copy of the text; the tokens it returns stay valid until it is destroyed.
// Runs of delimiters never produce empty tokens. With returnDelims each delimiter is
// a one-character token of its own and no character of the text is lost.
#pragma once
#include "windows.h"

#include <memory>

class StringTokenizer {
public:
    // Space, tab, line feed, carriage return and form feed.
    static const TCHAR defaultDelimiters[];

    StringTokenizer(const TCHAR* str, const TCHAR* delim, bool returnDelims);
    StringTokenizer(const TCHAR* str, const TCHAR* delim);
    explicit StringTokenizer(const TCHAR* str);
    // A copy owns copies of everything; tokens of the original stay the original's.
    StringTokenizer(const StringTokenizer& other);
    StringTokenizer& operator=(const StringTokenizer& other);
    StringTokenizer(StringTokenizer&& other) noexcept;
    StringTokenizer& operator=(StringTokenizer&& other) noexcept;
    ~StringTokenizer();

    bool hasMoreTokens();
    bool hasMoreElements() { return hasMoreTokens(); }
    // The next token, or null when there is none.
    TCHAR* nextToken();
    // Replaces the delimiter set, then returns the next token.
    TCHAR* nextToken(const TCHAR* delim);
    // Tokens still to come; the position does not move.
    int countTokens() const;
    int GetCurrentPosition() const { return currentPosition; }

    int skipDelimiters(int startPos) const;
    int scanToken(int startPos) const;

protected:
    void Init(const TCHAR* str, const TCHAR* delim, bool returnDelimiters);
    void SetDelimiters(const TCHAR* delim);
    bool IsDelimiter(TCHAR c) const;

    int currentPosition = 0;
    int newPosition = -1;
    int maxPosition = 0;
    std::unique_ptr<TCHAR[]> tokenText;     // the text, never changed
    std::unique_ptr<TCHAR[]> delimiterSet;
    bool returnDelims = false;
    bool delimsChanged = false;
    WORD maxDelimChar = 0;
    // Returned tokens, each terminated, laid out so that none overlaps another.
    std::unique_ptr<TCHAR[]> tokenStore;
    int tokensReturned = 0;
};
