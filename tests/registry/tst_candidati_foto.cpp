#include "registry/CandidatiFixture.h"

#include "registry/Candidati.h"
#include "registry/Zoom.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "widgets/PhotoBox.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>

namespace {

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBig(QByteArray& bytes, qsizetype at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = char((value >> (8 * (size - 1 - i))) & 0xFF);
}

QByteArray encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// A small valid PNG whose header declares huge dimensions, with a correct header checksum.
QByteArray pngBomb(int width, int height)
{
    QByteArray png = encoded(QImage(8, 8, QImage::Format_ARGB32), "PNG");
    // Signature (8), IHDR length (4), "IHDR" (4), then width and height.
    putBig(png, 16, quint32(width), 4);
    putBig(png, 20, quint32(height), 4);
    putBig(png, 29, crc32(png.mid(12, 17)), 4);
    return png;
}

// A small valid JPEG whose frame header declares huge dimensions.
QByteArray jpegBomb(int width, int height)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray jpeg = encoded(small, "JPG");
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    Q_ASSERT(sof > 0);
    // Marker (2), length (2), precision (1), then height and width.
    putBig(jpeg, sof + 5, quint32(height), 2);
    putBig(jpeg, sof + 7, quint32(width), 2);
    return jpeg;
}

// The first half of a 2000 x 1500 photo, as a copy cut short leaves it.
QByteArray tagliata()
{
    QImage photo(2000, 1500, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const QByteArray whole = encoded(photo, "JPG");
    return whole.left(whole.size() / 2);
}

} // namespace

// The photo commands and the zoom screen.
class TestCandidatiFoto : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void loadAsksForJpegOrBitmap();
    void loadKeepsFullSize();
    void cancelledLoadChangesNothing();
    void badFilesAreRefusedWithTheirReason_data();
    void badFilesAreRefusedWithTheirReason();
    void unreadableCardPhotoIsKeptAcrossSaves_data();
    void unreadableCardPhotoIsKeptAcrossSaves();
    void userChoiceReplacesAKeptPhoto_data();
    void userChoiceReplacesAKeptPhoto();
    void unchangedPhotoIsNotWrittenAgain_data();
    void unchangedPhotoIsNotWrittenAgain();
    void saveWritesJpegOfUsersChoice_data();
    void saveWritesJpegOfUsersChoice();
    void cancelledSaveWritesNothing();
    void failedSaveKeepsThePhoto();
    void removeThenBrowseLeavesTheFile();
    void zoomShowsThePhotoLarge();
    void zoomClosesOnClick_data();
    void zoomClosesOnClick();
};

void TestCandidatiFoto::loadAsksForJpegOrBitmap()
{
    clic("btnCaricaFoto");
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    const auto& request = m_env->fileDialogs.requests.first();
    QVERIFY(!request.save);
    QCOMPARE(request.title, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    QCOMPARE(request.filters,
             QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)"));
}

void TestCandidatiFoto::loadKeepsFullSize()
{
    // Ten times the box in each direction.
    const QString path = m_env->path(QStringLiteral("grande.bmp"));
    QVERIFY(immagine(3070, 3940, Qt::darkGreen).save(path, "BMP"));
    m_env->fileDialogs.nextNames << path;
    clic("btnCaricaFoto");
    // Cut to 3:4 without losing resolution: the whole height, never stretched.
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(2955, 3940));
    QCOMPARE(m_screen->imgFoto()->grab().toImage().pixelColor(153, 197), QColor(Qt::darkGreen));

    // A wide picture is drawn reduced with its proportions, centred on the pale blue ground.
    QImage wide(3000, 1000, QImage::Format_RGB32);
    wide.fill(QColor(0, 128, 0));
    m_screen->imgFoto()->setPicture(wide);
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(3000, 1000));
    const QImage shown = m_screen->imgFoto()->grab().toImage();
    QCOMPARE(shown.pixelColor(153, 20), QColor(0xE0, 0xE9, 0xF1));
    QCOMPARE(shown.pixelColor(153, 374), QColor(0xE0, 0xE9, 0xF1));
    const QColor middle = shown.pixelColor(153, 197);
    QVERIFY2(qAbs(middle.green() - 128) < 8 && middle.red() < 8, qPrintable(middle.name()));
    QCOMPARE(m_env->messages.shown.size(), 0);
}

void TestCandidatiFoto::cancelledLoadChangesNothing()
{
    const QImage blue = immagine(30, 40, Qt::blue);
    m_screen->imgFoto()->setPicture(blue);
    clic("btnCaricaFoto"); // no name queued: the user cancels
    QVERIFY(fotoUguale(blue));
}

void TestCandidatiFoto::badFilesAreRefusedWithTheirReason_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray broken = encoded(immagine(64, 64, Qt::red), "JPG");
    broken.replace(2, 200, QByteArray(200, '\x5A'));
    QTest::newRow("damaged jpeg") << "rotta.jpg" << broken << "è un'immagine danneggiata";
    QTest::newRow("jpeg cut short") << "mezza.jpg" << tagliata() << "è un'immagine danneggiata";
    QTest::newRow("not an image") << "lettera.jpg" << QByteArray("Gentile signora, le scrivo...")
                                  << "non è un'immagine";
    QTest::newRow("empty file") << "vuota.bmp" << QByteArray() << "è vuoto";
    QTest::newRow("png declaring 60000 x 60000")
        << "bomba.png" << pngBomb(60000, 60000) << "troppo grande (3600 megapixel";
    QTest::newRow("jpeg of 108 megapixels")
        << "grande.jpg" << jpegBomb(12000, 9000) << "troppo grande (108 megapixel, 12000 × 9000";
    QTest::newRow("missing file") << "" << QByteArray() << "non esiste più";
}

// A chosen file that gives no picture is said with its reason; the photo on show and the card's
// own file stay, also through the saves that follow.
void TestCandidatiFoto::badFilesAreRefusedWithTheirReason()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    scriviArchivio(1);
    scriviFoto(fotoScheda(1), immagine(300, 400, Qt::blue));
    const QByteArray stored = leggiFile(fotoScheda(1));
    clic("cmdPrimo");
    const QImage shown = m_screen->imgFoto()->picture();
    QCOMPARE(shown.size(), QSize(300, 400));

    QString path = m_env->path(QStringLiteral("non_esiste.jpg"));
    if (!name.isEmpty()) {
        path = m_env->path(name);
        scriviFile(path, bytes);
    }
    m_env->fileDialogs.nextNames << path;
    clic("btnCaricaFoto");
    QVERIFY(fotoUguale(shown));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    const QString text = m_env->messages.lastText();
    QVERIFY2(
        text.startsWith(QStringLiteral("Attenzione: la foto non è stata caricata, perché il file \"%1\" ")
                            .arg(QFileInfo(path).fileName())),
        qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("La foto mostrata resta quella di prima.")));

    txt(TSchedaAnagrafica::Tel)->setText(QStringLiteral("035 123456"));
    clic("cmdSalva");
    QCOMPARE(leggiFile(fotoScheda(1)), stored);
    QVERIFY(fotoUguale(shown));
}

void TestCandidatiFoto::unreadableCardPhotoIsKeptAcrossSaves_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("jpeg too large") << jpegBomb(60000, 60000);
    QTest::newRow("png too large") << pngBomb(60000, 60000);
    QTest::newRow("jpeg cut short") << tagliata();
    QTest::newRow("not an image") << QByteArray("Gentile signora, le scrivo...");
}

// The placeholder shown for a photo that could not be read is not the person's photo: saving the
// card must not put it in the place of the real file.
void TestCandidatiFoto::unreadableCardPhotoIsKeptAcrossSaves()
{
    QFETCH(QByteArray, bytes);
    scriviArchivio(2);
    QDir().mkpath(m_env->path(QStringLiteral("Anagrafica")));
    scriviFile(fotoScheda(1), bytes);
    scriviFoto(fotoScheda(2), immagine(20, 20, Qt::red));

    clic("cmdPrimo");
    QVERIFY(fotoSegnaposto());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("conservato su disco")));

    m_env->messages.clear();
    txt(TSchedaAnagrafica::Tel)->setText(QStringLiteral("035 123456"));
    clic("cmdSalva");
    clic("cmdSalva");
    QCOMPARE(leggiFile(fotoScheda(1)), bytes);
    QCOMPARE(leggiArchivio().at(0).testo(TSchedaAnagrafica::Tel), QStringLiteral("035 123456"));
    // Only the two save messages: the warning came once, when the card was shown.
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Information);
    QCOMPARE(m_env->messages.shown[1].kind, MessageKind::Information);

    // The next card's own photo is written as usual, and the rule does not follow it.
    clic("cmdAvanti");
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(20, 20));
    m_screen->imgFoto()->setPicture(immagine(30, 30, Qt::green)); // as the webcam or a load would
    clic("cmdSalva");
    QCOMPARE(PhotoFiles::load(fotoScheda(2)).size(), QSize(30, 30));
    QCOMPARE(leggiFile(fotoScheda(1)), bytes);
}

void TestCandidatiFoto::userChoiceReplacesAKeptPhoto_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QSize>("stored"); // empty: the kept file stays as it was
    QTest::newRow("new photo from a file") << "load" << QSize(300, 400); // cut to 3:4, enlarged
    QTest::newRow("Cancella la foto") << "remove" << QSize(Placeholder::kWidth, Placeholder::kHeight);
    QTest::newRow("webcam photo") << "webcam" << QSize(60, 45);
    QTest::newRow("a file that gives no picture") << "bad load" << QSize();
    QTest::newRow("new card") << "new" << QSize();
}

void TestCandidatiFoto::userChoiceReplacesAKeptPhoto()
{
    QFETCH(QString, choice);
    QFETCH(QSize, stored);
    scriviArchivio(1);
    QDir().mkpath(m_env->path(QStringLiteral("Anagrafica")));
    const QByteArray bytes = tagliata();
    scriviFile(fotoScheda(1), bytes);
    clic("cmdPrimo");
    QVERIFY(fotoSegnaposto());

    if (choice == QLatin1String("load") || choice == QLatin1String("bad load")) {
        const QString chosen = m_env->path(QStringLiteral("scelta.jpg"));
        if (choice == QLatin1String("load"))
            scriviFoto(chosen, immagine(40, 50, Qt::cyan));
        else
            scriviFile(chosen, tagliata());
        m_env->fileDialogs.nextNames << chosen;
        clic("btnCaricaFoto");
    } else if (choice == QLatin1String("remove")) {
        clic("btnCancFoto");
    } else if (choice == QLatin1String("webcam")) {
        m_screen->nuovaFoto(immagine(60, 45, Qt::yellow));
    } else {
        clic("cmdNuovo");
        compilaObbligatori(QStringLiteral("Bianchi"));
    }
    clic("cmdSalva");
    if (stored.isEmpty())
        QCOMPARE(leggiFile(fotoScheda(1)), bytes);
    else
        QCOMPARE(PhotoFiles::load(fotoScheda(1)).size(), stored);
}

void TestCandidatiFoto::unchangedPhotoIsNotWrittenAgain_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("written"); // by the first save
    QTest::newRow("text only") << "text" << false;
    QTest::newRow("flag only") << "flag" << false;
    QTest::newRow("photo cut again as it was") << "same crop" << false;
    QTest::newRow("new photo") << "photo" << true;
    QTest::newRow("photo removed") << "remove" << true;
}

// Each JPEG encoding loses a little: a save writes the card's photo only when it changed.
void TestCandidatiFoto::unchangedPhotoIsNotWrittenAgain()
{
    QFETCH(QString, change);
    QFETCH(bool, written);
    scriviArchivio(1);
    scriviFoto(fotoScheda(1), immagine(600, 800, Qt::darkGreen));
    const QDateTime old(QDate(2020, 5, 4), QTime(10, 0), Qt::UTC);
    const auto setOld = [&] {
        QFile file(fotoScheda(1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    };
    setOld();
    clic("cmdPrimo");
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(600, 800));

    if (change == QLatin1String("photo"))
        m_screen->nuovaFoto(immagine(300, 400, Qt::yellow));
    else if (change == QLatin1String("remove"))
        clic("btnCancFoto");
    else if (change == QLatin1String("same crop"))
        clic("cmdRitaglia"); // no crop window here: the crop chosen last, the whole stored photo
    else if (change == QLatin1String("flag"))
        m_screen->chkRicontatta()->setChecked(true);
    QByteArray stored = leggiFile(fotoScheda(1));
    for (int save = 0; save < 5; ++save) {
        txt(TSchedaAnagrafica::Tel)->setText(QStringLiteral("035 12345%1").arg(save));
        clic("cmdSalva");
        QCOMPARE(leggiArchivio().at(0).testo(TSchedaAnagrafica::Tel),
                 QStringLiteral("035 12345%1").arg(save));
        const bool expected = written && save == 0;
        QCOMPARE(QFileInfo(fotoScheda(1)).lastModified() != old, expected);
        QCOMPARE(leggiFile(fotoScheda(1)) != stored, expected);
        if (expected) {
            // The next saves leave the file as this one wrote it.
            stored = leggiFile(fotoScheda(1));
            setOld();
        }
    }
    QCOMPARE(m_env->messages.shown.size(), 5);
    for (const auto& message : m_env->messages.shown)
        QCOMPARE(message.kind, MessageKind::Information);
}

void TestCandidatiFoto::saveWritesJpegOfUsersChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("no extension") << "ritratto"
                                  << "ritratto.jpg" << QByteArray("jpeg");
    QTest::newRow("ending with a dot") << "punto."
                                       << "punto.jpg" << QByteArray("jpeg");
    QTest::newRow("own extension") << "ritratto.png"
                                   << "ritratto.png" << QByteArray("png");
}

void TestCandidatiFoto::saveWritesJpegOfUsersChoice()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    m_screen->imgFoto()->setPicture(immagine(640, 480, Qt::darkYellow));
    m_env->fileDialogs.nextNames << m_env->path(typed);
    clic("btnSalvaFoto");

    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    const auto& request = m_env->fileDialogs.requests.first();
    QVERIFY(request.save);
    QCOMPARE(request.title,
             QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
    QCOMPARE(request.filters, QStringLiteral("File Jpeg (*.jpg) (*.jpg)"));
    QCOMPARE(request.proposedName, QStringLiteral("Foto.jpg"));

    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files), QStringList{written});
    QImageReader reader(m_env->path(written));
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.size(), QSize(640, 480));
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(640, 480));
}

void TestCandidatiFoto::cancelledSaveWritesNothing()
{
    clic("btnSalvaFoto");
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files), QStringList());
}

void TestCandidatiFoto::failedSaveKeepsThePhoto()
{
    const QImage photo = immagine(200, 250, Qt::darkRed);
    m_screen->imgFoto()->setPicture(photo);
    const QString chosen = m_env->path(QStringLiteral("cartella.jpg"));
    QVERIFY(QDir().mkpath(chosen)); // a folder where the file should go
    m_env->fileDialogs.nextNames << chosen;
    clic("btnSalvaFoto");
    QVERIFY(fotoUguale(photo));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(
        QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file indicato")));
}

void TestCandidatiFoto::removeThenBrowseLeavesTheFile()
{
    scriviArchivio(2);
    scriviFoto(fotoScheda(1), immagine(20, 20, Qt::red));
    const QByteArray before = leggiFile(fotoScheda(1));
    clic("cmdPrimo");
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(20, 20));
    clic("btnCancFoto");
    QVERIFY(fotoSegnaposto());
    QVERIFY(m_env->messages.shown.isEmpty());
    clic("cmdAvanti");
    clic("cmdIndietro");
    QCOMPARE(leggiFile(fotoScheda(1)), before);
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(20, 20));
}

void TestCandidatiFoto::zoomShowsThePhotoLarge()
{
    const QImage photo = immagine(300, 400, Qt::darkBlue);
    m_screen->imgFoto()->setPicture(photo);
    QSize panel, image;
    QImage shown;
    QString caption;
    bool maximised = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        auto& zoom = static_cast<TfrmZoom&>(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        caption = zoom.windowTitle();
        maximised = zoom.windowState().testFlag(Qt::WindowMaximized);
        panel = zoom.findChild<QWidget*>(QStringLiteral("panContainer"))->size();
        image = zoom.findChild<PhotoBox*>(QStringLiteral("imgFoto"))->size();
        shown = zoom.imgFoto()->picture();
    };
    clic("btnZoomFoto");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmZoom")});
    QCOMPARE(caption, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    QVERIFY(maximised);
    const QSize display = m_screen->screen()->geometry().size();
    QCOMPARE(panel, display - QSize(60, 90));
    QCOMPARE(image, display - QSize(60, 90));
    QCOMPARE(shown, photo);
    QVERIFY(fotoUguale(photo));
}

void TestCandidatiFoto::zoomClosesOnClick_data()
{
    QTest::addColumn<bool>("onPicture");
    QTest::newRow("picture") << true;
    QTest::newRow("panel") << false;
}

void TestCandidatiFoto::zoomClosesOnClick()
{
    QFETCH(bool, onPicture);
    bool closed = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        auto& zoom = static_cast<TfrmZoom&>(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        if (onPicture) {
            QTest::mouseClick(zoom.imgFoto(), Qt::LeftButton, {}, QPoint(5, 5));
        } else {
            // The picture covers its panel; the panel's own click reaches it around a smaller picture.
            QWidget* panel = zoom.panContainer();
            const QPointF at(3, 3);
            QMouseEvent release(QEvent::MouseButtonRelease, at, panel->mapToGlobal(at), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(panel, &release);
        }
        closed = !zoom.isVisible();
    };
    clic("btnZoomFoto");
    QVERIFY(closed);
}

CANDIDATI_TEST_MAIN(TestCandidatiFoto)
#include "tst_candidati_foto.moc"
