#include "storage/TextRules.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

// text with the letters first..last moved by delta; shared, not copied, when it has none of them.
QString shifted(const QString& text, char16_t first, char16_t last, int delta)
{
    const auto inRange = [first, last](QChar c) { return c.unicode() >= first && c.unicode() <= last; };
    const qsizetype from = std::find_if(text.cbegin(), text.cend(), inRange) - text.cbegin();
    if (from == text.size())
        return text;
    QString result = text;
    for (auto c = result.begin() + from; c != result.end(); ++c) {
        if (inRange(*c))
            *c = QChar(char16_t(c->unicode() + delta));
    }
    return result;
}

} // namespace

QString TextRules::trim(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.mid(first, last - first);
}

QString TextRules::upperAZ(const QString& text)
{
    return shifted(text, u'a', u'z', -32);
}

QString TextRules::lowerAZ(const QString& text)
{
    return shifted(text, u'A', u'Z', 32);
}
