#include "Resources.h"

#include "BackgroundJob.h"

#include <QFile>
#include <QImage>

namespace {
BackgroundJob g_preparation;
}  // namespace

QString Resources::PathOf(UINT id, const char* type) {
    return QStringLiteral(":/res/%1.%2").arg(id).arg(QString::fromLatin1(type).toLower());
}

bool Resources::Exists(UINT id, const char* type) {
    return QFile::exists(PathOf(id, type));
}

void Resources::PrepareInBackground(UINT id) {
    g_preparation.Start([path = PathOf(id)] { QImage(path, "PNG"); });
}

QIcon Resources::LoadIcon(UINT id) {
    g_preparation.Finish();
    return Exists(id) ? QIcon(PathOf(id)) : QIcon();
}

QPixmap Resources::LoadBitmap(UINT id) {
    g_preparation.Finish();
    return Exists(id) ? QPixmap(PathOf(id)) : QPixmap();
}

QByteArray Resources::LoadData(UINT id, const char* type) {
    QFile file(PathOf(id, type));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
