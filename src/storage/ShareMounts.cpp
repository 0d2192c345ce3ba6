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

// How to mount each kind again so that the archives are safe.
QString safeSetting(const QString& fsType)
{
    if (isSmb(fsType))
        return QStringLiteral(
            "con le opzioni \"vers=3.1.1,cache=strict\" (oppure \"vers=3.1.1,cache=none\"), "
            "senza \"nobrl\"");
    if (isNfs(fsType))
        return QStringLiteral("senza \"nolock\", con l'opzione \"local_lock=none\" (meglio NFS 4, "
                              "\"vers=4.2\")");
    return QStringLiteral(
        "come cartella SMB con le opzioni \"vers=3.1.1,cache=strict\" o come cartella NFS 4");
}

// "SMB montata con l'opzione "nobrl"", or for a folder reached through a program of this
// workstation its type alone: "di tipo "fuse.sshfs"".
QString mountedWith(const QString& fsType, const QStringList& quotedOptions)
{
    if (!isSmb(fsType) && !isNfs(fsType))
        return QStringLiteral("di tipo \"%1\"").arg(fsType);
    const QString kind = isSmb(fsType) ? QStringLiteral("SMB") : QStringLiteral("NFS");
    if (quotedOptions.size() == 1)
        return kind + QStringLiteral(" montata con l'opzione ") + quotedOptions.first();
    return kind + QStringLiteral(" montata con le opzioni ") + quotedOptions.join(QStringLiteral(", "));
}

QString quoted(const QString& option)
{
    return QLatin1Char('"') + option + QLatin1Char('"');
}

QString warning(const QString& folder, const QString& mounted, const QString& why, const QString& safe)
{
    return QStringLiteral(
               "Attenzione: la cartella del programma \"%1\" è una cartella di rete %2: %3 Le schede "
               "salvate da due postazioni nello stesso momento possono andare perse.\r\n\r\n"
               "Chiedere all'amministratore di rete di montarla %4.")
        .arg(QDir::toNativeSeparators(folder), mounted, why, safe);
}

const QString kLocksStayHere =
    QStringLiteral("i blocchi dei file restano su questa postazione e non fermano le altre.");

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

QList<ShareMounts::Unsafe> ShareMounts::unsafeOptions(const Mount& mount)
{
    QList<Unsafe> result;
    if (isSmb(mount.fsType)) {
        if (mount.option(QStringLiteral("nobrl")))
            result.append({QStringLiteral("nobrl"), kLocksStayHere});
        const std::optional<QString> cache = mount.option(QStringLiteral("cache"));
        if (cache == QLatin1String("loose"))
            result.append(
                {QStringLiteral("cache=loose"),
                 QStringLiteral("ogni postazione continua a usare i dati letti e scritti prima e non "
                                "vede subito le schede scritte dalle altre.")});
        else if (cache == QLatin1String("singleclient") || cache == QLatin1String("rw"))
            result.append(
                {QStringLiteral("cache=") + *cache,
                 QStringLiteral("la postazione si comporta come se fosse la sola a usare la cartella "
                                "e tiene per sé le letture e le scritture.")});
        else if (cache == QLatin1String("ro"))
            result.append({QStringLiteral("cache=ro"),
                           QStringLiteral("la postazione considera la cartella di sola lettura e non rilegge "
                                          "le schede scritte dalle altre.")});
        const std::optional<QString> vers = mount.option(QStringLiteral("vers"));
        if (vers && (*vers == QLatin1String("1.0") || *vers == QLatin1String("1")))
            result.append({QStringLiteral("vers=") + *vers,
                           QStringLiteral("il vecchio protocollo SMB 1 non garantisce i blocchi dei file tra "
                                          "le postazioni.")});
    } else if (isNfs(mount.fsType)) {
        if (mount.option(QStringLiteral("nolock")))
            result.append({QStringLiteral("nolock"), kLocksStayHere});
        const std::optional<QString> local = mount.option(QStringLiteral("local_lock"));
        if (local && *local != QLatin1String("none") && !mount.option(QStringLiteral("nolock")))
            result.append({QStringLiteral("local_lock=") + *local, kLocksStayHere});
    } else if (mount.fsType == QLatin1String("fuse.sshfs") ||
               mount.fsType == QLatin1String("fuse.gvfsd-fuse") ||
               mount.fsType == QLatin1String("fuse.rclone") || mount.fsType == QLatin1String("davfs")) {
        // Network folders reached through a program of this workstation: the system answers
        // their locks here, and the program keeps its own copies of the files.
        result.append({mount.fsType, kLocksStayHere});
    }
    return result;
}

QStringList ShareMounts::warnings(const Mount& mount, const QString& folder)
{
    QStringList result;
    const QString safe = safeSetting(mount.fsType);
    for (const Unsafe& unsafe : unsafeOptions(mount))
        result.append(warning(folder, mountedWith(mount.fsType, {quoted(unsafe.option)}), unsafe.why, safe));
    return result;
}

QString ShareMounts::readOnlyMessage(const Mount& mount, const QString& folder)
{
    const QList<Unsafe> unsafe = unsafeOptions(mount);
    if (unsafe.isEmpty())
        return QString();
    QStringList options;
    QStringList whys;
    for (const Unsafe& entry : unsafe) {
        options.append(quoted(entry.option));
        if (!whys.contains(entry.why))
            whys.append(entry.why);
    }
    return QStringLiteral(
               "Attenzione: gli archivi sono aperti in sola lettura. Le schede si possono consultare, "
               "ma non salvare, aggiungere o cancellare.\r\n\r\nLa cartella del programma \"%1\" è "
               "una cartella di rete %2: %3 Due postazioni che salvano insieme "
               "possono perdere o rovinare schede.\r\n\r\nChiedere all'amministratore di rete di "
               "montarla di nuovo %4. Se questa è l'unica postazione che usa la cartella, spuntare "
               "\"Unica postazione\" nella schermata Informazioni.")
        .arg(QDir::toNativeSeparators(folder), mountedWith(mount.fsType, options),
             whys.join(QLatin1Char(' ')), safeSetting(mount.fsType));
}

namespace {

std::optional<ShareMounts::Mount> mountOfFolder(const QString& folder, QString& path)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return std::nullopt;
    path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        path = folder;
    return ShareMounts::mountOf(ShareMounts::parse(QString::fromUtf8(table.readAll())), path);
}

} // namespace

QString ShareMounts::readOnlyMessageFor(const QString& folder)
{
    QString path;
    const std::optional<Mount> mount = mountOfFolder(folder, path);
    return mount ? readOnlyMessage(*mount, path) : QString();
}

QStringList ShareMounts::warningsFor(const QString& folder)
{
    QString path;
    const std::optional<Mount> mount = mountOfFolder(folder, path);
    return mount ? warnings(*mount, path) : QStringList();
}
