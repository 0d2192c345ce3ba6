#pragma once

#include <QDate>
#include <QString>

// The process-wide short date format "dd/mm/yyyy" and decimal separator ",".
namespace RegionalSettings {
// Sets the default locale's decimal separator to ","; repeated by every screen's creation.
void apply();
// Today's date in the short format, with the system's date separator.
QString shortDate(const QDate& date);
QChar decimalSeparator();
} // namespace RegionalSettings
