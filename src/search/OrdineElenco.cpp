#include "search/OrdineElenco.h"

#include "search/RicercaSchede.h"
#include "storage/Cp1252.h"

#include <QtEndian>

#include <algorithm>
#include <numeric>

namespace {

// The order of one character: letters folded to capitals, every other character by its
// Windows-1252 code; characters the code page lacks come after all of them.
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

int fastOrderOf(QChar c)
{
    const char16_t u = c.unicode();
    return u < 256 ? orderTable()[u] : orderOf(c);
}

} // namespace

namespace {

// Negative, zero or positive as a comes before, together with or after b in list order.
int confronta(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a.at(i) == b.at(i))
            continue;
        const int x = fastOrderOf(a.at(i));
        const int y = fastOrderOf(b.at(i));
        if (x != y)
            return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

bool RicercaSchede::precede(const QString& a, const QString& b)
{
    return confronta(a, b) < 0;
}

void RicercaSchede::ordina(QStringList& lines)
{
    RaccoltaRighe raccolta;
    for (QString& line : lines)
        raccolta.aggiungi(std::move(line));
    lines = raccolta.ordinate();
}

void RaccoltaRighe::aggiungi(QString line)
{
    std::array<uchar, kParole * 8> bytes{};
    const qsizetype n = std::min<qsizetype>(line.size(), qsizetype(bytes.size()));
    const QChar* text = line.constData();
    const std::array<quint16, 256>& table = orderTable();
    int widest = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        const int order = u < 256 ? table[u] : orderOf(text[i]);
        widest |= order;
        bytes[i] = static_cast<uchar>(order);
    }
    const bool wide = (widest >> 8) != 0;
    Voce voce;
    voce.indice = static_cast<qint32>(m_righe.size());
    voce.intera = wide;
    for (int w = 0; w < kParole; ++w)
        voce.prefisso[w] = qFromBigEndian<quint64>(bytes.data() + 8 * w);
    m_intere |= wide;
    m_voci.push_back(voce);
    m_righe.append(std::move(line));
}

bool RaccoltaRighe::precedeVoce(const Voce& a, const Voce& b) const
{
    if (!a.intera && !b.intera) {
        for (int w = 0; w < kParole; ++w) {
            if (a.prefisso[w] != b.prefisso[w])
                return a.prefisso[w] < b.prefisso[w];
        }
    }
    // Equal lines keep the order in which they came.
    const int order = confronta(m_righe.at(a.indice), m_righe.at(b.indice));
    return order != 0 ? order < 0 : a.indice < b.indice;
}

QStringList RaccoltaRighe::ordinate()
{
    const auto less = [this](const Voce& a, const Voce& b) { return precedeVoce(a, b); };
    std::vector<Voce> voci;
    if (m_intere) {
        voci = std::move(m_voci);
        std::sort(voci.begin(), voci.end(), less);
    } else {
        // A stable counting pass on the first two order bytes, then each group on its own:
        // far fewer comparisons than one sort of the whole list.
        const auto gruppo = [](const Voce& v) { return static_cast<std::size_t>(v.prefisso[0] >> 48); };
        std::vector<quint32> inizio(0x10000 + 1, 0);
        for (const Voce& v : m_voci)
            ++inizio[gruppo(v) + 1];
        std::partial_sum(inizio.begin(), inizio.end(), inizio.begin());
        std::vector<quint32> posto(inizio.begin(), inizio.end() - 1);
        voci.resize(m_voci.size());
        for (const Voce& v : m_voci)
            voci[posto[gruppo(v)]++] = v;
        for (std::size_t g = 0; g < 0x10000; ++g) {
            if (inizio[g + 1] - inizio[g] > 1)
                std::sort(voci.begin() + inizio[g], voci.begin() + inizio[g + 1], less);
        }
    }
    QStringList sorted;
    sorted.reserve(m_righe.size());
    for (const Voce& voce : voci)
        sorted.append(std::move(m_righe[voce.indice]));
    m_righe.clear();
    m_voci.clear();
    m_intere = false;
    return sorted;
}
