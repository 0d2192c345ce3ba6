#include "registry/AttachmentFolder.h"

#include "storage/Cp1252.h"
#include "storage/TextRules.h"

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
    cleaned = TextRules::trim(cleaned);
    if (cleaned.size() > kMaxName) {
        // Shorten the name before its extension, when the extension is a short one.
        const qsizetype dot = cleaned.lastIndexOf(QLatin1Char('.'));
        const QString suffix = (dot > 0 && cleaned.size() - dot <= 16) ? cleaned.mid(dot) : QString();
        cleaned = TextRules::trim(cleaned.left(kMaxName - suffix.size())) + suffix;
    }
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

QString AttachmentFolder::copy(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return withDetail(QStringLiteral("il file scelto non può essere letto."), in.errorString());
    if (QFileInfo(target).isDir())
        return QStringLiteral("nella cartella dei documenti allegati c'è una cartella con lo stesso nome.");
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return withDetail(QStringLiteral("non è possibile scrivere nella cartella dei documenti allegati."),
                          out.errorString());
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(chunk.data(), chunk.size());
        if (read < 0) {
            out.cancelWriting();
            return withDetail(QStringLiteral("la lettura del file scelto si è interrotta."),
                              in.errorString());
        }
        if (read == 0)
            break;
        if (out.write(chunk.constData(), read) != read) {
            const QString detail = out.errorString();
            out.cancelWriting();
            return withDetail(QStringLiteral("la copia non è stata completata, forse per mancanza di spazio "
                                             "sul disco."),
                              detail);
        }
    }
    if (!out.commit())
        return withDetail(QStringLiteral("la copia non è stata completata."), out.errorString());
    return {};
}
