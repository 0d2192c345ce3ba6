#pragma once

#include "storage/ArchiveSteps.h"
#include "storage/TSchedaAnagrafica.h"

#include <QString>

#include <array>
#include <functional>

// The decisions of the registry editor that need no widgets.
namespace CandidatiRegole {

// The browsing steps are those of every editor of an archive.
using Comando = ArchiveSteps::Comando;
using Passo = ArchiveSteps::Passo;
inline Passo passo(Comando comando, const QString& posizione, int numeroSchede)
{
    return ArchiveSteps::passo(comando, posizione, numeroSchede);
}

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
