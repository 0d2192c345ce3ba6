#pragma once

#include "backup/BackupProgress.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Brings the files of a backup back into a folder: first unpacked beside them and checked,
// then moved into place and checked again against the manifest.
namespace BackupRestorer {

struct Esito {
    enum class Stato { Fatto, Annullato, Fallito };
    Stato stato = Stato::Fallito;
    QString messaggio; // for Fallito: the "Attenzione: ..." message to show
    int numeroFile = 0;
    QStringList rifiutati; // entries of the backup that are no data file of the program, not written
};

// A new folder beside the program folder: "Folvara_ripristino_YYYY-MM-DD_HHMMSS".
QString cartellaPredefinita(const QString& cartellaProgramma, const QDateTime& quando);

// Only the program's own data files are written (BackupContent::delProgramma): any other entry
// of the backup is left out and named in rifiutati, so a backup never replaces the program, its
// libraries, translations or guide. Files of the kinds a backup holds that the backup does not
// list are removed from the folder, so that it holds exactly what was saved. Nothing is written
// outside the folder; a folder the restore had to create is removed again when it fails.
Esito ripristina(const QString& zipPath, const QString& cartella, const BackupProgress& progress = {});

} // namespace BackupRestorer
