#pragma once

#include <QDate>
#include <QString>

// The deadlines list's title and the name its PDF file is given.
namespace ExpiryOutput {
// "Scadenze e compleanni - intero archivio - data di riferimento 10/02/2027", or the group's name.
QString title(const QString& groupName, const QDate& reference);
// "Scadenze", or "Scadenze - gruppo <name>": the PDF file's name before its date.
QString pdfStem(const QString& groupName);
} // namespace ExpiryOutput
