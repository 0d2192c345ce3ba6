// "Importa foto da cartella": the registry's names read once for 200 photos, against a raw read of
// the archive; the files of a folder of large photos examined for the table, against decoding them.

#include "BenchArchive.h"
#include "BenchTimer.h"

#include "registry/FolderPhotoMatch.h"
#include "registry/FolderPhotoScan.h"
#include "storage/TArchivioSchede.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kCards = 100'000;
constexpr int kFiles = 200;
constexpr int kPhotos = 30;

// A 12-megapixel photo with some detail, so that it compresses like a real one.
QImage photo(int seed)
{
    QImage picture(4000, 3000, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv(seed * 37 % 360, 120, 200));
    QPainter painter(&picture);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv((seed + i) * 53 % 360, 160, 120 + i % 100));
        painter.drawEllipse(QPoint((i * 977) % 4000, (i * 613) % 3000), 40 + i % 90, 30 + i % 70);
    }
    return picture;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = dir.path() + QLatin1Char('/');
    // One card in a thousand is named by a file, one more by a file's codice fiscale.
    const auto named = [](TSchedaAnagrafica& card, int position) {
        if (position % 1000 == 0)
            card.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("ALUNNO%1 ANNA").arg(position / 1000));
        else if (position % 1000 == 500)
            card.setTesto(TSchedaAnagrafica::CodFisc,
                          QStringLiteral("BNCNNA85M41F%1X").arg(position / 1000, 3, 10, QLatin1Char('0')));
    };
    if (!writeCards(TSchedaAnagrafica::archivio(program), kCards, named))
        return 1;
    QStringList names;
    for (int i = 0; i < kFiles / 2; ++i)
        names << QStringLiteral("Anna Alunno%1").arg(i + 1)
              << QStringLiteral("bncnna85m41f%1x").arg(i, 3, 10, QLatin1Char('0'));

    int found = 0;
    const double index = bestOf(3, [&] {
        const RegistryPhotoIndex registry = RegistryPhotoIndex::readRegistry(program, names);
        found = 0;
        for (const QString& name : names)
            found += int(registry.match(name).size());
    });
    const double raw = bestOf(3, [&] { readRaw(TSchedaAnagrafica::archivio(program)); });
    qint64 bytes = 0;
    const double scan = bestOf(3, [&] {
        TArchivioSchede archive;
        archive.ApriOCrea(TSchedaAnagrafica::archivio(program), TSchedaAnagrafica::kSize);
        archive.Posiziona(0);
        for (int i = 0; i < archive.NumeroSchede(); ++i)
            bytes += TSchedaAnagrafica::trimmedBytes(archive.LeggiSchedaVista(), TSchedaAnagrafica::Candidato)
                         .size();
        archive.ChiudiArchivio();
    });
    std::printf("%d photo names against %d cards: %d cards matched\n", kFiles, kCards, found);
    printRatio("names read once and 200 files matched", index, "raw read of the archive", raw, 6.0);
    printRatio("names read once and 200 files matched", index, "a scan of every card's name", scan, 5.0);

    const QDir folder(dir.path());
    QStringList paths;
    for (int i = 0; i < kPhotos; ++i) {
        const QString path = folder.filePath(QStringLiteral("foto%1.jpg").arg(i));
        photo(i).save(path, "JPG", 90);
        paths << path;
    }
    const double examined = bestOf(2, [&] {
        for (const QString& path : paths)
            FolderPhotoFiles::examine(path);
    });
    const double decoded = bestOf(2, [&] {
        for (const QString& path : paths) {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            reader.read();
        }
    });
    printRatio("30 photos of 12 MP examined (kind, thumbnail, crop)", examined, "the same 30 photos decoded",
               decoded, 0.6);
    return 0;
}
