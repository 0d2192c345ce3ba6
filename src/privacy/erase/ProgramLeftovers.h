#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The temporary files that the program's own whole-file writes, stopped midway, left in the
// program folder (SafeSave::leftovers): beside the consents, the settings files (*.ini), the
// consent form's text, the erase log, the password file, the registry export files and the card
// photos. Any other file stays, whatever its name.
namespace ProgramLeftovers {

// The leftovers found, the consents' first.
QStringList find(const QString& programFolder);

struct Swept {
    int removed = 0;
    QStringList notRemoved;
};
// Removes them, as every start does: those of the consents under the registry archive's lock,
// the others once nothing has been written to them for a minute (until then they may be another
// workstation's write still going on).
Swept sweep(const QString& programFolder, const QDateTime& now = QDateTime::currentDateTime());

} // namespace ProgramLeftovers
