// The crop window: keys, warnings, and where it opens (card photo, slot photo, "Ritaglia").
#include "photos/PhotoSamples.h"

#include "app/ScreenFlow.h"
#include "groups/ListinoFixture.h"
#include "photos/CropFrame.h"
#include "photos/PhotoCrop.h"
#include "registry/Candidati.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "widgets/CropStep.h"
#include "widgets/PhotoBox.h"
#include "widgets/Ritaglio.h"
#include "widgets/WindowCropper.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

using namespace PhotoSamples;

namespace {

const QSize kSlot(FotoGruppo::kWidth, FotoGruppo::kHeight);

void tasti(QDialog& screen, const QList<Qt::Key>& keys)
{
    QWidget* view = screen.findChild<QWidget*>(QStringLiteral("imgRitaglio"));
    QVERIFY(view);
    for (const Qt::Key key : keys)
        QTest::keyClick(view, key);
}

bool visibile(QDialog& screen, const char* name)
{
    const auto* label = screen.findChild<QLabel*>(QString::fromLatin1(name));
    return label && label->isVisibleTo(&screen);
}

} // namespace

class TestCropWindow : public ListinoFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { chiudi(); }
    void keysMoveAndZoomTheFrame_data();
    void keysMoveAndZoomTheFrame();
    void dragMovesAndWheelZooms();
    void warningsAreShownInTheWindow();
    void controlsHaveNames();
    void cardPhotoFromAFileGoesThroughTheWindow();
    void ritagliaCropsTheCardPhotoAgain();
    void ritagliaStartsFromTheLastCrop_data();
    void ritagliaStartsFromTheLastCrop();
    void ritagliaWithoutAPhotoSaysSo();
    void slotPhotoFromAFileGoesThroughTheWindow();
    void ritagliaOnASlot();
    void slotRitagliaButtonStartsFromTheLastCrop();

private:
    std::optional<QRect> scegli(const CropRequest& request, const QList<Qt::Key>& keys);
    std::unique_ptr<WindowCropper> m_cropper;
};

void TestCropWindow::init()
{
    apri();
    m_cropper = std::make_unique<WindowCropper>(m_env->context);
    m_env->context.cropper = m_cropper.get();
}

std::optional<QRect> TestCropWindow::scegli(const CropRequest& request, const QList<Qt::Key>& keys)
{
    m_env->modal.scripts << [&](QDialog& s) { tasti(s, keys); };
    return m_cropper->choose(m_screen, request);
}

void TestCropWindow::keysMoveAndZoomTheFrame_data()
{
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<QPoint>("moved"); // the frame's move, in nudges
    QTest::addColumn<int>("zoomed");   // steps in (+) or out (-)
    QTest::addColumn<bool>("accepted");
    using K = QList<Qt::Key>;
    QTest::newRow("Enter keeps the suggestion") << K{Qt::Key_Return} << QPoint() << 0 << true;
    QTest::newRow("Esc keeps the photo") << K{Qt::Key_Left, Qt::Key_Escape} << QPoint() << 0 << false;
    QTest::newRow("left") << K{Qt::Key_Left, Qt::Key_Left, Qt::Key_Enter} << QPoint(-2, 0) << 0 << true;
    QTest::newRow("right") << K{Qt::Key_Right, Qt::Key_Return} << QPoint(1, 0) << 0 << true;
    QTest::newRow("up") << K{Qt::Key_Up, Qt::Key_Return} << QPoint(0, -1) << 0 << true;
    QTest::newRow("down") << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << QPoint(0, 3) << 0
                          << true;
    QTest::newRow("plus") << K{Qt::Key_Plus, Qt::Key_Return} << QPoint() << 1 << true;
    QTest::newRow("minus") << K{Qt::Key_Minus, Qt::Key_Return} << QPoint() << -1 << true;
}

void TestCropWindow::keysMoveAndZoomTheFrame()
{
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(QPoint, moved);
    QFETCH(int, zoomed);
    QFETCH(bool, accepted);
    CropRequest request = CropStep::request(paesaggio(), kSlot, kSlot);
    request.suggested = QRect(800, 500, 400, 519); // room on every side
    const std::optional<QRect> frame = scegli(request, keys);
    QCOMPARE(m_env->modal.openedClasses.last(), QStringLiteral("TfrmRitaglio"));
    QCOMPARE(frame.has_value(), accepted);
    if (!accepted)
        return;
    CropFrame expected(request.picture.size(), kSlot, request.suggested);
    expected.nudge(moved.x(), moved.y());
    if (zoomed > 0)
        expected.zoomIn();
    if (zoomed < 0)
        expected.zoomOut();
    QCOMPARE(*frame, expected.frame());
    if (zoomed == 0)
        QCOMPARE(frame->size(), request.suggested.size());
    else
        QCOMPARE(frame->width() < request.suggested.width(), zoomed > 0);
    QVERIFY(request.picture.rect().contains(*frame));
}

void TestCropWindow::dragMovesAndWheelZooms()
{
    CropRequest request = CropStep::request(paesaggio(), kSlot, kSlot);
    request.suggested = QRect(800, 500, 400, 519);
    m_env->modal.scripts << [](QDialog& s) {
        auto& screen = static_cast<TfrmRitaglio&>(s);
        QWidget* view = s.findChild<QWidget*>(QStringLiteral("imgRitaglio"));
        const QRect before = screen.frame();
        // A drag to the right and down moves the frame the same way, by the photo's own pixels.
        const QPoint from = view->rect().center();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, from + QPoint(40, 20));
        QTest::mouseRelease(view, Qt::LeftButton, {}, from + QPoint(40, 20));
        const QRect dragged = screen.frame();
        QVERIFY(dragged.left() > before.left() + 40); // the screen shows the photo reduced
        QVERIFY(dragged.top() > before.top() + 20);
        QCOMPARE(dragged.size(), before.size());
        // The wheel forward brings the photo closer.
        QWheelEvent wheel(QPointF(from), view->mapToGlobal(QPointF(from)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QVERIFY(screen.frame().width() < dragged.width());
        tasti(s, {Qt::Key_Return});
    };
    QVERIFY(m_cropper->choose(m_screen, request));
}

void TestCropWindow::warningsAreShownInTheWindow()
{
    // No face: said in the window, not in a message box.
    m_env->modal.scripts << [](QDialog& s) {
        QVERIFY(visibile(s, "lblVolto"));
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("lblVolto"))->text(),
                 QStringLiteral("nessun volto trovato"));
        QVERIFY(!visibile(s, "lblPiccola"));
        // Zooming far in makes the crop smaller than the slot.
        tasti(s, QList<Qt::Key>(30, Qt::Key_Plus));
        QVERIFY(visibile(s, "lblPiccola"));
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("lblPiccola"))->text(),
                 QStringLiteral("foto piccola: verrà ingrandita"));
        tasti(s, {Qt::Key_Return});
    };
    QVERIFY(m_cropper->choose(m_screen, CropStep::request(paesaggio(), kSlot, kSlot)));

    // A face: no warning; a small photo: said at once.
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    m_env->modal.scripts << [](QDialog& s) {
        QVERIFY(!visibile(s, "lblVolto"));
        QVERIFY(visibile(s, "lblPiccola"));
    };
    QVERIFY(!m_cropper->choose(m_screen, CropStep::request(astronaut, kSlot, kSlot)));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestCropWindow::controlsHaveNames()
{
    m_env->modal.scripts << [](QDialog& s) {
        QCOMPARE(s.windowTitle(), QStringLiteral(" Ritaglia foto"));
        for (const char* name : {"imgRitaglio", "lblIstruzioni", "lblVolto", "lblPiccola", "btnZoomPiu",
                                 "btnZoomMeno", "btnConferma", "btnAnnulla"}) {
            const QWidget* control = s.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QVERIFY2(!control->accessibleName().isEmpty(), name);
        }
        // The buttons do what the keys do.
        const QRect before = static_cast<TfrmRitaglio&>(s).frame();
        s.findChild<QPushButton*>(QStringLiteral("btnZoomPiu"))->click();
        QVERIFY(static_cast<TfrmRitaglio&>(s).frame().width() < before.width());
        s.findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->click();
    };
    QVERIFY(!m_cropper->choose(m_screen, CropStep::request(paesaggio(), kSlot, kSlot)));
}

void TestCropWindow::cardPhotoFromAFileGoesThroughTheWindow()
{
    TfrmCandidati* card = m_env->flow().candidati();
    m_env->flow().switchTo(card, m_screen);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    auto* imgFoto = card->findChild<PhotoBox*>(QStringLiteral("imgFoto"));
    const QImage before = imgFoto->picture();
    const QString file = m_env->path(QStringLiteral("ritratto.jpg"));
    QVERIFY(PhotoFiles::save(paesaggio(), file));

    // Esc: the photo stays as it was.
    m_env->fileDialogs.nextNames = {file};
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Escape}); };
    QTest::mouseClick(card->findChild<QWidget*>(QStringLiteral("btnCaricaFoto")), Qt::LeftButton);
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmRitaglio")});
    QCOMPARE(imgFoto->picture(), before);

    // Enter: the suggested crop, 3:4 and the frame's own pixels.
    m_env->fileDialogs.nextNames = {file};
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Return}); };
    QTest::mouseClick(card->findChild<QWidget*>(QStringLiteral("btnCaricaFoto")), Qt::LeftButton);
    QCOMPARE(imgFoto->picture().size(), QSize(1125, 1500));
}

void TestCropWindow::ritagliaCropsTheCardPhotoAgain()
{
    TfrmCandidati* card = m_env->flow().candidati();
    m_env->flow().switchTo(card, m_screen);
    auto* imgFoto = card->findChild<PhotoBox*>(QStringLiteral("imgFoto"));
    card->nuovaFotoRitagliata(paesaggio()); // no script: the window closes as Esc would
    QCOMPARE(imgFoto->picture(), Placeholder::image());

    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Return}); };
    card->nuovaFotoRitagliata(paesaggio());
    QCOMPARE(imgFoto->picture().size(), QSize(1125, 1500));

    // "Ritaglia" starts again from the whole photo: zooming out is still possible after zooming in.
    auto* ritaglia = card->findChild<QAction*>(QStringLiteral("actRitaglia"));
    QVERIFY(ritaglia);
    QCOMPARE(ritaglia->text(), QStringLiteral("Ritaglia"));
    m_env->modal.scripts << [](QDialog& s) {
        QCOMPARE(static_cast<TfrmRitaglio&>(s).frame().size(), QSize(1125, 1500));
        tasti(s, {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Return});
    };
    ritaglia->trigger();
    const QSize closer = imgFoto->picture().size();
    QVERIFY(closer.width() < 1125);
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Minus, Qt::Key_Escape}); };
    ritaglia->trigger();
    QCOMPARE(imgFoto->picture().size(), closer); // Esc: as it was
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Minus, Qt::Key_Minus, Qt::Key_Return}); };
    ritaglia->trigger();
    QCOMPARE(imgFoto->picture().size(), QSize(1125, 1500));
}

void TestCropWindow::ritagliaStartsFromTheLastCrop_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Space on the button") << "space";
    QTest::newRow("Enter on the button") << "enter";
    QTest::newRow("Return on the button") << "return";
    QTest::newRow("click on the button") << "click";
    QTest::newRow("context menu") << "menu";
}

void TestCropWindow::ritagliaStartsFromTheLastCrop()
{
    QFETCH(QString, how);
    TfrmCandidati* card = m_env->flow().candidati();
    m_env->flow().switchTo(card, m_screen);
    QVERIFY(QTest::qWaitForWindowActive(card));
    auto* imgFoto = card->findChild<PhotoBox*>(QStringLiteral("imgFoto"));
    auto* button = card->findChild<QWidget*>(QStringLiteral("cmdRitaglia"));
    QVERIFY(button && button->isVisible());
    QCOMPARE(button->accessibleName(), QStringLiteral("Ritaglia foto"));
    QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    const auto ritaglia = [&] {
        if (how == QLatin1String("menu")) {
            card->findChild<QAction*>(QStringLiteral("actRitaglia"))->trigger();
        } else if (how == QLatin1String("click")) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            button->setFocus();
            QTRY_VERIFY(button->hasFocus());
            const Qt::Key key = how == QLatin1String("space")   ? Qt::Key_Space
                                : how == QLatin1String("enter") ? Qt::Key_Enter
                                                                : Qt::Key_Return;
            QTest::keyClick(button, key);
        }
    };

    // A crop moved and zoomed away from the suggestion.
    const QImage photo = paesaggio();
    QRect chosen;
    m_env->modal.scripts << [&](QDialog& s) {
        tasti(s, QList<Qt::Key>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus} + QList<Qt::Key>(6, Qt::Key_Left) +
                     QList<Qt::Key>(4, Qt::Key_Down));
        chosen = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Return});
    };
    card->nuovaFotoRitagliata(photo);
    const QRect suggested = CropStep::request(photo, QSize(3, 4), PhotoCrop::kCardMinimum).suggested;
    QVERIFY(chosen != suggested);
    const QImage cropped = imgFoto->picture();

    // The window opens on that crop, without the face warning; Esc keeps it.
    QRect start;
    bool noFaceWarning = true;
    m_env->modal.scripts << [&](QDialog& s) {
        start = static_cast<TfrmRitaglio&>(s).frame();
        noFaceWarning = !visibile(s, "lblVolto");
        tasti(s, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Escape});
    };
    ritaglia();
    QCOMPARE(m_env->modal.openedClasses.size(), 2);
    QCOMPARE(start, chosen);
    QVERIFY(noFaceWarning);
    QCOMPARE(imgFoto->picture(), cropped);

    // A crop accepted from there is the next start.
    QRect moved;
    m_env->modal.scripts << [&](QDialog& s) {
        tasti(s, {Qt::Key_Right, Qt::Key_Right});
        moved = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Return});
    };
    ritaglia();
    QCOMPARE(moved.size(), chosen.size());
    QVERIFY(moved.left() > chosen.left());
    m_env->modal.scripts << [&](QDialog& s) {
        start = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Escape});
    };
    ritaglia();
    QCOMPARE(start, moved);

    // Another photo starts from its own suggestion again.
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Return}); };
    card->nuovaFotoRitagliata(paesaggio(QSize(1600, 1200)));
    m_env->modal.scripts << [&](QDialog& s) {
        start = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Escape});
    };
    ritaglia();
    QCOMPARE(start,
             CropStep::request(paesaggio(QSize(1600, 1200)), QSize(3, 4), PhotoCrop::kCardMinimum).suggested);
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestCropWindow::ritagliaWithoutAPhotoSaysSo()
{
    TfrmCandidati* card = m_env->flow().candidati();
    m_env->flow().switchTo(card, m_screen);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QTest::mouseClick(card->findChild<QWidget*>(QStringLiteral("cmdRitaglia")), Qt::LeftButton);
    QVERIFY(m_env->modal.openedClasses.isEmpty());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("non ha una foto da ritagliare")));
    QCOMPARE(card->imgFoto()->picture(), Placeholder::image());
}

void TestCropWindow::slotPhotoFromAFileGoesThroughTheWindow()
{
    const QString file = m_env->path(QStringLiteral("paesaggio.jpg"));
    QVERIFY(PhotoFiles::save(paesaggio(), file));
    const QImage before = m_screen->imgFoto(2)->picture();
    m_env->fileDialogs.nextNames = {file};
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Escape}); };
    clic(QStringLiteral("imgFoto_C"));
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmRitaglio")});
    QCOMPARE(m_screen->imgFoto(2)->picture(), before);

    m_env->fileDialogs.nextNames = {file};
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Return}); };
    clic(QStringLiteral("imgFoto_C"));
    QCOMPARE(m_screen->imgFoto(2)->picture().size(), kSlot);
}

void TestCropWindow::ritagliaOnASlot()
{
    QImage half(1200, 1000, QImage::Format_RGB32);
    half.fill(Qt::white);
    QPainter(&half).fillRect(QRect(0, 0, 600, 1000), Qt::blue); // blue on the left half
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Return}); };
    QVERIFY(m_screen->mettiFotoRitagliata(4, half));
    auto* ritaglia = m_screen->findChild<QAction*>(QStringLiteral("actRitaglia_E"));
    QVERIFY(ritaglia);
    // As far left as it goes: the frame's left 600 of its 770 pixels are blue.
    m_env->modal.scripts << [](QDialog& s) { tasti(s, QList<Qt::Key>(60, Qt::Key_Left) << Qt::Key_Return); };
    ritaglia->trigger();
    const QImage slot = m_screen->imgFoto(4)->picture();
    QCOMPARE(slot.size(), kSlot);
    QVERIFY(qBlue(slot.pixel(200, 180)) > 200 && qRed(slot.pixel(200, 180)) < 50);
    QVERIFY(qRed(slot.pixel(250, 180)) > 200);
    // Esc on "Ritaglia" leaves it.
    m_env->modal.scripts << [](QDialog& s) { tasti(s, {Qt::Key_Right, Qt::Key_Escape}); };
    ritaglia->trigger();
    QCOMPARE(m_screen->imgFoto(4)->picture(), slot);
}

void TestCropWindow::slotRitagliaButtonStartsFromTheLastCrop()
{
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QRect chosen;
    m_env->modal.scripts << [&](QDialog& s) {
        tasti(s, QList<Qt::Key>{Qt::Key_Plus, Qt::Key_Plus} + QList<Qt::Key>(5, Qt::Key_Left));
        chosen = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Return});
    };
    QVERIFY(m_screen->mettiFotoRitagliata(6, paesaggio()));
    const QImage cropped = m_screen->imgFoto(6)->picture();

    auto* button = m_screen->findChild<QWidget*>(QStringLiteral("cmdRitaglia_G"));
    QVERIFY(button && button->isVisible());
    // Eight alike buttons: the reader hears the slot of each.
    QCOMPARE(button->accessibleName(), QStringLiteral("Ritaglia la foto dello spazio G"));
    QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    // On the photo, inside it.
    QVERIFY(m_screen->imgFoto(6)->geometry().contains(button->geometry()));
    button->setFocus();
    QTRY_VERIFY(button->hasFocus());
    QRect start;
    m_env->modal.scripts << [&](QDialog& s) {
        start = static_cast<TfrmRitaglio&>(s).frame();
        tasti(s, {Qt::Key_Escape});
    };
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(m_env->modal.openedClasses.size(), 2);
    QCOMPARE(start, chosen);
    QCOMPARE(m_screen->imgFoto(6)->picture(), cropped);
}

CANDIDATI_TEST_MAIN(TestCropWindow)
#include "tst_crop_window.moc"
