#include "registry/AllegaCartella.h"

#include "widgets/Looks.h"

TfrmAllegaCartella::TfrmAllegaCartella(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Allega file"), QSize(634, 534), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    Looks::setSteelBlueGradient(this);
}
