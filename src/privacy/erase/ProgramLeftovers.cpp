#include "privacy/erase/ProgramLeftovers.h"

#include "access/PasswordStore.h"
#include "documents/RegistryExport.h"
#include "export/RegistrySheetExport.h"
#include "privacy/ConsentFormText.h"
#include "privacy/ConsentStore.h"
#include "privacy/erase/EraseLog.h"
#include "storage/FotoScheda.h"
#include "storage/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kQuietSeconds = 60;

QString leftoverTarget(const QString& name)
{
    constexpr qsizetype kSuffix = 7; // ".XXXXXX"
    const QString target = name.left(name.size() - kSuffix);
    return name.size() > kSuffix && SafeSave::isLeftoverOf(name, target) ? target : QString();
}

bool isCardPhoto(const QString& name)
{
    QString digits;
    for (const QChar c : name) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return !digits.isEmpty() && QFileInfo(FotoScheda::percorso(QString(), digits)).fileName() == name;
}

// The program folder's own files written whole through a temporary file, the *.ini aside.
QStringList ownFiles(const QString& programFolder)
{
    return {ConsentFormText::fileName(),
            QFileInfo(EraseLog::path(programFolder)).fileName(),
            PasswordStore::fileName(),
            QFileInfo(RegistryExport::path(programFolder)).fileName(),
            QFileInfo(RegistrySheetExport::path(programFolder, RegistrySheetExport::Format::Xlsx)).fileName(),
            QFileInfo(RegistrySheetExport::path(programFolder, RegistrySheetExport::Format::Ods)).fileName()};
}

// The leftovers other than the consents'.
QStringList othersOf(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QStringList own = ownFiles(programFolder);
    QStringList result;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString target = leftoverTarget(name);
        if (!target.isEmpty() &&
            (own.contains(target) || target.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive)))
            result.append(folder.filePath(name));
    }
    const QDir photos(FotoScheda::cartella(programFolder));
    for (const QString& name : photos.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isCardPhoto(leftoverTarget(name)))
            result.append(photos.filePath(name));
    }
    return result;
}

} // namespace

QStringList ProgramLeftovers::find(const QString& programFolder)
{
    return SafeSave::leftovers(ConsentStore::path(programFolder)) + othersOf(programFolder);
}

ProgramLeftovers::Swept ProgramLeftovers::sweep(const QString& programFolder, const QDateTime& now)
{
    Swept swept;
    swept.removed = ConsentStore::removeLeftovers(programFolder, &swept.notRemoved);
    const QDateTime quietSince = now.addSecs(-kQuietSeconds);
    for (const QString& leftover : othersOf(programFolder)) {
        if (QFileInfo(leftover).lastModified() >= quietSince)
            continue;
        if (QFile::remove(leftover))
            ++swept.removed;
        else if (QFile::exists(leftover))
            swept.notRemoved.append(leftover);
    }
    return swept;
}
