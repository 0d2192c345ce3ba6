#include "registry/CandidatiFixture.h"

#include "registry/Candidati.h"
#include "storage/Placeholder.h"
#include "widgets/PhotoBox.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace {

// What a secondary screen received from the editor: the text of one of its fields, or, while
// that screen is still being built, the value its entry point keeps.
QString consegnato(QDialog& screen, const char* field, const char* property)
{
    if (const auto* edit = screen.findChild<QLineEdit*>(QString::fromLatin1(field)))
        return edit->text();
    return screen.property(property).toString();
}

QColor colore(QWidget* widget, QPoint point)
{
    return widget->grab().toImage().pixelColor(point * widget->devicePixelRatioF());
}

} // namespace

// The screen's controls, the field helpers, the hint line, the highlights and the secondary screens.
class TestCandidatiCampi : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void screenAndFields();
    void labels_data();
    void labels();
    void sexAndCodeAreUpperCasedWhileTyping();
    void emailIsTrimmedWhileTyping();
    void partitaIvaTakesOnlyDigits();
    void rulesHoldForEveryRoute_data();
    void rulesHoldForEveryRoute();
    void hints_data();
    void hints();
    void hintStaysOverFieldAndEmptiesOverBackground_data();
    void hintStaysOverFieldAndEmptiesOverBackground();
    void fillColoursFollowTheFocus();
    void enterGoesRoundTheCard();
    void openers_data();
    void openers();
    void codeCheck_data();
    void codeCheck();
    void partitaIvaCheck();
    void emailOpensMailProgram();
    void helpShowsTheRegistryTopic();
};

void TestCandidatiCampi::screenAndFields()
{
    QCOMPARE(m_screen->windowTitle(), QStringLiteral(" Folvara - Archivio Anagrafico"));
    QVERIFY(m_screen->isMaximized() || m_screen->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(ctl("panContainer")->size(), QSize(996, 692));
    QCOMPARE(m_screen->imgFoto()->size(), QSize(307, 394));

    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i) {
        const auto& field = TSchedaAnagrafica::layout()[i];
        auto* edit = ctl<QLineEdit>((QByteArrayLiteral("txt") + field.name).constData());
        QVERIFY2(edit, field.name);
        QCOMPARE(edit, txt(TSchedaAnagrafica::Campo(i)));
        // A date takes a longer text while typed; the save offers it in a form that fits.
        QCOMPARE(edit->maxLength(), CandidatiRegole::campoData(TSchedaAnagrafica::Campo(i))
                                        ? CandidatiRegole::kLunghezzaDataDigitata
                                        : field.capacity);
        QVERIFY(edit->font().bold());
        QCOMPARE(edit->font().pixelSize(), 12);
        QVERIFY(!edit->accessibleName().isEmpty());
    }
    QCOMPARE(txt(TSchedaAnagrafica::Sesso)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);

    auto* panInfo = ctl<QLabel>("panInfo");
    QCOMPARE(panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    QCOMPARE(panInfo->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(panInfo->font().pixelSize(), 12);
    QCOMPARE(m_screen->chkRicontatta()->text(), QStringLiteral("Da ricontattare"));

    // Hidden holders of the card's state.
    auto* imgBianco = ctl<PhotoBox>("imgBianco");
    QVERIFY(imgBianco && !imgBianco->isVisible());
    QCOMPARE(imgBianco->picture(), Placeholder::image());
    for (const char* name : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
        QVERIFY2(ctl<QLabel>(name) && !ctl<QLabel>(name)->isVisible(), name);
    QVERIFY(ctl("btnFocus"));
    QCOMPARE(ctl("btnFocus")->focusPolicy(), Qt::NoFocus);
    QCOMPARE(m_screen->lblPosizione()->alignment(), Qt::AlignCenter);
    QVERIFY(m_screen->lblPosizione()->font().bold());

    for (const char* name :
         {"shpContainer", "shpEsci", "shpRiepiloghi", "shpRecord", "shpAnteprima", "shpStampa", "shpNuovo",
          "shpSezione01", "shpSfondo", "shpFoto", "bkgPulsantiFoto", "icoRicontatta", "imgIntestazione"})
        QVERIFY2(ctl(name) && ctl(name)->isVisible(), name);
    // The hint bar is blue.
    QCOMPARE(colore(ctl("shpSfondo"), QPoint(300, 17)), QColor(0x30, 0x30, 0xDD));
}

void TestCandidatiCampi::labels_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("brown");
    QTest::newRow("name") << "Candidato"
                          << "Cognome e nome:" << true;
    QTest::newRow("sex") << "Sesso"
                         << "Sesso:" << false;
    QTest::newRow("town") << "Citta" << QString::fromUtf16(u"Città:") << false;
    QTest::newRow("e-mail") << "Email"
                            << "E-mail:" << true;
    QTest::newRow("mobile") << "Cel"
                            << "Tel. cellulare:" << true;
    QTest::newRow("home phone") << "Tel"
                                << "Tel. casa:" << false;
    QTest::newRow("role") << "Esperienze"
                          << "Ruolo nel gruppo:" << true;
    QTest::newRow("issue date") << "InizioTes"
                                << "Data rilascio:" << false;
    QTest::newRow("availability") << "Disponibilita" << QString::fromUtf16(u"Disponibilità:") << false;
    QTest::newRow("notes") << "Note"
                           << "Note:" << true;
}

void TestCandidatiCampi::labels()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, brown);
    auto* label = m_screen->findChild<QLabel*>(QStringLiteral("lbl") + field);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->buddy(), m_screen->findChild<QLineEdit*>(QStringLiteral("txt") + field));
    QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(0xA5, 0x2A, 0x2A), brown);
}

void TestCandidatiCampi::sexAndCodeAreUpperCasedWhileTyping()
{
    QLineEdit* sesso = txt(TSchedaAnagrafica::Sesso);
    QTest::keyClicks(sesso, QStringLiteral("m"));
    QCOMPARE(sesso->text(), QStringLiteral("M"));
    QTest::keyClicks(sesso, QStringLiteral("x")); // one character at most
    QCOMPARE(sesso->text(), QStringLiteral("M"));

    QLineEdit* codice = txt(TSchedaAnagrafica::CodFisc);
    QTest::keyClicks(codice, QStringLiteral(" rssmra"));
    QCOMPARE(codice->text(), QStringLiteral("RSSMRA"));
    QTest::sendKeyEvent(QTest::Click, codice, Qt::Key_unknown, QString::fromUtf16(u"\u00e0"), Qt::NoModifier);
    QTest::keyClicks(codice, QStringLiteral("80a "));
    QCOMPARE(codice->text(), QString::fromUtf16(u"RSSMRA\u00e080A"));
    // Typing in the middle keeps the caret where the user types.
    codice->setCursorPosition(3);
    QTest::keyClicks(codice, QStringLiteral("z"));
    QCOMPARE(codice->text(), QString::fromUtf16(u"RSSZMRA\u00e080A"));
    QCOMPARE(codice->cursorPosition(), 4);
}

void TestCandidatiCampi::emailIsTrimmedWhileTyping()
{
    QLineEdit* email = txt(TSchedaAnagrafica::Email);
    QTest::keyClicks(email, QStringLiteral("  Mario.Rossi@x.it "));
    QCOMPARE(email->text(), QStringLiteral("Mario.Rossi@x.it"));
}

void TestCandidatiCampi::partitaIvaTakesOnlyDigits()
{
    QLineEdit* partitaIva = txt(TSchedaAnagrafica::PartitaIva);
    partitaIva->setFocus();
    QTest::keyClicks(partitaIva, QStringLiteral("12ab 3-4"));
    QCOMPARE(partitaIva->text(), QStringLiteral("1234"));
    QTest::keyClick(partitaIva, Qt::Key_Left);
    QTest::keyClick(partitaIva, Qt::Key_Backspace);
    QCOMPARE(partitaIva->text(), QStringLiteral("124"));
    QTest::keyClick(partitaIva, Qt::Key_Delete);
    QCOMPARE(partitaIva->text(), QStringLiteral("12"));
    QTest::keyClick(partitaIva, Qt::Key_Home);
    QTest::keyClicks(partitaIva, QStringLiteral("9"));
    QCOMPARE(partitaIva->text(), QStringLiteral("129")); // Home was dropped, the caret stayed at the end
    QTest::keyClick(partitaIva, Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), partitaIva);
    QTest::keyClick(partitaIva, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), txt(TSchedaAnagrafica::Patente));
}

void TestCandidatiCampi::rulesHoldForEveryRoute_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("campo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const QStringList routes = {"setText", "screen reader", "paste", "insert"};
    for (const QString& route : routes) {
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(route + ", " + name));
        };
        row("partita IVA") << route << int(TSchedaAnagrafica::PartitaIva) << "0123-4a5678"
                           << "012345678";
        row("codice fiscale") << route << int(TSchedaAnagrafica::CodFisc) << " rssmra80a01h5"
                              << "RSSMRA80A01H5";
        row("sex") << route << int(TSchedaAnagrafica::Sesso) << "f"
                   << "F";
        row("e-mail") << route << int(TSchedaAnagrafica::Email) << "  a@b.it\t"
                      << "a@b.it";
        row("length") << route << int(TSchedaAnagrafica::PartitaIva) << "123456789012345"
                      << "12345678901";
    }
}

// Text that does not come from the keyboard follows the same rules as typed text.
void TestCandidatiCampi::rulesHoldForEveryRoute()
{
    QFETCH(QString, route);
    QFETCH(int, campo);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    text.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    QLineEdit* field = txt(static_cast<TSchedaAnagrafica::Campo>(campo));
    field->setFocus();
    if (route == QLatin1String("setText")) {
        field->setText(text);
    } else if (route == QLatin1String("screen reader")) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        QVERIFY(accessible);
        accessible->setText(QAccessible::Value, text);
    } else if (route == QLatin1String("paste")) {
        QGuiApplication::clipboard()->setText(text);
        field->paste();
    } else {
        field->insert(text);
    }
    QCOMPARE(field->text(), shown);
}

void TestCandidatiCampi::hints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cmdEsci") << "cmdEsci"
                             << "Esci da questa schermata di lavoro.";
    QTest::newRow("cmdGuida") << "cmdGuida"
                              << "Visualizza la guida in linea.";
    QTest::newRow("cmdScadute") << "cmdScadute"
                                << "Visualizza il riepilogo delle persone da ricontattare.";
    QTest::newRow("cmdUltimo") << "cmdUltimo"
                               << "Visualizza l'ultima scheda in archivio.";
    QTest::newRow("cmdAvanti") << "cmdAvanti"
                               << "Visualizza la scheda successiva in archivio.";
    QTest::newRow("cmdIndietro") << "cmdIndietro"
                                 << "Visualizza la scheda precedente in archivio.";
    QTest::newRow("cmdPrimo") << "cmdPrimo"
                              << "Visualizza la prima scheda in archivio.";
    QTest::newRow("cmdTrova") << "cmdTrova"
                              << "Trova una scheda in archivio.";
    QTest::newRow("cmdSalva") << "cmdSalva"
                              << "Salva la scheda in archivio.";
    QTest::newRow("cmdDuplica")
        << "cmdDuplica"
        << "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati "
           "correnti.";
    QTest::newRow("cmdNuovo") << "cmdNuovo"
                              << "Prepara la schermata per l'inserimento di una nuova scheda.";
    QTest::newRow("cmdFile") << "cmdFile"
                             << "Allega file alla scheda.";
    QTest::newRow("cmdStampa") << "cmdStampa"
                               << "Stampa la scheda.";
    QTest::newRow("cmdAnteprima") << "cmdAnteprima"
                                  << "Visualizza l'anteprima di stampa della scheda.";
    QTest::newRow("cmdEsporta") << "cmdEsporta"
                                << "Esporta l'archivio in un file di Microsoft Excel.";
    QTest::newRow("cmdImporta") << "cmdImporta"
                                << "Importa persone da un foglio di calcolo (CSV, Excel od OpenDocument).";
    QTest::newRow("btnSalvaFoto") << "btnSalvaFoto"
                                  << "Salva la foto su disco.";
    QTest::newRow("btnCancFoto") << "btnCancFoto"
                                 << "Cancella la foto.";
    QTest::newRow("btnZoomFoto") << "btnZoomFoto"
                                 << "Visualizza la foto nelle sue dimensioni reali.";
    QTest::newRow("btnEmail") << "btnEmail"
                              << "Invia una e-mail all'indirizzo indicato.";
    QTest::newRow("btnWebcam") << "btnWebcam"
                               << "Cattura la foto con una webcam.";
    QTest::newRow("btnCaricaFoto") << "btnCaricaFoto"
                                   << "Carica una foto esistente.";
    QTest::newRow("cmdRitaglia") << "cmdRitaglia"
                                 << "Ritaglia foto";
    QTest::newRow("btnCodFisc") << "btnCodFisc"
                                << "Controlla il codice fiscale.";
    QTest::newRow("btnPartitaIva") << "btnPartitaIva"
                                   << "Controlla il numero di partita IVA.";
    QTest::newRow("chkRicontatta")
        << "chkRicontatta"
        << "Spunta questa casella per annotare che la persona deve essere ricontattata.";
}

void TestCandidatiCampi::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    QWidget* widget = ctl(control.toLatin1().constData());
    QVERIFY(widget);
    QTest::mouseMove(widget, QPoint(widget->width() / 2, widget->height() / 2));
    QTRY_COMPARE(ctl<QLabel>("panInfo")->text(), hint);
    QVERIFY(!widget->accessibleName().isEmpty());
    if (control.startsWith(QLatin1String("cmd")) || control.startsWith(QLatin1String("btn")))
        QCOMPARE(widget->cursor().shape(), Qt::PointingHandCursor);
}

void TestCandidatiCampi::hintStaysOverFieldAndEmptiesOverBackground_data()
{
    QTest::addColumn<QString>("background");
    for (const char* name : {"shpContainer", "shpEsci", "shpRiepiloghi", "shpRecord", "shpAnteprima",
                             "shpStampa", "shpNuovo", "shpSezione01", "shpSfondo", "shpFoto", "imgFoto",
                             "bkgPulsantiFoto", "icoRicontatta", "panContainer"})
        QTest::newRow(name) << name;
    QTest::newRow("form") << "";
}

void TestCandidatiCampi::hintStaysOverFieldAndEmptiesOverBackground()
{
    QFETCH(QString, background);
    auto* panInfo = ctl<QLabel>("panInfo");
    const QString salva = QStringLiteral("Salva la scheda in archivio.");

    QTest::mouseMove(ctl("cmdSalva"), QPoint(24, 24));
    QTRY_COMPARE(panInfo->text(), salva);
    QTest::mouseMove(txt(TSchedaAnagrafica::Candidato), QPoint(30, 10));
    QTest::mouseMove(ctl("lblCandidato"), QPoint(5, 5));
    QTest::mouseMove(ctl("imgIntestazione"), QPoint(5, 5));
    QCOMPARE(panInfo->text(), salva);

    // A free point of the background: a corner of the shape, or a corner of the form or panel.
    QWidget* widget =
        background.isEmpty() ? static_cast<QWidget*>(m_screen) : ctl(background.toLatin1().constData());
    QVERIFY(widget);
    QPoint point(3, widget->height() - 3);
    if (background == QLatin1String("panContainer"))
        point = QPoint(2, 72);
    QVERIFY2(widget->childAt(point) == nullptr, "the point is covered by a child");
    QTest::mouseMove(widget, point);
    QTRY_COMPARE(panInfo->text(), QString());
}

void TestCandidatiCampi::fillColoursFollowTheFocus()
{
    QLineEdit* nome = txt(TSchedaAnagrafica::Candidato);
    QLineEdit* note = txt(TSchedaAnagrafica::Note);
    nome->setFocus();
    QTRY_VERIFY(nome->hasFocus());
    const QPoint inside(nome->width() - 6, nome->height() / 2);
    QCOMPARE(colore(nome, inside), QColor(0xFF, 0xFF, 0x00));
    QCOMPARE(colore(nome, QPoint(0, nome->height() / 2)), QColor(0x87, 0xCE, 0xEB));
    QCOMPARE(colore(note, QPoint(note->width() - 6, note->height() / 2)), QColor(0xF0, 0xF8, 0xFF));

    QTest::keyClick(nome, Qt::Key_Tab);
    QTRY_VERIFY(txt(TSchedaAnagrafica::Sesso)->hasFocus());
    QCOMPARE(colore(nome, inside), QColor(0xF0, 0xF8, 0xFF));
    QLineEdit* sesso = txt(TSchedaAnagrafica::Sesso);
    QCOMPARE(colore(sesso, QPoint(sesso->width() - 4, sesso->height() / 2)), QColor(0xFF, 0xFF, 0x00));
}

void TestCandidatiCampi::enterGoesRoundTheCard()
{
    const QStringList order = {
        "txtCandidato",  "txtSesso",      "txtDataNasc",   "txtCittadinanza",  "txtLuogoNasc",
        "txtIndirizzo",  "txtCitta",      "txtCap",        "txtSettore",       "txtCodFisc",
        "txtPartitaIva", "txtPatente",    "txtStudio",     "txtLingue",        "txtEmail",
        "txtTel",        "txtCel",        "txtDocumento",  "txtEnteRil",       "txtInizioTes",
        "txtFineTes",    "txtEsperienze", "txtCompetenze", "txtDisponibilita", "txtNote"};
    txt(TSchedaAnagrafica::Candidato)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), order.first());
    for (int i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i % order.size()));
    }
    // Tab follows the same order.
    txt(TSchedaAnagrafica::Cap)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtSettore"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtCodFisc"));
}

void TestCandidatiCampi::openers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("memory"); // the mode word handed over, when the screen has its label
    QTest::newRow("search") << "cmdTrova"
                            << "TfrmTrovaCandidati"
                            << "candidati";
    QTest::newRow("recontact") << "cmdScadute"
                               << "TfrmDaRicontattare"
                               << "";
    QTest::newRow("preview") << "cmdAnteprima"
                             << "TfrmAnteprimaCandidati"
                             << "";
    QTest::newRow("print") << "cmdStampa"
                           << "TfrmStampaCandidati"
                           << "";
    QTest::newRow("export") << "cmdEsporta"
                            << "TfrmExpCandidati"
                            << "";
    QTest::newRow("import") << "cmdImporta"
                            << "TfrmImporta"
                            << "";
    QTest::newRow("attachments") << "cmdFile"
                                 << "TfrmAllegaCartella"
                                 << "candidati";
    QTest::newRow("webcam") << "btnWebcam"
                            << "TfrmWebCam"
                            << "euro_01";
    QTest::newRow("zoom") << "btnZoomFoto"
                          << "TfrmZoom"
                          << "";
    QTest::newRow("help") << "cmdGuida"
                          << "TfrmGuida"
                          << "";
}

void TestCandidatiCampi::openers()
{
    QFETCH(QString, button);
    QFETCH(QString, screen);
    QFETCH(QString, memory);

    QString memoryHanded;
    QWidget* owner = nullptr;
    bool modal = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        owner = dialog.parentWidget();
        modal = dialog.isModal();
        if (const auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblMemory")))
            memoryHanded = label->text();
        else
            memoryHanded = memory; // the screen has no mode label yet
    };
    clic(button.toLatin1().constData());
    QCOMPARE(m_env->modal.openedClasses, QStringList{screen});
    QCOMPARE(owner, static_cast<QWidget*>(m_screen));
    QVERIFY(modal);
    if (!memory.isEmpty())
        QCOMPARE(memoryHanded, memory);
    if (button == QLatin1String("cmdTrova"))
        QCOMPARE(memoryHanded, QStringLiteral("candidati"));
}

void TestCandidatiCampi::codeCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("handed");
    QTest::newRow("empty") << ""
                           << "TfrmCodFisc"
                           << "";
    QTest::newRow("eleven digits") << "01234567890"
                                   << "TfrmPartitaIva"
                                   << "01234567890";
    QTest::newRow("codice fiscale") << "RSSMRA80A01H501U"
                                    << "TfrmCodFisc"
                                    << "RSSMRA80A01H501U";
}

void TestCandidatiCampi::codeCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, screen);
    QFETCH(QString, handed);
    txt(TSchedaAnagrafica::CodFisc)->setText(typed);
    QString received = QStringLiteral("nothing");
    m_env->modal.scripts << [&](QDialog& dialog) {
        received = screen == QLatin1String("TfrmCodFisc") ? consegnato(dialog, "txtCodFisc", "codice")
                                                          : consegnato(dialog, "txtPartitaIva", "partitaIva");
    };
    clic("btnCodFisc");
    QCOMPARE(m_env->modal.openedClasses, QStringList{screen});
    QCOMPARE(received, handed);
    QCOMPARE(txt(TSchedaAnagrafica::CodFisc)->text(), typed);
}

void TestCandidatiCampi::partitaIvaCheck()
{
    txt(TSchedaAnagrafica::PartitaIva)->setText(QStringLiteral("12345678903"));
    QString received;
    m_env->modal.scripts <<
        [&](QDialog& dialog) { received = consegnato(dialog, "txtPartitaIva", "partitaIva"); };
    clic("btnPartitaIva");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmPartitaIva")});
    QCOMPARE(received, QStringLiteral("12345678903"));
}

void TestCandidatiCampi::emailOpensMailProgram()
{
    // setText bypasses the typing helper, so the blanks reach the button.
    txt(TSchedaAnagrafica::Email)->setText(QStringLiteral("  anna.bianchi@esempio.it  "));
    clic("btnEmail");
    QCOMPARE(m_env->shell.opened, QStringList{QStringLiteral("mailto:anna.bianchi@esempio.it")});
    txt(TSchedaAnagrafica::Email)->clear();
    clic("btnEmail");
    QCOMPARE(m_env->shell.opened.last(), QStringLiteral("mailto:"));
}

void TestCandidatiCampi::helpShowsTheRegistryTopic()
{
    QString title;
    m_env->modal.scripts <<
        [&](QDialog& dialog) { title = dialog.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text(); };
    clic("cmdGuida");
    QCOMPARE(title, QStringLiteral("App Archivio Anagrafico"));
}

CANDIDATI_TEST_MAIN(TestCandidatiCampi)
#include "tst_candidati_campi.moc"
