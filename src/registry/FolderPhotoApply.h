#pragma once

#include "registry/FolderPhotoMatch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What "Applica" did: the photos written, those that could not be, those not ticked, those left out.
struct FolderPhotoReport {
    int written = 0;
    QStringList failed;    // "file: reason"
    QStringList notTicked; // "file: what the card keeps", photos the user did not tick
    QStringList skipped;   // "file: outcome"
    int leftByCancel = 0;  // ticked photos not written because the user cancelled
    QList<int> positions;  // the cards that got a new photo
    QString text() const;
};

namespace FolderPhotoApply {
// Called before each photo with the photos done so far; false stops before the next one.
using Progress = std::function<bool(int done, int total)>;
// Writes the photo of every ticked row as its card's photo, cut to 3:4 around the face by the
// suggested crop. Each card is read again under the registry's lock and the photo is written
// while the lock is held, only when the card still answers to the file's name; every photo file
// is replaced whole or left as it was. Rows written become Scritta, failures NonScritta, unticked.
FolderPhotoReport apply(const QString& programFolder, QList<FolderPhotoRow>& rows,
                        const Progress& progress = {});
} // namespace FolderPhotoApply
