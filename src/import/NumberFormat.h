#pragma once

#include <QList>
#include <QString>

// A spreadsheet number format code ("#,##0.00", "dd/mm/yyyy", "[h]:mm:ss", "0;[Red]-0", "General")
// and the text it shows for a value, as Calc shows it in an Italian locale: decimal comma, thousands
// point, Italian month and day names, decimal rounding of the value as written.
class NumberFormat {
public:
    // "General".
    NumberFormat();
    static NumberFormat fromCode(const QString& code);
    // The formats Excel numbers without writing their code (0 to 49).
    static NumberFormat builtin(int id);

    struct Shown {
        QString text;
        bool lostDigits = false; // the text holds fewer significant digits than the value
    };
    // serial: days since 1899-12-30 (1904 workbooks add 1462 before calling).
    Shown show(double value) const;
    bool isDateOrTime() const;

    // The shortest text of a value with 15 significant digits, decimal comma ("General").
    static QString general(double value);
    // An ISO date with an optional time ("2014-02-14T08:27:48.765Z") as days since 1899-12-30.
    static bool serialOf(QStringView iso, double& serial);

private:
    struct Token {
        enum Kind { Literal, Digit, DecimalPoint, Exponent, Slash, Percent, Date, General, Text };
        Kind kind = Literal;
        QString text; // Literal: the text; Digit: "0", "#" or "?"; Date: the code ("yyyy", "[h]", "AM/PM")
    };
    struct Section {
        QList<Token> tokens;
        bool hasCondition = false;
        char op = 0; // '<' '>' '=' 'l' (<=) 'g' (>=) 'n' (<>)
        double bound = 0;
        bool date = false;
        bool elapsed = false;
        bool ampm = false;
        bool grouping = false;
        int scale = 0; // thousands dividers after the last digit
        bool accepts(double value) const;
    };
    static Section parseSection(const QString& code);
    Shown showNumber(const Section& section, double value, bool negative) const;
    static Shown showDate(const Section& section, double value);
    const Section* pick(double value, bool& negative) const;

    QList<Section> m_sections;
};
