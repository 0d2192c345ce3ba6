#include "registry/Zoom.h"

#include "widgets/Looks.h"

TfrmZoom::TfrmZoom(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"),
                      QSize(1016, 713), WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmZoom"));
    Looks::setSteelBlueGradient(this);
}
