#pragma once

#include "backup/BackupVerifier.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The backups of a backup folder: their names, their list and their rotation.
namespace BackupFolder {

// "Folvara_backup_YYYY-MM-DD_HHMMSS.zip"
QString nomePer(const QDateTime& quando);
// The moment in the name of a backup; invalid for any other name.
QDateTime dataDi(const QString& nome);
// A name not yet used in the folder, at the moment given or the first free second after it.
QString nomeLibero(const QString& cartella, const QDateTime& quando);
// The suffix of a backup still being written.
inline QString suffissoParziale()
{
    return QStringLiteral(".part");
}

struct Voce {
    QString nome;
    QString percorso;
    QDateTime data;
    qint64 dimensione = 0; // of the zip file
    int numeroFile = 0;
    BackupVerifier::Stato stato = BackupVerifier::Stato::Danneggiato;
    QString motivo;
    QDateTime verificato; // the last full check that still holds; invalid when there is none
};

// The backups in the folder, newest first, each checked against its manifest without reading
// its files and given the result of its last full check while the file has not changed since
// (else "non verificato"); a backup left half-written by an interrupted run is "incompleto".
QList<Voce> elenco(const QString& cartella);
// The backups (whole names) in the folder, newest first.
QStringList nomi(const QString& cartella);

// Keeps the newest `conserva` backups counting `nuovo`, which is never deleted; the older ones are
// deleted. Returns the names deleted.
QStringList ruota(const QString& cartella, int conserva, const QString& nuovo);

} // namespace BackupFolder
