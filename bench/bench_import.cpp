// The import of a member list of 100,000 persons: reading and previewing a CSV file against
// reading the same file and splitting its fields with nothing else, and appending the imported
// cards against the archive store appending the same records already prepared.
#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "import/SheetReader.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include "BenchTimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRighe = 100000;
constexpr int kRipetizioni = 3;

QByteArray elenco()
{
    static const char* const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Esposito", "Romano", "Colombo"};
    static const char* const kNomi[] = {"Mario", "Anna", "Luca", "Giulia", "Nicol\xC3\xB2", "Chiara"};
    QByteArray csv =
        "Cognome;Nome;Data di nascita;Codice fiscale;Email;Cellulare;Citt\xC3\xA0;CAP;Ruolo;Note\r\n";
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < kRighe; ++i) {
        const QByteArray n = QByteArray::number(i);
        csv += kCognomi[next() % 6];
        csv += ' ' + n + ';';
        csv += kNomi[next() % 6];
        csv += ';';
        csv += QByteArray::number(1 + next() % 28) + "/0" + QByteArray::number(1 + next() % 9) + "/19" +
               QByteArray::number(50 + next() % 50);
        csv += ";RSSMRA80C12" + n.rightJustified(5, '0') + ';';
        csv += "persona" + n + "@example.it;";
        csv += "333" + n.rightJustified(7, '0') + ';';
        csv += "Citt\xC3\xA0 di Castello;06012;";
        csv += (i % 3 ? "Atleta;" : "Allenatore;");
        csv += i % 10 ? "" : "\"Nota; con \"\"virgolette\"\"\"";
        csv += "\r\n";
    }
    return csv;
}

// Reads the file and splits its lines and fields, nothing else.
qsizetype leggiESepara(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QString text = QString::fromUtf8(file.readAll());
    QList<QStringList> rows;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        QStringList fields;
        for (const QStringView field : line.split(u';'))
            fields.append(field.toString());
        rows.append(fields);
    }
    return rows.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).absolutePath() + u'/';
    const QString path = folder + QStringLiteral("elenco.csv");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(elenco()) < 0)
            return 1;
    }

    QList<ImportPlan::Riga> righe;
    // The preview of each run is kept until the timing ends, as the screen keeps it.
    QList<QList<ImportPlan::Riga>> anteprime;
    const double anteprima = bestOf(kRipetizioni, [&] {
        const SheetReader::Sheet sheet = SheetReader::read(path);
        const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows.value(0));
        anteprime.append(ImportPlan::prepara(sheet.rows, mapping, ImportPlan::chiaviRegistro(folder)));
    });
    righe = anteprime.takeLast();
    anteprime.clear();
    const double soloLettura = bestOf(kRipetizioni, [&] { SheetReader::read(path); });
    std::printf("of which reading alone: %.2f ms\n", soloLettura);
    const double separa = bestOf(kRipetizioni, [&] { leggiESepara(path); });
    std::printf("%d rows read, %lld in the preview\n\n", kRighe, static_cast<long long>(righe.size()));
    printRatio("read and preview the CSV", anteprima, "read the file and split its fields", separa, 2.0);

    const QString archivio = TSchedaAnagrafica::archivio(folder);
    int aggiunte = 0;
    const double importa = bestOf(kRipetizioni, [&] {
        QFile::remove(archivio);
        aggiunte = ImportAppend::aggiungi(folder, righe).aggiunte;
    });
    QList<QByteArray> record;
    record.reserve(righe.size());
    for (const ImportPlan::Riga& riga : righe)
        record.append(ImportMapping::card(riga.values).buffer());
    const double store = bestOf(kRipetizioni, [&] {
        QFile::remove(archivio);
        TArchivioSchede archive;
        archive.ApriOCrea(archivio, TSchedaAnagrafica::kSize);
        archive.Posiziona(archive.NumeroSchede());
        for (const QByteArray& r : record)
            archive.ScriviScheda(r);
        archive.ChiudiArchivio();
    });
    std::printf("%d cards appended\n\n", aggiunte);
    printRatio("append the imported cards", importa, "the store appending prepared records", store, 1.5);
    return 0;
}
