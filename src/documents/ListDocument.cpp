#include "documents/ListDocument.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);
// Lines that fit up to this much over the band's edge still count as fitting.
constexpr double kToleranceMm = 1e-6;

int linesIn(double heightMm)
{
    return std::max(0, int(std::floor((heightMm + kToleranceMm) / ListDocument::lineMm())));
}

} // namespace

ListDocument::ListDocument()
    : m_layout(Report::a4(QPageLayout::Landscape))
{
    using namespace Report;
    m_titolo = text(QStringLiteral("txtTitolo"), QRectF(2, 1, 273, 5),
                    font(QStringLiteral("Verdana"), 9, true), Qt::AlignCenter, Qt::white);
    m_titolo.fill = kSlateGrey;
    m_riepilogo = text(QStringLiteral("txtRiepilogo"), QRectF(3, 0, 273, 0),
                       font(QStringLiteral("Courier New"), 8), Qt::AlignLeft | Qt::AlignTop);
    m_pagina = text(QStringLiteral("txtPagina"), QRectF(3, 2, 272, 5),
                    font(QStringLiteral("Verdana"), 8, true), Qt::AlignCenter, Qt::white);
    m_pagina.fill = kSlateGrey;
    prepare();
}

void ListDocument::setText(const QString& name, const QString& text)
{
    if (name == m_titolo.name)
        m_titolo.text = text;
    else if (name == m_pagina.name)
        m_pagina.text = text;
    else
        throw Report::Error("no text object named " + name.toStdString());
}

void ListDocument::setLines(QStringList lines)
{
    m_lines = std::move(lines);
    m_riepilogo.frame.setHeight(Report::mmFromUnits(m_lines.size() * kLineUnits));
}

double ListDocument::printableHeight() const
{
    return m_layout.paintRect(QPageLayout::Millimeter).height();
}

void ListDocument::prepare()
{
    const double height = printableHeight();
    const int total = int(m_lines.size());
    m_firstPageLines = std::min(total, linesIn(height - kTitleBandMm));
    m_linesPerPage = std::max(1, linesIn(height));
    const int rest = total - m_firstPageLines;
    const int linePages = 1 + (rest + m_linesPerPage - 1) / m_linesPerPage;

    // The data band ends below the last line of the last page that has lines.
    const int lastPage = linePages - 1;
    const double top = lastPage == 0 ? kTitleBandMm : 0;
    const double bandEnd = top + lineCountOn(lastPage) * lineMm() + Report::mmFromUnits(kDataPaddingUnits);
    if (bandEnd + kFooterBandMm <= height + kToleranceMm) {
        m_footerPage = lastPage;
        m_footerTop = bandEnd;
    } else {
        m_footerPage = lastPage + 1;
        m_footerTop = 0;
    }
    m_pageCount = m_footerPage + 1;
}

int ListDocument::firstLineOn(int page) const
{
    if (page <= 0)
        return 0;
    return std::min(int(m_lines.size()), m_firstPageLines + (page - 1) * m_linesPerPage);
}

int ListDocument::lineCountOn(int page) const
{
    const int first = firstLineOn(page);
    const int room = page == 0 ? m_firstPageLines : m_linesPerPage;
    return std::clamp(int(m_lines.size()) - first, 0, room);
}

void ListDocument::drawPage(Report::Canvas& canvas, int index) const
{
    if (index == 0)
        canvas.draw(m_titolo);

    const int count = lineCountOn(index);
    if (count > 0) {
        QPainter& painter = canvas.painter();
        const double top = index == 0 ? kTitleBandMm : 0;
        const QRectF block(m_riepilogo.frame.left(), top, m_riepilogo.frame.width(), count * lineMm());
        painter.save();
        // One clip for the whole block cuts every line at the right edge of the text.
        painter.setClipRect(canvas.toDevice(block), Qt::IntersectClip);
        painter.setPen(m_riepilogo.textColour);
        const int first = firstLineOn(index);
        for (int i = 0; i < count; ++i) {
            const QRectF line(block.left(), top + i * lineMm(), block.width(), lineMm());
            canvas.drawText(m_riepilogo.font, line, Qt::AlignLeft | Qt::AlignTop, m_lines.at(first + i));
        }
        painter.restore();
    }

    if (index == m_footerPage)
        canvas.draw(m_pagina, QPointF(0, m_footerTop));
}
