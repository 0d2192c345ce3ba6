#include "import/NumberFormat.h"

#include <QDate>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>

namespace {

// A positive value as 15 significant decimal digits: value = 0.digits × 10^point.
struct Decimal {
    QByteArray digits; // no trailing zeros; empty for zero
    int point = 0;
};

Decimal decimalOf(double positive)
{
    Decimal d;
    if (!(positive > 0) || !std::isfinite(positive))
        return d;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", positive);
    const QByteArray text(buffer);
    const qsizetype e = text.indexOf('e');
    d.digits = text.left(1) + text.mid(2, e - 2);
    d.point = text.mid(e + 1).toInt() + 1;
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
    return d;
}

// Rounds half away from zero to a number of decimals; the integer digits (no leading zeros, empty for
// zero) and exactly `decimals` fraction digits. lost: a non-zero digit was dropped.
void roundTo(Decimal d, int decimals, QByteArray& integer, QByteArray& fraction, bool& lost)
{
    const int keep = d.point + decimals;
    if (keep < d.digits.size()) {
        lost = lost || keep < 0 ||
               d.digits.mid(std::max(0, keep)).count('0') != d.digits.size() - std::max(0, keep);
        const bool up = keep >= 0 && d.digits[keep] >= '5';
        d.digits.truncate(std::max(0, keep));
        if (up) {
            qsizetype i = d.digits.size() - 1;
            while (i >= 0 && d.digits[i] == '9')
                d.digits[i--] = '0';
            if (i >= 0) {
                ++d.digits[i];
            } else {
                d.digits.prepend('1');
                ++d.point;
            }
        }
    }
    integer.clear();
    fraction.clear();
    if (d.point > 0) {
        integer = d.digits.left(d.point);
        while (integer.size() < d.point)
            integer.append('0');
        fraction = d.digits.mid(d.point);
    } else {
        fraction = QByteArray(-d.point, '0') + d.digits;
    }
    while (integer.startsWith('0'))
        integer.remove(0, 1);
    if (fraction.size() > decimals)
        fraction.truncate(decimals);
    while (fraction.size() < decimals)
        fraction.append('0');
}

QString grouped(const QByteArray& digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.append(u'.');
        out.append(QLatin1Char(digits[i]));
    }
    return out;
}

const char16_t* const kMesi[12] = {u"gennaio",   u"febbraio", u"marzo",    u"aprile",
                                   u"maggio",    u"giugno",   u"luglio",   u"agosto",
                                   u"settembre", u"ottobre",  u"novembre", u"dicembre"};
const char16_t* const kGiorni[7] = {u"luned\u00EC",  u"marted\u00EC", u"mercoled\u00EC", u"gioved\u00EC",
                                    u"venerd\u00EC", u"sabato",       u"domenica"};

QString padded(qint64 n, int width)
{
    return QString::number(n).rightJustified(width, u'0');
}

} // namespace

NumberFormat::NumberFormat()
{
    Section section;
    section.tokens.append(Token{Token::General, {}});
    m_sections.append(section);
}

QString NumberFormat::general(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double positive = std::fabs(value);
    const Decimal d = decimalOf(positive);
    if (positive >= 1e15 || positive < 1e-4) {
        QString mantissa = QLatin1String(d.digits.left(1));
        if (d.digits.size() > 1)
            mantissa += u',' + QLatin1String(d.digits.mid(1));
        const int exponent = d.point - 1;
        return sign + mantissa + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
               padded(std::abs(exponent), exponent < 0 ? 2 : 3);
    }
    QByteArray integer, fraction;
    bool lost = false;
    roundTo(d, std::max<int>(0, int(d.digits.size()) - d.point), integer, fraction, lost);
    QString text = sign + (integer.isEmpty() ? QStringLiteral("0") : QString::fromLatin1(integer));
    if (!fraction.isEmpty())
        text += u',' + QString::fromLatin1(fraction);
    return text;
}

bool NumberFormat::serialOf(QStringView iso, double& serial)
{
    const QStringView text = iso.trimmed();
    const QDate date = QDate::fromString(text.left(10).toString(), Qt::ISODate);
    if (!date.isValid())
        return false;
    serial = double(QDate(1899, 12, 30).daysTo(date));
    if (text.size() > 11) {
        const QStringView time = text.mid(11);
        const double h = time.left(2).toDouble(), m = time.mid(3, 2).toDouble();
        QStringView seconds = time.mid(6);
        while (!seconds.isEmpty() && !seconds.back().isDigit())
            seconds.chop(1); // "Z" or a zone
        serial += (h * 3600 + m * 60 + seconds.toDouble()) / 86400.0;
    }
    return true;
}

bool NumberFormat::Section::accepts(double value) const
{
    switch (op) {
    case '<':
        return value < bound;
    case '>':
        return value > bound;
    case '=':
        return value == bound;
    case 'l':
        return value <= bound;
    case 'g':
        return value >= bound;
    case 'n':
        return value != bound;
    default:
        return true;
    }
}

NumberFormat::Section NumberFormat::parseSection(const QString& code)
{
    static const QRegularExpression condition(QStringLiteral("^(<=|>=|<>|<|>|=)\\s*(-?[0-9.]+)$"));
    Section s;
    QList<Token>& t = s.tokens;
    const auto literal = [&t](const QString& text) {
        if (!t.isEmpty() && t.last().kind == Token::Literal)
            t.last().text += text;
        else
            t.append(Token{Token::Literal, text});
    };
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        const char16_t lower = c.toLower().unicode();
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            literal(code.mid(i + 1, (end < 0 ? n : end) - i - 1));
            i = end < 0 ? n : end;
        } else if (c == u'\\' && i + 1 < n) {
            literal(code.mid(++i, 1));
        } else if (c == u'_' && i + 1 < n) {
            ++i;
            literal(QStringLiteral(" "));
        } else if (c == u'*' && i + 1 < n) {
            ++i; // a fill character takes the column's spare width: nothing in a text
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            const QString inside = code.mid(i + 1, (end < 0 ? n : end) - i - 1);
            i = end < 0 ? n : end;
            const QString lowerInside = inside.toLower();
            const QRegularExpressionMatch m = condition.match(inside.trimmed());
            if (m.hasMatch()) {
                const QString o = m.captured(1);
                s.hasCondition = true;
                s.op = o == u"<=" ? 'l' : o == u">=" ? 'g' : o == u"<>" ? 'n' : char(o[0].unicode());
                s.bound = m.captured(2).toDouble();
            } else if (!lowerInside.isEmpty() && (lowerInside.count(u'h') == lowerInside.size() ||
                                                  lowerInside.count(u'm') == lowerInside.size() ||
                                                  lowerInside.count(u's') == lowerInside.size())) {
                t.append(Token{Token::Date, u'[' + lowerInside + u']'});
                s.elapsed = true;
            } else if (inside.startsWith(u'$')) {
                const QString symbol = inside.mid(1).section(u'-', 0, 0);
                if (!symbol.isEmpty())
                    literal(symbol);
            }
        } else if (lower == u'g' &&
                   code.mid(i, 7).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            t.append(Token{Token::General, {}});
            i += 6;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            t.append(Token{Token::Digit, QString(c)});
        } else if (c == u'.') {
            t.append(Token{Token::DecimalPoint, {}});
        } else if (c == u',') {
            const bool digitBefore =
                std::any_of(t.begin(), t.end(), [](const Token& k) { return k.kind == Token::Digit; });
            const bool digitAfter =
                i + 1 < n && (code[i + 1] == u'0' || code[i + 1] == u'#' || code[i + 1] == u'?');
            if (digitBefore && digitAfter)
                s.grouping = true;
            else if (digitBefore && !t.isEmpty() && t.last().kind == Token::Digit)
                ++s.scale;
            else if (digitBefore && s.scale > 0)
                ++s.scale;
            else
                literal(QStringLiteral(","));
        } else if (c == u'%') {
            t.append(Token{Token::Percent, QStringLiteral("%")});
        } else if (lower == u'e' && i + 1 < n && (code[i + 1] == u'+' || code[i + 1] == u'-')) {
            t.append(Token{Token::Exponent, u'E' + QString(code[i + 1])});
            ++i;
        } else if (c == u'/' && !t.isEmpty() && t.last().kind != Token::Literal &&
                   std::any_of(t.begin(), t.end(), [](const Token& k) { return k.kind == Token::Digit; })) {
            t.append(Token{Token::Slash, QStringLiteral("/")});
        } else if (c == u'/' && t.size() >= 2 && t.last().kind == Token::Literal &&
                   t[t.size() - 2].kind == Token::Digit && t.last().text.trimmed().isEmpty()) {
            t.append(Token{Token::Slash, QStringLiteral("/")});
        } else if (c == u'@') {
            t.append(Token{Token::Text, {}});
        } else if (code.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            t.append(Token{Token::Date, QStringLiteral("am/pm")});
            s.ampm = true;
            i += 4;
        } else if (code.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            t.append(Token{Token::Date, QStringLiteral("a/p")});
            s.ampm = true;
            i += 2;
        } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u's' ||
                   lower == u'n') {
            qsizetype run = 1;
            while (i + run < n && code[i + run].toLower() == c.toLower())
                ++run;
            QString text(run, QChar(lower));
            if (lower == u'n') // weekday names of Calc's own codes
                text = run >= 3 ? QStringLiteral("dddd") : QStringLiteral("ddd");
            t.append(Token{Token::Date, text});
            i += run - 1;
        } else if ((lower == u'b' || lower == u'g') && s.tokens.isEmpty()) {
            // calendar markers (B1, B2) and eras: not shown
        } else {
            literal(QString(c));
        }
    }
    s.date = std::any_of(t.begin(), t.end(), [](const Token& k) { return k.kind == Token::Date; });
    if (s.date) {
        // Months or minutes: "m" right after hours or right before seconds is minutes.
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t[i].kind != Token::Date || !t[i].text.startsWith(u'm') || t[i].text.size() > 2)
                continue;
            const Token* before = nullptr;
            const Token* after = nullptr;
            for (qsizetype j = i - 1; j >= 0 && !before; --j)
                before = t[j].kind == Token::Date ? &t[j] : nullptr;
            for (qsizetype j = i + 1; j < t.size() && !after; ++j)
                after = t[j].kind == Token::Date ? &t[j] : nullptr;
            const bool hourBefore =
                before && (before->text.startsWith(u'h') || before->text.startsWith(u"[h"));
            const bool secondsAfter =
                after && (after->text.startsWith(u's') || after->text.startsWith(u"[s"));
            if (hourBefore || secondsAfter)
                t[i].text = QString(t[i].text.size(), u'n');
        }
        for (Token& k : t) {
            if (k.kind == Token::Slash || k.kind == Token::Percent || k.kind == Token::Exponent)
                k = Token{Token::Literal, k.text};
        }
    }
    return s;
}

NumberFormat NumberFormat::fromCode(const QString& code)
{
    NumberFormat format;
    if (code.trimmed().isEmpty())
        return format;
    format.m_sections.clear();
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"' && !bracket)
            quoted = !quoted;
        else if (!quoted && c == u'[')
            bracket = true;
        else if (!quoted && c == u']')
            bracket = false;
        else if (!quoted && !bracket && c == u'\\' && i + 1 < code.size()) {
            current += c;
            current += code[++i];
            continue;
        } else if (!quoted && !bracket && c == u';') {
            format.m_sections.append(parseSection(current));
            current.clear();
            continue;
        }
        current += c;
    }
    format.m_sections.append(parseSection(current));
    // A last section of text only ("@") is for text cells.
    const auto textOnly = [](const Section& s) {
        return std::any_of(s.tokens.begin(), s.tokens.end(),
                           [](const Token& k) { return k.kind == Token::Text; });
    };
    while (format.m_sections.size() > 1 && textOnly(format.m_sections.last()))
        format.m_sections.removeLast();
    return format;
}

NumberFormat NumberFormat::builtin(int id)
{
    switch (id) {
    case 1:
        return fromCode(QStringLiteral("0"));
    case 2:
        return fromCode(QStringLiteral("0.00"));
    case 3:
        return fromCode(QStringLiteral("#,##0"));
    case 4:
        return fromCode(QStringLiteral("#,##0.00"));
    case 5:
    case 6:
        return fromCode(QStringLiteral("#,##0 \\\u20AC;-#,##0 \\\u20AC"));
    case 7:
    case 8:
        return fromCode(QStringLiteral("#,##0.00 \\\u20AC;-#,##0.00 \\\u20AC"));
    case 9:
        return fromCode(QStringLiteral("0%"));
    case 10:
        return fromCode(QStringLiteral("0.00%"));
    case 11:
        return fromCode(QStringLiteral("0.00E+00"));
    case 12:
        return fromCode(QStringLiteral("# ?/?"));
    case 13:
        return fromCode(QStringLiteral("# ?\?/?\?"));
    case 14:
        return fromCode(QStringLiteral("dd/mm/yyyy"));
    case 15:
        return fromCode(QStringLiteral("d-mmm-yy"));
    case 16:
        return fromCode(QStringLiteral("d-mmm"));
    case 17:
        return fromCode(QStringLiteral("mmm-yy"));
    case 18:
        return fromCode(QStringLiteral("h:mm AM/PM"));
    case 19:
        return fromCode(QStringLiteral("h:mm:ss AM/PM"));
    case 20:
        return fromCode(QStringLiteral("h:mm"));
    case 21:
        return fromCode(QStringLiteral("h:mm:ss"));
    case 22:
        return fromCode(QStringLiteral("dd/mm/yyyy hh:mm"));
    case 37:
        return fromCode(QStringLiteral("#,##0 ;(#,##0)"));
    case 38:
        return fromCode(QStringLiteral("#,##0 ;[Red](#,##0)"));
    case 39:
        return fromCode(QStringLiteral("#,##0.00;(#,##0.00)"));
    case 40:
        return fromCode(QStringLiteral("#,##0.00;[Red](#,##0.00)"));
    case 45:
        return fromCode(QStringLiteral("mm:ss"));
    case 46:
        return fromCode(QStringLiteral("[h]:mm:ss"));
    case 47:
        return fromCode(QStringLiteral("mm:ss.0"));
    case 48:
        return fromCode(QStringLiteral("##0.0E+0"));
    default:
        return NumberFormat();
    }
}

bool NumberFormat::isDateOrTime() const
{
    return !m_sections.isEmpty() && m_sections.first().date;
}

const NumberFormat::Section* NumberFormat::pick(double value, bool& negative) const
{
    const qsizetype n = m_sections.size();
    negative = value < 0;
    const bool conditional = m_sections[0].hasCondition || (n > 1 && m_sections[1].hasCondition);
    if (conditional) {
        // A section chosen by its condition shows the sign; the one left for the rest does not.
        if (m_sections[0].accepts(value))
            return &m_sections[0];
        if (n > 1 && m_sections[1].hasCondition && m_sections[1].accepts(value))
            return &m_sections[1];
        negative = false;
        if (n > 1 && !m_sections[1].hasCondition)
            return &m_sections[1];
        if (n > 2)
            return &m_sections[2];
        return nullptr;
    }
    if (n == 1 || value > 0 || (value == 0 && n == 2))
        return &m_sections[0];
    if (value < 0) {
        negative = false;
        return &m_sections[1];
    }
    return &m_sections[2];
}

NumberFormat::Shown NumberFormat::show(double value) const
{
    if (!std::isfinite(value))
        return {QStringLiteral("#NUM!"), false};
    bool negative = false;
    const Section* section = pick(value, negative);
    if (!section)
        return {general(value), false};
    if (section->date) {
        if (value < -693594 || value > 2958465.99999)
            return {general(value), false};
        return showDate(*section, value);
    }
    return showNumber(*section, std::fabs(value), negative);
}

NumberFormat::Shown NumberFormat::showNumber(const Section& s, double value, bool negative) const
{
    const QList<Token>& t = s.tokens;
    for (const Token& k : t) {
        if (k.kind == Token::Percent)
            value *= 100;
    }
    for (int i = 0; i < s.scale; ++i)
        value /= 1000;
    qsizetype decimalAt = -1, exponentAt = -1, slashAt = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind == Token::DecimalPoint && decimalAt < 0)
            decimalAt = i;
        else if (t[i].kind == Token::Exponent && exponentAt < 0)
            exponentAt = i;
        else if (t[i].kind == Token::Slash && slashAt < 0)
            slashAt = i;
    }
    QList<QString> out(t.size());
    bool lost = false;
    const qsizetype integerEnd = decimalAt >= 0 ? decimalAt : exponentAt >= 0 ? exponentAt : t.size();
    QList<qsizetype> integerDigits, decimalDigits, exponentDigits;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != Token::Digit)
            continue;
        if (exponentAt >= 0 && i > exponentAt)
            exponentDigits.append(i);
        else if (i < integerEnd)
            integerDigits.append(i);
        else
            decimalDigits.append(i);
    }
    // Fills the integer placeholders from the right; the first takes every digit left over.
    const auto fillInteger = [&](const QByteArray& digits) {
        if (s.grouping && !integerDigits.isEmpty()) {
            qsizetype zeros = 0;
            for (qsizetype k = 0; k < integerDigits.size(); ++k) {
                if (t[integerDigits[k]].text == u"0") {
                    zeros = integerDigits.size() - k;
                    break;
                }
            }
            QByteArray padded = digits;
            while (padded.size() < zeros)
                padded.prepend('0');
            out[integerDigits.first()] = grouped(padded);
            return;
        }
        qsizetype j = digits.size() - 1;
        for (qsizetype k = integerDigits.size() - 1; k >= 0; --k) {
            const qsizetype at = integerDigits[k];
            if (j >= 0)
                out[at] = QLatin1Char(digits[j--]);
            else
                out[at] = t[at].text == u"0"   ? QStringLiteral("0")
                          : t[at].text == u"?" ? QStringLiteral(" ")
                                               : QString();
            if (k == 0 && j >= 0)
                out[at].prepend(QString::fromLatin1(digits.left(j + 1)));
        }
    };
    const auto fillDecimals = [&](const QByteArray& digits) {
        for (qsizetype k = 0; k < decimalDigits.size(); ++k)
            out[decimalDigits[k]] = QLatin1Char(digits.at(k));
        for (qsizetype k = decimalDigits.size() - 1; k >= 0 && digits.at(k) == '0'; --k) {
            const QString& p = t[decimalDigits[k]].text;
            if (p == u"0")
                break;
            out[decimalDigits[k]] = p == u"?" ? QStringLiteral(" ") : QString();
        }
    };

    if (slashAt >= 0) {
        // A fraction: integer part, numerator and denominator.
        QList<qsizetype> numerator;
        qsizetype k = slashAt - 1;
        while (k >= 0 && t[k].kind != Token::Digit)
            --k;
        while (k >= 0 && t[k].kind == Token::Digit)
            numerator.prepend(k--);
        integerDigits.clear();
        for (qsizetype i = 0; i <= k; ++i) {
            if (t[i].kind == Token::Digit)
                integerDigits.append(i);
        }
        int denominatorDigits = 0;
        int fixed = 0;
        qsizetype after = slashAt + 1;
        for (; after < t.size() && t[after].kind == Token::Digit; ++after)
            ++denominatorDigits;
        if (denominatorDigits == 0 && after < t.size() && t[after].kind == Token::Literal) {
            QString number;
            for (const QChar c : t[after].text) {
                if (!c.isDigit())
                    break;
                number += c;
            }
            fixed = number.toInt();
        }
        const double whole = integerDigits.isEmpty() ? 0 : std::floor(value + 1e-12);
        const double part = value - whole;
        qint64 num = 0, den = 1;
        if (fixed > 0) {
            den = fixed;
            num = std::llround(part * den);
        } else {
            const int maxDen = denominatorDigits >= 3 ? 999 : denominatorDigits == 2 ? 99 : 9;
            double best = 2;
            for (int d = 1; d <= maxDen; ++d) {
                const qint64 n = std::llround(part * d);
                const double error = std::fabs(part - double(n) / d);
                if (error < best - 1e-12) {
                    best = error;
                    num = n;
                    den = d;
                }
            }
        }
        lost = std::fabs(part - double(num) / double(den)) > 1e-9;
        double integerValue = whole;
        if (num == den && !integerDigits.isEmpty()) {
            integerValue += 1;
            num = 0;
        }
        QByteArray intDigits = integerValue > 0 ? QByteArray::number(qint64(integerValue)) : QByteArray();
        fillInteger(intDigits);
        for (const qsizetype at : numerator)
            out[at].clear();
        if (num == 0 && !integerDigits.isEmpty()) {
            // A whole number shows no fraction.
            QString text;
            for (qsizetype i = 0; i <= k; ++i)
                text += t[i].kind == Token::Literal ? t[i].text : out[i];
            text = text.trimmed();
            if (intDigits.isEmpty())
                text = QStringLiteral("0");
            return {(negative ? QStringLiteral("-") : QString()) + text, lost};
        }
        if (!numerator.isEmpty())
            out[numerator.first()] = QString::number(num).rightJustified(numerator.size(), u' ');
        out[slashAt] = QStringLiteral("/");
        if (denominatorDigits > 0) {
            out[slashAt + 1] = QString::number(den).leftJustified(denominatorDigits, u' ');
            for (qsizetype i = slashAt + 2; i < after; ++i)
                out[i].clear();
        }
    } else if (exponentAt >= 0) {
        const qsizetype k = std::max<qsizetype>(1, integerDigits.size());
        const bool engineering = std::any_of(integerDigits.begin(), integerDigits.end(),
                                             [&t](qsizetype i) { return t[i].text == u"#"; });
        Decimal d = decimalOf(value);
        int exponent = d.digits.isEmpty() ? 0 : d.point - 1;
        const auto align = [&](int e) {
            if (engineering && k > 1)
                return int(e - ((e % k) + k) % k);
            return int(e - (k - 1));
        };
        exponent = align(exponent);
        QByteArray integer, fraction;
        for (int attempt = 0; attempt < 2; ++attempt) {
            Decimal m = d;
            m.point -= exponent;
            bool cut = false;
            roundTo(m, int(decimalDigits.size()), integer, fraction, cut);
            if (!d.digits.isEmpty() && integer.size() > k && attempt == 0) {
                exponent = align(exponent + int(integer.size() - k));
                continue;
            }
            lost = cut;
            break;
        }
        fillInteger(integer);
        fillDecimals(fraction);
        const bool plus = t[exponentAt].text.endsWith(u'+');
        out[exponentAt] = QStringLiteral("E") +
                          (exponent < 0 ? QStringLiteral("-")
                           : plus       ? QStringLiteral("+")
                                        : QString()) +
                          QString::number(std::abs(exponent)).rightJustified(exponentDigits.size(), u'0');
    } else if (!integerDigits.isEmpty() || !decimalDigits.isEmpty()) {
        QByteArray integer, fraction;
        roundTo(decimalOf(value), int(decimalDigits.size()), integer, fraction, lost);
        if (integerDigits.isEmpty() && !integer.isEmpty()) {
            // ".00" alone still shows the whole number before the comma.
            out.insert(0, QString::fromLatin1(integer));
            QList<Token> shifted = t;
            shifted.prepend(Token{Token::Literal, {}});
            decimalDigits.clear();
            for (qsizetype i = 0; i < shifted.size(); ++i) {
                if (shifted[i].kind == Token::Digit)
                    decimalDigits.append(i);
            }
            for (qsizetype k = 0; k < decimalDigits.size(); ++k)
                out[decimalDigits[k]] = QLatin1Char(fraction.at(k));
            QString text;
            for (qsizetype i = 0; i < shifted.size(); ++i)
                text += i == 0                                   ? out[0]
                        : shifted[i].kind == Token::Literal      ? shifted[i].text
                        : shifted[i].kind == Token::DecimalPoint ? QStringLiteral(",")
                        : shifted[i].kind == Token::Percent      ? QStringLiteral("%")
                                                                 : out[i];
            return {(negative ? QStringLiteral("-") : QString()) + text, lost};
        }
        fillInteger(integer);
        fillDecimals(fraction);
    }
    QString text;
    bool anyDigit = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        switch (t[i].kind) {
        case Token::Literal:
        case Token::Percent:
            text += t[i].text;
            break;
        case Token::DecimalPoint:
            // No comma when every decimal placeholder came out empty ("#.##" of 1 is "1").
            if (i == decimalAt && std::any_of(decimalDigits.begin(), decimalDigits.end(),
                                              [&out](qsizetype k) { return !out[k].isEmpty(); }))
                text += u',';
            else if (i == decimalAt && decimalDigits.isEmpty())
                text += u',';
            break;
        case Token::General:
            text += general(value);
            anyDigit = true;
            break;
        case Token::Text:
            text += general(value);
            anyDigit = true;
            break;
        default:
            text += out[i];
            anyDigit = anyDigit || t[i].kind == Token::Digit;
        }
    }
    if (negative && (anyDigit || exponentAt >= 0))
        text.prepend(u'-');
    return {text, lost};
}

NumberFormat::Shown NumberFormat::showDate(const Section& s, double value)
{
    const QList<Token>& t = s.tokens;
    // Fractional seconds: the zeros after a decimal point.
    int fractionDigits = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind == Token::DecimalPoint) {
            for (qsizetype j = i + 1; j < t.size() && t[j].kind == Token::Digit; ++j)
                ++fractionDigits;
        }
    }
    fractionDigits = std::min(fractionDigits, 3);
    const qint64 perSecond = qint64(std::pow(10, fractionDigits));
    const qint64 perDay = 86400 * perSecond;
    // Clock times are cut to what they show, elapsed times rounded.
    const double exact = value * double(perDay);
    const qint64 ticks = s.elapsed ? std::llround(exact) : qint64(std::floor(exact + 1e-6));
    const qint64 days = ticks >= 0 ? ticks / perDay : -((-ticks + perDay - 1) / perDay);
    const qint64 inDay = ticks - days * perDay;
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const qint64 seconds = inDay / perSecond;
    const int hour = int(seconds / 3600);
    const int minute = int(seconds / 60 % 60);
    const int second = int(seconds % 60);
    const qint64 totalSeconds = ticks / perSecond;
    QString text;
    bool fractionDone = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.kind == Token::Literal || k.kind == Token::Percent || k.kind == Token::Slash) {
            text += k.text;
            continue;
        }
        if (k.kind == Token::DecimalPoint) {
            if (!fractionDone && fractionDigits > 0) {
                text += u',' + padded(ticks % perSecond, fractionDigits);
                fractionDone = true;
            } else if (fractionDigits == 0) {
                text += u',';
            }
            continue;
        }
        if (k.kind == Token::Digit)
            continue;
        if (k.kind == Token::General || k.kind == Token::Text) {
            text += general(value);
            continue;
        }
        if (k.kind != Token::Date)
            continue;
        const QString& c = k.text;
        const int n = int(c.size());
        switch (c[0].unicode()) {
        case u'y':
            text += n <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
            break;
        case u'm':
            if (n <= 2)
                text += padded(date.month(), n);
            else if (n == 3)
                text += QString::fromUtf16(kMesi[date.month() - 1]).left(3);
            else if (n == 4)
                text += QString::fromUtf16(kMesi[date.month() - 1]);
            else
                text += QString::fromUtf16(kMesi[date.month() - 1]).left(1);
            break;
        case u'd':
            if (n <= 2)
                text += padded(date.day(), n);
            else if (n == 3)
                text += QString::fromUtf16(kGiorni[date.dayOfWeek() - 1]).left(3);
            else
                text += QString::fromUtf16(kGiorni[date.dayOfWeek() - 1]);
            break;
        case u'h':
            text += padded(s.ampm ? (hour % 12 == 0 ? 12 : hour % 12) : hour, std::min(n, 2));
            break;
        case u'n':
            text += padded(minute, std::min(n, 2));
            break;
        case u's':
            text += padded(second, std::min(n, 2));
            break;
        case u'a':
            if (c == u"am/pm")
                text += hour < 12 ? QStringLiteral("a.m.") : QStringLiteral("p.m.");
            else
                text += hour < 12 ? QStringLiteral("a") : QStringLiteral("p");
            break;
        case u'[': {
            const int width = n - 2;
            if (c[1] == u'h')
                text += padded(totalSeconds / 3600, width);
            else if (c[1] == u'm')
                text += padded(totalSeconds / 60, width);
            else
                text += padded(totalSeconds, width);
            break;
        }
        default:
            break;
        }
    }
    return {text, false};
}
