#include "app/Info.h"

#include "widgets/Looks.h"

#include <QPushButton>

TfrmInfo::TfrmInfo(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Informazioni su Folvara"), QSize(473, 579),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmInfo"));
    Looks::setSteelBlueGradient(this);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(width() - 140, height() - 50, 120, 32);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}
