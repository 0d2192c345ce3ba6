#include "app/Avvio.h"

#include "app/Backup.h"
#include "app/HelpTopics.h"
#include "app/Info.h"
#include "app/OpenURL.h"
#include "app/ScreenFlow.h"
#include "app/Splash.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "platform/AppContext.h"
#include "platform/ModalRunner.h"
#include "registry/Candidati.h"
#include "search/AvvisoScadenze.h"
#include "search/ExpirySettings.h"
#include "search/Scadenze.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"

#include <QGridLayout>
#include <QLabel>

namespace {

struct Column {
    const char* picture;
    const char* button;
    const char* pictureResource;
    const char* buttonResource;
    const char* label;
};

constexpr Column kColumns[] = {
    {"imgApp01", "btnApp01", ":/pictures/app01.svg", ":/pictures/pulsante01.svg", "ARCHIVIO ANAGRAFICO"},
    {"imgApp02", "btnApp02", ":/pictures/app02.svg", ":/pictures/pulsante02.svg", "CREA NUOVO GRUPPO"},
    {"imgApp03", "btnApp03", ":/pictures/app03.svg", ":/pictures/pulsante03.svg", "APRI GRUPPO ESISTENTE"},
};

} // namespace

TfrmAvvio::TfrmAvvio(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara"), QSize(1016, 713), WindowKind::Maximised)
{
    setEscapeCloses(false); // its Esci ends the program
    setObjectName(QStringLiteral("frmAvvio"));
    RegionalSettings::apply();
    Looks::setSteelBlueGradient(this);

    QWidget* panContainer = centredPanel(QSize(995, 692));

    auto* imgInfo =
        new ImageButton(panContainer, QStringLiteral("imgInfo"), QStringLiteral(":/pictures/info.svg"),
                        QRect(12, 18, 64, 64), QStringLiteral("Informazioni su Folvara"));
    new Picture(panContainer, QStringLiteral("imgTitolo"), QStringLiteral(":/pictures/titolo.svg"),
                QRect(100, 8, 600, 56), QStringLiteral("Folvara"));
    new Picture(
        panContainer, QStringLiteral("imgSottotitolo"), QStringLiteral(":/pictures/sottotitolo.svg"),
        QRect(100, 62, 760, 44),
        QStringLiteral("Software per la gestione di un archivio anagrafico e l'organizzazione di gruppi "
                       "di persone in elenchi con foto e dati da stampare su fogli in formato A4"));
    auto* imgGuida =
        new ImageButton(panContainer, QStringLiteral("imgGuida"), QStringLiteral(":/pictures/guida.svg"),
                        QRect(919, 18, 64, 64), QStringLiteral("Guida"));

    for (int i = 0; i < 3; ++i) {
        const Column& column = kColumns[i];
        auto* sheet = Looks::shape(
            panContainer, QStringLiteral("shpColonna0%1").arg(i + 1), QRect(10 + i * 327, 120, 320, 480),
            QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;"));
        const QString label = QString::fromUtf8(column.label);
        auto* image =
            new ImageButton(sheet, QString::fromLatin1(column.picture),
                            QString::fromLatin1(column.pictureResource), QRect(10, 10, 300, 370), label);
        auto* button =
            new ImageButton(sheet, QString::fromLatin1(column.button),
                            QString::fromLatin1(column.buttonResource), QRect(10, 400, 300, 64), label);
        image->makeTwin(); // the caption below is the command
        connect(image, &ImageButton::clicked, this, [this, i] { openWorkScreen(i); });
        connect(button, &ImageButton::clicked, this, [this, i] { openWorkScreen(i); });
    }

    auto* imgCopyright = new ImageButton(panContainer, QStringLiteral("imgCopyright"),
                                         QStringLiteral(":/pictures/copyright.svg"), QRect(12, 628, 48, 48),
                                         QStringLiteral("Crediti"));
    auto* imgSito =
        new ImageButton(panContainer, QStringLiteral("imgSito"), QStringLiteral(":/pictures/sito.svg"),
                        QRect(147, 632, 700, 40), webAddress());
    auto* imgEsci =
        new ImageButton(panContainer, QStringLiteral("imgEsci"), QStringLiteral(":/pictures/esci.svg"),
                        QRect(935, 628, 48, 48), QStringLiteral("Esci"));

    auto* imgScadenze = new ImageButton(panContainer, QStringLiteral("imgScadenze"),
                                        QStringLiteral(":/pictures/scadenze.svg"), QRect(72, 628, 48, 48),
                                        QStringLiteral("Scadenze dei documenti e compleanni"));
    imgScadenze->setToolTip(QStringLiteral("Visualizza le scadenze dei documenti e i compleanni."));
    connect(imgScadenze, &ImageButton::clicked, this, [this] { apriScadenze(); });

    connect(imgGuida, &ImageButton::clicked, this,
            [this] { HelpTopics::open(m_context, this, HelpTopics::Topic::Panoramica); });
    connect(imgInfo, &ImageButton::clicked, this, [this] {
        TfrmInfo screen(m_context, this);
        m_context.modal->run(screen);
    });
    connect(imgCopyright, &ImageButton::clicked, this, [this] {
        TfrmSplash screen(m_context, this);
        m_context.modal->run(screen);
    });
    connect(imgSito, &ImageButton::clicked, this, [this] { TMisc::Open(*m_context.shell, webAddress()); });
    auto* imgBackup =
        new ImageButton(panContainer, QStringLiteral("imgBackup"), QStringLiteral(":/pictures/backup.svg"),
                        QRect(879, 628, 48, 48), QStringLiteral("Backup"));
    imgBackup->setToolTip(QStringLiteral("Esegue, verifica e ripristina i backup dei dati."));
    connect(imgBackup, &ImageButton::clicked, this, [this] {
        TfrmBackup screen(m_context, this);
        m_context.modal->run(screen);
    });
    connect(imgEsci, &ImageButton::clicked, this, &TfrmAvvio::onClose);

    // Tab in reading order: the top corners, the three columns, the bottom row from the left.
    QList<QWidget*> order{imgInfo, imgGuida};
    for (const Column& column : kColumns)
        order.append(findChild<ImageButton*>(QString::fromLatin1(column.button)));
    order << imgCopyright << imgScadenze << imgSito << imgBackup << imgEsci;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QString TfrmAvvio::webAddress()
{
    return QStringLiteral("https://www.folvara.it");
}

void TfrmAvvio::openWorkScreen(int column)
{
    // The work screens are created after the launcher, so they are looked up on each click.
    const ScreenFlow* flow = m_context.screens;
    MainScreen* const targets[] = {flow->candidati(), flow->creaCatalogo(), flow->apriCatalogo()};
    m_context.screens->switchTo(targets[column], this);
}

void TfrmAvvio::apriScadenze(int giorniDocumenti)
{
    TfrmScadenze screen(m_context, this);
    if (giorniDocumenti >= 0)
        screen.setGiorniDocumenti(giorniDocumenti);
    m_context.modal->run(screen);
    if (screen.schedaAperta() == 0)
        return;
    // The editor starts on an empty card when shown: the card goes in afterwards.
    m_context.screens->switchTo(m_context.screens->candidati(), this);
    m_context.screens->candidati()->caricaScheda(screen.scheda(), screen.schedaAperta());
}

void TfrmAvvio::dopoAccesso()
{
    if (TfrmAvvisoScadenze::dopoAccesso(m_context, this))
        apriScadenze(ExpirySettings::kNoticeDays);
}

void TfrmAvvio::onClose()
{
    TfrmBackup::promemoriaUscita(m_context, this);
    m_context.screens->terminate();
}
