#pragma once

#include "platform/Camera.h"

#include <memory>

class QCamera;
class QMediaCaptureSession;

// The default video input through Qt Multimedia. The device is opened on the first activation.
class QtCamera final : public Camera {
    Q_OBJECT
public:
    explicit QtCamera(QObject* parent = nullptr);
    ~QtCamera() override;

protected:
    bool start() override;
    void stop() override;

private:
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
};
