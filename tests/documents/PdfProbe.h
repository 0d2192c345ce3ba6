#pragma once

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

// Reads a PDF back with poppler's command-line tools.
namespace PdfProbe {

struct Word {
    int page = 0; // 0-based
    QRectF box;   // millimetres from the sheet's top-left corner
    QString text;
};

// Every word with its box (pdftotext -bbox); empty when the tool fails.
QList<Word> words(const QString& pdf);
// The words on one page, joined by single blanks, in the order they were drawn.
QString pageText(const QList<Word>& words, int page);
// The first word equal to text on page, or a word with an empty text.
Word find(const QList<Word>& words, const QString& text, int page = 0);
// Font names as pdffonts lists them, without the subset prefix ("LiberationSans-Bold").
QStringList fonts(const QString& pdf);
int pageCount(const QString& pdf);
// The text of the whole file as pdftotext reads it, without any normalising.
QString rawText(const QString& pdf);
// How many glyphs the text layer reads as a tab (U+0009): the characters the ToUnicode maps give
// to glyphs, in bfchar and bfrange sections, read straight from the file. The documents never
// draw a tab, so any is a blank that a reader copies as a tab.
int tabsInTextLayer(const QString& pdf);
// The size in points of every text drawn, as the content streams set it (Tf under the
// transformations in force), in drawing order.
QList<double> fontSizes(const QString& pdf);
// The page as a picture (pdftoppm), at dpi.
QString toPng(const QString& pdf, const QString& prefix, int dpi);

} // namespace PdfProbe
