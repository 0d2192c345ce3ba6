// Opens an exported file in LibreOffice Calc, the spreadsheet program the help names, and compares
// every cell with the cards. Skipped where soffice is not installed.
#include "ExportFixture.h"
#include "LibreOffice.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "documents/RegistryTableModel.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using C = TSchedaAnagrafica;

namespace {

// A note of exactly 250 characters, the field's capacity, with the characters that markup and
// the code page make difficult.
QString notaLunga()
{
    QString note =
        QStringLiteral("Inizio \u20AC & <tag> \"virgolette\" 'apici' =SOMMA(1;2) caff\u00E8 perch\u00E9 ");
    while (note.size() < 249)
        note += QStringLiteral("x<y>&z ").left(249 - note.size());
    return note + QLatin1Char('!');
}

} // namespace

class TestExportLibreOffice : public QObject {
    Q_OBJECT

private slots:
    void everyCellReadsAsOnTheCard();
};

void TestExportLibreOffice::everyCellReadsAsOnTheCard()
{
    if (LibreOffice::program().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = QDir(dir.path()).absolutePath() + QLatin1Char('/');
    QCOMPARE(notaLunga().size(), 250);

    const QList<TSchedaAnagrafica> schede = {
        ExportFixture::schedaDifficile(notaLunga()),
        ExportFixture::scheda({{C::Candidato, "Bianchi Anna"}, {C::Cap, "0"}, {C::Ricontatta, "No"}}),
    };
    ExportFixture::scriviArchivio(C::archivio(folder), schede);

    RegistryTableModel model(nullptr);
    RegistryTable table;
    QVERIFY(table.read(C::archivio(folder)));
    model.setTable(std::move(table));
    // A value typed into the table, with letters the code page lacks.
    const QString typed = QStringLiteral("\u0141\u00F3d\u017A & <\u0107>");
    QVERIFY(model.setData(model.index(1, 24), typed, Qt::EditRole));

    const QString path = RegistryExport::path(folder);
    QCOMPARE(RegistryExport::save(path, model.table()), RegistryExport::Outcome::Written);

    const QString errors =
        LibreOffice::convert({path}, LibreOffice::csvFilter(), folder + QStringLiteral("csv"), folder);
    QFile csv(folder + QStringLiteral("csv/Archivio_Anagrafico.csv"));
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(errors));
    const QList<QStringList> rows = LibreOffice::readCsv(QString::fromUtf8(csv.readAll()));

    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].size(), 25);
    QCOMPARE(rows[0][17], QStringLiteral("Ente rilascio"));
    QCOMPARE(rows[0][22], QStringLiteral("Disponibilit\u00E0"));
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(rows[row + 1].size(), 25);
        for (int column = 0; column < 25; ++column) {
            const C::Campo campo = RegistryTable::fields()[column];
            QString expected = TextRules::trim(schede[row].testo(campo));
            if (row == 1 && column == 23)
                expected = typed;
            QVERIFY2(rows[row + 1][column] == expected,
                     qPrintable(QStringLiteral("card %1, %2: %3 instead of %4")
                                    .arg(row + 1)
                                    .arg(QString::fromLatin1(C::layoutOf(campo).name), rows[row + 1][column],
                                         expected)));
        }
    }
}

QTEST_GUILESS_MAIN(TestExportLibreOffice)
#include "tst_export_libreoffice.moc"
