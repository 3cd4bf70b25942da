#include "ScreenFonts.h"

#include "BackgroundJob.h"

#include <QFontMetrics>
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
    QFont font(QFont::substitute(face));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    const int wanted = std::max(1, cellHeight);
    const auto heightAt = [&font](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).height();
    };
    // The largest size above 4 whose cell fits, or 4. Every size tried loads the face
    // anew: the cell of the wanted size, which grows in step with the size, points
    // near the answer instead of a walk down from the wanted size.
    int size = wanted;
    if (wanted > 4) {
        const int full = heightAt(wanted);
        if (full > wanted) {
            size = std::clamp(wanted * wanted / full, 4, wanted - 1);
            while (size + 1 < wanted && heightAt(size + 1) <= wanted)
                ++size;
            while (size > 4 && heightAt(size) > wanted)
                --size;
        }
    }
    font.setPixelSize(size);
    return font;
}
