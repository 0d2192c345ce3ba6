// A backup of a large program folder against zipping the same files with QuaZip alone, and its
// verification against reading the zip alone.
#include "BenchTimer.h"
#include "backup/BackupVerifier.h"
#include "backup/BackupWriter.h"
#include "backup/ZipEntries.h"
#include "storage/TSchedaAnagrafica.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int kCards = 100000;
constexpr int kPhotos = 2000;
constexpr int kAttachments = 200;

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray noise(int size, QRandomGenerator& random)
{
    QByteArray bytes(size, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

void fill(const QDir& folder)
{
    QFile archive(folder.filePath(QStringLiteral("Archivio_Anagrafico.fvd")));
    if (!archive.open(QIODevice::WriteOnly))
        qFatal("cannot write the archive");
    TSchedaAnagrafica scheda;
    for (int i = 0; i < kCards; ++i) {
        scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona numero %1").arg(i));
        scheda.setTesto(TSchedaAnagrafica::Email, QStringLiteral("persona%1@example.it").arg(i));
        scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("Nota della scheda %1").arg(i));
        scheda.setRicontatta(i % 3 == 0);
        archive.write(scheda.buffer());
    }
    QRandomGenerator random(2026);
    // Photos are JPEG files: as good as incompressible.
    for (int i = 1; i <= kPhotos; ++i)
        write(folder.filePath(QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(i)),
              noise(40000, random));
    for (int i = 1; i <= kAttachments; ++i) {
        const bool text = i % 2 == 0;
        const QString name =
            QStringLiteral("Documenti_Allegati/Documento_%1.%2").arg(i).arg(text ? "txt" : "pdf");
        write(folder.filePath(name),
              text ? QByteArray("Riga di un documento allegato.\n").repeated(3000) : noise(100000, random));
    }
    write(folder.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=4F2A\r\n");
}

// The same files into a zip with the same compression, and nothing else.
void zipAlone(const QDir& folder, const QString& zipPath)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdCreate))
        qFatal("cannot create the zip");
    zip.setZip64Enabled(true);
    QDirIterator it(folder.absolutePath(), QDir::Files, QDirIterator::Subdirectories);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = folder.relativeFilePath(path);
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        QuaZipFile out(&zip);
        const int level = ZipEntries::livello(name);
        out.open(QIODevice::WriteOnly, QuaZipNewInfo(name, path), nullptr, 0, level == 0 ? 0 : Z_DEFLATED,
                 level);
        qint64 got = 0;
        while ((got = in.read(chunk.data(), chunk.size())) > 0)
            out.write(chunk.constData(), got);
        out.close();
    }
    zip.close();
}

qint64 readZipAlone(const QString& zipPath)
{
    QuaZip zip(zipPath);
    zip.open(QuaZip::mdUnzip);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        file.open(QIODevice::ReadOnly);
        qint64 got = 0;
        while ((got = file.read(chunk.data(), chunk.size())) > 0)
            total += got;
        file.close();
    }
    return total;
}

void removeZips(QDir folder)
{
    for (const QString& name : folder.entryList({QStringLiteral("*.zip")}, QDir::Files))
        folder.remove(name);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QDir program(root.filePath(QStringLiteral("Folvara")));
    const QDir backups(root.filePath(QStringLiteral("Backup")));
    QDir().mkpath(program.absolutePath());
    QDir().mkpath(backups.absolutePath());
    fill(program);
    const QString plain = backups.filePath(QStringLiteral("solo_quazip.zip"));

    QString made;
    const double alone = bestOf(3, [&] {
        removeZips(backups);
        zipAlone(program, plain);
    });
    QDateTime when(QDate(2026, 1, 1), QTime(8, 0));
    const double backup = bestOf(3, [&] {
        removeZips(backups);
        when = when.addSecs(60);
        const BackupWriter::Esito esito =
            BackupWriter(program.absolutePath(), backups.absolutePath()).esegui(when);
        if (esito.stato != BackupWriter::Esito::Stato::Fatto)
            qFatal("backup failed: %s", qPrintable(esito.messaggio));
        made = esito.file;
    });
    zipAlone(program, plain);
    volatile qint64 sink = readZipAlone(made);
    const double read = bestOf(3, [&] { sink = sink + readZipAlone(made); });
    const double verify = bestOf(3, [&] {
        if (BackupVerifier::verifica(made, BackupVerifier::Controllo::Completo).stato !=
            BackupVerifier::Stato::Integro)
            qFatal("verify failed");
    });

    // The read-back check a backup makes before it takes its name: sizes and the zip's CRC.
    const double readBack =
        bestOf(3, [&] { BackupVerifier::verifica(made, BackupVerifier::Controllo::Crc); });
    std::printf(
        "Program folder: %d cards, %d photos, %d attachments; backup %lld bytes, zip alone %lld bytes\n\n",
        kCards, kPhotos, kAttachments, QFileInfo(made).size(), QFileInfo(plain).size());
    printRatio("Backup (locks, SHA-256, manifest, read back and checked)", backup,
               "The same files zipped with QuaZip alone", alone, 1.5);
    printRatio("Verify (every file against the manifest)", verify, "Reading the zip alone", read, 1.3);
    printRatio("Read-back check of a new backup (sizes and CRC)", readBack, "Reading the zip alone", read,
               1.3);
    return 0;
}
