#include "guide/UserGuide.h"

#include "documents/PdfFile.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kResolution = 300;       // dots per inch of the layout
constexpr double kFooterHeight = 0.06; // share of the printable height kept for the footer
// Image sizes in the layout are given in pixels of 96 dpi, whatever the device.
constexpr double kImageUnit = 96.0 / kResolution;
constexpr double kButtonSize = 22; // pixels of 96 dpi

const QString kTitle = QStringLiteral("Folvara - Guida all'utilizzo del software");

// A piece of the guide that is never split across pages.
struct Block {
    QString html;
    std::vector<std::pair<QString, QImage>> images;
    bool newPage = false;
    bool keepWithNext = false;
    bool chapter = false; // a chapter's heading, whose page the contents give
};

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

Block paragraph(const QString& text)
{
    return {QStringLiteral("<p style=\"margin-bottom: 10px;\" align=\"justify\">%1</p>").arg(escaped(text))};
}

// The width of a picture on the page: the whole line, or less so that two pictures share a page.
double shownWidth(QSize image, QSizeF content)
{
    const double tallest = content.height() * 0.42;
    return qMin(content.width(), tallest * image.width() / qMax(1, image.height()));
}

class GuideBuilder {
public:
    GuideBuilder(const ScreenMaterial& material, QSizeF content)
        : m_material(material)
        , m_content(content)
    {
    }

    std::vector<Block> blocks(const QList<int>& chapterPages)
    {
        m_blocks.clear();
        titlePage();
        contents(chapterPages);
        const QList<GuideChapter> chapters = GuideContent::chapters();
        const QStringList headings = UserGuide::chapterHeadings();
        for (qsizetype i = 0; i < chapters.size(); ++i)
            chapter(chapters.at(i), headings.at(i));
        return std::move(m_blocks);
    }

private:
    QString image(const QImage& picture)
    {
        const QString name = QStringLiteral("figura%1").arg(m_images++);
        m_blocks.back().images.emplace_back(name, picture);
        return name;
    }

    void titlePage()
    {
        m_blocks.push_back({});
        QString html = QStringLiteral(
            "<p style=\"margin-top: 160px; font-size: 40pt; font-weight: bold; color: #1d4a72;\" "
            "align=\"center\">Folvara</p>"
            "<p style=\"font-size: 20pt; color: #dc143c;\" align=\"center\">Guida all'utilizzo del "
            "software</p>"
            "<p style=\"margin-top: 60px; font-size: 13pt; color: #333333;\" align=\"center\">"
            "Gruppi di persone con foto e dati, pronti da stampare su fogli A4</p>");
        for (const ScreenPicture& picture : m_material.screens) {
            if (picture.screen == QLatin1String("TfrmAvvio")) {
                html += QStringLiteral("<p style=\"margin-top: 60px;\" align=\"center\"><img src=\"%1\" "
                                       "width=\"%2\"></p>")
                            .arg(image(picture.image))
                            .arg(int(m_content.width() * 0.7 * kImageUnit));
                break;
            }
        }
        html += QStringLiteral("<p style=\"margin-top: 80px; font-size: 12pt;\" align=\"center\">"
                               "Folvara Software &mdash; versione 1.0</p>");
        m_blocks.back().html = html;
    }

    void contents(const QList<int>& chapterPages)
    {
        Block heading{
            QStringLiteral("<p style=\"font-size: 22pt; font-weight: bold; color: #1d4a72;\">Indice</p>")};
        heading.newPage = true;
        heading.keepWithNext = true;
        m_blocks.push_back(heading);
        QString table = QStringLiteral("<table width=\"100%\" cellpadding=\"5\" style=\"font-size: 12pt;\">");
        const QStringList headings = UserGuide::chapterHeadings();
        for (qsizetype i = 0; i < headings.size(); ++i) {
            const QString page =
                i < chapterPages.size() ? QString::number(chapterPages[i] + 1) : QStringLiteral("00");
            table += QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
                         .arg(escaped(headings[i]), page);
        }
        table += QStringLiteral("</table>");
        m_blocks.push_back({table});
    }

    void chapter(const GuideChapter& chapter, const QString& heading)
    {
        Block title{
            QStringLiteral("<h1 style=\"font-size: 20pt; color: #dc143c;\">%1</h1>").arg(escaped(heading))};
        title.newPage = true;
        title.keepWithNext = true;
        title.chapter = true;
        m_blocks.push_back(title);
        for (const QString& text : chapter.paragraphs)
            m_blocks.push_back(paragraph(text));
        for (qsizetype i = 0; i < chapter.steps.size(); ++i) {
            m_blocks.push_back(
                {QStringLiteral("<table cellpadding=\"3\"><tr><td width=\"36\" style=\"font-size: "
                                "13pt; font-weight: bold; color: #1d4a72;\">%1.</td>"
                                "<td align=\"justify\">%2</td></tr></table>")
                     .arg(i + 1)
                     .arg(escaped(chapter.steps.at(i)))});
        }
        if (chapter.buttonLegend)
            legend();
        for (const QString& screen : chapter.screens) {
            for (const ScreenPicture& picture : m_material.screens) {
                if (picture.screen == screen)
                    figure(picture);
            }
        }
    }

    // Three entries a row, the name in bold before the hint, so that the whole legend fits on the
    // page of its heading.
    void legend()
    {
        constexpr int kColumns = 3;
        m_blocks.push_back({});
        QString table = QStringLiteral("<table width=\"100%\" cellpadding=\"2\" style=\"font-size: 8pt;\">");
        const QList<ButtonPicture>& buttons = m_material.buttons;
        for (qsizetype i = 0; i < buttons.size(); i += kColumns) {
            table += QStringLiteral("<tr>");
            for (qsizetype j = i; j < i + kColumns; ++j) {
                if (j >= buttons.size()) {
                    table += QStringLiteral("<td></td><td></td>");
                    continue;
                }
                const ButtonPicture& button = buttons.at(j);
                QString pictures;
                for (const QImage& picture : button.images) {
                    const QSize size =
                        picture.size().scaled(QSize(int(kButtonSize), int(kButtonSize)), Qt::KeepAspectRatio);
                    pictures += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"> ")
                                    .arg(image(picture))
                                    .arg(size.width())
                                    .arg(size.height());
                }
                table += QStringLiteral("<td width=\"9%\" valign=\"middle\">%1</td><td valign=\"middle\" "
                                        "width=\"24%\"><b>%2</b>: %3</td>")
                             .arg(pictures, escaped(button.name),
                                  button.keys.isEmpty() ? escaped(button.action)
                                                        : QStringLiteral("%1 (%2)").arg(
                                                              escaped(button.action), escaped(button.keys)));
            }
            table += QStringLiteral("</tr>");
        }
        table += QStringLiteral("</table>");
        m_blocks.back().html = table;
    }

    void figure(const ScreenPicture& picture)
    {
        m_blocks.push_back({});
        m_blocks.back().html =
            QStringLiteral("<p style=\"margin-top: 18px;\" align=\"center\"><img src=\"%1\" width=\"%2\"><br>"
                           "<span style=\"font-size: 10pt; font-style: italic; color: #333333;\">Figura: %3"
                           "</span></p>")
                .arg(image(picture.image))
                .arg(int(shownWidth(picture.image.size(), m_content) * kImageUnit))
                .arg(escaped(picture.caption));
    }

    const ScreenMaterial& m_material;
    QSizeF m_content;
    std::vector<Block> m_blocks;
    int m_images = 0;
};

std::unique_ptr<QTextDocument> laidOut(const Block& block, QPaintDevice* device, double width)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(device);
    // Without ligatures the text reads, copies and searches letter by letter ("fi", not one sign).
    QFont plain(QStringLiteral("DejaVu Sans"));
    plain.setPointSizeF(11);
    plain.setStyleStrategy(QFont::PreferNoShaping);
    document->setDefaultFont(plain);
    document->setDocumentMargin(0);
    for (const auto& [name, picture] : block.images)
        document->addResource(QTextDocument::ImageResource, QUrl(name), picture);
    document->setTextWidth(width);
    document->setHtml(block.html);
    return document;
}

struct Placement {
    int page = 0;
    double top = 0;
};

// Puts every block on a page, whole: a block that does not fit starts the next page, and a
// heading goes with the block after it.
std::vector<Placement> paginate(const std::vector<std::unique_ptr<QTextDocument>>& laid,
                                const std::vector<Block>& blocks, double pageHeight)
{
    std::vector<Placement> placed(blocks.size());
    int page = 0;
    double top = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        double needed = laid[i]->size().height();
        if (blocks[i].keepWithNext && i + 1 < blocks.size())
            needed += laid[i + 1]->size().height();
        if (i > 0 && (blocks[i].newPage || (top > 0 && top + needed > pageHeight))) {
            ++page;
            top = 0;
        }
        placed[i] = {page, top};
        top += laid[i]->size().height();
    }
    return placed;
}

} // namespace

UserGuide::UserGuide(ScreenMaterial material)
    : m_material(std::move(material))
{
}

QStringList UserGuide::chapterHeadings()
{
    QStringList headings;
    const QList<GuideChapter> chapters = GuideContent::chapters();
    for (qsizetype i = 0; i < chapters.size(); ++i)
        headings.append(QStringLiteral("%1. %2").arg(i + 1).arg(chapters.at(i).title));
    return headings;
}

bool UserGuide::write(const QString& path, QString* error) const
{
    const std::optional<QByteArray> bytes = pdf();
    if (!bytes) {
        if (error)
            *error = QStringLiteral("la guida non pu\u00F2 essere composta");
        return false;
    }
    return PdfFile::save(path, *bytes, error);
}

bool UserGuide::write(QIODevice* device) const
{
    const std::optional<QByteArray> bytes = pdf();
    return bytes && device->write(*bytes) == bytes->size();
}

std::optional<QByteArray> UserGuide::pdf() const
{
    return PdfFile::write(kTitle, kResolution, [this](QPdfWriter& writer) { return draw(writer); });
}

bool UserGuide::draw(QPdfWriter& writer) const
{
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter));
    const QRectF printable = writer.pageLayout().paintRectPixels(kResolution);
    const double bodyHeight = printable.height() * (1.0 - kFooterHeight);
    GuideBuilder builder(m_material, QSizeF(printable.width(), bodyHeight));

    // The contents page needs the chapters' pages; the numbers take the same room whatever
    // they are, so the second layout keeps the pages of the first.
    std::vector<Block> blocks;
    std::vector<std::unique_ptr<QTextDocument>> laid;
    std::vector<Placement> placed;
    QList<int> pages;
    for (int pass = 0; pass < 2; ++pass) {
        blocks = builder.blocks(pages);
        laid.clear();
        for (const Block& block : blocks)
            laid.push_back(laidOut(block, &writer, printable.width()));
        placed = paginate(laid, blocks, bodyHeight);
        pages.clear();
        for (size_t i = 0; i < blocks.size(); ++i) {
            if (blocks[i].chapter)
                pages.append(placed[i].page);
        }
    }

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pageCount = placed.empty() ? 1 : placed.back().page + 1;
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(9);
    footerFont.setStyleStrategy(QFont::PreferNoShaping);
    size_t next = 0;
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !writer.newPage())
            return false;
        for (; next < blocks.size() && placed[next].page == page; ++next) {
            painter.save();
            painter.translate(0, placed[next].top);
            laid[next]->drawContents(&painter);
            painter.restore();
        }
        if (page == 0)
            continue; // the title page has no footer
        const double top = bodyHeight + printable.height() * kFooterHeight * 0.25;
        painter.setPen(QPen(QColor(0x46, 0x82, 0xB4), 3));
        painter.drawLine(QPointF(0, top), QPointF(printable.width(), top));
        painter.setFont(footerFont);
        painter.setPen(QColor(0x33, 0x33, 0x33));
        const QRectF footer(0, top + 10, printable.width(), printable.height() - top - 10);
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, kTitle);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pageCount));
    }
    return painter.end();
}
