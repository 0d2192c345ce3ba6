#include "checks/ControlloPartitaIva.h"

#include "storage/TextRules.h"

#include <QStringView>

#include <array>

namespace {

struct Ufficio {
    QStringView codice;
    QStringView nome;
};

// The provincial VAT offices by the code in digits 8 to 10: 001 to 102 in a row, then 120 and 121.
constexpr std::array<Ufficio, 104> kUffici = {{
    {u"001", u"Torino"},
    {u"002", u"Vercelli"},
    {u"003", u"Novara"},
    {u"004", u"Cuneo"},
    {u"005", u"Asti"},
    {u"006", u"Alessandria"},
    {u"007", u"Aosta"},
    {u"008", u"Imperia"},
    {u"009", u"Savona"},
    {u"010", u"Genova 1"},
    {u"011", u"La Spezia"},
    {u"012", u"Varese"},
    {u"013", u"Como"},
    {u"014", u"Sondrio"},
    {u"015", u"Milano 1"},
    {u"016", u"Bergamo"},
    {u"017", u"Brescia 1"},
    {u"018", u"Pavia"},
    {u"019", u"Cremona"},
    {u"020", u"Mantova"},
    {u"021", u"Bolzano"},
    {u"022", u"Trento"},
    {u"023", u"Verona"},
    {u"024", u"Vicenza"},
    {u"025", u"Belluno"},
    {u"026", u"Treviso"},
    {u"027", u"Venezia"},
    {u"028", u"Padova"},
    {u"029", u"Rovigo"},
    {u"030", u"Udine"},
    {u"031", u"Gorizia"},
    {u"032", u"Trieste"},
    {u"033", u"Piacenza"},
    {u"034", u"Parma"},
    {u"035", u"Reggio Emilia"},
    {u"036", u"Modena"},
    {u"037", u"Bologna 1"},
    {u"038", u"Ferrara"},
    {u"039", u"Ravenna"},
    {u"040", u"Forlì"},
    {u"041", u"Pesaro"},
    {u"042", u"Ancona"},
    {u"043", u"Macerata"},
    {u"044", u"Ascoli Piceno"},
    {u"045", u"Massa Carrara"},
    {u"046", u"Lucca"},
    {u"047", u"Pistoia"},
    {u"048", u"Firenze 1"},
    {u"049", u"Livorno"},
    {u"050", u"Pisa"},
    {u"051", u"Arezzo"},
    {u"052", u"Siena"},
    {u"053", u"Grosseto"},
    {u"054", u"Perugia"},
    {u"055", u"Terni"},
    {u"056", u"Viterbo"},
    {u"057", u"Rieti"},
    {u"058", u"Roma 1"},
    {u"059", u"Latina"},
    {u"060", u"Frosinone"},
    {u"061", u"Caserta"},
    {u"062", u"Benevento"},
    {u"063", u"Napoli 1"},
    {u"064", u"Avellino"},
    {u"065", u"Salerno"},
    {u"066", u"Aquila"},
    {u"067", u"Teramo"},
    {u"068", u"Pescara"},
    {u"069", u"Chieti"},
    {u"070", u"Campobasso"},
    {u"071", u"Foggia"},
    {u"072", u"Bari"},
    {u"073", u"Taranto"},
    {u"074", u"Brindisi"},
    {u"075", u"Lecce"},
    {u"076", u"Potenza"},
    {u"077", u"Matera"},
    {u"078", u"Cosenza"},
    {u"079", u"Catanzaro"},
    {u"080", u"Reggio Calabria"},
    {u"081", u"Trapani"},
    {u"082", u"Palermo"},
    {u"083", u"Messina"},
    {u"084", u"Agrigento"},
    {u"085", u"Caltanissetta"},
    {u"086", u"Enna"},
    {u"087", u"Catania"},
    {u"088", u"Ragusa"},
    {u"089", u"Siracusa"},
    {u"090", u"Sassari"},
    {u"091", u"Nuoro"},
    {u"092", u"Cagliari"},
    {u"093", u"Pordenone"},
    {u"094", u"Isernia"},
    {u"095", u"Oristano"},
    {u"096", u"Monza (Milano 2)"},
    {u"097", u"Prato (Firenze 2)"},
    {u"098", u"Brescia 2"},
    {u"099", u"Chiavari (Genova 2)"},
    {u"100", u"Roma 2"},
    {u"101", u"Bologna 2"},
    {u"102", u"Napoli 2"},
    {u"120", u"Bologna 2"},
    {u"121", u"Napoli 2"},
}};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<int> ControlloPartitaIva::cifraDiControllo(const QString& numero)
{
    if (numero.size() < kLunghezza - 1)
        return std::nullopt;
    int somma = 0;
    for (int i = 0; i < kLunghezza - 1; ++i) {
        const QChar c = numero.at(i);
        if (!isDigit(c))
            return std::nullopt;
        const int cifra = c.unicode() - u'0';
        if (i % 2 == 0) {
            // Index 0 is position 1, an odd position: the digit counts as it is.
            somma += cifra;
        } else {
            // Even positions: the digit doubled, tens and units added up.
            const int doppio = cifra * 2;
            somma += doppio / 10 + doppio % 10;
        }
    }
    return (10 - somma % 10) % 10;
}

QString ControlloPartitaIva::ufficio(const QString& codice)
{
    for (const Ufficio& voce : kUffici) {
        if (voce.codice == codice)
            return voce.nome.toString();
    }
    return {};
}

int ControlloPartitaIva::numeroUffici()
{
    return static_cast<int>(kUffici.size());
}

ControlloPartitaIva::Esito ControlloPartitaIva::verifica(const QString& testo)
{
    const QString numero = TextRules::upperAZ(testo);
    Esito esito;
    if (numero.size() != kLunghezza)
        return esito;
    const std::optional<int> attesa = cifraDiControllo(numero);
    const QChar ultima = numero.at(kLunghezza - 1);
    if (!attesa || !isDigit(ultima) || ultima.unicode() - u'0' != *attesa) {
        esito.verdict = Verdict::Wrong;
        return esito;
    }
    esito.verdict = Verdict::Valid;
    esito.codiceUfficio = numero.mid(7, 3);
    esito.ufficio = ufficio(esito.codiceUfficio);
    return esito;
}
