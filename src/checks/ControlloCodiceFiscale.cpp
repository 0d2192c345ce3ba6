#include "checks/ControlloCodiceFiscale.h"

#include "storage/TextRules.h"

#include <array>
#include <cstdint>

namespace {

constexpr char16_t kPrimo = u'0';
constexpr char16_t kUltimo = u'Z';
constexpr std::size_t kVoci = kUltimo - kPrimo + 1; // 43: '0'..'9', the seven signs ':'..'@', 'A'..'Z'

// Characters '0'..'Z'; the seven signs between '9' and 'A' are worth 0.
constexpr std::array<std::uint8_t, kVoci> kDispari = {
    1, 0, 5,  7,  9,  13, 15, 17, 19, 21,                         // 0..9
    0, 0, 0,  0,  0,  0,  0,                                      // : ; < = > ? @
    1, 0, 5,  7,  9,  13, 15, 17, 19, 21,                         // A..J
    2, 4, 18, 20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23, // K..Z
};

constexpr std::array<std::uint8_t, kVoci> kPari = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,                          // 0..9
    0,  0,  0,  0,  0,  0,  0,                                      // : ; < = > ? @
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,                          // A..J
    10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, // K..Z
};

std::optional<int> valore(const std::array<std::uint8_t, kVoci>& tabella, QChar c)
{
    const char16_t code = c.unicode();
    if (code < kPrimo || code > kUltimo)
        return std::nullopt;
    return tabella[code - kPrimo];
}

} // namespace

std::optional<int> ControlloCodiceFiscale::valoreDispari(QChar c)
{
    return valore(kDispari, c);
}

std::optional<int> ControlloCodiceFiscale::valorePari(QChar c)
{
    return valore(kPari, c);
}

std::optional<QChar> ControlloCodiceFiscale::carattereDiControllo(const QString& codice)
{
    if (codice.size() < kLunghezza - 1)
        return std::nullopt;
    int somma = 0;
    for (int i = 0; i < kLunghezza - 1; ++i) {
        // Index 0 is position 1, an odd position.
        const std::optional<int> v = (i % 2 == 0) ? valoreDispari(codice.at(i)) : valorePari(codice.at(i));
        if (!v)
            return std::nullopt;
        somma += *v;
    }
    return QChar(u'A' + somma % 26);
}

Verdict ControlloCodiceFiscale::verifica(const QString& testo)
{
    const QString codice = TextRules::upperAZ(testo);
    if (codice.size() != kLunghezza)
        return Verdict::WrongLength;
    const std::optional<QChar> atteso = carattereDiControllo(codice);
    return (atteso && *atteso == codice.at(kLunghezza - 1)) ? Verdict::Valid : Verdict::Wrong;
}
