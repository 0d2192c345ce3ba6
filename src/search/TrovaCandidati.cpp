#include "search/TrovaCandidati.h"

#include "widgets/Looks.h"

TfrmTrovaCandidati::TfrmTrovaCandidati(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Trova schede anagrafiche in archivio"), QSize(862, 560), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmTrovaCandidati"));
    Looks::setSteelBlueGradient(this);
}
