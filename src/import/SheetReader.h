#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Reads the rows of a member list kept in a spreadsheet: CSV (";", "," or tab, UTF-8 or
// Windows-1252), XLSX and ODS (first sheet) and the program's own HTML export. Every cell comes
// back as the text the sheet shows. A failure gives an Italian message and no rows.
namespace SheetReader {

// Files above this size are refused before anything is read.
constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
// Inside a zip, no part is unpacked beyond this size (a small file that unpacks to gigabytes).
constexpr qint64 kMaxPartBytes = 256LL * 1024 * 1024;
// No sheet gives more rows or columns than these.
constexpr int kMaxRows = 1'000'000;
constexpr int kMaxColumns = 1000;

enum class Format { Unknown, Csv, Xlsx, Ods, Html };

struct Sheet {
    QList<QStringList> rows; // the first row holds the headers
    Format format = Format::Unknown;
    QString error; // empty when read; an Italian message otherwise
    bool cancelled = false;
    bool ok() const { return error.isEmpty() && !cancelled; }
};

// Called now and then with the share of the work done, 0 to 1000; false cancels.
using Progress = std::function<bool(int permille)>;

Sheet read(const QString& path, const Progress& progress = {});

// The readers of each kind, for the bytes already read (CSV and HTML) or a zip file.
Sheet readCsv(const QByteArray& bytes, const Progress& progress = {});
Sheet readHtml(const QByteArray& bytes, const Progress& progress = {});
Sheet readXlsx(const QString& path, const Progress& progress = {});
Sheet readOds(const QString& path, const Progress& progress = {});

// The text of a CSV file: UTF-8 with or without byte order mark, else Windows-1252.
QString decodeText(const QByteArray& bytes);
// The field separator of a CSV text: the one of ";", "," and tab most often in its first line.
QChar detectDelimiter(QStringView text);

} // namespace SheetReader
