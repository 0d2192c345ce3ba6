// "Cerca" over a registry of 100,000 cards, from the click to the list on screen, with no filter
// and with a filter that keeps 1 % of the cards, against reading the same archive file raw from
// the page cache.
#include "BenchArchive.h"
#include "BenchCerca.h"
#include "BenchTimer.h"

#include "search/RicercaSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include "support/TestEnvironment.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kSchede = 100000;
constexpr int kRipetizioni = 7;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    const QString path = TSchedaAnagrafica::archivio(env.context.programFolder);
    if (!writeCards(path, kSchede))
        return 1;
    std::printf("archive: %d cards, %lld bytes\n\n", kSchede, static_cast<long long>(QFile(path).size()));

    readRaw(path); // into the page cache
    const auto nothing = [] {};
    double rawCpu = 0;
    double allCpu = 0;
    double fewCpu = 0;
    const double raw = median(
        kRipetizioni, nothing, [&] { readRaw(path); }, &rawCpu);
    const qint64 peakBefore = peakMemoryKb();
    const double all = timeCerca(env.context, QString(), kSchede, kRipetizioni, &allCpu);
    const qint64 peakAfter = peakMemoryKb();
    const double few = timeCerca(env.context, QStringLiteral("franc"), kSchede / 100, kRipetizioni, &fewCpu);
    if (all < 0 || few < 0)
        return 1;

    // Where the time goes: reading the records, building the lines, sorting them.
    ResultLines lines;
    const double scan = median(kRipetizioni, nothing,
                               [&] { RicercaSchede::scandisci(path, [](const TSchedaAnagrafica&, int) {}); });
    const double linesMade = median(
        kRipetizioni, [&] { lines = ResultLines(); },
        [&] {
            RicercaSchede::scandisci(
                path, [&lines](const TSchedaAnagrafica& s, int) { RicercaSchede::aggiungiRiga(lines, s); });
        });
    const double sort = median(kRipetizioni, nothing, [&] { lines.sort(); });

    printRatio("Cerca, no filter, click to list shown", all, "Raw read of the archive", raw, 1.5);
    printCpuRatio(allCpu, rawCpu, 1.5);
    printRatio("Cerca, filter keeping 1 %, click to list shown", few, "Raw read of the archive", raw, 1.2);
    printCpuRatio(fewCpu, rawCpu, 1.2);
    std::printf("parts: scan %.1f ms, scan and lines %.1f ms, sort %.1f ms\n", scan, linesMade, sort);
    if (peakBefore >= 0)
        std::printf("peak memory: %lld kB before the searches, %lld kB after (+%lld kB)\n",
                    static_cast<long long>(peakBefore), static_cast<long long>(peakAfter),
                    static_cast<long long>(peakAfter - peakBefore));
    return 0;
}
