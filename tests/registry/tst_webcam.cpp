#include "registry/CandidatiFixture.h"
#include "support/ReadableNames.h"

#include "platform/QtCamera.h"
#include "registry/Candidati.h"
#include "registry/WebCam.h"
#include "storage/PhotoFiles.h"
#include "widgets/PhotoBox.h"

#include <QCameraDevice>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QThread>

namespace {

bool stessa(const QImage& a, const QImage& b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

QImage quadro(QColor colour, QSize size = QSize(640, 480))
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

// The webcam screen with frames made in the test, and its import into the card.
class TestWebCam : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void screenAsDesigned();
    void framesReachTheLivePicture();
    void everyPixelOfEverySizeArrives_data();
    void everyPixelOfEverySizeArrives();
    void plainFramesAreShownWithoutACopy();
    void captureTwiceKeepsTheSecond();
    void planarFramesAreConverted();
    void importBeforeCapturePutsTheCameraPicture();
    void importAfterCapture();
    void cancelLeavesTheCardPhoto();
    void offAndOnAgainResumes();
    void noDeviceGivesTheWarning();
    void busyCameraGivesTheWarning();
    void saveFrameToDisk();
    void failedSaveShowsTheWebcamPicture();
    void framesFromTheCaptureThreadKeepOnlyTheLatest();
    void otherModeStaysOpenWithCameraOff();
    void closingAnyWaySwitchesTheCameraOff();
    void realCameraWithoutDevice();

private:
    std::unique_ptr<TfrmWebCam> schermo();
    static void premi(QWidget& screen, const char* name);
};

std::unique_ptr<TfrmWebCam> TestWebCam::schermo()
{
    auto screen = std::make_unique<TfrmWebCam>(m_env->context, m_screen);
    screen->lblMemory()->setText(QStringLiteral("euro_01"));
    screen->show();
    return screen;
}

void TestWebCam::premi(QWidget& screen, const char* name)
{
    auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button && button->isVisible(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestWebCam::screenAsDesigned()
{
    const auto screen = schermo();
    QCOMPARE(screen->windowTitle(), QStringLiteral(" Cattura foto con webcam"));
    QCOMPARE(screen->size(), QSize(807, 405));
    QCOMPARE(screen->imgCamera()->size(), QSize(366, 274));
    QCOMPARE(screen->imgTarget()->size(), QSize(366, 274));
    QVERIFY(stessa(screen->imgCamera()->picture(), TfrmWebCam::immagineWebcam()));
    QVERIFY(stessa(screen->imgTarget()->picture(), TfrmWebCam::immagineFotocamera()));
    QVERIFY(!stessa(TfrmWebCam::immagineWebcam(), TfrmWebCam::immagineFotocamera()));
    QVERIFY(screen->imgCamera()->geometry().center().x() <
            screen->imgTarget()->mapTo(screen.get(), QPoint()).x());
    const QList<std::pair<const char*, QString>> pulsanti = {{"btnAccendi", "Accendi webcam"},
                                                             {"btnSpegni", "Spegni webcam"},
                                                             {"btnCattura", "Cattura foto"},
                                                             {"btnSalvaFotogramma", "Salva foto su disco"},
                                                             {"btnImportaFoto", "Importa foto in scheda"},
                                                             {"btnClose", "Annulla"}};
    for (const auto& [name, text] : pulsanti) {
        auto* button = screen->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QCOMPARE(button->text(), text);
        QCOMPARE(button->accessibleName(), text);
    }
    QStringList ordine;
    QWidget* w = screen->findChild<QWidget*>(QStringLiteral("btnAccendi"));
    for (int i = 0; i < 6; ++i) {
        ordine << w->objectName();
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
    }
    QCOMPARE(ordine, (QStringList{"btnAccendi", "btnCattura", "btnSalvaFotogramma", "btnSpegni",
                                  "btnImportaFoto", "btnClose"}));
    ReadableNames::check(*screen);
    QVERIFY(!m_env->camera.isActive());
}

void TestWebCam::framesReachTheLivePicture()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    QVERIFY(m_env->camera.isActive());
    const QImage rosso = quadro(Qt::red, QSize(1280, 720));
    m_env->camera.feed(rosso);
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), rosso));
    QCOMPARE(screen->imgCamera()->picture().size(), QSize(1280, 720));
    QCOMPARE(m_env->messages.shown.size(), 0);
}

void TestWebCam::everyPixelOfEverySizeArrives_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("HD") << QSize(1280, 720);
    QTest::newRow("odd width") << QSize(641, 3);
    QTest::newRow("one pixel") << QSize(1, 1);
}

void TestWebCam::everyPixelOfEverySizeArrives()
{
    // A different colour in every pixel: a row copied to the wrong place or cut short shows.
    QFETCH(QSize, size);
    QImage pattern(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            pattern.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256 + y * 3) % 256));
    }
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    // A first frame of another size, then the pattern: nothing of the first frame stays behind.
    m_env->camera.feed(quadro(Qt::blue, QSize(16, 16)));
    QTRY_COMPARE(screen->imgCamera()->picture().size(), QSize(16, 16));
    m_env->camera.feed(pattern);
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), pattern));
    m_env->camera.feed(quadro(Qt::red, size));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red, size)));
}

void TestWebCam::plainFramesAreShownWithoutACopy()
{
    const QImage rosso = quadro(Qt::red, QSize(320, 240));
    QVideoFrame frame = FakeCamera::frameOf(rosso);
    QVERIFY(frame.map(QVideoFrame::ReadOnly));
    const uchar* memoria = frame.bits(0);
    frame.unmap();
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.sink()->setVideoFrame(frame);
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), rosso));
    QCOMPARE(screen->imgCamera()->picture().constBits(), memoria);
    QVERIFY(frame.isMapped());

    // A write to the picture never reaches the capture layer's buffer.
    QImage scritta = screen->imgCamera()->picture();
    scritta.setPixel(0, 0, qRgb(0, 0, 255));
    QCOMPARE(QColor(reinterpret_cast<const QRgb*>(memoria)[0]), QColor(Qt::red));
    QCOMPARE(QColor(scritta.pixel(0, 0)), QColor(Qt::blue));

    // The capture is a copy of its own; the next frame lets the buffer go.
    premi(*screen, "btnCattura");
    QVERIFY(screen->imgTarget()->picture().constBits() != memoria);
    m_env->camera.feed(quadro(Qt::green, QSize(320, 240)));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::green, QSize(320, 240))));
    QVERIFY(!frame.isMapped());
    QVERIFY(stessa(screen->imgTarget()->picture(), rosso));
}

void TestWebCam::captureTwiceKeepsTheSecond()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.feed(quadro(Qt::red));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red)));
    premi(*screen, "btnCattura");
    m_env->camera.feed(quadro(Qt::green));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::green)));
    // The live picture moved on; the captured frame did not.
    QVERIFY(stessa(screen->imgTarget()->picture(), quadro(Qt::red)));
    premi(*screen, "btnCattura");
    QVERIFY(stessa(screen->imgTarget()->picture(), quadro(Qt::green)));
}

void TestWebCam::planarFramesAreConverted()
{
    // What most webcams deliver: a YUV frame, here a white one.
    QVideoFrame frame(QVideoFrameFormat(QSize(64, 48), QVideoFrameFormat::Format_YUV420P));
    QVERIFY(frame.map(QVideoFrame::WriteOnly));
    for (int plane = 0; plane < frame.planeCount(); ++plane)
        memset(frame.bits(plane), plane == 0 ? 235 : 128, frame.mappedBytes(plane));
    frame.unmap();
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.sink()->setVideoFrame(frame);
    QTRY_COMPARE(screen->imgCamera()->picture().size(), QSize(64, 48));
    QVERIFY(qGray(screen->imgCamera()->picture().pixel(32, 24)) > 240);
}

void TestWebCam::importBeforeCapturePutsTheCameraPicture()
{
    // Without a captured camera frame there is nothing to import: the drawings never reach the card.
    m_env->modal.scripts << [this](QDialog& s) {
        auto* importa = s.findChild<QPushButton*>(QStringLiteral("btnImportaFoto"));
        QVERIFY(!importa->isEnabled());
        premi(s, "btnCattura"); // no frame yet: the webcam drawing
        QVERIFY(!importa->isEnabled());
        premi(s, "btnImportaFoto");
        QVERIFY(s.isVisible());
        premi(s, "btnAccendi");
        m_env->camera.feed(quadro(Qt::red));
        QTRY_VERIFY(stessa(static_cast<TfrmWebCam&>(s).imgCamera()->picture(), quadro(Qt::red)));
        QVERIFY(!importa->isEnabled());
        premi(s, "btnCattura");
        QVERIFY(importa->isEnabled());
        premi(s, "btnClose");
    };
    clic("btnWebcam");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmWebCam")});
    QVERIFY(fotoSegnaposto());
}

void TestWebCam::importAfterCapture()
{
    const QImage blu = quadro(Qt::blue, QSize(800, 600));
    m_env->modal.scripts << [&](QDialog& s) {
        premi(s, "btnAccendi");
        m_env->camera.feed(blu);
        QTRY_VERIFY(stessa(static_cast<TfrmWebCam&>(s).imgCamera()->picture(), blu));
        premi(s, "btnCattura");
        premi(s, "btnImportaFoto");
        QVERIFY(!s.isVisible());
        QVERIFY(!m_env->camera.isActive());
    };
    clic("btnWebcam");
    // The frame is cut to 3:4 around its middle (no face): the whole height, never stretched.
    QVERIFY(fotoUguale(blu.copy(175, 0, 450, 600)));

    // The imported photo is the card's photo at the next save.
    compilaObbligatori(QStringLiteral("Verdi Marta"));
    clic("cmdSalva");
    const QImage salvata = PhotoFiles::load(fotoScheda(1));
    QCOMPARE(salvata.size(), QSize(450, 600));
    QVERIFY(qBlue(salvata.pixel(225, 300)) > 240 && qRed(salvata.pixel(225, 300)) < 16);
}

void TestWebCam::cancelLeavesTheCardPhoto()
{
    const QImage prima = quadro(Qt::yellow, QSize(300, 400));
    m_screen->imgFoto()->setPicture(prima);
    m_env->modal.scripts << [&](QDialog& s) {
        premi(s, "btnAccendi");
        m_env->camera.feed(quadro(Qt::red));
        QTRY_VERIFY(stessa(static_cast<TfrmWebCam&>(s).imgCamera()->picture(), quadro(Qt::red)));
        premi(s, "btnCattura");
        premi(s, "btnClose");
        QVERIFY(!s.isVisible());
    };
    clic("btnWebcam");
    QVERIFY(fotoUguale(prima));
    QVERIFY(!m_env->camera.isActive());
}

void TestWebCam::offAndOnAgainResumes()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.feed(quadro(Qt::red));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red)));
    premi(*screen, "btnSpegni");
    QVERIFY(!m_env->camera.isActive());
    // A frame still on its way when the camera goes off is not shown; the last one stays.
    m_env->camera.feed(quadro(Qt::green));
    QCoreApplication::processEvents();
    QVERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red)));
    premi(*screen, "btnAccendi");
    QVERIFY(m_env->camera.isActive());
    m_env->camera.feed(quadro(Qt::blue));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::blue)));
    QCOMPARE(m_env->camera.starts, 2);
}

void TestWebCam::noDeviceGivesTheWarning()
{
    m_env->camera.present = false;
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    QVERIFY(!m_env->camera.isActive());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("webcam")));
    // The screen keeps working: capturing copies the webcam picture.
    premi(*screen, "btnCattura");
    QVERIFY(stessa(screen->imgTarget()->picture(), TfrmWebCam::immagineWebcam()));
}

void TestWebCam::busyCameraGivesTheWarning()
{
    m_env->camera.failOnStart = true;
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    QVERIFY(!m_env->camera.isActive());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("in uso")));
    premi(*screen, "btnCattura");
    QVERIFY(stessa(screen->imgTarget()->picture(), TfrmWebCam::immagineWebcam()));
}

void TestWebCam::saveFrameToDisk()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.feed(quadro(Qt::darkGreen, QSize(320, 240)));
    QTRY_COMPARE(screen->imgCamera()->picture().size(), QSize(320, 240));
    premi(*screen, "btnCattura");
    m_env->fileDialogs.nextNames << m_env->path(QStringLiteral("scatto."));
    premi(*screen, "btnSalvaFotogramma");
    const auto& request = m_env->fileDialogs.requests.constLast();
    QVERIFY(request.save);
    QCOMPARE(request.title,
             QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
    QCOMPARE(request.proposedName, QStringLiteral("Foto.jpg"));
    QVERIFY(request.filters.startsWith(QStringLiteral("File Jpeg (*.jpg)")));
    const QImage saved = PhotoFiles::load(m_env->path(QStringLiteral("scatto.jpg")));
    QCOMPARE(saved.size(), QSize(320, 240));
    QCOMPARE(m_env->messages.shown.size(), 0);

    // Cancelled: nothing happens.
    premi(*screen, "btnSalvaFotogramma");
    QCOMPARE(screen->imgTarget()->picture().size(), QSize(320, 240));
}

void TestWebCam::failedSaveShowsTheWebcamPicture()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    m_env->camera.feed(quadro(Qt::red));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red)));
    premi(*screen, "btnCattura");
    m_env->fileDialogs.nextNames << m_env->path(QStringLiteral("non/esiste/foto.jpg"));
    premi(*screen, "btnSalvaFotogramma");
    QVERIFY(stessa(screen->imgTarget()->picture(), TfrmWebCam::immagineWebcam()));
    QVERIFY(!screen->findChild<QPushButton*>(QStringLiteral("btnImportaFoto"))->isEnabled());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
}

void TestWebCam::framesFromTheCaptureThreadKeepOnlyTheLatest()
{
    const auto screen = schermo();
    premi(*screen, "btnAccendi");
    const QImage ultimo = quadro(Qt::magenta);
    std::unique_ptr<QThread> cattura(QThread::create([&] {
        for (int i = 0; i < 50; ++i)
            m_env->camera.feed(quadro(QColor(i, 0, 0)));
        m_env->camera.feed(ultimo);
    }));
    cattura->start();
    QVERIFY(cattura->wait(10000));
    // Nothing was shown while this thread was busy elsewhere: one wake-up, the latest frame.
    QVERIFY(stessa(screen->imgCamera()->picture(), TfrmWebCam::immagineWebcam()));
    int shown = 0;
    connect(&m_env->camera, &Camera::frameReady, this, [&] { ++shown; });
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), ultimo));
    QCoreApplication::processEvents();
    QCOMPARE(shown, 1);
    QCOMPARE(m_env->camera.framesReceived(), quint64(51));
    QCOMPARE(m_env->camera.framesDropped(), quint64(50));
}

void TestWebCam::otherModeStaysOpenWithCameraOff()
{
    const auto screen = schermo();
    screen->lblMemory()->setText(QStringLiteral("listino"));
    bool imported = false;
    connect(screen.get(), &TfrmWebCam::importaFoto, this, [&] { imported = true; });
    premi(*screen, "btnAccendi");
    m_env->camera.feed(quadro(Qt::red));
    QTRY_VERIFY(stessa(screen->imgCamera()->picture(), quadro(Qt::red)));
    premi(*screen, "btnCattura");
    premi(*screen, "btnImportaFoto");
    QVERIFY(!imported);
    QVERIFY(screen->isVisible());
    QVERIFY(!m_env->camera.isActive());
}

void TestWebCam::closingAnyWaySwitchesTheCameraOff()
{
    {
        const auto screen = schermo();
        premi(*screen, "btnAccendi");
        screen->reject();
        QVERIFY(!m_env->camera.isActive());
        screen->show();
        premi(*screen, "btnAccendi");
        QVERIFY(m_env->camera.isActive());
    }
    // Destroyed while on: switched off, and a late frame reaches nobody.
    QVERIFY(!m_env->camera.isActive());
    m_env->camera.feed(quadro(Qt::red));
    QCoreApplication::processEvents();
    QCOMPARE(m_env->camera.stops, 2);
}

void TestWebCam::realCameraWithoutDevice()
{
    if (!QMediaDevices::videoInputs().isEmpty())
        QSKIP("this machine has a video input");
    QtCamera camera;
    QVERIFY(!camera.activate());
    QVERIFY(!camera.isActive());
    camera.deactivate();
}

CANDIDATI_TEST_MAIN(TestWebCam)
#include "tst_webcam.moc"
