#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// What the program keeps about a card outside the registry archive, its photo and its attachments,
// in side files keyed by the card's position (the consents). The person's export puts it into
// the zip and the erase removes it, asking every source in turn.
class PersonSideData {
public:
    virtual ~PersonSideData() = default;

    struct File {
        QString name; // the path inside the person's zip, with '/' between folders
        QByteArray bytes;
    };
    // What the source holds about the card at the 1-based position, as files for the zip.
    virtual QList<File> exportFiles(const QString& programFolder, int position) const = 0;
    // One line per thing held, shown in the erase's preview; empty when there is nothing.
    virtual QStringList describe(const QString& programFolder, int position) const = 0;
    // Removes all of it; run again after a stop, it removes what is left. Returns how many files
    // were removed (an entry taken out of a file that stays is not one); throws std::exception
    // when something could not be removed.
    virtual int erase(const QString& programFolder, int position) = 0;
};

using PersonSideDataList = std::vector<std::shared_ptr<PersonSideData>>;

// The side data sources of the program (PersonSideDataSources.cpp).
PersonSideDataList personSideData();
