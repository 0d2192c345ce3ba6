#pragma once

#include <QValidator>

#include <functional>

class QLineEdit;

// Applies a field's text rule (upper-casing, trimming, digits only) to every change of the
// field, whatever its route: typing, pasting, dropping, setText() or a screen reader.
class TextRuleValidator : public QValidator {
    Q_OBJECT
public:
    using Rule = std::function<QString(const QString&)>;

    // Installs itself on the field, which owns it. The field's maximum length still cuts first.
    TextRuleValidator(QLineEdit* field, Rule rule);

    State validate(QString& input, int& pos) const override;

    // The digits 0 to 9 of the text, in order.
    static QString digitsOnly(const QString& text);

private:
    Rule m_rule;
};
