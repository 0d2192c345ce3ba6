#include "guide/UserGuide.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>

namespace {

constexpr int kResolution = 300;       // dots per inch of the layout
constexpr double kFooterHeight = 0.06; // share of the printable height kept for the footer
// Image sizes in the layout are given in pixels of 96 dpi, whatever the device.
constexpr double kImageUnit = 96.0 / kResolution;

constexpr QLatin1StringView kImagePrefix("figura");

QString imageName(qsizetype index)
{
    return kImagePrefix + QString::number(index);
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The pages of the headings of level 1, the chapters, in document order (0-based).
QList<int> headingPages(const QTextDocument& document, double pageHeight)
{
    QList<int> pages;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1) {
            const QRectF box = document.documentLayout()->blockBoundingRect(block);
            pages.append(int(box.top() / pageHeight));
        }
    }
    return pages;
}

// The pictures that the end of a page would cut, by their index.
QSet<int> cutPictures(const QTextDocument& document, double pageHeight)
{
    QSet<int> cut;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRectF box = document.documentLayout()->blockBoundingRect(block);
        if (int(box.top() / pageHeight) == int((box.bottom() - 1) / pageHeight))
            continue;
        for (auto part = block.begin(); !part.atEnd(); ++part) {
            const QTextCharFormat format = part.fragment().charFormat();
            if (format.isImageFormat())
                cut.insert(format.toImageFormat().name().mid(kImagePrefix.size()).toInt());
        }
    }
    return cut;
}

// The width of a picture on the page: the whole line, or less so that two pictures share a page.
double shownWidth(QSize image, QSizeF content)
{
    const double tallest = content.height() * 0.42;
    return qMin(content.width(), tallest * image.width() / qMax(1, image.height()));
}

// Where the help screen shows the chapter's text.
QString openedBy(HelpTopics::Topic topic)
{
    switch (topic) {
    case HelpTopics::Topic::Panoramica:
        return QStringLiteral("il pulsante con il punto interrogativo della schermata di avvio");
    case HelpTopics::Topic::ArchivioAnagrafico:
        return QStringLiteral("il pulsante della guida dell'Archivio Anagrafico");
    case HelpTopics::Topic::SchedarioGruppo:
        return QStringLiteral("il pulsante della guida dello Schedario Gruppo");
    case HelpTopics::Topic::CreazioneApertura:
        return QStringLiteral("il pulsante della guida delle schermate \"Crea nuovo gruppo\" e "
                              "\"Apri gruppo esistente\"");
    case HelpTopics::Topic::Esportazione:
        return QStringLiteral("il pulsante della guida della finestra di esportazione in Microsoft Excel");
    case HelpTopics::Topic::Importazione:
        return QStringLiteral("il pulsante della guida della finestra di importazione");
    case HelpTopics::Topic::Scadenze:
        return QStringLiteral("il pulsante della guida della schermata Scadenze");
    }
    return {};
}

} // namespace

UserGuide::UserGuide(QList<GuidePicture> pictures)
    : m_pictures(std::move(pictures))
{
}

QStringList UserGuide::chapterHeadings()
{
    QStringList headings;
    const QList<HelpTopics::Topic> topics = HelpTopics::all();
    for (qsizetype i = 0; i < topics.size(); ++i)
        headings.append(QStringLiteral("%1. %2").arg(i + 1).arg(HelpTopics::title(topics[i])));
    return headings;
}

QString UserGuide::html(const QList<int>& chapterPages, const QSet<int>& onNewPage, QSizeF content) const
{
    const QString pageBreak = QStringLiteral("page-break-before: always;");
    const double contentWidth = content.width();
    QString out;
    out += QStringLiteral("<html><body style=\"font-family: 'DejaVu Sans'; font-size: 11pt;\">");

    // Title page.
    out +=
        QStringLiteral("<p style=\"margin-top: 160px; font-size: 40pt; font-weight: bold; color: #1d4a72;\""
                       " align=\"center\">Folvara</p>");
    out += QStringLiteral("<p style=\"font-size: 20pt; color: #dc143c;\" align=\"center\">"
                          "Guida all'utilizzo del software</p>");
    out += QStringLiteral("<p style=\"margin-top: 60px; font-size: 13pt; color: #333333;\" align=\"center\">"
                          "Gruppi di persone con foto e dati, pronti da stampare su fogli A4</p>");
    for (qsizetype i = 0; i < m_pictures.size(); ++i) {
        if (m_pictures[i].chapter == HelpTopics::Topic::Panoramica) {
            out += QStringLiteral(
                       "<p style=\"margin-top: 80px;\" align=\"center\"><img src=\"%1\" width=\"%2\"></p>")
                       .arg(imageName(i))
                       .arg(int(contentWidth * 0.75 * kImageUnit));
            break;
        }
    }
    out += QStringLiteral("<p style=\"margin-top: 120px; font-size: 12pt;\" align=\"center\">"
                          "Folvara Software &mdash; versione 1.0</p>");

    // Contents.
    out += QStringLiteral("<p style=\"%1 font-size: 22pt; font-weight: bold; color: #1d4a72;\">Indice</p>")
               .arg(pageBreak);
    out += QStringLiteral("<table width=\"100%\" cellpadding=\"8\" style=\"font-size: 13pt;\">");
    const QStringList headings = chapterHeadings();
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const QString page =
            i < chapterPages.size() ? QString::number(chapterPages[i] + 1) : QStringLiteral("00");
        out +=
            QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>").arg(escaped(headings[i]), page);
    }
    out += QStringLiteral("</table>");
    out +=
        QStringLiteral("<p style=\"margin-top: 40px; color: #333333;\">I capitoli riportano gli stessi testi "
                       "che il programma mostra premendo il pulsante della guida di ciascuna schermata. "
                       "Il pulsante della guida della schermata di avvio apre il primo capitolo.</p>");

    // One chapter per topic, its pictures after the text.
    const QList<HelpTopics::Topic> topics = HelpTopics::all();
    for (qsizetype t = 0; t < topics.size(); ++t) {
        out += QStringLiteral("<h1 style=\"%1 font-size: 20pt; color: #dc143c;\">%2</h1>")
                   .arg(pageBreak, escaped(headings[t]));
        out += QStringLiteral("<p style=\"font-size: 10pt; font-style: italic; color: #4682b4;\">"
                              "Nel programma questo testo si apre con %1.</p>")
                   .arg(escaped(openedBy(topics[t])));
        for (const QString& paragraph : HelpTopics::paragraphs(topics[t]))
            out += QStringLiteral("<p style=\"margin-bottom: 10px;\" align=\"justify\">%1</p>")
                       .arg(escaped(paragraph));
        for (qsizetype i = 0; i < m_pictures.size(); ++i) {
            const GuidePicture& picture = m_pictures[i];
            if (picture.chapter != topics[t])
                continue;
            // The picture and its caption make one block, which never breaks across pages.
            const QString place =
                onNewPage.contains(int(i)) ? pageBreak : QStringLiteral("margin-top: 24px;");
            out += QStringLiteral("<p style=\"%4\" align=\"center\"><img src=\"%1\" width=\"%2\">"
                                  "<br><span style=\"font-size: 10pt; font-style: italic; color: #333333;\">"
                                  "Figura: %3</span></p>")
                       .arg(imageName(i))
                       .arg(int(shownWidth(picture.image.size(), content) * kImageUnit))
                       .arg(escaped(picture.caption), place);
        }
    }
    out += QStringLiteral("</body></html>");
    return out;
}

bool UserGuide::write(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(&file) || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool UserGuide::write(QIODevice* device) const
{
    QPdfWriter writer(device);
    writer.setTitle(QStringLiteral("Folvara - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Folvara"));
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter));

    const QRectF printable = writer.pageLayout().paintRectPixels(kResolution);
    const double bodyHeight = printable.height() * (1.0 - kFooterHeight);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(printable.width(), bodyHeight));
    // Without ligatures the text reads, copies and searches letter by letter ("fi", not one sign).
    QFont plain(QStringLiteral("DejaVu Sans"));
    plain.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(plain);
    for (qsizetype i = 0; i < m_pictures.size(); ++i)
        document.addResource(QTextDocument::ImageResource, QUrl(imageName(i)), m_pictures[i].image);

    // The contents page needs the chapters' pages, which the layout gives; the numbers
    // take the same room whatever they are, so a second layout keeps the pages.
    // A picture that the end of a page would cut starts the next page instead.
    QList<int> pages;
    QSet<int> onNewPage;
    for (int pass = 0; pass < 8; ++pass) {
        document.setHtml(html(pages, onNewPage, QSizeF(printable.width(), bodyHeight)));
        const QList<int> found = headingPages(document, bodyHeight);
        const QSet<int> cut = cutPictures(document, bodyHeight);
        if (found == pages && cut.isEmpty())
            break;
        pages = found;
        onNewPage += cut;
    }

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pageCount = document.pageCount();
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(9);
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !writer.newPage())
            return false;
        painter.save();
        painter.translate(0, -page * bodyHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * bodyHeight, printable.width(), bodyHeight);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        if (page == 0)
            continue; // the title page has no footer
        const double top = bodyHeight + printable.height() * kFooterHeight * 0.25;
        painter.setPen(QPen(QColor(0x46, 0x82, 0xB4), 3));
        painter.drawLine(QPointF(0, top), QPointF(printable.width(), top));
        painter.setFont(footerFont);
        painter.setPen(QColor(0x33, 0x33, 0x33));
        const QRectF footer(0, top + 10, printable.width(), printable.height() - top - 10);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Folvara - Guida all'utilizzo del software"));
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pageCount));
    }
    return painter.end();
}
