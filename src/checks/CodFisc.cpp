#include "checks/CodFisc.h"

#include "widgets/Looks.h"

TfrmCodFisc::TfrmCodFisc(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Controllo codice fiscale"), QSize(478, 254),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmCodFisc"));
    Looks::setSteelBlueGradient(this);
}

void TfrmCodFisc::setCodice(const QString& codice)
{
    setProperty("codice", codice);
}
