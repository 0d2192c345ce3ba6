#include "registry/CandidatiRegole.h"

#include "storage/TextRules.h"

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
