#pragma once

#include "documents/ExportFixture.h"
#include "documents/RegistryTable.h"
#include "export/RegistrySheetExport.h"
#include "storage/TextRules.h"

#include <QList>
#include <QString>

// Cards with the values spreadsheets like to change, for the export tests of every format.
namespace SheetFixture {

using C = TSchedaAnagrafica;

// A value of exactly `size` characters with markup, blanks and accents.
inline QString lungo(int size)
{
    QString text = QStringLiteral("Inizio \u20AC & <tag> \"virgolette\"  due spazi caff\u00E8 ");
    while (text.size() < size - 1)
        text += QStringLiteral("x<y>&z ").left(size - 1 - text.size());
    return text + QLatin1Char('!');
}

// Every exported field filled, none of them as a spreadsheet would take it by itself.
inline QList<TSchedaAnagrafica> schedeDifficili()
{
    return {
        ExportFixture::scheda({{C::Candidato, QStringLiteral("Nicol\u00F2 D'Amico & <Figli>")},
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
                               {C::Note, lungo(250)},
                               {C::Ricontatta, QStringLiteral("S\u00EC")}}),
        ExportFixture::scheda({{C::Candidato, "Bianchi Anna"},
                               {C::DataNasc, "12/03/1980"},
                               {C::Cap, "0"},
                               {C::Email, "_x0041_ resta"},
                               {C::Note, "+1-2"},
                               {C::Ricontatta, "No"}}),
        ExportFixture::scheda({{C::Candidato, "Verdi Carlo"},
                               {C::CodFisc, "VRDCRL80A01H501U"},
                               {C::Tel, "0039 06 1234567"},
                               {C::Ricontatta, "No"}}),
    };
}

inline RegistryTable leggi(const QString& folder, const QList<TSchedaAnagrafica>& schede)
{
    ExportFixture::scriviArchivio(C::archivio(folder), schede);
    RegistryTable table;
    table.read(C::archivio(folder));
    return table;
}

// What a cell of a card shows in the table and so in the file.
inline QString atteso(const TSchedaAnagrafica& scheda, int column)
{
    return TextRules::trim(scheda.testo(RegistryTable::fields()[column]));
}

} // namespace SheetFixture
