// The spreadsheet export on a registry of 100,000 cards: the screen shown with its table filled
// and drawn against scanning and decoding every record alone, and the file written against
// encoding the same text and writing it with one buffered raw write.
#include "documents/ExpCandidati.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTableModel.h"
#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TextRules.h"

#include "BenchTimer.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kSchede = 100000;
constexpr int kRipetizioni = 3;

// Cards with most fields filled in, as a real registry has them.
void scriviArchivio(const QString& path)
{
    using C = TSchedaAnagrafica;
    static const char* const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Esposito", "Romano", "Colombo"};
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, C::kSize);
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < kSchede; ++i) {
        TSchedaAnagrafica s;
        s.setTesto(C::Candidato,
                   QStringLiteral("%1 Persona %2").arg(QLatin1String(kCognomi[next() % 6])).arg(i));
        s.setTesto(C::DataNasc, QStringLiteral("12/03/19%1").arg(50 + next() % 50));
        s.setTesto(C::Cittadinanza, QStringLiteral("Italiana"));
        s.setTesto(C::LuogoNasc, QStringLiteral("Roma"));
        s.setTesto(C::Indirizzo, QStringLiteral("Via Garibaldi %1").arg(next() % 300));
        s.setTesto(C::Citta, QStringLiteral("Citt\u00E0 di Castello"));
        s.setTesto(C::Cap, QStringLiteral("%1").arg(next() % 100000, 5, 10, QLatin1Char('0')));
        s.setTesto(C::Settore, QStringLiteral("Informatica"));
        s.setTesto(C::CodFisc, QStringLiteral("RSSMRA80C12H501U"));
        s.setTesto(C::PartitaIva, QStringLiteral("00743110157"));
        s.setTesto(C::Email, QStringLiteral("persona%1@example.it").arg(i));
        s.setTesto(C::Cel, QStringLiteral("333 %1").arg(next() % 10000000));
        s.setTesto(C::Documento, QStringLiteral("CI AB%1").arg(next() % 1000000));
        s.setTesto(C::Esperienze, QStringLiteral("Capogruppo & accompagnatore"));
        s.setTesto(C::Note, QString(int(next() % 120), QLatin1Char('n')) + QStringLiteral(" <nota>"));
        s.setRicontatta(next() % 2 == 0);
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(s.buffer());
    }
    archivio.ChiudiArchivio();
}

// Every record read and its shown fields decoded and trimmed, the work any table needs.
qint64 scandisciEDecodifica(const QString& path)
{
    qint64 characters = 0;
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaAnagrafica::kSize);
    TSchedaAnagrafica scheda;
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(scheda.buffer());
        for (const TSchedaAnagrafica::Campo campo : RegistryTable::fields())
            characters += TextRules::trim(scheda.testo(campo)).size();
    }
    archivio.ChiudiArchivio();
    return characters;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    const QString archive = TSchedaAnagrafica::archivio(env.folder());
    const QString output = RegistryExport::path(env.folder());

    QElapsedTimer timer;
    timer.start();
    scriviArchivio(archive);
    std::printf("archive: %d cards, %lld bytes, written in %lld ms\n\n", kSchede,
                static_cast<long long>(QFile(archive).size()), static_cast<long long>(timer.elapsed()));
    scandisciEDecodifica(archive); // into the page cache

    const double scan = bestOf(kRipetizioni, [&] { scandisciEDecodifica(archive); });
    bool filled = true;
    const double screen = bestOf(kRipetizioni, [&] {
        TfrmExpCandidati frm(env.context, nullptr);
        frm.show();
        frm.repaint(); // the table drawn with its first rows
        filled = filled && frm.grdRecords()->model()->rowCount() == kSchede;
    });
    if (!filled) {
        std::fprintf(stderr, "the table does not hold every card\n");
        return 1;
    }
    printRatio("screen shown, table filled and drawn", screen, "scan and decode of every record", scan, 1.5);

    RegistryTable table;
    table.read(archive);
    const qint64 peakBefore = peakMemoryKb();
    bool written = true;
    const double exportTime = bestOf(kRipetizioni, [&] {
        written = written && RegistryExport::save(output, table) == RegistryExport::Outcome::Written;
    });
    const qint64 peakAfter = peakMemoryKb();
    if (!written) {
        std::fprintf(stderr, "the export failed\n");
        return 1;
    }
    QFile file(output);
    file.open(QIODevice::ReadOnly);
    const QString text = Cp1252::decode(file.readAll());
    file.close();
    const QString rawPath = env.path(QStringLiteral("grezzo.xls"));
    const double raw = bestOf(kRipetizioni, [&] {
        QFile out(rawPath);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(Cp1252::encode(text));
    });
    printRatio("export of the table to the file", exportTime, "encoding and one raw write of the same text",
               raw, 2.0);
    const QByteArray encoded = Cp1252::encode(text);
    const double rawWrite = bestOf(kRipetizioni, [&] {
        QFile out(rawPath);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(encoded);
    });
    std::printf("for comparison, one raw write of the bytes already encoded: %.2f ms (export %.2f x that)\n",
                rawWrite, exportTime / rawWrite);
    std::printf("file: %lld bytes\n", static_cast<long long>(QFile(output).size()));
    if (peakBefore >= 0)
        std::printf("peak memory: %lld kB before the exports, %lld kB after (+%lld kB)\n",
                    static_cast<long long>(peakBefore), static_cast<long long>(peakAfter),
                    static_cast<long long>(peakAfter - peakBefore));
    return 0;
}
