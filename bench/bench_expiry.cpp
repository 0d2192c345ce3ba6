// The deadlines list of a registry of 100,000 cards (dates typed in every accepted way, some
// unreadable) against scanning the same archive alone; and the same list limited to a group of
// 1,000 pages (8,000 names), the group file read included, against the list of the whole registry.
#include "BenchTimer.h"

#include "search/ExpiryList.h"
#include "search/GroupMembers.h"
#include "search/RicercaSchede.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TSchedaGruppo.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kSchede = 100000;
constexpr int kPagine = 1000;
constexpr int kRipetizioni = 7;

quint32 s_seed = 12345;
quint32 next()
{
    return s_seed = s_seed * 1103515245u + 12345u;
}

QString nome(int i)
{
    return QStringLiteral("Cognome%1 Nome%2").arg(i % 997).arg(i);
}

// A date as people type it: mostly gg/mm/aaaa, also short years, other separators, month
// names, ISO, a few unreadable texts and empty fields.
QString dataScritta(int firstYear, int years)
{
    const int d = int(next() % 28 + 1);
    const int m = int(next() % 12 + 1);
    const int y = firstYear + int(next() % years);
    static const char* const kMesi[] = {"gen", "febbraio", "mar", "aprile",  "mag", "giugno",
                                        "lug", "agosto",   "set", "ottobre", "nov", "dicembre"};
    switch (next() % 20) {
    case 0:
        return QString();
    case 1:
        return QStringLiteral("da rinnov.");
    case 2:
    case 3:
        return QStringLiteral("%1/%2/%3").arg(d).arg(m).arg(y % 100, 2, 10, QLatin1Char('0'));
    case 4:
        return QStringLiteral("%1 %2 %3").arg(d).arg(QLatin1String(kMesi[m - 1])).arg(y % 100);
    case 5:
        return QStringLiteral("%1-%2-%3")
            .arg(y)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(d, 2, 10, QLatin1Char('0'));
    case 6:
        return QStringLiteral("%1.%2.%3")
            .arg(d, 2, 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(y);
    default:
        return QStringLiteral("%1/%2/%3")
            .arg(d, 2, 10, QLatin1Char('0'))
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(y);
    }
}

void scriviArchivio(const QString& path)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaAnagrafica::kSize);
    for (int i = 0; i < kSchede; ++i) {
        TSchedaAnagrafica scheda;
        scheda.setTesto(TSchedaAnagrafica::Candidato, nome(i));
        scheda.setTesto(TSchedaAnagrafica::DataNasc, dataScritta(1950, 55));
        scheda.setTesto(TSchedaAnagrafica::FineTes, dataScritta(2016, 20));
        scheda.setTesto(TSchedaAnagrafica::Documento,
                        QStringLiteral("Carta d'identit\u00E0 CA%1").arg(next() % 100000));
        scheda.setTesto(TSchedaAnagrafica::Note, QString(int(next() % 120), QLatin1Char('n')));
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(scheda.buffer());
    }
    archivio.ChiudiArchivio();
}

void scriviGruppo(const QString& path)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaGruppo::kSize);
    for (int p = 0; p < kPagine; ++p) {
        TSchedaGruppo pagina;
        for (int r = 0; r < TSchedaGruppo::kRiquadri; ++r)
            pagina.setTesto(r, TSchedaGruppo::Nome, nome(int(next() % kSchede)));
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(pagina.buffer());
    }
    archivio.ChiudiArchivio();
}

ExpiryList::Options opzioni()
{
    ExpiryList::Options options;
    options.today = QDate(2026, 12, 10);
    options.reference = options.today;
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString archivio = TSchedaAnagrafica::archivio(dir.path() + QLatin1Char('/'));
    const QString gruppo = dir.filePath(QStringLiteral("Gruppo grande.fvg"));
    scriviArchivio(archivio);
    scriviGruppo(gruppo);

    qsizetype righe = 0;
    qsizetype righeGruppo = 0;
    const auto elenco = [&] {
        ExpiryList list(opzioni());
        list.scan(archivio);
        righe = list.lineCount();
    };
    const auto elencoGruppo = [&] {
        const GroupMembers members = GroupMembers::read(gruppo);
        ExpiryList list(opzioni(), &members);
        list.scan(archivio);
        righeGruppo = list.lineCount();
    };
    const auto scansione = [&] { RicercaSchede::scandisci(archivio, [](const TSchedaAnagrafica&, int) {}); };

    scansione(); // into the page cache
    // The three in turn, best of each: the machine's other work disturbs them alike. Both the
    // time on the clock and the processor time of this program are taken; on a busy machine the
    // second is the steadier.
    double base = 1e12, lista = 1e12, listaGruppo = 1e12;
    double baseCpu = 1e12, listaCpu = 1e12, listaGruppoCpu = 1e12;
    const auto misura = [](const std::function<void()>& work, double& wall, double& cpu) {
        const std::clock_t start = std::clock();
        wall = std::min(wall, bestOf(1, work));
        cpu = std::min(cpu, double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
    };
    for (int i = 0; i < kRipetizioni; ++i) {
        misura(scansione, base, baseCpu);
        misura(elenco, lista, listaCpu);
        misura(elencoGruppo, listaGruppo, listaGruppoCpu);
    }
    // Printing makes every line; the screen only those in view.
    ExpiryList tutto(opzioni());
    tutto.scan(archivio);
    const double testo = bestOf(3, [&tutto] { tutto.lines(); });

    std::printf("registry of %d cards; %lld lines listed, %lld for the group of %d pages\n\n", kSchede,
                static_cast<long long>(righe), static_cast<long long>(righeGruppo), kPagine);
    printRatio("deadlines list of the whole registry, processor time", listaCpu,
               "scanning the archive alone, processor time", baseCpu, 1.5);
    printRatio("deadlines list of the whole registry, clock time", lista,
               "scanning the archive alone, clock time", base, 1.5);
    printRatio("list of a group of 1,000 pages, group read included, processor", listaGruppoCpu,
               "list of the whole registry, processor time", listaCpu, 1.2);
    printRatio("list of a group of 1,000 pages, group read included, clock", listaGruppo,
               "list of the whole registry, clock time", lista, 1.2);
    std::printf("for printing, every line of the whole registry made in %.1f ms\n", testo);
    return 0;
}
