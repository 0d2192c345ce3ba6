#pragma once

#include <QDir>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

// LibreOffice Calc run headless on exported files, and the CSV it writes read back.
namespace LibreOffice {

// The soffice program, or an empty string where LibreOffice is not installed.
inline QString program()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Converts the files into `outFolder` with a filter such as "csv:Text - txt - csv (StarCalc):44,34,76"
// (comma, double quote, UTF-8); its own profile lives in `scratch`. Returns what soffice printed
// on its error stream.
inline QString convert(const QStringList& files, const QString& filter, const QString& outFolder,
                       const QString& scratch)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), scratch);
    process.setProcessEnvironment(environment);
    process.start(
        program(),
        QStringList{QStringLiteral("-env:UserInstallation=") +
                        QUrl::fromLocalFile(QDir(scratch).filePath(QStringLiteral("profilo"))).toString(),
                    QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                    QStringLiteral("--outdir"), outFolder} +
            files);
    process.waitForFinished(180000);
    return QString::fromLocal8Bit(process.readAllStandardError());
}

inline QString csvFilter()
{
    return QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76");
}

// Rows of cells from CSV text: comma separated, fields with commas, quotes or line breaks quoted.
inline QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(cell);
            cell.clear();
        } else if (c == QLatin1Char('\n')) {
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
        } else if (c != QLatin1Char('\r')) {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty()) {
        row.append(cell);
        rows.append(row);
    }
    return rows;
}

} // namespace LibreOffice
