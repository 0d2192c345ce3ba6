#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(MessageKind)

namespace {

template <typename T> T* child(const QObject& screen, const char* name)
{
    T* found = screen.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("no control %s", name);
    return found;
}

// Shows the screen as the active window, as its opener would.
bool showActive(QDialog& screen)
{
    screen.show();
    return QTest::qWaitForWindowActive(&screen);
}

} // namespace

class TestChecksScreens : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void focusStartsInTheField_data();
    void focusStartsInTheField();
    void tabOrderReachesBothButtons();
    void enterMovesToControllaWithoutPressingIt_data();
    void enterMovesToControllaWithoutPressingIt();
    void lengthWarningKeepsScreenOpen_data();
    void lengthWarningKeepsScreenOpen();
    void verdictIsShownThenScreenCloses_data();
    void verdictIsShownThenScreenCloses();
    void chiudiClosesWithoutMessage_data();
    void chiudiClosesWithoutMessage();
    void openedByTheEditorsWay();
    void overlongValueIsNotCut_data();
    void overlongValueIsNotCut();

    void codFiscTypingUpperCases();
    void codFiscBlanksAtEndsVanish();
    void codFiscInnerBlankStays();
    void codFiscAccentedLetterStaysAsTyped();
    void codFiscTakesSixteenCharacters();

    void partitaIvaTakesDigitsOnly();
    void partitaIvaEditingKeysWork();
    void partitaIvaHomeEndSwallowed_data();
    void partitaIvaHomeEndSwallowed();
    void partitaIvaTabLeavesTheField();
    void partitaIvaTakesElevenDigits();
};

// Builds one of the two screens by class name.
static std::unique_ptr<SecondaryScreen> makeScreen(TestEnvironment& env, const QString& which)
{
    if (which == QLatin1String("codfisc"))
        return std::make_unique<TfrmCodFisc>(env.context, nullptr);
    return std::make_unique<TfrmPartitaIva>(env.context, nullptr);
}

static void setValue(SecondaryScreen& screen, const QString& value)
{
    if (auto* codFisc = qobject_cast<TfrmCodFisc*>(&screen))
        codFisc->setCodice(value);
    else
        qobject_cast<TfrmPartitaIva*>(&screen)->setPartitaIva(value);
}

static const char* fieldName(const QString& which)
{
    return which == QLatin1String("codfisc") ? "txtCodFisc" : "txtPartitaIva";
}

static void addScreenColumn()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("codice fiscale") << QStringLiteral("codfisc");
    QTest::newRow("partita IVA") << QStringLiteral("partitaiva");
}

void TestChecksScreens::layout_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("codice fiscale") << QStringLiteral("codfisc")
                                    << QStringLiteral(" Controllo codice fiscale") << QSize(478, 254)
                                    << QStringLiteral(
                                           "Immettere il codice fiscale e premere il pulsante di controllo.")
                                    << 16;
    QTest::newRow("partita IVA")
        << QStringLiteral("partitaiva") << QStringLiteral(" Controllo partita IVA") << QSize(480, 254)
        << QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo.") << 11;
}

void TestChecksScreens::layout()
{
    QFETCH(QString, which);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QString, title);
    QFETCH(int, maxLength);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    QCOMPARE(screen->windowTitle(), caption);
    QCOMPARE(screen->size(), client);

    auto* panContainer = child<QWidget>(*screen, "panContainer");
    QVERIFY(panContainer);
    QCOMPARE(panContainer->size(), QSize(453, 222));
    QCOMPARE(panContainer->geometry().center(), screen->rect().center());
    QVERIFY(child<QWidget>(*screen, "shpContainer"));
    QVERIFY(child<QWidget>(*screen, "shpCodFisc"));
    auto* imgLogo = child<QLabel>(*screen, "imgLogo");
    QVERIFY(imgLogo);
    QCOMPARE(imgLogo->size(), QSize(421, 73));
    screen->show(); // pictures are drawn when first shown
    QVERIFY(!imgLogo->pixmap().isNull());

    auto* lblTitolo = child<QLabel>(*screen, "lblTitolo");
    QVERIFY(lblTitolo);
    QCOMPARE(lblTitolo->text(), title);
    QCOMPARE(lblTitolo->font().family(), QStringLiteral("Arial"));
    // The instruction fits in the panel.
    QVERIFY(lblTitolo->fontMetrics().horizontalAdvance(title) <= lblTitolo->width());

    auto* field = child<QLineEdit>(*screen, fieldName(which));
    QVERIFY(field);
    QCOMPARE(field->maxLength(), maxLength);
    QCOMPARE(field->font().family(), QStringLiteral("Courier New"));
    QVERIFY(field->font().bold());
    QVERIFY(!field->accessibleName().isEmpty());

    auto* btnControlla = child<QPushButton>(*screen, "btnControlla");
    auto* btnChiudi = child<QPushButton>(*screen, "btnChiudi");
    QVERIFY(btnControlla && btnChiudi);
    QCOMPARE(btnControlla->text(), QStringLiteral("Controlla"));
    QCOMPARE(btnChiudi->text(), QStringLiteral("Chiudi"));
    // "Controlla" right of the field, "Chiudi" centred below both.
    QVERIFY(btnControlla->x() > field->geometry().right());
    QVERIFY(btnChiudi->y() > field->geometry().bottom());
    QVERIFY(qAbs(btnChiudi->geometry().center().x() - panContainer->width() / 2) <= 1);
}

void TestChecksScreens::focusStartsInTheField_data()
{
    addScreenColumn();
}

void TestChecksScreens::focusStartsInTheField()
{
    QFETCH(QString, which);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    setValue(*screen, QStringLiteral("12345"));
    QVERIFY(showActive(*screen));
    auto* field = child<QLineEdit>(*screen, fieldName(which));
    QTRY_COMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->text(), QStringLiteral("12345"));
}

void TestChecksScreens::tabOrderReachesBothButtons()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* txtCodFisc = child<QLineEdit>(screen, "txtCodFisc");
    QTRY_COMPARE(QApplication::focusWidget(), txtCodFisc);
    QTest::keyClick(txtCodFisc, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "btnControlla"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "btnChiudi"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), txtCodFisc);

    // In the partita IVA field Tab is swallowed, so the order is seen from "Controlla" on.
    TfrmPartitaIva partitaIva(env.context, nullptr);
    QVERIFY(showActive(partitaIva));
    auto* btnControlla = child<QWidget>(partitaIva, "btnControlla");
    btnControlla->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), btnControlla);
    QTest::keyClick(btnControlla, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(partitaIva, "btnChiudi"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(partitaIva, "txtPartitaIva"));
}

void TestChecksScreens::enterMovesToControllaWithoutPressingIt_data()
{
    addScreenColumn();
}

void TestChecksScreens::enterMovesToControllaWithoutPressingIt()
{
    QFETCH(QString, which);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    QVERIFY(showActive(*screen));
    auto* field = child<QLineEdit>(*screen, fieldName(which));
    QTRY_COMPARE(QApplication::focusWidget(), field);
    QTest::keyClicks(field, QStringLiteral("123"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(*screen, "btnControlla"));
    QCOMPARE(field->text(), QStringLiteral("123"));
    QVERIFY(env.messages.shown.isEmpty());
    QVERIFY(screen->isVisible());
}

void TestChecksScreens::lengthWarningKeepsScreenOpen_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    const QString codFisc =
        QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
    const QString partitaIva =
        QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
    QTest::newRow("empty codice fiscale") << QStringLiteral("codfisc") << QString() << codFisc;
    QTest::newRow("15 characters") << QStringLiteral("codfisc") << QStringLiteral("RSSMRA80A01H501")
                                   << codFisc;
    QTest::newRow("empty partita IVA") << QStringLiteral("partitaiva") << QString() << partitaIva;
    QTest::newRow("ten digits") << QStringLiteral("partitaiva") << QStringLiteral("0000000001") << partitaIva;
}

void TestChecksScreens::lengthWarningKeepsScreenOpen()
{
    QFETCH(QString, which);
    QFETCH(QString, value);
    QFETCH(QString, message);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    setValue(*screen, value);
    QVERIFY(showActive(*screen));
    auto* field = child<QLineEdit>(*screen, fieldName(which));
    auto* btnControlla = child<QPushButton>(*screen, "btnControlla");
    btnControlla->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), btnControlla);

    QTest::mouseClick(btnControlla, Qt::LeftButton);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(env.messages.shown.first().text, message);
    QVERIFY(screen->isVisible());
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->text(), value);
}

void TestChecksScreens::verdictIsShownThenScreenCloses_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("value");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("message");
    const QString cfValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
    const QString cfErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
    const QString pivaValida = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    const QString pivaErrata = QStringLiteral(
        "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
        "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
    const QString cf = QStringLiteral("codfisc");
    const QString piva = QStringLiteral("partitaiva");

    QTest::newRow("fifteen zeros and I")
        << cf << QStringLiteral("000000000000000I") << MessageKind::Information << cfValido;
    QTest::newRow("fifteen A and I") << cf << QStringLiteral("AAAAAAAAAAAAAAAI") << MessageKind::Information
                                     << cfValido;
    QTest::newRow("fifteen zeros and A")
        << cf << QStringLiteral("000000000000000A") << MessageKind::Warning << cfErrato;
    QTest::newRow("lower case passed in")
        << cf << QStringLiteral("rssmra80a01h501u") << MessageKind::Information << cfValido;
    QTest::newRow("inner blank") << cf << QStringLiteral("RSSMRA80A01 501U") << MessageKind::Warning
                                 << cfErrato;
    QTest::newRow("Torino") << piva << QStringLiteral("00000000018") << MessageKind::Information
                            << pivaValida + QStringLiteral(
                                                "È stato rilasciato dall'Ufficio IVA del Comune di Torino.");
    QTest::newRow("Bologna 2") << piva << QStringLiteral("00000001206") << MessageKind::Information
                               << pivaValida +
                                      QStringLiteral(
                                          "È stato rilasciato dall'Ufficio IVA del Comune di Bologna 2.");
    QTest::newRow("wrong check digit")
        << piva << QStringLiteral("00000000010") << MessageKind::Warning << pivaErrata;
    QTest::newRow("letter passed in")
        << piva << QStringLiteral("0000000001A") << MessageKind::Warning << pivaErrata;
    QTest::newRow("office not in the table")
        << piva << QStringLiteral("00000000000") << MessageKind::Information
        << pivaValida + QStringLiteral("Il codice dell'Ufficio IVA che lo ha rilasciato (000) non è presente "
                                       "nell'elenco del programma.");
    QTest::newRow("office 890") << piva << QStringLiteral("12345678903") << MessageKind::Information
                                << pivaValida +
                                       QStringLiteral("Il codice dell'Ufficio IVA che lo ha rilasciato "
                                                      "(890) non è presente nell'elenco del programma.");
}

void TestChecksScreens::verdictIsShownThenScreenCloses()
{
    QFETCH(QString, which);
    QFETCH(QString, value);
    QFETCH(MessageKind, kind);
    QFETCH(QString, message);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    setValue(*screen, value);
    bool openWhileShown = false;
    env.messages.onShow = [&](const ShownMessage&) { openWhileShown = screen->isVisible(); };
    QVERIFY(showActive(*screen));

    QTest::mouseClick(child<QPushButton>(*screen, "btnControlla"), Qt::LeftButton);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().kind, kind);
    QCOMPARE(env.messages.shown.first().text, message);
    QCOMPARE(env.messages.shown.first().ownerName, screen->objectName());
    // The box comes first, over the screen; the screen closes once it is dismissed.
    QVERIFY(openWhileShown);
    QVERIFY(!screen->isVisible());
    QCOMPARE(screen->result(), int(QDialog::Accepted));
}

void TestChecksScreens::chiudiClosesWithoutMessage_data()
{
    addScreenColumn();
}

void TestChecksScreens::chiudiClosesWithoutMessage()
{
    QFETCH(QString, which);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    setValue(*screen, QStringLiteral("00000000018"));
    QVERIFY(showActive(*screen));
    QTest::mouseClick(child<QPushButton>(*screen, "btnChiudi"), Qt::LeftButton);
    QVERIFY(!screen->isVisible());
    QCOMPARE(screen->result(), int(QDialog::Rejected));
    QVERIFY(env.messages.shown.isEmpty());
}

void TestChecksScreens::openedByTheEditorsWay()
{
    TestEnvironment env;
    QWidget editor;
    editor.setObjectName(QStringLiteral("frmCandidati"));
    QString seen;
    env.modal.scripts.append([&](QDialog& screen) {
        seen = child<QLineEdit>(screen, "txtCodFisc")->text();
        QTest::mouseClick(child<QPushButton>(screen, "btnControlla"), Qt::LeftButton);
    });
    env.modal.scripts.append([&](QDialog& screen) {
        seen += QLatin1Char('|') + child<QLineEdit>(screen, "txtPartitaIva")->text();
        QTest::mouseClick(child<QPushButton>(screen, "btnControlla"), Qt::LeftButton);
    });
    {
        TfrmCodFisc screen(env.context, &editor);
        screen.setCodice(QStringLiteral("RSSMRA80A01H501U"));
        QCOMPARE(env.context.modal->run(screen), int(QDialog::Accepted));
    }
    {
        TfrmPartitaIva screen(env.context, &editor);
        screen.setPartitaIva(QStringLiteral("01234560157"));
        QCOMPARE(env.context.modal->run(screen), int(QDialog::Accepted));
    }
    QCOMPARE(seen, QStringLiteral("RSSMRA80A01H501U|01234560157"));
    QCOMPARE(env.modal.openedClasses,
             QStringList({QStringLiteral("TfrmCodFisc"), QStringLiteral("TfrmPartitaIva")}));
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown.at(0).text, QStringLiteral("Il codice fiscale digitato è VALIDO."));
    QCOMPARE(env.messages.shown.at(1).text,
             QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                            "È stato rilasciato dall'Ufficio IVA del Comune di Milano 1."));
}

void TestChecksScreens::overlongValueIsNotCut_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("verdict");
    // Cut to 11 digits, 000000000180 would read as the valid 00000000018.
    QTest::newRow("twelve digits") << QStringLiteral("partitaiva") << QStringLiteral("000000000180") << 11
                                   << QStringLiteral(
                                          "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                          "È stato rilasciato dall'Ufficio IVA del Comune di Torino.");
    QTest::newRow("seventeen characters") << QStringLiteral("codfisc") << QStringLiteral("RSSMRA80A01H501UX")
                                          << 16 << QStringLiteral("Il codice fiscale digitato è VALIDO.");
}

void TestChecksScreens::overlongValueIsNotCut()
{
    QFETCH(QString, which);
    QFETCH(QString, value);
    QFETCH(int, maxLength);
    QFETCH(QString, verdict);
    TestEnvironment env;
    const auto screen = makeScreen(env, which);
    setValue(*screen, value);
    QVERIFY(showActive(*screen));
    auto* field = child<QLineEdit>(*screen, fieldName(which));
    QCOMPARE(field->text(), value);

    auto* btnControlla = child<QPushButton>(*screen, "btnControlla");
    QTest::mouseClick(btnControlla, Qt::LeftButton);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(env.messages.shown.first().text.contains(QString::number(maxLength)));
    QVERIFY(screen->isVisible());

    // Edited down to its length, the field takes its own limit again.
    QTRY_COMPARE(QApplication::focusWidget(), field);
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), value.left(maxLength));
    QCOMPARE(field->maxLength(), maxLength);
    QTest::mouseClick(btnControlla, Qt::LeftButton);
    QCOMPARE(env.messages.lastText(), verdict);
    QVERIFY(!screen->isVisible());
}

void TestChecksScreens::codFiscTypingUpperCases()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtCodFisc");
    QTest::keyClicks(field, QStringLiteral("abc"));
    QCOMPARE(field->text(), QStringLiteral("ABC"));
    QTest::keyClicks(field, QStringLiteral("def"));
    QCOMPARE(field->text(), QStringLiteral("ABCDEF"));
    // The cursor stays where the typing goes on.
    QCOMPARE(field->cursorPosition(), 6);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClicks(field, QStringLiteral("x"));
    QCOMPARE(field->text(), QStringLiteral("ABCDXEF"));
    QCOMPARE(field->cursorPosition(), 5);
}

void TestChecksScreens::codFiscBlanksAtEndsVanish()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtCodFisc");
    QTest::keyClicks(field, QStringLiteral(" "));
    QCOMPARE(field->text(), QString());
    QTest::keyClicks(field, QStringLiteral("rss "));
    QCOMPARE(field->text(), QStringLiteral("RSS"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral(" "));
    QCOMPARE(field->text(), QStringLiteral("RSS"));
    QCOMPARE(field->cursorPosition(), 0);
    QTest::keyClicks(field, QStringLiteral("m"));
    QCOMPARE(field->text(), QStringLiteral("MRSS"));
}

void TestChecksScreens::codFiscInnerBlankStays()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtCodFisc");
    QTest::keyClicks(field, QStringLiteral("ab"));
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClicks(field, QStringLiteral(" "));
    QCOMPARE(field->text(), QStringLiteral("A B"));
}

void TestChecksScreens::codFiscAccentedLetterStaysAsTyped()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtCodFisc");
    QTest::keyClicks(field, QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("à"), Qt::NoModifier);
    QTest::keyClicks(field, QStringLiteral("c"));
    QCOMPARE(field->text(), QStringLiteral("ABàC"));
}

void TestChecksScreens::codFiscTakesSixteenCharacters()
{
    TestEnvironment env;
    TfrmCodFisc screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtCodFisc");
    QTest::keyClicks(field, QStringLiteral("rssmra80a01h501uxyz"));
    QCOMPARE(field->text(), QStringLiteral("RSSMRA80A01H501U"));
}

void TestChecksScreens::partitaIvaTakesDigitsOnly()
{
    TestEnvironment env;
    TfrmPartitaIva screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtPartitaIva");
    QTest::keyClicks(field, QStringLiteral("1a2 B-3.,"));
    QCOMPARE(field->text(), QStringLiteral("123"));
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("è"), Qt::NoModifier);
    QTest::keyClick(field, Qt::Key_A, Qt::ShiftModifier);
    QTest::keyClick(field, Qt::Key_4, Qt::KeypadModifier);
    QCOMPARE(field->text(), QStringLiteral("1234"));
    QCOMPARE(QApplication::focusWidget(), field);
}

void TestChecksScreens::partitaIvaEditingKeysWork()
{
    TestEnvironment env;
    TfrmPartitaIva screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtPartitaIva");
    QTest::keyClicks(field, QStringLiteral("12345"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("1234"));
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Left);
    QCOMPARE(field->cursorPosition(), 2);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("124"));
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClicks(field, QStringLiteral("9"));
    QCOMPARE(field->text(), QStringLiteral("1249"));
}

void TestChecksScreens::partitaIvaTabLeavesTheField()
{
    TestEnvironment env;
    TfrmPartitaIva screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtPartitaIva");
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("1234"));
    // No keyboard trap: Tab and Shift+Tab leave the number field and come back to it.
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != field);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClick(field, Qt::Key_Backtab);
    QVERIFY(QApplication::focusWidget() != field);
    QCOMPARE(field->text(), QStringLiteral("1234"));
}

void TestChecksScreens::partitaIvaHomeEndSwallowed_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Home") << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::newRow("End") << int(Qt::Key_End) << int(Qt::NoModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Select all") << int(Qt::Key_A) << int(Qt::ControlModifier);
    QTest::newRow("Undo") << int(Qt::Key_Z) << int(Qt::ControlModifier);
}

void TestChecksScreens::partitaIvaHomeEndSwallowed()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TestEnvironment env;
    TfrmPartitaIva screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtPartitaIva");
    QTest::keyClicks(field, QStringLiteral("1234"));
    QTest::keyClick(field, Qt::Key_Left);
    QCOMPARE(field->cursorPosition(), 3);

    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->text(), QStringLiteral("1234"));
    QCOMPARE(field->cursorPosition(), 3);
    QVERIFY(!field->hasSelectedText());
}

void TestChecksScreens::partitaIvaTakesElevenDigits()
{
    TestEnvironment env;
    TfrmPartitaIva screen(env.context, nullptr);
    QVERIFY(showActive(screen));
    auto* field = child<QLineEdit>(screen, "txtPartitaIva");
    QTest::keyClicks(field, QStringLiteral("0000000001899"));
    QCOMPARE(field->text(), QStringLiteral("00000000018"));
}

QTEST_MAIN(TestChecksScreens)
#include "tst_checks_screens.moc"
