#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The file writer of one spreadsheet format: one sheet of text cells, a bold header row kept in
// view while scrolling, then the data rows in order. Nothing replaces the target file before
// finish(); abandon() or a failure leaves the previous file as it was.
class SheetWriter {
public:
    virtual ~SheetWriter() = default;

    // Starts the file that will replace `path`: the sheet's name, the header labels and the
    // width of each column in characters. False when the target cannot be written.
    virtual bool begin(const QString& path, const QString& sheetName, const QStringList& headers,
                       const QList<int>& widths) = 0;
    // One data row, each cell UTF-8 text, stored as text whatever it looks like.
    virtual bool writeRow(const QList<QByteArray>& cells) = 0;
    // Completes the file and puts it in place of the target.
    virtual bool finish() = 0;
    // Drops what was written; the target stays untouched.
    virtual void abandon() = 0;

    virtual QString errorString() const = 0;
};
