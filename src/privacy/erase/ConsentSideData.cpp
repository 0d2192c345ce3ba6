#include "privacy/erase/ConsentSideData.h"

#include "privacy/ConsentStore.h"
#include "storage/SafeSave.h"

#include <stdexcept>

QList<PersonSideData::File> ConsentSideData::exportFiles(const QString& programFolder, int position) const
{
    if (!ConsentStore::read(programFolder, position))
        return {};
    return {File{QStringLiteral("Consensi.csv"), ConsentStore::personCsv(programFolder, position)}};
}

QStringList ConsentSideData::describe(const QString& programFolder, int position) const
{
    QStringList held;
    if (ConsentStore::read(programFolder, position))
        held << QStringLiteral("i consensi registrati (%1)").arg(ConsentStore::fileName());
    const qsizetype copies = SafeSave::leftovers(ConsentStore::path(programFolder)).size();
    if (copies == 1)
        held << QStringLiteral(
            "la copia temporanea del file dei consensi lasciata da un salvataggio interrotto");
    else if (copies > 1)
        held << QStringLiteral(
                    "le %1 copie temporanee del file dei consensi lasciate da salvataggi interrotti")
                    .arg(copies);
    return held;
}

int ConsentSideData::erase(const QString& programFolder, int position)
{
    // Removed even when the entry cannot be read: a damaged line of the card goes too. The file
    // itself stays: only the temporary copies left beside it count as files removed.
    QString reason;
    int leftovers = 0;
    if (!ConsentStore::remove(programFolder, position, &reason, &leftovers))
        throw std::runtime_error(
            QStringLiteral("i consensi non possono essere rimossi: %1").arg(reason).toStdString());
    return leftovers;
}
