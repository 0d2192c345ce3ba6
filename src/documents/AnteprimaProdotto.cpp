#include "documents/AnteprimaProdotto.h"

#include "documents/DocumentOutput.h"

TfrmAnteprimaProdotto::TfrmAnteprimaProdotto(AppContext& context, QWidget* owner)
    : GroupPageScreen(
          context, owner,
          {QStringLiteral(" Anteprima di stampa"), QStringLiteral("Mostra anteprima"),
           QStringLiteral(":/pictures/candidati_anteprima.svg"),
           QStringLiteral("Anteprima di stampa della scheda del gruppo.")},
          failureMessage(QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non "
                                        "\u00E8 andata a buon fine.")))
{
    setObjectName(QStringLiteral("frmAnteprimaProdotto"));
}

void TfrmAnteprimaProdotto::output(const Report::PagedDocument& document)
{
    DocumentOutput::preview(m_context, this, document, pdfName());
}
