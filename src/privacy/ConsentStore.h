#pragma once

#include "privacy/ConsentFile.h"

#include <QString>

#include <optional>

// The consents of the registry's cards in their side file beside the registry archive,
// "Archivio_Anagrafico_Consensi.txt". Reading needs no lock: the file is always replaced whole.
// Every change is a read-modify-write of the whole file under the registry archive's lock
// (ArchiveLock), so that two workstations never lose each other's entries.
namespace ConsentStore {

QString fileName();
QString path(const QString& programFolder);

// The book of the program folder; a missing file is an empty book, a file that cannot be read
// a book with Problem::Unreadable. Never throws.
ConsentBook read(const QString& programFolder);
// One card's entry; nothing when the file holds none (or cannot be read).
std::optional<Consent> read(const QString& programFolder, int position);

enum class Outcome {
    Saved,
    Changed, // another workstation changed the card's entry since it was read: nothing written
    Newer,   // the file comes from a newer version: nothing written
    Failed,  // reason tells why; the file is as it was
};

// Writes one card's entry. asRead: the entry as the caller read it (holding nothing: there was
// none); when the file now holds another one, Changed is returned and current gets it. With a null
// asRead the entry is overwritten whatever it holds.
Outcome save(const QString& programFolder, const Consent& consent, const std::optional<Consent>* asRead,
             QString* reason = nullptr, std::optional<Consent>* current = nullptr);

// Removes every entry of the card (a file without one stays untouched), then, the file being whole,
// the temporary files that writes stopped midway left beside it (they may hold the card's entry);
// leftoversRemoved gets their count. Takes the registry archive's lock: call it while not holding
// that lock. False when the file cannot be written or the lock not taken; reason tells why.
bool remove(const QString& programFolder, int position, QString* reason = nullptr,
            int* leftoversRemoved = nullptr);
// The same for a caller that holds the registry archive's lock already.
bool removeHolding(const QString& programFolder, int position, QString* reason = nullptr,
                   int* leftoversRemoved = nullptr);
// Removes the temporary files that writes stopped midway left beside the file, under the registry
// archive's lock so that no write is going on; the count removed. A file that cannot be read
// keeps them.
int removeLeftovers(const QString& programFolder, QStringList* notRemoved = nullptr);

// The card's consents as CSV for the person's own copy of their data (see consentCsv), every text
// whole.
QByteArray personCsv(const QString& programFolder, int position);

// The warning for a damaged, newer or unreadable file, given once per program run for each
// state of the file; empty when there is nothing (more) to say.
QString warningOnce(const ConsentBook& book);

} // namespace ConsentStore
