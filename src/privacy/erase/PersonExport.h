#pragma once

#include "privacy/erase/PersonInventory.h"
#include "privacy/erase/PersonSideData.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The data held on one person, in one zip: the card as PDF and as a CSV line with the headers of
// the registry export and the attachments, the photo, the attached files, the side data, the photos of the
// group groupSlots holding the person's name and the list of those groupSlots (group, page, slot).
class PersonExport {
public:
    struct Entry {
        QString name;     // inside the zip
        QByteArray bytes; // the content, or
        QString file;     // a file copied as it is
    };

    // The entries of the person's zip. Throws Report::Error when the card cannot be drawn.
    static QList<Entry> entries(const QString& programFolder, const PersonInventory& inventory,
                                const PersonSideDataList& side);

    // The card as CSV: the headers of the .xlsx and .ods export (Sesso among them) and of the three
    // attached files with their descriptions, then the card's line; UTF-8 with a byte order mark,
    // fields separated by ';' and quoted where needed, lines ended by CR LF.
    static QByteArray csv(const TSchedaAnagrafica& card);
    // The groupSlots of group pages with the person's name: "Gruppo;Pagina;Riquadro" and one line each.
    static QByteArray groupPages(const QList<GroupSlots::Slot>& groupSlots);
    // The card as a one-page PDF. Throws Report::Error.
    static QByteArray cardPdf(const QString& programFolder, const PersonInventory& inventory);

    // The name proposed for the zip: "Dati_<name>.zip", fit for every file system.
    static QString proposedName(const QString& personName);

    enum class Outcome { Written, Cancelled, Failed };
    // Called after each entry; false cancels.
    using Progress = std::function<bool(int done, int total)>;
    // Writes the zip whole through a temporary file: on a failure or a cancel nothing is left at
    // path and an earlier file there stays as it was.
    static Outcome save(const QString& path, const QList<Entry>& entries, const Progress& progress = {},
                        QString* errorString = nullptr);
};
