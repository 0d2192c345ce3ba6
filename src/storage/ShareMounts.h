#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The file system under the program folder, read from the mount table, and the warnings for
// the mount options that leave shared archives unprotected.
namespace ShareMounts {

struct Mount {
    QString mountPoint;
    QString fsType;
    QString source;
    QStringList options; // the mount's options and the file system's, in that order
    // The value of "name=value", or "name" alone; nullopt when the option is absent.
    std::optional<QString> option(const QString& name) const;
};

// The lines of /proc/self/mountinfo; lines that do not parse are skipped.
QList<Mount> parse(const QString& mountinfo);
// The mount that holds the path: the longest mount point it lies under.
std::optional<Mount> mountOf(const QList<Mount>& mounts, const QString& path);
// An option (or a kind of mount) that lets a workstation cache the archives or keep its locks to
// itself, so that two workstations saving together can lose cards.
struct Unsafe {
    QString option; // as the mount table writes it: "cache=loose", "nobrl", "fuse.sshfs"
    QString why;    // what it does, one sentence
};
QList<Unsafe> unsafeOptions(const Mount& mount);

// One warning per unsafe option of the mount, naming the folder, the option and the safe setting.
QStringList warnings(const Mount& mount, const QString& folder);
// The warnings for the program folder on this system (Linux reads /proc/self/mountinfo).
QStringList warningsFor(const QString& folder);

// Why the archives of the folder open read-only on this mount, and how to remount it; empty when
// the mount is safe.
QString readOnlyMessage(const Mount& mount, const QString& folder);
// The same for the program folder on this system.
QString readOnlyMessageFor(const QString& folder);

} // namespace ShareMounts
