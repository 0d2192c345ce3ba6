#include "registry/CandidatiRegole.h"

#include "search/FreeTextDate.h"
#include "storage/TextRules.h"

namespace {

// The label of a date field as the card shows it.
QString etichettaData(TSchedaAnagrafica::Campo campo)
{
    switch (campo) {
    case TSchedaAnagrafica::DataNasc:
        return QStringLiteral("Data nascita");
    case TSchedaAnagrafica::InizioTes:
        return QStringLiteral("Data rilascio");
    default:
        return QStringLiteral("Data scadenza");
    }
}

} // namespace

CandidatiRegole::Verifica CandidatiRegole::verificaCodice(const QString& testo)
{
    if (testo.isEmpty())
        return Verifica::CodiceFiscale;
    for (const QChar c : testo) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Verifica::CodiceFiscale;
    }
    return Verifica::PartitaIva;
}

QString CandidatiRegole::destinatarioPosta(const QString& email)
{
    return QStringLiteral("\"mailto:") + TextRules::trim(email) + QLatin1Char('"');
}

QString CandidatiRegole::maiuscoloSenzaSpazi(const QString& testo)
{
    return TextRules::upperAZ(TextRules::trim(testo));
}

const std::array<CandidatiRegole::CampoObbligatorio, 5>& CandidatiRegole::campiObbligatori()
{
    static const std::array<CampoObbligatorio, 5> campi = {{
        {TSchedaAnagrafica::Candidato,
         u"Attenzione: per salvare la scheda anagrafica è necessario indicare cognome e nome."},
        {TSchedaAnagrafica::Sesso,
         u"Attenzione: per salvare la scheda anagrafica è necessario indicare il sesso (M o F)."},
        {TSchedaAnagrafica::Email,
         u"Attenzione: per salvare la scheda anagrafica è necessario indicare l'indirizzo e-mail."},
        {TSchedaAnagrafica::Cel,
         u"Attenzione: per salvare la scheda anagrafica è necessario indicare il numero di cellulare."},
        {TSchedaAnagrafica::Esperienze, u"Attenzione: per salvare la scheda anagrafica è necessario indicare "
                                        u"il ruolo svolto nel gruppo di appartenenza."},
    }};
    return campi;
}

const CandidatiRegole::CampoObbligatorio*
CandidatiRegole::primoCampoMancante(const std::function<QString(TSchedaAnagrafica::Campo)>& testo)
{
    for (const CampoObbligatorio& campo : campiObbligatori()) {
        if (TextRules::trim(testo(campo.campo)).isEmpty())
            return &campo;
    }
    return nullptr;
}

bool CandidatiRegole::campoData(TSchedaAnagrafica::Campo campo)
{
    return campo == TSchedaAnagrafica::DataNasc || campo == TSchedaAnagrafica::InizioTes ||
           campo == TSchedaAnagrafica::FineTes;
}

std::optional<CandidatiRegole::DataTroppoLunga>
CandidatiRegole::primaDataTroppoLunga(const std::function<QString(TSchedaAnagrafica::Campo)>& testo,
                                      const QDate& oggi)
{
    for (const TSchedaAnagrafica::Campo campo :
         {TSchedaAnagrafica::DataNasc, TSchedaAnagrafica::InizioTes, TSchedaAnagrafica::FineTes}) {
        const QString scritta = TextRules::trim(testo(campo));
        if (scritta.size() <= TSchedaAnagrafica::layoutOf(campo).capacity)
            continue;
        const FreeTextDate::Kind kind =
            campo == TSchedaAnagrafica::DataNasc ? FreeTextDate::Kind::Birth : FreeTextDate::Kind::Expiry;
        const std::optional<QDate> data = FreeTextDate::read(scritta, kind, oggi);
        return DataTroppoLunga{campo, scritta,
                               data ? data->toString(QStringLiteral("dd/MM/yyyy")) : QString()};
    }
    return std::nullopt;
}

QString CandidatiRegole::DataTroppoLunga::messaggio() const
{
    const int capienza = TSchedaAnagrafica::layoutOf(campo).capacity;
    const QString troncata = TextRules::trim(scritta.left(capienza));
    if (!proposta.isEmpty())
        return QStringLiteral("La data \"%1\" non entra nella casella %2, che contiene %3 caratteri: "
                              "sarebbe salvata come \"%4\".\r\n\r\nVuoi scriverla come %5?")
            .arg(scritta, etichettaData(campo), QString::number(capienza), troncata, proposta);
    return QStringLiteral("Attenzione: la casella %1 contiene %2 caratteri e \"%3\" sarebbe salvato "
                          "come \"%4\". Scrivi la data in una forma che entra, per esempio 03/05/2027, "
                          "3/5/27 oppure 3 mag 27.")
        .arg(etichettaData(campo), QString::number(capienza), scritta, troncata);
}
