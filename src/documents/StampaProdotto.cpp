#include "documents/StampaProdotto.h"

#include "widgets/Looks.h"

TfrmStampaProdotto::TfrmStampaProdotto(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Stampa scheda"), QSize(364, 287),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmStampaProdotto"));
    Looks::setSteelBlueGradient(this);
}
