#pragma once

#include "documents/Report.h"

#include <QString>
#include <QStringList>

// A printed list on A4 landscape: a title band on the first page, one data band holding every
// line in Courier New 8 pt that goes on over the following pages, and a footer band once after it.
class ListDocument : public Report::PagedDocument {
public:
    // Height of one list line, in report units.
    static constexpr double kLineUnits = 12.822;
    static constexpr double kTitleBandMm = 8;
    static constexpr double kFooterBandMm = 8;
    // Added below the lines in the data band, in report units.
    static constexpr double kDataPaddingUnits = 10;

    ListDocument();

    // txtTitolo or txtPagina.
    void setText(const QString& name, const QString& text);
    // The lines of txtRiepilogo, unchanged; the text and its band take their height from them.
    void setLines(QStringList lines);
    const QStringList& lines() const { return m_lines; }
    double dataBandUnits() const { return m_lines.size() * kLineUnits + kDataPaddingUnits; }

    // Splits the data band over the pages; each call replaces the previous one.
    void prepare();

    // Where the prepared document puts things: pages, lines on a page and the footer.
    int firstLineOn(int page) const;
    int lineCountOn(int page) const;
    int footerPage() const { return m_footerPage; }
    double footerTopMm() const { return m_footerTop; }
    static double lineMm() { return Report::mmFromUnits(kLineUnits); }

    QPageLayout pageLayout() const override { return m_layout; }
    int pageCount() const override { return m_pageCount; }
    void drawPage(Report::Canvas& canvas, int index) const override;

private:
    double printableHeight() const;

    QPageLayout m_layout;
    Report::Object m_titolo;
    Report::Object m_riepilogo; // the look of every list line
    Report::Object m_pagina;
    QStringList m_lines;
    int m_firstPageLines = 0;
    int m_linesPerPage = 1;
    int m_pageCount = 1;
    int m_footerPage = 0;
    double m_footerTop = 0;
};
