#include "documents/GroupPageDocument.h"
#include "documents/ListDocument.h"
#include "documents/ListPrinting.h"
#include "documents/PdfFile.h"
#include "documents/PdfProbe.h"
#include "documents/PersonCardDocument.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 10;

GroupPageDocument groupPage(const QString& phone)
{
    GroupPageData data;
    data.groupName = QStringLiteral("Gita a Roma");
    data.pageNumber = QStringLiteral("2");
    data.persone.at(0).nome = QStringLiteral("Rossi Mario");
    data.persone.at(0).um = QStringLiteral("Capogruppo");
    data.persone.at(0).codice = QStringLiteral("E-mail: mario.rossi@esempio.it");
    data.persone.at(0).prezzo = phone;
    GroupPageDocument document;
    document.fill(data);
    document.prepare();
    return document;
}

PersonCardDocument card()
{
    PersonCardDocument document;
    document.setText(QStringLiteral("txtCandidato"), QStringLiteral("Rossi Mario"));
    document.setText(QStringLiteral("txtSesso"), QStringLiteral("M"));
    document.setText(QStringLiteral("txtNote"), QStringLiteral("Certificato fine anno, schede anagrafiche"));
    document.prepare();
    return document;
}

ListDocument list()
{
    ListDocument document;
    ListPrinting::fill(document, QStringLiteral("Riepilogo schede anagrafiche in archivio"),
                       {QStringLiteral("Rossi Mario          Ufficio anagrafe     fine"),
                        QStringLiteral("Bianchi Luca         Officina             efficiente")},
                       QDateTime(QDate(2026, 12, 10), QTime(10, 30, 5)));
    return document;
}

} // namespace

class TestPdfOutput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void overflowingTextKeepsItsBeginning_data();
    void overflowingTextKeepsItsBeginning();
    void dateLineIsItalianWhateverTheLanguage_data();
    void dateLineIsItalianWhateverTheLanguage();
    void textIsSearchable_data();
    void textIsSearchable();
    void pointSizesAreExact_data();
    void pointSizesAreExact();
    void originIsOnTheMargin();
    void mendSpacesTouchesOnlyTheTabs();
    void fileNames_data();
    void fileNames();
    void failedSaveLeavesNothing();

private:
    QString write(const Report::PagedDocument& document, const QString& name);
    QTemporaryDir m_dir;
};

void TestPdfOutput::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestPdfOutput::write(const Report::PagedDocument& document, const QString& name)
{
    const std::optional<QByteArray> bytes = PdfFile::render(document, name);
    if (!bytes)
        return {};
    const QString path = m_dir.filePath(name);
    QString error;
    if (!PdfFile::save(path, *bytes, &error))
        qWarning("%s", qPrintable(error));
    return path;
}

void TestPdfOutput::overflowingTextKeepsItsBeginning_data()
{
    QTest::addColumn<int>("document"); // 0: group page, 1: card
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<double>("left"); // of the frame, millimetres on the sheet
    const double phoneLeft = kMargin + 532.91 / Report::kUnitsPerMm;
    QTest::newRow("right-aligned phone") << 0 << "Cel. +39 333 6677889 / 0522 123456"
                                         << "Cel." << phoneLeft;
    QTest::newRow("centred sex") << 1 << "MASCHIO-FEMMINA"
                                 << "MASCHIO-FEMMINA" << kMargin + 96.0;
}

void TestPdfOutput::overflowingTextKeepsItsBeginning()
{
    QFETCH(int, document);
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(double, left);
    QString pdf;
    if (document == 0) {
        pdf = write(groupPage(text).page(), QStringLiteral("lungo.pdf"));
    } else {
        PersonCardDocument sheet;
        sheet.setText(QStringLiteral("txtSesso"), text);
        sheet.prepare();
        pdf = write(sheet.page(), QStringLiteral("lungo.pdf"));
    }
    const QList<PdfProbe::Word> words = PdfProbe::words(pdf);
    const PdfProbe::Word word = PdfProbe::find(words, first);
    QVERIFY2(!word.text.isEmpty(), qPrintable(PdfProbe::pageText(words, 0)));
    QVERIFY2(std::abs(word.box.left() - left) <= 0.3, qPrintable(QString::number(word.box.left())));
    // A text that fits keeps its alignment.
    if (document == 0) {
        const QList<PdfProbe::Word> fitting =
            PdfProbe::words(write(groupPage(QStringLiteral("Cel. 333")).page(), QStringLiteral("corto.pdf")));
        const PdfProbe::Word number = PdfProbe::find(fitting, QStringLiteral("333"));
        QVERIFY(std::abs(number.box.right() - (left + 171.59 / Report::kUnitsPerMm)) <= 0.5);
    }
}

void TestPdfOutput::dateLineIsItalianWhateverTheLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("italiano") << QLocale(QLocale::Italian, QLocale::Italy);
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("tedesco") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("inglese") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("finlandese") << QLocale(QLocale::Finnish, QLocale::Finland);
}

void TestPdfOutput::dateLineIsItalianWhateverTheLanguage()
{
    // The process runs once under LANG=C.UTF-8 and once under LANG=it_IT.UTF-8.
    QFETCH(QLocale, locale);
    const QLocale before;
    QLocale::setDefault(locale);
    const QString line = ListPrinting::dateLine(QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7)));
    QLocale::setDefault(before);
    QVERIFY2(line.startsWith(QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore ")),
             qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral("9:05:07")), qPrintable(line));
}

void TestPdfOutput::textIsSearchable_data()
{
    QTest::addColumn<int>("document"); // 0: list, 1: card, 2: group page
    QTest::addColumn<QStringList>("searched");
    QTest::newRow("list") << 0
                          << QStringList{"Riepilogo schede anagrafiche in archivio", "Ufficio anagrafe fine",
                                         "Officina efficiente", "Stampa eseguita in data 10/12/2026"};
    QTest::newRow("card") << 1 << QStringList{"Certificato fine anno, schede anagrafiche", "Rossi Mario"};
    QTest::newRow("group page") << 2 << QStringList{"E-mail: mario.rossi@esempio.it", "Gita a Roma"};
}

void TestPdfOutput::textIsSearchable()
{
    QFETCH(int, document);
    QFETCH(QStringList, searched);
    QString pdf;
    if (document == 0)
        pdf = write(list(), QStringLiteral("elenco.pdf"));
    else if (document == 1)
        pdf = write(card().page(), QStringLiteral("scheda.pdf"));
    else
        pdf = write(groupPage(QStringLiteral("Cel. 333 1234567")).page(), QStringLiteral("gruppo.pdf"));
    const QString text = PdfProbe::rawText(pdf);
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(QLatin1Char('\t')), qPrintable(text));
    for (const QChar ligature : {QChar(0xFB00), QChar(0xFB01), QChar(0xFB02), QChar(0xFB03), QChar(0xFB04)})
        QVERIFY2(!text.contains(ligature), qPrintable(text));
    // Runs of blanks read as one, as pdftotext reads any gap.
    const QString simplified = text.simplified();
    for (const QString& words : searched)
        QVERIFY2(simplified.contains(words), qPrintable(words + QStringLiteral("\n") + simplified));
}

void TestPdfOutput::pointSizesAreExact_data()
{
    QTest::addColumn<int>("document");
    QTest::addColumn<QList<double>>("sizes");
    QTest::newRow("card") << 1 << QList<double>{8, 12};
    QTest::newRow("group page") << 2 << QList<double>{8, 10, 12, 16};
    QTest::newRow("list") << 0 << QList<double>{8, 9};
}

void TestPdfOutput::pointSizesAreExact()
{
    QFETCH(int, document);
    QFETCH(QList<double>, sizes);
    QString pdf;
    if (document == 0) {
        pdf = write(list(), QStringLiteral("dimensioni.pdf"));
    } else if (document == 1) {
        pdf = write(card().page(), QStringLiteral("dimensioni.pdf"));
    } else {
        GroupPageDocument page = groupPage(QStringLiteral("Cel. 333"));
        page.page().setText(QStringLiteral("txtCaratteristiche_A"), QStringLiteral("Note"));
        pdf = write(page.page(), QStringLiteral("dimensioni.pdf"));
    }
    const QList<double> measured = PdfProbe::fontSizes(pdf);
    QVERIFY(!measured.isEmpty());
    QSet<double> found;
    for (const double size : measured) {
        const auto design = std::find_if(sizes.cbegin(), sizes.cend(),
                                         [size](double wanted) { return std::abs(size - wanted) <= 0.01; });
        QVERIFY2(design != sizes.cend(), qPrintable(QString::number(size, 'f', 4)));
        found.insert(*design);
    }
    QCOMPARE(found.size(), sizes.size());
}

void TestPdfOutput::originIsOnTheMargin()
{
    // The card's title bar: its outline, one report unit wide, is centred on the frame's left
    // edge at 1 mm from the printable area.
    const QString pdf = write(card().page(), QStringLiteral("origine.pdf"));
    constexpr int kDpi = 2400;
    const double dotsPerMm = kDpi / 25.4;
    const int x0 = int(10 * dotsPerMm);
    const int y = int(15 * dotsPerMm);
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-x"), QString::number(x0),
                   QStringLiteral("-y"), QString::number(y), QStringLiteral("-W"),
                   QString::number(int(2 * dotsPerMm)), QStringLiteral("-H"), QStringLiteral("4"),
                   QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                   m_dir.filePath(QStringLiteral("angolo"))});
    QVERIFY(process.waitForFinished(120000));
    const QImage strip(m_dir.filePath(QStringLiteral("angolo.png")));
    QVERIFY(!strip.isNull());
    // Where the ink reaches half its darkness along the row.
    double edge = -1;
    for (int x = 1; x < strip.width(); ++x) {
        const int before = 255 - qRed(strip.pixel(x - 1, 2));
        const int here = 255 - qRed(strip.pixel(x, 2));
        const int half = (255 - qRed(QColor(0x41, 0x69, 0xE1).rgb())) / 2;
        if (before < half && here >= half) {
            edge = x0 + x - 1 + double(half - before) / double(here - before) + 0.5;
            break;
        }
    }
    QVERIFY(edge > 0);
    const double expected = kMargin + 1 - 0.5 / Report::kUnitsPerMm;
    QVERIFY2(std::abs(edge / dotsPerMm - expected) <= 0.03,
             qPrintable(QStringLiteral("%1 mm instead of %2").arg(edge / dotsPerMm).arg(expected)));
}

void TestPdfOutput::mendSpacesTouchesOnlyTheTabs()
{
    QByteArray cmap("2 beginbfchar\n<0009> <0009>\n<000A> <0041>\nendbfchar\n"
                    "3 beginbfrange\n<0001> <0003> [<0061> <0009> <0062>]\n<0009> <0009> <0009>\n"
                    "<0004> <0006> <0009>\nendbfrange\n<0009>");
    const QByteArray mended("2 beginbfchar\n<0009> <0020>\n<000A> <0041>\nendbfchar\n"
                            "3 beginbfrange\n<0001> <0003> [<0061> <0020> <0062>]\n<0009> <0009> <0020>\n"
                            "<0004> <0006> <0009>\nendbfrange\n<0009>");
    PdfFile::mendSpaces(cmap);
    QCOMPARE(cmap, mended);
}

void TestPdfOutput::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "Rossi Mario"
                           << "Rossi Mario.pdf";
    QTest::newRow("refused characters") << "Gita 3/B: \"Roma\" <2026>?"
                                        << "Gita 3 B Roma 2026.pdf";
    QTest::newRow("blanks and dots") << "  Rossi   Mario.. "
                                     << "Rossi Mario.pdf";
    QTest::newRow("empty") << " / "
                           << "Documento.pdf";
}

void TestPdfOutput::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(PdfFile::fileName(name, QStringLiteral("Documento")), file);
}

void TestPdfOutput::failedSaveLeavesNothing()
{
    const QString blocker = m_dir.filePath(QStringLiteral("non-cartella"));
    QFile plain(blocker);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QString error;
    QVERIFY(!PdfFile::save(blocker + QStringLiteral("/scheda.pdf"), "%PDF-1.4", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!PdfFile::save(m_dir.filePath(QStringLiteral("manca/scheda.pdf")), "%PDF-1.4", &error));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("manca"))));
}

QTEST_MAIN(TestPdfOutput)
#include "tst_pdf_output.moc"
