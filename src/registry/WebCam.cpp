#include "registry/WebCam.h"

#include "widgets/Looks.h"

TfrmWebCam::TfrmWebCam(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Cattura foto con webcam"), QSize(807, 405),
                      WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmWebCam"));
    Looks::setSteelBlueGradient(this);
}
