#pragma once

#include "backup/BackupManifest.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TSchedaGruppo.h"
#include "support/TestFiles.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

// A program folder with data of every kind a backup holds, and the test's own hashes of it.
namespace BackupFixture {

inline QByteArray casuali(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

inline QByteArray registro(int schede, const QString& tag = QStringLiteral("Persona"))
{
    QByteArray bytes;
    for (int i = 0; i < schede; ++i) {
        TSchedaAnagrafica scheda;
        scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("%1 %2 Cantù").arg(tag).arg(i));
        scheda.setRicontatta(i % 2 == 0);
        bytes += scheda.buffer();
    }
    return bytes;
}

inline void scrivi(const QString& folder, const QString& relativo, const QByteArray& bytes)
{
    QVERIFY(QDir(folder).mkpath(QFileInfo(QDir(folder).filePath(relativo)).absolutePath()));
    TestFiles::writeAll(QDir(folder).filePath(relativo), bytes);
}

// Cards, a group, photos (one is a real JPEG of the corpus when present), attachments with
// accented names, the password file and a settings file. `extra` bytes of noise per photo.
inline void riempi(const QString& folder, int photoBytes = 20000)
{
    scrivi(folder, QStringLiteral("Archivio_Anagrafico.fvd"), registro(40));
    TSchedaGruppo pagina;
    pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("Rossi Maria"));
    scrivi(folder, QStringLiteral("Gita a Roma.fvg"), pagina.buffer() + pagina.buffer());
    for (int i = 1; i <= 5; ++i)
        scrivi(folder, QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(i), casuali(photoBytes, i));
    scrivi(folder, QStringLiteral("Foto_Gruppo/Gita a Roma_Foto_A_1.jpg"), casuali(photoBytes, 77));
    scrivi(folder, QStringLiteral("Documenti_Allegati/Carta d'identità.pdf"), casuali(3000, 99));
    scrivi(folder, QStringLiteral("Documenti_Allegati/Note.txt"), QByteArray(5000, 'x'));
    scrivi(folder, QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=4F2A\r\n");
    scrivi(folder, QStringLiteral("Importazione.ini"), "[Colonne]\r\nCognome=0\r\n");
}

// Every file under the folder with its SHA-256, computed here and not by the code under test.
inline QMap<QString, QByteArray> impronte(const QString& folder)
{
    QMap<QString, QByteArray> result;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        result.insert(QDir(folder).relativeFilePath(path),
                      QCryptographicHash::hash(TestFiles::readAll(path), QCryptographicHash::Sha256).toHex());
    }
    return result;
}

inline void svuota(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFileInfo info(dir.filePath(name));
        if (info.isDir())
            QVERIFY(QDir(info.absoluteFilePath()).removeRecursively());
        else
            QVERIFY(QFile::remove(info.absoluteFilePath()));
    }
}

// A zip holding the given entries as they are, with no check of what they say.
inline void scriviZip(const QString& path, const QList<QPair<QString, QByteArray>>& voci)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto& [nome, bytes] : voci) {
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(nome)));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
    }
    zip.close();
    QCOMPARE(zip.getZipError(), 0);
}

// The manifest that lists the entries truthfully.
inline QByteArray manifestDi(const QList<QPair<QString, QByteArray>>& voci, const QDateTime& creato)
{
    BackupManifest manifest;
    manifest.creato = creato;
    for (const auto& [nome, bytes] : voci)
        manifest.voci.append(
            {nome, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()});
    return manifest.json();
}

// A backup of the given entries, made elsewhere than by the program, with a truthful manifest.
inline void scriviBackup(const QString& path, const QList<QPair<QString, QByteArray>>& voci,
                         const QDateTime& creato)
{
    scriviZip(path, voci + QList<QPair<QString, QByteArray>>{
                               {QString::fromLatin1(BackupManifest::kNome), manifestDi(voci, creato)}});
}

} // namespace BackupFixture
