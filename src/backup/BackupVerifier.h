#pragma once

#include "backup/BackupManifest.h"
#include "backup/BackupProgress.h"

#include <QString>

// Checks a backup zip against its manifest.
namespace BackupVerifier {

enum class Stato { Integro, Danneggiato, Incompleto, Annullato };

struct Esito {
    Stato stato = Stato::Danneggiato;
    QString motivo; // why it is not whole, in the words of the message
    QString file;   // the file found damaged or missing, when there is one
    BackupManifest manifest;
    qint64 byte = 0; // the bytes of the files, uncompressed
};

// With completa, every file is read back and its size and SHA-256 compared with the manifest;
// without, only the zip's directory is compared with it (no file is read).
Esito verifica(const QString& zipPath, bool completa, const BackupProgress& progress = {});

QString nomeStato(Stato stato);

} // namespace BackupVerifier
