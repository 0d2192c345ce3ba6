#include "privacy/ConsentFormDocument.h"

#include "storage/TextRules.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr double kWidthMm = 190;
constexpr double kHeightMm = 277;
constexpr double kParagraphGapMm = 1.6;
constexpr double kEmptyLineMm = 4;
// Text units per millimetre, as Report::Canvas lays texts out (a quarter point).
constexpr double kUnitsPerMm = 288 / 25.4;

QFont styleFont(int style)
{
    const QString arial = QStringLiteral("Arial");
    if (style == 2)
        return Report::font(arial, 14, true);
    return Report::font(arial, 10.5, style == 1);
}

// A line whose letters are all capitals is a heading.
bool isHeading(const QString& text)
{
    int letters = 0;
    for (const QChar c : text) {
        if (c.isLower())
            return false;
        if (c.isLetter())
            ++letters;
    }
    return letters >= 3;
}

} // namespace

ConsentFormDocument::ConsentFormDocument(const QStringList& lines)
{
    m_pages.emplace_back();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = TextRules::trim(lines.at(i));
        if (i == 0)
            add(text, 2);
        else if (text.isEmpty())
            m_y += kEmptyLineMm;
        else
            add(text, isHeading(text) ? 1 : 0);
    }
}

QStringList ConsentFormDocument::wrap(const QString& paragraph, const QFont& font, double widthMm)
{
    const QFontMetricsF metrics(Report::exactFont(font));
    const double width = widthMm * kUnitsPerMm;
    QStringList lines;
    QString line;
    const auto fits = [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; };
    // Runs of blanks stay as typed (they space the boxes to tick), except at the start of a line.
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
        if (word.isEmpty() && line.isEmpty() && !lines.isEmpty())
            continue;
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (fits(joined)) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line = word;
        // A word wider than the sheet is cut where it must be.
        while (!fits(line) && line.size() > 1) {
            qsizetype cut = line.size() - 1;
            while (cut > 1 && !fits(line.left(cut)))
                --cut;
            lines << line.left(cut);
            line = line.mid(cut);
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

void ConsentFormDocument::add(const QString& paragraph, int style)
{
    const QFont font = styleFont(style);
    const double height = QFontMetricsF(Report::exactFont(font)).height() / kUnitsPerMm * 1.25;
    for (const QString& text : wrap(paragraph, font, kWidthMm)) {
        if (m_y + height > kHeightMm) {
            m_pages.emplace_back();
            m_y = 0;
        }
        m_pages.back().push_back({text, m_y, height, style});
        m_y += height;
    }
    m_y += style == 2 ? kEmptyLineMm : kParagraphGapMm;
}

QPageLayout ConsentFormDocument::pageLayout() const
{
    return Report::a4(QPageLayout::Portrait);
}

void ConsentFormDocument::drawPage(Report::Canvas& canvas, int index) const
{
    for (const Line& line : m_pages.at(index)) {
        const Qt::Alignment alignment =
            (line.style == 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        canvas.painter().setPen(Qt::black);
        canvas.drawText(styleFont(line.style), QRectF(0, line.top, kWidthMm, line.height), alignment,
                        line.text);
    }
}
