#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class QIODevice;
class RegistryTable;

// The spreadsheet file of the registry: an HTML table with the worksheet markup, Windows-1252,
// no byte order mark and no line break. Every value is escaped and every data cell is marked as
// text, so that the spreadsheet shows each value as it stands on the card.
class RegistryExport {
public:
    // The file in the program folder.
    static QString path(const QString& programFolder);

    // Called after every few hundred rows with the rows written and the rows in all; false cancels.
    using Progress = std::function<bool(int done, int total)>;

    enum class Outcome { Written, Cancelled, Failed };

    // Replaces the file as a whole: on a failure or a cancel the previous file stays as it was.
    static Outcome save(const QString& path, const RegistryTable& table, const Progress& progress = {},
                        QString* errorString = nullptr);
    // Writes the whole file to an open device; false on a write failure or a cancel.
    static bool write(QIODevice& device, const RegistryTable& table, const Progress& progress = {},
                      bool* cancelled = nullptr);

    // The fragments of the file, for the writer and the tests.
    static QByteArray head();
    static QByteArray headerRow();
    // The labels of the header row, for the other file formats.
    static QStringList headerLabels();
    static QByteArray tail();
    static QByteArray dataCellStart();
    static QByteArray cellEnd() { return QByteArrayLiteral("</td>"); }

    // Appends a value already in Windows-1252, with &, < and > escaped; control codes (line breaks
    // among them) and every blank after a blank are written as character references.
    static void appendEscaped(QByteArray& out, QByteArrayView bytes);
    // Appends a text: what the code page has as its byte, escaped as above; any other character as
    // a character reference, so that nothing typed is lost.
    static void appendEscaped(QByteArray& out, QStringView text);
};
