#pragma once

#include "backup/BackupManifest.h"
#include "backup/BackupProgress.h"

#include <QString>

// Checks a backup zip against its manifest.
namespace BackupVerifier {

// NonVerificato: the zip's directory agrees with the manifest, but its files were not read back
// since the file last changed. PiuRecente: made by a later version of the program.
enum class Stato { Integro, Danneggiato, Incompleto, Annullato, NonVerificato, PiuRecente };

struct Esito {
    Stato stato = Stato::Danneggiato;
    QString motivo; // why it is not whole, in the words of the message
    QString file;   // the file found damaged or missing, when there is one
    BackupManifest manifest;
    qint64 byte = 0; // the bytes of the files, uncompressed
};

enum class Controllo {
    Indice,  // the zip's directory against the manifest; no file is read
    Crc,     // and every file read back, its size and the zip's CRC checked (a zip just written
             // from the bytes whose SHA-256 the manifest holds)
    Completo // and the SHA-256 of every file against the manifest
};

Esito verifica(const QString& zipPath, Controllo controllo, const BackupProgress& progress = {});

QString nomeStato(Stato stato);

} // namespace BackupVerifier
