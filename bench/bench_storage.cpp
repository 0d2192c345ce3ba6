// Scanning the registry archive against reading the same file raw from the page cache.
#include "BenchTimer.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr int kCards = 100000;

void writeArchive(const QString& path)
{
    TSchedaAnagrafica scheda;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    for (int i = 0; i < kCards; ++i) {
        scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona numero %1").arg(i));
        scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("Nota della scheda %1").arg(i));
        scheda.setRicontatta(i % 3 == 0);
        file.write(scheda.buffer());
    }
}

qint64 readRaw(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    qint64 got = 0;
    while ((got = file.read(chunk.data(), chunk.size())) > 0)
        total += got + static_cast<unsigned char>(chunk.at(0));
    return total;
}

int scan(const QString& path, bool decode)
{
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    TSchedaAnagrafica scheda;
    int seen = 0;
    while (!archive.FineArchivio()) {
        archive.LeggiScheda(scheda.buffer());
        if (decode)
            seen += scheda.testo(TSchedaAnagrafica::Candidato).size();
        else
            seen += scheda.buffer().at(0);
    }
    archive.ChiudiArchivio();
    return seen;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    writeArchive(path);
    volatile qint64 sink = readRaw(path); // warm the page cache

    const double raw = bestOf(5, [&] { sink = sink + readRaw(path); });
    const double scanned = bestOf(5, [&] { sink = sink + scan(path, false); });
    const double decoded = bestOf(5, [&] { sink = sink + scan(path, true); });
    std::printf("Archive of %d person records (%lld bytes)\n\n", kCards, QFile(path).size());
    printRatio("Scan with LeggiScheda", scanned, "Raw read of the file", raw, 1.5);
    printRatio("Scan with LeggiScheda and one field decoded", decoded, "Raw read of the file", raw, 1.5);
    return 0;
}
