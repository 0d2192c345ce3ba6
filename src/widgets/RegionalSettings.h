#pragma once

#include <QDate>
#include <QString>

// The process-wide short date format "dd/mm/yyyy" and decimal separator ",".
namespace RegionalSettings {
// Sets the default locale's decimal separator to ","; repeated by every screen's creation.
void apply();
// A date as dd/MM/yyyy, with slashes whatever the system's language.
QString shortDate(const QDate& date);
QChar decimalSeparator();
} // namespace RegionalSettings
