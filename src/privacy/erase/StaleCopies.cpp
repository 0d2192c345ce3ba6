#include "privacy/erase/StaleCopies.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QStringList StaleCopies::of(const QString& path)
{
    const QFileInfo target(path);
    const QDir folder = target.dir();
    const QRegularExpression copy(
        QStringLiteral("\\A%1\\.[A-Za-z0-9]{6}\\z").arg(QRegularExpression::escape(target.fileName())));
    QStringList result;
    // No name filter: a group's name may hold the characters of a wildcard.
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (copy.match(name).hasMatch())
            result.append(folder.filePath(name));
    }
    return result;
}

QStringList StaleCopies::withCopies(const QString& path)
{
    QStringList result;
    if (QFileInfo(path).isFile())
        result.append(path);
    result.append(of(path));
    return result;
}
