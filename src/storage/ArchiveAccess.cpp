#include "storage/ArchiveAccess.h"

#include "storage/ArchiveError.h"
#include "storage/IniLines.h"
#include "storage/ShareMounts.h"

#include <QDir>
#include <QMutex>

namespace {

const QString kShareSection = QStringLiteral("Condivisione");
const QString kSingleKey = QStringLiteral("UnicaPostazione");

QMutex& accessMutex()
{
    static QMutex mutex;
    return mutex;
}

// Read by worker threads too.
QString& readOnlyText()
{
    static QString text;
    return text;
}

QString shareSettingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(ArchiveAccess::settingsFileName());
}

} // namespace

QString ArchiveAccess::settingsFileName()
{
    return QStringLiteral("Condivisione.ini");
}

bool ArchiveAccess::singleWorkstation(const QString& programFolder)
{
    return IniLines::value(shareSettingsPath(programFolder), kShareSection, kSingleKey)
               .compare(QLatin1String("si"), Qt::CaseInsensitive) == 0;
}

bool ArchiveAccess::setSingleWorkstation(const QString& programFolder, bool single, QString* reason)
{
    return IniLines::setValue(shareSettingsPath(programFolder), kShareSection, kSingleKey,
                              single ? QStringLiteral("si") : QStringLiteral("no"), reason);
}

QString ArchiveAccess::decide(const QString& programFolder)
{
    const QString message =
        singleWorkstation(programFolder) ? QString() : ShareMounts::readOnlyMessageFor(programFolder);
    setReadOnly(message);
    return message;
}

void ArchiveAccess::setReadOnly(const QString& message)
{
    const QMutexLocker locker(&accessMutex());
    readOnlyText() = message;
}

bool ArchiveAccess::readOnly()
{
    const QMutexLocker locker(&accessMutex());
    return !readOnlyText().isEmpty();
}

QString ArchiveAccess::readOnlyMessage()
{
    const QMutexLocker locker(&accessMutex());
    return readOnlyText();
}

void ArchiveAccess::requireWritable()
{
    const QString message = readOnlyMessage();
    if (!message.isEmpty())
        throw ArchiveError(QStringLiteral("the archives are read-only"), message);
}
