#include "platform/Camera.h"

#include <QMutexLocker>

#include <memory>

Camera::Camera(QObject* parent)
    : QObject(parent)
{
}

Camera::~Camera() = default;

QVideoSink* Camera::sink()
{
    if (!m_sink) {
        m_sink = std::make_unique<QVideoSink>();
        // Direct: the frame is taken on the capture thread and only a wake-up crosses over.
        connect(m_sink.get(), &QVideoSink::videoFrameChanged, this, &Camera::receive, Qt::DirectConnection);
    }
    return m_sink.get();
}

bool Camera::activate()
{
    if (m_active)
        return true;
    // Active before starting, so that a failure reported while starting is not lost.
    m_active = true;
    if (!start()) {
        m_active = false;
        return false;
    }
    return true;
}

void Camera::deactivate()
{
    if (!m_active)
        return;
    m_active = false;
    stop();
    const QMutexLocker lock(&m_mutex);
    m_waiting = QVideoFrame();
}

void Camera::reportFailure()
{
    // Errors of a camera already switched off concern nobody.
    if (!m_active)
        return;
    m_active = false;
    stop();
    emit failed(Failure::StartFailed);
}

quint64 Camera::framesReceived() const
{
    const QMutexLocker lock(&m_mutex);
    return m_received;
}

quint64 Camera::framesDropped() const
{
    const QMutexLocker lock(&m_mutex);
    return m_dropped;
}

QImage Camera::pictureOf(const QVideoFrame& frame)
{
    const QVideoFrameFormat format = frame.surfaceFormat();
    const QImage::Format imageFormat = QVideoFrameFormat::imageFormatFromPixelFormat(format.pixelFormat());
    const bool plain = imageFormat != QImage::Format_Invalid &&
                       format.scanLineDirection() == QVideoFrameFormat::TopToBottom && !format.isMirrored() &&
                       !frame.mirrored() && frame.rotationAngle() == QVideoFrame::Rotation0;
    auto mapped = std::make_unique<QVideoFrame>(frame);
    if (!plain || !mapped->map(QVideoFrame::ReadOnly)) {
        // Planar, turned or unmappable frames go through the multimedia layer's own conversion.
        return frame.toImage();
    }
    // Read-only pixels: a write detaches the picture instead of reaching the capture buffer.
    const uchar* pixels = mapped->bits(0);
    const QImage picture(
        pixels, frame.width(), frame.height(), mapped->bytesPerLine(0), imageFormat,
        [](void* held) {
            const std::unique_ptr<QVideoFrame> mine(static_cast<QVideoFrame*>(held));
            mine->unmap();
        },
        mapped.get());
    if (picture.isNull()) {
        mapped->unmap();
        return {};
    }
    mapped.release(); // now the picture's
    return picture;
}

void Camera::receive(const QVideoFrame& frame)
{
    if (!frame.isValid())
        return;
    const QMutexLocker lock(&m_mutex);
    ++m_received;
    if (m_waiting.isValid())
        ++m_dropped;
    m_waiting = frame;
    if (!m_posted) {
        m_posted = true;
        QMetaObject::invokeMethod(this, &Camera::deliver, Qt::QueuedConnection);
    }
}

void Camera::deliver()
{
    QVideoFrame frame;
    {
        const QMutexLocker lock(&m_mutex);
        m_posted = false;
        frame = std::exchange(m_waiting, QVideoFrame());
    }
    if (m_active && frame.isValid())
        emit frameReady(frame);
}
