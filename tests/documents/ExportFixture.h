#pragma once

#include "storage/ShortStringField.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <initializer_list>

// Registry cards for the export tests, written through the archive store.
namespace ExportFixture {

using C = TSchedaAnagrafica;

inline TSchedaAnagrafica scheda(std::initializer_list<QPair<C::Campo, QString>> fields)
{
    TSchedaAnagrafica result;
    for (const auto& [campo, text] : fields)
        result.setTesto(campo, text);
    return result;
}

// Stores the bytes exactly, blanks and control codes included, as a record written elsewhere might.
inline void scriviGrezzo(TSchedaAnagrafica& scheda, C::Campo campo, const QByteArray& bytes)
{
    const auto& field = C::layoutOf(campo);
    ShortStringField::writeBytes(scheda.buffer(), field.offset, field.capacity, bytes);
}

inline void scriviArchivio(const QString& path, const QList<TSchedaAnagrafica>& schede)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, C::kSize);
    for (const TSchedaAnagrafica& s : schede) {
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(s.buffer());
    }
    archivio.ChiudiArchivio();
}

// Three persons, positions 1 to 3; the second has every field filled in.
inline QList<TSchedaAnagrafica> treSchede()
{
    return {
        scheda({{C::Candidato, "Rossi Mario"},
                {C::Sesso, "M"},
                {C::DataNasc, "12/03/1980"},
                {C::Citta, QStringLiteral("Citt\u00E0 di Castello")},
                {C::Cap, "06012"},
                {C::Note, "  spazi intorno  "},
                {C::Ricontatta, QStringLiteral("S\u00EC")},
                {C::File01, "C:\\allegato.pdf"}}),
        scheda({{C::Candidato, "Bianchi Anna"},
                {C::Sesso, "F"},
                {C::DataNasc, "01/07/1975"},
                {C::Cittadinanza, "Italiana"},
                {C::LuogoNasc, "Torino"},
                {C::Indirizzo, "Via Roma 1"},
                {C::Citta, "Torino"},
                {C::Cap, "10100"},
                {C::Settore, "Commercio"},
                {C::CodFisc, "BNCNNA75L41L219X"},
                {C::PartitaIva, "00743110157"},
                {C::Patente, "B"},
                {C::Studio, "Laurea"},
                {C::Lingue, "Inglese"},
                {C::Email, "anna@example.it"},
                {C::Tel, "011 123456"},
                {C::Cel, "333 1234567"},
                {C::Documento, "CI AB123"},
                {C::EnteRil, "Comune di Torino"},
                {C::InizioTes, "01/01/2020"},
                {C::FineTes, "01/01/2030"},
                {C::Esperienze, "Capogruppo"},
                {C::Competenze, "Office"},
                {C::Disponibilita, "Sabato"},
                {C::Note, "Nota"},
                {C::Ricontatta, "No"},
                {C::Desc01, "Curriculum"}}),
        scheda({{C::Candidato, "Verdi & Figli <srl>"}, {C::Ricontatta, "No"}}),
    };
}

// Every field filled, none of them as a spreadsheet would take it by itself; the note is the caller's.
inline TSchedaAnagrafica schedaDifficile(const QString& nota)
{
    return scheda({{C::Candidato, QStringLiteral("Nicol\u00F2 D'Amico & <Figli>")},
                   {C::DataNasc, "01/02/1990"},
                   {C::Cittadinanza, QStringLiteral("Italiana \u00C0\u00C8\u00CC\u00D2\u00D9")},
                   {C::LuogoNasc, "x <ciao> y"},
                   {C::Indirizzo, "Via \"Roma\"   1"},
                   {C::Citta, QStringLiteral("Citt\u00E0")},
                   {C::Cap, "00184"},
                   {C::Settore, "-5"},
                   {C::CodFisc, "007"},
                   {C::PartitaIva, "00743110157"},
                   {C::Patente, "TRUE"},
                   {C::Studio, "50%"},
                   {C::Lingue, "a<b c>d"},
                   {C::Email, "a&b@example.it"},
                   {C::Tel, "1e5"},
                   {C::Cel, "+39  333 1234567"},
                   {C::Documento, "'CI' AB123"},
                   {C::EnteRil, QStringLiteral("\u201CComune\u201D \u2013 \u0160")},
                   {C::InizioTes, "3/4"},
                   {C::FineTes, "2030-01-01"},
                   {C::Esperienze, "=1+1"},
                   {C::Competenze, "@SUM(A1)"},
                   {C::Disponibilita, QStringLiteral("\u20AC 1.000,50")},
                   {C::Note, nota},
                   {C::Ricontatta, QStringLiteral("S\u00EC")}});
}

} // namespace ExportFixture
