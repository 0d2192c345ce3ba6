#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The list of the files a backup holds, stored in the zip as MANIFEST.json.
struct BackupManifest {
    struct Voce {
        QString percorso; // relative to the program folder, with '/'
        qint64 dimensione = 0;
        QByteArray sha256; // 64 lowercase hexadecimal characters
    };

    static constexpr const char* kNome = "MANIFEST.json";
    // The manifest version this program writes and reads.
    static constexpr int kVersione = 1;

    enum class Lettura { Letto, Illeggibile, PiuRecente };

    QDateTime creato;
    QList<Voce> voci;

    QByteArray json() const;
    // Illeggibile for text that is not a manifest of this program, PiuRecente for the manifest of a
    // later version of it; errore says why.
    static Lettura leggi(const QByteArray& json, BackupManifest& manifest, QString& errore);
    // A relative path that stays inside the folder it is written to: no "..", no ".", no empty
    // part, no absolute path, drive letter or backslash, no control character.
    static bool percorsoSicuro(const QString& percorso);
};
