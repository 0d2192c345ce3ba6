#pragma once

#include "import/SheetReader.h"

#include <QStringView>
#include <QXmlStreamAttributes>

// What the spreadsheet readers share: their messages and the building of a sheet's rows.
namespace SheetParts {

extern const QString kNonApribile;
extern const QString kVuoto;
extern const QString kTroppoGrande;
extern const QString kNonFoglio;
extern const QString kDanneggiato; // %1: the kind of file
extern const QString kProtetto;    // %1: the kind of file
extern const QString kSenzaTesti;
extern const QString kBomba; // %1: the kind of file
extern const QString kTroppeRighe;
extern const QString kSenzaRighe;

SheetReader::Sheet failure(const QString& message);
// Drops the empty rows and empty columns at the end; an empty result is an error.
void finish(SheetReader::Sheet& sheet);
// Reports progress; false when the user cancelled.
bool tick(const SheetReader::Progress& progress, qint64 done, qint64 total);
// An attribute by its local name, whatever its prefix.
QStringView attribute(const QXmlStreamAttributes& attributes, QLatin1String name);
// A cell's text as the sheet keeps it: cut to kMaxCellChars, without NUL characters.
QString cellText(QString text);
// Puts a cell at its place; an empty cell takes no room wherever it is. False beyond the limits.
bool putCell(QList<QStringList>& rows, int row, int column, const QString& text);

} // namespace SheetParts
