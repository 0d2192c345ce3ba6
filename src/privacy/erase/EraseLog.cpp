#include "privacy/erase/EraseLog.h"

#include "storage/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

const QString kSeparator = QStringLiteral(" | ");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString kStarted = QStringLiteral("iniziata");
const QString kStep = QStringLiteral("passo");
const QString kFinished = QStringLiteral("terminata");
const QString kSlotsYes = QStringLiteral("riquadri dei gruppi: s\u00EC");
const QString kRemoved = QStringLiteral("file rimossi: ");

} // namespace

EraseLog::EraseLog(QString programFolder)
    : m_path(path(programFolder))
{
}

QString EraseLog::path(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Cancellazioni.log"));
}

QString EraseLog::newId()
{
    return QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, QLatin1Char('0'));
}

bool EraseLog::append(const Erase& erase, const QString& what, QString* reason)
{
    QByteArray bytes;
    QFile old(m_path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            if (reason)
                *reason = old.errorString();
            return false;
        }
        bytes = old.readAll();
        old.close();
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes.append("\r\n");
    }
    const QStringList fields = {QDateTime::currentDateTime().toString(kDateFormat),
                                QStringLiteral("cancellazione ") + erase.id,
                                QStringLiteral("scheda ") + QString::number(erase.position), what};
    bytes.append(fields.join(kSeparator).toUtf8()).append("\r\n");
    return SafeSave::writeFile(m_path, bytes, reason);
}

bool EraseLog::started(const Erase& erase, QString* reason)
{
    return append(erase,
                  kStarted + kSeparator +
                      (erase.groupSlots ? kSlotsYes : QStringLiteral("riquadri dei gruppi: no")),
                  reason);
}

bool EraseLog::step(const Erase& erase, int filesRemoved, QString* reason)
{
    return append(erase, kStep + kSeparator + kRemoved + QString::number(filesRemoved), reason);
}

bool EraseLog::finished(const Erase& erase, int filesRemoved, QString* reason)
{
    return append(erase, kFinished + kSeparator + kRemoved + QString::number(filesRemoved), reason);
}

QList<EraseLog::Erase> EraseLog::read() const
{
    QList<Erase> erases;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return erases;
    const QRegularExpression idField(QStringLiteral("\\Acancellazione ([0-9a-f]{1,16})\\z"));
    const QRegularExpression positionField(QStringLiteral("\\Ascheda ([1-9][0-9]{0,9})\\z"));
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).trimmed().split(kSeparator);
        if (fields.size() < 4)
            continue;
        const auto id = idField.match(fields[1]);
        const auto position = positionField.match(fields[2]);
        bool number = false;
        const int pos = position.captured(1).toInt(&number);
        if (!id.hasMatch() || !number)
            continue;
        const QString what = fields[3];
        const int removed =
            fields.size() > 4 && fields[4].startsWith(kRemoved) ? fields[4].mid(kRemoved.size()).toInt() : 0;
        auto known = std::find_if(erases.begin(), erases.end(), [&](const Erase& e) {
            return e.id == id.captured(1) && e.position == pos;
        });
        if (what == kStarted) {
            if (known != erases.end())
                continue;
            Erase erase;
            erase.id = id.captured(1);
            erase.position = pos;
            erase.groupSlots = fields.size() > 4 && fields[4] == kSlotsYes;
            erase.started = QDateTime::fromString(fields[0], kDateFormat);
            erases.append(erase);
        } else if (known != erases.end() && what == kStep) {
            known->filesRemoved += removed;
        } else if (known != erases.end() && what == kFinished) {
            known->filesRemoved = removed; // the total of the whole erase
            known->finished = true;
        }
    }
    return erases;
}

QList<EraseLog::Erase> EraseLog::unfinished() const
{
    QList<Erase> result;
    for (const Erase& erase : read()) {
        if (!erase.finished)
            result.append(erase);
    }
    return result;
}
