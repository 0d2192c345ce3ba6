#pragma once

#include "documents/Report.h"

#include <QStringList>

#include <vector>

// The consent form on A4 portrait: the first line as a centred title, every other line a
// paragraph wrapped to the width of the sheet (a line in capitals prints bold), going on over
// further pages when it is long.
class ConsentFormDocument : public Report::PagedDocument {
public:
    explicit ConsentFormDocument(const QStringList& lines);

    QPageLayout pageLayout() const override;
    int pageCount() const override { return int(m_pages.size()); }
    void drawPage(Report::Canvas& canvas, int index) const override;

    // The lines of one paragraph once wrapped to width millimetres.
    static QStringList wrap(const QString& paragraph, const QFont& font, double widthMm);

private:
    struct Line {
        QString text;
        double top = 0; // millimetres from the printable area's top
        double height = 0;
        int style = 0; // 0 body, 1 heading, 2 title
    };
    void add(const QString& paragraph, int style);

    std::vector<std::vector<Line>> m_pages;
    double m_y = 0;
};
