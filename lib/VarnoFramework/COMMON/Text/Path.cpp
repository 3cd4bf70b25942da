#include "Text/Path.h"

#include "System/Diagnostics/Trace.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kPartLength = _MAX_PATH_PART - 1;

// Copies a part of the path, cut to 255 characters, into an output that may be null.
void StorePart(TCHAR* out, std::u16string_view part) {
    if (!out)
        return;
    const std::size_t length = std::min(part.size(), kPartLength);
    std::copy_n(part.data(), length, out);
    out[length] = 0;
}

inline bool IsSeparator(TCHAR c) { return c == u'\\' || c == u'/'; }

}  // namespace

void _tsplitpath(const TCHAR* path, TCHAR* drive, TCHAR* dir, TCHAR* fname, TCHAR* ext) {
    const std::u16string_view text = path ? std::u16string_view(path) : std::u16string_view();

    std::size_t driveEnd = 0;
    if (text.size() >= 2 && text[1] == u':')
        driveEnd = 2;

    std::size_t nameStart = driveEnd;
    for (std::size_t i = text.size(); i > driveEnd; --i) {
        if (IsSeparator(text[i - 1])) {
            nameStart = i;
            break;
        }
    }

    std::size_t extStart = text.size();
    const std::size_t lastDot = text.rfind(u'.');
    if (lastDot != std::u16string_view::npos && lastDot >= nameStart)
        extStart = lastDot;

    StorePart(drive, text.substr(0, driveEnd));
    StorePart(dir, text.substr(driveEnd, nameStart - driveEnd));
    StorePart(fname, text.substr(nameStart, extStart - nameStart));
    StorePart(ext, text.substr(extStart));
}

void _tmakepath(TCHAR* path, const TCHAR* drive, const TCHAR* dir, const TCHAR* fname,
                const TCHAR* ext) {
    if (!path)
        return;
    std::u16string result;
    const auto tooLong = [&result]() { return result.size() >= _MAX_PATH; };

    if (drive && drive[0] != 0) {
        result += drive[0];
        result += u':';
    }
    if (dir && dir[0] != 0) {
        result += dir;
        if (!IsSeparator(result.back()))
            result += u'/';
    }
    if (!tooLong() && fname && fname[0] != 0)
        result += fname;
    if (!tooLong() && ext && ext[0] != 0) {
        if (ext[0] != u'.')
            result += u'.';
        result += ext;
    }
    if (tooLong()) {
        Diagnostics::Trace::WriteFormattedLineT(u"error", u"path cannot be greater then _MAX_PATH\n");
        path[0] = 0;
        return;
    }
    std::copy(result.begin(), result.end(), path);
    path[result.size()] = 0;
}
