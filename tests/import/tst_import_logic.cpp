#include "ImportFixture.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "import/SheetReader.h"
#include "storage/Cp1252.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QDir>
#include <QImage>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using C = TSchedaAnagrafica;
using namespace ImportFixture;

namespace {

QByteArray inCodifica(const QString& text, const QString& encoding)
{
    if (encoding == u"utf8")
        return text.toUtf8();
    if (encoding == u"utf8bom")
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return Cp1252::encode(text);
}

QList<ImportPlan::Riga> piano(const QList<QStringList>& rows, const ImportPlan::Chiavi& chiavi = {})
{
    return ImportPlan::prepara(rows, ImportMapping::fromHeaders(rows.value(0)), chiavi);
}

QStringList campi(const TSchedaAnagrafica& s)
{
    QStringList result;
    for (int campo = 0; campo <= C::Ricontatta; ++campo)
        result.append(s.testo(C::Campo(campo)));
    return result;
}

const QByteArray kWorkbook =
    "<?xml version=\"1.0\"?><workbook "
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheets/></workbook>";
const QByteArray kSheetShared =
    "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c></row></sheetData></worksheet>";

} // namespace

class TestImportLogic : public QObject {
    Q_OBJECT

private slots:
    void csvInEveryDelimiterAndEncoding_data();
    void csvInEveryDelimiterAndEncoding();
    void csvQuotedFieldsAndMixedLineEndings();
    void csvSeparatorNamedByExcel();
    void badFilesGiveAnItalianMessage_data();
    void badFilesGiveAnItalianMessage();
    void hugeFileIsRefusedUnread();
    void strayQuoteIsRefused();
    void xlsxWithoutSharedStringsIsRefused();
    void zipBombIsRefused();
    void xlsxNumbersDatesAndText();

    void headersMatchFields_data();
    void headersMatchFields();
    void surnameAndNameAreJoined();
    void userChoiceIsRemembered();
    void sheetWithoutHeaderRowIsRecognised();

    void duplicatesByCodiceFiscaleAndByNameAndBirth();
    void refusedRowsAndRequiredFields();
    void longValuesAndForeignLettersAreFlagged();

    void ownExportReadBackGivesTheSameCards();
    void libreOfficeXlsxAndOdsGiveTheSameCards();
    void libreOfficeDatesAndNumbersAsShown();
    void appendSkipsWhatIsNotTickedAndTicksWin();
    void appendChecksAgainUnderTheLock();
    void appendedRecordsKeepNothingOfThePreviousRow();
    void photosMatchedByNameAndCodiceFiscale();
    void cancelledAppendKeepsWholeRecords();
    void failureHalfwayLeavesWholeRecords();
};

void TestImportLogic::csvInEveryDelimiterAndEncoding_data()
{
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("encoding");
    for (const char* d : {";", ",", "\t"}) {
        for (const char* e : {"utf8", "utf8bom", "cp1252"})
            QTest::addRow("%s %s", d[0] == '\t' ? "tab" : d, e)
                << QString::fromLatin1(d) << QString::fromLatin1(e);
    }
}

void TestImportLogic::csvInEveryDelimiterAndEncoding()
{
    QFETCH(QString, delimiter);
    QFETCH(QString, encoding);
    const QString text =
        QStringList{QStringLiteral("Cognome e nome"), QStringLiteral("Citt\u00E0"), QStringLiteral("CAP")}
            .join(delimiter) +
        QStringLiteral("\r\n") +
        QStringList{QStringLiteral("Nicol\u00F2 \u00C9mile"), QStringLiteral("Forl\u00EC \u20AC"),
                    QStringLiteral("06012")}
            .join(delimiter) +
        QStringLiteral("\r\n");
    const SheetReader::Sheet sheet = SheetReader::readCsv(inCodifica(text, encoding));
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.size(), 2);
    QCOMPARE(sheet.rows[0],
             QStringList({QStringLiteral("Cognome e nome"), QStringLiteral("Citt\u00E0"), "CAP"}));
    QCOMPARE(sheet.rows[1], QStringList({QStringLiteral("Nicol\u00F2 \u00C9mile"),
                                         QStringLiteral("Forl\u00EC \u20AC"), QStringLiteral("06012")}));
}

void TestImportLogic::csvQuotedFieldsAndMixedLineEndings()
{
    const QByteArray csv = "Nome;Note;CAP\r\n"
                           "\"Rossi; Mario\";\"riga uno\r\nriga \"\"due\"\"\";00100\n"
                           "Verdi Luca;5\" schermo;\r"
                           "Bianchi Anna;;\"\"\r\n";
    const SheetReader::Sheet sheet = SheetReader::readCsv(csv);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.size(), 4);
    QCOMPARE(sheet.rows[1], QStringList({"Rossi; Mario", "riga uno\nriga \"due\"", "00100"}));
    QCOMPARE(sheet.rows[2].value(0), QStringLiteral("Verdi Luca"));
    QCOMPARE(sheet.rows[2].value(1), QStringLiteral("5\" schermo"));
    QCOMPARE(sheet.rows[3].value(0), QStringLiteral("Bianchi Anna"));
}

void TestImportLogic::csvSeparatorNamedByExcel()
{
    const SheetReader::Sheet sheet =
        SheetReader::readCsv("sep=,\r\nNome;Cognome,Email\r\nMario;Rossi,m@r.it\r\n");
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows, QList<QStringList>({{"Nome;Cognome", "Email"}, {"Mario;Rossi", "m@r.it"}}));
}

void TestImportLogic::badFilesGiveAnItalianMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("vuoto");
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0", 18)
                             << QStringLiteral("non \u00E8 un foglio");
    QTest::newRow("damaged old excel")
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10) << QStringLiteral("XLS \u00E8 danneggiato");
    QTest::newRow("xlsx with password")
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10) +
               QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32)
        << QStringLiteral("XLSX \u00E8 protetto da password");
    QTest::newRow("zip of something else") << QByteArray() << QStringLiteral("non \u00E8 un foglio");
    QTest::newRow("blank lines only") << QByteArray("\r\n;;\r\n\r\n") << QStringLiteral("nessuna riga");
    QTest::newRow("html without table")
        << QByteArray("<html><body>ciao</body></html>") << QStringLiteral("non \u00E8 un foglio");
}

void TestImportLogic::badFilesGiveAnItalianMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("elenco.dat"));
    if (QByteArray(QTest::currentDataTag()) == "zip of something else")
        QVERIFY(scriviZip(path, {{QStringLiteral("word/document.xml"), QByteArray("<w/>")}}));
    else
        TestFiles::writeAll(path, bytes);
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY(!sheet.ok());
    QVERIFY(sheet.rows.isEmpty());
    QVERIFY2(sheet.error.startsWith(QStringLiteral("Attenzione: ")), qPrintable(sheet.error));
    QVERIFY2(sheet.error.contains(message), qPrintable(sheet.error));
}

void TestImportLogic::hugeFileIsRefusedUnread()
{
    TestEnvironment env;
    QFile file(env.path(QStringLiteral("enorme.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(200LL * 1024 * 1024)); // sparse: no disk is used
    file.close();
    const SheetReader::Sheet sheet = SheetReader::read(file.fileName());
    QVERIFY(sheet.error.contains(QStringLiteral("troppo grande")));
    QVERIFY(sheet.rows.isEmpty());
}

void TestImportLogic::strayQuoteIsRefused()
{
    const SheetReader::Sheet sheet = SheetReader::readCsv("Nome;Note\nRossi;ok\n\"Verdi;aperta\nBianchi;x\n");
    QVERIFY(!sheet.ok());
    QVERIFY2(sheet.error.contains(QStringLiteral("virgolette")) &&
                 sheet.error.contains(QStringLiteral("riga 3")),
             qPrintable(sheet.error));
    QVERIFY(sheet.rows.isEmpty());
}

void TestImportLogic::xlsxWithoutSharedStringsIsRefused()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("senza.xlsx"));
    QVERIFY(scriviZip(path, {{QStringLiteral("xl/workbook.xml"), kWorkbook},
                             {QStringLiteral("xl/worksheets/sheet1.xml"), kSheetShared}}));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.error.contains(QStringLiteral("sharedStrings")), qPrintable(sheet.error));

    // The same with the part present reads.
    const QString whole = env.path(QStringLiteral("intero.xlsx"));
    QVERIFY(scriviZip(whole, {{QStringLiteral("xl/workbook.xml"), kWorkbook},
                              {QStringLiteral("xl/sharedStrings.xml"),
                               "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                               "<si><t>Nome</t></si><si><r><t>Ros</t></r><r><t>si</t></r></si></sst>"},
                              {QStringLiteral("xl/worksheets/sheet1.xml"), kSheetShared}}));
    const SheetReader::Sheet read = SheetReader::read(whole);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.rows, QList<QStringList>({{"Nome"}, {"Rossi"}}));
}

void TestImportLogic::zipBombIsRefused()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("bomba.xlsx"));
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    QVERIFY(QuaZipFile(&zip).open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("xl/workbook.xml"))));
    {
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("xl/worksheets/sheet1.xml")),
                          nullptr, 0, Z_DEFLATED, 9));
        const QByteArray blanks(4 * 1024 * 1024, ' ');
        for (qint64 written = 0; written <= SheetReader::kMaxPartBytes; written += blanks.size())
            QCOMPARE(file.write(blanks), blanks.size());
        file.close();
    }
    zip.close();
    QVERIFY(QFileInfo(path).size() < 2 * 1024 * 1024);
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.error.contains(QStringLiteral("decompresso")), qPrintable(sheet.error));
    QVERIFY(sheet.rows.isEmpty());
}

void TestImportLogic::xlsxNumbersDatesAndText()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("numeri.xlsx"));
    const QByteArray styles =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"DD/MM/YYYY\"/><numFmt numFmtId=\"165\" "
        "formatCode=\"00000\"/><numFmt numFmtId=\"166\" formatCode=\"mm\\-dd\\-yy\"/>"
        "<numFmt numFmtId=\"167\" formatCode=\"[$-410]d\\ mmmm\\ yyyy;@\"/>"
        "<numFmt numFmtId=\"168\" formatCode=\"hh:mm\"/></numFmts>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
        "<xf numFmtId=\"14\"/><xf numFmtId=\"49\"/><xf numFmtId=\"166\"/><xf numFmtId=\"167\"/>"
        "<xf numFmtId=\"168\"/></cellXfs></styleSheet>";
    const QByteArray sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Nome</t></is></c><c r=\"C1\" "
        "t=\"inlineStr\"><is><t>X</t>"
        "</is></c></row>"
        "<row r=\"3\"><c r=\"A3\" s=\"1\"><v>29292</v></c><c r=\"B3\" s=\"2\"><v>6012</v></c>"
        "<c r=\"C3\"><v>3331234567</v></c><c r=\"D3\"><v>1.5</v></c><c r=\"E3\" s=\"3\"><v>29292</v></c>"
        "<c r=\"F3\" t=\"b\"><v>1</v></c><c r=\"G3\" t=\"str\"><f>A1</f><v>Nome</v></c>"
        "<c r=\"H3\" s=\"5\"><v>29292</v></c><c r=\"I3\" s=\"6\"><v>29292</v></c>"
        "<c r=\"J3\" s=\"7\"><v>0.5625</v></c></row>"
        "</sheetData></worksheet>";
    QVERIFY(scriviZip(path, {{QStringLiteral("xl/workbook.xml"), kWorkbook},
                             {QStringLiteral("xl/styles.xml"), styles},
                             {QStringLiteral("xl/worksheets/sheet1.xml"), sheet}}));
    const SheetReader::Sheet read = SheetReader::read(path);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.format, SheetReader::Format::Xlsx);
    QCOMPARE(read.rows.size(), 3);
    QCOMPARE(read.rows[0], QStringList({"Nome", "", "X"}));
    QVERIFY(read.rows[1].isEmpty());
    QCOMPARE(read.rows[2], QStringList({"12/03/1980", "06012", "3331234567", "1,5", "12/03/1980", "VERO",
                                        "Nome", "03-12-80", "12 marzo 1980", "13:30"}));
}

void TestImportLogic::headersMatchFields_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("target");
    QTest::newRow("export name") << "Cognome e nome" << int(C::Candidato);
    QTest::newRow("export city") << QStringLiteral("Citt\u00E0") << int(C::Citta);
    QTest::newRow("export issuer") << "Ente rilascio" << int(C::EnteRil);
    QTest::newRow("export role") << "Ruolo nel gruppo" << int(C::Esperienze);
    QTest::newRow("cf") << "CF" << int(C::CodFisc);
    QTest::newRow("c.f.") << " C.F. " << int(C::CodFisc);
    QTest::newRow("email") << "EMAIL" << int(C::Email);
    QTest::newRow("e-mail") << "e-mail" << int(C::Email);
    QTest::newRow("cellulare") << "Cellulare" << int(C::Cel);
    QTest::newRow("mobile") << "Mobile phone" << int(C::Cel);
    QTest::newRow("birth") << "Date of birth" << int(C::DataNasc);
    QTest::newRow("data di nascita") << "Data di nascita" << int(C::DataNasc);
    QTest::newRow("surname") << "Surname" << int(ImportMapping::kCognome);
    QTest::newRow("nome") << "nome" << int(ImportMapping::kNome);
    QTest::newRow("unknown") << "Taglia maglietta" << int(ImportMapping::kIgnora);
}

void TestImportLogic::headersMatchFields()
{
    QFETCH(QString, header);
    QFETCH(int, target);
    QCOMPARE(ImportMapping::matchHeader(header), target);
}

void TestImportLogic::surnameAndNameAreJoined()
{
    const QList<QStringList> rows = {{"Nome", "Cognome", "Sesso", "Telefono"},
                                     {"Mario", "Rossi", "maschio", "06 123"},
                                     {"", "Verdi", "f", ""}};
    const QList<ImportPlan::Riga> righe = piano(rows);
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe[0].values[C::Candidato], QStringLiteral("Rossi Mario"));
    QCOMPARE(righe[0].values[C::Sesso], QStringLiteral("M"));
    QCOMPARE(righe[0].values[C::Tel], QStringLiteral("06 123"));
    QCOMPARE(righe[1].values[C::Candidato], QStringLiteral("Verdi"));
    QCOMPARE(righe[1].values[C::Sesso], QStringLiteral("F"));
    const TSchedaAnagrafica card = ImportMapping::card(righe[0].values);
    QCOMPARE(card.testo(C::Candidato), QStringLiteral("Rossi Mario"));
    QCOMPARE(card.testo(C::Ricontatta), QStringLiteral("No"));
}

void TestImportLogic::userChoiceIsRemembered()
{
    TestEnvironment env;
    const QStringList headers = {"Socio", "Taglia", "Cell"};
    ImportMapping mapping = ImportMapping::fromHeaders(headers, ImportMapping::remembered(env.folder()));
    QCOMPARE(mapping.target(0), int(C::Candidato));
    QCOMPARE(mapping.target(1), ImportMapping::kIgnora);
    QCOMPARE(mapping.target(2), int(C::Cel));
    mapping.setTarget(1, C::Note);
    mapping.setTarget(2, C::Tel);
    QVERIFY(mapping.remember(env.folder(), headers));
    QVERIFY(QFileInfo::exists(ImportMapping::settingsPath(env.folder())));

    const ImportMapping again =
        ImportMapping::fromHeaders({"CELL", "taglia"}, ImportMapping::remembered(env.folder()));
    QCOMPARE(again.target(0), int(C::Tel));
    QCOMPARE(again.target(1), int(C::Note));
}

void TestImportLogic::sheetWithoutHeaderRowIsRecognised()
{
    const QStringList data = {"Rossi Mario", "12/03/1980", "mario@example.it"};
    QVERIFY(ImportPlan::sembraSenzaIntestazioni(data, ImportMapping::fromHeaders(data)));
    const QStringList words = {"Socio", "Paese"};
    QVERIFY(!ImportPlan::sembraSenzaIntestazioni(words, ImportMapping::fromHeaders(words)));
    const QStringList unknownWords = {"Squadra", "Taglia"};
    QVERIFY(!ImportPlan::sembraSenzaIntestazioni(unknownWords, ImportMapping::fromHeaders(unknownWords)));
}

void TestImportLogic::duplicatesByCodiceFiscaleAndByNameAndBirth()
{
    TestEnvironment env;
    scriviArchivio(
        C::archivio(env.folder()),
        {scheda({{C::Candidato, "Rossi Mario"}, {C::CodFisc, "RSSMRA80C12H501X"}}),
         scheda({{C::Candidato, QStringLiteral("D'Amico Nicol\u00F2")}, {C::DataNasc, "01/02/1990"}}),
         scheda({{C::Candidato, "Senza Data"}})});
    const ImportPlan::Chiavi chiavi = ImportPlan::chiaviRegistro(env.folder());
    const QList<QStringList> rows = {
        {"Cognome e nome", "Codice fiscale", "Data nascita"},
        {"Mario Rossi altro", "rssmra80c12h501x", ""}, // same codice fiscale, any name
        {"D AMICO  NICOLO", "", "01/02/1990"},         // same name and birth, blind to case, accents, blanks
        {QStringLiteral("d'amico nicol\u00F2"), "", "02/02/1990"}, // another birth date
        {"Senza Data", "", ""}, // no date on either side: probably the same person, left unticked
        {"Neri Ugo", "NRIGUO70A01F205Z", ""},
        {"Neri Ugo bis", "nriguo70a01f205z", ""}, // the same person twice in the file
    };
    const QList<ImportPlan::Riga> righe = piano(rows, chiavi);
    QCOMPARE(righe.size(), 6);
    QCOMPARE(righe[0].esito, ImportPlan::Esito::Presente);
    QCOMPARE(righe[0].posizione, 1);
    QCOMPARE(righe[1].esito, ImportPlan::Esito::Presente);
    QCOMPARE(righe[1].posizione, 2);
    QCOMPARE(ImportPlan::testoEsito(righe[1]), QStringLiteral("Gi\u00E0 in archivio (scheda 2)"));
    QCOMPARE(righe[2].esito, ImportPlan::Esito::Nuova);
    QCOMPARE(righe[3].esito, ImportPlan::Esito::ProbabilmentePresente);
    QCOMPARE(righe[3].posizione, 3);
    QCOMPARE(ImportPlan::testoEsito(righe[3]), QStringLiteral("Probabilmente gi\u00E0 presente (scheda 3)"));
    QCOMPARE(righe[4].esito, ImportPlan::Esito::Nuova);
    QCOMPARE(righe[5].esito, ImportPlan::Esito::PresenteNelFile);
    QCOMPARE(righe[5].posizione, 6);
    QVERIFY(!righe[0].importa && !righe[1].importa && righe[2].importa && !righe[3].importa &&
            !righe[5].importa);
}

void TestImportLogic::refusedRowsAndRequiredFields()
{
    const QList<QStringList> rows = {{"Nome", "Sesso", "Email", "Cellulare", "Ruolo", "Note"},
                                     {"", "M", "a@b.it", "333", "atleta", "senza nome"},
                                     {"", "", "", "", "", ""},
                                     {"Rossi", "", "r@b.it", "", "allenatore", ""}};
    const QList<ImportPlan::Riga> righe = piano(rows);
    QCOMPARE(righe.size(), 2); // the blank line is no person
    QCOMPARE(righe[0].esito, ImportPlan::Esito::Rifiutata);
    QVERIFY(!righe[0].importa);
    QCOMPARE(righe[1].esito, ImportPlan::Esito::Nuova);
    QCOMPARE(righe[1].mancanti, QStringList({"Sesso", "Tel. cellulare"}));
}

void TestImportLogic::longValuesAndForeignLettersAreFlagged()
{
    const QList<QStringList> rows = {{"Nome", "CAP", "Note"},
                                     {QStringLiteral("W\u0142adys\u0142aw \u5F20"), "123456789012", "ok"}};
    const QList<ImportPlan::Riga> righe = piano(rows);
    QCOMPARE(righe.size(), 1);
    QCOMPARE(righe[0].troppoLunghi, QStringList({"CAP"}));
    QCOMPARE(righe[0].fuoriCodifica, QStringList({"Cognome e nome"}));
    QVERIFY(righe[0].avvisi());
}

void TestImportLogic::ownExportReadBackGivesTheSameCards()
{
    TestEnvironment source;
    const QList<TSchedaAnagrafica> schede = {
        scheda({{C::Candidato, QStringLiteral("Nicol\u00F2 D'Amico & <Figli>")},
                {C::DataNasc, "01/02/1990"},
                {C::Cap, "00184"},
                {C::Indirizzo, "Via \"Roma\"   1"},
                {C::Email, "a&b@example.it"},
                {C::Note, QStringLiteral("\u20AC 1.000,50 \u2013 fine")},
                {C::Esperienze, "=1+1"},
                {C::Ricontatta, QStringLiteral("S\u00EC")}}),
        scheda({{C::Candidato, "Bianchi Anna"}, {C::Cap, "0"}, {C::Ricontatta, "No"}}),
        scheda({{C::Candidato, "Verdi Luca"}, {C::CodFisc, "VRDLCU80A01H501U"}, {C::Ricontatta, "No"}}),
    };
    scriviArchivio(C::archivio(source.folder()), schede);
    RegistryTable table;
    QVERIFY(table.read(C::archivio(source.folder())));
    const QString file = RegistryExport::path(source.folder());
    QCOMPARE(RegistryExport::save(file, table), RegistryExport::Outcome::Written);

    const SheetReader::Sheet sheet = SheetReader::read(file);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.format, SheetReader::Format::Html);
    QCOMPARE(sheet.rows.size(), 4);
    const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows[0]);
    for (int column = 0; column < RegistryTable::kColumns; ++column)
        QCOMPARE(mapping.target(column), int(RegistryTable::fields()[column]));

    TestEnvironment target;
    QList<ImportPlan::Riga> righe =
        ImportPlan::prepara(sheet.rows, mapping, ImportPlan::chiaviRegistro(target.folder()));
    const ImportAppend::Risultato risultato = ImportAppend::aggiungi(target.folder(), righe);
    QCOMPARE(risultato.aggiunte, 3);
    QCOMPARE(risultato.primaPosizione, 1);
    QCOMPARE(risultato.ultimaPosizione, 3);
    const QList<TSchedaAnagrafica> lette = leggiArchivio(C::archivio(target.folder()));
    QCOMPARE(lette.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(campi(lette[i]), campi(schede[i]));

    // Read again, nothing is new: the person with only a name is probably there already.
    righe = ImportPlan::prepara(sheet.rows, mapping, ImportPlan::chiaviRegistro(target.folder()));
    QCOMPARE(righe[0].esito, ImportPlan::Esito::Presente);
    QCOMPARE(righe[1].esito, ImportPlan::Esito::ProbabilmentePresente);
    QCOMPARE(righe[2].esito, ImportPlan::Esito::Presente);
    QCOMPARE(righe[2].posizione, 3);
    QVERIFY(std::none_of(righe.begin(), righe.end(), [](const ImportPlan::Riga& r) { return r.importa; }));
    QCOMPARE(ImportAppend::aggiungi(target.folder(), righe).aggiunte, 0);
}

void TestImportLogic::libreOfficeXlsxAndOdsGiveTheSameCards()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    TestEnvironment env;
    const QList<TSchedaAnagrafica> schede = {
        scheda({{C::Candidato, QStringLiteral("Nicol\u00F2 D'Amico")},
                {C::DataNasc, "01/02/1990"},
                {C::Cap, "00184"},
                {C::PartitaIva, "00743110157"},
                {C::Note, "riga   con spazi"},
                {C::Ricontatta, QStringLiteral("S\u00EC")}}),
        scheda({{C::Candidato, "Bianchi Anna"}, {C::Cap, "06012"}, {C::Ricontatta, "No"}}),
    };
    scriviArchivio(C::archivio(env.folder()), schede);
    RegistryTable table;
    QVERIFY(table.read(C::archivio(env.folder())));
    const QString file = RegistryExport::path(env.folder());
    QCOMPARE(RegistryExport::save(file, table), RegistryExport::Outcome::Written);

    for (const QString& format : {QStringLiteral("xlsx"), QStringLiteral("ods")}) {
        const QString converted = converti(file, format, env.folder() + format);
        QVERIFY2(!converted.isEmpty(), qPrintable(format));
        const SheetReader::Sheet sheet = SheetReader::read(converted);
        QVERIFY2(sheet.ok(), qPrintable(sheet.error));
        QCOMPARE(sheet.format, format == u"xlsx" ? SheetReader::Format::Xlsx : SheetReader::Format::Ods);
        QCOMPARE(sheet.rows.size(), 3);
        const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows[0]);
        const QList<ImportPlan::Riga> righe = ImportPlan::prepara(sheet.rows, mapping, {});
        QCOMPARE(righe.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const TSchedaAnagrafica card = ImportMapping::card(righe[i].values);
            QCOMPARE(campi(card), campi(schede[i]));
        }
    }
}

void TestImportLogic::libreOfficeDatesAndNumbersAsShown()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    TestEnvironment env;
    const QString html = env.path(QStringLiteral("numeri.html"));
    TestFiles::writeAll(
        html, "<html><body><table>"
              "<tr><td>Nome</td><td>Data nascita</td><td>CAP</td><td>Cellulare</td><td>Eta</td></tr>"
              "<tr><td>Rossi Mario</td><td sdval=\"29292\" sdnum=\"1040;1040;GG/MM/AAAA\">12/03/1980</td>"
              "<td sdnum=\"1040;0;@\">06012</td><td sdnum=\"1040;0;@\">0039333</td>"
              "<td sdval=\"42\" sdnum=\"1040;0;0\">42</td></tr></table></body></html>");
    for (const QString& format : {QStringLiteral("xlsx"), QStringLiteral("ods")}) {
        const QString converted =
            converti(html, format, env.folder() + format, QStringLiteral("HTML (StarCalc)"));
        QVERIFY2(!converted.isEmpty(), qPrintable(format));
        const SheetReader::Sheet sheet = SheetReader::read(converted);
        QVERIFY2(sheet.ok(), qPrintable(sheet.error));
        QCOMPARE(sheet.rows.size(), 2);
        QCOMPARE(sheet.rows[1], QStringList({"Rossi Mario", "12/03/1980", "06012", "0039333", "42"}));
    }
}

void TestImportLogic::appendSkipsWhatIsNotTickedAndTicksWin()
{
    TestEnvironment env;
    scriviArchivio(C::archivio(env.folder()),
                   {scheda({{C::Candidato, "Rossi Mario"}, {C::CodFisc, "RSSMRA"}})});
    const QList<QStringList> rows = {
        {"Nome", "CF"}, {"Rossi Mario", "RSSMRA"}, {"", "X"}, {"Verdi", ""}, {"Neri", ""}};
    QList<ImportPlan::Riga> righe = piano(rows, ImportPlan::chiaviRegistro(env.folder()));
    QCOMPARE(righe.size(), 4);
    righe[3].importa = false; // the user leaves Neri out
    ImportAppend::Risultato r = ImportAppend::aggiungi(env.folder(), righe);
    QCOMPARE(r.aggiunte, 1);
    QCOMPARE(r.saltate, 2);
    QCOMPARE(r.rifiutate, 1);
    QCOMPARE(r.primaPosizione, 2);
    const QString report = ImportAppend::rapporto(r, QStringLiteral("/tmp/elenco.csv"));
    QVERIFY(report.contains(QStringLiteral("Schede aggiunte: 1 (dalla posizione 2)")));
    QVERIFY(report.contains(QStringLiteral("Righe rifiutate perch\u00E9 senza nome: 1")));

    // A duplicate ticked by the user is added all the same.
    righe = piano(rows, ImportPlan::chiaviRegistro(env.folder()));
    QCOMPARE(righe[0].esito, ImportPlan::Esito::Presente);
    for (auto& riga : righe)
        riga.importa = riga.rigaFoglio == 2;
    r = ImportAppend::aggiungi(env.folder(), righe);
    QCOMPARE(r.aggiunte, 1);
    QCOMPARE(leggiArchivio(C::archivio(env.folder())).size(), 3);
}

void TestImportLogic::appendedRecordsKeepNothingOfThePreviousRow()
{
    TestEnvironment env;
    const QList<QStringList> rows = {
        {"Nome", "Indirizzo", "E-mail"},
        {"Bartolomeo Colleoni", "Via dei Mille 123, Bergamo", "bcolleoni@esempio.it"},
        {"Re", "", "r@e.it"}};
    const QList<ImportPlan::Riga> righe = piano(rows);
    QCOMPARE(ImportAppend::aggiungi(env.folder(), righe).aggiunte, 2);
    QFile file(C::archivio(env.folder()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray secondo = file.readAll().mid(C::kSize, C::kSize);
    // Byte for byte what a blank card filled with the second row holds.
    QCOMPARE(secondo, ImportMapping::card(righe[1].values).buffer());
    QVERIFY(!secondo.contains("Colleoni"));
    QVERIFY(!secondo.contains("Bergamo"));
}

void TestImportLogic::appendChecksAgainUnderTheLock()
{
    TestEnvironment env;
    const QList<QStringList> rows = {{"Nome", "CF"}, {"Rossi Mario", "RSSMRA"}, {"Verdi", "VRD"}};
    const QList<ImportPlan::Riga> righe = piano(rows, ImportPlan::chiaviRegistro(env.folder()));
    // Another workstation adds Rossi between the preview and the import.
    scriviArchivio(C::archivio(env.folder()), {scheda({{C::Candidato, "Rossi M."}, {C::CodFisc, "RSSMRA"}})});
    const ImportAppend::Risultato r = ImportAppend::aggiungi(env.folder(), righe);
    QCOMPARE(r.aggiunte, 1);
    QCOMPARE(r.saltate, 1);
    const QList<TSchedaAnagrafica> lette = leggiArchivio(C::archivio(env.folder()));
    QCOMPARE(lette.size(), 2);
    QCOMPARE(lette[1].testo(C::Candidato), QStringLiteral("Verdi"));
}

void TestImportLogic::photosMatchedByNameAndCodiceFiscale()
{
    TestEnvironment env;
    const QString photos = env.path(QStringLiteral("foto"));
    QVERIFY(QDir().mkpath(photos));
    QImage red(30, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    QImage blue(50, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QVERIFY(red.save(photos + QStringLiteral("/rossi_mario.JPG"), "JPG"));
    QVERIFY(blue.save(photos + QStringLiteral("/VRDLCU80A01H501U.png"), "PNG"));
    TestFiles::writeAll(photos + QStringLiteral("/Neri Ugo.jpg"), "non una foto");

    const QList<QStringList> rows = {{"Cognome", "Nome", "CF"},
                                     {"Rossi", "Mario", ""},
                                     {"Verdi", "Luca", "vrdlcu80a01h501u"},
                                     {"Neri", "Ugo", ""},
                                     {"Gialli", "Eva", ""}};
    const ImportAppend::Risultato r = ImportAppend::aggiungi(env.folder(), piano(rows), photos);
    QCOMPARE(r.aggiunte, 4);
    QCOMPARE(r.foto, 2);
    QCOMPARE(r.fotoIlleggibili, 1);
    // Cut to 3:4 (never stretched), small ones enlarged to the smallest card photo.
    QCOMPARE(PhotoFiles::load(FotoScheda::percorso(env.folder(), "1")).size(), QSize(300, 400));
    const QImage wide = PhotoFiles::load(FotoScheda::percorso(env.folder(), "2"));
    QCOMPARE(wide.size(), QSize(300, 400));
    QVERIFY(qBlue(wide.pixel(150, 200)) > 200 && qRed(wide.pixel(150, 200)) < 60);
    QVERIFY(!QFileInfo::exists(FotoScheda::percorso(env.folder(), "3")));
    QVERIFY(!QFileInfo::exists(FotoScheda::percorso(env.folder(), "4")));
}

void TestImportLogic::cancelledAppendKeepsWholeRecords()
{
    TestEnvironment env;
    QList<QStringList> rows = {{"Nome"}};
    for (int i = 0; i < 1000; ++i)
        rows.append({QStringLiteral("Persona %1").arg(i)});
    int calls = 0;
    const ImportAppend::Risultato r =
        ImportAppend::aggiungi(env.folder(), piano(rows), {}, [&calls](int, int) { return ++calls < 2; });
    QVERIFY(r.annullata);
    QCOMPARE(r.aggiunte, 512);
    QCOMPARE(QFileInfo(C::archivio(env.folder())).size(), qint64(512) * C::kSize);
    QVERIFY(ImportAppend::rapporto(r, {}).contains(QStringLiteral("interrotta")));
}

void TestImportLogic::failureHalfwayLeavesWholeRecords()
{
#ifdef Q_OS_UNIX
    TestEnvironment env;
    QList<QStringList> rows = {{"Nome"}};
    for (int i = 0; i < 10; ++i)
        rows.append({QStringLiteral("Persona %1").arg(i)});
    const QList<ImportPlan::Riga> righe = piano(rows);
    QFile(C::archivio(env.folder())).open(QIODevice::WriteOnly); // an empty archive
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 3 * C::kSize + 1000; // a disk that fills in the middle of the fourth card
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ImportAppend::Risultato r = ImportAppend::aggiungi(env.folder(), righe);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(r.aggiunte, 3);
    QVERIFY(r.errore.startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere")));
    QVERIFY(ImportAppend::rapporto(r, {}).contains(QStringLiteral("le 3 schede aggiunte")));
    // Whatever part of the fourth card reached the disk is not a card.
    const QList<TSchedaAnagrafica> lette = leggiArchivio(C::archivio(env.folder()));
    QCOMPARE(lette.size(), 3);
    QCOMPARE(lette[2].testo(C::Candidato), QStringLiteral("Persona 2"));
#else
    QSKIP("needs a file size limit");
#endif
}

QTEST_MAIN(TestImportLogic)
#include "tst_import_logic.moc"
