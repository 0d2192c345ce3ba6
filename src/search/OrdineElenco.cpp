#include "search/RicercaSchede.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <array>

namespace {

// Letters folded to capitals, every other character by its Windows-1252 code; characters the
// code page lacks come after all of them.
int orderOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') ? u - 32 : u;
    if (u >= 0xA0 && u <= 0xFF)
        return u;
    const char byte = Cp1252::encodeChar(c);
    if (byte != '?')
        return static_cast<unsigned char>(byte);
    return 0x100 + u;
}

// orderOf for the characters below 256, the ones the lines are made of.
const std::array<quint16, 256>& orderTable()
{
    static const std::array<quint16, 256> table = [] {
        std::array<quint16, 256> result{};
        for (int u = 0; u < 256; ++u)
            result[u] = static_cast<quint16>(orderOf(QChar(u)));
        return result;
    }();
    return table;
}

// Negative, zero or positive as a comes before, together with or after b in list order.
int confronta(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a.at(i) == b.at(i))
            continue;
        const int x = RicercaSchede::ordine(a.at(i));
        const int y = RicercaSchede::ordine(b.at(i));
        if (x != y)
            return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

int RicercaSchede::ordine(QChar c)
{
    const char16_t u = c.unicode();
    return u < 256 ? orderTable()[u] : orderOf(c);
}

bool RicercaSchede::precede(const QString& a, const QString& b)
{
    return confronta(a, b) < 0;
}

void RicercaSchede::ordina(QStringList& lines)
{
    ResultLines sorted;
    if (sorted.appendAll(lines)) {
        sorted.sort();
        lines = sorted.all();
    } else {
        std::stable_sort(lines.begin(), lines.end(), precede);
    }
}
