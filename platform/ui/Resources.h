// Icons, bitmaps and raw resources found by their resource id in the Qt resource
// system. Naming rule: the resource with id N is the file ":/res/N.png" for icons,
// bitmaps and tool-bar image strips, and ":/res/N.<type>" (type in lower case, e.g.
// ":/res/204.jpg") for a resource of a named type.
#pragma once
#include "UiTypes.h"

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

class Resources {
public:
    static QString PathOf(UINT id, const char* type = "png");
    static bool Exists(UINT id, const char* type = "png");
    // Null icon / pixmap / empty data when the resource is missing.
    static QIcon LoadIcon(UINT id);
    static QPixmap LoadBitmap(UINT id);
    static QByteArray LoadData(UINT id, const char* type);
    // Decodes the image id on a thread of its own, so that Qt has found its image
    // readers (a scan of its plug-ins, about 1.5 ms) before the first icon is needed;
    // the next icon or bitmap waits for it. Call once the application object exists.
    static void PrepareInBackground(UINT id);
};
