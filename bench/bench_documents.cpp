// The printed documents to PDF against the least the same output needs:
// a list of 100,000 lines against drawing its lines with QPainter::drawText on a QPdfWriter alone,
// and a person card with a 24-megapixel photo against decoding and scaling that photo alone.
#include "BenchTimer.h"

#include "documents/ListDocument.h"
#include "documents/PersonCardDocument.h"
#include "documents/Report.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>

namespace {

constexpr int kLines = 100000;
constexpr int kRuns = 2;

// Lets the next peakMemoryKb() measure from the present size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

QStringList resultLines()
{
    QStringList lines;
    lines.reserve(kLines);
    for (int i = 0; i < kLines; ++i) {
        lines.append(QStringLiteral("%1 %2 C.F. %3 Cel. %4 Settore: %5 Note: %6")
                         .arg(QStringLiteral("Cognome%1 Nome").arg(i), -30)
                         .arg(QStringLiteral("01/01/1980"), -10)
                         .arg(QStringLiteral("RSSMRA80A01H501U"), -16)
                         .arg(QStringLiteral("333 %1").arg(i, 7, 10, QLatin1Char('0')), -15)
                         .arg(QStringLiteral("Informatica"), -25)
                         .arg(QStringLiteral("nota della persona numero %1").arg(i)));
    }
    return lines;
}

// The same lines, pages and font, drawn with nothing around them.
void drawLinesAlone(const QString& path, const QStringList& lines)
{
    QPdfWriter writer(path);
    writer.setPageLayout(Report::a4(QPageLayout::Landscape));
    writer.setResolution(1200);
    QPainter painter(&writer);
    const QFont font = Report::font(QStringLiteral("Courier New"), 8);
    painter.setFont(font);
    const double dotsPerMm = writer.logicalDpiX() / 25.4;
    const double lineHeight = ListDocument::lineMm() * dotsPerMm;
    const double ascent = QFontMetricsF(font, &writer).ascent();
    const int perPage = 56;
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % perPage == 0)
            writer.newPage();
        painter.drawText(QPointF(3 * dotsPerMm, (i % perPage) * lineHeight + ascent), lines.at(i));
    }
}

void listDocument(const QString& path, const QStringList& lines)
{
    ListDocument document;
    document.setText(QStringLiteral("txtTitolo"), QStringLiteral("Riepilogo schede anagrafiche in archivio"));
    document.setText(QStringLiteral("txtPagina"),
                     QStringLiteral("Stampa eseguita in data 01/01/2026 alle ore 10:00:00"));
    document.setLines(lines);
    document.prepare();
    QPdfWriter writer(path);
    writer.setResolution(1200);
    Report::render(document, writer);
}

QString writePhoto(const QString& folder)
{
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 6000, 4000);
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(1, QColor(240, 200, 120));
    painter.fillRect(photo.rect(), gradient);
    auto* random = QRandomGenerator::global();
    for (int i = 0; i < 4000; ++i)
        painter.fillRect(QRect(random->bounded(6000), random->bounded(4000), 40, 40),
                         QColor::fromRgb(random->generate()));
    painter.end();
    const QString path = folder + QStringLiteral("/foto.jpg");
    photo.save(path, "JPG", 90);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;

    const QStringList lines = resultLines();
    resetPeak();
    const qint64 startKb = peakMemoryKb();
    const double alone =
        bestOf(kRuns, [&] { drawLinesAlone(dir.filePath(QStringLiteral("solo.pdf")), lines); });
    const qint64 aloneKb = peakMemoryKb();
    resetPeak();
    const double document =
        bestOf(kRuns, [&] { listDocument(dir.filePath(QStringLiteral("elenco.pdf")), lines); });
    const qint64 documentKb = peakMemoryKb();
    std::printf("list of %d lines, %lld pages\n", kLines, static_cast<long long>(std::ceil(kLines / 56.0)));
    printRatio("list document to PDF", document, "drawText on a QPdfWriter alone", alone, 1.3);
    std::printf("peak memory: %lld kB at start, %lld kB drawing alone, %lld kB with the list document\n\n",
                static_cast<long long>(startKb), static_cast<long long>(aloneKb),
                static_cast<long long>(documentKb));

    const QString photo = writePhoto(dir.path());
    const QSize needed(2221, 1481);
    const double decode = bestOf(kRuns, [&] {
        const QImage image(photo);
        const QImage scaled = image.scaled(needed, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (scaled.isNull())
            std::printf("scaling failed\n");
    });
    const double card = bestOf(kRuns, [&] {
        PersonCardDocument document;
        document.setPhoto(QImage(photo));
        for (const char* name : PersonCardDocument::textNames())
            document.setText(QString::fromLatin1(name), QStringLiteral("Testo di prova"));
        document.prepare();
        QPdfWriter writer(dir.filePath(QStringLiteral("scheda.pdf")));
        writer.setResolution(1200);
        Report::render(document.page(), writer);
    });
    printRatio("person card with a 24-megapixel photo to PDF", card, "decoding and scaling the photo alone",
               decode, 1.5);
    return 0;
}
