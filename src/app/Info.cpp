#include "app/Info.h"

#include "app/DataFolder.h"
#include "app/DataFolderAsker.h"
#include "app/Version.h"

#include "app/LinkText.h"
#include "app/OpenURL.h"
#include "app/VerificaCondivisione.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "storage/ArchiveAccess.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

TfrmInfo::TfrmInfo(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Informazioni su Folvara"), QSize(473, 579),
                      WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmInfo"));
    Looks::setSteelBlueGradient(this);

    new Picture(this, QStringLiteral("imgIntestazione"), QStringLiteral(":/pictures/info_intestazione.svg"),
                QRect(12, 12, 449, 64), QStringLiteral("Informazioni sul programma"));
    new Picture(this, QStringLiteral("imgProgramma"), QStringLiteral(":/pictures/info_programma.svg"),
                QRect(12, 88, 449, 386), QStringLiteral("Folvara, ") + versionText());
    // Over the picture's title bar, beside the name.
    auto* lblVersione = new QLabel(versionText(), this);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setAccessibleName(lblVersione->text());
    lblVersione->setGeometry(262, 120, 190, 22);
    lblVersione->setStyleSheet(QStringLiteral(
        "color: white; background: transparent; font-family: Verdana, 'DejaVu Sans', sans-serif; "
        "font-size: 15px;"));

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

    m_chkUnica = new QCheckBox(QStringLiteral("Unica postazione"), this);
    m_chkUnica->setObjectName(QStringLiteral("chkUnicaPostazione"));
    m_chkUnica->setAccessibleName(m_chkUnica->text());
    const QString spiegazione =
        QStringLiteral("Spuntare solo se questa è l'unica postazione che usa la cartella del programma: "
                       "gli archivi si possono allora salvare anche su una cartella di rete montata con "
                       "opzioni non sicure per più postazioni.");
    m_chkUnica->setAccessibleDescription(spiegazione);
    m_chkUnica->setToolTip(spiegazione);
    m_chkUnica->setGeometry(200, height() - 44, 134, 32);
    m_chkUnica->setChecked(ArchiveAccess::singleWorkstation(m_context.programFolder));
    connect(m_chkUnica, &QCheckBox::toggled, this, &TfrmInfo::chkUnicaPostazioneToggled);

    auto* btnCartella = new QPushButton(QStringLiteral("Cartella dei dati"), this);
    btnCartella->setObjectName(QStringLiteral("btnCartellaDati"));
    btnCartella->setAccessibleName(btnCartella->text());
    btnCartella->setToolTip(QDir::toNativeSeparators(QDir::cleanPath(m_context.programFolder)));
    // On the right of the contact box.
    btnCartella->setGeometry(330, 491, 125, 30);
    connect(btnCartella, &QPushButton::clicked, this, &TfrmInfo::btnCartellaDatiClick);
}

void TfrmInfo::chkUnicaPostazioneToggled(bool unica)
{
    QString motivo;
    if (!ArchiveAccess::setSingleWorkstation(m_context.programFolder, unica, &motivo)) {
        const QSignalBlocker blocker(m_chkUnica);
        m_chkUnica->setChecked(!unica);
        m_context.messages->warning(
            this,
            QStringLiteral("Attenzione: non è stato possibile salvare l'impostazione.\r\n\r\nMotivo: ") +
                motivo);
        return;
    }
    // At once for this run: the archives open read-only again when the mount is unsafe.
    const QString solaLettura = ArchiveAccess::decide(m_context.programFolder);
    if (!unica && !solaLettura.isEmpty())
        m_context.messages->warning(this, solaLettura);
}

QString TfrmInfo::versionText()
{
    return QStringLiteral("versione ") + QStringLiteral(FOLVARA_VERSION);
}

bool TfrmInfo::dataFolderChangeable() const
{
    if (!qEnvironmentVariableIsEmpty("FOLVARA_HOME"))
        return false;
    const QString executableFolder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    return QFileInfo(m_context.programFolder).canonicalFilePath() != executableFolder;
}

void TfrmInfo::btnCartellaDatiClick()
{
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(m_context.programFolder));
    if (!dataFolderChangeable()) {
        m_context.messages->information(
            this, QStringLiteral("Cartella dei dati:\n%1\n\n%2")
                      .arg(shown, qEnvironmentVariableIsEmpty("FOLVARA_HOME")
                                      ? QStringLiteral("I dati stanno accanto al programma.")
                                      : QStringLiteral("La cartella è data dalla variabile FOLVARA_HOME.")));
        return;
    }
    if (!m_context.messages->question(
            this, QStringLiteral("Cartella dei dati:\n%1\n\nScegliere un'altra cartella?").arg(shown)))
        return;
    const QString folder = m_context.fileDialogs->chooseFolder(this, DataFolderAsker::title());
    if (folder.isEmpty())
        return;
    const QString problem = DataFolder::unusableReason(folder);
    if (!problem.isEmpty()) {
        m_context.messages->error(this, DataFolder::refusal(folder, problem));
        return;
    }
    QSettings settings(QStringLiteral("Folvara"), QStringLiteral("Folvara"));
    DataFolder::remember(settings, folder);
    m_context.messages->information(
        this, QStringLiteral("Folvara userà la cartella dei dati %1 dal prossimo avvio.")
                  .arg(QDir::toNativeSeparators(QDir::cleanPath(folder))));
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
