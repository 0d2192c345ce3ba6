#include "app/DataFolder.h"

#include "access/AccessCheck.h"
#include "access/PasswordError.h"
#include "storage/FileErrorText.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace {

const QString kDataFolderKey = QStringLiteral("CartellaDati");

// The deepest folder of a path that exists already.
QString existingAncestorOfDataFolder(const QString& folder)
{
    QFileInfo info(QDir::cleanPath(folder));
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            break;
        info = QFileInfo(parent);
    }
    return info.absoluteFilePath();
}

// Empty when a file can be made in an existing folder; else the system's reason in Italian.
QString dataFolderWriteProbe(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".folvara_prova_XXXXXX")));
    if (probe.open())
        return QString();
    const QString reason = probe.errorString();
    return reason.isEmpty() ? QStringLiteral("permesso negato") : FileErrorText::italian(reason);
}

} // namespace

QString DataFolder::normalised(const QString& folder)
{
    QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

QString DataFolder::proposed(const QString& documentsFolder)
{
    return QDir::cleanPath(documentsFolder + QStringLiteral("/Folvara"));
}

bool DataFolder::holdsArchive(const QString& folder)
{
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"))) ||
           QFileInfo::exists(dir.filePath(QStringLiteral("unins000.dll")));
}

QString DataFolder::unusableReason(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return QStringLiteral("al suo posto c'è un file");
    if (!info.exists()) {
        const QString ancestor = existingAncestorOfDataFolder(folder);
        if (!QFileInfo(ancestor).isDir())
            return QStringLiteral("il percorso passa per un file, %1")
                .arg(QDir::toNativeSeparators(ancestor));
        if (!QDir().mkpath(folder)) {
            const QString reason = dataFolderWriteProbe(ancestor);
            return reason.isEmpty() ? QStringLiteral("la cartella non si può creare") : reason;
        }
    }
    return dataFolderWriteProbe(folder);
}

QString DataFolder::refusal(const QString& folder, const QString& reason)
{
    return QStringLiteral("La cartella dei dati %1 non si può usare: %2.")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)), reason);
}

QString DataFolder::remembered(const QSettings& settings)
{
    return settings.value(kDataFolderKey).toString();
}

void DataFolder::remember(QSettings& settings, const QString& folder)
{
    settings.setValue(kDataFolderKey, QDir::cleanPath(folder));
    settings.sync();
}

QString DataFolder::ask(const QString& proposedFolder, const QString& reason, QSettings& settings,
                        Asker& asker)
{
    QString why = reason;
    QString proposal = proposedFolder;
    for (;;) {
        const QString answer = asker.where(proposal, why);
        if (answer.isEmpty())
            return QString();
        const QString problem = unusableReason(answer);
        if (problem.isEmpty()) {
            remember(settings, answer);
            return normalised(answer);
        }
        why = refusal(answer, problem);
        asker.refuse(why);
        proposal = answer;
    }
}

DataFolder::Choice DataFolder::decide(const Start& start, QSettings& settings, Asker& asker)
{
    Choice choice;
    if (!start.environment.isEmpty()) {
        choice.source = Source::Environment;
        const QString problem = unusableReason(start.environment);
        if (problem.isEmpty())
            choice.folder = normalised(start.environment);
        else
            choice.error = refusal(start.environment, problem);
        return choice;
    }
    // A copied program folder keeps its archives beside the executable, even on a drive it
    // cannot write: the archive's own messages tell that.
    if (holdsArchive(start.programFolder) ||
        (!start.installed && unusableReason(start.programFolder).isEmpty())) {
        choice.source = Source::ProgramFolder;
        choice.folder = normalised(start.programFolder);
        return choice;
    }
    QString reason;
    const QString previous = remembered(settings);
    if (!previous.isEmpty()) {
        if (!QFileInfo(previous).isDir()) {
            reason = QStringLiteral("La cartella dei dati %1 non c'è più (un disco o una cartella "
                                    "condivisa non collegati?).")
                         .arg(QDir::toNativeSeparators(previous));
        } else {
            const QString problem = unusableReason(previous);
            if (problem.isEmpty()) {
                choice.source = Source::Remembered;
                choice.folder = normalised(previous);
                return choice;
            }
            reason = refusal(previous, problem);
        }
    }
    choice.source = Source::Chosen;
    choice.folder = ask(proposed(start.documentsFolder), reason, settings, asker);
    if (choice.folder.isEmpty())
        choice.error = QStringLiteral("Nessuna cartella dei dati scelta: Folvara si chiude.");
    return choice;
}

QString DataFolder::prepare(const QString& folder)
{
    if (holdsArchive(folder))
        return QString();
    try {
        AccessCheck::installFirstAccess(normalised(folder));
    } catch (const PasswordError& error) {
        return QStringLiteral("Il file della password non si può scrivere nella cartella dei dati %1: %2")
            .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)),
                 FileErrorText::italian(QString::fromStdString(error.what())));
    }
    return QString();
}

QString DataFolder::guide(const QString& folder, const QString& executableFolder, const QString& fileName)
{
    const QString own = normalised(folder) + fileName;
    if (QFileInfo::exists(own))
        return own;
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/doc/folvara/") + fileName);
    return QFileInfo::exists(installed) ? installed : own;
}

bool DataFolder::installedLayout(const QString& executableFolder, const QString& bindir)
{
    const QString folder = QFileInfo(executableFolder).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    const QString installedBin = QFileInfo(bindir).canonicalFilePath();
    if (!installedBin.isEmpty() && folder == installedBin)
        return true;
    const QDir dir(folder);
    return dir.dirName() == QLatin1String("bin") &&
           QFileInfo(dir.filePath(QStringLiteral("../share/doc/folvara"))).isDir();
}
