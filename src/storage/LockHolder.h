#pragma once

#include <QDateTime>
#include <QString>

// The small side file beside an archive, written by whoever takes the archive's lock and
// removed before the lock is let go: the workstation, the user and the time. A workstation that finds the archive busy reads it to
// say who holds it. It is only information: removing it frees nothing.
namespace LockHolder {

struct Holder {
    QString host;
    QString user;
    QDateTime since;
    bool known() const { return !host.isEmpty() && since.isValid(); }
};

// "<archive>.blocco", beside the archive.
QString pathFor(const QString& archivePath);
Holder thisWorkstation(const QDateTime& since);
// Best effort: an archive whose folder refuses the side file still works.
void write(const QString& archivePath, const Holder& holder);
Holder read(const QString& archivePath);

// The message for an archive still busy after the wait, naming the holder when known.
QString busyMessage(const QString& archivePath, const Holder& holder);
// The message for a folder whose file system grants no lock at all.
QString cannotLockMessage(const QString& archivePath, const QString& systemReason);

} // namespace LockHolder
