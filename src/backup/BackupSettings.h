#pragma once

#include <QDateTime>
#include <QString>

// The backup settings, kept in Backup.ini in the program folder.
struct BackupSettings {
    static constexpr int kConservaPredefinito = 10;
    static constexpr int kPromemoriaPredefinito = 7;

    QString cartella;                              // where backups go
    int conserva = kConservaPredefinito;           // backups kept by the rotation
    int promemoriaGiorni = kPromemoriaPredefinito; // 0: no reminder at exit
    QDateTime ultimoVerificato;                    // the last backup made and checked

    static QString file(const QString& cartellaProgramma);
    // A folder beside the program folder, used until the user chooses one.
    static QString cartellaPredefinita(const QString& cartellaProgramma);
    static BackupSettings leggi(const QString& cartellaProgramma);
    bool scrivi(const QString& cartellaProgramma) const;

    // At exit: true when there is something to save and the last checked backup is older than the
    // reminder's days (or there is none).
    bool promemoriaDovuto(const QString& cartellaProgramma, const QDateTime& adesso) const;
};
