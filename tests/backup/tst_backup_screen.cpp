#include "backup/BackupRestorer.h"
// The backup screen, its launcher button and the reminder at exit.
#include "BackupFixture.h"
#include "app/Avvio.h"
#include "app/Backup.h"
#include "app/ScreenFlow.h"
#include "backup/BackupFolder.h"
#include "backup/BackupSettings.h"
#include "support/ReadableNames.h"
#include "support/TestEnvironment.h"
#include "widgets/ImageButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;

namespace {

void click(QWidget* screen, const char* name)
{
    QWidget* control = screen->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(control, name);
    QVERIFY2(control->isEnabled(), name);
    if (auto* button = qobject_cast<QPushButton*>(control))
        button->click();
    else
        qobject_cast<ImageButton*>(control)->click();
}

QString stato(TfrmBackup& screen, int row)
{
    return screen.findChild<QTableWidget*>(QStringLiteral("grdBackup"))->item(row, 3)->text();
}

void seleziona(TfrmBackup& screen, int row)
{
    screen.findChild<QTableWidget*>(QStringLiteral("grdBackup"))->setCurrentCell(row, 0);
}

// A program folder one level down in the test's folder, with data and no backup settings yet:
// the proposed backup folder lies in the test's folder too.
struct PrimoAvvio {
    TestEnvironment env;
    QString sopra;
    PrimoAvvio()
    {
        sopra = env.folder();
        env.context.programFolder = sopra + QStringLiteral("Folvara/");
        QDir().mkpath(env.folder());
        riempi(env.folder(), 2000);
    }
    QString proposta() const { return sopra + QStringLiteral("Folvara_backup"); }
};

// A program folder with data whose backups go to a folder of the test's own.
struct Ambiente {
    TestEnvironment env;
    QTemporaryDir salvataggi;
    Ambiente()
    {
        riempi(env.folder(), 2000);
        BackupSettings settings;
        settings.cartella = salvataggi.path();
        settings.scrivi(env.folder());
    }
    int backups() const { return int(BackupFolder::nomi(salvataggi.path()).size()); }
};

} // namespace

class TestBackupScreen : public QObject {
    Q_OBJECT

private slots:
    void launcherButtonOpensTheScreen();
    void makeVerifyAndDelete();
    void chooseFolder();
    void commandsNeedASelection();
    void restoreToNewFolder();
    void restoreOverLiveFolderAsksTwiceAndSavesFirst_data();
    void restoreOverLiveFolderAsksTwiceAndSavesFirst();
    void reminderAtExit_data();
    void reminderAtExit();
    void helpButton();
    void noButtonCoversAnother();
    void firstBackupCreatesTheProposedFolder_data();
    void firstBackupCreatesTheProposedFolder();
    void listRemembersAFoundDamage();
    void newerBackupIsNamed();
    void restoreNamesTheFilesLeftOut();
};

void TestBackupScreen::launcherButtonOpensTheScreen()
{
    Ambiente a;
    ScreenFlow& flow = a.env.flow();
    auto* button = flow.avvio()->findChild<ImageButton*>(QStringLiteral("imgBackup"));
    QVERIFY(button);
    QCOMPARE(button->accessibleName(), QStringLiteral("Backup"));
    QVERIFY(!button->toolTip().isEmpty());
    a.env.modal.scripts.append([](QDialog& screen) {
        QCOMPARE(screen.windowTitle(), QStringLiteral(" Backup e ripristino"));
        ReadableNames::check(screen);
    });
    click(flow.avvio(), "imgBackup");
    QCOMPARE(a.env.modal.openedClasses, {QStringLiteral("TfrmBackup")});
}

void TestBackupScreen::makeVerifyAndDelete()
{
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    QCOMPARE(screen.voci().size(), 0);
    click(&screen, "btnEsegui");
    QVERIFY2(a.env.messages.lastText().startsWith(QStringLiteral("Backup eseguito e verificato")),
             qPrintable(a.env.messages.lastText()));
    QCOMPARE(a.backups(), 1);
    QCOMPARE(screen.voci().size(), 1);
    QCOMPARE(stato(screen, 0), QStringLiteral("integro"));
    QVERIFY(BackupSettings::leggi(a.env.folder()).ultimoVerificato.isValid());
    QVERIFY(
        screen.findChild<QLabel*>(QStringLiteral("lblUltimo"))->text().startsWith(QStringLiteral("Ultimo")));

    seleziona(screen, 0);
    click(&screen, "btnVerifica");
    QVERIFY(a.env.messages.lastText().contains(QStringLiteral("è integro")));

    // One changed byte in a photo: Verify names it and the list says "danneggiato".
    const QString zip = screen.voci().first().percorso;
    const QByteArray foto =
        TestFiles::readAll(a.env.path(QStringLiteral("Anagrafica/Scheda_Anagrafica_4.jpg")));
    QByteArray bytes = TestFiles::readAll(zip);
    const qsizetype at = bytes.indexOf(foto.mid(500, 64));
    QVERIFY(at > 0);
    bytes[at] = char(bytes.at(at) ^ 0x40);
    TestFiles::writeAll(zip, bytes);
    click(&screen, "btnVerifica");
    QCOMPARE(a.env.messages.shown.last().kind, MessageKind::Warning);
    QVERIFY2(a.env.messages.lastText().contains(QStringLiteral("Anagrafica/Scheda_Anagrafica_4.jpg")),
             qPrintable(a.env.messages.lastText()));
    QCOMPARE(stato(screen, 0), QStringLiteral("danneggiato"));

    a.env.messages.nextAnswers = {false};
    click(&screen, "btnElimina");
    QCOMPARE(a.backups(), 1);
    a.env.messages.nextAnswers = {true};
    click(&screen, "btnElimina");
    QCOMPARE(a.backups(), 0);
    QCOMPARE(screen.voci().size(), 0);
}

void TestBackupScreen::chooseFolder()
{
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    QTemporaryDir chiavetta;
    const QString altra = QDir(chiavetta.path()).filePath(QStringLiteral("Backup"));
    QVERIFY(QDir().mkpath(altra));
    a.env.fileDialogs.nextNames = {a.env.path(QStringLiteral("Anagrafica")), altra};
    click(&screen, "btnCartella");
    QVERIFY(a.env.messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    click(&screen, "btnCartella");
    QCOMPARE(BackupSettings::leggi(a.env.folder()).cartella, altra);
    QCOMPARE(screen.findChild<QLineEdit*>(QStringLiteral("txtCartella"))->text(),
             QDir::toNativeSeparators(altra));

    // A folder that has gone with its drive (a stick taken out): a warning, nothing written.
    QVERIFY(chiavetta.remove());
    click(&screen, "btnEsegui");
    QVERIFY(a.env.messages.lastText().startsWith(
        QStringLiteral("Attenzione: la cartella dei backup non esiste")));
    QVERIFY(!QFileInfo::exists(chiavetta.path()));
}

void TestBackupScreen::commandsNeedASelection()
{
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    for (const char* name : {"btnVerifica", "btnRipristina", "btnElimina"}) {
        a.env.messages.clear();
        click(&screen, name);
        QCOMPARE(a.env.messages.texts(), {QStringLiteral("Attenzione: selezionare un backup nell'elenco.")});
    }
}

void TestBackupScreen::restoreToNewFolder()
{
    Ambiente a;
    const QMap<QString, QByteArray> prima = impronte(a.env.folder());
    TfrmBackup screen(a.env.context, nullptr);
    click(&screen, "btnEsegui");
    QTemporaryDir altrove;
    const QString cartella = QDir(altrove.path()).filePath(QStringLiteral("Copia"));
    // No to the new folder beside the program folder: the folder chosen instead.
    a.env.messages.nextAnswers = {false};
    a.env.fileDialogs.nextNames = {cartella};
    seleziona(screen, 0);
    click(&screen, "btnRipristina");
    QVERIFY2(a.env.messages.lastText().startsWith(QStringLiteral("Ripristino completato e verificato")),
             qPrintable(a.env.messages.lastText()));
    // The folder as it was at the backup, settings file included.
    QCOMPARE(impronte(cartella), prima);
}

void TestBackupScreen::restoreOverLiveFolderAsksTwiceAndSavesFirst_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("restored");
    QTest::newRow("yes twice") << QList<bool>{false, true, true} << true;
    QTest::newRow("no at the first") << QList<bool>{false, false} << false;
    QTest::newRow("no at the second") << QList<bool>{false, true, false} << false;
}

void TestBackupScreen::restoreOverLiveFolderAsksTwiceAndSavesFirst()
{
    QFETCH(QList<bool>, answers);
    QFETCH(bool, restored);
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    click(&screen, "btnEsegui");
    const QMap<QString, QByteArray> salvato = impronte(a.env.folder());
    // Work done after the backup.
    scrivi(a.env.folder(), QStringLiteral("Archivio_Anagrafico.fvd"), registro(41));
    scrivi(a.env.folder(), QStringLiteral("Anagrafica/Scheda_Anagrafica_41.jpg"), "nuova");
    const QMap<QString, QByteArray> attuale = impronte(a.env.folder());

    a.env.messages.clear();
    a.env.messages.nextAnswers = answers;
    a.env.fileDialogs.nextNames = {a.env.folder()};
    seleziona(screen, 0);
    click(&screen, "btnRipristina");
    // The questions, then the end report.
    QCOMPARE(a.env.messages.shown.size(), int(answers.size()) + (restored ? 1 : 0));
    QCOMPARE(a.backups(), restored ? 2 : 1);
    if (!restored) {
        QCOMPARE(impronte(a.env.folder()), attuale);
        return;
    }
    QVERIFY2(a.env.messages.lastText().startsWith(QStringLiteral("Ripristino completato e verificato")),
             qPrintable(a.env.messages.lastText()));
    QMap<QString, QByteArray> dopo = impronte(a.env.folder());
    QMap<QString, QByteArray> atteso = salvato;
    dopo.remove(QStringLiteral("Backup.ini"));
    atteso.remove(QStringLiteral("Backup.ini"));
    QCOMPARE(dopo, atteso);
    // The backup made first holds the work done after the older one.
    const QString primo = QDir(a.salvataggi.path()).filePath(BackupFolder::nomi(a.salvataggi.path()).first());
    const QString verifica = QDir(a.salvataggi.path()).filePath(QStringLiteral("verifica"));
    QCOMPARE(int(BackupRestorer::ripristina(primo, verifica).stato),
             int(BackupRestorer::Esito::Stato::Fatto));
    QMap<QString, QByteArray> prima = impronte(verifica);
    QMap<QString, QByteArray> lavoro = attuale;
    prima.remove(QStringLiteral("Backup.ini"));
    lavoro.remove(QStringLiteral("Backup.ini"));
    QCOMPARE(prima, lavoro);
}

void TestBackupScreen::reminderAtExit_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void TestBackupScreen::reminderAtExit()
{
    QFETCH(bool, yes);
    Ambiente a;
    ScreenFlow& flow = a.env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    QSignalSpy terminated(&flow, &ScreenFlow::terminateRequested);
    a.env.messages.nextAnswers = {yes};
    a.env.modal.scripts.append([&](QDialog&) { QTRY_COMPARE(a.backups(), 1); });
    click(flow.avvio(), "imgEsci");
    QCOMPARE(a.env.messages.shown.first().kind, MessageKind::Question);
    QVERIFY(
        a.env.messages.shown.first().text.startsWith(QStringLiteral("Non è ancora stato fatto un backup")));
    QCOMPARE(terminated.count(), 1);
    QCOMPARE(a.backups(), yes ? 1 : 0);

    // Once a backup is checked, the next exit asks nothing.
    if (yes) {
        a.env.messages.clear();
        flow.avvio()->close();
        QCOMPARE(terminated.count(), 2);
        QVERIFY(a.env.messages.shown.isEmpty());
    }
}

void TestBackupScreen::helpButton()
{
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    QString title;
    a.env.modal.scripts.append(
        [&](QDialog& guida) { title = guida.findChild<QLabel*>(QStringLiteral("lblTitolo"))->text(); });
    click(&screen, "cmdGuida");
    QCOMPARE(title, QStringLiteral("Backup e ripristino dei dati"));
}

void TestBackupScreen::noButtonCoversAnother()
{
    Ambiente a;
    TfrmBackup screen(a.env.context, nullptr);
    QList<QWidget*> buttons;
    for (QWidget* w : screen.findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(w) || qobject_cast<ImageButton*>(w))
            buttons.append(w);
    }
    QCOMPARE(buttons.size(), 7); // Cambia..., the four commands, Chiudi and Guida
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QVERIFY2(screen.rect().contains(buttons.at(i)->geometry()), qPrintable(buttons.at(i)->objectName()));
        // The caption fits the narrower buttons.
        if (auto* button = qobject_cast<QPushButton*>(buttons.at(i)))
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 12,
                     qPrintable(button->objectName()));
        for (qsizetype j = i + 1; j < buttons.size(); ++j)
            QVERIFY2(!buttons.at(i)->geometry().intersects(buttons.at(j)->geometry()),
                     qPrintable(buttons.at(i)->objectName() + QStringLiteral(" / ") +
                                buttons.at(j)->objectName()));
    }
}

void TestBackupScreen::firstBackupCreatesTheProposedFolder_data()
{
    QTest::addColumn<bool>("daPromemoria");
    QTest::newRow("Esegui backup") << false;
    QTest::newRow("Sì to the reminder at exit") << true;
}

void TestBackupScreen::firstBackupCreatesTheProposedFolder()
{
    QFETCH(bool, daPromemoria);
    PrimoAvvio p;
    QVERIFY(!QFileInfo::exists(p.proposta()));
    if (daPromemoria) {
        ScreenFlow& flow = p.env.flow();
        flow.switchTo(flow.avvio(), nullptr);
        p.env.messages.nextAnswers = {true};
        p.env.modal.scripts.append(
            [&](QDialog&) { QTRY_COMPARE(BackupFolder::nomi(p.proposta()).size(), 1); });
        click(flow.avvio(), "imgEsci");
    } else {
        TfrmBackup screen(p.env.context, nullptr);
        QCOMPARE(screen.findChild<QLineEdit*>(QStringLiteral("txtCartella"))->text(),
                 QDir::toNativeSeparators(p.proposta()));
        click(&screen, "btnEsegui");
        QCOMPARE(screen.voci().size(), 1);
        QCOMPARE(stato(screen, 0), QStringLiteral("integro"));
    }
    QVERIFY2(p.env.messages.lastText().startsWith(QStringLiteral("Backup eseguito e verificato")),
             qPrintable(p.env.messages.lastText()));
    QCOMPARE(BackupFolder::nomi(p.proposta()).size(), 1);
}

void TestBackupScreen::listRemembersAFoundDamage()
{
    Ambiente a;
    QString danneggiato;
    {
        TfrmBackup screen(a.env.context, nullptr);
        click(&screen, "btnEsegui");
        click(&screen, "btnEsegui");
        QCOMPARE(screen.voci().size(), 2);
        // The older one gets a changed byte in its archive, which only a full read can see.
        danneggiato = screen.voci().at(1).percorso;
        const QByteArray foto =
            TestFiles::readAll(a.env.path(QStringLiteral("Anagrafica/Scheda_Anagrafica_2.jpg")));
        QByteArray bytes = TestFiles::readAll(danneggiato);
        const qsizetype at = bytes.indexOf(foto.mid(900, 64));
        QVERIFY(at > 0);
        bytes[at] = char(bytes.at(at) ^ 0x04);
        TestFiles::writeAll(danneggiato, bytes);
        QFile file(danneggiato);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QFileInfo(danneggiato).lastModified().addSecs(3),
                                 QFileDevice::FileModificationTime));
    }
    {
        // Changed since its check: not called whole.
        TfrmBackup screen(a.env.context, nullptr);
        QCOMPARE(stato(screen, 0), QStringLiteral("integro"));
        QCOMPARE(stato(screen, 1), QStringLiteral("non verificato"));
        seleziona(screen, 1);
        click(&screen, "btnVerifica");
        QCOMPARE(stato(screen, 1), QStringLiteral("danneggiato"));
    }
    // Opened again: the damage found is still shown, and the other is the only whole backup.
    TfrmBackup screen(a.env.context, nullptr);
    QCOMPARE(stato(screen, 1), QStringLiteral("danneggiato"));
    QVERIFY(screen.findChild<QTableWidget*>(QStringLiteral("grdBackup"))
                ->item(1, 0)
                ->toolTip()
                .contains(QStringLiteral("Scheda_Anagrafica_2.jpg")));
    a.env.messages.clear();
    a.env.messages.nextAnswers = {false};
    seleziona(screen, 0);
    click(&screen, "btnElimina");
    QVERIFY2(a.env.messages.lastText().startsWith(QStringLiteral("Attenzione: è l'unico backup integro.")),
             qPrintable(a.env.messages.lastText()));
    QCOMPARE(a.backups(), 2);
}

void TestBackupScreen::newerBackupIsNamed()
{
    Ambiente a;
    const QMap<QString, QByteArray> prima = impronte(a.env.folder());
    // A backup as a later version of the program would write it.
    const QList<QPair<QString, QByteArray>> voci = {{QStringLiteral("unins000.dll"), "[Accesso]"}};
    QByteArray manifest = manifestDi(voci, QDateTime::currentDateTime());
    QVERIFY(manifest.contains("\"versione\": 1"));
    manifest.replace("\"versione\": 1", "\"versione\": 9");
    scriviZip(
        QDir(a.salvataggi.path()).filePath(BackupFolder::nomePer(QDateTime(QDate(2031, 5, 6), QTime(7, 8)))),
        voci + QList<QPair<QString, QByteArray>>{{QStringLiteral("MANIFEST.json"), manifest}});
    TfrmBackup screen(a.env.context, nullptr);
    QCOMPARE(stato(screen, 0), QStringLiteral("fatto con una versione più recente"));
    seleziona(screen, 0);
    click(&screen, "btnVerifica");
    QVERIFY2(a.env.messages.lastText().contains(QStringLiteral("versione più recente di Folvara")),
             qPrintable(a.env.messages.lastText()));
    QVERIFY(!a.env.messages.lastText().contains(QStringLiteral("danneggiato")));
    QCOMPARE(stato(screen, 0), QStringLiteral("fatto con una versione più recente"));
    QTemporaryDir altrove;
    const QString cartella = QDir(altrove.path()).filePath(QStringLiteral("Copia"));
    a.env.messages.clear();
    a.env.messages.nextAnswers = {false};
    a.env.fileDialogs.nextNames = {cartella};
    seleziona(screen, 0);
    click(&screen, "btnRipristina");
    QCOMPARE(a.env.messages.shown.last().kind, MessageKind::Warning);
    QVERIFY2(a.env.messages.lastText().contains(QStringLiteral("versione più recente")),
             qPrintable(a.env.messages.lastText()));
    QVERIFY(!QFileInfo::exists(cartella));
    QCOMPARE(impronte(a.env.folder()), prima);
}

void TestBackupScreen::restoreNamesTheFilesLeftOut()
{
    Ambiente a;
    QTemporaryDir altrove;
    const QString cartella = QDir(altrove.path()).filePath(QStringLiteral("Copia"));
    scrivi(cartella, QStringLiteral("Folvara"), "il programma");
    // A backup made elsewhere that also carries a program.
    scriviBackup(
        QDir(a.salvataggi.path()).filePath(BackupFolder::nomePer(QDateTime(QDate(2026, 1, 2), QTime(3, 4)))),
        {{QStringLiteral("unins000.dll"), "[Accesso]"}, {QStringLiteral("Folvara"), "#!/bin/sh\n"}},
        QDateTime::currentDateTime());
    TfrmBackup screen(a.env.context, nullptr);
    QCOMPARE(screen.voci().size(), 1);
    a.env.messages.nextAnswers = {false};
    a.env.fileDialogs.nextNames = {cartella};
    seleziona(screen, 0);
    click(&screen, "btnRipristina");
    QCOMPARE(a.env.messages.shown.last().kind, MessageKind::Warning);
    const QString testo = a.env.messages.lastText();
    QVERIFY2(testo.startsWith(QStringLiteral("Ripristino completato e verificato: 1 file")),
             qPrintable(testo));
    QVERIFY2(testo.endsWith(QStringLiteral("non sono stati ripristinati:\r\nFolvara")), qPrintable(testo));
    QCOMPARE(TestFiles::readAll(QDir(cartella).filePath(QStringLiteral("Folvara"))),
             QByteArray("il programma"));
    QCOMPARE(TestFiles::readAll(QDir(cartella).filePath(QStringLiteral("unins000.dll"))),
             QByteArray("[Accesso]"));
}

QTEST_MAIN(TestBackupScreen)
#include "tst_backup_screen.moc"
