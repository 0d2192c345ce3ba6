#include "widgets/RegionalSettings.h"

#include <QLocale>
#include <QRegularExpression>

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
    // The slashes of the format stand for the system's own date separator.
    static const QRegularExpression nonDigits(QStringLiteral("[^0-9A-Za-z]"));
    const QString systemShort = QLocale::system().dateFormat(QLocale::ShortFormat);
    const QRegularExpressionMatch match = nonDigits.match(systemShort);
    const QString separator = match.hasMatch() ? match.captured(0) : QStringLiteral("/");
    return date.toString(QStringLiteral("dd") + separator + QStringLiteral("MM") + separator +
                         QStringLiteral("yyyy"));
}
