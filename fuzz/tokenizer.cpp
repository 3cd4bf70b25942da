// StringTokenizer over arbitrary input. Byte 0: bit 0 returnDelims, bit 1 change the
// delimiters half-way, bits 2-7 number of delimiter characters; then the delimiters and
// the text as UTF-16LE code units (a NUL unit ends the text early, as in any C string).
#include "Text/StringTokenizer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::u16string Units(const std::uint8_t* data, std::size_t size) {
    std::u16string out;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == 0)
            break;
        out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool returnDelims = data[0] & 1;
    const bool change = data[0] & 2;
    const std::size_t delimBytes = std::min<std::size_t>(2 * (data[0] >> 2), size - 1);
    const std::u16string delims = Units(data + 1, delimBytes);
    const std::u16string text = Units(data + 1 + delimBytes, size - 1 - delimBytes);

    StringTokenizer tokenizer(text.c_str(), delims.c_str(), returnDelims);
    const int expected = tokenizer.countTokens();
    std::vector<const TCHAR*> tokens;
    std::u16string joined;
    while (tokenizer.hasMoreTokens()) {
        const TCHAR* token = (change && tokens.size() == 1) ? tokenizer.nextToken(delims.c_str())
                                                           : tokenizer.nextToken();
        if (!token || !*token)
            __builtin_trap();  // hasMoreTokens promised a non-empty token
        tokens.push_back(token);
        joined += token;
    }
    if (tokenizer.nextToken() != nullptr || static_cast<int>(tokens.size()) != expected)
        __builtin_trap();
    // With returned delimiters, the tokens put back together are the whole text.
    if (returnDelims && joined != text)
        __builtin_trap();

    StringTokenizer copy(tokenizer);
    StringTokenizer other(text.c_str());
    other = copy;
    while (other.nextToken()) {
    }
    // Earlier tokens are still intact.
    std::u16string again;
    for (const TCHAR* token : tokens)
        again += token;
    if (again != joined)
        __builtin_trap();
    return 0;
}
