#include "Text/StringTokenizer.h"

#include <climits>
#include <cstring>
#include <utility>

namespace {

// Positions are 32-bit and the token store needs twice the text: longer texts are
// tokenized up to this many characters.
constexpr std::size_t kMaxLength = INT_MAX / 2 - 1;

std::unique_ptr<TCHAR[]> CopyText(const TCHAR* text, std::size_t length) {
    std::unique_ptr<TCHAR[]> copy(new TCHAR[length + 1]);
    if (length > 0)
        std::memcpy(copy.get(), text, length * sizeof(TCHAR));
    copy[length] = 0;
    return copy;
}

std::size_t BoundedLength(const TCHAR* text) {
    if (!text)
        return 0;
    std::size_t length = 0;
    while (length < kMaxLength && text[length] != 0)
        ++length;
    return length;
}

}  // namespace

const TCHAR StringTokenizer::defaultDelimiters[] = u" \t\n\r\f";

StringTokenizer::StringTokenizer(const TCHAR* str, const TCHAR* delim, bool returnDelimiters) {
    Init(str, delim, returnDelimiters);
}

StringTokenizer::StringTokenizer(const TCHAR* str, const TCHAR* delim) { Init(str, delim, false); }

StringTokenizer::StringTokenizer(const TCHAR* str) { Init(str, defaultDelimiters, false); }

StringTokenizer::StringTokenizer(const StringTokenizer& other)
    : currentPosition(other.currentPosition),
      newPosition(other.newPosition),
      maxPosition(other.maxPosition),
      tokenText(CopyText(other.tokenText.get(), static_cast<std::size_t>(other.maxPosition))),
      delimiterSet(CopyText(other.delimiterSet.get(), _tcslen(other.delimiterSet.get()))),
      returnDelims(other.returnDelims),
      delimsChanged(other.delimsChanged),
      maxDelimChar(other.maxDelimChar),
      tokensReturned(other.tokensReturned) {
    if (other.tokenStore) {
        const std::size_t size = 2 * static_cast<std::size_t>(maxPosition) + 1;
        tokenStore.reset(new TCHAR[size]);
        std::memcpy(tokenStore.get(), other.tokenStore.get(), size * sizeof(TCHAR));
    }
}

StringTokenizer& StringTokenizer::operator=(const StringTokenizer& other) {
    if (this != &other) {
        StringTokenizer copy(other);
        *this = std::move(copy);
    }
    return *this;
}

StringTokenizer::StringTokenizer(StringTokenizer&& other) noexcept
    : currentPosition(other.currentPosition),
      newPosition(other.newPosition),
      maxPosition(other.maxPosition),
      tokenText(std::move(other.tokenText)),
      delimiterSet(std::move(other.delimiterSet)),
      returnDelims(other.returnDelims),
      delimsChanged(other.delimsChanged),
      maxDelimChar(other.maxDelimChar),
      tokenStore(std::move(other.tokenStore)),
      tokensReturned(other.tokensReturned) {
    other.Init(nullptr, nullptr, false);
}

StringTokenizer& StringTokenizer::operator=(StringTokenizer&& other) noexcept {
    if (this != &other) {
        currentPosition = other.currentPosition;
        newPosition = other.newPosition;
        maxPosition = other.maxPosition;
        tokenText = std::move(other.tokenText);
        delimiterSet = std::move(other.delimiterSet);
        returnDelims = other.returnDelims;
        delimsChanged = other.delimsChanged;
        maxDelimChar = other.maxDelimChar;
        tokenStore = std::move(other.tokenStore);
        tokensReturned = other.tokensReturned;
        other.Init(nullptr, nullptr, false);
    }
    return *this;
}

StringTokenizer::~StringTokenizer() = default;

void StringTokenizer::Init(const TCHAR* str, const TCHAR* delim, bool returnDelimiters) {
    const std::size_t length = BoundedLength(str);
    tokenText = CopyText(str, length);
    maxPosition = static_cast<int>(length);
    SetDelimiters(delim);
    returnDelims = returnDelimiters;
    currentPosition = 0;
    newPosition = -1;
    delimsChanged = false;
    tokenStore.reset();
    tokensReturned = 0;
}

void StringTokenizer::SetDelimiters(const TCHAR* delim) {
    const std::size_t length = delim ? _tcslen(delim) : 0;
    delimiterSet = CopyText(delim, length);
    maxDelimChar = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (delimiterSet[i] > maxDelimChar)
            maxDelimChar = delimiterSet[i];
    }
}

bool StringTokenizer::IsDelimiter(TCHAR c) const {
    if (c > maxDelimChar)
        return false;
    for (const TCHAR* d = delimiterSet.get(); *d != 0; ++d) {
        if (*d == c)
            return true;
    }
    return false;
}

int StringTokenizer::skipDelimiters(int startPos) const {
    int position = startPos < 0 ? 0 : startPos;
    if (!returnDelims) {
        while (position < maxPosition && IsDelimiter(tokenText[static_cast<std::size_t>(position)]))
            ++position;
    }
    return position;
}

int StringTokenizer::scanToken(int startPos) const {
    const int start = startPos < 0 ? 0 : startPos;
    int position = start;
    while (position < maxPosition && !IsDelimiter(tokenText[static_cast<std::size_t>(position)]))
        ++position;
    if (returnDelims && position == start && position < maxPosition &&
        IsDelimiter(tokenText[static_cast<std::size_t>(position)]))
        ++position;
    return position;
}

bool StringTokenizer::hasMoreTokens() {
    newPosition = skipDelimiters(currentPosition);
    return newPosition < maxPosition;
}

TCHAR* StringTokenizer::nextToken() {
    const int start = (newPosition >= 0 && !delimsChanged) ? newPosition : skipDelimiters(currentPosition);
    newPosition = -1;
    delimsChanged = false;
    currentPosition = start;
    if (start >= maxPosition)
        return nullptr;
    const int end = scanToken(start);

    // Tokens are copied out instead of being cut in place, so the character after a
    // token stays readable (it is the next token when delimiters are returned). Token
    // number k goes to offset start + k: tokens move forward by at least one character
    // each, so the copies never overlap and fit in twice the text.
    if (!tokenStore)
        tokenStore.reset(new TCHAR[2 * static_cast<std::size_t>(maxPosition) + 1]);
    const std::size_t length = static_cast<std::size_t>(end - start);
    TCHAR* token = tokenStore.get() + start + tokensReturned;
    std::memcpy(token, tokenText.get() + start, length * sizeof(TCHAR));
    token[length] = 0;
    ++tokensReturned;

    // Without returnDelims the delimiter that ended the token is consumed; with it, that
    // delimiter is the next token.
    currentPosition = returnDelims ? end : end + 1;
    return token;
}

TCHAR* StringTokenizer::nextToken(const TCHAR* delim) {
    SetDelimiters(delim);
    delimsChanged = true;
    return nextToken();
}

int StringTokenizer::countTokens() const {
    int count = 0;
    int position = currentPosition;
    while (position < maxPosition) {
        position = skipDelimiters(position);
        if (position >= maxPosition)
            break;
        position = scanToken(position);
        ++count;
    }
    return count;
}
