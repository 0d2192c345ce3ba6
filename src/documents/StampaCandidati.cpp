#include "documents/StampaCandidati.h"

#include "widgets/Looks.h"

TfrmStampaCandidati::TfrmStampaCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Stampa documento"), QSize(364, 287),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmStampaCandidati"));
    Looks::setSteelBlueGradient(this);
}
