#include "FotoCartellaFixture.h"

#include "registry/CandidatiFixture.h"

#include "registry/FotoCartella.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "widgets/ImageButton.h"
#include "widgets/PhotoBox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace FotoCartellaFixture;
using C = TSchedaAnagrafica;

class TestFotoCartella : public CandidatiFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { chiudi(); }
    void openedFromTheEditorOnTheSeams();
    void tickingAReplacementWritesIt();
    void applyWithoutAFolderOrTicksWarns();
    void cancelInTheProgressWindowKeepsWhatIsDone();
    void buttonCoversNoOtherControl();
    void editorShowsTheNewPhotoOfItsCard_data();
    void editorShowsTheNewPhotoOfItsCard();
    void realEventLoopFromTheEditor();

private:
    // Opens the screen from the editor's button; the script acts on it before it closes.
    void conSchermo(const std::function<void(TfrmFotoCartella&)>& script);
    // Chooses the test folder through the folder dialog and waits for every file to be examined.
    void scegliCartella(TfrmFotoCartella& screen);
    static void clicca(QWidget& screen, const char* name);

    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestFotoCartella::init()
{
    apri();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    FotoCartellaFixture::scriviArchivio(
        m_env->folder(),
        {FotoCartellaFixture::scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("RSSMRA80A01H501U")),
         FotoCartellaFixture::scheda(QStringLiteral("BIANCHI ANNA")),
         FotoCartellaFixture::scheda(QStringLiteral("BIANCHI ANNA")),
         FotoCartellaFixture::scheda(QStringLiteral("VERDI GIUSEPPE"))});
    QVERIFY(SalvaFotoScheda(m_env->folder(), QStringLiteral("4"), foto(QSize(300, 400), Qt::red)));
    const QDir folder(m_folder->path());
    FotoCartellaFixture::scriviFoto(folder.filePath(QStringLiteral("rssmra80a01h501u.jpg")),
                                    foto(QSize(1600, 1200), Qt::green));
    FotoCartellaFixture::scriviFoto(folder.filePath(QStringLiteral("Anna Bianchi.jpg")),
                                    foto(QSize(800, 600), Qt::blue));
    FotoCartellaFixture::scriviFoto(folder.filePath(QStringLiteral("Giuseppe Verdi.png")),
                                    foto(QSize(600, 600), Qt::magenta), "PNG");
    TestFiles::writeAll(folder.filePath(QStringLiteral("elenco.txt")), "Rossi, Bianchi, Verdi");
}

void TestFotoCartella::clicca(QWidget& screen, const char* name)
{
    QWidget* control = screen.findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(control && control->isVisible() && control->isEnabled(), name);
    QTest::mouseClick(control, Qt::LeftButton);
}

void TestFotoCartella::conSchermo(const std::function<void(TfrmFotoCartella&)>& script)
{
    bool ran = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("frmFotoCartella"));
        QCOMPARE(dialog.parentWidget(), m_screen);
        auto* screen = qobject_cast<TfrmFotoCartella*>(&dialog);
        QVERIFY(screen);
        ran = true;
        script(*screen);
    };
    clic("cmdFotoCartella");
    QVERIFY(ran);
}

void TestFotoCartella::scegliCartella(TfrmFotoCartella& screen)
{
    m_env->fileDialogs.nextNames = {m_folder->path()};
    clicca(screen, "cmdCartella");
    QCOMPARE(m_env->fileDialogs.requests.last().title, QStringLiteral("Scegliere la cartella delle foto"));
    QTRY_VERIFY_WITH_TIMEOUT(!screen.inEsame(), 20000);
}

void TestFotoCartella::openedFromTheEditorOnTheSeams()
{
    auto* button = ctl<ImageButton>("cmdFotoCartella");
    QVERIFY(button);
    QVERIFY(button->accessibleName().startsWith(QStringLiteral("Importa foto da cartella")));
    conSchermo([&](TfrmFotoCartella& screen) {
        for (const char* name : {"cmdCartella", "cmdApplica", "cmdEsci", "grdFoto"}) {
            auto* control = screen.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control && !control->accessibleName().isEmpty(), name);
        }
        QVERIFY(!screen.findChild<QPushButton*>(QStringLiteral("cmdApplica"))->isEnabled());
        scegliCartella(screen);
        const QTableWidget* table = screen.grdFoto();
        QCOMPARE(table->rowCount(), 4);
        // By name: "Anna Bianchi", "elenco", "Giuseppe Verdi", "rssmra...".
        const QStringList esiti = {QStringLiteral("Pi\u00F9 schede corrispondono: nessuna scelta"),
                                   QStringLiteral("Saltata: non \u00E8 un'immagine"),
                                   QStringLiteral("Sostituisce la foto presente"),
                                   QStringLiteral("Nuova foto")};
        for (int row = 0; row < 4; ++row)
            QCOMPARE(table->item(row, TfrmFotoCartella::ColEsito)->text(), esiti.at(row));
        QCOMPARE(table->item(0, TfrmFotoCartella::ColScheda)->text(),
                 QStringLiteral("BIANCHI ANNA (n. 2)\nBIANCHI ANNA (n. 3)"));
        QCOMPARE(table->item(3, TfrmFotoCartella::ColScheda)->text(), QStringLiteral("ROSSI MARIO (n. 1)"));
        // A box only where something can be written; the replacement waits unticked.
        QCOMPARE(table->item(3, TfrmFotoCartella::ColApplica)->checkState(), Qt::Checked);
        QCOMPARE(table->item(2, TfrmFotoCartella::ColApplica)->checkState(), Qt::Unchecked);
        QVERIFY(!(table->item(0, TfrmFotoCartella::ColApplica)->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(!(table->item(1, TfrmFotoCartella::ColApplica)->flags() & Qt::ItemIsUserCheckable));
        // Thumbnails of the photo and of the suggested crop; none for the text file.
        const QPixmap crop =
            table->item(3, TfrmFotoCartella::ColRitaglio)->data(Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(crop.size(), QSize(72, 96));
        QVERIFY(
            !table->item(3, TfrmFotoCartella::ColFoto)->data(Qt::DecorationRole).value<QPixmap>().isNull());
        QVERIFY(table->item(1, TfrmFotoCartella::ColFoto)->data(Qt::DecorationRole).isNull());
        QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("lblRiepilogo"))->text(),
                 QStringLiteral(
                     "4 file: 1 nuove, 1 sostituzioni, 1 senza scheda certa, 1 saltati. Da scrivere: 1."));

        clicca(screen, "cmdApplica");
        // Nothing is left to cancel: the report is a box with OK alone.
        QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Plain);
        QVERIFY(m_env->messages.lastText().startsWith(
            QStringLiteral("1 foto \u00E8 stata scritta nella sua scheda.")));
        QVERIFY(m_env->messages.lastText().contains(
            QStringLiteral("Foto non spuntate, lasciate da parte (1):\n- Giuseppe Verdi")));
        QVERIFY(m_env->messages.lastText().contains(QStringLiteral("Foto saltate (2):")));
        QCOMPARE(screen.rapporto(), m_env->messages.lastText());
        QCOMPARE(table->item(3, TfrmFotoCartella::ColEsito)->text(), QStringLiteral("Foto scritta"));
        QVERIFY(!(table->item(3, TfrmFotoCartella::ColApplica)->flags() & Qt::ItemIsUserCheckable));
    });
    const QImage stored = PhotoFiles::load(fotoScheda(1));
    QCOMPARE(stored.size(), QSize(900, 1200));
    QVERIFY(simile(coloreSotto(stored), Qt::green));
    QVERIFY(!QFile::exists(fotoScheda(2)) && !QFile::exists(fotoScheda(3)));
}

void TestFotoCartella::tickingAReplacementWritesIt()
{
    conSchermo([&](TfrmFotoCartella& screen) {
        scegliCartella(screen);
        QTableWidget* table = screen.grdFoto();
        table->item(3, TfrmFotoCartella::ColApplica)->setCheckState(Qt::Unchecked);
        table->item(2, TfrmFotoCartella::ColApplica)->setCheckState(Qt::Checked);
        QVERIFY(screen.righe().at(2).ticked && !screen.righe().at(3).ticked);
        clicca(screen, "cmdApplica");
    });
    QVERIFY(simile(coloreSotto(PhotoFiles::load(fotoScheda(4))), Qt::magenta));
    QCOMPARE(PhotoFiles::load(fotoScheda(4)).size(), QSize(450, 600));
    QVERIFY(!QFile::exists(fotoScheda(1)));
}

void TestFotoCartella::applyWithoutAFolderOrTicksWarns()
{
    conSchermo([&](TfrmFotoCartella& screen) {
        screen.cmdApplicaClick();
        QCOMPARE(m_env->messages.lastText(),
                 QStringLiteral("Attenzione: scegliere prima la cartella delle foto."));
        scegliCartella(screen);
        screen.grdFoto()->item(3, TfrmFotoCartella::ColApplica)->setCheckState(Qt::Unchecked);
        clicca(screen, "cmdApplica");
        QCOMPARE(m_env->messages.lastText(), QStringLiteral("Attenzione: nessuna foto \u00E8 spuntata."));
        // The dialog cancelled: nothing changes.
        m_env->fileDialogs.nextNames.clear();
        clicca(screen, "cmdCartella");
        QCOMPARE(screen.grdFoto()->rowCount(), 4);
    });
    QVERIFY(!QFile::exists(fotoScheda(1)));
}

void TestFotoCartella::cancelInTheProgressWindowKeepsWhatIsDone()
{
    FotoCartellaFixture::scriviArchivio(m_env->folder(),
                                        {FotoCartellaFixture::scheda(QStringLiteral("NERI PAOLO"))});
    FotoCartellaFixture::scriviFoto(QDir(m_folder->path()).filePath(QStringLiteral("Paolo Neri.jpg")),
                                    foto(QSize(640, 480), Qt::cyan));
    const QByteArray verdiPrima = leggiFile(fotoScheda(4));
    conSchermo([&](TfrmFotoCartella& screen) {
        scegliCartella(screen);
        // Ticked by name: "Giuseppe Verdi", "Paolo Neri", "rssmra80a01h501u".
        screen.grdFoto()->item(2, TfrmFotoCartella::ColApplica)->setCheckState(Qt::Checked);
        screen.setAttesaProgresso(0);
        // The user presses "Annulla" once two photos are written.
        QTimer annulla;
        int visto = 0;
        connect(&annulla, &QTimer::timeout, &screen, [&] {
            auto* progress = screen.findChild<QProgressDialog*>(QStringLiteral("dlgAvanzamento"));
            if (progress && progress->isVisible() && progress->value() >= 2 && visto == 0) {
                visto = progress->maximum();
                progress->cancel();
            }
        });
        annulla.start(0);
        clicca(screen, "cmdApplica");
        QCOMPARE(visto, 3);
        QVERIFY(screen.rapporto().startsWith(QStringLiteral("2 foto sono state scritte nelle loro schede.")));
        QVERIFY(screen.rapporto().contains(QStringLiteral("Operazione annullata: 1 foto spuntate")));
        QCOMPARE(screen.grdFoto()->item(3, TfrmFotoCartella::ColEsito)->text(),
                 QStringLiteral("Foto scritta"));
        QCOMPARE(screen.grdFoto()->item(4, TfrmFotoCartella::ColApplica)->checkState(), Qt::Checked);
    });
    QVERIFY(simile(coloreSotto(PhotoFiles::load(fotoScheda(4))), Qt::magenta));
    QVERIFY(leggiFile(fotoScheda(4)) != verdiPrima);
    QVERIFY(simile(coloreSotto(PhotoFiles::load(fotoScheda(5))), Qt::cyan));
    QVERIFY(!QFile::exists(fotoScheda(1)));
    QCOMPARE(QDir(FotoScheda::cartella(m_env->folder())).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestFotoCartella::buttonCoversNoOtherControl()
{
    for (const char* name : {"cmdFotoCartella", "cmdScadenze"}) {
        const QRect button = ctl(name)->geometry();
        for (const char* other : {"lblNote", "txtNote", "btnCaricaFoto", "bkgPulsantiFoto", "imgFoto"})
            QVERIFY2(!button.intersects(ctl(other)->geometry()), other);
    }
    QVERIFY(!ctl("cmdFotoCartella")->geometry().intersects(ctl("cmdScadenze")->geometry()));
}

void TestFotoCartella::editorShowsTheNewPhotoOfItsCard_data()
{
    QTest::addColumn<bool>("edited");
    QTest::newRow("no edits") << false;
    QTest::newRow("a field edited") << true;
}

// The editor holds the card's photo on its screen and writes it at the next save: the new
// file must be what it shows, or a save would put the old photo back.
void TestFotoCartella::editorShowsTheNewPhotoOfItsCard()
{
    QFETCH(bool, edited);
    clic("cmdPrimo");
    QCOMPARE(posizione(), QStringLiteral("1"));
    QVERIFY(fotoSegnaposto());
    if (edited)
        txt(C::Note)->setText(QStringLiteral("Nota nuova"));
    conSchermo([&](TfrmFotoCartella& screen) {
        scegliCartella(screen);
        clicca(screen, "cmdApplica");
    });
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(900, 1200));
    QVERIFY(simile(coloreSotto(m_screen->imgFoto()->picture()), Qt::green));
    QCOMPARE(txt(C::Note)->text(), edited ? QStringLiteral("Nota nuova") : QString());
    m_env->messages.clear();
    if (edited) {
        clic("cmdSalva");
        QVERIFY(simile(coloreSotto(PhotoFiles::load(fotoScheda(1))), Qt::green));
        QCOMPARE(leggiArchivio().at(0).testo(C::Note).trimmed(), QStringLiteral("Nota nuova"));
    }
    // Nothing left unsaved: browsing on asks nothing.
    m_env->messages.clear();
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    QVERIFY(m_env->messages.shown.isEmpty());
}

// On the program's own event loop, with the screen shown modally as the program shows it.
void TestFotoCartella::realEventLoopFromTheEditor()
{
    clic("cmdPrimo");
    ExecModalRunner exec;
    m_env->context.modal = &exec;
    m_env->fileDialogs.nextNames = {m_folder->path()};
    bool applied = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        TfrmFotoCartella* screen = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->objectName() == u"frmFotoCartella")
                screen = qobject_cast<TfrmFotoCartella*>(w);
        }
        if (!screen)
            return;
        poll.stop();
        connect(screen, &TfrmFotoCartella::esameConcluso, screen, [&applied, screen] {
            QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("cmdApplica")), Qt::LeftButton);
            applied = true;
            QTest::mouseClick(screen->findChild<ImageButton*>(QStringLiteral("cmdEsci")), Qt::LeftButton);
        });
        QTest::mouseClick(screen->findChild<ImageButton*>(QStringLiteral("cmdCartella")), Qt::LeftButton);
    });
    poll.start(20);
    QTimer::singleShot(0, m_screen, [this] {
        clic("cmdFotoCartella");
        QCoreApplication::exit(0);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(30000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(applied);
    QVERIFY(m_screen->findChildren<TfrmFotoCartella*>().isEmpty());
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("1 foto \u00E8 stata scritta")));
    QVERIFY(simile(coloreSotto(PhotoFiles::load(fotoScheda(1))), Qt::green));
    QVERIFY(simile(coloreSotto(m_screen->imgFoto()->picture()), Qt::green));
}

CANDIDATI_TEST_MAIN(TestFotoCartella)
#include "tst_foto_cartella.moc"
