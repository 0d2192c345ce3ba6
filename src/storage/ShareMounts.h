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
// One warning per unsafe option of the mount, naming the folder, the option and the safe setting.
QStringList warnings(const Mount& mount, const QString& folder);
// The warnings for the program folder on this system (Linux reads /proc/self/mountinfo).
QStringList warningsFor(const QString& folder);

} // namespace ShareMounts
