#include "groups/CreaCatalogo.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"

#include <QPushButton>

TfrmCreaCatalogo::TfrmCreaCatalogo(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Creazione nuovo gruppo"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmCreaCatalogo"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(20, 650, 140, 36);
    connect(btnAnnulla, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmCreaCatalogo::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
