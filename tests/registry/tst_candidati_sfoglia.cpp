#include "registry/CandidatiFixture.h"
#include "widgets/UnsavedChanges.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "registry/Candidati.h"
#include "storage/ArchiveError.h"
#include "widgets/PhotoBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

// Browsing the registry, showing cards and the archive's failures.
class TestCandidatiSfoglia : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void browsing_data();
    void browsing();
    void firstCommandCreatesMissingArchive();
    void photoFollowsTheCard();
    void unknownFlagLeavesCheckBox_data();
    void unknownFlagLeavesCheckBox();
    void cardShowsTrimmedFieldsAndAttachments();
    void lockedArchiveChangesNothing_data();
    void lockedArchiveChangesNothing();
    void showingStartsFromANewCard();
    void closingReturnsToLauncher();
    void cardLoadedFromSearchGetsItsPhoto();
};

void TestCandidatiSfoglia::browsing_data()
{
    QTest::addColumn<int>("cards");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("emptyMessage");

    const QString empty = QStringLiteral("L'archivio non contiene nessuna scheda.");
    // "Sullo schermo" is what the screen shows before the command.
    for (const char* command : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"})
        QTest::addRow("empty archive, %s", command) << 0 << "" << command << ""
                                                    << "Sullo schermo" << true;
    QTest::newRow("empty archive, previous at 1 says nothing") << 0 << "1"
                                                               << "cmdIndietro"
                                                               << "1"
                                                               << "Sullo schermo" << false;
    QTest::newRow("empty archive, next empties the position") << 0 << "2"
                                                              << "cmdAvanti"
                                                              << ""
                                                              << "Sullo schermo" << true;
    QTest::newRow("first") << 3 << "3"
                           << "cmdPrimo"
                           << "1"
                           << "Persona 1" << false;
    QTest::newRow("last") << 3 << ""
                          << "cmdUltimo"
                          << "3"
                          << "Persona 3" << false;
    QTest::newRow("next from new card") << 3 << ""
                                        << "cmdAvanti"
                                        << "1"
                                        << "Persona 1" << false;
    QTest::newRow("previous from new card") << 3 << ""
                                            << "cmdIndietro"
                                            << "1"
                                            << "Persona 1" << false;
    QTest::newRow("next") << 3 << "2"
                          << "cmdAvanti"
                          << "3"
                          << "Persona 3" << false;
    QTest::newRow("previous") << 3 << "3"
                              << "cmdIndietro"
                              << "2"
                              << "Persona 2" << false;
    QTest::newRow("next at the last") << 3 << "3"
                                      << "cmdAvanti"
                                      << "3"
                                      << "Sullo schermo" << false;
    QTest::newRow("previous at the first") << 3 << "1"
                                           << "cmdIndietro"
                                           << "1"
                                           << "Sullo schermo" << false;
}

void TestCandidatiSfoglia::browsing()
{
    QFETCH(int, cards);
    QFETCH(QString, start);
    QFETCH(QString, command);
    QFETCH(QString, position);
    QFETCH(QString, name);
    QFETCH(bool, emptyMessage);

    scriviArchivio(cards);
    m_screen->lblPosizione()->setText(start);
    txt(TSchedaAnagrafica::Candidato)->setText(QStringLiteral("Sullo schermo"));

    clic(command.toLatin1().constData());
    // The name typed on the screen is asked about first; the recorder answers No.
    QCOMPARE(m_env->messages.shown.first().text, UnsavedChanges::question());
    m_env->messages.shown.removeFirst();

    QCOMPARE(posizione(), position);
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), name);
    if (emptyMessage) {
        QCOMPARE(m_env->messages.shown.size(), 1);
        QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
        QCOMPARE(m_env->messages.lastText(), QStringLiteral("L'archivio non contiene nessuna scheda."));
    } else {
        QVERIFY(m_env->messages.shown.isEmpty());
    }
    QCOMPARE(QFileInfo(archivio()).size(), qint64(cards) * TSchedaAnagrafica::kSize);
}

void TestCandidatiSfoglia::firstCommandCreatesMissingArchive()
{
    QVERIFY(!QFileInfo::exists(archivio()));
    clic("cmdPrimo");
    QVERIFY(QFileInfo(archivio()).isFile());
    QCOMPARE(QFileInfo(archivio()).size(), 0);
    QCOMPARE(m_env->messages.lastText(), QStringLiteral("L'archivio non contiene nessuna scheda."));
}

void TestCandidatiSfoglia::photoFollowsTheCard()
{
    scriviArchivio(3);
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Anagrafica"))));

    clic("cmdPrimo");
    QVERIFY(fotoSegnaposto());
    // Showing a card creates the photo folder, even though nothing is written.
    QVERIFY(QFileInfo(m_env->path(QStringLiteral("Anagrafica"))).isDir());

    scriviFoto(fotoScheda(2), immagine(40, 50, Qt::red));
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    const QImage& shown = m_screen->imgFoto()->picture();
    QCOMPARE(shown.size(), QSize(40, 50));
    const QColor centre = shown.pixelColor(20, 25);
    QVERIFY2(centre.red() > 230 && centre.green() < 30 && centre.blue() < 30, qPrintable(centre.name()));

    clic("cmdAvanti"); // card 3 has no photo: the one of card 2 does not stick
    QCOMPARE(posizione(), QStringLiteral("3"));
    QVERIFY(fotoSegnaposto());
}

void TestCandidatiSfoglia::unknownFlagLeavesCheckBox_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("checkedAfterFirst");
    QTest::addColumn<bool>("checkedAfterSecond");
    const QString si = TSchedaAnagrafica::flagSi();
    QTest::newRow("Sì then X") << si << "X" << true << true;
    QTest::newRow("No then X") << "No"
                               << "X" << false << false;
    QTest::newRow("Sì then empty") << si << "" << true << true;
    QTest::newRow("Sì then No") << si << "No" << true << false;
    QTest::newRow("No then Sì") << "No" << si << false << true;
    QTest::newRow("Sì then padded Sì") << si << QStringLiteral(" ") + si << true << true;
}

void TestCandidatiSfoglia::unknownFlagLeavesCheckBox()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, checkedAfterFirst);
    QFETCH(bool, checkedAfterSecond);

    TSchedaAnagrafica one = scheda(1);
    one.setTesto(TSchedaAnagrafica::Ricontatta, first);
    TSchedaAnagrafica two = scheda(2);
    // Written byte for byte, as another program might have left it.
    const QByteArray raw = second.toLatin1();
    two.buffer()[2103] = char(raw.size());
    for (int i = 0; i < 2; ++i)
        two.buffer()[2104 + i] = i < raw.size() ? raw.at(i) : '\0';
    scriviArchivio({one, two});

    m_screen->chkRicontatta()->setChecked(!checkedAfterFirst);
    clic("cmdPrimo");
    QCOMPARE(m_screen->chkRicontatta()->isChecked(), checkedAfterFirst);
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    QCOMPARE(m_screen->chkRicontatta()->isChecked(), checkedAfterSecond);
}

void TestCandidatiSfoglia::cardShowsTrimmedFieldsAndAttachments()
{
    TSchedaAnagrafica card = scheda(1);
    card.setTesto(TSchedaAnagrafica::File02, QStringLiteral("contratto.pdf"));
    card.setTesto(TSchedaAnagrafica::Desc02, QStringLiteral("Contratto firmato"));
    // A field stored with blanks around it, as another program might have left it.
    card.buffer()[TSchedaAnagrafica::layoutOf(TSchedaAnagrafica::Cap).offset] = 7;
    card.buffer().replace(TSchedaAnagrafica::layoutOf(TSchedaAnagrafica::Cap).offset + 1, 7, "  20100");
    scriviArchivio({card, TSchedaAnagrafica()});

    clic("cmdPrimo");
    QCOMPARE(txt(TSchedaAnagrafica::Cap)->text(), QStringLiteral("20100"));
    QCOMPARE(txt(TSchedaAnagrafica::Note)->text(), QStringLiteral("Nota 1"));
    QCOMPARE(ctl<QLabel>("lblFile02")->text(), QStringLiteral("contratto.pdf"));
    QCOMPARE(ctl<QLabel>("lblDesc02")->text(), QStringLiteral("Contratto firmato"));
    QVERIFY(ctl<QLabel>("lblFile01")->text().isEmpty());

    // A record of zero bytes shows as an empty card.
    clic("cmdAvanti");
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        QVERIFY(txt(TSchedaAnagrafica::Campo(i))->text().isEmpty());
    QVERIFY(ctl<QLabel>("lblFile02")->text().isEmpty());
}

void TestCandidatiSfoglia::lockedArchiveChangesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("start");
    QTest::newRow("first") << "cmdPrimo"
                           << "2";
    QTest::newRow("previous") << "cmdIndietro"
                              << "2";
    QTest::newRow("previous at 1") << "cmdIndietro"
                                   << "1";
    QTest::newRow("next") << "cmdAvanti"
                          << "";
    QTest::newRow("last") << "cmdUltimo"
                          << "";
    QTest::newRow("save update") << "cmdSalva"
                                 << "2";
    QTest::newRow("save new") << "cmdSalva"
                              << "";
}

void TestCandidatiSfoglia::lockedArchiveChangesNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, start);

    // Tests run as root, so a folder in the archive's place stands for a file that cannot be opened.
    QVERIFY(QDir().mkpath(archivio()));
    compilaObbligatori(QStringLiteral("Sullo schermo"));
    m_screen->lblPosizione()->setText(start);
    const QImage blue = immagine(30, 30, Qt::blue);
    m_screen->imgFoto()->setPicture(blue);

    clic(command.toLatin1().constData());
    // Browsing away from the typed card asks first; the recorder answers No.
    m_env->messages.shown.removeIf(
        [](const ShownMessage& message) { return message.text == UnsavedChanges::question(); });

    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Error);
    QCOMPARE(m_env->messages.lastText(), accessMessage());
    QCOMPARE(posizione(), start);
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), QStringLiteral("Sullo schermo"));
    QVERIFY(fotoUguale(blue));
    QVERIFY(QFileInfo(archivio()).isDir());
    QVERIFY(!QFileInfo::exists(fotoScheda(1)));
    QVERIFY(!QFileInfo::exists(fotoScheda(2)));
}

void TestCandidatiSfoglia::showingStartsFromANewCard()
{
    scriviArchivio(2);
    clic("cmdUltimo");
    m_screen->chkRicontatta()->setChecked(true);
    ctl<QLabel>("lblFile01")->setText(QStringLiteral("a.txt"));
    m_screen->imgFoto()->setPicture(immagine(10, 10, Qt::green));
    txt(TSchedaAnagrafica::Note)->setFocus();
    m_screen->hide();

    m_screen->present();
    QVERIFY(posizione().isEmpty());
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        QVERIFY(txt(TSchedaAnagrafica::Campo(i))->text().isEmpty());
    QVERIFY(!m_screen->chkRicontatta()->isChecked());
    QVERIFY(ctl<QLabel>("lblFile01")->text().isEmpty());
    QVERIFY(fotoSegnaposto());
    // The field that gets the keyboard as soon as the window is active.
    QCOMPARE(m_screen->focusWidget(), txt(TSchedaAnagrafica::Candidato));
}

void TestCandidatiSfoglia::closingReturnsToLauncher()
{
    clic("cmdEsci");
    QTRY_VERIFY(m_env->flow().avvio()->isVisible());
    QVERIFY(!m_screen->isVisible());
}

void TestCandidatiSfoglia::cardLoadedFromSearchGetsItsPhoto()
{
    scriviArchivio(5);
    scriviFoto(fotoScheda(4), immagine(12, 16, Qt::yellow));
    m_screen->caricaScheda(scheda(4), 4);
    QCOMPARE(posizione(), QStringLiteral("4"));
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), QStringLiteral("Persona 4"));
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(12, 16));
}

CANDIDATI_TEST_MAIN(TestCandidatiSfoglia)
#include "tst_candidati_sfoglia.moc"
