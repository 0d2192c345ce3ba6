#pragma once

#include "documents/Report.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QPdfWriter;

// A document written as a PDF file: searchable text, written whole or not at all.
namespace PdfFile {
// The document as the bytes of a PDF at 1200 dpi, its text layer mended; nothing when progress
// stopped it. Throws Report::Error when the document cannot be drawn.
std::optional<QByteArray> render(const Report::PagedDocument& document, const QString& title,
                                 const Report::Progress& progress = {});
// A PDF drawn in memory on a writer of the given resolution, its text layer mended; nothing
// when draw returns false.
std::optional<QByteArray> write(const QString& title, int resolution,
                                const std::function<bool(QPdfWriter& writer)>& draw);
// The font engine maps the space glyph back to a tab, the first character that shares it: the
// text layer then reads a tab wherever a blank was written. Maps it to the blank, in place.
void mendSpaces(QByteArray& pdf);
// A PDF file another writer made (a printer's "Stampa su file") given the same mended text layer,
// rewritten whole through a QSaveFile. False when it cannot be read or written back.
bool mendFile(const QString& path, QString* error = nullptr);
// Writes the bytes through a QSaveFile: the file is whole or left as it was. On failure
// returns false and tells why, in Italian.
bool save(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// A name fit for a file on every system, with ".pdf": characters no file system takes become
// blanks, blanks are simplified; fallback when nothing is left.
QString fileName(const QString& name, const QString& fallback);
} // namespace PdfFile
