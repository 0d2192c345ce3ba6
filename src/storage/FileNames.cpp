#include "storage/FileNames.h"

#include <QFileInfo>

QString FileNames::withDefaultSuffix(const QString& path, QStringView suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    QString name = path;
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name + QLatin1Char('.') + suffix.toString();
}
