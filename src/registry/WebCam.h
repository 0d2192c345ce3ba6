#pragma once

#include "widgets/Screen.h"

#include <QImage>
#include <QMetaObject>

class Camera;
class PhotoBox;
class QLabel;
class QPushButton;
class QVideoFrame;

// Takes a person's photo with the default video input: the live picture on the left,
// the captured frame on the right.
class TfrmWebCam : public SecondaryScreen {
    Q_OBJECT
public:
    TfrmWebCam(AppContext& context, QWidget* owner);
    ~TfrmWebCam() override;

    QLabel* lblMemory() const { return m_lblMemory; }
    PhotoBox* imgCamera() const { return m_imgCamera; }
    PhotoBox* imgTarget() const { return m_imgTarget; }

    // The pictures shown before the first frame and before the first capture.
    static QImage immagineWebcam();
    static QImage immagineFotocamera();

signals:
    // "Importa foto in scheda" in mode "euro_01": the captured frame.
    void importaFoto(const QImage& foto);

public slots:
    // Closing by any route switches the camera off first.
    void done(int result) override;

private:
    void btnAccendiClick();
    void btnSpegniClick();
    void btnCatturaClick();
    void btnSalvaFotogrammaClick();
    void btnImportaFotoClick();
    void btnCloseClick();
    void camCameraFrame(const QVideoFrame& frame);
    void camCameraFailed();
    void spegni();

    Camera* m_camera = nullptr;
    QMetaObject::Connection m_frames;
    QMetaObject::Connection m_failures;
    PhotoBox* m_imgCamera = nullptr;
    PhotoBox* m_imgTarget = nullptr;
    PhotoBox* m_imgBianco = nullptr;
    QLabel* m_lblMemory = nullptr;
    QPushButton* m_btnImportaFoto = nullptr;
    bool m_fotogramma = false; // a camera frame has reached the live picture
};
