#include "registry/AttachmentFolder.h"

#include "storage/Cp1252.h"
#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kFolderName = QStringLiteral("Documenti_Allegati");

bool forbidden(char32_t c)
{
    // Folder parts, drives and the characters no Windows name may hold.
    switch (c) {
    case U'/':
    case U'\\':
    case U':':
    case U'*':
    case U'?':
    case U'"':
    case U'<':
    case U'>':
    case U'|':
        return true;
    default:
        return c < 32 || c == 127;
    }
}

QString withDetail(const QString& reason, const QString& detail)
{
    return detail.isEmpty() ? reason : reason + QStringLiteral(" (") + detail + QLatin1Char(')');
}

} // namespace

QString AttachmentFolder::folder(const QString& programFolder)
{
    return programFolder + kFolderName;
}

bool AttachmentFolder::isPlainName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() == 0)
            return false;
    }
    return true;
}

QString AttachmentFolder::pathOf(const QString& programFolder, const QString& name)
{
    if (!isPlainName(name))
        return {};
    return QDir::toNativeSeparators(folder(programFolder) + QLatin1Char('/') + name);
}

QString AttachmentFolder::storableName(const QString& fileName)
{
    // The name as the card will give it back, then without what a path could be made of.
    QString cleaned = Cp1252::decode(Cp1252::encode(fileName));
    for (QChar& c : cleaned) {
        if (forbidden(c.unicode()))
            c = QLatin1Char('_');
    }
    // A name that lost characters ("Паспорт.pdf" and "Договор.pdf" both give "_______.pdf") gets
    // a short mark of the chosen name, so that different files never meet under one name.
    const QString trimmedChosen = TextRules::trim(fileName);
    const bool lost = TextRules::trim(cleaned) != trimmedChosen;
    cleaned = TextRules::trim(cleaned);
    const qsizetype dot = cleaned.lastIndexOf(QLatin1Char('.'));
    const bool shortSuffix = dot > 0 && cleaned.size() - dot <= 16;
    QString stem = shortSuffix ? cleaned.left(dot) : cleaned;
    const QString suffix = shortSuffix ? cleaned.mid(dot) : QString();
    const QString mark =
        lost ? QLatin1Char('~') + QString::fromLatin1(QCryptographicHash::hash(trimmedChosen.toUtf8(),
                                                                               QCryptographicHash::Sha1)
                                                          .toHex()
                                                          .left(6))
             : QString();
    // Shorten the name before its extension, when the extension is a short one.
    const qsizetype room = kMaxName - suffix.size() - mark.size();
    if (stem.size() > room)
        stem = TextRules::trim(stem.left(room));
    cleaned = stem + mark + suffix;
    if (cleaned.isEmpty() || cleaned == QLatin1String(".") || cleaned == QLatin1String(".."))
        cleaned = QStringLiteral("allegato");
    return cleaned;
}

bool AttachmentFolder::sameFile(const QString& a, const QString& b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

QString AttachmentFolder::createFolder(const QString& programFolder)
{
    const QString path = folder(programFolder);
    if (QFileInfo(path).isDir() || QDir().mkpath(path))
        return {};
    return QFileInfo::exists(path)
               ? QStringLiteral("%1 esiste ma non è una cartella.").arg(QDir::toNativeSeparators(path))
               : QStringLiteral("non è possibile creare la cartella %1.").arg(QDir::toNativeSeparators(path));
}

QString AttachmentFolder::copy(const QString& source, const QString& target, const Progress& progress)
{
    // Only a regular file is copied: a device or a pipe would be read for ever or block the screen.
    const QFileInfo chosen(source);
    if (chosen.exists() && !chosen.isFile())
        return QStringLiteral("non è un file ordinario (cartella, dispositivo o collegamento speciale).");
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return withDetail(QStringLiteral("il file scelto non può essere letto."),
                          FileErrorText::italian(in.errorString()));
    if (QFileInfo(target).isDir())
        return QStringLiteral("nella cartella dei documenti allegati c'è una cartella con lo stesso nome.");
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return withDetail(QStringLiteral("non è possibile scrivere nella cartella dei documenti allegati."),
                          FileErrorText::italian(out.errorString()));
    const qint64 total = in.size();
    qint64 done = 0;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(chunk.data(), chunk.size());
        if (read < 0) {
            out.cancelWriting();
            return withDetail(QStringLiteral("la lettura del file scelto si è interrotta."),
                              FileErrorText::italian(in.errorString()));
        }
        if (read == 0)
            break;
        if (out.write(chunk.constData(), read) != read) {
            const QString detail = FileErrorText::italian(out.errorString());
            out.cancelWriting();
            return withDetail(QStringLiteral("la copia non è stata completata, forse per mancanza di spazio "
                                             "sul disco."),
                              detail);
        }
        done += read;
        // A file that grows while it is read is not followed past its size when chosen.
        if (done > total && total > 0) {
            out.cancelWriting();
            return QStringLiteral("il file scelto è cambiato durante la copia.");
        }
        if (progress && !progress(done, total)) {
            out.cancelWriting();
            return kCancelled;
        }
    }
    QString reason;
    if (!SafeSave::commit(out, &reason))
        return withDetail(QStringLiteral("la copia non è stata completata."), reason);
    return {};
}
