#include "storage/ShareMounts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Mount points and sources write space, tab, line feed and backslash as \ooo.
QString unescape(const QString& field)
{
    QString result;
    result.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                result.append(QChar(code));
                i += 3;
                continue;
            }
        }
        result.append(field[i]);
    }
    return result;
}

bool isSmb(const QString& fsType)
{
    return fsType == QLatin1String("cifs") || fsType == QLatin1String("smb3");
}

bool isNfs(const QString& fsType)
{
    return fsType == QLatin1String("nfs") || fsType == QLatin1String("nfs4");
}

const QString kSmbSafe = QStringLiteral("vers=3.1.1,cache=none,actimeo=0");

QString warning(const QString& folder, const QString& kind, const QString& option, const QString& why,
                const QString& safe)
{
    return QStringLiteral("Attenzione: la cartella del programma \"%1\" è una cartella di rete %2 montata "
                          "con l'opzione \"%3\": %4 Le schede salvate da due postazioni nello stesso momento "
                          "possono andare perse.\r\n\r\nChiedere all'amministratore di rete di montarla %5.")
        .arg(QDir::toNativeSeparators(folder), kind, option, why, safe);
}

} // namespace

std::optional<QString> ShareMounts::Mount::option(const QString& name) const
{
    for (const QString& entry : options) {
        if (entry == name)
            return QString();
        if (entry.size() > name.size() && entry.startsWith(name) && entry.at(name.size()) == u'=')
            return entry.mid(name.size() + 1);
    }
    return std::nullopt;
}

QList<ShareMounts::Mount> ShareMounts::parse(const QString& mountinfo)
{
    QList<Mount> mounts;
    for (const QStringView line : QStringView(mountinfo).split(u'\n')) {
        const QList<QStringView> fields = line.split(u' ', Qt::SkipEmptyParts);
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const qsizetype dash = fields.indexOf(u"-");
        if (fields.size() < 6 || dash < 6 || dash + 2 >= fields.size())
            continue;
        Mount mount;
        mount.mountPoint = unescape(fields[4].toString());
        mount.fsType = fields[dash + 1].toString();
        mount.source = unescape(fields[dash + 2].toString());
        mount.options = fields[5].toString().split(u',', Qt::SkipEmptyParts);
        if (dash + 3 < fields.size())
            mount.options += fields[dash + 3].toString().split(u',', Qt::SkipEmptyParts);
        mounts.append(mount);
    }
    return mounts;
}

std::optional<ShareMounts::Mount> ShareMounts::mountOf(const QList<Mount>& mounts, const QString& path)
{
    std::optional<Mount> best;
    for (const Mount& mount : mounts) {
        const QString& point = mount.mountPoint;
        const bool under = path == point || point == QLatin1String("/") ||
                           (path.startsWith(point) && path.at(point.size()) == u'/');
        // The last of equal mount points is the one on top.
        if (under && (!best || point.size() >= best->mountPoint.size()))
            best = mount;
    }
    return best;
}

QStringList ShareMounts::warnings(const Mount& mount, const QString& folder)
{
    QStringList result;
    if (isSmb(mount.fsType)) {
        const QString kind = QStringLiteral("SMB");
        if (mount.option(QStringLiteral("nobrl")))
            result.append(warning(folder, kind, QStringLiteral("nobrl"),
                                  QStringLiteral("i blocchi dei file restano su questa postazione e non "
                                                 "fermano le altre."),
                                  QStringLiteral("senza \"nobrl\", con le opzioni \"%1\"").arg(kSmbSafe)));
        if (mount.option(QStringLiteral("cache")) == QLatin1String("loose"))
            result.append(warning(folder, kind, QStringLiteral("cache=loose"),
                                  QStringLiteral("ogni postazione continua a usare i dati letti prima e non "
                                                 "vede subito le schede scritte dalle altre."),
                                  QStringLiteral("con le opzioni \"%1\"").arg(kSmbSafe)));
        const std::optional<QString> vers = mount.option(QStringLiteral("vers"));
        if (vers && (*vers == QLatin1String("1.0") || *vers == QLatin1String("1")))
            result.append(warning(folder, kind, QStringLiteral("vers=") + *vers,
                                  QStringLiteral("il vecchio protocollo SMB 1 non garantisce i blocchi dei "
                                                 "file tra le postazioni."),
                                  QStringLiteral("con le opzioni \"%1\"").arg(kSmbSafe)));
    } else if (isNfs(mount.fsType)) {
        const QString kind = QStringLiteral("NFS");
        const QString safe = QStringLiteral("senza \"nolock\", con l'opzione \"local_lock=none\"");
        const QString why =
            QStringLiteral("i blocchi dei file restano su questa postazione e non fermano le altre.");
        if (mount.option(QStringLiteral("nolock")))
            result.append(warning(folder, kind, QStringLiteral("nolock"), why, safe));
        const std::optional<QString> local = mount.option(QStringLiteral("local_lock"));
        if (local && *local != QLatin1String("none") && !mount.option(QStringLiteral("nolock")))
            result.append(warning(folder, kind, QStringLiteral("local_lock=") + *local, why, safe));
    }
    return result;
}

QStringList ShareMounts::warningsFor(const QString& folder)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QString path = QFileInfo(folder).canonicalFilePath();
    const std::optional<Mount> mount =
        mountOf(parse(QString::fromUtf8(table.readAll())), path.isEmpty() ? folder : path);
    return mount ? warnings(*mount, path.isEmpty() ? folder : path) : QStringList();
}
