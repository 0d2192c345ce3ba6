#pragma once

#include "backup/BackupManifest.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class PieceBuffers;
class QIODevice;
class QuaZip;

// Reading and writing the entries of a backup zip through QuaZip.
namespace ZipEntries {

// The compression of a file in the zip: photos and other compressed formats are stored as they are.
bool compresso(const QString& nome);
int livello(const QString& nome);

// Reads the current entry of the zip piece by piece, into the buffers in turn, and hands each
// piece to sink, checking the CRC at the end. sink answers false to stop. Returns false on a read
// or CRC error (errore says why) or a stop.
bool leggiCorrente(QuaZip& zip, PieceBuffers& buffers, const std::function<bool(QByteArrayView)>& sink,
                   QString& errore);

// Makes the entries of the zip listed in the manifest current one after the other, in the zip's
// order, and calls visit on each; visit answers false to stop. False when stopped.
bool perOgniVoce(QuaZip& zip, const BackupManifest& manifest,
                 const std::function<bool(const BackupManifest::Voce&)>& visit);

// Writes every byte, writing again after a short write: a file reports why it cannot take more
// (a full disk) only on the write that takes nothing. False on that error.
bool scriviTutto(QIODevice& device, const char* data, qint64 size);

} // namespace ZipEntries
