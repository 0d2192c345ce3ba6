#pragma once

#include <QDate>
#include <QStringView>

#include <optional>

// Dates typed by hand into the card's free-text date fields: gg/mm/aaaa, g/m/aa, gg-mm-aaaa,
// gg.mm.aaaa, aaaa-mm-gg, blanks around, and Italian month names or their abbreviations
// ("3 marzo 2027", "3 mar 27"). Nothing is guessed: any other text, or a day that does not
// exist, is not a date.
namespace FreeTextDate {

// What the date is: two-digit years and the dates allowed depend on it.
enum class Kind {
    Birth,  // in the past (today allowed): "80" is 1980, "05" is 2005 until that day comes
    Expiry, // any date; a two-digit year is the one within 50 years of today
};

std::optional<QDate> read(QStringView text, Kind kind, const QDate& today);

// 1 to 12 for an Italian month name or abbreviation ("gen", "sett", "Marzo", "ago."), else 0.
int month(QStringView word);

} // namespace FreeTextDate
