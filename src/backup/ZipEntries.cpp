#include "backup/ZipEntries.h"

#include "backup/HashPipe.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QFileInfo>
#include <QHash>
#include <QIODevice>

bool ZipEntries::compresso(const QString& nome)
{
    static const QStringList kCompressi = {
        QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("png"),  QStringLiteral("gif"),
        QStringLiteral("zip"),  QStringLiteral("7z"),   QStringLiteral("rar"),  QStringLiteral("gz"),
        QStringLiteral("docx"), QStringLiteral("xlsx"), QStringLiteral("pptx"), QStringLiteral("odt"),
        QStringLiteral("ods"),  QStringLiteral("mp3"),  QStringLiteral("mp4"),  QStringLiteral("webp")};
    return kCompressi.contains(QFileInfo(nome).suffix().toLower());
}

int ZipEntries::livello(const QString& nome)
{
    return compresso(nome) ? 0 : 1;
}

bool ZipEntries::perOgniVoce(QuaZip& zip, const BackupManifest& manifest,
                             const std::function<bool(const BackupManifest::Voce&)>& visit)
{
    QHash<QString, const BackupManifest::Voce*> voci;
    for (const BackupManifest::Voce& voce : manifest.voci)
        voci.insert(voce.percorso, &voce);
    for (bool altro = zip.goToFirstFile(); altro; altro = zip.goToNextFile()) {
        const BackupManifest::Voce* voce = voci.value(zip.getCurrentFileName());
        if (voce && !visit(*voce))
            return false;
    }
    return true;
}

bool ZipEntries::leggiCorrente(QuaZip& zip, PieceBuffers& buffers,
                               const std::function<bool(QByteArrayView)>& sink, QString& errore)
{
    QuaZipFile voce(&zip);
    if (!voce.open(QIODevice::ReadOnly)) {
        errore = QStringLiteral("non si può aprire nel file zip");
        return false;
    }
    for (;;) {
        QByteArray& pezzo = buffers.next();
        const qint64 letti = voce.read(pezzo.data(), pezzo.size());
        if (letti < 0) {
            errore = QStringLiteral("non si può leggere nel file zip");
            return false;
        }
        if (letti == 0)
            break;
        if (!sink(QByteArrayView(pezzo.constData(), letti)))
            return false;
    }
    voce.close();
    if (voce.getZipError() != UNZ_OK) {
        errore = QStringLiteral("il controllo CRC del file zip non corrisponde");
        return false;
    }
    return true;
}

bool ZipEntries::scriviTutto(QIODevice& device, const char* data, qint64 size)
{
    qint64 scritti = 0;
    while (scritti < size) {
        const qint64 fatti = device.write(data + scritti, size - scritti);
        if (fatti <= 0)
            return false;
        scritti += fatti;
    }
    return true;
}
