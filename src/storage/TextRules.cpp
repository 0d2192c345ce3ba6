#include "storage/TextRules.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
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
    QString result = text;
    for (QChar& c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return result;
}

QString TextRules::lowerAZ(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return result;
}
