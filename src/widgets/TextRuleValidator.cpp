#include "widgets/TextRuleValidator.h"

#include <QLineEdit>

#include <algorithm>

TextRuleValidator::TextRuleValidator(QLineEdit* field, Rule rule)
    : QValidator(field)
    , m_rule(std::move(rule))
{
    field->setValidator(this);
}

QValidator::State TextRuleValidator::validate(QString& input, int& pos) const
{
    const QString ruled = m_rule(input);
    if (ruled != input) {
        // The caret stays after what the user typed: the rule applied to the text before the
        // caret, with a digit behind it so that trimming does not eat the blanks before it.
        const QString before = m_rule(input.left(pos) + QLatin1Char('0'));
        pos = std::clamp(static_cast<int>(before.size()) - 1, 0, static_cast<int>(ruled.size()));
        input = ruled;
    }
    return Acceptable;
}

QString TextRuleValidator::digitsOnly(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}
