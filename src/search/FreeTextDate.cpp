#include "search/FreeTextDate.h"

#include <array>

namespace {

struct Token {
    bool word = false;
    int value = 0;  // a number's value
    int digits = 0; // a number's length
    QStringView text;
};

// What stands between two tokens: blanks and at most one of / - .
struct Gap {
    char16_t separator = 0;
};

bool isBlank(char16_t c)
{
    return c <= 32;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSeparator(char16_t c)
{
    return c == u'/' || c == u'-' || c == u'.';
}

// Splits the text into three tokens and the two gaps between them; false for anything else.
bool split(QStringView text, std::array<Token, 3>& tokens, std::array<Gap, 2>& gaps)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i].unicode()))
        ++i;
    int count = 0;
    while (i < n) {
        if (count == 3)
            return false;
        const char16_t first = text[i].unicode();
        const qsizetype start = i;
        Token& token = tokens[count];
        if (isDigit(first)) {
            while (i < n && isDigit(text[i].unicode())) {
                if (i - start >= 4)
                    return false;
                token.value = token.value * 10 + (text[i].unicode() - u'0');
                ++i;
            }
            token.digits = int(i - start);
        } else if (isLetter(first)) {
            while (i < n && isLetter(text[i].unicode()))
                ++i;
            token.word = true;
            // An abbreviation may end with its full stop: "3 mar. 2027".
            if (i < n && text[i].unicode() == u'.')
                ++i;
        } else {
            return false;
        }
        token.text = text.sliced(start, i - start);
        ++count;
        // The gap up to the next token.
        char16_t separator = 0;
        while (i < n && !isDigit(text[i].unicode()) && !isLetter(text[i].unicode())) {
            const char16_t c = text[i].unicode();
            if (isSeparator(c)) {
                if (separator != 0)
                    return false;
                separator = c;
            } else if (!isBlank(c)) {
                return false;
            }
            ++i;
        }
        if (count < 3 && i < n)
            gaps[count - 1].separator = separator;
        else if (i == n && separator != 0)
            return false; // a trailing separator: "3/5/"
    }
    return count == 3;
}

constexpr int kFirstYear = 1800;
constexpr int kLastYear = 2999;

int fullYear(const Token& token, int day, int month, FreeTextDate::Kind kind, const QDate& today)
{
    if (token.digits == 4)
        return token.value;
    if (token.digits != 2)
        return 0;
    const int century = today.year() / 100 * 100;
    int year = century + token.value;
    if (kind == FreeTextDate::Kind::Birth) {
        // The latest year that puts the birthday in the past; 29/02 is judged on 28/02.
        const QDate candidate(year, month, (month == 2 && day == 29) ? 28 : day);
        if (candidate.isValid() && candidate > today)
            year -= 100;
        return year;
    }
    // Within 50 years of today, either side.
    if (year >= today.year() + 50)
        year -= 100;
    else if (year < today.year() - 50)
        year += 100;
    return year;
}

} // namespace

int FreeTextDate::month(QStringView word)
{
    static constexpr std::array<const char*, 12> kNames = {"gennaio",   "febbraio", "marzo",    "aprile",
                                                           "maggio",    "giugno",   "luglio",   "agosto",
                                                           "settembre", "ottobre",  "novembre", "dicembre"};
    if (word.endsWith(u'.'))
        word.chop(1);
    QString lower = word.toString().toLower();
    if (lower.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const QLatin1StringView name(kNames[m]);
        // The whole name, its first three letters, or "sett" for September.
        if (lower == name || lower == name.first(3) || (m == 8 && lower == QLatin1StringView("sett")))
            return m + 1;
    }
    return 0;
}

std::optional<QDate> FreeTextDate::read(QStringView text, Kind kind, const QDate& today)
{
    std::array<Token, 3> tokens{};
    std::array<Gap, 2> gaps{};
    if (!split(text, tokens, gaps))
        return std::nullopt;

    int day = 0;
    int monthNumber = 0;
    const Token* yearToken = &tokens[2];
    if (tokens[1].word) {
        // 3 marzo 2027, 3-mar-27: any gap will do.
        if (tokens[0].word || tokens[2].word || tokens[0].digits > 2)
            return std::nullopt;
        day = tokens[0].value;
        monthNumber = month(tokens[1].text);
        if (monthNumber == 0)
            return std::nullopt;
    } else {
        if (tokens[0].word || tokens[2].word)
            return std::nullopt;
        // Numbers need one separator, the same twice.
        if (gaps[0].separator == 0 || gaps[0].separator != gaps[1].separator)
            return std::nullopt;
        if (tokens[0].digits == 4) {
            // aaaa-mm-gg
            if (tokens[1].digits > 2 || tokens[2].digits > 2)
                return std::nullopt;
            yearToken = &tokens[0];
            monthNumber = tokens[1].value;
            day = tokens[2].value;
        } else {
            if (tokens[0].digits > 2 || tokens[1].digits > 2)
                return std::nullopt;
            day = tokens[0].value;
            monthNumber = tokens[1].value;
        }
    }
    if (monthNumber < 1 || monthNumber > 12 || day < 1 || day > 31)
        return std::nullopt;
    const int year = fullYear(*yearToken, day, monthNumber, kind, today);
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    const QDate date(year, monthNumber, day);
    if (!date.isValid())
        return std::nullopt;
    if (kind == Kind::Birth && date > today)
        return std::nullopt;
    return date;
}
