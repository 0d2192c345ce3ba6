#include "ExportFixture.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "documents/RegistryTableModel.h"
#include "storage/TArchivioSchede.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using C = TSchedaAnagrafica;

namespace {

// The head of the file as the spreadsheet program's worksheet markup wants it, on one line.
const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Archivio Anagrafico</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1"
    "</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
    "</head><body><table x:str>";

const QByteArray kHeaderRow =
    "<tr><td style=\"text-align: left; font-weight: bold;\" width=250>Cognome e nome</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Data nascita</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Cittadinanza</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Luogo nascita</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=300>Indirizzo residenza</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Citt\xE0</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=150>CAP</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Settore professionale</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Codice fiscale</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Partita IVA</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Patente di guida</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Titolo di studio</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=350>Lingue conosciute</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>E-mail</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Tel. casa</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Tel. cellulare</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=300>Documento</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Ente rilascio</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Data rilascio</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Data scadenza</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Ruolo nel gruppo</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Competenze informatiche</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Disponibilit\xE0</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Note</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=160>Da ricontattare</td></tr>";

const QByteArray kTail = "</table></body></html>";

// A data row of 25 cells, the values already as the file holds them.
QByteArray riga(const QList<QByteArray>& values)
{
    Q_ASSERT(values.size() == 25);
    QByteArray row = "<tr>";
    for (const QByteArray& value : values)
        row +=
            "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">" + value + "</td>";
    return row + "</tr>";
}

QByteArray rigaVuota()
{
    return riga(QList<QByteArray>(25));
}

QByteArray esporta(const RegistryTable& table)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool ok = RegistryExport::write(buffer, table);
    return ok ? buffer.data() : QByteArray("write failed");
}

// A device that takes `capacity` bytes and then refuses to write, as a full disk does.
class DispositivoPieno : public QIODevice {
public:
    explicit DispositivoPieno(qint64 capacity)
        : m_capacity(capacity)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        if (m_written + len > m_capacity)
            return -1;
        m_written += len;
        return len;
    }

private:
    qint64 m_capacity;
    qint64 m_written = 0;
};

} // namespace

class TestExportLogic : public QObject {
    Q_OBJECT

private slots:
    void init();

    void threeCardsMakeExactlyThisFile();
    void emptyRegistryHasTenEmptyRows();
    void missingArchiveIsCreatedEmpty();
    void storedValuesAreEscaped_data();
    void storedValuesAreEscaped();
    void typedValuesAreEscapedAndKeepEveryCharacter_data();
    void typedValuesAreEscapedAndKeepEveryCharacter();
    void overlongLengthByteReadsTheCapacity();

    void modelShowsPositionsHeadersAndEditableColumns();
    void editedCellReachesTheFileNotTheArchive();
    void readOnlyColumnsRefuseChanges();

    void writeFailureIsReported();
    void cancelKeepsThePreviousFileWhole();
    void diskFullKeepsThePreviousFileWhole();
    void saveReplacesThePreviousFile();

private:
    QString archivio() const { return C::archivio(m_folder); }
    RegistryTable leggi(const QList<TSchedaAnagrafica>& schede)
    {
        ExportFixture::scriviArchivio(archivio(), schede);
        RegistryTable table;
        [&] { QVERIFY(table.read(archivio())); }();
        return table;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestExportLogic::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QDir(m_dir->path()).absolutePath() + QLatin1Char('/');
}

void TestExportLogic::threeCardsMakeExactlyThisFile()
{
    const QByteArray file = esporta(leggi(ExportFixture::treSchede()));
    const QByteArray expected = kHead + kHeaderRow +
                                riga({"Rossi Mario",
                                      "12/03/1980",
                                      "",
                                      "",
                                      "",
                                      "Citt\xE0 di Castello",
                                      "06012",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "spazi intorno",
                                      "S\xEC"}) +
                                riga({"Bianchi Anna",
                                      "01/07/1975",
                                      "Italiana",
                                      "Torino",
                                      "Via Roma 1",
                                      "Torino",
                                      "10100",
                                      "Commercio",
                                      "BNCNNA75L41L219X",
                                      "00743110157",
                                      "B",
                                      "Laurea",
                                      "Inglese",
                                      "anna@example.it",
                                      "011 123456",
                                      "333 1234567",
                                      "CI AB123",
                                      "Comune di Torino",
                                      "01/01/2020",
                                      "01/01/2030",
                                      "Capogruppo",
                                      "Office",
                                      "Sabato",
                                      "Nota",
                                      "No"}) +
                                riga({"Verdi &amp; Figli &lt;srl&gt;",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "No"}) +
                                kTail;
    QCOMPARE(file, expected);
    QVERIFY(!file.contains('\n'));
    QVERIFY(!file.contains('\r'));
    QVERIFY(!file.startsWith("\xEF\xBB\xBF"));
}

void TestExportLogic::emptyRegistryHasTenEmptyRows()
{
    const RegistryTable table = leggi({});
    QCOMPARE(table.rowCount(), 10);
    QCOMPARE(table.cardCount(), 0);
    QByteArray expected = kHead + kHeaderRow;
    for (int i = 0; i < 10; ++i)
        expected += rigaVuota();
    QCOMPARE(esporta(table), expected + kTail);
}

void TestExportLogic::missingArchiveIsCreatedEmpty()
{
    RegistryTable table;
    QVERIFY(table.read(archivio()));
    QVERIFY(QFile::exists(archivio()));
    QCOMPARE(QFile(archivio()).size(), 0);
    QCOMPARE(table.rowCount(), 10);
}

void TestExportLogic::storedValuesAreEscaped_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("angle brackets") << QByteArray("a<b c>d") << QByteArray("a&lt;b c&gt;d");
    QTest::newRow("tag-like") << QByteArray("x <ciao> y") << QByteArray("x &lt;ciao&gt; y");
    QTest::newRow("ampersand") << QByteArray("A&B &amp;") << QByteArray("A&amp;B &amp;amp;");
    QTest::newRow("quotes stay") << QByteArray("\"q\" 'a'") << QByteArray("\"q\" 'a'");
    QTest::newRow("line break inside") << QByteArray("uno\r\ndue") << QByteArray("uno&#13;&#10;due");
    QTest::newRow("tab inside") << QByteArray("a\tb") << QByteArray("a&#9;b");
    QTest::newRow("code page bytes") << QByteArray("caff\xE8 \x80 5") << QByteArray("caff\xE8 \x80 5");
    QTest::newRow("blanks and codes trimmed") << QByteArray("\t 007 \n") << QByteArray("007");
    QTest::newRow("blanks inside kept") << QByteArray("a  b   c d") << QByteArray("a &#32;b &#32;&#32;c d");
    QTest::newRow("formula stays text") << QByteArray("=1+1") << QByteArray("=1+1");
}

void TestExportLogic::storedValuesAreEscaped()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, written);
    TSchedaAnagrafica scheda;
    ExportFixture::scriviGrezzo(scheda, C::Note, stored);
    const QByteArray file = esporta(leggi({scheda}));
    QList<QByteArray> cells(25);
    cells[23] = written;
    QCOMPARE(file, kHead + kHeaderRow + riga(cells) + kTail);
    QVERIFY(!file.contains('\n'));
}

void TestExportLogic::typedValuesAreEscapedAndKeepEveryCharacter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("markup") << QStringLiteral("<b>&") << QByteArray("&lt;b&gt;&amp;");
    QTest::newRow("code page") << QStringLiteral("Citt\u00E0 \u20AC") << QByteArray("Citt\xE0 \x80");
    QTest::newRow("outside the code page") << QStringLiteral("\u0141\u00F3d\u017E")
                                           << QByteArray("&#321;\xF3"
                                                         "d\x9E");
    QTest::newRow("outside, not in table") << QStringLiteral("\u0107") << QByteArray("&#263;");
    QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600") << QByteArray("&#128512;");
    QTest::newRow("question mark") << QStringLiteral("?") << QByteArray("?");
    QTest::newRow("blanks inside kept") << QStringLiteral("1  2") << QByteArray("1 &#32;2");
    QTest::newRow("trimmed") << QStringLiteral("  nuovo@example.it ") << QByteArray("nuovo@example.it");
}

void TestExportLogic::typedValuesAreEscapedAndKeepEveryCharacter()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    RegistryTable table = leggi({ExportFixture::scheda({{C::Candidato, "X"}})});
    table.setText(0, 13, typed);
    QList<QByteArray> cells(25);
    cells[0] = "X";
    cells[13] = written;
    QCOMPARE(esporta(table), kHead + kHeaderRow + riga(cells) + kTail);
}

void TestExportLogic::overlongLengthByteReadsTheCapacity()
{
    TSchedaAnagrafica scheda;
    const C::Layout& cap = C::layoutOf(C::Cap);
    scheda.buffer()[cap.offset] = char(200);
    for (int i = 1; i <= cap.capacity + 1; ++i)
        scheda.buffer()[cap.offset + i] = char('0' + i % 10);
    const RegistryTable table = leggi({scheda});
    QCOMPARE(table.text(0, 6), QStringLiteral("1234567890"));
}

void TestExportLogic::modelShowsPositionsHeadersAndEditableColumns()
{
    RegistryTableModel model(nullptr);
    QCOMPARE(model.columnCount(), 26);
    QCOMPARE(model.rowCount(), 10);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QString());

    model.setTable(leggi(ExportFixture::treSchede()));
    QCOMPARE(model.rowCount(), 3);
    const QStringList headers = {"N.",
                                 "Cognome e nome",
                                 "Data nascita",
                                 "Cittadinanza",
                                 "Luogo nascita",
                                 "Indirizzo residenza",
                                 QStringLiteral("Citt\u00E0"),
                                 "CAP",
                                 "Settore professionale",
                                 "Codice fiscale",
                                 "Partita IVA",
                                 "Patente di guida",
                                 "Titolo di studio",
                                 "Lingue conosciute",
                                 "E-mail",
                                 "Tel. casa",
                                 "Tel. cellulare",
                                 "Documento",
                                 "Ente di rilascio",
                                 "Data rilascio",
                                 "Data scadenza",
                                 "Ruolo nel gruppo",
                                 "Competenze informatiche",
                                 QStringLiteral("Disponibilit\u00E0"),
                                 "Note",
                                 "Da ricontattare"};
    const QList<int> editable = {4, 5, 6, 7, 10, 14, 16, 18, 19, 20, 21, 22, 23, 24, 25};
    for (int column = 0; column < 26; ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), headers[column]);
        QCOMPARE(model.flags(model.index(0, column)).testFlag(Qt::ItemIsEditable), editable.contains(column));
    }
    for (int row = 0; row < 3; ++row)
        QCOMPARE(model.data(model.index(row, 0), Qt::DisplayRole).toString(), QString::number(row + 1));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Rossi Mario"));
    QCOMPARE(model.data(model.index(0, 24), Qt::DisplayRole).toString(), QStringLiteral("spazi intorno"));
    QCOMPARE(model.data(model.index(0, 25), Qt::DisplayRole).toString(), QStringLiteral("S\u00EC"));
    QCOMPARE(model.data(model.index(1, 25), Qt::DisplayRole).toString(), QStringLiteral("No"));
    QCOMPARE(model.data(model.index(1, 18), Qt::DisplayRole).toString(), QStringLiteral("Comune di Torino"));
}

void TestExportLogic::editedCellReachesTheFileNotTheArchive()
{
    RegistryTableModel model(nullptr);
    model.setTable(leggi(ExportFixture::treSchede()));
    const QByteArray archiveBefore = TestFiles::readAll(archivio());

    QVERIFY(model.setData(model.index(1, 14), QStringLiteral("nuova@example.it"), Qt::EditRole));
    QCOMPARE(model.data(model.index(1, 14), Qt::DisplayRole).toString(), QStringLiteral("nuova@example.it"));

    const QByteArray file = esporta(model.table());
    QVERIFY(file.contains(">nuova@example.it</td>"));
    QVERIFY(!file.contains("anna@example.it"));
    QCOMPARE(TestFiles::readAll(archivio()), archiveBefore);

    RegistryTable again;
    QVERIFY(again.read(archivio()));
    QCOMPARE(again.text(1, 13), QStringLiteral("anna@example.it"));
}

void TestExportLogic::readOnlyColumnsRefuseChanges()
{
    RegistryTableModel model(nullptr);
    model.setTable(leggi(ExportFixture::treSchede()));
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("9"), Qt::EditRole));
    QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("Altro"), Qt::EditRole));
    QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Rossi Mario"));
    QVERIFY(!model.table().isChanged(0, 0));
}

void TestExportLogic::writeFailureIsReported()
{
    const RegistryTable table = leggi(QList<TSchedaAnagrafica>(3000, ExportFixture::treSchede()[1]));
    for (const qint64 capacity : {qint64(0), qint64(1000), qint64(300000)}) {
        DispositivoPieno device(capacity);
        QVERIFY(!RegistryExport::write(device, table));
    }
}

void TestExportLogic::cancelKeepsThePreviousFileWhole()
{
    const RegistryTable table = leggi(QList<TSchedaAnagrafica>(2000, ExportFixture::treSchede()[1]));
    const QString path = RegistryExport::path(m_folder);
    TestFiles::writeAll(path, "previous export");
    int calls = 0;
    const auto outcome = RegistryExport::save(path, table, [&](int done, int total) {
        ++calls;
        return done < total / 2;
    });
    QCOMPARE(outcome, RegistryExport::Outcome::Cancelled);
    QVERIFY(calls > 1);
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2); // the archive and the old file
}

void TestExportLogic::diskFullKeepsThePreviousFileWhole()
{
#ifdef Q_OS_UNIX
    const RegistryTable table = leggi(QList<TSchedaAnagrafica>(500, ExportFixture::treSchede()[1]));
    const QString path = RegistryExport::path(m_folder);
    TestFiles::writeAll(path, "previous export");
    // Files of this process may not grow beyond 64 kB, as on a disk that is full.
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const auto outcome = RegistryExport::save(path, table, {}, &error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(outcome, RegistryExport::Outcome::Failed);
    QVERIFY(!error.isEmpty());
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
#else
    QSKIP("needs a file size limit");
#endif
}

void TestExportLogic::saveReplacesThePreviousFile()
{
    const RegistryTable table = leggi(ExportFixture::treSchede());
    const QString path = RegistryExport::path(m_folder);
    QCOMPARE(path, m_folder + QStringLiteral("Archivio_Anagrafico.xls"));
    TestFiles::writeAll(path, QByteArray(500000, 'x'));
    QCOMPARE(RegistryExport::save(path, table), RegistryExport::Outcome::Written);
    QCOMPARE(TestFiles::readAll(path), esporta(table));
}

QTEST_GUILESS_MAIN(TestExportLogic)
#include "tst_export_logic.moc"
