#include "documents/AnteprimaProdotto.h"

#include "widgets/Looks.h"

TfrmAnteprimaProdotto::TfrmAnteprimaProdotto(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Anteprima di stampa"), QSize(364, 287),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmAnteprimaProdotto"));
    Looks::setSteelBlueGradient(this);
}
