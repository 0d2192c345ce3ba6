#include "privacy/erase/ConsentSideData.h"

#include "privacy/ConsentStore.h"

#include <stdexcept>

QList<PersonSideData::File> ConsentSideData::exportFiles(const QString& programFolder, int position) const
{
    if (!ConsentStore::read(programFolder, position))
        return {};
    return {File{QStringLiteral("Consensi.csv"), ConsentStore::personCsv(programFolder, position)}};
}

QStringList ConsentSideData::describe(const QString& programFolder, int position) const
{
    if (!ConsentStore::read(programFolder, position))
        return {};
    return {QStringLiteral("i consensi registrati (%1)").arg(ConsentStore::fileName())};
}

int ConsentSideData::erase(const QString& programFolder, int position)
{
    // Removed even when the entry cannot be read: a damaged line of the card goes too.
    const bool held = ConsentStore::read(programFolder, position).has_value();
    QString reason;
    if (!ConsentStore::remove(programFolder, position, &reason))
        throw std::runtime_error(
            QStringLiteral("i consensi non possono essere rimossi: %1").arg(reason).toStdString());
    return held ? 1 : 0;
}
