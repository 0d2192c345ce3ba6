#include "search/DaRicontattare.h"

#include "widgets/Looks.h"

TfrmDaRicontattare::TfrmDaRicontattare(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Riepilogo persone da ricontattare"), QSize(862, 560),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmDaRicontattare"));
    Looks::setSteelBlueGradient(this);
}
