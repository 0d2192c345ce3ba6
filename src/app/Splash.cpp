#include "app/Splash.h"

#include "app/Avvio.h"
#include "app/LinkText.h"
#include "app/OpenURL.h"
#include "platform/AppContext.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QPushButton>
#include <QUrl>

TfrmSplash::TfrmSplash(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Folvara - realizzato da Folvara Software"),
                      QSize(661, 467), WindowKind::FixedOnCaller)
{
    setObjectName(QStringLiteral("frmSplash"));
    Looks::setVerticalGradient(this, Qt::white, QColor(0x35, 0x25, 0x25));

    new Picture(this, QStringLiteral("imgCrediti"), QStringLiteral(":/pictures/crediti.svg"),
                QRect(18, 12, 625, 380), QStringLiteral("Folvara, realizzato da Folvara Software"));

    // A white ground keeps the dark blue link readable on the dark end of the gradient.
    Looks::shape(this, QStringLiteral("shpWeb"), QRect(18, 408, 360, 44),
                 QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;"));
    const QString shown = QUrl(TfrmAvvio::webAddress()).host();
    auto* imgWeb = new ImageButton(this, QStringLiteral("imgWeb"), QStringLiteral(":/pictures/web.svg"),
                                   QRect(26, 412, 36, 36), QStringLiteral("Visita ") + shown);
    auto* lnkWeb = new LinkText(this, QStringLiteral("lnkWeb"), shown, QPoint(72, 419));
    lnkWeb->attach(imgWeb);
    connect(lnkWeb, &LinkText::clicked, this, &TfrmSplash::lnkWebClick);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(523, 414, 120, 32);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmSplash::lnkWebClick()
{
    TMisc::Open(*m_context.shell, TfrmAvvio::webAddress());
}
