#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/HelpTopics.h"
#include "app/Info.h"
#include "app/LinkText.h"
#include "app/ScreenFlow.h"
#include "app/Splash.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "registry/Candidati.h"
#include "support/ReadableNames.h"
#include "support/TestEnvironment.h"
#include "widgets/ImageButton.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

using HelpTopics::Topic;

Q_DECLARE_METATYPE(Topic)

namespace {

struct ShownTopic {
    QString title;
    QString text;
    QWidget* owner = nullptr;
    bool modal = false;
};

// Records what the next help screen shows, then closes it with "Chiudi".
std::function<void(QDialog&)> recordTopic(ShownTopic& shown)
{
    return [&shown](QDialog& screen) {
        QCOMPARE(QString::fromLatin1(screen.metaObject()->className()), QStringLiteral("TfrmGuida"));
        shown.title = screen.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
        shown.text = screen.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
        shown.owner = screen.parentWidget();
        shown.modal = screen.isModal();
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnChiudi")), Qt::LeftButton);
    };
}

// The text as the read-only field gives it back: one line feed per line break.
QString asShown(Topic topic)
{
    return HelpTopics::text(topic).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void topicsHaveTheirParagraphs_data();
    void topicsHaveTheirParagraphs();
    void overviewHoldsTheThreeTopicsWordForWord();
    void overviewNamesTheFirstAccessPassword();
    void helpButtonsOpenTheirTopic_data();
    void helpButtonsOpenTheirTopic();
    void groupScreensShareOneTopic();
    void secondOpeningStartsFromTheTop();
    void textCannotBeEdited();
    void linksHandTheirTargetToTheShell_data();
    void linksHandTheirTargetToTheShell();
    void releasingOutsideTheLinkOpensNothing();
    void everyPictureIsDrawn_data();
    void everyPictureIsDrawn();
};

void TestHelp::topicsHaveTheirParagraphs_data()
{
    QTest::addColumn<Topic>("topic");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");
    QTest::newRow("overview") << Topic::Panoramica << "Uno sguardo a Folvara" << 29;
    QTest::newRow("registry") << Topic::ArchivioAnagrafico << "App Archivio Anagrafico" << 11;
    QTest::newRow("group pages") << Topic::SchedarioGruppo << "App Schedario Gruppo" << 6;
    QTest::newRow("groups") << Topic::CreazioneApertura << "Creazione e apertura gruppi" << 6;
    QTest::newRow("export") << Topic::Esportazione << "Esportazione archivio anagrafico in Microsoft Excel"
                            << 3;
    QTest::newRow("deadlines") << Topic::Scadenze << "Scadenze dei documenti e compleanni" << 7;
}

void TestHelp::topicsHaveTheirParagraphs()
{
    QFETCH(Topic, topic);
    QFETCH(QString, title);
    QFETCH(int, count);
    QCOMPARE(HelpTopics::title(topic), title);
    const QStringList paragraphs = HelpTopics::paragraphs(topic);
    QCOMPARE(paragraphs.size(), count);
    for (const QString& paragraph : paragraphs) {
        QVERIFY(!paragraph.isEmpty());
        QCOMPARE(paragraph, paragraph.trimmed());
        QVERIFY2(!paragraph.contains(QLatin1Char('\n')) && !paragraph.contains(QLatin1Char('\r')),
                 qPrintable(paragraph));
        QVERIFY2(!paragraph.contains(QStringLiteral("  ")), qPrintable(paragraph));
        QVERIFY2(paragraph.endsWith(QLatin1Char('.')), qPrintable(paragraph));
    }
    // Two CR LF pairs between paragraphs, none before the first or after the last.
    const QString text = HelpTopics::text(topic);
    QCOMPARE(text.split(QStringLiteral("\r\n\r\n")), paragraphs);
    QVERIFY(!text.startsWith(QLatin1Char('\r')) && !text.endsWith(QLatin1Char('\n')));
    QVERIFY(HelpTopics::all().contains(topic));
}

void TestHelp::overviewHoldsTheThreeTopicsWordForWord()
{
    const QStringList overview = HelpTopics::paragraphs(Topic::Panoramica);
    QCOMPARE(overview.mid(2, 6), HelpTopics::paragraphs(Topic::CreazioneApertura));
    QCOMPARE(overview.mid(8, 6), HelpTopics::paragraphs(Topic::SchedarioGruppo));
    QCOMPARE(overview.mid(14, 11), HelpTopics::paragraphs(Topic::ArchivioAnagrafico));
    for (Topic topic : {Topic::CreazioneApertura, Topic::SchedarioGruppo, Topic::ArchivioAnagrafico})
        QVERIFY(HelpTopics::text(Topic::Panoramica).contains(HelpTopics::text(topic)));
    // The introduction and the closing belong to the overview alone, as does the export.
    for (Topic topic : {Topic::CreazioneApertura, Topic::SchedarioGruppo, Topic::ArchivioAnagrafico}) {
        for (const QString& own : overview.mid(0, 2) + overview.mid(25))
            QVERIFY(!HelpTopics::paragraphs(topic).contains(own));
    }
    for (const QString& paragraph : HelpTopics::paragraphs(Topic::Esportazione))
        QVERIFY(!overview.contains(paragraph));
}

void TestHelp::overviewNamesTheFirstAccessPassword()
{
    const QStringList closing = HelpTopics::paragraphs(Topic::Panoramica).mid(25);
    QCOMPARE(closing.size(), 4);
    QVERIFY(closing.at(1).contains(QStringLiteral("password BENVENUTO")));
    // The change-password screen takes any length: eight characters is advice, not a rule.
    QVERIFY(closing.at(1).contains(QStringLiteral("consigliamo")));
}

void TestHelp::helpButtonsOpenTheirTopic_data()
{
    QTest::addColumn<std::function<QWidget*(ScreenFlow&)>>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Topic>("topic");
    QTest::newRow("launcher") << std::function<QWidget*(ScreenFlow&)>([](ScreenFlow& f) -> QWidget* {
        return f.avvio();
    }) << "imgGuida" << Topic::Panoramica;
    QTest::newRow("registry editor") << std::function<QWidget*(ScreenFlow&)>([](ScreenFlow& f) -> QWidget* {
        return f.candidati();
    }) << "cmdGuida" << Topic::ArchivioAnagrafico;
}

void TestHelp::helpButtonsOpenTheirTopic()
{
    QFETCH(std::function<QWidget*(ScreenFlow&)>, screen);
    QFETCH(QString, button);
    QFETCH(Topic, topic);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    QWidget* caller = screen(flow);
    caller->show();
    ShownTopic shown;
    env.modal.scripts.append(recordTopic(shown));
    auto* control = caller->findChild<QWidget*>(button);
    QVERIFY(control);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    QCOMPARE(env.modal.openedClasses, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(shown.title, HelpTopics::title(topic));
    QCOMPARE(shown.text, asShown(topic));
    QCOMPARE(shown.owner, caller);
    QVERIFY(shown.modal);
}

void TestHelp::groupScreensShareOneTopic()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    QList<ShownTopic> shown(2);
    env.modal.scripts.append(recordTopic(shown[0]));
    env.modal.scripts.append(recordTopic(shown[1]));
    HelpTopics::openGroupsHelp(env.context, flow.creaCatalogo());
    HelpTopics::openGroupsHelp(env.context, flow.apriCatalogo());
    QCOMPARE(shown[0].owner, flow.creaCatalogo());
    QCOMPARE(shown[1].owner, flow.apriCatalogo());
    for (const ShownTopic& one : shown) {
        QCOMPARE(one.title, QStringLiteral("Creazione e apertura gruppi"));
        QCOMPARE(one.text, asShown(Topic::CreazioneApertura));
        QCOMPARE(one.text.split(QStringLiteral("\n\n")).size(), 6);
    }
}

void TestHelp::secondOpeningStartsFromTheTop()
{
    TestEnvironment env;
    QWidget owner;
    QPointer<QDialog> first;
    env.modal.scripts.append([&](QDialog& screen) {
        first = &screen;
        auto* text = screen.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
        QScrollBar* bar = text->verticalScrollBar();
        QVERIFY2(bar->maximum() > 0, "the overview is longer than the field and scrolls");
        text->moveCursor(QTextCursor::End);
        bar->setValue(bar->maximum());
        QCOMPARE(bar->value(), bar->maximum());
    });
    bool checked = false;
    env.modal.scripts.append([&](QDialog& screen) {
        QVERIFY(first.isNull()); // the first screen was destroyed; this one is fresh
        auto* text = screen.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
        QCOMPARE(text->verticalScrollBar()->value(), 0);
        QCOMPARE(text->textCursor().position(), 0);
        checked = true;
    });
    HelpTopics::open(env.context, &owner, Topic::Panoramica);
    HelpTopics::open(env.context, &owner, Topic::Panoramica);
    QVERIFY(checked);
}

void TestHelp::textCannotBeEdited()
{
    TestEnvironment env;
    TfrmGuida screen(env.context, nullptr);
    screen.setTopic(HelpTopics::title(Topic::Esportazione), HelpTopics::text(Topic::Esportazione));
    screen.show();
    auto* text = screen.findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(text->size(), QSize(625, 350));
    text->setFocus();
    QTest::keyClicks(text, "abc");
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClick(text, Qt::Key_Backspace);
    QCOMPARE(text->toPlainText(), asShown(Topic::Esportazione));
    // Long lines wrap instead of scrolling sideways.
    QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
}

void TestHelp::linksHandTheirTargetToTheShell_data()
{
    QTest::addColumn<std::function<QDialog*(TestEnvironment&, QWidget*)>>("make");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    using Make = std::function<QDialog*(TestEnvironment&, QWidget*)>;
    const Make guida = [](TestEnvironment& env, QWidget* owner) -> QDialog* {
        return new TfrmGuida(env.context, owner);
    };
    const Make info = [](TestEnvironment& env, QWidget* owner) -> QDialog* {
        return new TfrmInfo(env.context, owner);
    };
    const Make splash = [](TestEnvironment& env, QWidget* owner) -> QDialog* {
        return new TfrmSplash(env.context, owner);
    };
    // A "%1" stands for the program folder.
    QTest::newRow("guide link") << guida << "lnkWeb"
                                << "%1Guida.pdf";
    QTest::newRow("guide icon") << guida << "imgPDF"
                                << "%1Guida.pdf";
    QTest::newRow("contact link") << info << "lnkWeb"
                                  << "mailto:info@folvara.it";
    QTest::newRow("contact icon") << info << "imgEmail"
                                  << "mailto:info@folvara.it";
    QTest::newRow("web link") << splash << "lnkWeb"
                              << "https://www.folvara.it";
    QTest::newRow("web icon") << splash << "imgWeb"
                              << "https://www.folvara.it";
}

void TestHelp::linksHandTheirTargetToTheShell()
{
    QFETCH(std::function<QDialog*(TestEnvironment&, QWidget*)>, make);
    QFETCH(QString, control);
    QFETCH(QString, target);
    TestEnvironment env;
    QWidget owner;
    const std::unique_ptr<QDialog> screen(make(env, &owner));
    screen->show();
    auto* link = screen->findChild<LinkText*>(QStringLiteral("lnkWeb"));
    QVERIFY(link);
    QVERIFY(!link->accessibleName().isEmpty());
    QVERIFY(link->font().underline());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(link->colour(), QColor(0x00, 0x00, 0x8B));

    auto* pressed = screen->findChild<QWidget*>(control);
    QVERIFY(pressed);
    QCOMPARE(pressed->cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(pressed, Qt::LeftButton, {}, pressed->rect().center());
    QCOMPARE(link->colour(), QColor(0xFF, 0xA5, 0x00));
    QVERIFY(env.shell.opened.isEmpty());
    QTest::mouseRelease(pressed, Qt::LeftButton, {}, pressed->rect().center());
    QCOMPARE(link->colour(), QColor(0x00, 0x00, 0x8B));
    QCOMPARE(env.shell.opened,
             QStringList{target.contains(QStringLiteral("%1")) ? target.arg(env.folder()) : target});
    // The screen stays open: only "Chiudi" closes it.
    QVERIFY(screen->isVisible());

    // The keyboard and a screen reader reach the link once, on its text, and follow it.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link);
    QCOMPARE(accessible->role(), QAccessible::Link);
    QCOMPARE(accessible->text(QAccessible::Name), link->text());
    QVERIFY(link->focusPolicy() & Qt::TabFocus);
    if (auto* icon = qobject_cast<ImageButton*>(pressed)) {
        QCOMPARE(icon->focusPolicy(), Qt::NoFocus);
        QVERIFY(QAccessible::queryAccessibleInterface(icon)->state().invisible);
    }
    env.shell.opened.clear();
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(env.shell.opened.size(), 1);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(env.shell.opened.size(), 2);
}

void TestHelp::releasingOutsideTheLinkOpensNothing()
{
    TestEnvironment env;
    TfrmGuida screen(env.context, nullptr);
    screen.show();
    auto* link = screen.findChild<LinkText*>(QStringLiteral("lnkWeb"));
    QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(link->colour(), LinkText::pressedColour());
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(link->colour(), LinkText::restColour());
    QVERIFY(env.shell.opened.isEmpty());
}

void TestHelp::everyPictureIsDrawn_data()
{
    QTest::addColumn<std::function<QDialog*(TestEnvironment&)>>("make");
    QTest::addColumn<QStringList>("pictures");
    using Make = std::function<QDialog*(TestEnvironment&)>;
    QTest::newRow("TfrmGuida") << Make([](TestEnvironment& env) -> QDialog* {
        return new TfrmGuida(env.context, nullptr);
    }) << QStringList{"imgLogo", "imgPDF"};
    QTest::newRow("TfrmInfo") << Make([](TestEnvironment& env) -> QDialog* {
        return new TfrmInfo(env.context, nullptr);
    }) << QStringList{"imgIntestazione", "imgProgramma", "imgEmail"};
    QTest::newRow("TfrmSplash") << Make([](TestEnvironment& env) -> QDialog* {
        return new TfrmSplash(env.context, nullptr);
    }) << QStringList{"imgCrediti", "imgWeb"};
}

void TestHelp::everyPictureIsDrawn()
{
    QFETCH(std::function<QDialog*(TestEnvironment&)>, make);
    QFETCH(QStringList, pictures);
    TestEnvironment env;
    const std::unique_ptr<QDialog> screen(make(env));
    screen->show();
    for (const QString& name : pictures) {
        auto* picture = screen->findChild<Picture*>(name);
        QVERIFY2(picture, qPrintable(name));
        QVERIFY2(!picture->pixmap().isNull(), qPrintable(name));
        QVERIFY2(!picture->accessibleName().isEmpty(), qPrintable(name));
        // Inside the window.
        QVERIFY2(QRect(QPoint(), screen->size())
                     .contains(picture->mapTo(screen.get(), picture->rect().bottomRight())),
                 qPrintable(name));
    }
    auto* chiudi = screen->findChild<QPushButton*>(QStringLiteral("btnChiudi"));
    QCOMPARE(chiudi->text(), QStringLiteral("Chiudi"));
    QTest::mouseClick(chiudi, Qt::LeftButton);
    QVERIFY(!screen->isVisible());

    ReadableNames::check(*screen);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
