#include "ScreenFonts.h"

#include "BackgroundJob.h"

#include <QFontMetrics>
#include <QRawFont>
#include <algorithm>
#include <fontconfig/fontconfig.h>

namespace {
BackgroundJob g_preparation;
}  // namespace

void ScreenFonts::PrepareInBackground() {
    g_preparation.Start([] { FcInit(); });
}

void ScreenFonts::Install() {
    g_preparation.Finish();
    static const bool installed = [] {
        // Tahoma's widths lie between Open Sans's (4% narrower) and DejaVu Sans
        // Condensed's (6% wider); Open Sans keeps typical 12-letter names whole in the
        // 75-pixel Item column. The titles take Arial's narrow cousin, since the
        // columns are only as wide as the handheld's titles were.
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QString::fromLatin1(kRowFace));
        QFont::insertSubstitution(QStringLiteral("Areal"), QString::fromLatin1(kTitleFace));
        return true;
    }();
    (void)installed;
}

QFont ScreenFonts::Make(const QString& face, int cellHeight) {
    Install();
    // Asked for by its stand-in's name: Qt looks for a face it does not know among
    // every installed font before it tries the substitutions, which cost a start
    // about 5 ms.
    const QString family = QFont::substitute(face);
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    const int wanted = std::max(1, cellHeight);
    if (wanted <= 4) {
        font.setPixelSize(wanted);
        return font;
    }
    // Loading a face at a size costs about half a millisecond, a copy of a loaded one
    // at another size far less. So the face is loaded once, at the size its cells
    // suggest, and the other sizes are measured on copies: usually the answer is the
    // size loaded, and the font returned finds it loaded.
    // A face's cell height in percent of its size, as measured over the sizes offered;
    // a wrong guess costs only one more load.
    const auto is = [&family](const char* name) {
        return family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    const int cellPercent = is(kRowFace) ? 140 : is(kTitleFace) ? 115 : 125;
    int size = std::clamp((wanted * 100 + cellPercent / 2) / cellPercent, 4, wanted);
    font.setPixelSize(size);
    QRawFont loaded = QRawFont::fromFont(font);
    const auto heightAt = [&](int pixels) {
        if (!loaded.isValid()) {
            QFont sized(font);
            sized.setPixelSize(pixels);
            return QFontMetrics(sized).height();
        }
        loaded.setPixelSize(pixels);
        return qRound(loaded.ascent()) + qRound(loaded.descent());  // as QFontMetrics::height
    };
    // The largest size above 4 whose cell fits, or 4; a cell never shrinks as the
    // size grows.
    while (size < wanted && heightAt(size + 1) <= wanted)
        ++size;
    while (size > 4 && heightAt(size) > wanted)
        --size;
    font.setPixelSize(size);
    return font;
}
