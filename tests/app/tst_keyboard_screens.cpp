// Every screen by keyboard alone and as a screen reader reads it: each enabled, shown command is met
// once by Tab and Tab leaves every field; each control is named by its caption or hint; drop-downs
// are read as "caption: choice", with the choice as their value.

#include "support/KeyboardWalk.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Backup.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/ScreenFlow.h"
#include "app/VerificaCondivisione.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/AnteprimaCandidati.h"
#include "documents/AnteprimaProdotto.h"
#include "documents/ExpCandidati.h"
#include "documents/StampaCandidati.h"
#include "documents/StampaProdotto.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "import/Importa.h"
#include "privacy/Consensi.h"
#include "registry/AllegaCartella.h"
#include "registry/Candidati.h"
#include "registry/FotoCartella.h"
#include "registry/WebCam.h"
#include "registry/Zoom.h"
#include "search/AvvisoScadenze.h"
#include "search/DaRicontattare.h"
#include "search/Scadenze.h"
#include "search/TrovaCandidati.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// The screens by the name of their class; main screens come from the flow, the others are made here.
QWidget* costruisci(const QString& schermata, TestEnvironment& env, std::unique_ptr<QWidget>& proprio)
{
    ScreenFlow& flow = env.flow();
    MainScreen* principale = nullptr;
    if (schermata == u"TfrmPassword")
        principale = flow.password();
    else if (schermata == u"TfrmAvvio")
        principale = flow.avvio();
    else if (schermata == u"TfrmCambiaPassword")
        principale = flow.cambiaPassword();
    else if (schermata == u"TfrmCreaCatalogo")
        principale = flow.creaCatalogo();
    else if (schermata == u"TfrmApriCatalogo")
        principale = flow.apriCatalogo();
    else if (schermata == u"TfrmCandidati")
        principale = flow.candidati();
    else if (schermata == u"TfrmListinoPrezzi") {
        const QString gruppo = env.path(QStringLiteral("Gita.fvg"));
        TestFiles::writeAll(gruppo, {});
        flow.listinoPrezzi()->apriGruppo(gruppo, QStringLiteral("Gita"));
        principale = flow.listinoPrezzi();
    }
    if (principale) {
        flow.switchTo(principale, nullptr);
        return principale;
    }
    AppContext& c = env.context;
    if (schermata == u"TfrmInfo")
        proprio = std::make_unique<TfrmInfo>(c, nullptr);
    else if (schermata == u"TfrmGuida")
        proprio = std::make_unique<TfrmGuida>(c, nullptr);
    else if (schermata == u"TfrmBackup")
        proprio = std::make_unique<TfrmBackup>(c, nullptr);
    else if (schermata == u"TfrmPartitaIva")
        proprio = std::make_unique<TfrmPartitaIva>(c, nullptr);
    else if (schermata == u"TfrmCodFisc")
        proprio = std::make_unique<TfrmCodFisc>(c, nullptr);
    else if (schermata == u"TfrmTrovaCandidati")
        proprio = std::make_unique<TfrmTrovaCandidati>(c, nullptr);
    else if (schermata == u"TfrmDaRicontattare")
        proprio = std::make_unique<TfrmDaRicontattare>(c, nullptr);
    else if (schermata == u"TfrmScadenze")
        proprio = std::make_unique<TfrmScadenze>(c, nullptr);
    else if (schermata == u"TfrmExpCandidati")
        proprio = std::make_unique<TfrmExpCandidati>(c, nullptr);
    else if (schermata == u"TfrmImporta")
        proprio = std::make_unique<TfrmImporta>(c, nullptr);
    else if (schermata == u"TfrmConsensi")
        proprio = std::make_unique<TfrmConsensi>(c, nullptr, 0, ConsentFormText::Person{});
    else if (schermata == u"TfrmVerificaCondivisione")
        proprio = std::make_unique<TfrmVerificaCondivisione>(c, nullptr);
    else if (schermata == u"TfrmAvvisoScadenze")
        proprio = std::make_unique<TfrmAvvisoScadenze>(c, nullptr, 3);
    else if (schermata == u"TfrmAllegaCartella")
        proprio = std::make_unique<TfrmAllegaCartella>(c, nullptr);
    else if (schermata == u"TfrmFotoCartella")
        proprio = std::make_unique<TfrmFotoCartella>(c, nullptr);
    else if (schermata == u"TfrmZoom")
        proprio = std::make_unique<TfrmZoom>(c, nullptr);
    else if (schermata == u"TfrmWebCam")
        proprio = std::make_unique<TfrmWebCam>(c, nullptr);
    else if (schermata == u"TfrmAnteprimaCandidati")
        proprio = std::make_unique<TfrmAnteprimaCandidati>(c, nullptr);
    else if (schermata == u"TfrmStampaCandidati")
        proprio = std::make_unique<TfrmStampaCandidati>(c, nullptr);
    else if (schermata == u"TfrmAnteprimaProdotto")
        proprio = std::make_unique<TfrmAnteprimaProdotto>(c, nullptr);
    else if (schermata == u"TfrmStampaProdotto")
        proprio = std::make_unique<TfrmStampaProdotto>(c, nullptr);
    if (proprio)
        proprio->show();
    return proprio.get();
}

// The controls a user works: commands, tick boxes, fields and drop-downs (not the parts of another control).
bool controllo(const QWidget* w)
{
    if (const auto* button = qobject_cast<const ImageButton*>(w))
        return !button->isTwin();
    const QWidget* genitore = w->parentWidget();
    if (qobject_cast<const QLineEdit*>(w))
        return !qobject_cast<const QAbstractSpinBox*>(genitore) && !qobject_cast<const QComboBox*>(genitore);
    return qobject_cast<const QPushButton*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QComboBox*>(w);
}

QList<QWidget*> controlli(QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() == window && w->isVisible() && w->isEnabled() && controllo(w))
            result << w;
    }
    return result;
}

QString senzaAcceleratore(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The caption itself, or a longer name that starts with it ("Cambia..." read "Cambia cartella dei backup",
// "Sfoglia..." read "Sfoglia... 1° file allegato").
bool leggeLaDidascalia(const QString& name, QString caption)
{
    if (name == caption || name.startsWith(caption + u' '))
        return true;
    while (caption.endsWith(u'.'))
        caption.chop(1);
    return !caption.isEmpty() && name.startsWith(caption + u' ');
}

QString senzaPunto(QString caption)
{
    if (caption.endsWith(u'.'))
        caption.chop(1);
    return caption;
}

// One of several alike controls that says which slot, row or column it serves.
bool nominaIlPosto(const QString& name)
{
    static const QRegularExpression posto(QStringLiteral(R"(( [A-Z]| \d+)$|colonna [A-Z]+ )"));
    return posto.match(name).hasMatch();
}

const QStringList kSchermate = {
    // The seven main screens.
    "TfrmPassword", "TfrmAvvio", "TfrmCambiaPassword", "TfrmCreaCatalogo", "TfrmApriCatalogo",
    "TfrmCandidati", "TfrmListinoPrezzi",
    // Secondary screens.
    "TfrmInfo", "TfrmGuida", "TfrmBackup", "TfrmPartitaIva", "TfrmCodFisc", "TfrmTrovaCandidati",
    "TfrmDaRicontattare", "TfrmScadenze", "TfrmExpCandidati", "TfrmImporta", "TfrmConsensi",
    "TfrmVerificaCondivisione", "TfrmAvvisoScadenze", "TfrmAllegaCartella", "TfrmFotoCartella", "TfrmZoom",
    "TfrmWebCam", "TfrmAnteprimaCandidati", "TfrmStampaCandidati", "TfrmAnteprimaProdotto",
    "TfrmStampaProdotto"};

} // namespace

class TestKeyboardScreens : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsMetOnceByTab_data();
    void everyControlIsMetOnceByTab();
    void everyControlIsNamedByItsCaptionOrHint_data();
    void everyControlIsNamedByItsCaptionOrHint();
    void dropDownsReadCaptionAndValue_data();
    void dropDownsReadCaptionAndValue();
};

void TestKeyboardScreens::everyControlIsMetOnceByTab_data()
{
    QTest::addColumn<QString>("schermata");
    for (const QString& s : kSchermate)
        QTest::newRow(qPrintable(s)) << s;
}

void TestKeyboardScreens::everyControlIsMetOnceByTab()
{
    QFETCH(QString, schermata);
    TestEnvironment env;
    std::unique_ptr<QWidget> proprio;
    QWidget* window = costruisci(schermata, env, proprio);
    QVERIFY(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window)
        QTest::keyClick(window, Qt::Key_Tab);
    // A picture shown alone (the zoom) has nothing to work: Escape closes it.
    if (controlli(window).isEmpty() && !QApplication::focusWidget())
        return;
    QVERIFY(QApplication::focusWidget());
    QStringList cycle = KeyboardWalk::tabCycle(window);
    // Tab comes back round: no control keeps it.
    QVERIFY2(cycle.size() < 200, qPrintable(cycle.join(u' ')));
    // A date field is one stop whose day, month and year Tab passes in turn, as in every Qt program.
    for (qsizetype i = cycle.size() - 1; i > 0; --i) {
        if (cycle[i] == cycle[i - 1] && qobject_cast<QDateTimeEdit*>(window->findChild<QWidget*>(cycle[i])))
            cycle.removeAt(i);
    }
    for (QWidget* w : controlli(window)) {
        const QString name = w->objectName();
        QVERIFY2(!name.isEmpty(), w->metaObject()->className());
        QVERIFY2(cycle.count(name) == 1, qPrintable(name + QStringLiteral(" in ") + cycle.join(u' ')));
    }
    for (const QString& name : cycle)
        QVERIFY2(cycle.count(name) == 1, qPrintable(name + QStringLiteral(" twice in ") + cycle.join(u' ')));
}

void TestKeyboardScreens::everyControlIsNamedByItsCaptionOrHint_data()
{
    everyControlIsMetOnceByTab_data();
}

void TestKeyboardScreens::everyControlIsNamedByItsCaptionOrHint()
{
    QFETCH(QString, schermata);
    TestEnvironment env;
    std::unique_ptr<QWidget> proprio;
    QWidget* window = costruisci(schermata, env, proprio);
    QVERIFY(window);
    const HintLine* hints = window->findChild<HintLine*>();
    QStringList names;
    for (QWidget* w : controlli(window)) {
        const QString name = KeyboardWalk::accessibleName(w);
        const QString what = w->objectName() + QStringLiteral(": ") + name;
        QVERIFY2(!name.isEmpty(), qPrintable(what));
        QVERIFY2(!KeyboardWalk::hiddenFromReader(w), qPrintable(what));
        const QString hint = hints ? hints->hintOf(w) : QString();
        if (const auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            QVERIFY2(name == hint || leggeLaDidascalia(name, senzaAcceleratore(button->text())),
                     qPrintable(what));
        else if (qobject_cast<ImageButton*>(w) && !hint.isEmpty())
            QVERIFY2(name == hint || nominaIlPosto(name), qPrintable(what));
        else if (const auto* combo = qobject_cast<QComboBox*>(w))
            QVERIFY2(name == senzaPunto(combo->accessibleName()) + QStringLiteral(": ") +
                                 combo->currentText() ||
                         (combo->currentText().isEmpty() && name == combo->accessibleName()),
                     qPrintable(what));
        names << name;
    }
    for (const QString& name : names)
        QVERIFY2(names.count(name) == 1 || nominaIlPosto(name), qPrintable(name + QStringLiteral(" twice")));
}

void TestKeyboardScreens::dropDownsReadCaptionAndValue_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label"); // the caption label, when the screen shows one
    QTest::newRow("consent") << "TfrmConsensi"
                             << "cboFoto"
                             << "Consenso alle foto"
                             << "lblFoto";
    QTest::newRow("deadlines") << "TfrmScadenze"
                               << "lstGruppo"
                               << "Persone"
                               << "lblGruppo";
    QTest::newRow("export") << "TfrmExpCandidati"
                            << "cboFormato"
                            << "Formato del file esportato." << QString();
    QTest::newRow("import sheet") << "TfrmImporta"
                                  << "cboFoglio"
                                  << "Foglio da importare" << QString();
}

void TestKeyboardScreens::dropDownsReadCaptionAndValue()
{
    QFETCH(QString, schermata);
    QFETCH(QString, combo);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    TestEnvironment env;
    std::unique_ptr<QWidget> proprio;
    QWidget* window = costruisci(schermata, env, proprio);
    auto* box = window->findChild<QComboBox*>(combo);
    QVERIFY(box);
    if (box->count() == 0)
        box->addItems({QStringLiteral("primo"), QStringLiteral("secondo")});
    box->show();
    box->setCurrentIndex(box->count() - 1);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(accessible->role(), QAccessible::ComboBox);
    // Read as "caption: choice", the choice alone as value; with no choice, the caption alone.
    QCOMPARE(accessible->text(QAccessible::Name),
             senzaPunto(caption) + QStringLiteral(": ") + box->currentText());
    QCOMPARE(accessible->text(QAccessible::Value), box->currentText());
    if (!label.isEmpty()) {
        auto* etichetta = window->findChild<QLabel*>(label);
        QVERIFY(etichetta);
        QCOMPARE(etichetta->buddy(), box);
        // The label is the drop-down's label for the screen reader.
        bool labelled = false;
        for (const auto& [other, relation] : accessible->relations(QAccessible::Label))
            labelled |= other->object() == etichetta;
        QVERIFY(labelled);
    }
    box->setCurrentIndex(-1);
    QCOMPARE(accessible->text(QAccessible::Name), caption);
    box->setCurrentIndex(0);
    // Its press opens the list, whose entries are its child.
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(box->view()->isVisible());
    QCOMPARE(accessible->childCount(), 1);
    QCOMPARE(accessible->child(0)->object(), box->view());
    box->hidePopup();
}

QTEST_MAIN(TestKeyboardScreens)
#include "tst_keyboard_screens.moc"
