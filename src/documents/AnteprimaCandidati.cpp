#include "documents/AnteprimaCandidati.h"

#include "documents/DocumentOutput.h"

TfrmAnteprimaCandidati::TfrmAnteprimaCandidati(AppContext& context, QWidget* owner)
    : PersonCardScreen(
          context, owner,
          {QStringLiteral(" Anteprima di stampa"), QStringLiteral("Mostra anteprima"),
           QStringLiteral(":/pictures/candidati_anteprima.svg"),
           QStringLiteral("Anteprima di stampa della scheda anagrafica.")},
          failureMessage(QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non "
                                        "\u00E8 andata a buon fine.")))
{
    setObjectName(QStringLiteral("frmAnteprimaCandidati"));
}

void TfrmAnteprimaCandidati::output()
{
    DocumentOutput::preview(m_context, this, documento().page(), pdfName());
}
