#include "documents/AnteprimaCandidati.h"

#include "widgets/Looks.h"

TfrmAnteprimaCandidati::TfrmAnteprimaCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Anteprima di stampa"), QSize(364, 287),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmAnteprimaCandidati"));
    Looks::setSteelBlueGradient(this);
}
