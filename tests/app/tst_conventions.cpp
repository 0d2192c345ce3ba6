#include "app/OpenURL.h"
#include "platform/MessageBoxes.h"
#include "support/TestEnvironment.h"
#include "widgets/DigitKeyFilter.h"
#include "widgets/EnterKeyOrder.h"
#include "widgets/FocusHighlight.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/RegionalSettings.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// A small screen with the shared conventions attached.
struct Form {
    QWidget window;
    QWidget* panel;
    QLabel* line;
    ImageButton* save;
    QLineEdit* first;
    QLineEdit* second;
    QLineEdit* third;
    QPushButton* button;
    HintLine* hints;

    Form()
    {
        window.resize(400, 300);
        panel = new QWidget(&window);
        panel->setGeometry(0, 0, 400, 260);
        line = new QLabel(QStringLiteral("Pronto"), &window);
        line->setGeometry(0, 270, 400, 20);
        save = new ImageButton(panel, QStringLiteral("cmdSalva"), QString(), QRect(10, 10, 40, 40),
                               QStringLiteral("Salva"));
        first = new QLineEdit(panel);
        first->setGeometry(100, 10, 100, 22);
        second = new QLineEdit(panel);
        second->setGeometry(100, 50, 100, 22);
        third = new QLineEdit(panel);
        third->setGeometry(100, 90, 100, 22);
        button = new QPushButton(QStringLiteral("Controlla"), panel);
        button->setGeometry(100, 130, 100, 30);
        hints = new HintLine(line, &window);
        hints->addHint(save, QStringLiteral("Salva la scheda in archivio."));
        hints->addEmptying(&window);
        hints->addEmptying(panel);
    }
};

QColor groundOf(QLineEdit* field)
{
    const QImage image = field->grab().toImage();
    return image.pixelColor(image.width() - 4, image.height() / 2);
}

} // namespace

class TestConventions : public QObject {
    Q_OBJECT

private slots:
    void hintLineFollowsTheMouse();
    void fillHighlightColours();
    void haloIsVisibleExactlyWhileFocused();
    void enterMovesAlongTheRingWithoutPressingButtons();
    void digitKeys_data();
    void digitKeys();
    void messageBoxKinds_data();
    void messageBoxKinds();
    void shortDateUsesFourDigitYear();
    void openRemovesTheQuotes_data();
    void openRemovesTheQuotes();
};

void TestConventions::hintLineFollowsTheMouse()
{
    Form form;
    form.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.window));
    QCOMPARE(form.line->text(), QStringLiteral("Pronto"));
    QTest::mouseMove(form.save, QPoint(5, 5));
    QTRY_COMPARE(form.line->text(), QStringLiteral("Salva la scheda in archivio."));
    // An edit field leaves the hint as it is.
    QTest::mouseMove(form.first, QPoint(5, 5));
    QTest::mouseMove(form.first, QPoint(8, 6));
    QCOMPARE(form.line->text(), QStringLiteral("Salva la scheda in archivio."));
    // The background empties it.
    QTest::mouseMove(form.panel, QPoint(300, 200));
    QTRY_COMPARE(form.line->text(), QString());
    // Tab onto the command shows its hint too, for those without a mouse.
    form.third->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(form.third, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.save);
    QCOMPARE(form.line->text(), QStringLiteral("Salva la scheda in archivio."));
}

void TestConventions::fillHighlightColours()
{
    Form form;
    FocusHighlight::applyFill(form.first, FocusHighlight::kAliceBlue);
    FocusHighlight::applyFill(form.second, Qt::white);
    form.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&form.window));
    form.second->setFocus();
    QTRY_VERIFY(form.second->hasFocus());
    QCOMPARE(groundOf(form.first), FocusHighlight::kAliceBlue);
    QCOMPARE(groundOf(form.second), FocusHighlight::kFocused);
    form.first->setFocus();
    QTRY_VERIFY(form.first->hasFocus());
    QCOMPARE(groundOf(form.first), FocusHighlight::kFocused);
    QCOMPARE(groundOf(form.second), QColor(Qt::white));
    const QImage frame = form.first->grab().toImage();
    QCOMPARE(frame.pixelColor(0, frame.height() / 2), FocusHighlight::kBorder);
}

void TestConventions::haloIsVisibleExactlyWhileFocused()
{
    Form form;
    QWidget* halo = FocusHighlight::attachHalo(form.first, QStringLiteral("effPassword"));
    QCOMPARE(halo->objectName(), QStringLiteral("effPassword"));
    QCOMPARE(halo->geometry(), form.first->geometry().adjusted(-4, -4, 4, 4));
    QCOMPARE(halo->height(), 30);
    form.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&form.window));
    form.second->setFocus();
    QTRY_VERIFY(form.second->hasFocus());
    QVERIFY(!halo->isVisible());
    form.first->setFocus();
    QTRY_VERIFY(halo->isVisible());
    form.third->setFocus();
    QTRY_VERIFY(!halo->isVisible());
}

void TestConventions::enterMovesAlongTheRingWithoutPressingButtons()
{
    Form form;
    auto* order = new EnterKeyOrder(&form.window);
    order->chain({form.first, form.second, form.third}, true);
    order->link(form.button, form.first); // ignored: buttons are never sources here
    auto* lone = new QLineEdit(form.panel);
    order->link(lone, form.button);
    QSignalSpy pressed(form.button, &QPushButton::clicked);
    form.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&form.window));

    form.first->setFocus();
    QTest::keyClick(form.first, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.second);
    QTest::keyClick(form.second, Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), form.third);
    QTest::keyClick(form.third, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.first);
    QTest::keyClick(form.first, Qt::Key_A);
    QCOMPARE(QApplication::focusWidget(), form.first);
    QCOMPARE(form.first->text(), QStringLiteral("a"));

    lone->setFocus();
    QTest::keyClick(lone, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), form.button);
    QCOMPARE(pressed.count(), 0);
}

void TestConventions::digitKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << true << 0;
    QTest::newRow("keypad digit") << int(Qt::Key_0) << "0" << true << 0;
    QTest::newRow("return") << int(Qt::Key_Return) << "\r" << true << 0;
    QTest::newRow("enter") << int(Qt::Key_Enter) << "\r" << true << 0;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << true << 0;
    QTest::newRow("delete") << int(Qt::Key_Delete) << "" << true << 0;
    QTest::newRow("left") << int(Qt::Key_Left) << "" << true << 0;
    QTest::newRow("right") << int(Qt::Key_Right) << "" << true << 0;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << false << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << " " << false << 0;
    QTest::newRow("tab") << int(Qt::Key_Tab) << "\t" << true << 0;
    QTest::newRow("shift tab") << int(Qt::Key_Backtab) << "" << true << int(Qt::ShiftModifier);
    QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << true << 0;
    QTest::newRow("home") << int(Qt::Key_Home) << "" << false << 0;
    QTest::newRow("end") << int(Qt::Key_End) << "" << false << 0;
    QTest::newRow("shortcut") << int(Qt::Key_V) << "" << false << 0;
    QTest::newRow("superscript two") << int(Qt::Key_twosuperior) << QString::fromUtf16(u"\u00b2") << false
                                     << 0;
    QTest::newRow("control digit") << int(Qt::Key_1) << "1" << false << int(Qt::ControlModifier);
    QTest::newRow("keypad digit with its modifier")
        << int(Qt::Key_3) << "3" << true << int(Qt::KeypadModifier);
}

void TestConventions::digitKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QFETCH(int, modifiers);
    QCOMPARE(DigitKeyFilter::passes(key, Qt::KeyboardModifiers(modifiers), text), passes);
}

void TestConventions::messageBoxKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("defaultButton");
    const QString ok = QStringLiteral("OK");
    const QString annulla = QStringLiteral("Annulla");
    QTest::newRow("warning") << int(MessageKind::Warning) << int(QMessageBox::Warning) << "Warning"
                             << QStringList{ok, annulla} << ok;
    QTest::newRow("error") << int(MessageKind::Error) << int(QMessageBox::Critical) << "Error"
                           << QStringList{ok, annulla} << ok;
    QTest::newRow("information") << int(MessageKind::Information) << int(QMessageBox::Information)
                                 << "Information" << QStringList{ok, annulla} << ok;
    QTest::newRow("question") << int(MessageKind::Question) << int(QMessageBox::Question) << "Confirm"
                              << QStringList{QString::fromUtf8("&Sì"), QStringLiteral("&No")}
                              << QString::fromUtf8("&Sì");
    QTest::newRow("plain") << int(MessageKind::Plain) << int(QMessageBox::NoIcon) << "" << QStringList{ok}
                           << ok;
}

void TestConventions::messageBoxKinds()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    QFETCH(QString, defaultButton);
    static const bool translated = installItalianTranslations(QString());
    QVERIFY(translated);

    const QString text = QStringLiteral("Riga uno\n\r\n\rRiga due");
    const auto box = QtMessageBoxes::build(nullptr, static_cast<MessageKind>(kind), text);
    QCOMPARE(int(box->icon()), icon);
    QCOMPARE(box->windowTitle(), title);
    QCOMPARE(box->text(), text);
    QStringList captions;
    for (QAbstractButton* button : box->buttons())
        captions << button->text();
    captions.sort();
    buttons.sort();
    QCOMPARE(captions, buttons);
    QCOMPARE(box->defaultButton()->text(), defaultButton);
    if (kind == int(MessageKind::Question))
        QVERIFY(!box->escapeButton());
}

void TestConventions::shortDateUsesFourDigitYear()
{
    const QString date = RegionalSettings::shortDate(QDate(2024, 3, 5));
    QCOMPARE(date.size(), 10);
    QVERIFY(date.startsWith(QStringLiteral("05")));
    QCOMPARE(date.mid(3, 2), QStringLiteral("03"));
    QVERIFY(date.endsWith(QStringLiteral("2024")));
    QCOMPARE(date, QStringLiteral("05/03/2024"));
    RegionalSettings::apply();
    QCOMPARE(QLocale().toString(1.5, 'f', 1), QStringLiteral("1,5"));
}

void TestConventions::openRemovesTheQuotes_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("handed");
    QTest::newRow("quoted path") << "\"/tmp/Folvara/Guida.pdf\""
                                 << "/tmp/Folvara/Guida.pdf";
    QTest::newRow("mailto") << "\"mailto:rossi@example.it\""
                            << "mailto:rossi@example.it";
    QTest::newRow("empty mailto") << "\"mailto:\""
                                  << "mailto:";
    QTest::newRow("web") << "https://www.folvara.it"
                         << "https://www.folvara.it";
}

void TestConventions::openRemovesTheQuotes()
{
    QFETCH(QString, given);
    QFETCH(QString, handed);
    RecordingShell shell;
    TMisc::Open(shell, given);
    QCOMPARE(shell.opened, QStringList{handed});
}

QTEST_MAIN(TestConventions)
#include "tst_conventions.moc"
