// Timing of the webcam screen: 300 frames of 1280 x 720 delivered through the camera seam into the
// live picture, against converting the same frames to pictures alone; plain RGB frames and the
// planar YUV frames that most webcams deliver. Painting is timed apart: the window paints the
// latest picture at its own pace, however many frames arrived in between.

#include "BenchTimer.h"

#include "registry/WebCam.h"
#include "support/TestEnvironment.h"
#include "widgets/PhotoBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kFrames = 300;

QImage sorgente(int n)
{
    QImage picture(1280, 720, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 1280, 720);
    gradient.setColorAt(0, QColor::fromHsv((n * 7) % 360, 160, 200));
    gradient.setColorAt(1, Qt::white);
    painter.fillRect(picture.rect(), gradient);
    painter.setBrush(Qt::darkGray);
    painter.drawEllipse(400 + n % 100, 120, 480, 480);
    return picture;
}

// The same picture as most webcams deliver it: planar YUV 4:2:0 (BT.601, limited range).
QVideoFrame planareDi(const QImage& source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QVideoFrame frame(QVideoFrameFormat(rgb.size(), QVideoFrameFormat::Format_YUV420P));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* luma = frame.bits(0) + qsizetype(y) * frame.bytesPerLine(0);
        for (int x = 0; x < rgb.width(); ++x)
            luma[x] = uchar((66 * qRed(row[x]) + 129 * qGreen(row[x]) + 25 * qBlue(row[x]) + 128) / 256 + 16);
        if (y % 2 != 0)
            continue;
        uchar* u = frame.bits(1) + qsizetype(y / 2) * frame.bytesPerLine(1);
        uchar* v = frame.bits(2) + qsizetype(y / 2) * frame.bytesPerLine(2);
        for (int x = 0; x < rgb.width(); x += 2) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            u[x / 2] = uchar((-38 * r - 74 * g + 112 * b + 128) / 256 + 128);
            v[x / 2] = uchar((112 * r - 94 * g - 18 * b + 128) / 256 + 128);
        }
    }
    frame.unmap();
    return frame;
}

// Milliseconds spent in work over all frames; each frame is made fresh beforehand, outside the timing,
// since a frame keeps the picture it was once converted to.
double misura(const std::vector<QImage>& sources, const std::function<void(const QVideoFrame&)>& work,
              bool planar = false)
{
    qint64 total = 0;
    for (int i = 0; i < kFrames; ++i) {
        const QImage& source = sources[i % sources.size()];
        const QVideoFrame frame = planar ? planareDi(source) : FakeCamera::frameOf(source);
        QElapsedTimer timer;
        timer.start();
        work(frame);
        total += timer.nsecsElapsed();
    }
    return double(total) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    TestEnvironment env;
    std::vector<QImage> sources;
    for (int n = 0; n < 8; ++n)
        sources.push_back(sorgente(n));

    TfrmWebCam screen(env.context, nullptr);
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen))
        std::fprintf(stderr, "the screen was not shown\n");
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnAccendi")), Qt::LeftButton);

    int shown = 0;
    QObject::connect(&env.camera, &Camera::frameReady, &screen, [&] { ++shown; });
    // The frame crosses to this thread as the capture layer's would, and becomes the live picture.
    const auto throughScreen = [&](const QVideoFrame& frame) {
        const int before = shown;
        env.camera.sink()->setVideoFrame(frame);
        QCoreApplication::sendPostedEvents(&env.camera, QEvent::MetaCall);
        if (shown == before)
            std::fprintf(stderr, "a frame was not delivered\n");
    };
    // The same, painting every frame as it comes.
    const auto paintingEach = [&](const QVideoFrame& frame) {
        throughScreen(frame);
        screen.imgCamera()->repaint();
    };
    qint64 pixels = 0;
    const auto alone = [&](const QVideoFrame& frame) { pixels += frame.toImage().width(); };

    // Warm up, then the best of seven runs each.
    misura(sources, alone);
    misura(sources, throughScreen);
    double base = 1e300;
    double measured = 1e300;
    double painted = 1e300;
    for (int run = 0; run < 7; ++run) {
        base = std::min(base, misura(sources, alone));
        measured = std::min(measured, misura(sources, throughScreen));
        painted = std::min(painted, misura(sources, paintingEach));
    }
    if (screen.imgCamera()->picture().size() != QSize(1280, 720) || pixels == 0)
        std::fprintf(stderr, "the frames did not reach the live picture\n");
    printRatio("300 frames 1280x720 through the seam to the live picture", measured,
               "300 frames 1280x720 converted to QImage alone", base, 1.3);
    std::printf(
        "%-58s %9.2f ms\n  (%.2f ms per painted frame; the window paints at most once per refresh)\n\n",
        "the same, painting the live picture after every frame", painted, (painted - measured) / kFrames);

    // Most webcams deliver planar frames: these are converted on their way, as converting alone does.
    double planarBase = 1e300;
    double planarMeasured = 1e300;
    for (int run = 0; run < 7; ++run) {
        planarBase = std::min(planarBase, misura(sources, alone, true));
        planarMeasured = std::min(planarMeasured, misura(sources, throughScreen, true));
    }
    printRatio("300 planar YUV frames through the seam to the live picture", planarMeasured,
               "300 planar YUV frames converted to QImage alone", planarBase, 1.3);

    // A burst faster than the screen: no queue grows, the latest frame is shown.
    const quint64 droppedBefore = env.camera.framesDropped();
    shown = 0;
    for (int i = 0; i < kFrames; ++i)
        env.camera.sink()->setVideoFrame(FakeCamera::frameOf(sources[i % sources.size()]));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::printf("burst of %d frames without a pause: %d shown, %llu dropped (goal: 1 shown, %d dropped) %s\n",
                kFrames, shown, static_cast<unsigned long long>(env.camera.framesDropped() - droppedBefore),
                kFrames - 1, shown == 1 ? "ok" : "QUEUE GROWS");
    return 0;
}
