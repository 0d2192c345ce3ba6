#include "storage/SafeSave.h"

#include "storage/FileErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool fail(QSaveFile& file, QString* reason)
{
    if (reason)
        *reason = FileErrorText::of(file);
    file.cancelWriting();
    return false;
}

} // namespace

bool SafeSave::commit(QSaveFile& file, QString* reason)
{
    if (!file.isOpen() || file.error() != QFileDevice::NoError || !file.flush())
        return fail(file, reason);
    if (!file.commit()) {
        if (reason)
            *reason = FileErrorText::of(file);
        return false;
    }
    return true;
}

bool SafeSave::writeFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (reason)
            *reason = FileErrorText::of(file);
        return false;
    }
    if (file.write(bytes) != bytes.size())
        return fail(file, reason);
    return commit(file, reason);
}

bool SafeSave::isLeftoverOf(const QString& fileName, const QString& targetName)
{
    constexpr qsizetype kSuffix = 7; // ".XXXXXX"
    if (fileName.size() != targetName.size() + kSuffix || !fileName.startsWith(targetName) ||
        fileName.at(targetName.size()) != QLatin1Char('.'))
        return false;
    for (qsizetype i = targetName.size() + 1; i < fileName.size(); ++i) {
        const char16_t c = fileName.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return !targetName.isEmpty();
}

QStringList SafeSave::leftovers(const QString& path)
{
    const QFileInfo target(path);
    const QDir folder = target.dir();
    QStringList result;
    // No name filter: a target's name may hold the characters of a wildcard.
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (isLeftoverOf(name, target.fileName()))
            result.append(folder.filePath(name));
    }
    return result;
}

int SafeSave::removeLeftovers(const QString& path, const QDateTime& quietSince, QStringList* notRemoved)
{
    int removed = 0;
    for (const QString& leftover : leftovers(path)) {
        if (quietSince.isValid() && QFileInfo(leftover).lastModified() >= quietSince)
            continue;
        if (QFile::remove(leftover))
            ++removed;
        else if (QFile::exists(leftover) && notRemoved)
            notRemoved->append(leftover);
    }
    return removed;
}
