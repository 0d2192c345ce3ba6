#include "registry/WebCam.h"

#include "platform/AppContext.h"
#include "platform/Camera.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "storage/PhotoFiles.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"
#include "widgets/PhotoDialogs.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVideoFrame>

namespace {

constexpr QSize kBox(366, 274);
constexpr int kLeft = 16;
constexpr int kRight = 425;
constexpr int kTop = 16;
constexpr int kButtonHeight = 32;

QImage disegno(const QString& resource)
{
    QImage picture(kBox, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QSvgRenderer(resource).render(&painter);
    return picture;
}

// A framed panel holding one picture box.
PhotoBox* riquadro(QWidget* parent, const QString& panelName, const QString& imageName, int left,
                   const QString& accessibleName)
{
    auto* panel =
        Looks::shape(parent, panelName, QRect(left - 2, kTop - 2, kBox.width() + 4, kBox.height() + 4),
                     QStringLiteral("background: #E0E9F1; border: 2px solid #2F5F8A;"));
    panel->setAccessibleName(accessibleName);
    auto* box = new PhotoBox(panel, imageName);
    box->setAccessibleName(accessibleName);
    box->setGeometry(QRect(QPoint(2, 2), kBox));
    return box;
}

} // namespace

QImage TfrmWebCam::immagineWebcam()
{
    return disegno(QStringLiteral(":/pictures/webcam_webcam.svg"));
}

QImage TfrmWebCam::immagineFotocamera()
{
    return disegno(QStringLiteral(":/pictures/webcam_fotocamera.svg"));
}

TfrmWebCam::TfrmWebCam(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Cattura foto con webcam"), QSize(807, 405),
                      WindowKind::FixedOnCaller)
    , m_camera(context.camera)
{
    setObjectName(QStringLiteral("frmWebCam"));
    Looks::setVerticalGradient(this, QColor(0x4F, 0x73, 0x97), Qt::white);

    m_imgCamera = riquadro(this, QStringLiteral("panCamera"), QStringLiteral("imgCamera"), kLeft,
                           QStringLiteral("Immagine della webcam"));
    m_imgTarget = riquadro(this, QStringLiteral("panTarget"), QStringLiteral("imgTarget"), kRight,
                           QStringLiteral("Foto catturata"));
    m_imgBianco = new PhotoBox(this, QStringLiteral("imgBianco"));
    m_imgBianco->setAccessibleName(QStringLiteral("imgBianco"));
    m_imgBianco->hide();

    const QImage webcam = immagineWebcam();
    m_imgCamera->setPicture(webcam);
    m_imgBianco->setPicture(webcam);
    m_imgTarget->setPicture(immagineFotocamera());

    const int firstRow = kTop + kBox.height() + 10;
    const int secondRow = firstRow + kButtonHeight + 8;
    const int half = (kBox.width() - 8) / 2;
    auto* btnAccendi = Looks::pushButton(this, QStringLiteral("btnAccendi"), QStringLiteral("Accendi webcam"),
                                         QRect(kLeft, firstRow, kBox.width(), kButtonHeight));
    auto* btnSpegni = Looks::pushButton(this, QStringLiteral("btnSpegni"), QStringLiteral("Spegni webcam"),
                                        QRect(kLeft, secondRow, kBox.width(), kButtonHeight));
    auto* btnCattura = Looks::pushButton(this, QStringLiteral("btnCattura"), QStringLiteral("Cattura foto"),
                                         QRect(kRight, firstRow, half, kButtonHeight));
    auto* btnSalvaFotogramma =
        Looks::pushButton(this, QStringLiteral("btnSalvaFotogramma"), QStringLiteral("Salva foto su disco"),
                          QRect(kRight + kBox.width() - half, firstRow, half, kButtonHeight));
    auto* btnImportaFoto =
        Looks::pushButton(this, QStringLiteral("btnImportaFoto"), QStringLiteral("Importa foto in scheda"),
                          QRect(kRight, secondRow, half, kButtonHeight));
    // Until a camera frame is captured the right side shows a drawing, not a photo.
    btnImportaFoto->setEnabled(false);
    m_btnImportaFoto = btnImportaFoto;
    auto* btnClose = Looks::pushButton(this, QStringLiteral("btnClose"), QStringLiteral("Annulla"),
                                       QRect(kRight + kBox.width() - half, secondRow, half, kButtonHeight));

    setTabOrder(btnAccendi, btnCattura);
    setTabOrder(btnCattura, btnSalvaFotogramma);
    setTabOrder(btnSalvaFotogramma, btnSpegni);
    setTabOrder(btnSpegni, btnImportaFoto);
    setTabOrder(btnImportaFoto, btnClose);

    connect(btnAccendi, &QPushButton::clicked, this, &TfrmWebCam::btnAccendiClick);
    connect(btnSpegni, &QPushButton::clicked, this, &TfrmWebCam::btnSpegniClick);
    connect(btnCattura, &QPushButton::clicked, this, &TfrmWebCam::btnCatturaClick);
    connect(btnSalvaFotogramma, &QPushButton::clicked, this, &TfrmWebCam::btnSalvaFotogrammaClick);
    connect(btnImportaFoto, &QPushButton::clicked, this, &TfrmWebCam::btnImportaFotoClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmWebCam::btnCloseClick);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->setAccessibleName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    if (m_camera) {
        m_frames = connect(m_camera, &Camera::frameReady, this, &TfrmWebCam::camCameraFrame);
        m_failures = connect(m_camera, &Camera::failed, this, &TfrmWebCam::camCameraFailed);
    }
}

TfrmWebCam::~TfrmWebCam()
{
    spegni();
    disconnect(m_frames);
    disconnect(m_failures);
}

void TfrmWebCam::spegni()
{
    if (m_camera)
        m_camera->deactivate();
}

void TfrmWebCam::done(int result)
{
    spegni();
    SecondaryScreen::done(result);
}

void TfrmWebCam::btnAccendiClick()
{
    if (m_camera && m_camera->activate())
        return;
    m_context.messages->warning(this,
                                QStringLiteral("Attenzione: non è stata trovata nessuna webcam collegata "
                                               "al computer.\r\n\r\nCollegare una webcam e premere di "
                                               "nuovo Accendi webcam."));
}

void TfrmWebCam::camCameraFailed()
{
    m_context.messages->warning(this,
                                QStringLiteral("Attenzione: la webcam non si è accesa o ha smesso di "
                                               "funzionare: potrebbe essere in uso da un altro programma "
                                               "o scollegata.\r\n\r\nChiudere l'altro programma o "
                                               "ricollegare la webcam, poi premere di nuovo Accendi "
                                               "webcam."));
}

void TfrmWebCam::btnSpegniClick()
{
    spegni();
}

void TfrmWebCam::camCameraFrame(const QVideoFrame& frame)
{
    const QImage picture = Camera::pictureOf(frame);
    if (picture.isNull())
        return;
    m_fotogramma = true;
    m_imgCamera->setPicture(picture);
}

void TfrmWebCam::btnCatturaClick()
{
    // A copy of its own: the live picture holds the capture layer's buffer only until the next frame.
    m_imgTarget->setPicture(m_imgCamera->picture().copy());
    if (m_fotogramma)
        m_btnImportaFoto->setEnabled(true);
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    const QString nome = PhotoDialogs::fileToSave(*m_context.fileDialogs, this);
    if (nome.isEmpty())
        return;
    QString perche;
    if (PhotoFiles::save(m_imgTarget->picture(), nome, &perche))
        return;
    // The right side shows the webcam drawing again: nothing to import until the next capture.
    m_imgTarget->setPicture(m_imgBianco->picture());
    m_btnImportaFoto->setEnabled(false);
    m_context.messages->warning(this, PhotoDialogs::notSavedMessage(perche));
}

void TfrmWebCam::btnImportaFotoClick()
{
    spegni();
    if (!m_btnImportaFoto->isEnabled() || TextRules::trim(m_lblMemory->text()) != QLatin1String("euro_01"))
        return;
    emit importaFoto(m_imgTarget->picture());
    accept();
}

void TfrmWebCam::btnCloseClick()
{
    spegni();
    reject();
}
