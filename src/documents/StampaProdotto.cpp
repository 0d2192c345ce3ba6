#include "documents/StampaProdotto.h"

#include "documents/DocumentOutput.h"

TfrmStampaProdotto::TfrmStampaProdotto(AppContext& context, QWidget* owner)
    : GroupPageScreen(context, owner,
                      {QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                       QStringLiteral(":/pictures/candidati_stampa.svg"),
                       QStringLiteral("Stampa della scheda del gruppo.")},
                      failureMessage(QStringLiteral("Attenzione: la stampa non \u00E8 andata a buon fine.")))
{
    setObjectName(QStringLiteral("frmStampaProdotto"));
}

void TfrmStampaProdotto::output(const Report::PagedDocument& document)
{
    DocumentOutput::print(m_context, this, document);
}
