#include "widgets/WindowCropper.h"

#include "platform/AppContext.h"
#include "platform/ModalRunner.h"
#include "widgets/Ritaglio.h"

std::optional<QRect> WindowCropper::choose(QWidget* owner, const CropRequest& request)
{
    TfrmRitaglio screen(m_context, owner, request);
    if (m_context.modal->run(screen) != QDialog::Accepted)
        return std::nullopt;
    return screen.frame();
}
