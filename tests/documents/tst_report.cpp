#include "documents/GroupPageDocument.h"
#include "documents/ListDocument.h"
#include "documents/ListPrinting.h"
#include "documents/PdfProbe.h"
#include "documents/PersonCardDocument.h"
#include "documents/Report.h"
#include "widgets/RegionalSettings.h"

#include <QApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kMargin = 10;
constexpr double kTolerance = 0.5;

// The centre of a text frame given in millimetres from the printable area, on the sheet.
QPointF onSheet(double x, double y)
{
    return QPointF(x + kMargin, y + kMargin);
}

QString describe(const PdfProbe::Word& word)
{
    return QStringLiteral("%1 at %2,%3 - %4,%5")
        .arg(word.text)
        .arg(word.box.left())
        .arg(word.box.top())
        .arg(word.box.right())
        .arg(word.box.bottom());
}

QImage photo(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fontsResolveToInstalledFamilies();
    void fittedKeepsProportionsAndCentres();
    void unknownObjectNameThrows();
    void largePhotoIsBroughtToDrawingSize();
    void tooLargePhotoFailsToPrepare();
    void textIsCutAtTheFrameEdge();
    void cardPositions_data();
    void cardPositions();
    void cardFontsAndTitle();
    void cardTrimsAndNeverWraps();
    void printerMarginsDoNotMoveTheCard();
    void groupPagePositions_data();
    void groupPagePositions();
    void groupPageColoursAndEmptyPageNumber();
    void groupPageLongNameIsCut();
    void listPagination_data();
    void listPagination();
    void listOnThreePages();
    void emptyList();
    void listStopsWhenProgressSaysSo();

private:
    QString pdf(const Report::PagedDocument& document, const QString& name);
    QString writeCard();
    QTemporaryDir m_dir;
    QString m_card;
};

void TestReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Set FOLVARA_KEEP_PDF to look at the documents afterwards.
    if (qEnvironmentVariableIsSet("FOLVARA_KEEP_PDF")) {
        m_dir.setAutoRemove(false);
        qInfo("PDF files in %s", qPrintable(m_dir.path()));
    }
    m_card = writeCard();
}

QString TestReport::pdf(const Report::PagedDocument& document, const QString& name)
{
    const QString path = m_dir.filePath(name);
    QPdfWriter writer(path);
    writer.setResolution(1200);
    if (!Report::render(document, writer))
        return {};
    return path;
}

QString TestReport::writeCard()
{
    PersonCardDocument card;
    const auto& names = PersonCardDocument::textNames();
    for (int i = 0; i < PersonCardDocument::kTexts; ++i)
        card.setText(QString::fromLatin1(names[i]), QStringLiteral("V%1").arg(i, 2, 10, QLatin1Char('0')));
    card.setText(QStringLiteral("txtCandidato"), QStringLiteral("Rossi"));
    card.setPhoto(photo(300, 400, Qt::red));
    card.prepare();
    return pdf(card.page(), QStringLiteral("scheda.pdf"));
}

void TestReport::fontsResolveToInstalledFamilies()
{
    const struct {
        const char* design;
        const char* expected;
    } cases[] = {
        {"Arial", "Liberation Sans"}, {"Courier New", "Liberation Mono"}, {"Verdana", "DejaVu Sans"}};
    for (const auto& c : cases) {
        const QFont font = Report::font(QString::fromLatin1(c.design), 8);
        // Whatever name the font carries, the family the system really draws with.
        const QString used = QFontInfo(font).family();
        QVERIFY2(used == QLatin1String(c.design) || used == QLatin1String(c.expected), qPrintable(used));
    }
}

void TestReport::fittedKeepsProportionsAndCentres()
{
    // A tall picture in a wide frame: full height, centred across.
    QCOMPARE(Report::fitted(QSizeF(100, 200), QRectF(0, 0, 100, 50)), QRectF(37.5, 0, 25, 50));
    // A wide picture in a tall frame: full width, centred down.
    QCOMPARE(Report::fitted(QSizeF(400, 100), QRectF(10, 10, 100, 100)), QRectF(10, 47.5, 100, 25));
    QVERIFY(Report::fitted(QSizeF(0, 10), QRectF(0, 0, 10, 10)).isNull());
}

void TestReport::unknownObjectNameThrows()
{
    PersonCardDocument card;
    QVERIFY_THROWS_EXCEPTION(Report::Error, card.setText(QStringLiteral("txtNessuno"), QStringLiteral("x")));
    // A picture is not a text.
    QVERIFY_THROWS_EXCEPTION(Report::Error, card.setText(QStringLiteral("imgLogo"), QStringLiteral("x")));
    ListDocument list;
    QVERIFY_THROWS_EXCEPTION(Report::Error,
                             list.setText(QStringLiteral("txtRiepilogo"), QStringLiteral("x")));
}

void TestReport::largePhotoIsBroughtToDrawingSize()
{
    PersonCardDocument card;
    card.setPhoto(photo(6000, 4000, Qt::blue));
    card.prepare();
    const QImage& prepared = card.page().object(QStringLiteral("imgLogo")).prepared;
    // 188 mm at 300 dpi, proportions kept.
    QCOMPARE(prepared.width(), 2221);
    QCOMPARE(prepared.height(), 1481);
    // A small photo is drawn as it is.
    card.setPhoto(photo(282, 366, Qt::blue));
    card.prepare();
    QCOMPARE(card.page().object(QStringLiteral("imgLogo")).prepared.size(), QSize(282, 366));
}

void TestReport::tooLargePhotoFailsToPrepare()
{
    PersonCardDocument card;
    card.page().setLargestPicture(1000);
    card.setPhoto(photo(40, 25, Qt::blue));
    card.prepare();
    QVERIFY(card.page().isPrepared());
    card.setPhoto(photo(40, 26, Qt::blue));
    QVERIFY_THROWS_EXCEPTION(Report::Error, card.prepare());
    QVERIFY(!card.page().isPrepared());
}

void TestReport::textIsCutAtTheFrameEdge()
{
    PersonCardDocument card;
    card.setText(QStringLiteral("txtNote"), QString(400, QLatin1Char('W')));
    card.setText(QStringLiteral("txtSesso"), QString(40, QLatin1Char('M')));
    const double dotsPerMm = 8;
    const QImage page = Report::renderPage(card.page(), 0, dotsPerMm);
    // Ink of the note stops at the right edge of its text frame (1 + 1 + 186 mm), short of
    // the box's outline at 189 mm; and nothing goes below the line.
    auto inkBetween = [&](double x0, double x1, double y0, double y1) {
        for (int y = int((y0 + kMargin) * dotsPerMm); y < int((y1 + kMargin) * dotsPerMm); ++y) {
            for (int x = int((x0 + kMargin) * dotsPerMm); x < int((x1 + kMargin) * dotsPerMm); ++x) {
                if (qGray(page.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    QVERIFY(inkBetween(100, 186.5, 272, 274));
    QVERIFY(!inkBetween(188.2, 188.8, 271.6, 274.8));
    // The centred text wider than its frame does not spill into the next box either.
    QVERIFY(!inkBetween(111.2, 112.8, 159.6, 163.2));
}

void TestReport::cardPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("left"); // of the first word; negative: centred on -left
    QTest::addColumn<double>("middle");
    // Captions at (x + 1, t + 1) 3.6 high; values at (x + 1, t + 6.4) 4 high.
    QTest::newRow("luogo caption") << "LUOGO" << 2.0 << 153 + 1 + 1.8;
    QTest::newRow("luogo value") << "V04" << 2.0 << 153 + 6.4 + 2;
    QTest::newRow("data value") << "V02" << 62.0 << 153 + 8.4;
    QTest::newRow("sesso centred") << "V01" << -(95 + 8.0) << 153 + 8.4;
    QTest::newRow("indirizzo") << "V05" << 114.0 << 153 + 8.4;
    QTest::newRow("codice fiscale caption") << "FISCALE" << -1.0 << 167 + 2.8;
    QTest::newRow("codice fiscale") << "V09" << 148.0 << 167 + 8.4;
    QTest::newRow("settore") << "V08" << 96.0 << 167 + 8.4;
    QTest::newRow("lingue") << "V13" << 96.0 << 181 + 8.4;
    QTest::newRow("cittadinanza") << "V03" << 143.0 << 195 + 8.4;
    QTest::newRow("data scadenza") << "V20" << 149.0 << 209 + 8.4;
    QTest::newRow("ente") << "V18" << 60.0 << 209 + 8.4;
    QTest::newRow("cellulare") << "V16" << 143.0 << 223 + 8.4;
    QTest::newRow("disponibilita") << "V23" << 96.0 << 237 + 8.4;
    QTest::newRow("ruolo") << "V21" << 2.0 << 251 + 8.4;
    QTest::newRow("note caption") << "NOTE" << 2.0 << 265 + 2.8;
    QTest::newRow("note") << "V24" << 2.0 << 265 + 8.4;
    QTest::newRow("name in the title bar") << "Rossi" << -(2 + 93.0) << 2.2 + 3;
}

void TestReport::cardPositions()
{
    QFETCH(QString, text);
    QFETCH(double, left);
    QFETCH(double, middle);
    const QList<PdfProbe::Word> words = PdfProbe::words(m_card);
    QVERIFY2(!words.isEmpty(), "pdftotext gives no words");
    const PdfProbe::Word word = PdfProbe::find(words, text);
    QVERIFY2(!word.text.isEmpty(), qPrintable(text));
    const QPointF expected = onSheet(std::abs(left), middle);
    if (left >= 0)
        QVERIFY2(std::abs(word.box.left() - expected.x()) <= kTolerance, qPrintable(describe(word)));
    else if (left < -1)
        QVERIFY2(std::abs(word.box.center().x() - expected.x()) <= kTolerance, qPrintable(describe(word)));
    QVERIFY2(std::abs(word.box.center().y() - expected.y()) <= kTolerance, qPrintable(describe(word)));
}

void TestReport::cardFontsAndTitle()
{
    QCOMPARE(PdfProbe::fonts(m_card), (QStringList{"LiberationSans", "LiberationSans-Bold"}));
    QCOMPARE(PdfProbe::pageCount(m_card), 1);
    const QString text = PdfProbe::pageText(PdfProbe::words(m_card), 0);
    for (const char* caption :
         {"LUOGO DI NASCITA", "CITTA'", "TEL. CELLULARE", "DISPONIBILITA'", "RUOLO NEL GRUPPO"})
        QVERIFY2(text.contains(QLatin1String(caption)), caption);
    // The red photo fills the height of its frame, centred across.
    const QImage page = Report::renderPage(PersonCardDocument().page(), 0, 4);
    PersonCardDocument card;
    card.setPhoto(photo(300, 400, Qt::red));
    card.prepare();
    const QImage drawn = Report::renderPage(card.page(), 0, 4);
    auto red = [&](double x, double y) {
        return drawn.pixel(int((x + kMargin) * 4), int((y + kMargin) * 4)) == qRgb(255, 0, 0);
    };
    const double photoWidth = 140 * 300.0 / 400;
    QVERIFY(red(95, 11.5) && red(95, 150.5));
    QVERIFY(red(95 - photoWidth / 2 + 0.5, 80) && red(95 + photoWidth / 2 - 0.5, 80));
    QVERIFY(!red(95 - photoWidth / 2 - 0.5, 80) && !red(95 + photoWidth / 2 + 0.5, 80));
    QVERIFY(page.pixel(int((95 + kMargin) * 4), int((80 + kMargin) * 4)) == qRgb(255, 255, 255));
}

void TestReport::cardTrimsAndNeverWraps()
{
    PersonCardDocument card;
    card.setText(QStringLiteral("txtCitta"), QStringLiteral("  \tRoma \r\n"));
    const QString note = QStringLiteral("Lunga ").repeated(80) + QStringLiteral("FINE");
    card.setText(QStringLiteral("txtNote"), note);
    card.prepare();
    QCOMPARE(card.page().object(QStringLiteral("txtCitta")).text, QStringLiteral("Roma"));
    const QString path = pdf(card.page(), QStringLiteral("lunga.pdf"));
    const QList<PdfProbe::Word> words = PdfProbe::words(path);
    const PdfProbe::Word roma = PdfProbe::find(words, QStringLiteral("Roma"));
    QVERIFY2(std::abs(roma.box.left() - onSheet(2, 0).x()) <= kTolerance, qPrintable(describe(roma)));
    // Every word of the note stands on the one line of its box.
    int lunga = 0;
    for (const PdfProbe::Word& word : words) {
        if (word.text != QLatin1String("Lunga") && word.text != QLatin1String("FINE"))
            continue;
        ++lunga;
        QVERIFY2(std::abs(word.box.center().y() - onSheet(0, 273.4).y()) <= kTolerance,
                 qPrintable(describe(word)));
    }
    QVERIFY(lunga > 20);
}

// A printer that keeps margins of its own, wider than the layout's.
class WideMarginPrinter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool setPageLayout(const QPageLayout& layout) override
    {
        QPageLayout kept(layout);
        kept.setMargins(QMarginsF(15, 20, 12, 18));
        return QPdfWriter::setPageLayout(kept);
    }
};

void TestReport::printerMarginsDoNotMoveTheCard()
{
    PersonCardDocument card;
    card.setText(QStringLiteral("txtCandidato"), QStringLiteral("Rossi"));
    card.setText(QStringLiteral("txtNote"), QStringLiteral("Nota"));
    card.prepare();
    const QString path = m_dir.filePath(QStringLiteral("margini.pdf"));
    {
        WideMarginPrinter printer(path);
        QVERIFY(Report::render(card.page(), printer));
        QCOMPARE(printer.pageLayout().margins(), QMarginsF(15, 20, 12, 18));
    }
    const QList<PdfProbe::Word> words = PdfProbe::words(path);
    const PdfProbe::Word rossi = PdfProbe::find(words, QStringLiteral("Rossi"));
    QVERIFY2(std::abs(rossi.box.center().x() - 105) <= kTolerance, qPrintable(describe(rossi)));
    QVERIFY2(std::abs(rossi.box.center().y() - onSheet(0, 5.2).y()) <= kTolerance,
             qPrintable(describe(rossi)));
    const PdfProbe::Word nota = PdfProbe::find(words, QStringLiteral("Nota"));
    QVERIFY2(std::abs(nota.box.left() - onSheet(2, 0).x()) <= kTolerance, qPrintable(describe(nota)));
    QVERIFY2(std::abs(nota.box.center().y() - onSheet(0, 273.4).y()) <= kTolerance,
             qPrintable(describe(nota)));
}

void TestReport::groupPagePositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x"); // left edge; negative: right edge at -x
    QTest::addColumn<double>("middle");
    const double textLeft = 103.56 / Report::kUnitsPerMm;
    QTest::newRow("group name") << "Quinta" << 1.0 << 2.27 / Report::kUnitsPerMm + 2;
    QTest::newRow("nome A") << "NomeA" << textLeft << 6 + 1 + 3.5;
    QTest::newRow("um A") << "RuoloA" << textLeft << 6 + 10 + 2.0;
    QTest::newRow("note A") << "NoteA" << textLeft << 6 + 16 + 2.0;
    QTest::newRow("codice A") << "MailA" << textLeft << 6 + 22 + 3.5;
    QTest::newRow("prezzo A") << "TelA" << -(532.91 + 171.59) / Report::kUnitsPerMm
                              << 6 + 82.39 / Report::kUnitsPerMm + 3.5;
    QTest::newRow("nome B") << "NomeB" << textLeft << 39 + 4.5;
    QTest::newRow("prezzo B") << "TelB" << -(532.91 + 171.59) / Report::kUnitsPerMm
                              << 39 + 82.39 / Report::kUnitsPerMm + 3.5;
    QTest::newRow("nome H") << "NomeH" << textLeft << 237 + 4.5;
    QTest::newRow("codice H") << "MailH" << textLeft << 237 + 25.5;
    QTest::newRow("page number") << "12" << -(95.0) << 273 + 2.0;
}

void TestReport::groupPagePositions()
{
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, middle);
    GroupPageData data;
    data.groupName = QStringLiteral("  Quinta B  ");
    data.pageNumber = QStringLiteral(" 12 ");
    for (int slot : {0, 1, 7}) {
        const QChar letter = GroupPageDocument::letter(slot);
        GroupPageData::Slot& s = data.persone.at(slot);
        s.nome = QStringLiteral("Nome") + letter;
        s.um = QStringLiteral("Ruolo") + letter;
        s.caratteristiche = QStringLiteral("Note") + letter;
        s.codice = QStringLiteral("Mail") + letter;
        s.prezzo = QStringLiteral("Tel") + letter;
        s.foto = photo(282, 366, Qt::green);
    }
    GroupPageDocument document;
    document.fill(data);
    document.prepare();
    const QString path = pdf(document.page(), QStringLiteral("pagina.pdf"));
    const PdfProbe::Word word = PdfProbe::find(PdfProbe::words(path), text);
    QVERIFY2(!word.text.isEmpty(), qPrintable(text));
    if (x == -95.0)
        QVERIFY2(std::abs(word.box.center().x() - onSheet(95, 0).x()) <= kTolerance,
                 qPrintable(describe(word)));
    else if (x < 0)
        QVERIFY2(std::abs(word.box.right() - onSheet(-x, 0).x()) <= kTolerance, qPrintable(describe(word)));
    else
        QVERIFY2(std::abs(word.box.left() - onSheet(x, 0).x()) <= kTolerance, qPrintable(describe(word)));
    QVERIFY2(std::abs(word.box.center().y() - onSheet(0, middle).y()) <= kTolerance,
             qPrintable(describe(word)));
    QCOMPARE(PdfProbe::fonts(path), (QStringList{"LiberationSans", "LiberationSans-Bold"}));
}

void TestReport::groupPageColoursAndEmptyPageNumber()
{
    GroupPageData data;
    data.persone.at(0).nome = QStringLiteral("Solo A");
    data.persone.at(1).nome = QStringLiteral("Solo B");
    GroupPageDocument document;
    document.fill(data);
    document.prepare();
    QCOMPARE(document.page().object(QStringLiteral("txtPagina")).text, QString());
    const QImage page = Report::renderPage(document.page(), 0, 4);
    const QImage fine = Report::renderPage(document.page(), 0, 16);
    for (int slot = 0; slot < GroupPageDocument::kSlots; ++slot) {
        // Inside each box, right of the texts: its own ground.
        const QPoint inside(int((187 + kMargin) * 4),
                            int((GroupPageDocument::boxTop(slot) + 15 + kMargin) * 4));
        const QRgb expected = slot % 2 == 0 ? qRgb(0xF0, 0xF8, 0xFF) : qRgb(0xFF, 0xFF, 0xF0);
        QCOMPARE(page.pixel(inside), expected);
        // The gainsboro frame on the left edge, one unit wide.
        const QPoint edge(int((1 + kMargin) * 16),
                          int((GroupPageDocument::boxTop(slot) + 15 + kMargin) * 16));
        QCOMPARE(fine.pixel(edge), qRgb(0xDC, 0xDC, 0xDC));
    }
    const QString path = pdf(document.page(), QStringLiteral("solo_ab.pdf"));
    QCOMPARE(PdfProbe::pageText(PdfProbe::words(path), 0), QStringLiteral("Solo A Solo B"));
}

void TestReport::groupPageLongNameIsCut()
{
    GroupPageData data;
    data.persone.at(0).nome = QString(100, QLatin1Char('W'));
    data.persone.at(0).prezzo = QStringLiteral("Cel. ") + QString(60, QLatin1Char('9'));
    GroupPageDocument document;
    document.fill(data);
    document.prepare();
    const double dotsPerMm = 8;
    const QImage page = Report::renderPage(document.page(), 0, dotsPerMm);
    auto inkBetween = [&](double x0, double x1, double y0, double y1) {
        for (int y = int((y0 + kMargin) * dotsPerMm); y < int((y1 + kMargin) * dotsPerMm); ++y) {
            for (int x = int((x0 + kMargin) * dotsPerMm); x < int((x1 + kMargin) * dotsPerMm); ++x) {
                if (qGray(page.pixel(x, y)) < 128)
                    return true;
            }
        }
        return false;
    };
    const double right = 103.56 / Report::kUnitsPerMm + 160;
    // The name runs to the right edge of its 160 mm frame and stops there, on one line.
    QVERIFY(inkBetween(right - 5, right, 7, 14));
    QVERIFY(!inkBetween(right + 0.2, 189, 6.5, 14));
    QVERIFY(!inkBetween(30, 180, 14.2, 15.8));
    // The right-aligned phone line is cut at its frame's left edge, clear of the e-mail line.
    const double phoneLeft = 532.91 / Report::kUnitsPerMm;
    QVERIFY(inkBetween(phoneLeft, phoneLeft + 5, 28, 34));
    QVERIFY(!inkBetween(phoneLeft - 3, phoneLeft - 0.2, 28, 34));
}

void TestReport::listPagination_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("firstPageLines");
    QTest::addColumn<int>("footerPage");
    // 190 mm a page, 3.3925 mm a line: 53 lines under the title, 56 on a following page.
    QTest::newRow("empty") << 0 << 1 << 0 << 0;
    QTest::newRow("one") << 1 << 1 << 1 << 0;
    QTest::newRow("footer still fits") << 48 << 1 << 48 << 0;
    QTest::newRow("footer on its own page") << 53 << 2 << 53 << 1;
    QTest::newRow("one over") << 54 << 2 << 53 << 1;
    QTest::newRow("three pages") << 53 + 56 + 10 << 3 << 53 << 2;
}

void TestReport::listPagination()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, firstPageLines);
    QFETCH(int, footerPage);
    ListDocument document;
    QStringList list;
    for (int i = 0; i < lines; ++i)
        list.append(QStringLiteral("riga %1").arg(i));
    document.setLines(list);
    document.prepare();
    QCOMPARE(document.pageCount(), pages);
    QCOMPARE(document.lineCountOn(0), firstPageLines);
    QCOMPARE(document.footerPage(), footerPage);
    QCOMPARE(document.dataBandUnits(), lines * 12.822 + 10);
    int total = 0;
    for (int page = 0; page < pages; ++page)
        total += document.lineCountOn(page);
    QCOMPARE(total, lines);
    QVERIFY(document.footerTopMm() + ListDocument::kFooterBandMm <= 190 + 1e-6);
}

void TestReport::listOnThreePages()
{
    ListDocument document;
    QStringList list;
    for (int i = 0; i < 53 + 56 + 10; ++i)
        list.append(QStringLiteral("R%1 %2 fine   ")
                        .arg(i, 3, 10, QLatin1Char('0'))
                        .arg(QString(20, QLatin1Char('x'))));
    list[5] = QStringLiteral("R005 ") + QStringLiteral("y").repeated(300) + QStringLiteral(" TAGLIATO");
    const QDateTime when(QDate(2026, 3, 9), QTime(8, 5, 7));
    ListPrinting::fill(document, QStringLiteral("Riepilogo persone da ricontattare"), list, when);
    const QString path = pdf(document, QStringLiteral("elenco.pdf"));
    QCOMPARE(PdfProbe::pageCount(path), 3);
    const QList<PdfProbe::Word> words = PdfProbe::words(path);
    QVERIFY(PdfProbe::pageText(words, 0).startsWith(QLatin1String("Riepilogo persone da ricontattare R000")));
    QVERIFY(!PdfProbe::pageText(words, 1).contains(QLatin1String("Riepilogo")));
    QVERIFY(!PdfProbe::pageText(words, 2).contains(QLatin1String("Riepilogo")));
    QVERIFY(PdfProbe::pageText(words, 1).startsWith(QLatin1String("R053")));
    QVERIFY(PdfProbe::pageText(words, 2).startsWith(QLatin1String("R109")));
    QVERIFY(PdfProbe::pageText(words, 2).endsWith(QStringLiteral("R118 xxxxxxxxxxxxxxxxxxxx fine ") +
                                                  ListPrinting::dateLine(when)));
    QVERIFY(ListPrinting::dateLine(when).startsWith(QStringLiteral("Stampa eseguita in data ") +
                                                    RegionalSettings::shortDate(when.date()) +
                                                    QStringLiteral(" alle ore 08:05:07")));
    // The time without a zone, as the system shows it.
    QVERIFY(ListPrinting::dateLine(when).endsWith(QStringLiteral("08:05:07")));
    for (int page : {0, 1})
        QVERIFY(!PdfProbe::pageText(words, page).contains(QLatin1String("Stampa eseguita")));

    // The title bar: Verdana 9 bold centred at 1 + 2.5 mm; lines from 8 mm, 3.3925 mm apart, 3 mm in.
    const PdfProbe::Word title = PdfProbe::find(words, QStringLiteral("Riepilogo"));
    QVERIFY2(std::abs(title.box.center().y() - onSheet(0, 3.5).y()) <= kTolerance,
             qPrintable(describe(title)));
    for (const auto& [text, page, top] : {std::tuple{"R000", 0, 8.0}, std::tuple{"R052", 0, 8 + 52 * 3.3925},
                                          std::tuple{"R053", 1, 0.0}, std::tuple{"R118", 2, 9 * 3.3925}}) {
        const PdfProbe::Word word = PdfProbe::find(words, QString::fromLatin1(text), page);
        QVERIFY2(std::abs(word.box.left() - onSheet(3, 0).x()) <= kTolerance, qPrintable(describe(word)));
        QVERIFY2(std::abs(word.box.center().y() - onSheet(0, top + 3.3925 / 2).y()) <= kTolerance,
                 qPrintable(describe(word)));
    }
    // Landscape A4.
    const PdfProbe::Word titleEnd = PdfProbe::find(words, QStringLiteral("ricontattare"));
    const double titleMiddle = (title.box.left() + titleEnd.box.right()) / 2;
    QVERIFY2(std::abs(titleMiddle - onSheet(2 + 273 / 2.0, 0).x()) <= kTolerance,
             qPrintable(describe(titleEnd)));
    QVERIFY2(titleEnd.box.right() > 160, "landscape page");
    QCOMPARE(PdfProbe::fonts(path), (QStringList{"DejaVuSans-Bold", "LiberationMono"}));

    // The footer band right after the last line and its padding, its text centred 2 mm down.
    const PdfProbe::Word stampa = PdfProbe::find(words, QStringLiteral("Stampa"), 2);
    const double footerTop = 10 * 3.3925 + 10 / Report::kUnitsPerMm;
    QVERIFY2(std::abs(stampa.box.center().y() - onSheet(0, footerTop + 4.5).y()) <= kTolerance,
             qPrintable(describe(stampa)));

    // The overlong line is cut at 276 mm: the ink stops there.
    const QImage first = Report::renderPage(document, 0, 8);
    const int row = int((10 + 8 + 5 * 3.3925 + 1.7) * 8);
    auto inkAt = [&](double x) {
        for (int dy = -6; dy <= 6; ++dy) {
            if (qGray(first.pixel(int((x + kMargin) * 8), row + dy)) < 160)
                return true;
        }
        return false;
    };
    bool inkNearEdge = false;
    for (double x = 270; x < 275.8; x += 0.125)
        inkNearEdge = inkNearEdge || inkAt(x);
    QVERIFY(inkNearEdge);
    for (double x = 276.2; x < 277; x += 0.125)
        QVERIFY(!inkAt(x));
}

void TestReport::emptyList()
{
    ListDocument document;
    ListPrinting::fill(document, QStringLiteral("Riepilogo schede anagrafiche in archivio"), {},
                       QDateTime(QDate(2026, 1, 2), QTime(10, 0, 0)));
    const QString path = pdf(document, QStringLiteral("vuoto.pdf"));
    QCOMPARE(PdfProbe::pageCount(path), 1);
    const QList<PdfProbe::Word> words = PdfProbe::words(path);
    QCOMPARE(PdfProbe::pageText(words, 0),
             QStringLiteral("Riepilogo schede anagrafiche in archivio ") +
                 ListPrinting::dateLine(QDateTime(QDate(2026, 1, 2), QTime(10, 0, 0))));
    // The footer follows the title and the 10 units of the empty data band.
    const PdfProbe::Word stampa = PdfProbe::find(words, QStringLiteral("Stampa"));
    QVERIFY2(std::abs(stampa.box.center().y() - onSheet(0, 8 + 10 / Report::kUnitsPerMm + 4.5).y()) <=
                 kTolerance,
             qPrintable(describe(stampa)));
}

void TestReport::listStopsWhenProgressSaysSo()
{
    ListDocument document;
    QStringList list;
    for (int i = 0; i < 1000; ++i)
        list.append(QStringLiteral("riga %1").arg(i));
    document.setLines(list);
    document.prepare();
    QCOMPARE(document.pageCount(), 18);
    QPdfWriter writer(m_dir.filePath(QStringLiteral("interrotto.pdf")));
    QList<int> told;
    bool aborted = false;
    const bool done = Report::render(
        document, writer,
        [&](int pagesDone, int pageCount) {
            told.append(pagesDone);
            return pageCount == 18 && pagesDone < 3;
        },
        [&] { aborted = true; });
    QVERIFY(!done);
    QVERIFY(aborted);
    QCOMPARE(told, (QList<int>{1, 2, 3}));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
