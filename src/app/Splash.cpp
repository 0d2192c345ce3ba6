#include "app/Splash.h"

#include "widgets/Looks.h"

#include <QPushButton>

TfrmSplash::TfrmSplash(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Folvara - realizzato da Folvara Software"),
                      QSize(661, 467), WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmSplash"));
    Looks::setSteelBlueGradient(this);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(width() - 140, height() - 50, 120, 32);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}
