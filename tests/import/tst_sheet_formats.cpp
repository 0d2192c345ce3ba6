// The spreadsheet readers against files LibreOffice itself saves, and against small hand-written
// parts for what it cannot make (1904 workbooks, escapes, cells without a value, odd package paths).
#include "ImportFixture.h"
#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "import/NumberFormat.h"
#include "import/SheetReader.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QFile>
#include <QTest>

using namespace ImportFixture;

namespace {

const QByteArray kNs = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

QByteArray relationships(const QList<QPair<QByteArray, QByteArray>>& typeAndTarget)
{
    QByteArray xml = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : typeAndTarget)
        xml += "<Relationship Id=\"rId" + QByteArray::number(id++) +
               "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + type +
               "\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

// A workbook at "wb/libro.xml", found only through _rels/.rels, with the given sheets and styles.
bool scriviXlsx(const QString& path, const QByteArray& workbookExtra,
                const QList<QPair<QByteArray, QByteArray>>& sheets, const QByteArray& styles,
                const QByteArray& shared = {})
{
    QByteArray workbook = "<workbook " + kNs + ">" + workbookExtra + "<sheets>";
    QList<QPair<QByteArray, QByteArray>> rels = {{"styles", "stili.xml"}};
    if (!shared.isEmpty())
        rels.append(qMakePair(QByteArray("sharedStrings"), QByteArray("testi.xml")));
    QList<QPair<QString, QByteArray>> parts;
    for (int i = 0; i < sheets.size(); ++i) {
        workbook += "<sheet name=\"F" + QByteArray::number(i + 1) + "\" sheetId=\"" +
                    QByteArray::number(i + 1) + "\" " + sheets[i].first + " r:id=\"rId" +
                    QByteArray::number(rels.size() + 1) + "\"/>";
        rels.append(qMakePair(QByteArray("worksheet"), "fogli/f" + QByteArray::number(i + 1) + ".xml"));
        parts.append({QStringLiteral("wb/fogli/f%1.xml").arg(i + 1),
                      "<worksheet " + kNs + "><sheetData>" + sheets[i].second + "</sheetData></worksheet>"});
    }
    workbook += "</sheets></workbook>";
    parts.append({QStringLiteral("_rels/.rels"), relationships({{"officeDocument", "wb/libro.xml"}})});
    parts.append({QStringLiteral("wb/libro.xml"), workbook});
    parts.append({QStringLiteral("wb/_rels/libro.xml.rels"), relationships(rels)});
    parts.append({QStringLiteral("wb/stili.xml"), "<styleSheet " + kNs + ">" + styles + "</styleSheet>"});
    if (!shared.isEmpty())
        parts.append({QStringLiteral("wb/testi.xml"), "<sst " + kNs + ">" + shared + "</sst>"});
    return scriviZip(path, parts);
}

} // namespace

class TestSheetFormats : public QObject {
    Q_OBJECT
private slots:
    void numbersShownAsCalcShowsThem_data();
    void numbersShownAsCalcShowsThem();
    void libreOfficeFilesKeepPlainNumbers_data();
    void libreOfficeFilesKeepPlainNumbers();
    void handWrittenXlsxParts();
    void sheetsAreChosenAndHiddenOnesSkipped();
    void odsTypedValuesNotCachedText();
    void odsAutomaticOrderDatesInTheLocaleOrder_data();
    void odsAutomaticOrderDatesInTheLocaleOrder();
    void libreOfficeDefaultDatesInTheItalianOrder();
    void odsRepeatedRowsAreBoundedBeforeBuilding();
    void encryptedOdsIsSaidProtected();
    void csvInUtf16MixedEncodingsAndNul();
    void lostDigitsAndRequiredFieldsAreFlagged();
    void devicesAndPipesAreNeverRead();
};

void TestSheetFormats::numbersShownAsCalcShowsThem_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("lost");
    QTest::newRow("General is a number") << "General" << 20121.0 << "20121" << false;
    QTest::newRow("General decimals") << "General" << 1.5 << "1,5" << false;
    QTest::newRow("General fifteen digits") << "General" << 11.666666666666666 << "11,6666666666667" << false;
    QTest::newRow("Mac conditional General")
        << "[Red][<-25]General;[Blue][>25]General;General" << -26.0 << "-26" << false;
    QTest::newRow("conditional rest unsigned")
        << "[Red][<-25]General;[Blue][>25]General;General" << -1.0 << "1" << false;
    QTest::newRow("decimal rounding") << "0.00" << 166330.77499999999 << "166330,78" << true;
    QTest::newRow("thousands") << "#,##0.00" << 1234567.891 << "1.234.567,89" << true;
    QTest::newRow("padded") << "00000" << 6012.0 << "06012" << false;
    QTest::newRow("percent") << "0.0%" << 0.1234 << "12,3%" << true;
    QTest::newRow("scientific") << "0.00E+00" << 12345.6789 << "1,23E+04" << true;
    QTest::newRow("fraction") << "# ?/?" << 12345.6789 << "12345 2/3" << true;
    QTest::newRow("negative section") << "#,##0;(#,##0)" << -1234.0 << "(1.234)" << false;
    QTest::newRow("quoted literals") << "yyyy\"-\"mm\"-\"dd" << 44197.0 << "2021-01-01" << false;
    QTest::newRow("Italian month") << "d mmmm yyyy" << 29292.0 << "12 marzo 1980" << false;
    QTest::newRow("short month") << "d-mmm-yy" << 12345.6789 << "18-ott-33" << false;
    QTest::newRow("weekday") << "dddd" << 44197.0 << "venerd\u00EC" << false;
    QTest::newRow("elapsed hours") << "[hh]:mm:ss" << 1.5 << "36:00:00" << false;
    QTest::newRow("minutes and seconds") << "mm:ss" << 12345.6789 << "17:36" << false;
    QTest::newRow("am pm") << "h:mm AM/PM" << 0.75 << "6:00 p.m." << false;
    QTest::newRow("text format shows the number") << "@" << 42.0 << "42" << false;
    QTest::newRow("empty code is General") << "" << 3.25 << "3,25" << false;
}

void TestSheetFormats::numbersShownAsCalcShowsThem()
{
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(bool, lost);
    const NumberFormat::Shown result = NumberFormat::fromCode(code).show(value);
    QCOMPARE(result.text, shown);
    QCOMPARE(result.lostDigits, lost);
}

void TestSheetFormats::libreOfficeFilesKeepPlainNumbers_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("ods") << "ods";
    QTest::newRow("xls") << "xls";
}

// Numbers typed in Calc keep its default "General" style: they must come back as typed.
void TestSheetFormats::libreOfficeFilesKeepPlainNumbers()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QFETCH(QString, format);
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, "Cognome e nome;CAP;Cellulare;Eta;Quota\n"
                             "Rossi Mario;20121;3331234567;42;12,5\n"
                             "Bianchi Anna;06012;3479876543;7;0,25\n");
    const QString converted =
        converti(csv, format, env.folder() + format, QStringLiteral("CSV:59,34,76,1,,1040"));
    QVERIFY2(!converted.isEmpty(), qPrintable(format));
    const SheetReader::Sheet sheet = SheetReader::read(converted);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.size(), 3);
    QCOMPARE(sheet.rows[1], QStringList({"Rossi Mario", "20121", "3331234567", "42", "12,5"}));
    // Calc itself drops the leading zero of a number typed without a text format.
    QCOMPARE(sheet.rows[2], QStringList({"Bianchi Anna", "6012", "3479876543", "7", "0,25"}));
    QVERIFY(sheet.notes.isEmpty());
}

void TestSheetFormats::handWrittenXlsxParts()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("parti.xlsx"));
    const QByteArray styles = "<numFmts><numFmt numFmtId=\"164\" formatCode=\"General\"/>"
                              "<numFmt numFmtId=\"165\" formatCode=\"dd/mm/yyyy\"/></numFmts>"
                              "<cellXfs><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/></cellXfs>";
    const QByteArray shared = "<si><t>Nome</t></si><si><t>riga_x000D_\nnuova</t></si>";
    const QByteArray rows =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"XFD1\" s=\"1\"/></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"B2\" s=\"0\"><v>20121</v></c>"
        "<c r=\"C2\" s=\"1\"><v>1</v></c><c r=\"D2\" t=\"d\" s=\"1\"><v>1980-03-12T00:00:00Z</v></c>"
        "<c r=\"E2\" t=\"s\"/><c r=\"F2\"><f>B2*2</f></c><c r=\"G2\" "
        "t=\"inlineStr\"><is><t>a_x0009_b</t></is></c></row>"
        "<row r=\"1048576\"><c r=\"A1048576\" s=\"1\"/></row>";
    QVERIFY(scriviXlsx(path, "<workbookPr date1904=\"1\"/><x15:workbookPr xmlns:x15=\"urn:x15\"/>",
                       {{"", rows}}, styles, shared));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.format, SheetReader::Format::Xlsx);
    QCOMPARE(sheet.rows.size(), 2);
    QCOMPARE(sheet.rows[0], QStringList({"Nome"}));
    // 1904 dates, _xHHHH_ escapes, ISO date cells; a cell without <v> is empty, not damage.
    QCOMPARE(sheet.rows[1],
             QStringList({"riga\r\nnuova", "20121", "02/01/1904", "12/03/1980", "", "", "a\tb"}));
    QCOMPARE(sheet.notes.size(), 1);
    QCOMPARE(sheet.notes[0].kind, SheetReader::CellNote::Kind::FormulaWithoutValue);
    QCOMPARE(sheet.notes[0].row, 1);
    QCOMPARE(sheet.notes[0].column, 5);
}

void TestSheetFormats::sheetsAreChosenAndHiddenOnesSkipped()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("fogli.xlsx"));
    const QByteArray inline_ = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>%1</t></is></c></row>";
    QVERIFY(scriviXlsx(path, {},
                       {{"state=\"hidden\"", QByteArray(inline_).replace("%1", "nascosto")},
                        {"", QByteArray(inline_).replace("%1", "secondo")},
                        {"", QByteArray(inline_).replace("%1", "terzo")}},
                       {}));
    QString error;
    const QList<SheetReader::SheetInfo> list = SheetReader::sheets(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(list.size(), 3);
    QVERIFY(!list[0].visible && list[1].visible && list[2].visible);
    QCOMPARE(list[2].name, QStringLiteral("F3"));
    QCOMPARE(SheetReader::read(path).rows, QList<QStringList>({{"secondo"}}));
    QCOMPARE(SheetReader::read(path, 2).rows, QList<QStringList>({{"terzo"}}));
}

void TestSheetFormats::odsTypedValuesNotCachedText()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("tipi.ods"));
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\">"
        "<office:automatic-styles>"
        "<number:date-style style:name=\"N1\"><number:day number:style=\"long\"/><number:text>/</number:text>"
        "<number:month number:style=\"long\"/><number:text>/</number:text><number:year "
        "number:style=\"long\"/>"
        "</number:date-style>"
        "<number:number-style style:name=\"N2\"><number:number number:decimal-places=\"2\" "
        "number:min-integer-digits=\"1\" number:grouping=\"true\"/></number:number-style>"
        "<number:percentage-style style:name=\"N3\"><number:number number:decimal-places=\"0\" "
        "number:min-integer-digits=\"1\"/><number:text>%</number:text></number:percentage-style>"
        "<number:time-style style:name=\"N4\" number:truncate-on-overflow=\"false\"><number:hours/>"
        "<number:text>:</number:text><number:minutes number:style=\"long\"/></number:time-style>"
        "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N1\"/>"
        "<style:style style:name=\"ce2\" style:family=\"table-cell\" style:data-style-name=\"N2\"/>"
        "<style:style style:name=\"ce3\" style:family=\"table-cell\" style:data-style-name=\"N3\"/>"
        "<style:style style:name=\"ce4\" style:family=\"table-cell\" style:data-style-name=\"N4\"/>"
        "<style:style style:name=\"ta1\" style:family=\"table\"><style:table-properties "
        "table:display=\"false\"/></style:style>"
        "</office:automatic-styles><office:body><office:spreadsheet>"
        "<table:table table:name=\"Nascosto\" table:style-name=\"ta1\"><table:table-row><table:table-cell "
        "office:value-type=\"string\"><text:p>no</text:p></table:table-cell></table:table-row></table:table>"
        "<table:table table:name=\"Soci\"><table:table-row>"
        "<table:table-cell table:style-name=\"ce1\" office:value-type=\"date\" "
        "office:date-value=\"1980-04-03\">"
        "<text:p>4/3/80</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"boolean\" "
        "office:boolean-value=\"false\"><text:p>FALSE</text:p>"
        "</table:table-cell>"
        "<table:table-cell office:value-type=\"float\" "
        "office:value=\"1.5\"><text:p>1.5</text:p></table:table-cell>"
        "<table:table-cell table:style-name=\"ce2\" office:value-type=\"float\" office:value=\"1234.567\">"
        "<text:p>1,234.57</text:p></table:table-cell>"
        "<table:table-cell table:style-name=\"ce3\" office:value-type=\"percentage\" office:value=\"0.25\">"
        "<text:p>25%</text:p></table:table-cell>"
        "<table:table-cell table:style-name=\"ce4\" office:value-type=\"time\" "
        "office:time-value=\"PT36H30M00S\">"
        "<text:p>36:30</text:p></table:table-cell>"
        "<table:table-cell table:formula=\"of:=[.A1]\"/>"
        "</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>";
    QVERIFY(scriviZip(path, {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                             {QStringLiteral("content.xml"), content}}));
    const QList<SheetReader::SheetInfo> list = SheetReader::sheets(path);
    QCOMPARE(list.size(), 2);
    QVERIFY(!list[0].visible);
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.format, SheetReader::Format::Ods);
    QCOMPARE(sheet.rows, QList<QStringList>({{"03/04/1980", "FALSO", "1,5", "1.234,57", "25%", "36:30"}}));
    QCOMPARE(sheet.notes.size(), 2);
}

void TestSheetFormats::odsAutomaticOrderDatesInTheLocaleOrder_data()
{
    // The parts of a number:date-style, the style's attributes, and what Calc shows in Italian
    // for 1961-11-21 00:17:00 (as LibreOffice 7.4 converts such files under it_IT).
    QTest::addColumn<QByteArray>("parts");
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<QString>("shown");
    const QByteArray slash = "<number:text>/</number:text>";
    const QByteArray m = "<number:month/>", mm = "<number:month number:style=\"long\"/>";
    const QByteArray mmm = "<number:month number:textual=\"true\"/>";
    const QByteArray mmmm = "<number:month number:textual=\"true\" number:style=\"long\"/>";
    const QByteArray d = "<number:day/>", dd = "<number:day number:style=\"long\"/>";
    const QByteArray yy = "<number:year/>", yyyy = "<number:year number:style=\"long\"/>";
    const QByteArray nn = "<number:day-of-week/>", nnnn = "<number:day-of-week number:style=\"long\"/>";
    const QByteArray hm = "<number:text> </number:text><number:hours number:style=\"long\"/><number:text>:"
                          "</number:text><number:minutes number:style=\"long\"/>";
    const QByteArray secs = "<number:text>:</number:text><number:seconds number:style=\"long\"/>";
    const QByteArray ampm = "<number:text> </number:text><number:am-pm/>";
    const QByteArray comma = "<number:text>, </number:text>", blank = "<number:text> </number:text>";
    const QByteArray automatic = " number:automatic-order=\"true\"";
    const QByteArray system = automatic + " number:format-source=\"language\"";
    QTest::newRow("MM/DD/YYYY") << mm + slash + dd + slash + yyyy << automatic << "21/11/1961";
    QTest::newRow("MM/DD/YY") << mm + slash + dd + slash + yy << automatic << "21/11/61";
    QTest::newRow("YYYY-MM-DD") << yyyy + "<number:text>-</number:text>" + mm +
                                       "<number:text>-</number:text>" + dd
                                << automatic << "21/11/1961";
    QTest::newRow("literals give way")
        << "<number:text>Data: </number:text>" + mm + slash + dd + slash + yyyy << automatic << "21/11/1961";
    QTest::newRow("MMMM D, YYYY") << mmmm + blank + d + comma + yyyy << automatic << "21 novembre 1961";
    QTest::newRow("MMM D, YYYY") << mmm + blank + d + comma + yyyy << automatic << "21 nov 1961";
    QTest::newRow("DD MMM") << mmm + blank + dd << automatic << "21/nov";
    QTest::newRow("NN, MMM D, YY") << nn + comma + mmm + blank + d + comma + yy << automatic
                                   << "mar 21 nov 61";
    QTest::newRow("NNNN, MMMM D, YYYY")
        << nnnn + comma + mmmm + blank + d + comma + yyyy << automatic << "marted\u00EC 21 novembre 1961";
    QTest::newRow("date and time to seconds, AM/PM")
        << m + slash + d + slash + yy + hm + secs + ampm << automatic << "21/11/1961 00:17:00";
    QTest::newRow("date and time, four-digit year")
        << mm + slash + dd + slash + yyyy + hm << automatic << "21/11/1961 00:17";
    QTest::newRow("system short date") << mm + slash + dd + slash + yy << system << "21/11/61";
    QTest::newRow("system long date")
        << nnnn + comma + mmmm + blank + d + comma + yyyy << system << "marted\u00EC 21 novembre 1961";
    QTest::newRow("system date and time, AM/PM")
        << m + slash + d + slash + yy + hm + ampm << system << "21/11/61 00:17";
    QTest::newRow("Italian language")
        << mm + slash + dd + slash + yyyy << automatic + " number:language=\"it\" number:country=\"IT\""
        << "21/11/1961";
    // No default of Calc has these parts: the order stays as written.
    QTest::newRow("M/D/YY") << m + slash + d + slash + yy << automatic << "11/21/61";
    QTest::newRow("MM/DD/YY HH:MM AM/PM")
        << mm + slash + dd + slash + yy + hm + ampm << automatic << "11/21/61 12:17 a.m.";
    QTest::newRow("without automatic order")
        << mm + slash + dd + slash + yyyy << QByteArray() << "11/21/1961";
}

void TestSheetFormats::odsAutomaticOrderDatesInTheLocaleOrder()
{
    QFETCH(QByteArray, parts);
    QFETCH(QByteArray, attributes);
    QFETCH(QString, shown);
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("date.ods"));
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\"><office:automatic-styles>"
        "<number:date-style style:name=\"N1\"" +
        attributes + ">" + parts +
        "</number:date-style><style:style style:name=\"ce1\" style:family=\"table-cell\" "
        "style:data-style-name=\"N1\"/></office:automatic-styles><office:body><office:spreadsheet>"
        "<table:table table:name=\"Soci\"><table:table-row><table:table-cell table:style-name=\"ce1\" "
        "office:value-type=\"date\" office:date-value=\"1961-11-21T00:17:00\"><text:p>11/21/61</text:p>"
        "</table:table-cell></table:table-row></table:table></office:spreadsheet></office:body>"
        "</office:document-content>";
    QVERIFY(scriviZip(path, {{QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.spreadsheet"},
                             {QStringLiteral("content.xml"), content}}));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows, QList<QStringList>({{shown}}));
}

// Dates typed in an American Calc keep its default formats, which Calc shows in the reader's order.
void TestSheetFormats::libreOfficeDefaultDatesInTheItalianOrder()
{
    if (soffice().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("nati.csv"));
    TestFiles::writeAll(csv,
                        "Nome,Nato,Ora\nRossi,11/21/61,11/21/61 12:17 PM\nBianchi,5/3/27,5/3/27 4:05 PM\n");
    const QString ods = converti(csv, QStringLiteral("ods"), env.folder() + QStringLiteral("ods"),
                                 QStringLiteral("CSV:44,34,76,1,,1033"));
    QVERIFY(!ods.isEmpty());
    const SheetReader::Sheet sheet = SheetReader::read(ods);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows, QList<QStringList>({{"Nome", "Nato", "Ora"},
                                             {"Rossi", "21/11/61", "21/11/61 12:17"},
                                             {"Bianchi", "03/05/27", "03/05/27 16:05"}}));
}

void TestSheetFormats::odsRepeatedRowsAreBoundedBeforeBuilding()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("ripetuto.ods"));
    const QByteArray content =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"999000\">"
        "<table:table-cell table:number-columns-repeated=\"1000\" "
        "office:value-type=\"string\"><text:p>x</text:p>"
        "</table:table-cell></table:table-row></table:table></office:spreadsheet></office:body>"
        "</office:document-content>";
    QVERIFY(scriviZip(path, {{QStringLiteral("content.xml"), content}}));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY(sheet.rows.isEmpty());
    QVERIFY2(sheet.error.contains(QStringLiteral("troppe righe")), qPrintable(sheet.error));
}

void TestSheetFormats::encryptedOdsIsSaidProtected()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("segreto.ods"));
    QVERIFY(scriviZip(
        path, {{QStringLiteral("META-INF/manifest.xml"),
                "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
                "<manifest:file-entry manifest:full-path=\"content.xml\"><manifest:encryption-data/>"
                "</manifest:file-entry></manifest:manifest>"},
               {QStringLiteral("content.xml"), QByteArray(64, '\x7F')}}));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.error.contains(QStringLiteral("ODS \u00E8 protetto da password")),
             qPrintable(sheet.error));
}

void TestSheetFormats::csvInUtf16MixedEncodingsAndNul()
{
    // Excel's "Testo Unicode": UTF-16 little endian with its mark, tab-separated.
    const QString text = QStringLiteral("Nome\tCitt\u00E0\r\nNicol\u00F2\tForl\u00EC\r\n");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : text)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("unicode.txt"));
    TestFiles::writeAll(path, utf16);
    const SheetReader::Sheet unicode = SheetReader::read(path);
    QVERIFY2(unicode.ok(), qPrintable(unicode.error));
    QCOMPARE(unicode.rows,
             QList<QStringList>({{"Nome", QStringLiteral("Citt\u00E0")},
                                 {QStringLiteral("Nicol\u00F2"), QStringLiteral("Forl\u00EC")}}));

    // Lines added at different times in UTF-8 and Windows-1252; a NUL far into the file.
    QByteArray mixed = "Nome;Note\nPerch\xC3\xA9;utf8\nNiccol\xF2;cp1252\n";
    mixed += "Nul" + QByteArray(70 * 1024, ' ') + ";x\n";
    mixed += QByteArray("Nul\0Dentro;y\n", 13);
    const SheetReader::Sheet csv = SheetReader::readCsv(mixed);
    QVERIFY2(csv.ok(), qPrintable(csv.error));
    QCOMPARE(csv.rows[1][0], QStringLiteral("Perch\u00E9"));
    QCOMPARE(csv.rows[2][0], QStringLiteral("Niccol\u00F2"));
    QCOMPARE(csv.rows[4][0], QStringLiteral("NulDentro"));

    // One enormous cell is cut before anything else looks at it.
    const SheetReader::Sheet huge =
        SheetReader::readCsv("Nome\n\"" + QByteArray(4 * 1024 * 1024, 'a') + "\"\n");
    QCOMPARE(huge.rows[1][0].size(), SheetReader::kMaxCellChars);
}

void TestSheetFormats::lostDigitsAndRequiredFieldsAreFlagged()
{
    const QList<QStringList> rows = {{"Cognome e nome", "Cellulare", "Sesso", "E-mail", "Ruolo"},
                                     {"Rossi Mario", "3,33E+09", "M", "m@r.it", "Atleta"},
                                     {"Verdi Luca", "3331234567", "", "", ""}};
    const QList<SheetReader::CellNote> notes = {{1, 1, SheetReader::CellNote::Kind::DigitsLost}};
    const QList<ImportPlan::Riga> righe =
        ImportPlan::prepara(rows, ImportMapping::fromHeaders(rows[0]), {}, {}, nullptr, notes);
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe[0].cifrePerse, QStringList({"Tel. cellulare"}));
    QVERIFY(righe[0].avvisi());
    QCOMPARE(righe[1].mancanti, QStringList({"Sesso", "E-mail", "Ruolo nel gruppo"}));
    QVERIFY(righe[1].avvisi());
}

void TestSheetFormats::devicesAndPipesAreNeverRead()
{
#ifdef Q_OS_UNIX
    TestEnvironment env;
    const QString link = env.path(QStringLiteral("zero.csv"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), link));
    QVERIFY(!SheetReader::read(link).ok());
    const QString photo = env.path(QStringLiteral("Rossi Mario.jpg"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), photo));
    QCOMPARE(ImportAppend::leggiFoto(photo).outcome, PhotoFiles::Outcome::Unreadable);
#else
    QSKIP("devices are a Unix matter");
#endif
}

QTEST_GUILESS_MAIN(TestSheetFormats)
#include "tst_sheet_formats.moc"
