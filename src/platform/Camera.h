#pragma once

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>

#include <memory>

// The system's default video input. The capture layer hands its frames to sink() on a thread
// of its own; frameReady() brings them to the thread of this object one at a time, always
// the latest: a frame that arrives while another waits to be shown replaces it.
class Camera : public QObject {
    Q_OBJECT
public:
    enum class Failure { NoDevice, StartFailed };

    explicit Camera(QObject* parent = nullptr);
    ~Camera() override;

    // Starts capturing; false when there is no video input. A camera that fails to start
    // reports failed(StartFailed) and is off again.
    bool activate();
    // Stops capturing and drops a frame not yet shown; does nothing when not capturing.
    void deactivate();
    bool isActive() const { return m_active; }

    // Made on first use: creating a sink starts the multimedia back end, which costs at start-up.
    QVideoSink* sink();

    // The frame as a picture; null when the frame cannot be read. A plain RGB frame is not
    // copied: the picture reads the frame's own memory, which stays mapped while the picture
    // or a copy of it lives, and a write to the picture detaches it from the frame.
    static QImage pictureOf(const QVideoFrame& frame);

    // Frames handed over so far and frames that a newer one replaced before being shown.
    quint64 framesReceived() const;
    quint64 framesDropped() const;

signals:
    void frameReady(const QVideoFrame& frame);
    void failed(Camera::Failure failure);

protected:
    // The capture layer's part; start() returns false when there is no device.
    virtual bool start() = 0;
    virtual void stop() = 0;
    // For the capture layer: the device failed; the camera is switched off and says so.
    void reportFailure();

private:
    void receive(const QVideoFrame& frame); // any thread
    void deliver();                         // this object's thread

    std::unique_ptr<QVideoSink> m_sink;
    bool m_active = false;
    mutable QMutex m_mutex;
    QVideoFrame m_waiting; // guarded by m_mutex
    bool m_posted = false; // guarded by m_mutex
    quint64 m_received = 0;
    quint64 m_dropped = 0;
};
