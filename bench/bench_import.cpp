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
#include <QXmlStreamReader>

#include <quazip.h>
#include <quazipfile.h>

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

// The same persons as an XLSX file saved the way LibreOffice saves one: shared strings, numbers
// in the default "General" style, dates with their own style.
bool scriviXlsx(const QString& path)
{
    QByteArray shared;
    QByteArray rows;
    int strings = 0;
    const auto testo = [&](const QByteArray& t) {
        shared += "<si><t>" + t + "</t></si>";
        return QByteArray::number(strings++);
    };
    const QByteArray cognome = testo("Rossi"), nome = testo("Mario"),
                     citta = testo("Citt\xC3\xA0 di Castello");
    rows += "<row r=\"1\">";
    for (const char* h : {"Cognome", "Nome", "Data di nascita", "Codice fiscale", "Email", "Cellulare",
                          "Citt\xC3\xA0", "CAP", "Ruolo"})
        rows += "<c t=\"s\"><v>" + testo(h) + "</v></c>";
    rows += "</row>";
    for (int i = 0; i < kRighe; ++i) {
        const QByteArray n = QByteArray::number(i);
        rows += "<row r=\"" + QByteArray::number(i + 2) + "\"><c t=\"s\"><v>" + cognome +
                "</v></c><c t=\"s\"><v>" + nome + "</v></c><c s=\"1\"><v>" +
                QByteArray::number(18000 + i % 20000) + "</v></c><c t=\"s\"><v>" +
                testo("RSSMRA80C12" + n.rightJustified(5, '0')) + "</v></c><c t=\"s\"><v>" +
                testo("persona" + n + "@example.it") + "</v></c><c s=\"0\"><v>333" +
                n.rightJustified(7, '0') + "</v></c><c t=\"s\"><v>" + citta +
                "</v></c><c s=\"0\"><v>6012</v></c><c t=\"s\"><v>" + testo(i % 3 ? "Atleta" : "Allenatore") +
                "</v></c></row>";
    }
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QList<QPair<QString, QByteArray>> parts = {
        {QStringLiteral("xl/workbook.xml"), "<workbook " + ns + "><sheets/></workbook>"},
        {QStringLiteral("xl/styles.xml"),
         "<styleSheet " + ns +
             "><numFmts><numFmt numFmtId=\"164\" "
             "formatCode=\"General\"/><numFmt numFmtId=\"165\" "
             "formatCode=\"DD/MM/YYYY\"/></numFmts><cellXfs><xf numFmtId=\"164\"/>"
             "<xf numFmtId=\"165\"/></cellXfs></styleSheet>"},
        {QStringLiteral("xl/sharedStrings.xml"), "<sst " + ns + ">" + shared + "</sst>"},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
         "<worksheet " + ns + "><sheetData>" + rows + "</sheetData></worksheet>"}};
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(bytes) != bytes.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// Unpacks the sheet and its texts and walks their XML, nothing else.
qint64 scompattaEScorri(const QString& path)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return 0;
    qint64 elements = 0;
    for (const char* name : {"xl/sharedStrings.xml", "xl/worksheets/sheet1.xml"}) {
        zip.setCurrentFile(QString::fromLatin1(name));
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        QXmlStreamReader xml(file.readAll());
        while (!xml.atEnd())
            elements += xml.readNext() == QXmlStreamReader::StartElement;
    }
    return elements;
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

    const QString xlsx = folder + QStringLiteral("elenco.xlsx");
    if (!scriviXlsx(xlsx))
        return 1;
    qsizetype righeXlsx = 0;
    const double leggiXlsx = bestOf(kRipetizioni, [&] { righeXlsx = SheetReader::read(xlsx).rows.size(); });
    const double scorri = bestOf(kRipetizioni, [&] { scompattaEScorri(xlsx); });
    std::printf("\n%lld rows of XLSX read\n", static_cast<long long>(righeXlsx));
    printRatio("read a 100,000-row XLSX as shown", leggiXlsx, "unpack it and walk its XML", scorri, 2.5);
    return 0;
}
