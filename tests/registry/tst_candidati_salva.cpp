#include "registry/CandidatiFixture.h"
#include "support/LeavingCases.h"

#include "registry/Candidati.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "widgets/PhotoBox.h"
#include "widgets/UnsavedChanges.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

Q_DECLARE_METATYPE(MessageKind)

// New, save and duplicate.
class TestCandidatiSalva : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void updateChangesOnlyItsRecord();
    void newCardIsAppendedThenUpdated();
    void firstSaveCreatesArchiveAndPlaceholderPhoto();
    void requiredFields_data();
    void requiredFields();
    void flagBytes_data();
    void flagBytes();
    void fieldsAreTrimmedAndCut();
    void longDateIsOfferedInAFormThatFits_data();
    void longDateIsOfferedInAFormThatFits();
    void photoIsWrittenAtFullSize();
    void photoWriteFailureKeepsRecordAndMessage();
    void photoFolderThatIsAFileIsNamed();
    void fieldsShowTheStoredForm();
    void duplicateCard4Of9();
    void duplicateOfNewCardWarns();
    void newCardEmptiesEverything();
    void unsavedEditsAreAskedAbout_data();
    void unsavedEditsAreAskedAbout();
    void newPhotoCountsAsAnEdit();
};

void TestCandidatiSalva::updateChangesOnlyItsRecord()
{
    scriviArchivio(3);
    const QByteArray before = archivioGrezzo();
    clic("cmdPrimo");
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    txt(TSchedaAnagrafica::Citta)->setText(QStringLiteral("Bergamo"));

    clic("cmdSalva");

    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QCOMPARE(m_env->messages.lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(posizione(), QStringLiteral("2"));
    const QByteArray after = archivioGrezzo();
    QCOMPARE(after.size(), before.size());
    const int start = TSchedaAnagrafica::kSize;
    QCOMPARE(after.left(start), before.left(start));
    QCOMPARE(after.mid(2 * start), before.mid(2 * start));
    QVERIFY(after.mid(start, start) != before.mid(start, start));
    QCOMPARE(leggiArchivio().at(1).testo(TSchedaAnagrafica::Citta), QStringLiteral("Bergamo"));
    QCOMPARE(leggiArchivio().at(1).testo(TSchedaAnagrafica::Candidato), QStringLiteral("Persona 2"));
    QVERIFY(QFileInfo(fotoScheda(2)).isFile());
    // The focus went to the invisible button before the save and stays there.
    QCOMPARE(QApplication::focusWidget(), ctl("btnFocus"));
}

void TestCandidatiSalva::newCardIsAppendedThenUpdated()
{
    scriviArchivio(9);
    compilaObbligatori(QStringLiteral("Nuova Persona"));
    clic("cmdSalva");
    QCOMPARE(m_env->messages.lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(posizione(), QStringLiteral("10"));
    QCOMPARE(QFileInfo(archivio()).size(), 10 * TSchedaAnagrafica::kSize);
    QCOMPARE(leggiArchivio().at(9).testo(TSchedaAnagrafica::Candidato), QStringLiteral("Nuova Persona"));

    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("Seconda volta"));
    clic("cmdSalva");
    QCOMPARE(m_env->messages.lastText(),
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(posizione(), QStringLiteral("10"));
    QCOMPARE(QFileInfo(archivio()).size(), 10 * TSchedaAnagrafica::kSize);
    QCOMPARE(leggiArchivio().at(9).testo(TSchedaAnagrafica::Note), QStringLiteral("Seconda volta"));
}

void TestCandidatiSalva::firstSaveCreatesArchiveAndPlaceholderPhoto()
{
    QVERIFY(!QFileInfo::exists(archivio()));
    compilaObbligatori(QStringLiteral("Prima Persona"));
    clic("cmdSalva");
    QCOMPARE(posizione(), QStringLiteral("1"));
    QCOMPARE(QFileInfo(archivio()).size(), TSchedaAnagrafica::kSize);
    // A card saved without a photo gets the placeholder as its photo file.
    const QImage photo = PhotoFiles::load(fotoScheda(1));
    QCOMPARE(photo.size(), QSize(Placeholder::kWidth, Placeholder::kHeight));
}

void TestCandidatiSalva::requiredFields_data()
{
    QTest::addColumn<QStringList>("values"); // Candidato, Sesso, Email, Cel, Esperienze
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");
    const QString base =
        QStringLiteral("Attenzione: per salvare la scheda anagrafica è necessario indicare ");
    QTest::newRow("name") << QStringList{"", "M", "a@b.it", "333", "Ruolo"} << "txtCandidato"
                          << base + QStringLiteral("cognome e nome.");
    QTest::newRow("name of spaces") << QStringList{"   ", "", "", "", ""} << "txtCandidato"
                                    << base + QStringLiteral("cognome e nome.");
    QTest::newRow("sex") << QStringList{"Rossi", "", "", "", ""} << "txtSesso"
                         << base + QStringLiteral("il sesso (M o F).");
    QTest::newRow("e-mail before the rest") << QStringList{"Rossi", "M", "", "", ""} << "txtEmail"
                                            << base + QStringLiteral("l'indirizzo e-mail.");
    QTest::newRow("mobile") << QStringList{"Rossi", "M", "a@b.it", " ", "Ruolo"} << "txtCel"
                            << base + QStringLiteral("il numero di cellulare.");
    QTest::newRow("role") << QStringList{"Rossi", "M", "a@b.it", "333", ""} << "txtEsperienze"
                          << base + QStringLiteral("il ruolo svolto nel gruppo di appartenenza.");
}

void TestCandidatiSalva::requiredFields()
{
    QFETCH(QStringList, values);
    QFETCH(QString, focus);
    QFETCH(QString, message);

    const TSchedaAnagrafica::Campo campi[] = {TSchedaAnagrafica::Candidato, TSchedaAnagrafica::Sesso,
                                              TSchedaAnagrafica::Email, TSchedaAnagrafica::Cel,
                                              TSchedaAnagrafica::Esperienze};
    for (int i = 0; i < 5; ++i)
        txt(campi[i])->setText(values.at(i));
    txt(TSchedaAnagrafica::Note)->setFocus();

    clic("cmdSalva");

    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.lastText(), message);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
    // The archive is not even opened.
    QVERIFY(!QFileInfo::exists(archivio()));
    QVERIFY(posizione().isEmpty());
}

void TestCandidatiSalva::flagBytes_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ticked") << true << QByteArray("\x02\x53\xEC", 3);
    QTest::newRow("cleared") << false << QByteArray("\x02\x4E\x6F", 3);
}

void TestCandidatiSalva::flagBytes()
{
    QFETCH(bool, ticked);
    QFETCH(QByteArray, bytes);
    compilaObbligatori(QStringLiteral("Rossi"));
    m_screen->chkRicontatta()->setChecked(ticked);
    clic("cmdSalva");
    QCOMPARE(archivioGrezzo().mid(2103, 3), bytes);
}

void TestCandidatiSalva::fieldsAreTrimmedAndCut()
{
    compilaObbligatori(QStringLiteral("  Rossi Anna \t"));
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral(" nota "));
    ctl<QLabel>("lblDesc01")->setText(QStringLiteral("  ") + QString(260, QLatin1Char('d')));
    ctl<QLabel>("lblFile01")->setText(QStringLiteral(" foto.png "));
    clic("cmdSalva");

    const TSchedaAnagrafica stored = leggiArchivio().value(0);
    QCOMPARE(stored.testo(TSchedaAnagrafica::Candidato), QStringLiteral("Rossi Anna"));
    QCOMPARE(stored.testo(TSchedaAnagrafica::Note), QStringLiteral("nota"));
    QCOMPARE(stored.testo(TSchedaAnagrafica::Desc01), QString(250, QLatin1Char('d')));
    QCOMPARE(stored.testo(TSchedaAnagrafica::File01), QStringLiteral("foto.png"));
}

void TestCandidatiSalva::longDateIsOfferedInAFormThatFits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<MessageKind>("asked");
    QTest::addColumn<QString>("stored"); // empty: nothing saved
    QTest::newRow("written out, yes") << "3 maggio 2027" << true << MessageKind::Question << "03/05/2027";
    QTest::newRow("written out, no") << "3 maggio 2027" << false << MessageKind::Question << "";
    QTest::newRow("no date") << "fine maggio 2027" << true << MessageKind::Warning << "";
}

// "3 maggio 2027" was cut to "3 maggio 2" and the card fell under "Date da verificare".
void TestCandidatiSalva::longDateIsOfferedInAFormThatFits()
{
    QFETCH(QString, typed);
    QFETCH(bool, yes);
    QFETCH(MessageKind, asked);
    QFETCH(QString, stored);
    compilaObbligatori(QStringLiteral("Rossi"));
    txt(TSchedaAnagrafica::FineTes)->setFocus();
    QTest::keyClicks(txt(TSchedaAnagrafica::FineTes), typed);
    QCOMPARE(txt(TSchedaAnagrafica::FineTes)->text(), typed);
    m_env->messages.nextAnswers = {yes};

    clic("cmdSalva");

    QVERIFY(!m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->messages.shown.first().kind, asked);
    QVERIFY2(m_env->messages.shown.first().text.contains(QStringLiteral("Data scadenza")),
             qPrintable(m_env->messages.shown.first().text));
    if (stored.isEmpty()) {
        // Nothing cut is written: the text waits in its field to be mended.
        QCOMPARE(m_env->messages.shown.size(), 1);
        QVERIFY(!QFileInfo::exists(archivio()));
        QCOMPARE(txt(TSchedaAnagrafica::FineTes)->text(), typed);
        QTRY_COMPARE(QApplication::focusWidget(), txt(TSchedaAnagrafica::FineTes));
        return;
    }
    QCOMPARE(leggiArchivio().value(0).testo(TSchedaAnagrafica::FineTes), stored);
    QCOMPARE(txt(TSchedaAnagrafica::FineTes)->text(), stored);
    QCOMPARE(m_env->messages.shown.last().text,
             QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio."));
}

void TestCandidatiSalva::photoIsWrittenAtFullSize()
{
    compilaObbligatori(QStringLiteral("Rossi"));
    m_screen->imgFoto()->setPicture(immagine(3070, 3940, Qt::darkCyan));
    clic("cmdSalva");
    QCOMPARE(PhotoFiles::load(fotoScheda(1)).size(), QSize(3070, 3940));
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(3070, 3940));
}

void TestCandidatiSalva::photoWriteFailureKeepsRecordAndMessage()
{
    scriviArchivio(2);
    // A folder where the photo file should be: the photo cannot be written.
    QVERIFY(QDir().mkpath(fotoScheda(3)));
    compilaObbligatori(QStringLiteral("Rossi"));
    m_screen->imgFoto()->setPicture(immagine(50, 60, Qt::magenta));
    clic("cmdSalva");
    QCOMPARE(posizione(), QStringLiteral("3"));
    QCOMPARE(QFileInfo(archivio()).size(), 3 * TSchedaAnagrafica::kSize);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Information);
    QCOMPARE(m_env->messages.shown[0].text,
             QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(m_env->messages.shown[1].kind, MessageKind::Warning);
    QVERIFY(m_env->messages.shown[1].text.startsWith(
        QStringLiteral("Attenzione: non è stato possibile salvare la foto della scheda.")));
    // The photo is not lost: it stays on the screen, and the next save writes it.
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(50, 60));
    QVERIFY(QDir().rmdir(fotoScheda(3)));
    clic("cmdSalva");
    QCOMPARE(PhotoFiles::load(fotoScheda(3)).size(), QSize(50, 60));
}

// After a save the card shows what the archive holds, folded letters included.
void TestCandidatiSalva::fieldsShowTheStoredForm()
{
    compilaObbligatori(QString::fromUtf8("Dvořák Ștefan"));
    txt(TSchedaAnagrafica::Citta)->setText(QString::fromUtf8("Łódź"));
    txt(TSchedaAnagrafica::Note)->setText(QString::fromUtf8("北京 è ok"));
    clic("cmdSalva");
    const TSchedaAnagrafica stored = leggiArchivio().value(0);
    QCOMPARE(stored.testo(TSchedaAnagrafica::Candidato), QString::fromUtf8("Dvorák Stefan"));
    QCOMPARE(stored.testo(TSchedaAnagrafica::Citta), QString::fromUtf8("Lódz"));
    QCOMPARE(stored.testo(TSchedaAnagrafica::Note), QString::fromUtf8("?? è ok"));
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), QString::fromUtf8("Dvorák Stefan"));
    QCOMPARE(txt(TSchedaAnagrafica::Citta)->text(), QString::fromUtf8("Lódz"));
    QCOMPARE(txt(TSchedaAnagrafica::Note)->text(), QString::fromUtf8("?? è ok"));
}

// "Anagrafica" taken by a file: the message says so instead of asking to press Salva again.
void TestCandidatiSalva::photoFolderThatIsAFileIsNamed()
{
    scriviArchivio(1);
    scriviFile(m_env->path(QStringLiteral("Anagrafica")), QByteArray("un file, non una cartella"));
    compilaObbligatori(QStringLiteral("Rossi"));
    clic("cmdSalva");
    QCOMPARE(QFileInfo(archivio()).size(), 2 * TSchedaAnagrafica::kSize);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown[1].kind, MessageKind::Warning);
    const QString text = m_env->messages.shown[1].text;
    QVERIFY(
        text.startsWith(QStringLiteral("Attenzione: non è stato possibile salvare la foto della scheda")));
    QVERIFY2(text.contains(QStringLiteral("\"Anagrafica\" è un file e non la cartella delle foto")),
             qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("riprovare")));
}

void TestCandidatiSalva::duplicateCard4Of9()
{
    QList<TSchedaAnagrafica> schede;
    for (int i = 1; i <= 9; ++i)
        schede << scheda(i);
    schede[3].setRicontatta(true);
    schede[3].setTesto(TSchedaAnagrafica::File01, QStringLiteral("cv.pdf"));
    schede[3].setTesto(TSchedaAnagrafica::Desc01, QStringLiteral("Curriculum"));
    schede[3].setTesto(TSchedaAnagrafica::File03, QStringLiteral("patente.jpg"));
    schede[3].setTesto(TSchedaAnagrafica::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
    scriviArchivio(schede);
    scriviFoto(fotoScheda(4), immagine(20, 30, Qt::red));
    const QByteArray card4 = archivioGrezzo().mid(3 * TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize);
    const QByteArray photo4 = leggiFile(fotoScheda(4));

    clic("cmdPrimo");
    for (int i = 0; i < 3; ++i)
        clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("4"));
    QVERIFY(m_screen->chkRicontatta()->isChecked());
    QCOMPARE(m_screen->imgFoto()->picture().size(), QSize(20, 30));
    txt(TSchedaAnagrafica::Note)->setFocus();

    clic("cmdDuplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QCOMPARE(m_env->messages.lastText(),
             QStringLiteral("È ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                            "Al termine premere Salva per inserire la scheda in archivio."));
    QVERIFY(posizione().isEmpty());
    for (const char* name : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
        QVERIFY2(ctl<QLabel>(name)->text().isEmpty(), name);
    QVERIFY(!m_screen->chkRicontatta()->isChecked());
    QVERIFY(fotoSegnaposto());
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), QStringLiteral("Persona 4"));
    QTRY_COMPARE(QApplication::focusWidget(), txt(TSchedaAnagrafica::Candidato));

    clic("cmdSalva");
    QCOMPARE(posizione(), QStringLiteral("10"));
    const QList<TSchedaAnagrafica> stored = leggiArchivio();
    QCOMPARE(stored.size(), 10);
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i) {
        const auto campo = TSchedaAnagrafica::Campo(i);
        QCOMPARE(stored.at(9).testo(campo), stored.at(3).testo(campo));
    }
    QCOMPARE(stored.at(9).testo(TSchedaAnagrafica::Ricontatta), QStringLiteral("No"));
    for (int i = TSchedaAnagrafica::File01; i <= TSchedaAnagrafica::Desc03; ++i)
        QVERIFY(stored.at(9).testo(TSchedaAnagrafica::Campo(i)).isEmpty());
    QCOMPARE(PhotoFiles::load(fotoScheda(10)).size(), QSize(Placeholder::kWidth, Placeholder::kHeight));
    // The card it came from is untouched, with its photo.
    QCOMPARE(archivioGrezzo().mid(3 * TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize), card4);
    QCOMPARE(leggiFile(fotoScheda(4)), photo4);
}

void TestCandidatiSalva::duplicateOfNewCardWarns()
{
    compilaObbligatori(QStringLiteral("Rossi"));
    ctl<QLabel>("lblFile01")->setText(QStringLiteral("a.pdf"));
    m_screen->chkRicontatta()->setChecked(true);
    clic("cmdDuplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(
        m_env->messages.lastText(),
        QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                       "stata inserita in archivio."));
    QCOMPARE(ctl<QLabel>("lblFile01")->text(), QStringLiteral("a.pdf"));
    QVERIFY(m_screen->chkRicontatta()->isChecked());
}

void TestCandidatiSalva::newCardEmptiesEverything()
{
    scriviArchivio(2);
    scriviFoto(fotoScheda(2), immagine(8, 8, Qt::red));
    clic("cmdUltimo");
    m_screen->chkRicontatta()->setChecked(true);
    ctl<QLabel>("lblDesc03")->setText(QStringLiteral("x"));
    txt(TSchedaAnagrafica::Note)->setFocus();

    clic("cmdNuovo");
    QVERIFY(posizione().isEmpty());
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        QVERIFY(txt(TSchedaAnagrafica::Campo(i))->text().isEmpty());
    QVERIFY(ctl<QLabel>("lblDesc03")->text().isEmpty());
    QVERIFY(!m_screen->chkRicontatta()->isChecked());
    QVERIFY(fotoSegnaposto());
    QTRY_COMPARE(QApplication::focusWidget(), txt(TSchedaAnagrafica::Candidato));
    // The edits were asked about; the recorder answers No.
    QCOMPARE(m_env->messages.texts(), QStringList{UnsavedChanges::question()});
}

void TestCandidatiSalva::unsavedEditsAreAskedAbout_data()
{
    LeavingCases::addRows();
}

void TestCandidatiSalva::unsavedEditsAreAskedAbout()
{
    using Answer = MessageBoxes::Answer;
    QFETCH(QString, comando);
    QFETCH(Answer, risposta);
    scriviArchivio(3);
    clic("cmdPrimo");
    clic("cmdAvanti"); // card 2
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("Cambiata"));
    m_env->messages.clear();
    m_env->messages.nextChoices = {risposta};
    clic(comando.toLatin1().constData());

    QVERIFY(!m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QCOMPARE(m_env->messages.shown.first().text, UnsavedChanges::question());
    const bool salvata = leggiArchivio().at(1).testo(TSchedaAnagrafica::Note).trimmed() == u"Cambiata";
    QCOMPARE(salvata, risposta == Answer::Yes);
    if (risposta == Answer::Cancel) {
        QCOMPARE(posizione(), QStringLiteral("2"));
        QCOMPARE(txt(TSchedaAnagrafica::Note)->text(), QStringLiteral("Cambiata"));
        QVERIFY(m_screen->isVisible());
    } else if (comando == u"cmdEsci") {
        QVERIFY(!m_screen->isVisible());
    } else {
        QVERIFY(txt(TSchedaAnagrafica::Note)->text() != QStringLiteral("Cambiata"));
    }
}

void TestCandidatiSalva::newPhotoCountsAsAnEdit()
{
    scriviArchivio(2);
    clic("cmdPrimo");
    clic("cmdAvanti");
    QVERIFY(m_env->messages.shown.isEmpty());
    m_screen->nuovaFoto(immagine(40, 50, Qt::red));
    m_env->messages.nextChoices = {MessageBoxes::Answer::Cancel};
    clic("cmdPrimo");
    QCOMPARE(m_env->messages.lastText(), UnsavedChanges::question());
    QCOMPARE(posizione(), QStringLiteral("2"));
}

CANDIDATI_TEST_MAIN(TestCandidatiSalva)
#include "tst_candidati_salva.moc"
