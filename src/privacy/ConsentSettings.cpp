#include "privacy/ConsentSettings.h"

#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

const QString kSection = QStringLiteral("[Consensi]");
const QString kKey = QStringLiteral("Associazione");

QString pathOf(const QString& programFolder)
{
    return QDir(programFolder).filePath(ConsentSettings::fileName());
}

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

// The line of the key inside the section, or -1; section gets the section's line or -1.
qsizetype keyLine(const QStringList& lines, qsizetype& section)
{
    section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            if (section >= 0)
                return -1;
            if (line.compare(kSection, Qt::CaseInsensitive) == 0)
                section = i;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (section >= 0 && equals > 0 && line.left(equals).trimmed().compare(kKey, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString ConsentSettings::fileName()
{
    return QStringLiteral("Consensi.ini");
}

QString ConsentSettings::association(const QString& programFolder)
{
    const QStringList lines = readLines(pathOf(programFolder));
    qsizetype section = -1;
    const qsizetype at = keyLine(lines, section);
    return at < 0 ? QString() : lines.at(at).section(QLatin1Char('='), 1).trimmed();
}

bool ConsentSettings::setAssociation(const QString& programFolder, const QString& name, QString* reason)
{
    QStringList lines = readLines(pathOf(programFolder));
    // One line: a name typed with a line break keeps its words.
    const QString entry = kKey + QLatin1Char('=') + TextRules::trim(name).simplified();
    qsizetype section = -1;
    const qsizetype at = keyLine(lines, section);
    if (at >= 0)
        lines[at] = entry;
    else if (section >= 0)
        lines.insert(section + 1, entry);
    else
        lines << kSection << entry;
    return SafeSave::writeFile(pathOf(programFolder),
                               (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(),
                               reason);
}
