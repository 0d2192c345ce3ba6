// Timing of the photo crop. (1) Finding the face and cutting the card's photo for 200 photos of
// 12 megapixels, against decoding the same 200 photos alone; the peak memory is printed along the
// way and must stay flat. (2) Opening the crop window on a 24-megapixel photo until it is drawn,
// against decoding that photo alone.

#include "BenchTimer.h"

#include "photos/PhotoCrop.h"
#include "platform/AppContext.h"
#include "storage/PhotoFiles.h"
#include "widgets/CropStep.h"
#include "widgets/Ritaglio.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kPhotos = 200;
constexpr int kSources = 6;

// A phone-like photo: the portrait of the tests placed at a different spot each time, over a
// textured ground that does not compress to nothing.
QImage fotografia(const QImage& portrait, QSize size, int n)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(n + 1);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int v = 120 + int(random.bounded(40)) + (x + y) / 200 % 40;
            line[x] = qRgb(v, v + 10, v + 20);
        }
    }
    QPainter painter(&picture);
    const int side = size.height() * (5 + n % 3) / 10;
    painter.drawImage(QRect((size.width() - side) * (n % 4) / 3, size.height() / 10, side, side), portrait);
    return picture;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0); // each figure as soon as it is measured
    const QImage portrait(QStringLiteral(FOLVARA_BENCH_PORTRAIT));
    if (portrait.isNull()) {
        std::fprintf(stderr, "no portrait at %s\n", FOLVARA_BENCH_PORTRAIT);
        return 1;
    }
    QTemporaryDir dir;
    QStringList files;
    for (int n = 0; n < kSources; ++n) {
        const QSize size = n % 2 ? QSize(4000, 3000) : QSize(3000, 4000);
        const QString file = dir.filePath(QStringLiteral("foto_%1.jpg").arg(n));
        if (!PhotoFiles::save(fotografia(portrait, size, n), file))
            return 1;
        files.append(file);
    }

    // The baseline and the measured work alternate, so that the load of the machine weighs on both alike.
    // (2) The crop window on 24 megapixels.
    const QString large = dir.filePath(QStringLiteral("grande.jpg"));
    if (!PhotoFiles::save(fotografia(portrait, QSize(6000, 4000), 1), large))
        return 1;
    AppContext context;
    double decodeLarge = 1e300;
    double window = 1e300;
    for (int run = 0; run < 5; ++run) {
        decodeLarge = std::min(decodeLarge, bestOf(1, [&] { PhotoFiles::load(large); }));
        window = std::min(window, bestOf(1, [&] {
                              const QImage picture = PhotoFiles::load(large);
                              TfrmRitaglio screen(
                                  context, nullptr,
                                  CropStep::request(picture, QSize(3, 4), PhotoCrop::kCardMinimum));
                              screen.show();
                              screen.grab(); // drawn
                              screen.hide();
                          }));
    }
    printRatio("decode + open the crop window until drawn, 24 megapixels", window,
               "decode alone, 24 megapixels", decodeLarge, 1.3);

    // (1) 200 photos of 12 megapixels.
    std::printf("%d photos of 12 megapixels (%d files read in turn)\n", kPhotos, kSources);
    double decoding = 0;
    double cropping = 0;
    int faces = 0;
    for (int i = 0; i < kPhotos; ++i) {
        const QString& file = files[i % kSources];
        decoding += bestOf(1, [&] {
            if (PhotoFiles::load(file).isNull())
                std::fprintf(stderr, "not decoded\n");
        });
        cropping += bestOf(1, [&] {
            const QImage picture = PhotoFiles::load(file);
            const PhotoCrop::Suggestion suggestion = PhotoCrop::suggest(picture, QSize(3, 4));
            faces += suggestion.faceFound ? 1 : 0;
            if (PhotoCrop::cropped(picture, suggestion.frame, PhotoCrop::cardSize(suggestion.frame.size()))
                    .isNull())
                std::fprintf(stderr, "not cropped\n");
        });
        if ((i + 1) % 50 == 0)
            std::printf("  after %3d photos: resident %6lld kB, peak %6lld kB\n", i + 1, memoryKb("VmRSS:"),
                        peakMemoryKb());
    }
    std::printf("  faces found in %d of %d photos\n", faces, kPhotos);
    printRatio("decode + find the face + cut the card photo, 200 photos", cropping,
               "decode alone, 200 photos", decoding, 1.5);
    return 0;
}
