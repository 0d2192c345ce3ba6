#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QString>

#include <array>
#include <functional>

// The decisions of the registry editor that need no widgets.
namespace CandidatiRegole {

enum class Comando { Primo, Indietro, Avanti, Ultimo };

// What one browsing step does once the archive is open.
struct Passo {
    enum class Esito {
        ArchivioVuoto, // say "L'archivio non contiene nessuna scheda."
        Nulla,         // at an end: nothing happens, nothing is said
        Leggi,         // read the record at indice and show it
    };
    Esito esito = Esito::Nulla;
    int indice = 0;
    bool azzeraPosizione = false; // empty the position label first
};

// posizione: the trimmed position label, empty for a new card.
Passo passo(Comando comando, const QString& posizione, int numeroSchede);

// The check that the codice fiscale button opens for the trimmed text of its field:
// digits only mean a partita IVA typed in the wrong field.
enum class Verifica { CodiceFiscale, PartitaIva };
Verifica verificaCodice(const QString& testo);

// The target handed to the shell by the e-mail button: "mailto:<address>" in double quotes.
QString destinatarioPosta(const QString& email);

// The text of the sex and codice fiscale fields after a keystroke: trimmed, a..z upper-cased.
QString maiuscoloSenzaSpazi(const QString& testo);

// The fields a card cannot be saved without, in the order they are checked.
struct CampoObbligatorio {
    TSchedaAnagrafica::Campo campo;
    const char16_t* messaggio;
};
const std::array<CampoObbligatorio, 5>& campiObbligatori();
// The first required field whose trimmed text is empty, or nullptr when all are given.
const CampoObbligatorio* primoCampoMancante(const std::function<QString(TSchedaAnagrafica::Campo)>& testo);

} // namespace CandidatiRegole
