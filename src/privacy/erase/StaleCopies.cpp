#include "privacy/erase/StaleCopies.h"

#include "storage/SafeSave.h"

#include <QFileInfo>

QStringList StaleCopies::of(const QString& path)
{
    return SafeSave::leftovers(path);
}

QStringList StaleCopies::withCopies(const QString& path)
{
    QStringList result;
    if (QFileInfo(path).isFile())
        result.append(path);
    result.append(of(path));
    return result;
}
