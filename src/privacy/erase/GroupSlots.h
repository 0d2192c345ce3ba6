#pragma once

#include <QList>
#include <QString>

// The groupSlots of group pages that hold a person's name, in every group of the program folder.
// A slot holds the name when its name field equals it with letter case (a..z) and the blanks
// around and between the words not counting, as the group filter of the deadlines compares.
namespace GroupSlots {

struct Slot {
    QString group;     // the group's name, without ".fvg"
    int page = 0;      // 1-based position of the page in the group file
    int slot = 0;      // 0 = A ... 7 = H
    QString photoPath; // the slot's photo file (it may not exist)
};

// Throws ArchiveError when a group file cannot be read. An empty name is found nowhere.
QList<Slot> find(const QString& programFolder, const QString& name);

struct Emptied {
    QList<Slot> groupSlots; // the groupSlots emptied
    int filesRemoved = 0;
    QStringList notRemoved; // files that stayed
};
// Empties every slot of the group that holds the name (all 625 bytes zeroed, the rest of the page
// as it was), under the group file's lock, then removes the groupSlots' photo files with their stale
// copies and the group's preview pictures. Throws ArchiveError.
Emptied empty(const QString& programFolder, const QString& group, const QString& name);

// The group names, from the group files of the program folder.
QStringList groups(const QString& programFolder);

} // namespace GroupSlots
