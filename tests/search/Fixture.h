#pragma once

#include "storage/ShortStringField.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QList>
#include <QPair>
#include <QString>

#include <initializer_list>

// Registry cards for the search tests, written through the archive store.
namespace Fixture {

using Campo = TSchedaAnagrafica::Campo;

inline TSchedaAnagrafica scheda(std::initializer_list<QPair<Campo, QString>> fields)
{
    TSchedaAnagrafica result;
    for (const auto& [campo, text] : fields)
        result.setTesto(campo, text);
    return result;
}

// Stores the text exactly, blanks included, as a record written elsewhere might hold it.
inline void scriviGrezzo(TSchedaAnagrafica& scheda, Campo campo, const QByteArray& bytes)
{
    const auto& field = TSchedaAnagrafica::layoutOf(campo);
    ShortStringField::writeBytes(scheda.buffer(), field.offset, field.capacity, bytes);
}

inline void scriviArchivio(const QString& path, const QList<TSchedaAnagrafica>& schede)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaAnagrafica::kSize);
    for (const TSchedaAnagrafica& s : schede) {
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(s.buffer());
    }
    archivio.ChiudiArchivio();
}

// Four persons: positions 1 to 4 in this order.
inline QList<TSchedaAnagrafica> persone()
{
    using C = TSchedaAnagrafica;
    return {
        scheda({{C::Candidato, "Rossi Mario"},
                {C::DataNasc, "12/03/1980"},
                {C::CodFisc, "RSSMRA80C12H501U"},
                {C::Cel, "333 1234567"},
                {C::Settore, "Informatica"},
                {C::Citta, "Roma"},
                {C::Note, "Disponibile subito"},
                {C::Ricontatta, QStringLiteral("S\u00EC")}}),
        scheda({{C::Candidato, "Anna De Rossi"},
                {C::DataNasc, "01/07/1975"},
                {C::Settore, "Commercio"},
                {C::Citta, "Torino"},
                {C::Ricontatta, "No"}}),
        scheda({{C::Candidato, "Bianchi Luca"},
                {C::DataNasc, "05/05/1980"},
                {C::Cittadinanza, "Italiana"},
                {C::Settore, "Informatica"},
                {C::Citta, "Milano"}}),
        scheda({{C::Candidato, "Neri Giulia"},
                {C::DataNasc, "22/11/1990"},
                {C::Settore, "Servizi generali"},
                {C::Note, QStringLiteral("Ama il caff\u00E8")},
                {C::Ricontatta, "No"}}),
    };
}

} // namespace Fixture
