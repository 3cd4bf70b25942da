// The faces the program draws its lists with. The handheld's faces ("Tahoma" for the
// rows, "Areal" for the column titles) are not found on a desktop: they stand for
// free faces of nearly the same widths, so that a 240-pixel screen shows what the
// handheld showed. A font's height is its cell height, as on the handheld: ascent and
// descent together fit the row.
#pragma once
#include <QFont>
#include <QString>

class ScreenFonts {
public:
    ScreenFonts() = delete;

    // The faces the handheld names stand for (installed with the program's packages).
    static constexpr const char* kRowFace = "Open Sans";
    static constexpr const char* kTitleFace = "Liberation Sans Narrow";

    // Reads the system's font configuration on a thread of its own, which the first
    // font otherwise waits for (about 4 ms of a start). Call it once, early; the first
    // font made waits for it to finish.
    static void PrepareInBackground();
    // Makes the handheld's face names reach their stand-ins; harmless to call again.
    static void Install();
    // face at the largest size whose cell is at most cellHeight pixels high.
    static QFont Make(const QString& face, int cellHeight);
};
