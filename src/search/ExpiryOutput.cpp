#include "search/ExpiryOutput.h"

#include "search/ExpiryList.h"

QString ExpiryOutput::title(const QString& groupName, const QDate& reference)
{
    const QString filter =
        groupName.isEmpty() ? QStringLiteral("intero archivio") : QStringLiteral("gruppo ") + groupName;
    return QStringLiteral("Scadenze e compleanni - %1 - data di riferimento %2")
        .arg(filter, ExpiryList::shortDate(reference));
}

QString ExpiryOutput::pdfStem(const QString& groupName)
{
    return groupName.isEmpty() ? QStringLiteral("Scadenze")
                               : QStringLiteral("Scadenze - gruppo ") + groupName;
}
