#include "platform/QtCamera.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>

QtCamera::QtCamera(QObject* parent)
    : Camera(parent)
{
}

QtCamera::~QtCamera()
{
    deactivate();
    // The session lets go of the camera before either is destroyed.
    if (m_session)
        m_session->setCamera(nullptr);
}

bool QtCamera::start()
{
    const QCameraDevice device = QMediaDevices::defaultVideoInput();
    if (device.isNull())
        return false;
    if (!m_camera || m_camera->cameraDevice() != device) {
        if (m_session)
            m_session->setCamera(nullptr);
        m_camera = std::make_unique<QCamera>(device);
        connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error error) {
            if (error != QCamera::NoError)
                reportFailure();
        });
        if (!m_session) {
            m_session = std::make_unique<QMediaCaptureSession>();
            m_session->setVideoSink(sink());
        }
        m_session->setCamera(m_camera.get());
    }
    m_camera->start();
    return true;
}

void QtCamera::stop()
{
    if (m_camera)
        m_camera->stop();
}
