// The page editor's slot photos and the import of persons from the registry.

#include "documents/PdfProbe.h"
#include "groups/ListinoFixture.h"
#include "support/TestFiles.h"

#include "search/TrovaCandidati.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/PhotoBox.h"
#include "widgets/PhotoDialogs.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {

using Campo = TSchedaGruppo::Campo;

const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// Slot photos of one colour each, or all of the given colour.
FotoRiquadri fotoColorate(QColor tutte = QColor())
{
    FotoRiquadri riquadri;
    riquadri.azzera();
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        QImage picture(282, 366, QImage::Format_RGB32);
        picture.fill(tutte.isValid() ? tutte : QColor::fromHsv(i * 40, 200, 200));
        riquadri.imposta(i, picture);
    }
    return riquadri;
}

TSchedaAnagrafica persona(const QString& email)
{
    TSchedaAnagrafica p;
    p.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("  Neri Giulia "));
    p.setTesto(TSchedaAnagrafica::Esperienze, QStringLiteral("Accompagnatrice"));
    p.setTesto(TSchedaAnagrafica::Note, QStringLiteral("Allergica ai pollini"));
    p.setTesto(TSchedaAnagrafica::Email, email);
    p.setTesto(TSchedaAnagrafica::Cel, QStringLiteral("347 1234567"));
    p.setTesto(TSchedaAnagrafica::Settore, QStringLiteral("Scuola"));
    return p;
}

} // namespace

class TestListinoFoto : public ListinoFixture {
    Q_OBJECT

private slots:
    void cleanup() { chiudi(); }

    void photoClickUsesTheDialog();
    void cancelLeavesThePhoto();
    void unreadableFileIsSaidAndKeepsTheSlot();
    void savedPhotosAreSmallJpegs();
    void pageWithoutPhotosStoresTheBlankImage();
    void browsingBringsEachPageItsPhotos();
    void unreadableStoredPhotoIsKept();
    void failedPhotoWriteKeepsTheRecordAndThePhoto();
    void importIntoSlotWithoutPhoto();
    void importBringsTheRegistryPhoto();
    void importWithEmptyEmail();
    void importArrowOpensTheSearchInItsMode_data();
    void importArrowOpensTheSearchInItsMode();
    void importThenBrowseLeavesNoTrace();
    void doubleClickInTheSearchFillsTheSlot();
    void previewPrintsThePageAsShown();
    void previewOrPrintChangesNothing_data();
    void previewOrPrintChangesNothing();
    void untouchedSlotPhotosAreNotRewritten();
    void openingTheGroupCompletesAStoppedSave();
};

void TestListinoFoto::photoClickUsesTheDialog()
{
    apri();
    const QString file = m_env->path(QStringLiteral("paesaggio.jpg"));
    QVERIFY(PhotoFiles::save(tinta(800, 600, Qt::red), file));
    m_env->fileDialogs.nextNames = {file};
    clic(QStringLiteral("imgFoto_B"));
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(m_env->fileDialogs.requests.first().title,
             QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    QCOMPARE(m_env->fileDialogs.requests.first().filters,
             QStringLiteral("Immagine JPEG (*.jpg; *.jpeg) (*.jpg *.jpeg);;Immagine Bitmap (*.bmp) (*.bmp)"));
    // Cut to the slot's shape (never stretched); written at the save.
    QCOMPARE(m_screen->imgFoto(1)->picture().size(), QSize(282, 366));
    QVERIFY(vicino(m_screen->imgFoto(1)->picture().pixelColor(141, 183), Qt::red));
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Foto_Gruppo/Gita Roma_Foto_B_1.jpg"))));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestListinoFoto::cancelLeavesThePhoto()
{
    apri();
    m_screen->imgFoto(2)->setPicture(tinta(30, 40, Qt::blue));
    clic(QStringLiteral("imgFoto_C"));
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(m_screen->imgFoto(2)->picture().size(), QSize(30, 40));
}

void TestListinoFoto::unreadableFileIsSaidAndKeepsTheSlot()
{
    apri();
    m_screen->imgFoto(2)->setPicture(tinta(30, 40, Qt::blue));
    const QString file = m_env->path(QStringLiteral("rotta.bmp"));
    TestFiles::writeAll(file, "BM not really");
    m_env->fileDialogs.nextNames = {file};
    clic(QStringLiteral("imgFoto_C"));
    // Said, and the slot keeps the picture it had.
    QCOMPARE(m_screen->imgFoto(2)->picture().size(), QSize(30, 40));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.lastText(), PhotoDialogs::unreadableMessage());
}

void TestListinoFoto::savedPhotosAreSmallJpegs()
{
    apri();
    const QString file = m_env->path(QStringLiteral("paesaggio.bmp"));
    QVERIFY(tinta(800, 600, Qt::red).save(file));
    m_env->fileDialogs.nextNames = {file};
    clic(QStringLiteral("imgFoto_B"));
    compilaA(QStringLiteral("Rossi"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kInserita);
    QImageReader reader(fotoRiquadro(QLatin1Char('B'), 1));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    QCOMPARE(reader.size(), QSize(282, 366));
    QCOMPARE(QImageReader(anteprima(QLatin1Char('B'))).size(), QSize(282, 366));
    // The screen now shows the stored versions.
    for (int i = 0; i < 8; ++i)
        QCOMPARE(m_screen->imgFoto(i)->picture().size(), QSize(282, 366));
    QVERIFY(vicino(m_screen->imgFoto(1)->picture().pixelColor(141, 183), Qt::red));
}

void TestListinoFoto::pageWithoutPhotosStoresTheBlankImage()
{
    apri();
    compilaA(QStringLiteral("Rossi"));
    clic(QStringLiteral("cmdSalva"));
    const QImage bianca = FotoGruppo::bianca();
    for (int i = 0; i < 8; ++i) {
        const QImage scritta = PhotoFiles::load(fotoRiquadro(TSchedaGruppo::lettera(i), 1));
        QCOMPARE(scritta.size(), QSize(282, 366));
        QVERIFY(vicino(scritta.pixelColor(141, 150), bianca.pixelColor(141, 150)));
        QVERIFY(vicino(scritta.pixelColor(4, 4), bianca.pixelColor(4, 4)));
    }
}

void TestListinoFoto::browsingBringsEachPageItsPhotos()
{
    apri(3);
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Foto_Gruppo"))));
    QVERIFY(PhotoFiles::save(tinta(282, 366, Qt::red), fotoRiquadro(QLatin1Char('D'), 1)));
    QVERIFY(PhotoFiles::save(tinta(282, 366, Qt::blue), fotoRiquadro(QLatin1Char('D'), 2)));
    clic(QStringLiteral("cmdPrimo"));
    QVERIFY(vicino(m_screen->imgFoto(3)->picture().pixelColor(10, 10), Qt::red));
    QCOMPARE(m_screen->imgFoto(0)->picture(), FotoGruppo::bianca());
    clic(QStringLiteral("cmdAvanti"));
    QVERIFY(vicino(m_screen->imgFoto(3)->picture().pixelColor(10, 10), Qt::blue));
    clic(QStringLiteral("cmdAvanti"));
    QCOMPARE(m_screen->imgFoto(3)->picture(), FotoGruppo::bianca()); // page 3 has none
    // A photo deleted outside the program.
    QVERIFY(QFile::remove(fotoRiquadro(QLatin1Char('D'), 1)));
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(m_screen->imgFoto(3)->picture(), FotoGruppo::bianca());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestListinoFoto::unreadableStoredPhotoIsKept()
{
    apri(1);
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Foto_Gruppo"))));
    const QByteArray danneggiata("\xFF\xD8\xFF\xE0 truncated photo");
    TestFiles::writeAll(fotoRiquadro(QLatin1Char('C'), 1), danneggiata);
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("la foto del riquadro C ")));
    QCOMPARE(m_screen->imgFoto(2)->picture(), FotoGruppo::bianca());
    m_env->messages.clear();
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1); // the success message only
    QCOMPARE(TestFiles::readAll(fotoRiquadro(QLatin1Char('C'), 1)), danneggiata);
    QCOMPARE(QImageReader(fotoRiquadro(QLatin1Char('B'), 1)).size(), QSize(282, 366));
    // New forgets it: a new page's slot C is an ordinary blank slot.
    clic(QStringLiteral("cmdNuovo"));
    compilaA(QStringLiteral("Rossi"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(QImageReader(fotoRiquadro(QLatin1Char('C'), 2)).size(), QSize(282, 366));
}

void TestListinoFoto::failedPhotoWriteKeepsTheRecordAndThePhoto()
{
    apri();
    // A folder where slot C's photo file should go.
    QVERIFY(QDir().mkpath(fotoRiquadro(QLatin1Char('C'), 1)));
    m_screen->imgFoto(2)->setPicture(tinta(300, 400, Qt::green));
    compilaA(QStringLiteral("Rossi"));
    clic(QStringLiteral("cmdSalva"));
    // Nothing of the page is stored: neither the record nor the photos that could be written.
    QCOMPARE(QFileInfo(gruppo()).size(), 0);
    QCOMPARE(posizione(), QString());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.at(0).kind, MessageKind::Warning);
    QVERIFY(m_env->messages.shown.at(0).text.contains(QStringLiteral("la foto del riquadro C")));
    QVERIFY(vicino(m_screen->imgFoto(2)->picture().pixelColor(100, 100), Qt::green));
    QVERIFY(!QFileInfo::exists(fotoRiquadro(QLatin1Char('D'), 1)));
    // Once the obstacle is gone, the same save stores the page and every photo.
    QVERIFY(QDir().rmdir(fotoRiquadro(QLatin1Char('C'), 1)));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kInserita);
    QCOMPARE(QFileInfo(gruppo()).size(), 5000);
    QVERIFY(vicino(PhotoFiles::load(fotoRiquadro(QLatin1Char('C'), 1)).pixelColor(141, 183), Qt::green));
}

void TestListinoFoto::importIntoSlotWithoutPhoto()
{
    apri();
    m_screen->imgFoto(5)->setPicture(tinta(30, 40, Qt::blue));
    m_screen->importaPersona(QLatin1Char('F'), persona(QStringLiteral("giulia@scuola.it")), 4);
    QCOMPARE(txt(5, TSchedaGruppo::Nome)->text(), QStringLiteral("Neri Giulia"));
    QCOMPARE(txt(5, TSchedaGruppo::UM)->text(), QStringLiteral("Accompagnatrice"));
    QCOMPARE(txt(5, TSchedaGruppo::Caratteristiche)->text(), QStringLiteral("Allergica ai pollini"));
    QCOMPARE(txt(5, TSchedaGruppo::Codice)->text(), QStringLiteral("E-mail: giulia@scuola.it"));
    QCOMPARE(txt(5, TSchedaGruppo::Prezzo)->text(), QStringLiteral("Cel. 347 1234567"));
    QCOMPARE(m_screen->lblRecord()->text(), QStringLiteral("4"));
    QCOMPARE(m_screen->imgFoto(5)->picture(), FotoGruppo::bianca());
    QVERIFY(QFileInfo(m_env->path(QStringLiteral("Anagrafica"))).isDir());
    // Nothing else of the page changes.
    QCOMPARE(txt(4, TSchedaGruppo::Nome)->text(), QString());
    QCOMPARE(posizione(), QString());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestListinoFoto::importBringsTheRegistryPhoto()
{
    apri();
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Anagrafica"))));
    QVERIFY(PhotoFiles::save(tinta(307, 394, Qt::red),
                             m_env->path(QStringLiteral("Anagrafica/Scheda_Anagrafica_7.jpg"))));
    m_screen->importaPersona(QLatin1Char('A'), persona(QStringLiteral("g@x.it")), 7);
    m_screen->importaPersona(QLatin1Char('H'), persona(QStringLiteral("g@x.it")), 7);
    for (const int i : {0, 7}) {
        QCOMPARE(m_screen->imgFoto(i)->picture().size(), QSize(282, 366)); // cut, never stretched
        QVERIFY(vicino(m_screen->imgFoto(i)->picture().pixelColor(5, 5), Qt::red));
        QCOMPARE(txt(i, TSchedaGruppo::Nome)->text(), QStringLiteral("Neri Giulia"));
    }
    QCOMPARE(m_screen->lblRecord()->text(), QStringLiteral("7"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kInserita);
    QVERIFY(vicino(PhotoFiles::load(fotoRiquadro(QLatin1Char('H'), 1)).pixelColor(141, 183), Qt::red));
}

void TestListinoFoto::importWithEmptyEmail()
{
    apri();
    TSchedaAnagrafica p = persona(QString());
    p.setTesto(TSchedaAnagrafica::Cel, QString());
    m_screen->importaPersona(QLatin1Char('C'), p, 2);
    QCOMPARE(txt(2, TSchedaGruppo::Codice)->text(), QStringLiteral("E-mail: "));
    QCOMPARE(txt(2, TSchedaGruppo::Prezzo)->text(), QStringLiteral("Cel. "));
}

void TestListinoFoto::importArrowOpensTheSearchInItsMode_data()
{
    QTest::addColumn<int>("riquadro");
    for (int i = 0; i < 8; ++i)
        QTest::newRow(qPrintable(QStringLiteral("slot %1").arg(TSchedaGruppo::lettera(i)))) << i;
}

void TestListinoFoto::importArrowOpensTheSearchInItsMode()
{
    QFETCH(int, riquadro);
    apri();
    QString modo;
    m_env->modal.scripts.append([&modo](QDialog& screen) {
        if (auto* search = qobject_cast<TfrmTrovaCandidati*>(&screen))
            modo = search->lblMemory()->text();
    });
    clic(QStringLiteral("impProdotto_") + TSchedaGruppo::lettera(riquadro));
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmTrovaCandidati")});
    QCOMPARE(modo, QStringLiteral("persona_") + QChar(u'a' + riquadro));
    // Closed without a double click: the page is as it was.
    QCOMPARE(txt(riquadro, TSchedaGruppo::Nome)->text(), QString());
}

void TestListinoFoto::importThenBrowseLeavesNoTrace()
{
    apri(2);
    clic(QStringLiteral("cmdPrimo"));
    const QByteArray prima = TestFiles::readAll(gruppo());
    m_screen->importaPersona(QLatin1Char('B'), persona(QStringLiteral("g@x.it")), 3);
    clic(QStringLiteral("cmdAvanti"));
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(TestFiles::readAll(gruppo()), prima);
    QCOMPARE(txt(1, TSchedaGruppo::Nome)->text(), QString());
}

void TestListinoFoto::doubleClickInTheSearchFillsTheSlot()
{
    apri();
    TArchivioSchede registro;
    registro.ApriOCrea(TSchedaAnagrafica::archivio(m_env->folder()), TSchedaAnagrafica::kSize);
    for (const char* nome : {"Alfa Anna", "Beta Bruno", "Gamma Gino"}) {
        TSchedaAnagrafica p = persona(QStringLiteral("x@y.it"));
        p.setTesto(TSchedaAnagrafica::Candidato, QString::fromLatin1(nome));
        registro.Posiziona(registro.NumeroSchede());
        registro.ScriviScheda(p.buffer());
    }
    registro.ChiudiArchivio();
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Anagrafica"))));
    QVERIFY(PhotoFiles::save(tinta(300, 400, Qt::red),
                             m_env->path(QStringLiteral("Anagrafica/Scheda_Anagrafica_2.jpg"))));

    bool chiusa = false;
    m_env->modal.scripts.append([&chiusa](QDialog& screen) {
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnCerca")), Qt::LeftButton);
        auto* list = screen.findChild<QListView*>(QStringLiteral("lstRecords"));
        QVERIFY(list);
        QModelIndex beta;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (index.data().toString().contains(QStringLiteral("Beta Bruno")))
                beta = index;
        }
        QVERIFY(beta.isValid());
        list->scrollTo(beta);
        const QPoint at = list->visualRect(beta).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        chiusa = !screen.isVisible();
    });
    clic(QStringLiteral("impProdotto_C"));
    QVERIFY(chiusa);
    QCOMPARE(txt(2, TSchedaGruppo::Nome)->text(), QStringLiteral("Beta Bruno"));
    QCOMPARE(txt(2, TSchedaGruppo::Codice)->text(), QStringLiteral("E-mail: x@y.it"));
    QCOMPARE(m_screen->lblRecord()->text(), QStringLiteral("2"));
    QVERIFY(vicino(m_screen->imgFoto(2)->picture().pixelColor(150, 200), Qt::red));
    QCOMPARE(txt(1, TSchedaGruppo::Nome)->text(), QString());
}

// The editor's Anteprima: the page as the editor shows it, with its photos, in the preview.
void TestListinoFoto::previewPrintsThePageAsShown()
{
    apri();
    const QString file = m_env->path(QStringLiteral("ritratto.bmp"));
    QVERIFY(tinta(300, 400, Qt::red).save(file));
    m_env->fileDialogs.nextNames = {file};
    clic(QStringLiteral("imgFoto_B"));
    compilaA(QStringLiteral("Rossi Mario"));
    txt(1, Campo::Nome)->setText(QStringLiteral("Bianchi Luca"));
    m_env->modal.scripts << [](QDialog& dialog) {
        auto* stampa = dialog.findChild<QPushButton*>(QStringLiteral("btnStampa"));
        QVERIFY(stampa);
        stampa->click();
    };
    clic(QStringLiteral("cmdAnteprima"));
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmAnteprimaProdotto")});
    QCOMPARE(m_env->printing.previews.size(), 1);
    const QString pdf = m_env->printing.previews.first();
    const QString text = PdfProbe::pageText(PdfProbe::words(pdf), 0);
    QVERIFY2(text.contains(QStringLiteral("Rossi Mario")) && text.contains(QStringLiteral("Bianchi Luca")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Gita Roma")), qPrintable(text));
    // Slot B's photo is red on the sheet; slot C has the blank image, never red.
    const QImage sheet(PdfProbe::toPng(pdf, m_env->path(QStringLiteral("foglio")), 40));
    QVERIFY(!sheet.isNull());
    int red = 0;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            red += vicino(sheet.pixelColor(x, y), Qt::red) ? 1 : 0;
    QVERIFY2(red > 500, qPrintable(QString::number(red)));
}

void TestListinoFoto::previewOrPrintChangesNothing_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("schermata");
    QTest::newRow("preview") << "cmdAnteprima"
                             << "TfrmAnteprimaProdotto";
    QTest::newRow("print") << "cmdStampa"
                           << "TfrmStampaProdotto";
}

void TestListinoFoto::previewOrPrintChangesNothing()
{
    QFETCH(QString, comando);
    QFETCH(QString, schermata);
    apri(1);
    FotoRiquadri salvate = fotoColorate();
    QCOMPARE(SalvaFotoRiquadri(m_env->folder(), QStringLiteral("Gita Roma"), QStringLiteral("1"), salvate),
             QString());
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(posizione(), QStringLiteral("1"));
    QList<QImage> prima;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        prima << m_screen->imgFoto(i)->picture();
    // Opened and left without printing: the script-less runner closes it.
    clic(comando);
    QCOMPARE(m_env->modal.openedClasses, QStringList{schermata});
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        QCOMPARE(m_screen->imgFoto(i)->picture().cacheKey(), prima.at(i).cacheKey());
    // Nothing to save: leaving asks nothing.
    m_env->messages.clear();
    clic(QStringLiteral("cmdEsci"));
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(!m_screen->isVisible());
}

void TestListinoFoto::untouchedSlotPhotosAreNotRewritten()
{
    apri(1);
    FotoRiquadri salvate = fotoColorate();
    QCOMPARE(SalvaFotoRiquadri(m_env->folder(), QStringLiteral("Gita Roma"), QStringLiteral("1"), salvate),
             QString());
    const QDateTime vecchia(QDate(2020, 1, 1), QTime(12, 0), Qt::UTC);
    QList<QByteArray> contenuti;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        QFile file(fotoRiquadro(TSchedaGruppo::lettera(i), 1));
        QVERIFY(file.open(QIODevice::ReadWrite));
        contenuti << file.readAll();
        QVERIFY(file.setFileTime(vecchia, QFileDevice::FileModificationTime));
    }
    const auto intatta = [&](int i) {
        const QString file = fotoRiquadro(TSchedaGruppo::lettera(i), 1);
        return TestFiles::readAll(file) == contenuti.at(i) && QFileInfo(file).lastModified() == vecchia;
    };

    // Only a text changed: no photo file is written.
    clic(QStringLiteral("cmdPrimo"));
    txt(0, Campo::Caratteristiche)->setText(QStringLiteral("Note cambiate"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kModificata);
    QCOMPARE(leggiPagine().at(0).testo(0, Campo::Caratteristiche), QStringLiteral("Note cambiate"));
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        QVERIFY2(intatta(i), qPrintable(QString(TSchedaGruppo::lettera(i))));

    // A new photo in slot C: that file alone is written.
    const QString nuova = m_env->path(QStringLiteral("nuova.bmp"));
    QVERIFY(tinta(300, 400, Qt::red).save(nuova));
    m_env->fileDialogs.nextNames = {nuova};
    clic(QStringLiteral("imgFoto_C"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kModificata);
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        QVERIFY2(intatta(i) == (i != 2), qPrintable(QString(TSchedaGruppo::lettera(i))));
    QVERIFY(vicino(PhotoFiles::load(fotoRiquadro(QLatin1Char('C'), 1)).pixelColor(141, 183), Qt::red));

    // Saved again unchanged: nothing at all is written, and leaving asks nothing.
    const QDateTime scritta = QFileInfo(fotoRiquadro(QLatin1Char('C'), 1)).lastModified();
    QFile c(fotoRiquadro(QLatin1Char('C'), 1));
    QVERIFY(c.open(QIODevice::ReadWrite));
    QVERIFY(c.setFileTime(vecchia, QFileDevice::FileModificationTime));
    c.close();
    QVERIFY(scritta != vecchia);
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(QFileInfo(fotoRiquadro(QLatin1Char('C'), 1)).lastModified(), vecchia);
    m_env->messages.clear();
    clic(QStringLiteral("cmdEsci"));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestListinoFoto::openingTheGroupCompletesAStoppedSave()
{
    apri(1);
    FotoRiquadri blu = fotoColorate(Qt::blue);
    QCOMPARE(SalvaFotoRiquadri(m_env->folder(), QStringLiteral("Gita Roma"), QStringLiteral("1"), blu),
             QString());
    TSchedaGruppo nuova = pagina(1);
    nuova.setTesto(0, Campo::Nome, QStringLiteral("Nuova"));
    {
        // What a save stopped right after its record leaves: the new photos beside the old ones.
        FotoInAttesa attesa;
        QCOMPARE(attesa.prepara(m_env->folder(), QStringLiteral("Gita Roma"), QStringLiteral("1"),
                                fotoColorate(Qt::red), nuova.buffer()),
                 QString());
        TArchivioSchede archive;
        archive.ApriOCrea(gruppo(), TSchedaGruppo::kSize);
        archive.Posiziona(0);
        archive.ScriviScheda(nuova.buffer());
        archive.ChiudiArchivio();
    }
    QVERIFY(vicino(PhotoFiles::load(fotoRiquadro(QLatin1Char('A'), 1)).pixelColor(141, 183), Qt::blue));

    m_screen->apriGruppo(gruppo(), QStringLiteral("Gita Roma"));
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(txt(0, Campo::Nome)->text(), QStringLiteral("Nuova"));
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        QVERIFY(vicino(m_screen->imgFoto(i)->picture().pixelColor(141, 183), Qt::red));
    const QStringList rimasti = QDir(m_env->path(QStringLiteral("Foto_Gruppo"))).entryList(QDir::Files);
    QCOMPARE(rimasti.size(), TSchedaGruppo::kRiquadri);
    for (const QString& file : rimasti)
        QVERIFY2(file.endsWith(QStringLiteral(".jpg")), qPrintable(file));
}

CANDIDATI_TEST_MAIN(TestListinoFoto)
#include "tst_listino_foto.moc"
