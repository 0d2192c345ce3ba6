#include "ExportFixture.h"
#include "app/Guida.h"
#include "documents/ExpCandidati.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTableModel.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"
#include "widgets/ImageButton.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using C = TSchedaAnagrafica;

namespace {

const QString kDomanda =
    QStringLiteral("L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda "
                   "del numero di schede presenti in archivio.\r\n\r\n"
                   "Si vuole esportare i dati adesso?");
const QString kSuccesso = QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                         "Si vuole aprire il file di Excel?");
// The failure's message begins so; the system's reason and a word on the previous file follow.
const QString kFallimento = QStringLiteral("Attenzione: il sistema non permette di esportare i dati");

bool fallimento(const ShownMessage& message)
{
    return message.kind == MessageKind::Plain && message.text.startsWith(kFallimento) &&
           message.text.contains(QStringLiteral("Accertarsi che il file di Excel non sia gi\u00E0 aperto."));
}

template <typename T> T* child(const QWidget& screen, const char* name)
{
    T* found = screen.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qWarning("missing control %s", name);
    return found;
}

void clicca(const QWidget& screen, const char* name)
{
    auto* button = child<ImageButton>(screen, name);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestExportScreen : public QObject {
    Q_OBJECT

private slots:
    void controlsNamesAndHints_data();
    void controlsNamesAndHints();
    void tableLooksAsDesigned();
    void emptyRegistryShowsTenEmptyRows();
    void cardsFillTheTableInArchiveOrder();

    void fillingShowsProgressWithoutCancel();
    void exportWritesTheFileAndOpensIt();
    void noToTheFirstQuestionWritesNothing();
    void noToTheSecondQuestionOpensNothing();
    void cellBeingTypedReachesTheFileNotTheArchive();
    void editsAreGoneWhenTheScreenOpensAgain();
    void cancelledExportKeepsTheOldFileAndSaysNothing();
    void failureShowsThePlainBox();
    void fullDiskLeavesTheOldFileUntouched();
    void emptyRegistryIsNotExported();
    void exportWaitsForTheTable();

    void guideAndExit();
};

void TestExportScreen::controlsNamesAndHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cmdEsporta") << "cmdEsporta"
                                << "Esporta l'archivio in formato Microsoft Excel.";
    QTest::newRow("cmdGuida") << "cmdGuida"
                              << "Visualizza la pagina della guida sensibile al contesto.";
    QTest::newRow("cmdEsci") << "cmdEsci"
                             << "Esci da questo ambiente di lavoro.";
}

void TestExportScreen::controlsNamesAndHints()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    auto* panInfo = child<QLabel>(screen, "panInfo");
    QVERIFY(panInfo);
    QCOMPARE(panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    QVERIFY(child<QWidget>(screen, "shpInfo"));
    for (const char* control : {"imgLogo", "icoHand", "grdRecords"}) {
        QWidget* widget = child<QWidget>(screen, control);
        QVERIFY2(widget && !widget->accessibleName().isEmpty(), control);
    }
    auto* button = screen.findChild<ImageButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), hint);
    QTest::mouseMove(button);
    QTRY_COMPARE(panInfo->text(), hint);
    QTest::mouseMove(&screen, QPoint(5, 300));
    QTRY_COMPARE(panInfo->text(), QString());
}

void TestExportScreen::tableLooksAsDesigned()
{
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QTableView* grid = screen.grdRecords();
    QCOMPARE(grid->objectName(), QStringLiteral("grdRecords"));
    QCOMPARE(grid->size(), QSize(821, 409));
    QVERIFY(grid->alternatingRowColors());
    QVERIFY(!grid->verticalHeader()->isVisible());
    QCOMPARE(grid->rowHeight(0), 21);
    QCOMPARE(grid->model()->columnCount(), 26);
    const QList<int> widths = {60,  220, 150, 200, 200, 250, 220, 100, 200, 180, 150, 200, 250,
                               250, 220, 180, 180, 280, 200, 150, 150, 350, 350, 200, 350, 120};
    for (int column = 0; column < 26; ++column)
        QCOMPARE(grid->columnWidth(column), widths[column]);
    QCOMPARE(grid->model()->headerData(18, Qt::Horizontal).toString(), QStringLiteral("Ente di rilascio"));
}

void TestExportScreen::emptyRegistryShowsTenEmptyRows()
{
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    const QAbstractItemModel* model = screen.grdRecords()->model();
    QCOMPARE(model->rowCount(), 10);
    for (int row = 0; row < 10; ++row)
        for (int column = 0; column < 26; ++column)
            QCOMPARE(model->index(row, column).data().toString(), QString());
    QVERIFY(QFile::exists(C::archivio(env.folder()))); // created empty
}

void TestExportScreen::cardsFillTheTableInArchiveOrder()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    QCOMPARE(screen.grdRecords()->model()->rowCount(), 10); // filled when shown
    screen.show();
    const QAbstractItemModel* model = screen.grdRecords()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("3"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Rossi Mario"));
    QCOMPARE(model->index(1, 10).data().toString(), QStringLiteral("00743110157"));
    QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("Verdi & Figli <srl>"));
    QCOMPARE(model->index(0, 25).data().toString(), QStringLiteral("S\u00EC"));
}

void TestExportScreen::fillingShowsProgressWithoutCancel()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()),
                                  QList<TSchedaAnagrafica>(3000, ExportFixture::treSchede()[1]));
    TfrmExpCandidati screen(env.context, nullptr);
    screen.setAttesaProgresso(0);
    bool seen = false;
    QTimer::singleShot(0, &screen, [&] {
        auto* progress = screen.findChild<QProgressDialog*>();
        QVERIFY(progress && progress->isVisible());
        QCOMPARE(progress->labelText(), QStringLiteral("Lettura delle schede in archivio..."));
        QCOMPARE(progress->maximum(), 3000);
        const QList<QPushButton*> buttons = progress->findChildren<QPushButton*>();
        QVERIFY(std::none_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isVisible(); }));
        seen = true;
    });
    screen.show();
    QVERIFY(seen);
    QCOMPARE(screen.grdRecords()->model()->rowCount(), 3000);
    QCOMPARE(screen.grdRecords()->model()->index(2999, 0).data().toString(), QStringLiteral("3000"));
    QVERIFY(!screen.findChild<QProgressDialog*>());
}

void TestExportScreen::exportWritesTheFileAndOpensIt()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.texts(), QStringList({kDomanda, kSuccesso}));
    QCOMPARE(env.messages.shown[0].kind, MessageKind::Question);
    QCOMPARE(env.messages.shown[1].kind, MessageKind::Question);
    const QString path = env.path(QStringLiteral("Archivio_Anagrafico.xls"));
    QCOMPARE(env.shell.opened, QStringList{path});
    const QByteArray file = TestFiles::readAll(path);
    QVERIFY(file.startsWith("<html xmlns:o="));
    QVERIFY(file.endsWith("</table></body></html>"));
    QCOMPARE(file.count("<tr>"), 4);
    QVERIFY(file.contains(">Verdi &amp; Figli &lt;srl&gt;</td>"));
    QVERIFY(!file.contains('\n'));
    QVERIFY(screen.isVisible());
}

void TestExportScreen::noToTheFirstQuestionWritesNothing()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    env.messages.nextAnswers = {false};
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.texts(), QStringList{kDomanda});
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Archivio_Anagrafico.xls"))));
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QVERIFY(env.shell.opened.isEmpty());
}

void TestExportScreen::noToTheSecondQuestionOpensNothing()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    env.messages.nextAnswers = {true, false};
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.texts(), QStringList({kDomanda, kSuccesso}));
    QVERIFY(QFile::exists(env.path(QStringLiteral("Archivio_Anagrafico.xls"))));
    QVERIFY(env.shell.opened.isEmpty());
}

void TestExportScreen::cellBeingTypedReachesTheFileNotTheArchive()
{
    TestEnvironment env;
    const QString archive = C::archivio(env.folder());
    ExportFixture::scriviArchivio(archive, ExportFixture::treSchede());
    const QByteArray archiveBefore = TestFiles::readAll(archive);
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    QTableView* grid = screen.grdRecords();
    const QModelIndex email = grid->model()->index(1, 14);
    grid->setCurrentIndex(email);
    grid->edit(email);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "nuova@example.it");
    // The click on the export image comes while the cell is still being typed into.
    clicca(screen, "cmdEsporta");
    const QByteArray file = TestFiles::readAll(env.path(QStringLiteral("Archivio_Anagrafico.xls")));
    QVERIFY(file.contains(">nuova@example.it</td>"));
    QVERIFY(!file.contains("anna@example.it"));
    QCOMPARE(TestFiles::readAll(archive), archiveBefore);

    // A column that is not editable opens no editor.
    const QModelIndex name = grid->model()->index(1, 1);
    grid->setCurrentIndex(name);
    QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
    grid->edit(name);
    QVERIFY(!grid->viewport()->findChild<QLineEdit*>() ||
            !grid->viewport()->findChild<QLineEdit*>()->isVisible());
}

void TestExportScreen::editsAreGoneWhenTheScreenOpensAgain()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    {
        TfrmExpCandidati screen(env.context, nullptr);
        screen.show();
        QAbstractItemModel* model = screen.grdRecords()->model();
        QVERIFY(model->setData(model->index(0, 7), QStringLiteral("00100"), Qt::EditRole));
        QCOMPARE(model->index(0, 7).data().toString(), QStringLiteral("00100"));
    }
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QCOMPARE(screen.grdRecords()->model()->index(0, 7).data().toString(), QStringLiteral("06012"));
}

void TestExportScreen::cancelledExportKeepsTheOldFileAndSaysNothing()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()),
                                  QList<TSchedaAnagrafica>(3000, ExportFixture::treSchede()[1]));
    const QString path = env.path(QStringLiteral("Archivio_Anagrafico.xls"));
    TestFiles::writeAll(path, "previous export");
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QCOMPARE(screen.grdRecords()->model()->rowCount(), 3000);
    // The progress window shows at once, and the user presses its cancel button.
    screen.setAttesaProgresso(0);
    QString cancelText;
    QTimer::singleShot(0, &screen, [&] {
        auto* progress = screen.findChild<QProgressDialog*>();
        QVERIFY(progress && progress->isVisible());
        auto* annulla = progress->findChild<QPushButton*>();
        QVERIFY(annulla);
        cancelText = annulla->text();
        annulla->click();
    });
    clicca(screen, "cmdEsporta");
    QCOMPARE(cancelText, QStringLiteral("Annulla"));
    QCOMPARE(env.messages.texts(), QStringList{kDomanda});
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    QVERIFY(env.shell.opened.isEmpty());
    QVERIFY(!screen.findChild<QProgressDialog*>());
}

void TestExportScreen::failureShowsThePlainBox()
{
    TestEnvironment env;
    // A folder where the file should be: it can be neither written nor replaced.
    QVERIFY(QDir(env.folder()).mkdir(QStringLiteral("Archivio_Anagrafico.xls")));
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown[0].text, kDomanda);
    QVERIFY2(fallimento(env.messages.shown[1]), qPrintable(env.messages.lastText()));
    QVERIFY(env.shell.opened.isEmpty());
    QVERIFY(QFileInfo(env.path(QStringLiteral("Archivio_Anagrafico.xls"))).isDir());
    QVERIFY(screen.isVisible());
}

void TestExportScreen::fullDiskLeavesTheOldFileUntouched()
{
#ifdef Q_OS_UNIX
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()),
                                  QList<TSchedaAnagrafica>(300, ExportFixture::treSchede()[1]));
    const QString path = env.path(QStringLiteral("Archivio_Anagrafico.xls"));
    TestFiles::writeAll(path, "previous export");
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    // Files of this process may not grow beyond 64 kB, as on a disk that is full.
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    clicca(screen, "cmdEsporta");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(env.messages.shown.size(), 2);
    QVERIFY2(fallimento(env.messages.shown[1]), qPrintable(env.messages.lastText()));
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
#else
    QSKIP("needs a file size limit");
#endif
}

void TestExportScreen::emptyRegistryIsNotExported()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("Archivio_Anagrafico.xls"));
    TestFiles::writeAll(path, "previous export");
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown[0].kind, MessageKind::Warning);
    QVERIFY(env.messages.lastText().startsWith(QStringLiteral("L'archivio \u00E8 vuoto")));
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QVERIFY(env.shell.opened.isEmpty());
}

void TestExportScreen::exportWaitsForTheTable()
{
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()),
                                  QList<TSchedaAnagrafica>(3000, ExportFixture::treSchede()[1]));
    const QString path = env.path(QStringLiteral("Archivio_Anagrafico.xls"));
    TestFiles::writeAll(path, "previous export");
    TfrmExpCandidati screen(env.context, nullptr);
    screen.setAttesaProgresso(0);
    bool tried = false;
    // While the table is read, the command is unavailable, whatever presses it.
    QTimer::singleShot(0, &screen, [&] {
        auto* esporta = child<ImageButton>(screen, "cmdEsporta");
        QVERIFY(!esporta->isEnabled());
        QMetaObject::invokeMethod(esporta, "clicked");
        tried = true;
    });
    screen.show();
    QVERIFY(tried);
    QVERIFY(env.messages.shown.isEmpty());
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QVERIFY(child<ImageButton>(screen, "cmdEsporta")->isEnabled());
}

void TestExportScreen::guideAndExit()
{
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdGuida");
    QCOMPARE(env.modal.openedClasses, QStringList{QStringLiteral("TfrmGuida")});
    QVERIFY(screen.isVisible());
    clicca(screen, "cmdEsci");
    QVERIFY(!screen.isVisible());
}

QTEST_MAIN(TestExportScreen)
#include "tst_export_screen.moc"
