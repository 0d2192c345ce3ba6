#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Reads the rows of a member list kept in a spreadsheet: CSV (";", "," or tab; UTF-8, Windows-1252
// or UTF-16), XLSX, ODS, old Excel XLS and the program's own HTML export. Every cell comes back as
// the text the sheet shows in Calc with an Italian locale. A failure gives an Italian message and
// no rows. Each format has its reader (CsvReader, HtmlReader, XlsxReader, OdsReader, XlsReader)
// behind SheetSource; this is the door that picks one.
namespace SheetReader {

// Files above this size are refused before anything is read.
constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;
// Inside a zip, no part is unpacked beyond this size (a small file that unpacks to gigabytes).
constexpr qint64 kMaxPartBytes = 256LL * 1024 * 1024;
// No sheet gives more rows or columns than these, nor more cells (repeated rows included).
constexpr int kMaxRows = 1'000'000;
constexpr int kMaxColumns = 1000;
constexpr qint64 kMaxCells = 20'000'000;
// A cell is cut to this many characters (the most a spreadsheet cell holds) before anything else
// looks at it; the import cuts further before its own work (the longest field of a card holds 250).
constexpr int kMaxCellChars = 32767;

enum class Format { Unknown, Csv, Xlsx, Ods, Html, Xls };

// What a cell's text does not say by itself.
struct CellNote {
    enum class Kind {
        DigitsLost,          // a number shown with fewer digits than it holds
        FormulaWithoutValue, // a formula saved without its result
    };
    int row = 0; // 0-based, as in Sheet::rows
    int column = 0;
    Kind kind = Kind::DigitsLost;
};

struct SheetInfo {
    QString name;
    bool visible = true;
};

struct Sheet {
    QList<QStringList> rows; // the first row holds the headers
    QList<CellNote> notes;
    Format format = Format::Unknown;
    QString error; // empty when read; an Italian message otherwise
    bool cancelled = false;
    bool ok() const { return error.isEmpty() && !cancelled; }
};

// Called now and then with the share of the work done, 0 to 1000; false cancels.
using Progress = std::function<bool(int permille)>;

// The sheets of a file, in order (one for CSV and HTML); empty with a message in *error when the
// file cannot be read.
QList<SheetInfo> sheets(const QString& path, QString* error = nullptr);
// The sheet at that index of sheets(); -1 reads the first visible one.
Sheet read(const QString& path, int sheet, const Progress& progress = {});
inline Sheet read(const QString& path, const Progress& progress = {})
{
    return read(path, -1, progress);
}

// The readers of each kind, for the bytes already read (CSV and HTML) or a file (first visible sheet).
Sheet readCsv(const QByteArray& bytes, const Progress& progress = {});
Sheet readHtml(const QByteArray& bytes, const Progress& progress = {});
Sheet readXlsx(const QString& path, const Progress& progress = {});
Sheet readOds(const QString& path, const Progress& progress = {});

// The text of a CSV file: UTF-16 with a byte order mark; UTF-8 with or without one; else each line
// by itself, UTF-8 when it is valid UTF-8 and Windows-1252 otherwise. NUL characters are dropped.
QString decodeText(const QByteArray& bytes);
// The field separator of a CSV text: the one of ";", "," and tab most often in its first line.
QChar detectDelimiter(QStringView text);

} // namespace SheetReader
