#pragma once

#include "search/ResultLines.h"
#include "storage/TSchedaAnagrafica.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

// The search over the registry archive and the lists it produces: one fixed-width line
// per card, kept in alphabetical order, searched with "Trova" and read back by the line.
namespace RicercaSchede {

// The line of a card: name, codice fiscale, mobile number and sector at fixed widths, then the note.
QString riga(const TSchedaAnagrafica& scheda);
// The same line as Windows-1252 bytes, added to `lines`.
void aggiungiRiga(ResultLines& lines, const TSchedaAnagrafica& scheda);

// Whether `piece` occurs in `text` when A..Z are read as a..z; `piece` is already lower-cased
// that way. Every other character, accented letters included, must be equal. An empty piece
// never occurs.
bool contiene(QStringView text, QStringView piece);

// The filters of the search screen, one per record field.
class Filtri {
public:
    // The filter of one record field, as typed.
    void imposta(TSchedaAnagrafica::Campo campo, const QString& typed);
    // Filters that the user filled in: the ones not empty once trimmed.
    int richiesti() const;
    // A card passes when every filled-in filter occurs in its own field. A filter of blanks
    // only is not filled in and is ignored, so it can neither narrow the result nor stand in
    // for a filter that failed.
    bool accetta(const TSchedaAnagrafica& scheda) const;

private:
    struct Filtro {
        TSchedaAnagrafica::Campo campo;
        // As typed, A..Z lower-cased, in the bytes of the archive fields; empty when some
        // character has no byte, so that the filter never occurs.
        QByteArray bytes;
    };
    std::vector<Filtro> m_attivi;
};

using Visita = std::function<void(const TSchedaAnagrafica& scheda, int position)>;

// Reads every card in file order, handing each with its 1-based position. The card handed over
// is valid during its visit only. Throws ArchiveError.
void scandisci(const QString& archivePath, const Visita& visita);

// The lines of the cards that pass the filters, in list order. Throws ArchiveError.
ResultLines cercaElenco(const QString& archivePath, const Filtri& filtri);
QStringList cerca(const QString& archivePath, const Filtri& filtri);
// The same among the cards whose position `ammessa` accepts ("senza consenso").
ResultLines cercaElenco(const QString& archivePath, const Filtri& filtri,
                        const std::function<bool(int)>& ammessa);
QStringList cerca(const QString& archivePath, const Filtri& filtri, const std::function<bool(int)>& ammessa);

// The lines of the cards to be contacted again (Ricontatta, trimmed, anything but "No"), in list
// order. A failure ends the reading; the lines read until then are kept.
ResultLines daRicontattareElenco(const QString& archivePath);
QStringList daRicontattare(const QString& archivePath);

// Hands over every card whose trimmed line equals the trimmed line given, in file order,
// so that the last of them is applied last. Throws ArchiveError.
void richiama(const QString& archivePath, const QString& line, const Visita& visita);

// List order: a..z and A..Z compare as equal, every other character by its Windows-1252 code,
// and a text that begins another comes first.
bool precede(const QString& a, const QString& b);
// The place of one character in that order: characters the code page lacks come after all others.
int ordine(QChar c);
// Sorts once, keeping the file order of equal lines.
void ordina(QStringList& lines);

// "Trova" over the lines. `selected` is the selected line (the caller selects the first when
// none is). The typed text, with A..Z lower-cased, is compared with `lastFind`: a new text
// starts at the first line, which is tested at once; the same text goes on after the selected
// line. The walk wraps round and ends at its starting line. `lastFind` becomes the new text.
// Returns the line to select, or nothing when no line contains the text.
std::optional<int> trova(const QStringList& lines, int selected, const QString& typed, QString& lastFind);
// The same over `count` lines read one at a time.
std::optional<int> trova(int count, const std::function<QString(int)>& line, int selected,
                         const QString& typed, QString& lastFind);

} // namespace RicercaSchede
