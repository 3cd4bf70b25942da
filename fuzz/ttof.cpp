// _ttof, _ttod and the wide atof over arbitrary bytes read as UTF-16LE code units.
#include "Text/Convert.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TCHAR> text(size / 2 + 1, 0);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[i / 2] = static_cast<TCHAR>(data[i] | (data[i + 1] << 8));

    for (const bool acceptComma : {false, true}) {
        float f = -1.0f;
        const CONVERTION_ERRORS e = _ttof(text.data(), f, true, acceptComma);
        // Success gives a finite, non-negative number; failure gives 0.
        if (e == CE_OK ? !(std::isfinite(f) && f >= 0.0f) : f != 0.0f)
            __builtin_trap();
        if (e == CE_EMPTY)
            __builtin_trap();
    }
    double d = -1.0;
    const CONVERTION_ERRORS e = _ttod(text.data(), d);
    if (e == CE_OK ? !(std::isfinite(d) && d >= 0.0) : d != 0.0)
        __builtin_trap();
    (void)atof(static_cast<const TCHAR*>(text.data()));
    return 0;
}
