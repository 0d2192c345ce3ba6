#include "widgets/RegionalSettings.h"

#include <QLocale>

void RegionalSettings::apply()
{
    // Italian numbers use the decimal comma; dates are formatted by shortDate().
    if (QLocale().decimalPoint() != QStringLiteral(","))
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QChar RegionalSettings::decimalSeparator()
{
    return QLatin1Char(',');
}

QString RegionalSettings::shortDate(const QDate& date)
{
    // The interface is Italian whatever the machine's language: always with slashes.
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
