#include "search/ExpirySettings.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

const QString kSection = QStringLiteral("[Scadenze]");
const QString kKey = QStringLiteral("AvvisoDopoAccesso");

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
}

// The index of the key's line inside the section, or -1.
qsizetype keyLine(const QStringList& lines, qsizetype& sectionLine)
{
    sectionLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            if (sectionLine >= 0)
                return -1; // the section ended without the key
            if (line.compare(kSection, Qt::CaseInsensitive) == 0)
                sectionLine = i;
            continue;
        }
        if (sectionLine < 0)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed().compare(kKey, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

ExpirySettings::ExpirySettings(const QString& programFolder)
    : m_path(programFolder + fileName())
{
}

bool ExpirySettings::noticeAfterLogin() const
{
    const QStringList lines = readLines(m_path);
    qsizetype section = -1;
    const qsizetype at = keyLine(lines, section);
    if (at < 0)
        return false;
    const QString value = lines.at(at).section(QLatin1Char('='), 1).trimmed();
    return value == QLatin1String("1");
}

bool ExpirySettings::setNoticeAfterLogin(bool on)
{
    QStringList lines = readLines(m_path);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    const QString entry = kKey + QLatin1Char('=') + (on ? QLatin1Char('1') : QLatin1Char('0'));
    qsizetype section = -1;
    const qsizetype at = keyLine(lines, section);
    if (at >= 0)
        lines[at] = entry;
    else if (section >= 0)
        lines.insert(section + 1, entry);
    else
        lines << kSection << entry;

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size())
        return false; // QSaveFile drops the half-written copy
    return file.commit();
}
