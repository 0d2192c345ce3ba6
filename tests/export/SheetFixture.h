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

// Every exported field filled, none of them as a spreadsheet would take it by itself; the third
// card has no Sesso.
inline QList<TSchedaAnagrafica> schedeDifficili()
{
    TSchedaAnagrafica difficile = ExportFixture::schedaDifficile(lungo(250));
    difficile.setTesto(C::Sesso, QStringLiteral("M"));
    return {
        difficile,
        ExportFixture::scheda({{C::Candidato, "Bianchi Anna"},
                               {C::Sesso, "F"},
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

// What a column of the .xlsx or .ods file shows of a card.
inline QString atteso(const TSchedaAnagrafica& scheda, int column)
{
    return TextRules::trim(scheda.testo(RegistrySheetExport::fields()[std::size_t(column)]));
}

} // namespace SheetFixture
