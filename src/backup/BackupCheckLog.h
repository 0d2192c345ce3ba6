#pragma once

#include "backup/BackupVerifier.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// The last full check of each backup of a folder, kept in a side file of that folder so that the
// list shows what was found without reading every backup again. A result holds only while the
// backup has the size and modification time it had when checked.
class BackupCheckLog {
public:
    struct Risultato {
        BackupVerifier::Stato stato = BackupVerifier::Stato::NonVerificato;
        QString motivo;
        QDateTime quando; // when the check was made
    };

    // "Folvara_verifiche.json"
    static QString nomeFile();

    // Reads the side file of the folder; a missing or unreadable file is an empty log.
    explicit BackupCheckLog(const QString& cartella);

    // The last check of the backup, when the file has not changed since.
    std::optional<Risultato> risultato(const QString& nome) const;
    // Records a check of the backup as it is now on disk. Integro, Danneggiato and Incompleto
    // are recorded; any other state forgets the earlier result.
    void registra(const QString& nome, BackupVerifier::Stato stato, const QString& motivo,
                  const QDateTime& quando);
    // Writes the side file whole, leaving out the backups no longer in the folder.
    bool scrivi(QString* motivo = nullptr) const;

    // Records the check of one backup in the side file of its folder at once.
    static bool annota(const QString& zipPath, BackupVerifier::Stato stato, const QString& motivo,
                       const QDateTime& quando = QDateTime::currentDateTime());

private:
    struct Voce {
        qint64 dimensione = -1;
        qint64 modificato = 0; // ms since the epoch, UTC
        Risultato risultato;
    };

    QString m_cartella;
    QHash<QString, Voce> m_voci;
};
