#pragma once

#include "storage/ArchiveSteps.h"
#include "storage/TSchedaAnagrafica.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>
#include <optional>

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

// The date fields (birth, document issue and expiry) hold 10 characters, but take a longer text
// while it is typed, so that a date written out ("3 maggio 2027") can be offered in a form that fits.
constexpr int kLunghezzaDataDigitata = 40;
bool campoData(TSchedaAnagrafica::Campo campo);

// A date field whose trimmed text is longer than the field holds.
struct DataTroppoLunga {
    TSchedaAnagrafica::Campo campo;
    QString scritta;  // the trimmed text
    QString proposta; // the same date as gg/mm/aaaa; empty when the text is no date
    // The question that offers the proposal, or the warning when there is none.
    QString messaggio() const;
};
// The first date field, in record order, whose text would be cut when stored; nothing when all fit.
std::optional<DataTroppoLunga>
primaDataTroppoLunga(const std::function<QString(TSchedaAnagrafica::Campo)>& testo, const QDate& oggi);

} // namespace CandidatiRegole
