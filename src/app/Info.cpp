#include "app/Info.h"

#include "app/LinkText.h"
#include "app/OpenURL.h"
#include "app/VerificaCondivisione.h"
#include "platform/AppContext.h"
#include "platform/ModalRunner.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QPushButton>

TfrmInfo::TfrmInfo(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Informazioni su Folvara"), QSize(473, 579),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmInfo"));
    Looks::setSteelBlueGradient(this);

    new Picture(this, QStringLiteral("imgIntestazione"), QStringLiteral(":/pictures/info_intestazione.svg"),
                QRect(12, 12, 449, 64), QStringLiteral("Informazioni sul programma"));
    new Picture(this, QStringLiteral("imgProgramma"), QStringLiteral(":/pictures/info_programma.svg"),
                QRect(12, 88, 449, 386), QStringLiteral("Folvara, versione 1.0"));

    Looks::shape(this, QStringLiteral("shpContatto"), QRect(12, 486, 449, 40),
                 QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;"));
    auto* imgEmail = new ImageButton(this, QStringLiteral("imgEmail"), QStringLiteral(":/pictures/email.svg"),
                                     QRect(22, 491, 40, 30), QStringLiteral("Scrivi a ") + emailAddress());
    auto* lnkWeb = new LinkText(this, QStringLiteral("lnkWeb"), emailAddress(), QPoint(72, 496));
    lnkWeb->attach(imgEmail);
    connect(lnkWeb, &LinkText::clicked, this, &TfrmInfo::lnkWebClick);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(width() - 132, height() - 44, 120, 32);
    btnChiudi->setDefault(true);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* btnVerifica = new QPushButton(QStringLiteral("Verifica condivisione"), this);
    btnVerifica->setObjectName(QStringLiteral("btnVerificaCondivisione"));
    btnVerifica->setAccessibleName(btnVerifica->text());
    btnVerifica->setGeometry(12, height() - 44, 180, 32);
    connect(btnVerifica, &QPushButton::clicked, this, &TfrmInfo::btnVerificaCondivisioneClick);
}

void TfrmInfo::btnVerificaCondivisioneClick()
{
    TfrmVerificaCondivisione screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmInfo::lnkWebClick()
{
    TMisc::Open(*m_context.shell, QStringLiteral("\"mailto:") + emailAddress() + QLatin1Char('"'));
}
