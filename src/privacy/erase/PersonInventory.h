#pragma once

#include "privacy/erase/GroupSlots.h"
#include "privacy/erase/PersonSideData.h"
#include "storage/TSchedaAnagrafica.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything the program folder holds about one registry card: the record at its position, the
// photo, the attached files, the side data, the group groupSlots holding the person's name and the
// registry export files that list every card.
struct PersonInventory {
    struct Attachment {
        QString name; // as the card stores it
        QString path; // the file in Documenti_Allegati; empty when the name would leave the folder
        bool present = false;
        bool shared = false; // another card names the same file: it stays
    };

    int position = 0;
    TSchedaAnagrafica card;
    QStringList photoFiles; // the card's photo file and the stale copies of it
    QList<Attachment> attachments;
    QList<GroupSlots::Slot> groupSlots;
    QStringList exportFiles; // the registry export files of the program folder
    QStringList sideData;    // the lines of the side data sources

    // The card's photo file when it exists (not a stale copy of it), or an empty path.
    QString photoFile() const;
    // The trimmed name on the card.
    QString name() const;
    QString codiceFiscale() const;
    // Reads it all. Throws ArchiveError when an archive cannot be read or the position is not in
    // the registry.
    static PersonInventory read(const QString& programFolder, int position, const PersonSideDataList& side);
    // The files the erase removes (photo, attachments not shared, export files), those that exist.
    QStringList filesToRemove() const;
};
