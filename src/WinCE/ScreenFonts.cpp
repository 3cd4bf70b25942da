#include "ScreenFonts.h"

#include <QFontMetrics>
#include <algorithm>

void ScreenFonts::Install() {
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
    int size = wanted;
    for (; size > 4; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= wanted)
            break;
    }
    font.setPixelSize(size);
    return font;
}
