// The group page editor: layout, fields, browsing, new and save.

#include "groups/ListinoFixture.h"
#include "support/TestFiles.h"

#include "app/HelpTopics.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/HintLine.h"
#include "widgets/PhotoBox.h"
#include "widgets/UnsavedChanges.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Campo = TSchedaGruppo::Campo;

const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kObbligatori =
    QStringLiteral("Attenzione: per salvare la scheda è necessario compilare i campi "
                   "riguardanti la persona che appare in cima alla pagina (riquadro A).\r\n\r\n");

} // namespace

class TestListino : public ListinoFixture {
    Q_OBJECT

private slots:
    void cleanup() { chiudi(); }

    void layoutAsDesigned();
    void fieldLimits();
    void enterRing();
    void hints_data();
    void hints();
    void openingShowsAnEmptyPage();
    void browsing_data();
    void browsing();
    void emptyGroupStaysEmpty();
    void browsingShowsTextsTrimmed();
    void archiveFailureShowsTheAccessMessage();
    void firstSaveAppends();
    void saveAgainUpdatesInPlace();
    void appendAfterBrowsingGivesTheNextPosition();
    void requiredFields_data();
    void requiredFields();
    void longTextsAreCutInTheFileOnly();
    void newClearsThePage();
    void helpOpensItsTopic();
};

void TestListino::layoutAsDesigned()
{
    apri();
    QCOMPARE(ctl<QLabel>("lblNome")->text(), QStringLiteral("Gita Roma"));
    QCOMPARE(ctl<QLabel>("panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(ctl("panContainer")->size(), QSize(994, 692));
    QCOMPARE(ctl("shpBody")->geometry(), QRect(16, 80, 962, 554));
    QCOMPARE(ctl("bkgTitolo")->geometry(), QRect(24, 88, 946, 24));
    const QPoint origini[] = {{24, 120},  {24, 248},  {24, 376},  {24, 504},
                              {502, 120}, {502, 248}, {502, 376}, {502, 504}};
    for (int i = 0; i < 8; ++i) {
        const QChar x = TSchedaGruppo::lettera(i);
        QCOMPARE(ctl(QStringLiteral("bkgProdotto_0%1").arg(i + 1))->geometry(),
                 QRect(origini[i], QSize(468, 120)));
        QCOMPARE(ctl(QStringLiteral("imgFoto_%1").arg(x))->geometry(),
                 QRect(origini[i] + QPoint(10, 8), QSize(80, 104)));
        QCOMPARE(ctl(QStringLiteral("impProdotto_%1").arg(x))->geometry(),
                 QRect(origini[i] + QPoint(436, 8), QSize(22, 22)));
        QCOMPARE(txt(i, TSchedaGruppo::Nome)->geometry(), QRect(origini[i] + QPoint(104, 8), QSize(326, 22)));
        QCOMPARE(txt(i, TSchedaGruppo::Prezzo)->geometry(),
                 QRect(origini[i] + QPoint(330, 90), QSize(128, 22)));
        QVERIFY(txt(i, TSchedaGruppo::Prezzo)->alignment().testFlag(Qt::AlignRight));
        QCOMPARE(txt(i, TSchedaGruppo::UM)->objectName(), QStringLiteral("txtUM_%1").arg(x));
    }
    for (const char* hidden : {"lblFile", "lblRecord", "imgBianco"}) {
        QVERIFY2(ctl(QString::fromLatin1(hidden)), hidden);
        QVERIFY2(!ctl(QString::fromLatin1(hidden))->isVisible(), hidden);
    }
    QCOMPARE(ctl<PhotoBox>("imgBianco")->picture().size(), QSize(282, 366));
}

void TestListino::fieldLimits()
{
    apri();
    const int limiti[] = {40, 50, 250, 250, 30}; // file order
    for (int i = 0; i < 8; ++i)
        for (int c = 0; c < 5; ++c)
            QCOMPARE(txt(i, static_cast<Campo>(c))->maxLength(), limiti[c]);
    QTest::keyClicks(txt(0, TSchedaGruppo::Nome), QString(60, QLatin1Char('x')));
    QCOMPARE(txt(0, TSchedaGruppo::Nome)->text().size(), 50);
}

void TestListino::enterRing()
{
    apri();
    const Campo ordine[] = {TSchedaGruppo::Nome, TSchedaGruppo::UM, TSchedaGruppo::Caratteristiche,
                            TSchedaGruppo::Codice, TSchedaGruppo::Prezzo};
    txt(0, TSchedaGruppo::Nome)->setFocus();
    for (int passo = 1; passo <= 40; ++passo) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const int i = (passo / 5) % 8;
        QCOMPARE(QApplication::focusWidget(), txt(i, ordine[passo % 5]));
    }
    txt(3, TSchedaGruppo::Prezzo)->setFocus();
    QTest::keyClick(txt(3, TSchedaGruppo::Prezzo), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), txt(4, TSchedaGruppo::Nome));
}

void TestListino::hints_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("suggerimento");
    QTest::newRow("new") << "cmdNuovo"
                         << "Prepara la schermata per l'inserimento di una nuova scheda.";
    QTest::newRow("save") << "cmdSalva"
                          << "Salva la scheda corrente.";
    QTest::newRow("preview") << "cmdAnteprima"
                             << "Visualizza l'anteprima di stampa della scheda corrente.";
    QTest::newRow("print") << "cmdStampa"
                           << "Stampa la scheda corrente.";
    QTest::newRow("first") << "cmdPrimo"
                           << "Visualizza la prima scheda in archivio.";
    QTest::newRow("previous") << "cmdIndietro"
                              << "Visualizza la scheda precedente in archivio.";
    QTest::newRow("next") << "cmdAvanti"
                          << "Visualizza la scheda successiva in archivio.";
    QTest::newRow("last") << "cmdUltimo"
                          << "Visualizza l'ultima scheda in archivio.";
    QTest::newRow("help") << "cmdGuida"
                          << "Visualizza la pagina della guida sensibile al contesto.";
    QTest::newRow("exit") << "cmdEsci"
                          << "Esci da questa schermata di lavoro.";
    QTest::newRow("photo C") << "imgFoto_C"
                             << "Carica la foto della persona.";
    QTest::newRow("import G") << "impProdotto_G"
                              << "Importa i dati dall'archivio anagrafico.";
}

void TestListino::hints()
{
    QFETCH(QString, controllo);
    QFETCH(QString, suggerimento);
    apri();
    auto* panInfo = ctl<QLabel>("panInfo");
    QTest::mouseMove(ctl(controllo), QPoint(5, 5));
    QTRY_COMPARE(panInfo->text(), suggerimento);
    // An edit field leaves the line as it is; the body empties it.
    QTest::mouseMove(txt(1, TSchedaGruppo::Nome), QPoint(5, 5));
    QTRY_COMPARE(panInfo->text(), suggerimento);
    QTest::mouseMove(ctl("bkgProdotto_05"), QPoint(464, 60));
    QTRY_COMPARE(panInfo->text(), QString());
}

void TestListino::openingShowsAnEmptyPage()
{
    apri(3);
    QCOMPARE(posizione(), QString());
    for (int i = 0; i < 8; ++i) {
        for (int c = 0; c < 5; ++c)
            QCOMPARE(txt(i, static_cast<Campo>(c))->text(), QString());
        QCOMPARE(m_screen->imgFoto(i)->picture().size(), QSize(282, 366));
    }
    QVERIFY(txt(0, TSchedaGruppo::Nome)->hasFocus());
    QCOMPARE(QFileInfo(gruppo()).size(), 3 * 5000);
}

void TestListino::browsing_data()
{
    QTest::addColumn<int>("pagine");
    QTest::addColumn<QStringList>("comandi");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<bool>("messaggio");
    const QStringList tutti = {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"};
    for (const QString& c : tutti)
        QTest::newRow(qPrintable(QStringLiteral("empty, ") + c)) << 0 << QStringList{c} << QString() << true;
    QTest::newRow("one page, first") << 1 << QStringList{"cmdPrimo"} << "1" << false;
    QTest::newRow("one page, next twice") << 1 << QStringList{"cmdAvanti", "cmdAvanti"} << "1" << false;
    QTest::newRow("one page, previous") << 1 << QStringList{"cmdIndietro"} << "1" << false;
    QTest::newRow("one page, last") << 1 << QStringList{"cmdUltimo"} << "1" << false;
    QTest::newRow("three, first") << 3 << QStringList{"cmdPrimo"} << "1" << false;
    QTest::newRow("three, next from new") << 3 << QStringList{"cmdAvanti"} << "1" << false;
    QTest::newRow("three, previous from new") << 3 << QStringList{"cmdIndietro"} << "1" << false;
    QTest::newRow("three, last") << 3 << QStringList{"cmdUltimo"} << "3" << false;
    QTest::newRow("three, next from 3") << 3 << QStringList{"cmdUltimo", "cmdAvanti"} << "3" << false;
    QTest::newRow("three, previous from 1") << 3 << QStringList{"cmdPrimo", "cmdIndietro"} << "1" << false;
    QTest::newRow("three, previous from 3") << 3 << QStringList{"cmdUltimo", "cmdIndietro"} << "2" << false;
    QTest::newRow("three, next next") << 3 << QStringList{"cmdAvanti", "cmdAvanti"} << "2" << false;
}

void TestListino::browsing()
{
    QFETCH(int, pagine);
    QFETCH(QStringList, comandi);
    QFETCH(QString, posizione);
    QFETCH(bool, messaggio);
    apri(pagine);
    for (const QString& comando : comandi)
        clic(comando);
    QCOMPARE(this->posizione(), posizione);
    if (messaggio) {
        QCOMPARE(m_env->messages.shown.size(), 1);
        QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
        QCOMPARE(m_env->messages.lastText(), kVuoto);
    } else {
        QVERIFY(m_env->messages.shown.isEmpty());
        const int p = posizione.toInt();
        QCOMPARE(txt(0, TSchedaGruppo::Nome)->text(), QStringLiteral("Pagina %1").arg(p));
        QCOMPARE(txt(7, TSchedaGruppo::Nome)->text(), QStringLiteral("Ultimo %1").arg(p));
    }
}

void TestListino::emptyGroupStaysEmpty()
{
    apri();
    m_screen->lblPosizione()->setText(QStringLiteral("4"));
    clic(QStringLiteral("cmdAvanti"));
    QCOMPARE(posizione(), QString()); // Next empties the position
    for (const char* c : {"cmdPrimo", "cmdIndietro", "cmdUltimo"})
        clic(QString::fromLatin1(c));
    QCOMPARE(m_env->messages.shown.size(), 4);
    QCOMPARE(QFileInfo(gruppo()).size(), 0);
}

void TestListino::browsingShowsTextsTrimmed()
{
    apri();
    TSchedaGruppo p = pagina(1);
    // Bytes written by another hand, with blanks around the text.
    const QByteArray spaziato = "  Bianchi  ";
    const int at = TSchedaGruppo::offset(2, TSchedaGruppo::UM);
    p.buffer()[at] = char(spaziato.size());
    p.buffer().replace(at + 1, spaziato.size(), spaziato);
    TestFiles::writeAll(gruppo(), p.buffer());
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(txt(2, TSchedaGruppo::UM)->text(), QStringLiteral("Bianchi"));
    QCOMPARE(txt(5, TSchedaGruppo::Nome)->text(), QString());
}

void TestListino::archiveFailureShowsTheAccessMessage()
{
    apri(2);
    clic(QStringLiteral("cmdPrimo"));
    // The group file replaced by a folder: it can no longer be opened.
    QVERIFY(QFile::remove(gruppo()));
    QVERIFY(QDir().mkpath(gruppo()));
    clic(QStringLiteral("cmdAvanti"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Error);
    QVERIFY(m_env->messages.lastText().startsWith(
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
    QCOMPARE(posizione(), QStringLiteral("1"));
    m_env->messages.clear();
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Error);
    QVERIFY(
        !QDir(m_env->path(QStringLiteral("Foto_Gruppo"))).exists(QStringLiteral("Gita Roma_Foto_A_1.jpg")));
}

void TestListino::firstSaveAppends()
{
    apri();
    compilaA(QStringLiteral("Rossi Mario"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QCOMPARE(m_env->messages.lastText(), kInserita);
    QCOMPARE(posizione(), QStringLiteral("1"));
    QCOMPARE(QFileInfo(gruppo()).size(), 5000);
    const TSchedaGruppo scritta = leggiPagine().at(0);
    QCOMPARE(scritta.testo(0, TSchedaGruppo::Nome), QStringLiteral("Rossi Mario"));
    QCOMPARE(scritta.testo(0, TSchedaGruppo::Codice), QStringLiteral("E-mail: a@b.it"));
    QCOMPARE(scritta.buffer().mid(625), QByteArray(5000 - 625, '\0')); // slots B to H empty
    for (int i = 0; i < 8; ++i) {
        QVERIFY(QFileInfo(fotoRiquadro(TSchedaGruppo::lettera(i), 1)).isFile());
        QVERIFY(QFileInfo(anteprima(TSchedaGruppo::lettera(i))).isFile());
    }
}

void TestListino::saveAgainUpdatesInPlace()
{
    apri(2);
    clic(QStringLiteral("cmdUltimo"));
    txt(4, TSchedaGruppo::Nome)->setText(QStringLiteral("Verdi Anna"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kModificata);
    QCOMPARE(posizione(), QStringLiteral("2"));
    QCOMPARE(QFileInfo(gruppo()).size(), 10000);
    QCOMPARE(leggiPagine().at(1).testo(4, TSchedaGruppo::Nome), QStringLiteral("Verdi Anna"));
    QCOMPARE(leggiPagine().at(0).buffer(), pagina(1).buffer());
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.lastText(), kModificata);
    QCOMPARE(QFileInfo(gruppo()).size(), 10000);
}

void TestListino::appendAfterBrowsingGivesTheNextPosition()
{
    apri(5);
    clic(QStringLiteral("cmdPrimo"));
    clic(QStringLiteral("cmdAvanti"));
    clic(QStringLiteral("cmdAvanti"));
    QCOMPARE(posizione(), QStringLiteral("3"));
    clic(QStringLiteral("cmdNuovo"));
    QCOMPARE(posizione(), QString());
    compilaA(QStringLiteral("Nuova"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(posizione(), QStringLiteral("6"));
    QCOMPARE(m_env->messages.lastText(), kInserita);
    const QList<TSchedaGruppo> pagine = leggiPagine();
    QCOMPARE(pagine.size(), 6);
    QCOMPARE(pagine.at(2).buffer(), pagina(3).buffer());
    QCOMPARE(pagine.at(5).testo(0, TSchedaGruppo::Nome), QStringLiteral("Nuova"));
    QVERIFY(QFileInfo(fotoRiquadro(QLatin1Char('H'), 6)).isFile());
}

void TestListino::requiredFields_data()
{
    QTest::addColumn<QList<int>>("vuoti"); // slot A fields left empty (file order)
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("mancanti"); // named by the captions the empty fields show
    QTest::newRow("name of blanks") << QList<int>{int(TSchedaGruppo::Nome)} << int(TSchedaGruppo::Nome)
                                    << "Manca il campo \"Cognome e nome\".";
    QTest::newRow("only the phone") << QList<int>{int(TSchedaGruppo::Prezzo)} << int(TSchedaGruppo::Prezzo)
                                    << "Manca il campo \"Cellulare\".";
    QTest::newRow("role and phone") << QList<int>{int(TSchedaGruppo::Prezzo), int(TSchedaGruppo::UM)}
                                    << int(TSchedaGruppo::UM) << "Mancano i campi \"Ruolo\" e \"Cellulare\".";
    QTest::newRow("notes and e-mail")
        << QList<int>{int(TSchedaGruppo::Codice), int(TSchedaGruppo::Caratteristiche)}
        << int(TSchedaGruppo::Caratteristiche) << "Mancano i campi \"Note\" e \"E-mail\".";
    QTest::newRow("only the e-mail") << QList<int>{int(TSchedaGruppo::Codice)} << int(TSchedaGruppo::Codice)
                                     << "Manca il campo \"E-mail\".";
    QTest::newRow("all five") << QList<int>{0, 1, 2, 3, 4} << int(TSchedaGruppo::Nome)
                              << "Mancano i campi \"Cognome e nome\", \"Ruolo\", \"Note\", \"E-mail\" e "
                                 "\"Cellulare\".";
}

void TestListino::requiredFields()
{
    QFETCH(QList<int>, vuoti);
    QFETCH(int, focus);
    QFETCH(QString, mancanti);
    apri();
    compilaA(QStringLiteral("Rossi"));
    for (const int c : vuoti)
        txt(0, static_cast<Campo>(c))->setText(QStringLiteral("   "));
    // Other slots filled do not stand in for slot A.
    txt(1, TSchedaGruppo::Nome)->setText(QStringLiteral("Bianchi"));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.lastText(), kObbligatori + mancanti);
    QCOMPARE(QApplication::focusWidget(), txt(0, static_cast<Campo>(focus)));
    // The names are the captions the empty fields show.
    for (const int c : vuoti)
        QVERIFY(mancanti.contains(QLatin1Char('"') + txt(0, static_cast<Campo>(c))->placeholderText() +
                                  QLatin1Char('"')));
    QCOMPARE(QFileInfo(gruppo()).size(), 0);
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Foto_Gruppo"))));
    QCOMPARE(posizione(), QString());
}

void TestListino::longTextsAreCutInTheFileOnly()
{
    apri();
    compilaA(QStringLiteral("  Rossi Mario  "));
    // An imported e-mail line of 50 characters.
    TSchedaAnagrafica persona;
    persona.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Rossi Mario"));
    persona.setTesto(TSchedaAnagrafica::Email, QString(42, QLatin1Char('m')));
    persona.setTesto(TSchedaAnagrafica::Esperienze, QStringLiteral("Capitano"));
    persona.setTesto(TSchedaAnagrafica::Note, QStringLiteral("Terzino"));
    m_screen->importaPersona(QLatin1Char('A'), persona, 1);
    txt(0, TSchedaGruppo::Nome)->setText(QStringLiteral("  Rossi Mario  "));
    const QString email = QStringLiteral("E-mail: ") + QString(42, QLatin1Char('m'));
    QCOMPARE(txt(0, TSchedaGruppo::Codice)->text(), email);
    txt(2, TSchedaGruppo::Caratteristiche)->setText(QString(250, QLatin1Char('n')));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(txt(0, TSchedaGruppo::Codice)->text(), email); // the screen keeps what it shows
    QCOMPARE(txt(0, TSchedaGruppo::Nome)->text(), QStringLiteral("  Rossi Mario  "));
    const TSchedaGruppo scritta = leggiPagine().at(0);
    QCOMPARE(scritta.testo(0, TSchedaGruppo::Codice), email.left(40));
    QCOMPARE(scritta.testo(0, TSchedaGruppo::Nome), QStringLiteral("Rossi Mario"));
    QCOMPARE(scritta.testo(2, TSchedaGruppo::Caratteristiche), QString(250, QLatin1Char('n')));
    clic(QStringLiteral("cmdNuovo"));
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(txt(0, TSchedaGruppo::Codice)->text(), email.left(40));
    QCOMPARE(txt(0, TSchedaGruppo::Codice)->maxLength(), 40);
}

void TestListino::newClearsThePage()
{
    apri(2);
    clic(QStringLiteral("cmdUltimo"));
    m_screen->imgFoto(3)->setPicture(tinta(10, 10, Qt::red));
    txt(6, TSchedaGruppo::Prezzo)->setFocus();
    clic(QStringLiteral("cmdNuovo"));
    QCOMPARE(posizione(), QString());
    QCOMPARE(txt(0, TSchedaGruppo::Nome)->text(), QString());
    QCOMPARE(txt(7, TSchedaGruppo::Nome)->text(), QString());
    QCOMPARE(m_screen->imgFoto(3)->picture().size(), QSize(282, 366));
    QVERIFY(txt(0, TSchedaGruppo::Nome)->hasFocus());
    QCOMPARE(ctl<QLabel>("lblNome")->text(), QStringLiteral("Gita Roma"));
    // The changed photo was asked about; the recorder answers No.
    QCOMPARE(m_env->messages.texts(), QStringList{UnsavedChanges::question()});
    QCOMPARE(QFileInfo(gruppo()).size(), 10000);
}

void TestListino::helpOpensItsTopic()
{
    apri();
    clic(QStringLiteral("cmdGuida"));
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmGuida")});
    // The topic says which slot A fields a save needs, by the captions the fields show.
    const QString testo = HelpTopics::paragraphs(HelpTopics::Topic::SchedarioGruppo).join(QLatin1Char(' '));
    QVERIFY(testo.contains(QStringLiteral("riquadro A")));
    for (int c = 0; c < TSchedaGruppo::NumeroCampi; ++c) {
        const QString caption = txt(0, static_cast<Campo>(c))->placeholderText();
        QVERIFY2(testo.contains(QLatin1Char('"') + caption + QLatin1Char('"')), qPrintable(caption));
    }
}

CANDIDATI_TEST_MAIN(TestListino)
#include "tst_listino.moc"
