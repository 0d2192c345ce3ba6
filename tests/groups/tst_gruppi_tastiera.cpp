// The group screens by keyboard alone: the page editor's Tab cycle and keys, the new-group screen's Annulla.

#include "groups/ListinoFixture.h"
#include "support/KeyboardWalk.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "groups/CreaCatalogo.h"
#include "widgets/ImageButton.h"
#include "widgets/PhotoBox.h"

#include <QLineEdit>
#include <QTest>

namespace {

using Campo = TSchedaGruppo::Campo;

// The page editor's Tab order: the toolbar left to right, then slot after slot its photo, import arrow
// and fields from the top.
QStringList ordineListino()
{
    QStringList ordine = {"cmdNuovo",    "cmdSalva",  "cmdAnteprima", "cmdStampa", "cmdPrimo",
                          "cmdIndietro", "cmdAvanti", "cmdUltimo",    "cmdGuida",  "cmdEsci"};
    for (int riquadro = 0; riquadro < TSchedaGruppo::kRiquadri; ++riquadro) {
        const QChar lettera = TSchedaGruppo::lettera(riquadro);
        ordine << QStringLiteral("imgFoto_") + lettera << QStringLiteral("cmdRitaglia_") + lettera
               << QStringLiteral("impProdotto_") + lettera;
        for (const Campo campo : {TSchedaGruppo::Nome, TSchedaGruppo::UM, TSchedaGruppo::Caratteristiche,
                                  TSchedaGruppo::Codice, TSchedaGruppo::Prezzo})
            ordine << TSchedaGruppo::nomeCampo(campo, riquadro);
    }
    return ordine;
}

} // namespace

class TestGruppiTastiera : public ListinoFixture {
    Q_OBJECT

private slots:
    void cleanup() { chiudi(); }

    void pageEditorTabCycleInReadingOrder();
    void pageEditorKeys_data();
    void pageEditorKeys();
    void keysAreShownInTheTooltip();
    void newGroupAnnullaByTabAndEscape_data();
    void newGroupAnnullaByTabAndEscape();
};

void TestGruppiTastiera::pageEditorTabCycleInReadingOrder()
{
    apri(2);
    ctl<QWidget>(QStringLiteral("cmdNuovo"))->setFocus();
    const QStringList cycle = KeyboardWalk::tabCycle(m_screen);
    QCOMPARE(cycle, ordineListino());
    // Every enabled, shown command of the screen is in the cycle exactly once.
    for (ImageButton* button : m_screen->findChildren<ImageButton*>()) {
        if (button->isVisible() && button->isEnabled() && !button->isTwin())
            QVERIFY2(cycle.count(button->objectName()) == 1, qPrintable(button->objectName()));
    }
    // Shift+Tab walks it back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), cycle.last());
}

void TestGruppiTastiera::pageEditorKeys_data()
{
    using Keys = QList<QKeyCombination>;
    QTest::addColumn<int>("pages");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<bool>("fill");          // slot A filled in before the keys
    QTest::addColumn<QString>("position");   // the page shown afterwards
    QTest::addColumn<int>("saved");          // pages in the file afterwards
    QTest::addColumn<QStringList>("opened"); // screens shown by the keys
    const QKeyCombination su(Qt::Key_PageUp), giu(Qt::Key_PageDown);
    QTest::newRow("PageDown from a new page") << 3 << Keys{giu} << false << "1" << 3 << QStringList();
    QTest::newRow("PageDown twice") << 3 << Keys{giu, giu} << false << "2" << 3 << QStringList();
    QTest::newRow("PageDown thrice, PageUp")
        << 3 << Keys{giu, giu, giu, su} << false << "2" << 3 << QStringList();
    QTest::newRow("Ctrl+N after browsing")
        << 3 << Keys{giu, Qt::CTRL | Qt::Key_N} << false << "" << 3 << QStringList();
    QTest::newRow("Ctrl+S saves a new page")
        << 0 << Keys{Qt::CTRL | Qt::Key_S} << true << "1" << 1 << QStringList();
    QTest::newRow("Ctrl+P prints") << 1 << Keys{giu, Qt::CTRL | Qt::Key_P} << false << "1" << 1
                                   << QStringList{"TfrmStampaProdotto"};
}

void TestGruppiTastiera::pageEditorKeys()
{
    QFETCH(int, pages);
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(bool, fill);
    QFETCH(QString, position);
    QFETCH(int, saved);
    QFETCH(QStringList, opened);
    apri(pages);
    if (fill)
        compilaA(QStringLiteral("Rossi Mario"));
    // Pressed from inside a field, as a user typing does.
    QLineEdit* field = txt(2, TSchedaGruppo::Caratteristiche);
    field->setFocus();
    for (const QKeyCombination key : keys)
        QTest::keyClick(field, key.key(), key.keyboardModifiers());
    QCOMPARE(posizione(), position);
    QCOMPARE(leggiPagine().size(), saved);
    QCOMPARE(m_env->modal.openedClasses, opened);
    if (position.isEmpty())
        QVERIFY(txt(0, TSchedaGruppo::Nome)->text().isEmpty());
    else if (!fill)
        QCOMPARE(txt(0, TSchedaGruppo::Nome)->text(), QStringLiteral("Pagina ") + position);
}

void TestGruppiTastiera::keysAreShownInTheTooltip()
{
    apri(1);
    for (const auto& [name, keys] :
         QList<QPair<const char*, QKeySequence>>{{"cmdSalva", QKeySequence(Qt::CTRL | Qt::Key_S)},
                                                 {"cmdNuovo", QKeySequence(Qt::CTRL | Qt::Key_N)},
                                                 {"cmdStampa", QKeySequence(Qt::CTRL | Qt::Key_P)},
                                                 {"cmdIndietro", QKeySequence(Qt::Key_PageUp)},
                                                 {"cmdAvanti", QKeySequence(Qt::Key_PageDown)}}) {
        auto* button = ctl<ImageButton>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QCOMPARE(button->shortcut(), keys);
        QCOMPARE(button->toolTip(), keys.toString(QKeySequence::NativeText));
    }
}

void TestGruppiTastiera::newGroupAnnullaByTabAndEscape_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Annulla reached by Tab, pressed by Enter") << false;
    QTest::newRow("Escape") << true;
}

void TestGruppiTastiera::newGroupAnnullaByTabAndEscape()
{
    QFETCH(bool, escape);
    m_env = std::make_unique<TestEnvironment>();
    ScreenFlow& flow = m_env->flow();
    TfrmCreaCatalogo* screen = flow.creaCatalogo();
    flow.switchTo(screen, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    QVERIFY(screen->txtFile()->hasFocus());
    QTest::keyClicks(screen->txtFile(), "Gita");
    const QStringList cycle = KeyboardWalk::tabCycle(screen);
    for (const char* name : {"txtFile", "imgGuida", "btnAnnulla", "btnApplica"})
        QVERIFY2(cycle.count(QString::fromLatin1(name)) == 1, name);
    if (escape) {
        QTest::keyClick(screen->txtFile(), Qt::Key_Escape);
    } else {
        auto* annulla = screen->findChild<QWidget*>(QStringLiteral("btnAnnulla"));
        while (QApplication::focusWidget() != annulla)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(annulla, Qt::Key_Return);
    }
    QTRY_VERIFY(!screen->isVisible());
    QVERIFY(flow.avvio()->isVisible());
    // Nothing was created, and nothing was asked.
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Gita.fvg"))));
    QVERIFY(m_env->messages.shown.isEmpty());
}

QTEST_MAIN(TestGruppiTastiera)
#include "tst_gruppi_tastiera.moc"
