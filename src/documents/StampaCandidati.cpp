#include "documents/StampaCandidati.h"

#include "documents/DocumentOutput.h"

TfrmStampaCandidati::TfrmStampaCandidati(AppContext& context, QWidget* owner)
    : PersonCardScreen(context, owner,
                       {QStringLiteral(" Stampa documento"), QStringLiteral("Stampa"),
                        QStringLiteral(":/pictures/candidati_stampa.svg"),
                        QStringLiteral("Stampa della scheda anagrafica.")},
                       failureMessage(QStringLiteral("Attenzione: la stampa non \u00E8 andata a buon fine.")))
{
    setObjectName(QStringLiteral("frmStampaCandidati"));
}

void TfrmStampaCandidati::output()
{
    DocumentOutput::print(m_context, this, documento().page());
}
