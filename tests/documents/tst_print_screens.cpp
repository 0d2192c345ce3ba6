#include "documents/PdfProbe.h"
#include "search/Fixture.h"
#include "support/TestEnvironment.h"

#include "documents/AnteprimaProdotto.h"
#include "documents/GroupPageScreen.h"
#include "documents/ListPrinting.h"
#include "documents/StampaProdotto.h"
#include "platform/PreviewWindow.h"
#include "search/DaRicontattare.h"
#include "search/TrovaCandidati.h"
#include "storage/TSchedaAnagrafica.h"
#include "widgets/PhotoBox.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

QStringList shownLines(const QWidget& screen)
{
    QStringList result;
    const QAbstractItemModel* model = screen.findChild<QListView*>(QStringLiteral("lstRecords"))->model();
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->index(row, 0).data().toString());
    return result;
}

void click(const QWidget& screen, const char* name)
{
    auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList manyLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("Riga %1").arg(i, 5, 10, QLatin1Char('0')));
    return lines;
}

GroupPageData soloAeB()
{
    GroupPageData data;
    data.groupName = QStringLiteral(" Gita a Roma ");
    data.pageNumber = QStringLiteral("3");
    data.persone.at(0) = {QStringLiteral("Rossi Mario "),     QStringLiteral("Capogruppo"),
                          QStringLiteral("Vegetariano"),      QStringLiteral("E-mail: mario@esempio.it"),
                          QStringLiteral("Cel. 333 1234567"), QImage(282, 366, QImage::Format_RGB32)};
    data.persone.at(0).foto.fill(Qt::red);
    data.persone.at(1).nome = QStringLiteral("Bianchi Luca");
    data.persone.at(1).prezzo = QStringLiteral("Cel. 339 7654321");
    return data;
}

} // namespace

class TestPrintScreens : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void searchPrintsTheListAsShown();
    void summaryPrintsUnderItsTitle();
    void cancellingTheDialogPrintsNothing();
    void printingTwiceGivesTwoDocuments();
    void longListShowsProgress();
    void longListCanBeStopped();

    void groupScreensLookAsDesigned_data();
    void groupScreensLookAsDesigned();
    void groupPagePreviewWithSlotsAandB();
    void groupPagePreviewPrintsTheSameSheet();
    void groupPageNewPageHasNoNumber();
    void groupPagePrintCancelledCloses();
    void groupPageFailureKeepsTheScreenOpen();

    void previewWindowOffersOnlyItsTools();
    void previewWindowSavesAsPdfFromItsToolbar();
    void pageDataReadFromTheEditorsControls();

private:
    void showActive(QWidget& screen);
    std::unique_ptr<TestEnvironment> m_env;
};

void TestPrintScreens::init()
{
    m_env = std::make_unique<TestEnvironment>();
}

void TestPrintScreens::cleanup()
{
    m_env.reset();
}

void TestPrintScreens::showActive(QWidget& screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

void TestPrintScreens::searchPrintsTheListAsShown()
{
    Fixture::scriviArchivio(TSchedaAnagrafica::archivio(m_env->folder()), Fixture::persone());
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText(QStringLiteral("candidati"));
    showActive(screen);
    click(screen, "btnCerca");
    const QStringList lines = shownLines(screen);
    QCOMPARE(lines.size(), 4);

    click(screen, "btnStampa");
    QVERIFY(screen.isVisible());
    QCOMPARE(shownLines(screen), lines);
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->printing.dialogs, 1);
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QString pdf = m_env->printing.printed.first();
    QCOMPARE(PdfProbe::pageCount(pdf), 1);
    QStringList words;
    for (const QString& line : lines)
        words.append(line.simplified());
    const QString text = PdfProbe::pageText(PdfProbe::words(pdf), 0);
    QVERIFY2(text.startsWith(QStringLiteral("Riepilogo schede anagrafiche in archivio ") + words.join(u' ') +
                             QStringLiteral(" Stampa eseguita in data ")),
             qPrintable(text));
    QCOMPARE(PdfProbe::fonts(pdf), (QStringList{"DejaVuSans-Bold", "LiberationMono"}));
    // The columns stay where the fixed-width font puts them: every line starts 3 mm in.
    const QList<PdfProbe::Word> found = PdfProbe::words(pdf);
    const PdfProbe::Word first = PdfProbe::find(found, lines.first().section(u' ', 0, 0));
    QVERIFY(std::abs(first.box.left() - 13) <= 0.5);
}

void TestPrintScreens::summaryPrintsUnderItsTitle()
{
    Fixture::scriviArchivio(TSchedaAnagrafica::archivio(m_env->folder()), Fixture::persone());
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    click(screen, "btnStampa");
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QString text = PdfProbe::pageText(PdfProbe::words(m_env->printing.printed.first()), 0);
    QVERIFY2(text.startsWith(QStringLiteral("Riepilogo persone da ricontattare Bianchi Luca")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral(" Rossi Mario ")));
    QVERIFY(!text.contains(QStringLiteral("Neri")));
    QVERIFY(screen.isVisible());
}

void TestPrintScreens::cancellingTheDialogPrintsNothing()
{
    Fixture::scriviArchivio(TSchedaAnagrafica::archivio(m_env->folder()), Fixture::persone());
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    const QStringList lines = shownLines(screen);
    m_env->printing.nextAnswers << false;
    click(screen, "btnStampa");
    QCOMPARE(m_env->printing.dialogs, 1);
    QVERIFY(m_env->printing.printed.isEmpty());
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(screen.isVisible());
    QCOMPARE(shownLines(screen), lines);
}

void TestPrintScreens::printingTwiceGivesTwoDocuments()
{
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    // An empty list prints the title and the date line and nothing between them.
    click(screen, "btnStampa");
    click(screen, "btnStampa");
    QCOMPARE(m_env->printing.printed.size(), 2);
    for (const QString& pdf : m_env->printing.printed) {
        QCOMPARE(PdfProbe::pageCount(pdf), 1);
        const QString text = PdfProbe::pageText(PdfProbe::words(pdf), 0);
        QVERIFY2(
            text.startsWith(QStringLiteral("Riepilogo persone da ricontattare Stampa eseguita in data ")),
            qPrintable(text));
    }
}

void TestPrintScreens::longListShowsProgress()
{
    QWidget owner;
    showActive(owner);
    int progressShown = 0;
    QTimer::singleShot(0, &owner, [&] {
        if (auto* progress = owner.findChild<QProgressDialog*>())
            progressShown = progress->isVisible() ? progress->maximum() : -1;
    });
    QVERIFY(ListPrinting::stampa(m_env->context, &owner, QStringLiteral("Titolo"), manyLines(1000)));
    QCOMPARE(progressShown, 18);
    QCOMPARE(PdfProbe::pageCount(m_env->printing.printed.first()), 18);
    // A short list prints without it.
    QVERIFY(ListPrinting::stampa(m_env->context, &owner, QStringLiteral("Titolo"), manyLines(100)));
    QVERIFY(!owner.findChild<QProgressDialog*>());
}

void TestPrintScreens::longListCanBeStopped()
{
    QWidget owner;
    showActive(owner);
    QTimer::singleShot(0, &owner, [&] {
        if (auto* progress = owner.findChild<QProgressDialog*>())
            progress->cancel();
    });
    QVERIFY(!ListPrinting::stampa(m_env->context, &owner, QStringLiteral("Titolo"), manyLines(5000)));
    QCOMPARE(m_env->printing.printed.size(), 1);
    // The half-made file is not left behind.
    QVERIFY(!QFileInfo::exists(m_env->printing.printed.first()));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestPrintScreens::groupScreensLookAsDesigned_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("stampa");
    QTest::newRow("preview") << true << "TfrmAnteprimaProdotto"
                             << " Anteprima di stampa"
                             << "Mostra anteprima";
    QTest::newRow("print") << false << "TfrmStampaProdotto"
                           << " Stampa scheda"
                           << "Stampa";
}

void TestPrintScreens::groupScreensLookAsDesigned()
{
    QFETCH(bool, preview);
    QFETCH(QString, screen);
    QFETCH(QString, caption);
    QFETCH(QString, stampa);
    QWidget editor;
    editor.setObjectName(QStringLiteral("frmListinoPrezzi"));
    QWidget* owner = nullptr;
    m_env->modal.scripts << [&](QDialog& dialog) {
        owner = dialog.parentWidget();
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(dialog.size(), QSize(364, 287));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnStampa"))->text(), stampa);
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnAnnulla"))->text(),
                 QStringLiteral("Annulla"));
    };
    if (preview)
        GroupPageOutput::anteprima(m_env->context, &editor, soloAeB());
    else
        GroupPageOutput::stampa(m_env->context, &editor, soloAeB());
    QCOMPARE(m_env->modal.openedClasses, QStringList{screen});
    QCOMPARE(owner, &editor);
    QVERIFY(m_env->printing.previews.isEmpty() && m_env->printing.printed.isEmpty());
}

void TestPrintScreens::groupPagePreviewWithSlotsAandB()
{
    QWidget editor;
    bool closed = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        click(dialog, "btnStampa");
        closed = !dialog.isVisible();
    };
    GroupPageOutput::anteprima(m_env->context, &editor, soloAeB());
    QVERIFY(closed);
    QCOMPARE(m_env->printing.previews.size(), 1);
    QCOMPARE(m_env->printing.previewOwners, QStringList{QStringLiteral("frmAnteprimaProdotto")});
    const QString pdf = m_env->printing.previews.first();
    const QList<PdfProbe::Word> words = PdfProbe::words(pdf);
    QCOMPARE(
        PdfProbe::pageText(words, 0),
        QStringLiteral("Gita a Roma 3 Rossi Mario Capogruppo Vegetariano E-mail: mario@esempio.it Cel. 333 "
                       "1234567 Bianchi Luca Cel. 339 7654321"));
    // Slot B's phone line ends at the right edge of its frame, in box B.
    const PdfProbe::Word phone = PdfProbe::find(words, QStringLiteral("7654321"));
    QVERIFY(std::abs(phone.box.right() - (10 + (532.91 + 171.59) / (96 / 25.4))) <= 0.5);
    QVERIFY(std::abs(phone.box.center().y() - (10 + 39 + 82.39 / (96 / 25.4) + 3.5)) <= 0.5);
    const PdfProbe::Word page = PdfProbe::find(words, QStringLiteral("3"));
    QVERIFY(std::abs(page.box.center().x() - 105) <= 0.5);
    QVERIFY(std::abs(page.box.center().y() - (10 + 275)) <= 0.5);
    QCOMPARE(PdfProbe::fonts(pdf), (QStringList{"LiberationSans", "LiberationSans-Bold"}));
}

void TestPrintScreens::groupPagePreviewPrintsTheSameSheet()
{
    QWidget editor;
    m_env->printing.printFromPreview = true;
    m_env->modal.scripts << [&](QDialog& dialog) { click(dialog, "btnStampa"); };
    GroupPageOutput::anteprima(m_env->context, &editor, soloAeB());
    QCOMPARE(m_env->printing.previews.size(), 1);
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QList<PdfProbe::Word> shown = PdfProbe::words(m_env->printing.previews.first());
    const QList<PdfProbe::Word> printed = PdfProbe::words(m_env->printing.printed.first());
    QCOMPARE(printed.size(), shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QCOMPARE(printed.at(i).text, shown.at(i).text);
        QCOMPARE(printed.at(i).box, shown.at(i).box);
    }
}

void TestPrintScreens::groupPageNewPageHasNoNumber()
{
    QWidget editor;
    GroupPageData data = soloAeB();
    data.pageNumber.clear();
    m_env->modal.scripts << [&](QDialog& dialog) { click(dialog, "btnStampa"); };
    GroupPageOutput::stampa(m_env->context, &editor, data);
    QCOMPARE(m_env->printing.printed.size(), 1);
    const QList<PdfProbe::Word> words = PdfProbe::words(m_env->printing.printed.first());
    QVERIFY(PdfProbe::pageText(words, 0).endsWith(QStringLiteral("Cel. 339 7654321")));
    for (const PdfProbe::Word& word : words)
        QVERIFY(word.box.top() < 10 + 270);
}

void TestPrintScreens::groupPagePrintCancelledCloses()
{
    QWidget editor;
    m_env->printing.nextAnswers << false;
    bool closed = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        click(dialog, "btnStampa");
        closed = !dialog.isVisible();
    };
    GroupPageOutput::stampa(m_env->context, &editor, soloAeB());
    QVERIFY(closed);
    QCOMPARE(m_env->printing.dialogs, 1);
    QVERIFY(m_env->printing.printed.isEmpty());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestPrintScreens::groupPageFailureKeepsTheScreenOpen()
{
    QWidget editor;
    bool open = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        static_cast<GroupPageScreen&>(dialog).documento().page().setLargestPicture(1000);
        click(dialog, "btnStampa");
        open = dialog.isVisible();
    };
    GroupPageOutput::anteprima(m_env->context, &editor, soloAeB());
    QVERIFY(open);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: la visualizzazione")));
    QVERIFY(m_env->printing.previews.isEmpty());
}

void TestPrintScreens::previewWindowOffersOnlyItsTools()
{
    GroupPageDocument document;
    document.fill(soloAeB());
    document.prepare();
    QList<QPrinter*> painted;
    PreviewWindow window(m_env->printing, nullptr, document.page().pageLayout(), [&](QPrinter& printer) {
        painted.append(&printer);
        Report::render(document.page(), printer);
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!painted.isEmpty());

    QStringList tools;
    for (const QAction* action : window.findChild<QToolBar*>()->actions()) {
        if (!action->isSeparator() && action->isVisible())
            tools.append(action->objectName());
    }
    QCOMPARE(tools, (QStringList{"actStampa", "actZoomPiu", "actZoomMeno", "actZoom100", "actAdatta",
                                 "actSchermoIntero", "actChiudi"}));
    QCOMPARE(window.findChildren<QToolBar*>().size(), 1);
    QVERIFY(!window.findChild<QToolBar*>()->accessibleName().isEmpty());
    QVERIFY(!window.previewWidget()->accessibleName().isEmpty());
    QPrintPreviewWidget* preview = window.previewWidget();
    QCOMPARE(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(preview->zoomFactor(), 1.0);
    QCOMPARE(preview->pageCount(), 1);
    window.findChild<QAction*>(QStringLiteral("actZoomPiu"))->trigger();
    QVERIFY(preview->zoomFactor() > 1.0);
    window.findChild<QAction*>(QStringLiteral("actZoom100"))->trigger();
    QCOMPARE(preview->zoomFactor(), 1.0);

    // Printing from the window asks for a printer of its own and prints the same sheet.
    QPrinter* previewPrinter = painted.first();
    window.findChild<QAction*>(QStringLiteral("actStampa"))->trigger();
    QCOMPARE(m_env->printing.dialogs, 1);
    QCOMPARE(m_env->printing.printed.size(), 1);
    QVERIFY(painted.last() != previewPrinter);
    QCOMPARE(
        PdfProbe::pageText(PdfProbe::words(m_env->printing.printed.first()), 0),
        QStringLiteral("Gita a Roma 3 Rossi Mario Capogruppo Vegetariano E-mail: mario@esempio.it Cel. 333 "
                       "1234567 Bianchi Luca Cel. 339 7654321"));
    // Cancelling that dialog prints nothing.
    m_env->printing.nextAnswers << false;
    const qsizetype paints = painted.size();
    window.findChild<QAction*>(QStringLiteral("actStampa"))->trigger();
    QCOMPARE(painted.size(), paints);

    window.findChild<QAction*>(QStringLiteral("actSchermoIntero"))->trigger();
    QVERIFY(window.windowState().testFlag(Qt::WindowFullScreen));
    window.findChild<QAction*>(QStringLiteral("actSchermoIntero"))->trigger();
    QVERIFY(!window.windowState().testFlag(Qt::WindowFullScreen));

    window.findChild<QAction*>(QStringLiteral("actChiudi"))->trigger();
    QVERIFY(!window.isVisible());
}

void TestPrintScreens::previewWindowSavesAsPdfFromItsToolbar()
{
    GroupPageDocument document;
    document.fill(soloAeB());
    document.prepare();
    QList<QWidget*> saves;
    PreviewWindow window(
        m_env->printing, nullptr, document.page().pageLayout(),
        [&](QPrinter& printer) { Report::render(document.page(), printer); },
        [&](QWidget* over) { saves.append(over); });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QStringList tools;
    for (const QAction* action : window.findChild<QToolBar*>()->actions()) {
        if (!action->isSeparator() && action->isVisible())
            tools.append(action->objectName());
    }
    QCOMPARE(tools, (QStringList{"actStampa", "actSalvaPdf", "actZoomPiu", "actZoomMeno", "actZoom100",
                                 "actAdatta", "actSchermoIntero", "actChiudi"}));
    // Every tool is named, says what it does and is reached by Tab.
    for (const QString& name : tools) {
        const QAction* action = window.findChild<QAction*>(name);
        QWidget* button = window.findChild<QToolBar*>()->widgetForAction(const_cast<QAction*>(action));
        QVERIFY2(button, qPrintable(name));
        QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(name));
        QVERIFY2(!action->statusTip().isEmpty() && action->toolTip().startsWith(action->statusTip()),
                 qPrintable(name));
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
    }
    auto* salva = window.findChild<QWidget*>(QStringLiteral("btnSalvaPdf"));
    QVERIFY(salva);
    QCOMPARE(salva->accessibleName(), QStringLiteral("Salva PDF"));
    QVERIFY(salva->accessibleDescription().contains(QStringLiteral("PDF")));

    // From "Stampa", Tab reaches "Salva PDF" and the space bar presses it.
    window.findChild<QWidget*>(QStringLiteral("btnStampa"))->setFocus();
    QTRY_VERIFY(window.findChild<QWidget*>(QStringLiteral("btnStampa"))->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(QApplication::focusWidget(), salva);
    QTest::keyClick(salva, Qt::Key_Space);
    QCOMPARE(saves.size(), 1);
    QCOMPARE(saves.first(), &window);
    // Ctrl+S too.
    QTest::keySequence(&window, QKeySequence::Save);
    QCOMPARE(saves.size(), 2);
    QCOMPARE(m_env->printing.dialogs, 0);
}

void TestPrintScreens::pageDataReadFromTheEditorsControls()
{
    QWidget editor;
    auto label = [&](const char* name, const QString& text) {
        auto* l = new QLabel(text, &editor);
        l->setObjectName(QString::fromLatin1(name));
    };
    auto field = [&](const QString& name, const QString& text) {
        auto* f = new QLineEdit(text, &editor);
        f->setObjectName(name);
    };
    label("lblNome", QStringLiteral("Quinta B"));
    label("lblPosizione", QStringLiteral(" 7"));
    for (int slot = 0; slot < 8; ++slot) {
        const QString x = QString(GroupPageDocument::letter(slot));
        for (const char* name : {"txtNome_", "txtUM_", "txtCaratteristiche_", "txtCodice_", "txtPrezzo_"})
            field(QString::fromLatin1(name) + x, QString::fromLatin1(name).mid(3) + x);
        auto* box = new PhotoBox(&editor, QStringLiteral("imgFoto_") + x);
        QImage picture(282, 366, QImage::Format_RGB32);
        picture.fill(QColor(slot * 30, 0, 0));
        box->setPicture(picture);
    }
    const GroupPageData data = GroupPageOutput::datiDa(editor);
    QCOMPARE(data.groupName, QStringLiteral("Quinta B"));
    QCOMPARE(data.pageNumber, QStringLiteral(" 7"));
    QCOMPARE(data.persone.at(0).nome, QStringLiteral("Nome_A"));
    QCOMPARE(data.persone.at(3).um, QStringLiteral("UM_D"));
    QCOMPARE(data.persone.at(5).caratteristiche, QStringLiteral("Caratteristiche_F"));
    QCOMPARE(data.persone.at(6).codice, QStringLiteral("Codice_G"));
    QCOMPARE(data.persone.at(7).prezzo, QStringLiteral("Prezzo_H"));
    QCOMPARE(data.persone.at(7).foto.pixel(0, 0), qRgb(210, 0, 0));
    // An editor without some control gives empty values, never a failure.
    const GroupPageData empty = GroupPageOutput::datiDa(QWidget());
    QVERIFY(empty.groupName.isEmpty() && empty.persone.at(0).foto.isNull());
}

QTEST_MAIN(TestPrintScreens)
#include "tst_print_screens.moc"
