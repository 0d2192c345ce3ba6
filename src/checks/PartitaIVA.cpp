#include "checks/PartitaIVA.h"

#include "widgets/Looks.h"

TfrmPartitaIva::TfrmPartitaIva(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Controllo partita IVA"), QSize(480, 254),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmPartitaIva"));
    Looks::setSteelBlueGradient(this);
}

void TfrmPartitaIva::setPartitaIva(const QString& numero)
{
    setProperty("partitaIva", numero);
}
