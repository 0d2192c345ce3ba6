// Timing of the group screens: the save of a page of eight large photos against the picture work
// alone, one browsing step on a large group against a small one, and the open-group list filled
// from many group files against a few.

#include "BenchClick.h"
#include "BenchTimer.h"

#include "groups/ApriCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "storage/TSchedaGruppo.h"
#include "widgets/PhotoBox.h"

#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

namespace {

QImage photo(int width, int height, QColor corner)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, corner);
    gradient.setColorAt(1, QColor(0xF0, 0xC0, 0x80));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::white, 7));
    for (int x = 0; x < width; x += width / 60)
        painter.drawLine(x, 0, width - x, height);
    return picture;
}

void writeGroup(const QString& path, int pages)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray block;
    for (int n = 1; n <= pages; ++n) {
        TSchedaGruppo page;
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
            page.setTesto(i, TSchedaGruppo::Nome, QStringLiteral("Persona %1 %2").arg(n).arg(i));
            page.setTesto(i, TSchedaGruppo::Caratteristiche, QString(200, QLatin1Char('n')));
        }
        block += page.buffer();
        if (block.size() > (4 << 20) || n == pages) {
            file.write(block);
            block.clear();
        }
    }
}

void writePhotos(const QString& folder, int from, int to)
{
    QDir().mkpath(FotoGruppo::cartella(folder));
    const QImage small = RidimensionaFoto(photo(600, 800, Qt::darkBlue));
    for (int p = from; p <= to; ++p)
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
            PhotoFiles::save(
                small, FotoGruppo::fotoRiquadro(folder, QStringLiteral("Gruppo"), i, QString::number(p)));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    // 1. Save of a page whose eight slots hold 12-megapixel pictures, from the click to the message,
    //    against the same eight resizes and sixteen JPEG encodings done directly.
    TestEnvironment saveEnv;
    writeGroup(saveEnv.path(QStringLiteral("Gruppo.fvg")), 1);
    TfrmListinoPrezzi saveScreen(saveEnv.context);
    saveScreen.apriGruppo(saveEnv.path(QStringLiteral("Gruppo.fvg")), QStringLiteral("Gruppo"));
    std::array<QImage, TSchedaGruppo::kRiquadri> large;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        large[i] = photo(4000, 3000, QColor::fromHsv(i * 40, 200, 200));
    saveScreen.campo(0, TSchedaGruppo::Nome)->setText(QStringLiteral("Rossi"));
    for (const auto campo :
         {TSchedaGruppo::UM, TSchedaGruppo::Caratteristiche, TSchedaGruppo::Codice, TSchedaGruppo::Prezzo})
        saveScreen.campo(0, campo)->setText(QStringLiteral("x"));
    QWidget* cmdSalva = saveScreen.findChild<QWidget*>(QStringLiteral("cmdSalva"));
    const auto prepareSave = [&] {
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
            saveScreen.imgFoto(i)->setPicture(large[i]);
        saveScreen.lblPosizione()->setText(QStringLiteral("1"));
        saveEnv.messages.clear();
    };
    const auto save = [&] {
        click(cmdSalva);
        if (saveEnv.messages.shown.size() != 1)
            std::fprintf(stderr, "the save gave no single message\n");
    };
    const QString direct = saveEnv.path(QStringLiteral("diretto"));
    QDir().mkpath(direct);
    const auto resizeAndEncode = [&] {
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
            const QImage small = RidimensionaFoto(large[i]);
            PhotoFiles::save(small, direct + QStringLiteral("/foto_%1.jpg").arg(i));
            PhotoFiles::save(small, direct + QStringLiteral("/anteprima_%1.jpg").arg(i));
        }
    };
    const auto nothing = [] {};
    median(1, prepareSave, save);
    median(1, nothing, resizeAndEncode);
    const int saveRuns = 7;
    const double directTime = median(saveRuns, nothing, resizeAndEncode);
    const double saveTime = median(saveRuns, prepareSave, save);

    // 2. One browsing step (Next with its eight photo files) on 10,000 pages against 10.
    TestEnvironment largeEnv;
    TestEnvironment smallEnv;
    writeGroup(largeEnv.path(QStringLiteral("Gruppo.fvg")), 10000);
    writeGroup(smallEnv.path(QStringLiteral("Gruppo.fvg")), 10);
    writePhotos(largeEnv.folder(), 5000, 5001);
    writePhotos(smallEnv.folder(), 5, 6);
    TfrmListinoPrezzi largeScreen(largeEnv.context);
    TfrmListinoPrezzi smallScreen(smallEnv.context);
    largeScreen.apriGruppo(largeEnv.path(QStringLiteral("Gruppo.fvg")), QStringLiteral("Gruppo"));
    smallScreen.apriGruppo(smallEnv.path(QStringLiteral("Gruppo.fvg")), QStringLiteral("Gruppo"));
    const auto step = [](TfrmListinoPrezzi& screen, const char* start, const char* expected) {
        QWidget* cmdAvanti = screen.findChild<QWidget*>(QStringLiteral("cmdAvanti"));
        return std::pair<std::function<void()>, std::function<void()>>(
            [&screen, start] { screen.lblPosizione()->setText(QString::fromLatin1(start)); },
            [&screen, cmdAvanti, expected] {
                click(cmdAvanti);
                if (screen.lblPosizione()->text() != QLatin1String(expected) ||
                    screen.imgFoto(7)->picture().size() != QSize(282, 366))
                    std::fprintf(stderr, "the page was not shown\n");
            });
    };
    auto [largePrepare, largeStep] = step(largeScreen, "5000", "5001");
    auto [smallPrepare, smallStep] = step(smallScreen, "5", "6");
    median(20, largePrepare, largeStep);
    median(20, smallPrepare, smallStep);
    const int stepRuns = 200;
    const double smallTime = median(stepRuns, smallPrepare, smallStep);
    const double largeTime = median(stepRuns, largePrepare, largeStep);

    // 3. The open-group list: time per listed group with 2,000 group files against 10.
    TestEnvironment manyEnv;
    TestEnvironment fewEnv;
    for (int i = 0; i < 2000; ++i)
        QFile(manyEnv.path(QStringLiteral("Gruppo %1.fvg").arg(i * 7919 % 2000))).open(QIODevice::WriteOnly);
    for (int i = 0; i < 10; ++i)
        QFile(fewEnv.path(QStringLiteral("Gruppo %1.fvg").arg(i))).open(QIODevice::WriteOnly);
    TfrmApriCatalogo manyScreen(manyEnv.context);
    TfrmApriCatalogo fewScreen(fewEnv.context);
    const auto fill = [](TfrmApriCatalogo& screen, int expected) {
        return [&screen, expected] {
            screen.hide();
            screen.show(); // every showing fills the list again
            if (screen.lstFiles()->count() != expected)
                std::fprintf(stderr, "the list was not filled\n");
        };
    };
    median(3, nothing, fill(manyScreen, 2000));
    median(3, nothing, fill(fewScreen, 10));
    const double manyTime = median(15, nothing, fill(manyScreen, 2000)) / 2000;
    const double fewTime = median(15, nothing, fill(fewScreen, 10)) / 10;

    printRatio("save of a page of eight 12-megapixel photos", saveTime,
               "eight resizes and sixteen JPEG encodings alone", directTime, 1.3);
    printRatio("browsing step (Next with eight photos), 10,000 pages", largeTime, "the same on 10 pages",
               smallTime, 1.2);
    printRatio("open-group list, time per 1,000 listed groups, 2,000 files", manyTime * 1000,
               "the same with 10 files", fewTime * 1000, 1.5);
    return 0;
}
