#include "documents/PdfProbe.h"
#include "search/Fixture.h"
#include "support/TestEnvironment.h"

#include "documents/DocumentOutput.h"
#include "documents/GroupPageScreen.h"
#include "documents/ListDocument.h"
#include "documents/ListPrinting.h"
#include "privacy/ConsentFormDocument.h"
#include "search/TrovaCandidati.h"
#include "storage/TSchedaAnagrafica.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

void click(const QWidget& screen, const char* name)
{
    auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

GroupPageData pagina()
{
    GroupPageData data;
    data.groupName = QStringLiteral("Gita a Roma");
    data.pageNumber = QStringLiteral("3");
    data.persone.at(0) = {QStringLiteral("Rossi Mario"),      QStringLiteral("Capogruppo"),
                          QStringLiteral("Vegetariano"),      QStringLiteral("E-mail: mario@esempio.it"),
                          QStringLiteral("Cel. 333 1234567"), QImage(282, 366, QImage::Format_RGB32)};
    data.persone.at(0).foto.fill(Qt::red);
    data.persone.at(1).nome = QStringLiteral("Bianchi Luca");
    return data;
}

QStringList manyLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("Riga %1").arg(i, 5, 10, QLatin1Char('0')));
    return lines;
}

// The saved file holds the same words at the same places as the printed one; the time of the
// date line may differ by a second.
void sameLayout(const QString& saved, const QString& printed)
{
    QList<PdfProbe::Word> a = PdfProbe::words(saved);
    QList<PdfProbe::Word> b = PdfProbe::words(printed);
    const auto time = [](const PdfProbe::Word& word) { return word.text.count(QLatin1Char(':')) == 2; };
    a.removeIf(time);
    b.removeIf(time);
    QVERIFY(!a.isEmpty());
    QCOMPARE(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        QCOMPARE(a.at(i).text, b.at(i).text);
        QVERIFY2(std::abs(a.at(i).box.left() - b.at(i).box.left()) < 0.01, qPrintable(a.at(i).text));
        QVERIFY2(std::abs(a.at(i).box.top() - b.at(i).box.top()) < 0.01, qPrintable(a.at(i).text));
    }
}

} // namespace

class TestPdfScreens : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listSavesThePrintedSheet();
    void groupPageSavesThePrintedSheet_data();
    void groupPageSavesThePrintedSheet();
    void cancelledSaveDialogKeepsTheScreenOpen();
    void refusedFolderLeavesNothing();
    void lastFolderIsProposedAgain();
    void openingIsOffered();
    void longListShowsProgressAndCanStop();
    void printedPdfReadsBlanks_data();
    void printedPdfReadsBlanks();
    void previewWindowSavesThePage();
    void pdfTheSystemCannotOpenIsReported();

private:
    QString saveTo(const QString& name);
    std::unique_ptr<TestEnvironment> m_env;
};

void TestPdfScreens::init()
{
    m_env = std::make_unique<TestEnvironment>();
}

void TestPdfScreens::cleanup()
{
    m_env.reset();
}

QString TestPdfScreens::saveTo(const QString& name)
{
    const QString path = m_env->dir.filePath(name);
    m_env->fileDialogs.nextNames << path;
    return path;
}

void TestPdfScreens::listSavesThePrintedSheet()
{
    Fixture::scriviArchivio(TSchedaAnagrafica::archivio(m_env->folder()), Fixture::persone());
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText(QStringLiteral("candidati"));
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    click(screen, "btnCerca");
    click(screen, "btnStampa");
    QCOMPARE(m_env->printing.printed.size(), 1);

    const QString path = saveTo(QStringLiteral("elenco"));
    click(screen, "btnSalvaPdf");
    QVERIFY(screen.isVisible());
    QCOMPARE(m_env->printing.dialogs, 1);
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    const RecordingFileDialogs::Request request = m_env->fileDialogs.requests.first();
    QVERIFY(request.save);
    QCOMPARE(QFileInfo(request.proposedName).fileName(),
             ListPrinting::pdfName(QStringLiteral("Riepilogo schede anagrafiche in archivio"),
                                   QDate::currentDate()));
    QVERIFY(request.filters.contains(QStringLiteral("*.pdf")));
    // The dialog gave a name without extension: ".pdf" is added.
    QVERIFY(QFileInfo::exists(path + QStringLiteral(".pdf")));
    sameLayout(path + QStringLiteral(".pdf"), m_env->printing.printed.first());
    QCOMPARE(PdfProbe::fonts(path + QStringLiteral(".pdf")),
             (QStringList{"DejaVuSans-Bold", "LiberationMono"}));
}

void TestPdfScreens::groupPageSavesThePrintedSheet_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("preview screen") << true;
    QTest::newRow("print screen") << false;
}

void TestPdfScreens::groupPageSavesThePrintedSheet()
{
    QFETCH(bool, preview);
    QWidget editor;
    m_env->modal.scripts << [&](QDialog& dialog) { click(dialog, "btnStampa"); };
    GroupPageOutput::stampa(m_env->context, &editor, pagina());
    QCOMPARE(m_env->printing.printed.size(), 1);

    const QString path = saveTo(QStringLiteral("pagina.pdf"));
    bool closed = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("btnSalvaPdf"))->text(),
                 QStringLiteral("Salva PDF"));
        click(dialog, "btnSalvaPdf");
        closed = !dialog.isVisible();
    };
    if (preview)
        GroupPageOutput::anteprima(m_env->context, &editor, pagina());
    else
        GroupPageOutput::stampa(m_env->context, &editor, pagina());
    QVERIFY(closed);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Gita a Roma - pagina 3.pdf"));
    QVERIFY(m_env->printing.previews.isEmpty());
    QCOMPARE(m_env->printing.printed.size(), 1);
    QCOMPARE(PdfProbe::pageCount(path), 1);
    sameLayout(path, m_env->printing.printed.first());
}

void TestPdfScreens::cancelledSaveDialogKeepsTheScreenOpen()
{
    QWidget editor;
    bool open = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        click(dialog, "btnSalvaPdf");
        open = dialog.isVisible();
    };
    GroupPageData data = pagina();
    data.pageNumber.clear();
    GroupPageOutput::stampa(m_env->context, &editor, data);
    QVERIFY(open);
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Gita a Roma - nuova pagina.pdf"));
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files), QStringList());
}

void TestPdfScreens::refusedFolderLeavesNothing()
{
    // A file stands where the folder should be; nothing may be left beside it.
    const QString blocker = m_env->dir.filePath(QStringLiteral("Documenti"));
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString path = blocker + QStringLiteral("/Elenco.pdf");
    m_env->fileDialogs.nextNames << path;
    QWidget owner;
    QVERIFY(!ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(
        QStringLiteral("Attenzione: il file PDF non \u00E8 stato salvato.")));
    QVERIFY(m_env->messages.lastText().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("Documenti")});
    QVERIFY(m_env->shell.opened.isEmpty());
}

void TestPdfScreens::lastFolderIsProposedAgain()
{
    QVERIFY(QDir(m_env->folder()).mkdir(QStringLiteral("Archivio PDF")));
    const QString first = saveTo(QStringLiteral("Archivio PDF/primo.pdf"));
    QWidget owner;
    QVERIFY(ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QVERIFY(QFileInfo::exists(first));
    QCOMPARE(DocumentOutput::lastPdfFolder(m_env->folder()), QFileInfo(first).absolutePath());
    m_env->fileDialogs.nextNames << QString();
    QVERIFY(!ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.last().proposedName).absolutePath(),
             QFileInfo(first).absolutePath());

    // The next run of the program proposes it too.
    const QSettings settings(QDir(m_env->folder()).filePath(QStringLiteral("Stampa.ini")),
                             QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Pdf/Cartella")).toString(), QFileInfo(first).absolutePath());
}

void TestPdfScreens::openingIsOffered()
{
    QWidget owner;
    const QString path = saveTo(QStringLiteral("elenco.pdf"));
    m_env->messages.nextAnswers << false;
    QVERIFY(ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QVERIFY(m_env->messages.lastText().contains(QDir::toNativeSeparators(path)));
    QVERIFY(m_env->shell.opened.isEmpty());

    saveTo(QStringLiteral("elenco.pdf"));
    QVERIFY(ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QCOMPARE(m_env->shell.opened, QStringList{path});
}

void TestPdfScreens::longListShowsProgressAndCanStop()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    int progressShown = 0;
    QTimer::singleShot(0, &owner, [&] {
        if (auto* progress = owner.findChild<QProgressDialog*>(QStringLiteral("frmProgressoPdf")))
            progressShown = progress->isVisible() ? progress->maximum() : -1;
    });
    const QString whole = saveTo(QStringLiteral("lungo.pdf"));
    QVERIFY(ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Titolo"), manyLines(1000)));
    QCOMPARE(progressShown, 18);
    QCOMPARE(PdfProbe::pageCount(whole), 18);

    QTimer::singleShot(0, &owner, [&] {
        if (auto* progress = owner.findChild<QProgressDialog*>(QStringLiteral("frmProgressoPdf")))
            progress->cancel();
    });
    const QString stopped = saveTo(QStringLiteral("fermato.pdf"));
    m_env->messages.clear();
    QVERIFY(!ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Titolo"), manyLines(5000)));
    QVERIFY(!QFileInfo::exists(stopped));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestPdfScreens::printedPdfReadsBlanks_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("list through the print dialog") << "list";
    QTest::newRow("consent form through the print dialog") << "consent";
    QTest::newRow("print command of the preview") << "preview";
    QTest::newRow("text document through the print dialog") << "text";
}

void TestPdfScreens::printedPdfReadsBlanks()
{
    // A PDF printed to a file by the print dialog gets the text layer "Salva PDF" gives.
    QFETCH(QString, how);
    QWidget owner;
    const QStringList lines{QStringLiteral("Rossi Mario          Passaporto           fra 5 giorni"),
                            QStringLiteral("Bianchi Luca         Carta di identita    fra 9 giorni")};
    if (how == QLatin1String("list")) {
        QVERIFY(ListPrinting::stampa(m_env->context, &owner, QStringLiteral("Scadenze e compleanni"), lines));
    } else if (how == QLatin1String("consent")) {
        QVERIFY(DocumentOutput::print(m_env->context, &owner, ConsentFormDocument(lines)));
    } else if (how == QLatin1String("preview")) {
        m_env->printing.printFromPreview = true;
        ListDocument document;
        ListPrinting::fill(document, QStringLiteral("Scadenze e compleanni"), lines,
                           QDateTime::currentDateTime());
        DocumentOutput::preview(m_env->context, &owner, document, QStringLiteral("Elenco.pdf"));
    } else {
        const std::unique_ptr<QPrinter> printer =
            m_env->printing.choosePrinter(&owner, Report::a4(QPageLayout::Portrait));
        QTextDocument text;
        text.setPlainText(lines.join(u'\n'));
        text.print(printer.get());
        QVERIFY(DocumentOutput::finishPrintedFile(*printer));
    }
    QCOMPARE(m_env->printing.printed.size(), 1);
    QCOMPARE(PdfProbe::tabsInTextLayer(m_env->printing.printed.first()), 0);
    const QString raw = PdfProbe::rawText(m_env->printing.printed.first());
    QVERIFY2(!raw.contains(QLatin1Char('\t')), qPrintable(raw));
    QVERIFY2(raw.simplified().contains(QStringLiteral("Rossi Mario Passaporto fra 5 giorni")),
             qPrintable(raw));
    QCOMPARE(PdfProbe::pageCount(m_env->printing.printed.first()), 1);
}

void TestPdfScreens::previewWindowSavesThePage()
{
    QWidget editor;
    m_env->printing.savePdfFromPreview = true;
    const QString path = saveTo(QStringLiteral("dall'anteprima.pdf"));
    bool closed = false;
    m_env->modal.scripts << [&](QDialog& dialog) {
        click(dialog, "btnStampa");
        closed = !dialog.isVisible();
    };
    GroupPageOutput::anteprima(m_env->context, &editor, pagina());
    QVERIFY(closed);
    QCOMPARE(m_env->printing.previews.size(), 1);
    QCOMPARE(m_env->printing.previewSaveCommands, 1);
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(QFileInfo(m_env->fileDialogs.requests.first().proposedName).fileName(),
             QStringLiteral("Gita a Roma - pagina 3.pdf"));
    sameLayout(path, m_env->printing.previews.first());
    QCOMPARE(m_env->shell.opened, QStringList{path});
}

void TestPdfScreens::pdfTheSystemCannotOpenIsReported()
{
    QWidget owner;
    const QString path = saveTo(QStringLiteral("elenco.pdf"));
    m_env->shell.opens = false;
    QVERIFY(ListPrinting::salvaPdf(m_env->context, &owner, QStringLiteral("Elenco"), manyLines(3)));
    QCOMPARE(m_env->shell.opened, QStringList{path});
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(
        QStringLiteral("Attenzione: il sistema non ha potuto aprire il file")));
    QVERIFY(m_env->messages.lastText().contains(QDir::toNativeSeparators(path)));
    // The file stays, whole.
    QCOMPARE(PdfProbe::pageCount(path), 1);
}

QTEST_MAIN(TestPdfScreens)
#include "tst_pdf_screens.moc"
