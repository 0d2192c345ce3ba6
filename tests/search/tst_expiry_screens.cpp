#include "Fixture.h"
#include "app/Avvio.h"
#include "app/HelpTopics.h"
#include "app/ScreenFlow.h"
#include "documents/PdfProbe.h"
#include "registry/Candidati.h"
#include "search/ExpiryList.h"
#include "search/ExpirySettings.h"
#include "search/Scadenze.h"
#include "storage/ShortStringField.h"
#include "storage/TSchedaGruppo.h"
#include "support/TestEnvironment.h"
#include "widgets/ImageButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

using C = TSchedaAnagrafica;

namespace {

QString inDays(int days)
{
    return ExpiryList::shortDate(QDate::currentDate().addDays(days));
}

TSchedaAnagrafica persona(const QString& name, const QString& expiry, const QString& birth = QString())
{
    return Fixture::scheda({{C::Candidato, name},
                            {C::FineTes, expiry},
                            {C::DataNasc, birth},
                            {C::Documento, "Passaporto"},
                            {C::Email, "x@y.it"}});
}

// Three documents within 7 days, one later, one unreadable.
void writeArchive(TestEnvironment& env)
{
    Fixture::scriviArchivio(C::archivio(env.folder()),
                            {persona("Rossi Mario", inDays(5)), persona("Neri Anna", inDays(2)),
                             persona("Bianchi Luca", inDays(30)), persona("Verdi Ugo", "31/02/2027"),
                             persona("Gialli Eva", inDays(7))});
}

QStringList shown(const TfrmScadenze& screen)
{
    return screen.righe();
}

int rowOf(const TfrmScadenze& screen, const QString& name)
{
    const QStringList lines = shown(screen);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).contains(name) && lines.at(i).startsWith(QStringLiteral("  ")))
            return i;
    }
    return -1;
}

template <typename T> T* child(const QWidget& screen, const QString& name)
{
    T* found = screen.findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

} // namespace

class TestExpiryScreens : public QObject {
    Q_OBJECT

private slots:
    void launcherOpensTheListAndTheCardGoesToTheEditor();
    void enterOpensTheCardFromTheEditor();
    void headingsOpenNothing();
    void referenceDateInTheFuture();
    void groupFilter();
    void printedListReadsBack();
    void savedPdfReadsBack();
    void printedListReadsBlanks();
    void noticeAfterLogin();
    void noticeOffByDefault();
    void noticeSettingIsSaved();
    void helpButtonOpensTheTopic();
};

void TestExpiryScreens::launcherOpensTheListAndTheCardGoesToTheEditor()
{
    TestEnvironment env;
    writeArchive(env);
    ScreenFlow& flow = env.flow();
    flow.avvio()->present();
    env.modal.scripts << [](QDialog& dialog) {
        auto& screen = static_cast<TfrmScadenze&>(dialog);
        const QStringList lines = shown(screen);
        // Sorted by date, the unreadable one apart, the later one beyond 60 days absent.
        QVERIFY(rowOf(screen, "Neri Anna") < rowOf(screen, "Rossi Mario"));
        QVERIFY(rowOf(screen, "Rossi Mario") < rowOf(screen, "Gialli Eva"));
        QVERIFY(rowOf(screen, "Gialli Eva") < rowOf(screen, "Bianchi Luca"));
        QVERIFY(lines.contains(QStringLiteral("DATE DA VERIFICARE: 1")));
        QVERIFY(lines.at(rowOf(screen, "Verdi Ugo")).contains(QStringLiteral("\"31/02/2027\"")));
        QCOMPARE(child<QSpinBox>(screen, "txtGiorniDocumenti")->value(), 60);
        QCOMPARE(child<QSpinBox>(screen, "txtGiorniCompleanni")->value(), 30);
        QCOMPARE(child<QDateEdit>(screen, "txtData")->date(), QDate::currentDate());

        QListView* list = screen.lstRecords();
        const QModelIndex index = list->model()->index(rowOf(screen, "Rossi Mario"), 0);
        list->scrollTo(index);
        const QPoint at = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.schedaAperta(), 1);
    };
    click(flow.avvio()->findChild<ImageButton*>(QStringLiteral("imgScadenze")));
    QCOMPARE(env.modal.openedClasses, QStringList{QStringLiteral("TfrmScadenze")});
    QCOMPARE(flow.candidati()->campo(C::Candidato)->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(flow.candidati()->lblPosizione()->text(), QStringLiteral("1"));
    QVERIFY(flow.candidati()->isVisible());
    QVERIFY(!flow.avvio()->isVisible());
}

void TestExpiryScreens::enterOpensTheCardFromTheEditor()
{
    TestEnvironment env;
    writeArchive(env);
    ScreenFlow& flow = env.flow();
    flow.candidati()->present();
    env.modal.scripts << [](QDialog& dialog) {
        auto& screen = static_cast<TfrmScadenze&>(dialog);
        QListView* list = screen.lstRecords();
        list->setCurrentIndex(list->model()->index(rowOf(screen, "Verdi Ugo"), 0));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!screen.isVisible());
    };
    click(flow.candidati()->findChild<ImageButton*>(QStringLiteral("cmdScadenze")));
    QCOMPARE(flow.candidati()->campo(C::Candidato)->text(), QStringLiteral("Verdi Ugo"));
    QCOMPARE(flow.candidati()->campo(C::FineTes)->text(), QStringLiteral("31/02/2027"));
    QCOMPARE(flow.candidati()->lblPosizione()->text(), QStringLiteral("4"));
}

void TestExpiryScreens::headingsOpenNothing()
{
    TestEnvironment env;
    writeArchive(env);
    env.flow();
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    QListView* list = screen.lstRecords();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.schedaAperta(), 0);
    QVERIFY(env.messages.shown.isEmpty());
}

void TestExpiryScreens::referenceDateInTheFuture()
{
    TestEnvironment env;
    writeArchive(env);
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    QVERIFY(!shown(screen).at(rowOf(screen, "Bianchi Luca")).contains(QStringLiteral("SCADUTO")));
    // The trip is in 40 days: valid today, expired by then.
    child<QDateEdit>(screen, "txtData")->setDate(QDate::currentDate().addDays(40));
    child<QSpinBox>(screen, "txtGiorniDocumenti")->setValue(0);
    click(child<QPushButton>(screen, "btnAggiorna"));
    const QString line = shown(screen).at(rowOf(screen, "Bianchi Luca"));
    QVERIFY2(line.contains(QStringLiteral("SCADUTO")) && line.contains(QStringLiteral("-10 giorni")),
             qPrintable(line));
}

void TestExpiryScreens::groupFilter()
{
    TestEnvironment env;
    writeArchive(env);
    {
        TArchivioSchede archivio;
        archivio.ApriOCrea(env.path(QStringLiteral("Gita Roma.fvg")), TSchedaGruppo::kSize);
        TSchedaGruppo page;
        page.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("ROSSI MARIO"));
        page.setTesto(5, TSchedaGruppo::Nome, QStringLiteral("Verdi  Ugo"));
        archivio.ScriviScheda(page.buffer());
        archivio.ChiudiArchivio();
    }
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    auto* gruppi = child<QComboBox>(screen, "lstGruppo");
    QCOMPARE(gruppi->count(), 2);
    QCOMPARE(gruppi->itemText(1), QStringLiteral("Gruppo Gita Roma"));
    gruppi->setCurrentIndex(1);
    click(child<QPushButton>(screen, "btnAggiorna"));
    QVERIFY(rowOf(screen, "Rossi Mario") > 0);
    QVERIFY(rowOf(screen, "Verdi Ugo") > 0);
    QCOMPARE(rowOf(screen, "Neri Anna"), -1);
    QCOMPARE(rowOf(screen, "Bianchi Luca"), -1);
    // Its PDF is named after the group.
    click(child<QPushButton>(screen, "btnSalvaPdf"));
    QCOMPARE(QFileInfo(env.fileDialogs.requests.last().proposedName).fileName(),
             QStringLiteral("Scadenze - gruppo Gita Roma %1.pdf")
                 .arg(QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"))));

    // A group file that went away: the access message, the list stays.
    QVERIFY(QFile::remove(env.path(QStringLiteral("Gita Roma.fvg"))));
    QDir(env.folder()).mkdir(QStringLiteral("Gita Roma.fvg"));
    click(child<QPushButton>(screen, "btnAggiorna"));
    QCOMPARE(env.messages.shown.size(), 1);
    QVERIFY(env.messages.lastText().startsWith(QStringLiteral("Attenzione: il sistema non permette")));
    QVERIFY(rowOf(screen, "Rossi Mario") > 0);
}

void TestExpiryScreens::printedListReadsBack()
{
    TestEnvironment env;
    writeArchive(env);
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    click(child<QPushButton>(screen, "btnStampa"));
    QCOMPARE(env.printing.printed.size(), 1);
    const QList<PdfProbe::Word> words = PdfProbe::words(env.printing.printed.first());
    const QString page = PdfProbe::pageText(words, 0);
    const QString title = QStringLiteral("Scadenze e compleanni - intero archivio - data di riferimento ") +
                          ExpiryList::shortDate(QDate::currentDate());
    QVERIFY2(page.startsWith(title), qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("Neri Anna Passaporto")));
    QVERIFY(page.contains(QStringLiteral("DATE DA VERIFICARE: 1")));
    QVERIFY(page.contains(QStringLiteral("\"31/02/2027\" Verdi Ugo")));
    // Neri Anna (2 days) comes before Rossi Mario (5 days).
    QVERIFY(page.indexOf(QStringLiteral("Neri Anna")) < page.indexOf(QStringLiteral("Rossi Mario")));
}

void TestExpiryScreens::savedPdfReadsBack()
{
    TestEnvironment env;
    writeArchive(env);
    // The folder of the last PDF saved, as every "Salva PDF" of the program keeps it.
    const QString folder = env.dir.filePath(QStringLiteral("PDF salvati"));
    QVERIFY(QDir().mkpath(folder));
    QSettings(env.path(QStringLiteral("Stampa.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("Pdf/Cartella"), folder);
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    auto* gruppi = child<QComboBox>(screen, "lstGruppo");
    QCOMPARE(gruppi->count(), 1);

    // Cancelled: no file, no message. The name carries the day, in the folder used last.
    click(child<QPushButton>(screen, "btnSalvaPdf"));
    QCOMPARE(env.fileDialogs.requests.size(), 1);
    const QString proposed = env.fileDialogs.requests.first().proposedName;
    QCOMPARE(
        QFileInfo(proposed).fileName(),
        QStringLiteral("Scadenze %1.pdf").arg(QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"))));
    QCOMPARE(QFileInfo(proposed).absolutePath(), QFileInfo(folder).absoluteFilePath());
    QVERIFY(env.messages.shown.isEmpty());

    // Saved: the question names the file and offers to open it.
    const QString pdf = env.path(QStringLiteral("scelto.pdf"));
    env.fileDialogs.nextNames << pdf;
    click(child<QPushButton>(screen, "btnSalvaPdf"));
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().kind, MessageKind::Question);
    QVERIFY(env.messages.lastText().contains(QDir::toNativeSeparators(pdf)));
    QCOMPARE(env.shell.opened, QStringList{pdf});
    QCOMPARE(PdfProbe::pageCount(pdf), 1);
    const QString page = PdfProbe::pageText(PdfProbe::words(pdf), 0);
    QVERIFY2(page.startsWith(QStringLiteral("Scadenze e compleanni - intero archivio")), qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("Gialli Eva Passaporto")));
    QVERIFY(page.contains(QStringLiteral("Stampa eseguita in data")));
    // The text layer reads blanks, not tabs, between the columns.
    QCOMPARE(PdfProbe::tabsInTextLayer(pdf), 0);
    const QString raw = PdfProbe::rawText(pdf);
    QVERIFY2(!raw.contains(QLatin1Char('\t')), qPrintable(raw));
    QVERIFY(raw.contains(QStringLiteral("Gialli Eva ")));
    // The next "Salva PDF" proposes the folder of this one.
    env.fileDialogs.nextNames << QString();
    click(child<QPushButton>(screen, "btnSalvaPdf"));
    QCOMPARE(QFileInfo(env.fileDialogs.requests.last().proposedName).absolutePath(),
             QFileInfo(pdf).absolutePath());

    // A folder that cannot take the file: a warning, nothing left behind.
    const QString nowhere = env.path(QStringLiteral("manca/elenco.pdf"));
    env.fileDialogs.nextNames << nowhere;
    click(child<QPushButton>(screen, "btnSalvaPdf"));
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown.last().kind, MessageKind::Warning);
    QVERIFY(!QFile::exists(nowhere));
}

void TestExpiryScreens::printedListReadsBlanks()
{
    // "Stampa su file (PDF)" of the print dialog gives the same text layer as "Salva PDF".
    TestEnvironment env;
    writeArchive(env);
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    click(child<QPushButton>(screen, "btnStampa"));
    QCOMPARE(env.printing.printed.size(), 1);
    QCOMPARE(PdfProbe::tabsInTextLayer(env.printing.printed.first()), 0);
    const QString raw = PdfProbe::rawText(env.printing.printed.first());
    QVERIFY2(!raw.contains(QLatin1Char('\t')), qPrintable(raw));
    QVERIFY(raw.contains(QStringLiteral("Neri Anna ")));
}

void TestExpiryScreens::noticeAfterLogin()
{
    TestEnvironment env;
    writeArchive(env);
    QVERIFY(ExpirySettings(env.folder()).setNoticeAfterLogin(true));
    ScreenFlow& flow = env.flow();
    flow.avvio()->present();
    QString notice;
    env.modal.scripts << [&notice](QDialog& dialog) {
        notice = child<QLabel>(dialog, "lblAvviso")->text();
        click(child<QPushButton>(dialog, "btnApri"));
    };
    int days = -1;
    env.modal.scripts <<
        [&days](QDialog& dialog) { days = child<QSpinBox>(dialog, "txtGiorniDocumenti")->value(); };
    flow.avvio()->dopoAccesso();
    QCOMPARE(env.modal.openedClasses, (QStringList{"TfrmAvvisoScadenze", "TfrmScadenze"}));
    QCOMPARE(notice, QStringLiteral("3 documenti scadono entro 7 giorni"));
    QCOMPARE(days, 7);

    // "Chiudi" opens nothing further.
    env.modal.openedClasses.clear();
    env.modal.scripts << [](QDialog& dialog) { click(child<QPushButton>(dialog, "btnChiudi")); };
    flow.avvio()->dopoAccesso();
    QCOMPARE(env.modal.openedClasses, QStringList{"TfrmAvvisoScadenze"});
}

void TestExpiryScreens::noticeOffByDefault()
{
    TestEnvironment env;
    writeArchive(env);
    ScreenFlow& flow = env.flow();
    flow.avvio()->dopoAccesso();
    QVERIFY(env.modal.openedClasses.isEmpty());
    // On, but nothing within 7 days: no notice either.
    QVERIFY(QFile::remove(C::archivio(env.folder())));
    Fixture::scriviArchivio(C::archivio(env.folder()), {persona("Bianchi Luca", inDays(30))});
    QVERIFY(ExpirySettings(env.folder()).setNoticeAfterLogin(true));
    flow.avvio()->dopoAccesso();
    QVERIFY(env.modal.openedClasses.isEmpty());
}

void TestExpiryScreens::noticeSettingIsSaved()
{
    TestEnvironment env;
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    auto* avviso = child<QCheckBox>(screen, "chkAvviso");
    QVERIFY(!avviso->isChecked());
    QTest::mouseClick(avviso, Qt::LeftButton, {}, QPoint(8, avviso->height() / 2));
    QVERIFY(ExpirySettings(env.folder()).noticeAfterLogin());
    TfrmScadenze again(env.context, nullptr);
    QVERIFY(child<QCheckBox>(again, "chkAvviso")->isChecked());

    // A settings file that cannot be replaced: a warning, and the box shows what is stored.
    const QString path = ExpirySettings(env.folder()).path();
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(env.folder()).mkdir(ExpirySettings::fileName()));
    QTest::mouseClick(avviso, Qt::LeftButton, {}, QPoint(8, avviso->height() / 2));
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(avviso->isChecked());
}

void TestExpiryScreens::helpButtonOpensTheTopic()
{
    TestEnvironment env;
    TfrmScadenze screen(env.context, nullptr);
    screen.show();
    QString title;
    env.modal.scripts <<
        [&title](QDialog& dialog) { title = dialog.findChild<QLabel*>("lblTitolo")->text(); };
    click(child<ImageButton>(screen, "imgGuida"));
    QCOMPARE(env.modal.openedClasses, QStringList{"TfrmGuida"});
    QCOMPARE(title, HelpTopics::title(HelpTopics::Topic::Scadenze));
}

QTEST_MAIN(TestExpiryScreens)
#include "tst_expiry_screens.moc"
