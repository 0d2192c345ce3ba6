// A registry of one million cards (a 3.6 GB archive, made in a temporary folder and deleted at
// the end): one browsing step against the same step on 10 cards, "Cerca" with no filter against
// reading the archive raw, and the peak memory of "Cerca" against the text of its list.
#include "BenchArchive.h"
#include "BenchBrowse.h"
#include "BenchCerca.h"
#include "BenchTimer.h"

#include "registry/Candidati.h"
#include "search/RicercaSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include "support/TestEnvironment.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kSchede = 1000000;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment largeEnv;
    TestEnvironment smallEnv;
    const QString path = TSchedaAnagrafica::archivio(largeEnv.folder());
    const QImage photo = cardPhoto();
    if (!writeCards(path, kSchede) || !writeCards(TSchedaAnagrafica::archivio(smallEnv.folder()), 10))
        return 1;
    writePhotosAround(largeEnv.folder(), kSchede / 2, photo);
    writePhotosAround(smallEnv.folder(), 5, photo);
    std::printf("archive: %d cards, %lld bytes, in %s (deleted at the end)\n\n", kSchede,
                static_cast<long long>(QFile(path).size()), qPrintable(largeEnv.folder()));

    // Cerca first, while the peak memory of the process is still its start-up's.
    readRaw(path); // into the page cache
    const qint64 before = memoryKb("VmRSS:");
    const double first = timeCerca(largeEnv.context, QString(), kSchede, 1);
    const qint64 peak = memoryKb("VmHWM:");
    const double raw = median(
        3, [] {}, [&] { readRaw(path); });
    const double cerca = std::min(first, timeCerca(largeEnv.context, QString(), kSchede, 3));
    if (first < 0 || cerca < 0)
        return 1;
    qint64 text = 0;
    for (const QString& line : RicercaSchede::cerca(path, RicercaSchede::Filtri()))
        text += line.size() * qint64(sizeof(QChar));

    TfrmCandidati largeScreen(largeEnv.context);
    TfrmCandidati smallScreen(smallEnv.context);
    const double smallStep = timeBrowsingStep(smallScreen, 5, 200);
    const double largeStep = timeBrowsingStep(largeScreen, kSchede / 2, 200);

    printRatio("Browsing step (cmdAvanti with its photo), 1,000,000 cards", largeStep,
               "The same step on 10 cards", smallStep, 1.1);
    printRatio("Cerca, no filter, 1,000,000 cards, click to list shown", cerca, "Raw read of the archive",
               raw, 1.5);
    if (before >= 0 && peak >= 0) {
        const double added = (peak - before) / 1024.0;
        const double listText = text / 1048576.0;
        std::printf("Peak memory added by Cerca: %.0f MiB; the text of its list (UTF-16): %.0f MiB\n"
                    "  ratio %.2f (goal at most 1.20) %s\n",
                    added, listText, added / listText, added / listText <= 1.2 ? "ok" : "OVER GOAL");
    }
    return 0;
}
