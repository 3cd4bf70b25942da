#include "Resources.h"

#include <QFile>

QString Resources::PathOf(UINT id, const char* type) {
    return QStringLiteral(":/res/%1.%2").arg(id).arg(QString::fromLatin1(type).toLower());
}

bool Resources::Exists(UINT id, const char* type) {
    return QFile::exists(PathOf(id, type));
}

QIcon Resources::LoadIcon(UINT id) {
    return Exists(id) ? QIcon(PathOf(id)) : QIcon();
}

QPixmap Resources::LoadBitmap(UINT id) {
    return Exists(id) ? QPixmap(PathOf(id)) : QPixmap();
}

QByteArray Resources::LoadData(UINT id, const char* type) {
    QFile file(PathOf(id, type));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
