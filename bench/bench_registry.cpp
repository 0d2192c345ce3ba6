// Timing of the registry editor: one browsing step on a large archive against a small one,
// a large photo shown in the photo box against decoding it alone, and the peak memory of
// loading a 100-megapixel photo.

#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/ShellOpener.h"
#include "registry/Candidati.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/PhotoBox.h"

#include "support/TestEnvironment.h"

#include "BenchBrowse.h"
#include "BenchClick.h"
#include "BenchTimer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A registry of `count` cards in `folder`, with photo files for the cards around `around`.
void makeRegistry(const QString& folder, int count, int around, const QImage& photo)
{
    QFile file(folder + QStringLiteral("Archivio_Anagrafico.fvd"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray block;
    for (int i = 1; i <= count; ++i) {
        TSchedaAnagrafica card;
        card.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona %1").arg(i));
        card.setTesto(TSchedaAnagrafica::Email, QStringLiteral("persona%1@esempio.it").arg(i));
        card.setTesto(TSchedaAnagrafica::Note, QString(200, QLatin1Char('n')));
        card.setRicontatta(i % 2 == 0);
        block += card.buffer();
        if (block.size() > (4 << 20) || i == count) {
            file.write(block);
            block.clear();
        }
    }
    file.close();
    writePhotosAround(folder, around, photo);
}

} // namespace

// Run as a child: loads one photo and prints the peak memory the load added, in bytes.
int measurePhotoPeak(const QString& path)
{
    const qint64 before = peakMemoryKb() * 1024;
    const QImage photo = PhotoFiles::load(path);
    const qint64 after = peakMemoryKb() * 1024;
    if (photo.isNull() || before < 0)
        return 1;
    std::printf("%lld\n", static_cast<long long>(after - before));
    return 0;
}

// The peak memory of loading a 100-megapixel phone photo, against its pixels alone.
void reportLargePhotoPeak(const QString& program, const QString& folder, QTextStream& out)
{
    const QSize size(12500, 8000);
    const QString path = folder + QStringLiteral("/cento_megapixel.jpg");
    {
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(QColor(0x80, 0x90, 0xA0));
        QPainter(&photo).drawEllipse(photo.rect().adjusted(500, 500, -500, -500));
        PhotoFiles::save(photo, path);
    }
    QProcess child;
    child.start(program, {QStringLiteral("--photo-peak"), path});
    child.waitForFinished(120000);
    const qint64 added = child.readAllStandardOutput().trimmed().toLongLong();
    const double pixels = double(size.width()) * size.height() * 4;
    out << "100-megapixel JPEG (" << size.width() << " x " << size.height() << ") loaded\n";
    if (child.exitCode() != 0 || added <= 0) {
        out << "  peak memory: not measured on this system\n";
        return;
    }
    out << "  peak memory added by the load: " << QString::number(added / 1048576.0, 'f', 0) << " MiB\n";
    out << "  its pixels alone (4 bytes each): " << QString::number(pixels / 1048576.0, 'f', 0) << " MiB\n";
    out << "  ratio: " << QString::number(added / pixels, 'f', 2) << " (goal <= 1.30)\n";
    QFile::remove(path);
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--photo-peak") == 0) {
        QGuiApplication app(argc, argv);
        return measurePhotoPeak(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TestEnvironment largeEnv;
    TestEnvironment smallEnv;

    const QImage photo = cardPhoto();

    // 1. One browsing step: cmdAvanti with its photo, on 100,000 cards against 10.
    makeRegistry(largeEnv.folder(), 100000, 50000, photo);
    makeRegistry(smallEnv.folder(), 10, 5, photo);

    TfrmCandidati largeScreen(largeEnv.context);
    TfrmCandidati smallScreen(smallEnv.context);
    const int runs = 200;
    const double smallStep = timeBrowsingStep(smallScreen, 5, runs);
    const double largeStep = timeBrowsingStep(largeScreen, 50000, runs);

    // 2. A 6000 x 4000 JPEG loaded into the photo box until painted, against decoding it alone.
    QImage big(6000, 4000, QImage::Format_RGB32);
    {
        QPainter painter(&big);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        painter.fillRect(big.rect(), gradient);
        painter.setPen(QPen(Qt::white, 9));
        for (int x = 0; x < 6000; x += 37)
            painter.drawLine(x, 0, 6000 - x, 4000);
    }
    const QString bigPath = dir.path() + QStringLiteral("/grande.jpg");
    PhotoFiles::save(big, bigPath);
    big = QImage();

    QWidget* btnCaricaFoto = smallScreen.findChild<QWidget*>(QStringLiteral("btnCaricaFoto"));
    const auto nothing = [] {};
    const auto clear = [&] {
        smallScreen.imgFoto()->setPicture(QImage());
        smallEnv.fileDialogs.nextNames = {bigPath};
    };
    const auto decode = [&] {
        QImageReader reader(bigPath);
        const QImage image = reader.read();
        if (image.size() != QSize(6000, 4000))
            std::fprintf(stderr, "decoding failed\n");
    };
    const auto showAndPaint = [&] {
        click(btnCaricaFoto);
        const QPixmap painted = smallScreen.imgFoto()->grab();
        if (painted.isNull() || smallScreen.imgFoto()->picture().size() != QSize(6000, 4000))
            std::fprintf(stderr, "the photo was not shown\n");
    };
    const int photoRuns = 15;
    median(2, nothing, decode);
    median(2, clear, showAndPaint);
    const double decodeAlone = median(photoRuns, nothing, decode);
    const double shown = median(photoRuns, clear, showAndPaint);

    QTextStream out(stdout);
    out << "registry browsing step (cmdAvanti with its photo), median of " << runs << " runs\n";
    out << "  10 cards:      " << QString::number(smallStep, 'f', 3) << " ms\n";
    out << "  100,000 cards: " << QString::number(largeStep, 'f', 3) << " ms\n";
    out << "  ratio large/small: " << QString::number(largeStep / smallStep, 'f', 2) << " (goal <= 1.20)\n";
    out << "6000 x 4000 JPEG, median of " << photoRuns << " runs\n";
    out << "  decoded alone (QImageReader): " << QString::number(decodeAlone, 'f', 1) << " ms\n";
    out << "  loaded into the photo box and painted: " << QString::number(shown, 'f', 1) << " ms\n";
    out << "  ratio shown/decoded: " << QString::number(shown / decodeAlone, 'f', 2) << " (goal <= 1.30)\n";
    reportLargePhotoPeak(QCoreApplication::applicationFilePath(), dir.path(), out);
    return 0;
}
