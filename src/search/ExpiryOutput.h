#pragma once

#include "documents/Report.h"

#include <QDate>
#include <QString>
#include <QStringList>

class ExpiryList;
class ListDocument;

// The deadlines list as a printed list (A4, the program's list layout) and as a PDF file.
namespace ExpiryOutput {
// "Scadenze e compleanni - intero archivio - data di riferimento 10/02/2027", or the group's name.
QString title(const QString& groupName, const QDate& reference);
// Writes the prepared document to a PDF file through QSaveFile: the file appears whole or not at
// all. False when progress stopped it; throws Report::Error when it cannot be written.
bool savePdf(const Report::PagedDocument& document, const QString& path,
             const Report::Progress& progress = {});
} // namespace ExpiryOutput
