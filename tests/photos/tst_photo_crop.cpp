// Cutting photos to their stored shape: never stretched, the face centred, upright.
#include "photos/PhotoSamples.h"

#include "photos/CropFrame.h"
#include "photos/FaceChoice.h"
#include "photos/FaceFinder.h"
#include "photos/PhotoCrop.h"
#include "platform/AppContext.h"
#include "registry/FolderPhotoMatch.h"
#include "registry/FolderPhotoScan.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "widgets/CropStep.h"

#include <QElapsedTimer>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTest>

using namespace PhotoSamples;

namespace {

const QSize kSlot(FotoGruppo::kWidth, FotoGruppo::kHeight);

QString corpusFolder()
{
    const QString given = qEnvironmentVariable("FOLVARA_FACE_CORPUS");
    return given.isEmpty() ? data(QStringLiteral("faces")) : given;
}

QImage noise(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, random.generate() | 0xFF000000u);
    return picture;
}

// A member's portrait: the face at the top, and on the chest a round badge printed with a face
// in blue ink, larger than the face itself (as a pin with a singer's face on a jacket).
QImage portraitWithBadge(const QImage& astronaut)
{
    QImage portrait(1000, 1200, QImage::Format_RGB32);
    portrait.fill(QColor(0x50, 0x60, 0x70));
    QPainter painter(&portrait);
    const QRect face = kAstronautFace.adjusted(-60, -60, 60, 60);
    painter.drawImage(QRect(350, 40, 300, 300 * face.height() / face.width()), astronaut, face);
    QImage badge =
        astronaut.copy(face).convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < badge.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(badge.scanLine(y));
        for (int x = 0; x < badge.width(); ++x)
            line[x] = qRgb(qRed(line[x]) / 3, qGreen(line[x]) / 2, qBlue(line[x]));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath round;
    round.addEllipse(QRectF(270, 560, 460, 460));
    painter.setClipPath(round);
    painter.drawImage(QRect(270, 560, 460, 460 * face.height() / face.width()), badge);
    return portrait;
}

} // namespace

Q_DECLARE_METATYPE(FaceChoice::Candidate)

class TestPhotoCrop : public QObject {
    Q_OBJECT
private slots:
    void storedPhotosKeepTheirProportions_data();
    void storedPhotosKeepTheirProportions();
    void zoomedCropsAreNeverStretched_data();
    void zoomedCropsAreNeverStretched();
    void photoAtTheShapeStaysTheSame();
    void faceIsInTheCrop();
    void headsTakeTheSameShare();
    void noFaceGivesTheUpperCentre();
    void cropFromAMarkedFaceHoldsIt_data();
    void cropFromAMarkedFaceHoldsIt();
    void detectorFindsTheMarkedFaces();
    void rotatedPhoneShotComesOutUpright();
    void frameStaysInsideThePicture();
    void faceChoice_data();
    void faceChoice();
    void skinIsToldFromABadge();
    void badgeOnTheChestIsNotTheFace();
    void folderImportLeavesADoubtfulFaceUnticked();

private:
    AppContext m_headless; // no crop window: the suggested crop is taken
};

void TestPhotoCrop::storedPhotosKeepTheirProportions_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("4:3") << QSize(1600, 1200);
    QTest::newRow("3:4") << QSize(1200, 1600);
    QTest::newRow("16:9") << QSize(1920, 1080);
    QTest::newRow("square") << QSize(1000, 1000);
    QTest::newRow("tiny") << QSize(80, 60);
    QTest::newRow("tiny 40x30") << QSize(40, 30);
}

void TestPhotoCrop::storedPhotosKeepTheirProportions()
{
    QFETCH(QSize, size);
    // A circle in the upper centre, where a crop without a face looks.
    const double r = std::min(size.width(), size.height()) * 0.2;
    const QImage picture = circle(size, QPointF(size.width() / 2.0, size.height() * 0.35), r);
    QVERIFY(std::abs(darkAspect(picture) - 1.0) < 0.005); // the measure itself

    const std::optional<QImage> slot = CropStep::slotPhoto(m_headless, nullptr, picture);
    QVERIFY(slot);
    QCOMPARE(slot->size(), kSlot);
    QVERIFY2(std::abs(darkAspect(*slot) - 1.0) < 0.01, qPrintable(QString::number(darkAspect(*slot))));
    // The save step of the page keeps it as it is.
    QCOMPARE(RidimensionaFoto(*slot).convertToFormat(QImage::Format_RGB32),
             slot->convertToFormat(QImage::Format_RGB32));
    // The save step alone, given a picture of another shape, cuts too.
    QVERIFY(std::abs(darkAspect(RidimensionaFoto(picture)) - 1.0) < 0.01);

    const std::optional<QImage> card = CropStep::cardPhoto(m_headless, nullptr, picture);
    QVERIFY(card);
    QCOMPARE(card->width() * 4, card->height() * 3);
    QVERIFY(card->width() >= PhotoCrop::kCardMinimum.width());
    QVERIFY2(std::abs(darkAspect(*card) - 1.0) < 0.01, qPrintable(QString::number(darkAspect(*card))));
    // The import's path is the same crop.
    QCOMPARE(PhotoCrop::cardPhoto(picture), *card);
}

void TestPhotoCrop::zoomedCropsAreNeverStretched_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("card"); // else a slot
    QTest::addColumn<int>("zoom");  // steps in (+) or out (-) from the suggestion
    const QList<std::pair<const char*, QSize>> sizes = {{"tiny 40x30", QSize(40, 30)},
                                                        {"4:3", QSize(1600, 1200)},
                                                        {"16:9", QSize(1920, 1080)},
                                                        {"portrait", QSize(1080, 1920)},
                                                        {"odd 1001x777", QSize(1001, 777)}};
    for (const auto& [name, size] : sizes) {
        for (const bool card : {true, false}) {
            for (const int zoom : {0, 1, 3, 8, 20, 60, -2}) {
                QTest::addRow("%s %s zoom %d", name, card ? "card" : "slot", zoom) << size << card << zoom;
            }
        }
    }
}

// The stored photo keeps the source's aspect within 0.5 %, whatever the picture's size and however
// far the crop window zooms: the frame is rounded to whole pixels of the shape, never the scale.
void TestPhotoCrop::zoomedCropsAreNeverStretched()
{
    QFETCH(QSize, size);
    QFETCH(bool, card);
    QFETCH(int, zoom);
    const QSize shape = card ? QSize(3, 4) : kSlot;
    CropFrame frame(size, shape, PhotoCrop::suggestedFrame(size, shape));
    for (int i = 0; i < std::abs(zoom); ++i) {
        const QRect before = frame.frame();
        if (zoom > 0)
            frame.zoomIn();
        else
            frame.zoomOut();
        // Every step keeps the shape; a step that can still move does.
        const QRect after = frame.frame();
        QVERIFY(QRect(QPoint(0, 0), size).contains(after));
        const double aspect =
            double(after.width()) * shape.height() / (double(after.height()) * shape.width());
        QVERIFY2(std::abs(aspect - 1) < 0.005, qPrintable(QString::number(aspect)));
        if (card)
            QCOMPARE(after.width() * 4, after.height() * 3);
        if (zoom > 0 && before.width() > CropFrame::kMinimumWidth * 1.4)
            QVERIFY2(after.width() < before.width(),
                     qPrintable(QStringLiteral("%1x%2 stays").arg(after.width()).arg(after.height())));
    }
    const QRect chosen = frame.frame();
    const QSize target = card ? PhotoCrop::cardSize(chosen.size()) : kSlot;
    // The scale across and down, from the frame to the stored photo.
    const double stretch =
        (double(target.width()) / chosen.width()) / (double(target.height()) / chosen.height());
    QVERIFY2(
        std::abs(stretch - 1) < 0.005,
        qPrintable(QStringLiteral("%1 from %2x%3").arg(stretch).arg(chosen.width()).arg(chosen.height())));
    if (card && chosen.width() >= PhotoCrop::kCardMinimum.width())
        QCOMPARE(target, chosen.size()); // the frame's own pixels

    // A circle drawn around the frame's centre comes out round.
    if (chosen.height() < 24)
        return;
    const double r = std::min(chosen.width(), chosen.height()) * 0.3;
    const QPointF centre(chosen.left() + chosen.width() / 2.0, chosen.top() + chosen.height() / 2.0);
    const QImage picture = circle(size, QPointF(std::round(centre.x()), std::round(centre.y())), r);
    const QImage stored = PhotoCrop::cropped(picture, chosen, target);
    QCOMPARE(stored.size(), target);
    QVERIFY2(std::abs(darkAspect(stored) - darkAspect(picture)) < 0.005,
             qPrintable(QStringLiteral("%1 against %2").arg(darkAspect(stored)).arg(darkAspect(picture))));
}

void TestPhotoCrop::photoAtTheShapeStaysTheSame()
{
    const QImage slot = noise(kSlot);
    QCOMPARE(*CropStep::slotPhoto(m_headless, nullptr, slot), slot);
    QCOMPARE(PhotoCrop::automatic(slot, kSlot), slot);
    QCOMPARE(RidimensionaFoto(slot).convertToFormat(QImage::Format_RGB32), slot);

    const QImage card = noise(QSize(600, 800));
    QCOMPARE(*CropStep::cardPhoto(m_headless, nullptr, card), card);

    // A portrait at the shape keeps its framing even with a face in it.
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    const QImage portrait = astronaut.copy(QRect(QPoint(60, 0), QSize(282, 366)));
    QCOMPARE(*CropStep::slotPhoto(m_headless, nullptr, portrait), portrait);
}

void TestPhotoCrop::faceIsInTheCrop()
{
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    QVERIFY(!astronaut.isNull());
    QVERIFY(FaceFinder::shared().ready());
    const std::optional<QRect> face = FaceFinder::shared().largestFace(astronaut);
    QVERIFY(face);
    QVERIFY2(overlap(*face, kAstronautFace) > 0.5, qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                  .arg(face->x())
                                                                  .arg(face->y())
                                                                  .arg(face->width())
                                                                  .arg(face->height())));
    for (const QSize shape : {kSlot, QSize(3, 4)}) {
        const CropRequest request = CropStep::request(astronaut, shape, kSlot);
        QVERIFY(request.faceFound);
        QVERIFY(request.suggested.contains(kAstronautFace));
        QVERIFY(astronaut.rect().contains(request.suggested));
        // A portrait crop, not the whole picture.
        QVERIFY(request.suggested.width() < astronaut.width() * 0.8);
    }
}

void TestPhotoCrop::headsTakeTheSameShare()
{
    // The same face small in a large picture and large in a small one lands at the same place.
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    QImage wide(1600, 1200, QImage::Format_RGB32);
    wide.fill(QColor(0x80, 0x90, 0xA0));
    QPainter(&wide).drawImage(QRect(500, 100, 1024, 1024), astronaut);
    QList<QRectF> relative;
    for (const QImage& picture : {astronaut, wide}) {
        const std::optional<QRect> face = FaceFinder::shared().largestFace(picture);
        QVERIFY(face);
        const QRect frame = PhotoCrop::suggest(picture, kSlot).frame;
        relative.append(QRectF(
            (face->x() - frame.x()) / double(frame.width()), (face->y() - frame.y()) / double(frame.height()),
            face->width() / double(frame.width()), face->height() / double(frame.height())));
    }
    QVERIFY2(std::abs(relative[0].width() - relative[1].width()) < 0.03, "head share");
    QVERIFY2(std::abs(relative[0].center().x() - relative[1].center().x()) < 0.03, "across");
    QVERIFY2(std::abs(relative[0].center().y() - relative[1].center().y()) < 0.03, "down");
    QVERIFY(relative[0].center().y() < 0.5); // in the upper part
}

void TestPhotoCrop::noFaceGivesTheUpperCentre()
{
    const QImage picture = paesaggio(QSize(1600, 1200));
    const CropRequest request = CropStep::request(picture, kSlot, kSlot);
    QVERIFY(!request.faceFound);
    const QSize largest = kSlot.scaled(picture.size(), Qt::KeepAspectRatio);
    QCOMPARE(request.suggested, QRect(QPoint((1600 - largest.width()) / 2, 0), largest));
    QCOMPARE(PhotoCrop::automatic(picture, kSlot),
             PhotoCrop::cropped(picture, QRect(QPoint((1600 - largest.width()) / 2, 0), largest), kSlot));
}

void TestPhotoCrop::cropFromAMarkedFaceHoldsIt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRect>("face");
    const QList<MarkedPicture> pictures = markedFaces(corpusFolder());
    if (pictures.isEmpty())
        QSKIP("no marked faces");
    for (const MarkedPicture& picture : pictures) {
        for (const QRect& face : picture.faces) {
            QTest::addRow("%s %d,%d", qPrintable(QFileInfo(picture.file).fileName()), face.x(), face.y())
                << picture.file << face;
        }
    }
}

void TestPhotoCrop::cropFromAMarkedFaceHoldsIt()
{
    QFETCH(QString, file);
    QFETCH(QRect, face);
    const QImage picture = PhotoFiles::load(file);
    QVERIFY(!picture.isNull());
    for (const QSize shape : {kSlot, QSize(3, 4)}) {
        const QRect frame = PhotoCrop::suggestedFrame(picture.size(), shape, face);
        QVERIFY(frame.contains(face.intersected(picture.rect())));
        QVERIFY(picture.rect().contains(frame));
        QVERIFY(std::abs(double(frame.width()) / frame.height() - double(shape.width()) / shape.height()) <
                0.01);
    }
}

void TestPhotoCrop::detectorFindsTheMarkedFaces()
{
    const QList<MarkedPicture> pictures = markedFaces(corpusFolder());
    if (pictures.isEmpty())
        QSKIP("no marked faces");
    int marked = 0;
    int found = 0;
    int wrong = 0;
    for (const MarkedPicture& picture : pictures) {
        const QList<QRect> faces = FaceFinder::shared().faces(PhotoFiles::load(picture.file));
        QList<bool> taken(picture.faces.size(), false);
        marked += int(picture.faces.size());
        for (const QRect& face : faces) {
            int best = -1;
            double bestOverlap = 0.3;
            for (int i = 0; i < picture.faces.size(); ++i) {
                if (!taken[i] && overlap(face, picture.faces[i]) > bestOverlap) {
                    best = i;
                    bestOverlap = overlap(face, picture.faces[i]);
                }
            }
            if (best >= 0) {
                taken[best] = true;
                ++found;
            } else {
                ++wrong;
            }
        }
    }
    qInfo("faces found %d of %d, false ones %d", found, marked, wrong);
    QVERIFY(found * 10 >= marked * 8);
    QVERIFY(wrong * 10 <= marked);
}

void TestPhotoCrop::rotatedPhoneShotComesOutUpright()
{
    // Stored lying down as phones do, red along the left edge, with orientation 6 (turn clockwise).
    QImage lying(800, 600, QImage::Format_RGB32);
    lying.fill(Qt::white);
    QPainter(&lying).fillRect(QRect(0, 0, 120, 600), Qt::red);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("telefono.jpg"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(jpegWithOrientation(lying, 6));
    out.close();

    const QImage upright = PhotoFiles::load(file);
    QCOMPARE(upright.size(), QSize(600, 800));
    const QImage card = *CropStep::cardPhoto(m_headless, nullptr, upright);
    QCOMPARE(card.size(), QSize(600, 800));
    QVERIFY(qRed(card.pixel(300, 40)) > 200 && qGreen(card.pixel(300, 40)) < 60); // red on top
    QVERIFY(qGreen(card.pixel(300, 700)) > 200);                                  // white below
    const QImage slot = *CropStep::slotPhoto(m_headless, nullptr, upright);
    QVERIFY(qRed(slot.pixel(141, 20)) > 200 && qGreen(slot.pixel(141, 20)) < 60);
    QVERIFY(qGreen(slot.pixel(141, 340)) > 200);
}

void TestPhotoCrop::frameStaysInsideThePicture()
{
    CropFrame frame(QSize(1000, 800), kSlot, QRect(100, 100, 282, 366));
    frame.moveBy(QPoint(-5000, -5000));
    QCOMPARE(frame.frame().topLeft(), QPoint(0, 0));
    for (int i = 0; i < 100; ++i)
        frame.zoomOut();
    QCOMPARE(frame.frame().height(), 800);
    for (int i = 0; i < 200; ++i)
        frame.zoomIn();
    // About the smallest width, in whole pixels of the slot's shape.
    QVERIFY2(frame.frame().width() >= CropFrame::kMinimumWidth * 0.9 &&
                 frame.frame().width() <= CropFrame::kMinimumWidth * 1.3,
             qPrintable(QString::number(frame.frame().width())));
    QVERIFY(frame.smallerThan(kSlot));
    frame.moveBy(QPoint(5000, 5000));
    QCOMPARE(frame.frame().bottomRight(), QPoint(999, 799));
}

void TestPhotoCrop::faceChoice_data()
{
    QTest::addColumn<QList<FaceChoice::Candidate>>("candidates");
    QTest::addColumn<int>("chosen"); // index into the candidates, -1: none
    QTest::addColumn<bool>("uncertain");
    const QRect top(100, 100, 120, 120);
    const QRect chest(80, 400, 160, 160);
    const QRect small(400, 120, 30, 30);
    QTest::newRow("none") << QList<FaceChoice::Candidate>{} << -1 << false;
    QTest::newRow("one face") << QList<FaceChoice::Candidate>{{top, 1.2, true}} << 0 << false;
    // The larger box scored better but shows no skin: a badge.
    QTest::newRow("badge without skin")
        << QList<FaceChoice::Candidate>{{chest, 1.8, false}, {top, 1.0, true}} << 1 << false;
    QTest::newRow("badge close in score")
        << QList<FaceChoice::Candidate>{{chest, 1.1, false}, {top, 1.0, true}} << 1 << true;
    // Both look like skin and score alike: the upper one, in doubt.
    QTest::newRow("upper of two alike")
        << QList<FaceChoice::Candidate>{{chest, 1.3, true}, {top, 1.1, true}} << 1 << true;
    // A clearly better face below a weak box above stays chosen, without doubt.
    QTest::newRow("clear winner below")
        << QList<FaceChoice::Candidate>{{top, 0.2, true}, {chest, 1.5, true}} << 1 << false;
    // A far smaller box above is no face beside the chosen one, but it still scores alike.
    QTest::newRow("small box above") << QList<FaceChoice::Candidate>{{chest, 1.2, true}, {small, 1.1, true}}
                                     << 0 << true;
    // A grey photo has no skin anywhere: scores and position decide.
    QTest::newRow("grey photo") << QList<FaceChoice::Candidate>{{chest, 1.9, false}, {top, 0.6, false}} << 0
                                << false;
}

void TestPhotoCrop::faceChoice()
{
    QFETCH(QList<FaceChoice::Candidate>, candidates);
    QFETCH(int, chosen);
    QFETCH(bool, uncertain);
    const FaceChoice::Choice choice = FaceChoice::choose(candidates);
    if (chosen < 0) {
        QVERIFY(!choice.face);
        return;
    }
    QVERIFY(choice.face);
    QCOMPARE(*choice.face, candidates.at(chosen).box);
    QCOMPARE(choice.uncertain, uncertain);
}

void TestPhotoCrop::skinIsToldFromABadge()
{
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    const QImage portrait = portraitWithBadge(astronaut);
    QVERIFY2(FaceChoice::hasSkin(astronaut, kAstronautFace),
             qPrintable(QString::number(FaceChoice::skinShare(astronaut, kAstronautFace))));
    QVERIFY(!FaceChoice::hasSkin(portrait, QRect(350, 650, 250, 250)));
    QVERIFY(!FaceChoice::hasSkin(paesaggio(QSize(400, 300)), QRect(100, 50, 150, 150)));
    QVERIFY(!FaceChoice::hasSkin(portrait, QRect(-50, -50, 10, 10))); // outside: no skin, no crash
}

void TestPhotoCrop::badgeOnTheChestIsNotTheFace()
{
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    const QImage portrait = portraitWithBadge(astronaut);
    // The detector itself takes the badge for a face, and for the largest one.
    const QList<QRect> boxes = FaceFinder::shared().faces(portrait);
    QVERIFY2(boxes.size() >= 2, qPrintable(QString::number(boxes.size())));
    QVERIFY(boxes.first().center().y() > 560);
    const QRect face =
        QRect(300, 40, 300, 300 * (kAstronautFace.height() + 120) / (kAstronautFace.width() + 120));
    for (const QSize shape : {kSlot, QSize(3, 4)}) {
        const PhotoCrop::Suggestion suggestion = PhotoCrop::suggest(portrait, shape);
        QVERIFY(suggestion.faceFound);
        // The frame holds the face, not the badge.
        QVERIFY2(suggestion.frame.intersects(face) && suggestion.frame.center().y() < 560,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(suggestion.frame.x())
                                .arg(suggestion.frame.y())
                                .arg(suggestion.frame.width())
                                .arg(suggestion.frame.height())));
    }
}

void TestPhotoCrop::folderImportLeavesADoubtfulFaceUnticked()
{
    // Two copies of one face side by side: nothing tells which is the person.
    const QImage astronaut(data(QStringLiteral("astronaut.jpg")));
    QImage twins(1200, 900, QImage::Format_RGB32);
    twins.fill(QColor(0x50, 0x60, 0x70));
    {
        QPainter painter(&twins);
        painter.drawImage(QRect(80, 100, 500, 500), astronaut);
        painter.drawImage(QRect(620, 100, 500, 500), astronaut);
    }
    QVERIFY(PhotoCrop::suggest(twins, QSize(3, 4)).faceInDoubt);
    QVERIFY(!PhotoCrop::suggest(astronaut, QSize(3, 4)).faceInDoubt);

    QTemporaryDir dir;
    const QString doubtful = dir.filePath(QStringLiteral("Rossi Mario.jpg"));
    const QString sure = dir.filePath(QStringLiteral("Verdi Anna.jpg"));
    QVERIFY(twins.save(doubtful, "JPG", 92));
    QVERIFY(astronaut.save(sure, "JPG", 92));
    QList<FolderPhotoRow> rows(2);
    for (int i = 0; i < 2; ++i) {
        const PhotoProbe probe = FolderPhotoFiles::examine(i == 0 ? doubtful : sure);
        QCOMPARE(probe.kind, PhotoKind::Picture);
        rows[i].kind = probe.kind;
        rows[i].faceInDoubt = probe.faceInDoubt;
        rows[i].cards = {i + 1};
    }
    QVERIFY(rows[0].faceInDoubt);
    QVERIFY(!rows[1].faceInDoubt);
    FolderPhotoPlan::decide(rows, [](int) { return false; });
    QCOMPARE(rows[0].outcome, FolderPhotoRow::Outcome::Nuova);
    QVERIFY(!rows[0].ticked);
    QVERIFY(rows[0].tickable());
    QVERIFY(FolderPhotoPlan::outcomeText(rows[0]).contains(QStringLiteral("da controllare")));
    QVERIFY(rows[1].ticked);
    QCOMPARE(FolderPhotoPlan::outcomeText(rows[1]), QStringLiteral("Nuova foto"));
}

QTEST_MAIN(TestPhotoCrop)
#include "tst_photo_crop.moc"
