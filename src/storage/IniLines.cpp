#include "storage/IniLines.h"

#include "storage/SafeSave.h"

#include <QFile>
#include <QStringList>

namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

// The index of the key's line inside the section, or -1; sectionLine gets the section's line or -1.
qsizetype keyLine(const QStringList& lines, const QString& section, const QString& key,
                  qsizetype& sectionLine)
{
    const QString header = QLatin1Char('[') + section + QLatin1Char(']');
    sectionLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            if (sectionLine >= 0)
                return -1; // the section ended without the key
            if (line.compare(header, Qt::CaseInsensitive) == 0)
                sectionLine = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString IniLines::value(const QString& path, const QString& section, const QString& key)
{
    const QStringList lines = readLines(path);
    qsizetype sectionLine = -1;
    const qsizetype at = keyLine(lines, section, key, sectionLine);
    return at < 0 ? QString() : lines.at(at).section(QLatin1Char('='), 1).trimmed();
}

bool IniLines::setValue(const QString& path, const QString& section, const QString& key, const QString& value,
                        QString* reason)
{
    QStringList lines = readLines(path);
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionLine = -1;
    const qsizetype at = keyLine(lines, section, key, sectionLine);
    if (at >= 0)
        lines[at] = entry;
    else if (sectionLine >= 0)
        lines.insert(sectionLine + 1, entry);
    else
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    return SafeSave::writeFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), reason);
}
