#pragma once

#include "backup/BackupProgress.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// Makes one backup of the program folder: a zip of its data files with a manifest, written
// under a temporary name, read back and checked, then given its final name.
class BackupWriter {
public:
    struct Esito {
        enum class Stato { Fatto, Annullato, Fallito };
        Stato stato = Stato::Fallito;
        QString messaggio; // for Fallito: the "Attenzione: ..." message to show
        QString file;      // the backup made
        int numeroFile = 0;
        qint64 byte = 0;
        QStringList eliminati; // older backups removed by the rotation
    };

    BackupWriter(const QString& cartellaProgramma, const QString& cartellaBackup);

    // Keeps the newest `conserva` backups once the new one is checked; 0 keeps them all.
    void setConserva(int conserva) { m_conserva = conserva; }

    Esito esegui(const QDateTime& quando, const BackupProgress& progress = {});

    // "" when backups can be written into the folder; otherwise the warning to show.
    static QString problemaCartella(const QString& cartellaProgramma, const QString& cartellaBackup);
    // As problemaCartella, after creating the folder when it is missing and the folder it goes in
    // exists (the proposed folder beside the program folder, at its first use). A folder whose drive
    // is gone is not made anew somewhere else.
    static QString preparaCartella(const QString& cartellaProgramma, const QString& cartellaBackup);

private:
    QString m_programma;
    QString m_cartella;
    int m_conserva = 0;
};
