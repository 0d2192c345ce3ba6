// "Cerca" with no filter over a registry of 100,000 cards, from the click to the list on screen,
// against reading the same archive file raw from the page cache.
#include "BenchTimer.h"

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "search/RicercaSchede.h"
#include "search/TrovaCandidati.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include "support/TestEnvironment.h"
#include <QAbstractItemModel>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSchede = 100000;
constexpr int kRipetizioni = 5;

void scriviArchivio(const QString& path)
{
    static const char* const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Esposito", "Romano", "Colombo",
                                           "Ricci", "Marino",  "Greco", "Bruno",    "Gallo",  "Conti"};
    static const char* const kSettori[] = {"Informatica",   "Commercio",       "Servizi generali",
                                           "Sanit\xC3\xA0", "Amministrazione", "Logistica"};
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaAnagrafica::kSize);
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < kSchede; ++i) {
        TSchedaAnagrafica scheda;
        const QString cognome = QString::fromUtf8(kCognomi[next() % 12]);
        scheda.setTesto(TSchedaAnagrafica::Candidato,
                        QStringLiteral("%1 Persona %2").arg(cognome).arg(next() % 99991));
        scheda.setTesto(TSchedaAnagrafica::DataNasc, QStringLiteral("%1/%2/%3")
                                                         .arg(next() % 28 + 1, 2, 10, QLatin1Char('0'))
                                                         .arg(next() % 12 + 1, 2, 10, QLatin1Char('0'))
                                                         .arg(1950 + next() % 55));
        scheda.setTesto(TSchedaAnagrafica::CodFisc,
                        QStringLiteral("RSSMRA80C12H%1U").arg(next() % 1000, 3, 10, QLatin1Char('0')));
        scheda.setTesto(TSchedaAnagrafica::Cel, QStringLiteral("333 %1").arg(next() % 10000000));
        scheda.setTesto(TSchedaAnagrafica::Settore, QString::fromUtf8(kSettori[next() % 6]));
        scheda.setTesto(TSchedaAnagrafica::Note, QString(int(next() % 120), QLatin1Char('n')));
        scheda.setRicontatta(next() % 2 == 0);
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(scheda.buffer());
    }
    archivio.ChiudiArchivio();
}

// Reads the whole file in 1 MB pieces; returns the bytes read.
qint64 leggiGrezzo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    std::vector<char> buffer(1 << 20);
    qint64 total = 0;
    for (qint64 n; (n = file.read(buffer.data(), qint64(buffer.size()))) > 0;)
        total += n;
    return total;
}

double mediana(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    AppContext& context = env.context;
    const QString path = TSchedaAnagrafica::archivio(context.programFolder);

    QElapsedTimer timer;
    timer.start();
    scriviArchivio(path);
    std::printf("archive: %d cards, %lld bytes, written in %lld ms\n", kSchede,
                static_cast<long long>(QFile(path).size()), static_cast<long long>(timer.elapsed()));

    leggiGrezzo(path); // into the page cache
    std::vector<double> grezzo;
    for (int i = 0; i < kRipetizioni; ++i) {
        timer.start();
        const qint64 bytes = leggiGrezzo(path);
        grezzo.push_back(timer.nsecsElapsed() / 1e6);
        if (bytes != QFile(path).size())
            return 1;
    }
    const qint64 peakBefore = peakMemoryKb();

    std::vector<double> cerca, clic;
    for (int i = 0; i < kRipetizioni; ++i) {
        TfrmTrovaCandidati screen(context, nullptr);
        screen.lblMemory()->setText(QStringLiteral("candidati"));
        screen.show();
        QCoreApplication::processEvents();
        auto* btnCerca = screen.findChild<QPushButton*>(QStringLiteral("btnCerca"));
        auto* list = screen.findChild<QListView*>(QStringLiteral("lstRecords"));
        timer.start();
        btnCerca->click();
        clic.push_back(timer.nsecsElapsed() / 1e6);
        screen.repaint(); // the list drawn with its first lines
        cerca.push_back(timer.nsecsElapsed() / 1e6);
        if (list->model()->rowCount() != kSchede) {
            std::fprintf(stderr, "listed %d cards\n", list->model()->rowCount());
            return 1;
        }
        screen.close();
    }
    const qint64 peakAfter = peakMemoryKb();

    // Where the time goes: reading the records, then building and sorting the lines.
    std::vector<double> scansione, righe, ordine;
    for (int i = 0; i < kRipetizioni; ++i) {
        timer.start();
        RicercaSchede::scandisci(path, [](const TSchedaAnagrafica&, int) {});
        scansione.push_back(timer.nsecsElapsed() / 1e6);
        QStringList lines;
        timer.start();
        RicercaSchede::scandisci(
            path, [&lines](const TSchedaAnagrafica& s, int) { lines.append(RicercaSchede::riga(s)); });
        righe.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        RicercaSchede::ordina(lines);
        ordine.push_back(timer.nsecsElapsed() / 1e6);
    }

    const double base = mediana(grezzo);
    const double search = mediana(cerca);
    std::printf("raw read of the archive (page cache): %.1f ms (median of %d)\n", base, kRipetizioni);
    std::printf("Cerca, no filter, click to list shown: %.1f ms (median of %d)\n", search, kRipetizioni);
    std::printf("  of which: scan %.1f ms, scan and lines %.1f ms, sort %.1f ms; list filled after %.1f ms\n",
                mediana(scansione), mediana(righe), mediana(ordine), mediana(clic));
    std::printf("ratio: %.2f x (goal <= 3 x)\n", search / base);
    if (peakBefore >= 0)
        std::printf("peak memory: %lld kB before the searches, %lld kB after (+%lld kB)\n",
                    static_cast<long long>(peakBefore), static_cast<long long>(peakAfter),
                    static_cast<long long>(peakAfter - peakBefore));
    return 0;
}
