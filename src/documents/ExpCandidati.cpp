#include "documents/ExpCandidati.h"

#include "widgets/Looks.h"

TfrmExpCandidati::TfrmExpCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Esportazione archivio anagrafico in Microsoft Excel"),
                      QSize(862, 560), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmExpCandidati"));
    Looks::setSteelBlueGradient(this);
}
