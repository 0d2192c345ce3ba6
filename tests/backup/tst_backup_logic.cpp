// Backups of the program folder: made, checked, rotated and restored byte for byte.
#include "BackupFixture.h"
#include "backup/BackupCheckLog.h"
#include "backup/BackupContent.h"
#include "backup/BackupFolder.h"
#include "backup/BackupManifest.h"
#include "backup/BackupRestorer.h"
#include "backup/BackupSettings.h"
#include "backup/BackupVerifier.h"
#include "backup/BackupWriter.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;
using Stato = BackupVerifier::Stato;

namespace {

const QDateTime kQuando(QDate(2026, 3, 14), QTime(9, 30, 5));

struct Cartelle {
    QTemporaryDir root;
    QString programma = root.filePath(QStringLiteral("Folvara"));
    QString backup = root.filePath(QStringLiteral("Salvataggi"));
    Cartelle()
    {
        QDir().mkpath(programma);
        QDir().mkpath(backup);
    }
};

BackupWriter::Esito backup(const QString& programma, const QString& cartella,
                           const QDateTime& quando = kQuando, int conserva = 0)
{
    BackupWriter writer(programma, cartella);
    writer.setConserva(conserva);
    return writer.esegui(quando);
}

QByteArray manifestDi(const QList<QPair<QString, QByteArray>>& voci)
{
    return BackupFixture::manifestDi(voci, kQuando);
}

// A small tmpfs mounted for the life of the object; options such as ",ro" follow the size.
class Tmpfs {
public:
    Tmpfs(const QString& dir, const QString& size, const QString& options = QString())
        : m_dir(dir)
    {
        QDir().mkpath(dir);
        m_mounted =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=") + size + options, QStringLiteral("tmpfs"), dir}) == 0;
    }
    ~Tmpfs()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_dir});
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_dir;
    bool m_mounted = false;
};

QStringList contenuto(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A backup of the given entries with a manifest that lists them truthfully.
QString zipConManifest(const QString& cartella, const QList<QPair<QString, QByteArray>>& voci)
{
    const QString path = QDir(cartella).filePath(BackupFolder::nomePer(kQuando));
    scriviBackup(path, voci, kQuando);
    return path;
}

Stato statoInElenco(const QString& cartella)
{
    const QList<BackupFolder::Voce> voci = BackupFolder::elenco(cartella);
    return voci.isEmpty() ? Stato::Annullato : voci.first().stato;
}

// Gives the file a modification time of its own, as any later write would.
void tocca(const QString& path, int secondi)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(
        file.setFileTime(QFileInfo(path).lastModified().addSecs(secondi), QFileDevice::FileModificationTime));
}

} // namespace

class TestBackupLogic : public QObject {
    Q_OBJECT

private slots:
    void restoreGivesBackEveryByte_data();
    void restoreGivesBackEveryByte();
    void restoreGivesBackEveryKindOfFile();
    void restoreWritesOnlyTheProgramsFiles_data();
    void restoreWritesOnlyTheProgramsFiles();
    void restoreRefusesABackupOfForeignFilesOnly();
    void failedRestoreLeavesNoNewFolder_data();
    void failedRestoreLeavesNoNewFolder();
    void listKeepsTheLastCheck();
    void newerBackupIsNamedAndRefused();
    void backupFolderIsCreatedAtFirstUse_data();
    void backupFolderIsCreatedAtFirstUse();
    void backupFolderOnAReadOnlyDisk();
    void backupNameAndManifest();
    void rotationKeepsExactlyN();
    void corruptedPhotoIsFoundAndNamed();
    void damagedZips_data();
    void damagedZips();
    void unsafePathsAreRefused_data();
    void unsafePathsAreRefused();
    void badBackupFolder();
    void cancelledBackupLeavesNothing();
    void diskFullDuringBackup();
    void diskFullDuringRestore();
    void backupWhileAnotherProcessAppends();
    void reminderAtExit_data();
    void reminderAtExit();
};

void TestBackupLogic::restoreGivesBackEveryByte_data()
{
    QTest::addColumn<bool>("sameFolder");
    QTest::newRow("program folder wiped") << true;
    QTest::newRow("new folder beside it") << false;
}

void TestBackupLogic::restoreGivesBackEveryByte()
{
    QFETCH(bool, sameFolder);
    Cartelle c;
    riempi(c.programma);
    const QMap<QString, QByteArray> prima = impronte(c.programma);
    QCOMPARE(prima.size(), 12);

    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    QCOMPARE(int(fatto.stato), int(BackupWriter::Esito::Stato::Fatto));
    QCOMPARE(fatto.numeroFile, 12);

    QString destinazione = c.programma;
    if (sameFolder) {
        svuota(c.programma);
        // A photo that was not there at the backup would be taken for the photo of a card.
        scrivi(c.programma, QStringLiteral("Anagrafica/Scheda_Anagrafica_99.jpg"), "estranea");
    } else {
        destinazione = BackupRestorer::cartellaPredefinita(c.programma + QLatin1Char('/'), kQuando);
        QCOMPARE(QFileInfo(destinazione).dir(), QDir(c.root.path()));
    }
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(fatto.file, destinazione);
    QVERIFY2(ripristino.stato == BackupRestorer::Esito::Stato::Fatto, qPrintable(ripristino.messaggio));
    QCOMPARE(ripristino.numeroFile, 12);
    QCOMPARE(impronte(destinazione), prima);
}

void TestBackupLogic::restoreGivesBackEveryKindOfFile()
{
    // Every name a backup of the program holds, the letter case of the extensions included.
    Cartelle c;
    riempi(c.programma, 500);
    scrivi(c.programma, QStringLiteral("Archivio_Anagrafico_Consensi.txt"), "Folvara consensi 1\n");
    scrivi(c.programma, QStringLiteral("Modulo consenso.txt"), "CONSENSO\n");
    scrivi(c.programma, QStringLiteral("Backup.ini"), "[Backup]\n");
    scrivi(c.programma, QStringLiteral("Scadenze.ini"), "[Scadenze]\n");
    scrivi(c.programma, QStringLiteral("Stampa.ini"), "[Stampa]\n");
    scrivi(c.programma, QStringLiteral("Consensi.ini"), "[Consensi]\n");
    scrivi(c.programma, QStringLiteral("CORO.FVG"), QByteArray());
    scrivi(c.programma, QStringLiteral("Vecchio.INI"), "[x]\n");
    scrivi(c.programma, QStringLiteral("Documenti_Allegati/2024/Ricevuta.pdf"), "pdf");
    const QMap<QString, QByteArray> prima = impronte(c.programma);
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    QCOMPARE(fatto.numeroFile, prima.size());

    const QString destinazione = c.root.filePath(QStringLiteral("Copia"));
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(fatto.file, destinazione);
    QVERIFY2(ripristino.stato == BackupRestorer::Esito::Stato::Fatto, qPrintable(ripristino.messaggio));
    QCOMPARE(ripristino.rifiutati, QStringList());
    QCOMPARE(ripristino.numeroFile, prima.size());
    QCOMPARE(impronte(destinazione), prima);
    for (const QString& nome : prima.keys())
        QVERIFY2(BackupContent::delProgramma(nome), qPrintable(nome));
}

void TestBackupLogic::restoreWritesOnlyTheProgramsFiles_data()
{
    QTest::addColumn<QString>("estraneo");
    QTest::newRow("the program") << "Folvara";
    QTest::newRow("the program on Windows") << "Folvara.exe";
    QTest::newRow("a library") << "something.so";
    QTest::newRow("a Windows library") << "Qt6Core.dll";
    QTest::newRow("a translation") << "translations/x.qm";
    QTest::newRow("the guide") << "Guida.pdf";
    QTest::newRow("Qt's settings") << "qt.conf";
    QTest::newRow("a data folder's name as a file") << "Anagrafica";
    QTest::newRow("a folder named like a group") << "Gita.fvg/Folvara";
    QTest::newRow("a folder named like a data folder") << "anagrafica/x.jpg";
    QTest::newRow("an extension with a dot after it") << "Folvara.ini.";
    // Never in a backup: a crafted one would offer to finish an erase that nobody started.
    QTest::newRow("the erase log") << "Cancellazioni.log";
}

void TestBackupLogic::restoreWritesOnlyTheProgramsFiles()
{
    QFETCH(QString, estraneo);
    QVERIFY(!BackupContent::delProgramma(estraneo));
    Cartelle c;
    // The program as it is installed; the password is the data the backup brings back.
    scrivi(c.programma, estraneo, "il programma vero");
    scrivi(c.programma, QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=vecchio\r\n");
    const QString zip =
        zipConManifest(c.backup, {{QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=nuovo\r\n"},
                                  {estraneo, "#!/bin/sh\nrm -rf ~\n"},
                                  {QStringLiteral("Foto_Gruppo/Gita_Foto_A_1.jpg"), "foto"}});
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(zip, c.programma);
    QVERIFY2(ripristino.stato == BackupRestorer::Esito::Stato::Fatto, qPrintable(ripristino.messaggio));
    QCOMPARE(ripristino.rifiutati, {estraneo});
    QCOMPARE(ripristino.numeroFile, 2);
    QCOMPARE(TestFiles::readAll(QDir(c.programma).filePath(estraneo)), QByteArray("il programma vero"));
    QCOMPARE(TestFiles::readAll(QDir(c.programma).filePath(QStringLiteral("unins000.dll"))),
             QByteArray("[Accesso]\r\nValore=nuovo\r\n"));
    QCOMPARE(TestFiles::readAll(QDir(c.programma).filePath(QStringLiteral("Foto_Gruppo/Gita_Foto_A_1.jpg"))),
             QByteArray("foto"));
}

void TestBackupLogic::restoreRefusesABackupOfForeignFilesOnly()
{
    Cartelle c;
    scrivi(c.programma, QStringLiteral("Folvara"), "il programma vero");
    scrivi(c.programma, QStringLiteral("Guida.pdf"), "la guida");
    const QMap<QString, QByteArray> prima = impronte(c.programma);
    const QString zip = zipConManifest(
        c.backup, {{QStringLiteral("Folvara"), "#!/bin/sh\n"}, {QStringLiteral("Guida.pdf"), "altra"}});
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(zip, c.programma);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY2(ripristino.messaggio.contains(QStringLiteral("Folvara, Guida.pdf")),
             qPrintable(ripristino.messaggio));
    QCOMPARE(impronte(c.programma), prima);
    QCOMPARE(contenuto(c.programma), QStringList({QStringLiteral("Folvara"), QStringLiteral("Guida.pdf")}));
}

void TestBackupLogic::failedRestoreLeavesNoNewFolder_data()
{
    QTest::addColumn<QString>("guasto");
    QTest::newRow("a damaged file") << "danno";
    QTest::newRow("cancelled while unpacking") << "annullato";
    QTest::newRow("a file where a folder goes, in a folder that was there") << "cartella";
}

void TestBackupLogic::failedRestoreLeavesNoNewFolder()
{
    QFETCH(QString, guasto);
    Cartelle c;
    QList<QPair<QString, QByteArray>> voci = {
        {QStringLiteral("unins000.dll"), "[Accesso]"},
        {QStringLiteral("Anagrafica/a.jpg"), casuali(300000, 1)},
        {QStringLiteral("Documenti_Allegati/b.pdf"), casuali(300000, 2)}};
    QByteArray manifest = manifestDi(voci);
    if (guasto == u"danno")
        voci[1].second[100] = char(voci[1].second.at(100) ^ 1);
    const QString zip = QDir(c.backup).filePath(BackupFolder::nomePer(kQuando));
    scriviZip(zip, voci + QList<QPair<QString, QByteArray>>{
                              {QString::fromLatin1(BackupManifest::kNome), manifest}});

    // The new folder and the folder it goes in are both made by the restore.
    const QString sopra = c.root.filePath(QStringLiteral("Ripristini"));
    const QString destinazione = QDir(sopra).filePath(QStringLiteral("Folvara_ripristino_2026-03-14_093005"));
    if (guasto == u"cartella")
        scrivi(destinazione, QStringLiteral("Documenti_Allegati"), "di traverso");
    int passi = 0;
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(
        zip, destinazione, [&](qint64, qint64) { return guasto != u"annullato" || ++passi < 2; });
    QVERIFY(ripristino.stato != BackupRestorer::Esito::Stato::Fatto);
    if (guasto == u"cartella") {
        // The folder was there before: it stays, without the staging folder.
        QVERIFY2(ripristino.messaggio.contains(QStringLiteral("Documenti_Allegati/b.pdf")),
                 qPrintable(ripristino.messaggio));
        QVERIFY(!contenuto(destinazione).contains(QStringLiteral(".folvara_ripristino")));
        QCOMPARE(TestFiles::readAll(QDir(destinazione).filePath(QStringLiteral("Documenti_Allegati"))),
                 QByteArray("di traverso"));
        return;
    }
    QVERIFY2(!QFileInfo::exists(sopra), qPrintable(contenuto(sopra).join(u',')));
    QCOMPARE(contenuto(c.root.path()),
             QStringList({QStringLiteral("Folvara"), QStringLiteral("Salvataggi")}));
    // The damage found on the way is kept for the list.
    QCOMPARE(statoInElenco(c.backup), guasto == u"danno" ? Stato::Danneggiato : Stato::NonVerificato);
}

void TestBackupLogic::listKeepsTheLastCheck()
{
    Cartelle c;
    riempi(c.programma);
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    // Read back whole when it was written.
    QCOMPARE(statoInElenco(c.backup), Stato::Integro);
    QVERIFY(BackupFolder::elenco(c.backup).first().verificato.isValid());

    // One byte of a photo changes on the disk: the index alone cannot see it.
    const QByteArray buono = TestFiles::readAll(fatto.file);
    const QByteArray foto =
        TestFiles::readAll(QDir(c.programma).filePath(QStringLiteral("Anagrafica/Scheda_Anagrafica_2.jpg")));
    QByteArray guasto = buono;
    const qsizetype at = guasto.indexOf(foto.mid(7000, 64));
    QVERIFY(at > 0);
    guasto[at] = char(guasto.at(at) ^ 0x10);
    TestFiles::writeAll(fatto.file, guasto);
    tocca(fatto.file, 2);
    QCOMPARE(statoInElenco(c.backup), Stato::NonVerificato);

    const BackupVerifier::Esito esito =
        BackupVerifier::verifica(fatto.file, BackupVerifier::Controllo::Completo);
    QCOMPARE(esito.stato, Stato::Danneggiato);
    QVERIFY(BackupCheckLog::annota(fatto.file, esito.stato, esito.motivo));
    // A later look at the folder still says it, with the reason.
    const QList<BackupFolder::Voce> elenco = BackupFolder::elenco(c.backup);
    QCOMPARE(elenco.first().stato, Stato::Danneggiato);
    QVERIFY(elenco.first().motivo.contains(QStringLiteral("Scheda_Anagrafica_2.jpg")));

    // The file changed again (put back from a copy): checked again before it is called whole.
    TestFiles::writeAll(fatto.file, buono);
    tocca(fatto.file, 4);
    QCOMPARE(statoInElenco(c.backup), Stato::NonVerificato);

    // Another backup is recorded beside it; the log of a deleted backup goes at the next write.
    const BackupWriter::Esito secondo = backup(c.programma, c.backup, kQuando.addDays(1));
    QCOMPARE(BackupFolder::elenco(c.backup).first().stato, Stato::Integro);
    QVERIFY(QFile::remove(secondo.file));
    QVERIFY(BackupCheckLog::annota(fatto.file, Stato::Integro, QString()));
    const QByteArray log = TestFiles::readAll(QDir(c.backup).filePath(BackupCheckLog::nomeFile()));
    QVERIFY(log.contains(QFileInfo(fatto.file).fileName().toUtf8()));
    QVERIFY(!log.contains(QFileInfo(secondo.file).fileName().toUtf8()));
    QCOMPARE(statoInElenco(c.backup), Stato::Integro);

    // An unreadable log is no log; the backups are listed all the same.
    TestFiles::writeAll(QDir(c.backup).filePath(BackupCheckLog::nomeFile()), "{ rotto");
    QCOMPARE(statoInElenco(c.backup), Stato::NonVerificato);
    QCOMPARE(BackupFolder::nomi(c.backup).size(), 1);
}

void TestBackupLogic::newerBackupIsNamedAndRefused()
{
    Cartelle c;
    scrivi(c.programma, QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=attuale\r\n");
    const QMap<QString, QByteArray> prima = impronte(c.programma);
    const QList<QPair<QString, QByteArray>> voci = {{QStringLiteral("unins000.dll"), "[Accesso]"}};
    QByteArray manifest = manifestDi(voci);
    QVERIFY(manifest.contains("\"versione\": 1"));
    // A later version may also name its fields otherwise.
    manifest.replace("\"versione\": 1", "\"versione\": 2").replace("\"file\"", "\"contenuto\"");
    const QString zip = QDir(c.backup).filePath(BackupFolder::nomePer(kQuando));
    scriviZip(zip, voci + QList<QPair<QString, QByteArray>>{
                              {QString::fromLatin1(BackupManifest::kNome), manifest}});

    const BackupVerifier::Esito esito = BackupVerifier::verifica(zip, BackupVerifier::Controllo::Completo);
    QCOMPARE(esito.stato, Stato::PiuRecente);
    QCOMPARE(BackupVerifier::nomeStato(esito.stato), QStringLiteral("fatto con una versione più recente"));
    QCOMPARE(statoInElenco(c.backup), Stato::PiuRecente);
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(zip, c.programma);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY2(ripristino.messaggio.contains(QStringLiteral("versione più recente")),
             qPrintable(ripristino.messaggio));
    QVERIFY(!ripristino.messaggio.contains(QStringLiteral("danneggiato")));
    QCOMPARE(impronte(c.programma), prima);
}

void TestBackupLogic::backupFolderIsCreatedAtFirstUse_data()
{
    QTest::addColumn<QString>("cartella"); // under the test's root; "" for the proposed folder
    QTest::addColumn<bool>("creata");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("the proposed folder") << "" << true << "";
    QTest::newRow("a chosen folder whose parent exists") << "Nuova" << true << "";
    QTest::newRow("a stick taken out")
        << "Chiavetta/Backup" << false << "Attenzione: la cartella dei backup non esiste";
    QTest::newRow("a file in its place") << "Occupato" << false << "al suo posto c'è un file";
    QTest::newRow("inside a data folder")
        << "Folvara/Anagrafica/Copie" << false << "dentro la cartella Anagrafica";
}

void TestBackupLogic::backupFolderIsCreatedAtFirstUse()
{
    QFETCH(QString, cartella);
    QFETCH(bool, creata);
    QFETCH(QString, messaggio);
    Cartelle c;
    riempi(c.programma, 100);
    scrivi(c.root.path(), QStringLiteral("Occupato"), "un file");
    const QString path =
        cartella.isEmpty() ? BackupSettings::leggi(c.programma).cartella : c.root.filePath(cartella);
    if (cartella.isEmpty())
        QCOMPARE(path, c.root.filePath(QStringLiteral("Folvara_backup")));
    QVERIFY(!QFileInfo(path).isDir());
    const BackupWriter::Esito esito = backup(c.programma, path);
    QCOMPARE(esito.stato == BackupWriter::Esito::Stato::Fatto, creata);
    QCOMPARE(QFileInfo(path).isDir(), creata);
    if (creata) {
        QCOMPARE(BackupFolder::nomi(path).size(), 1);
        return;
    }
    QVERIFY2(esito.messaggio.contains(messaggio), qPrintable(esito.messaggio));
    QCOMPARE(BackupWriter::preparaCartella(c.programma, path), esito.messaggio);
}

void TestBackupLogic::backupFolderOnAReadOnlyDisk()
{
    Cartelle c;
    riempi(c.programma, 100);
    const QString disco = c.root.filePath(QStringLiteral("Disco"));
    Tmpfs montato(disco, QStringLiteral("1m"), QStringLiteral(",ro"));
    if (!montato.mounted())
        QSKIP("a tmpfs cannot be mounted here");
    const QString path = QDir(disco).filePath(QStringLiteral("Folvara_backup"));
    const BackupWriter::Esito esito = backup(c.programma, path);
    QCOMPARE(int(esito.stato), int(BackupWriter::Esito::Stato::Fallito));
    QVERIFY2(esito.messaggio.startsWith(
                 QStringLiteral("Attenzione: non è possibile creare la cartella dei backup")),
             qPrintable(esito.messaggio));
    QVERIFY2(esito.messaggio.contains(QStringLiteral("il disco è di sola lettura")),
             qPrintable(esito.messaggio));
}

void TestBackupLogic::backupNameAndManifest()
{
    Cartelle c;
    riempi(c.programma);
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    QCOMPARE(QFileInfo(fatto.file).fileName(), QStringLiteral("Folvara_backup_2026-03-14_093005.zip"));
    QCOMPARE(contenuto(c.backup), QStringList({QStringLiteral("Folvara_backup_2026-03-14_093005.zip"),
                                               BackupCheckLog::nomeFile()}));
    // A second backup in the same second gets the next free name.
    QCOMPARE(QFileInfo(backup(c.programma, c.backup).file).fileName(),
             QStringLiteral("Folvara_backup_2026-03-14_093006.zip"));

    const BackupVerifier::Esito esito =
        BackupVerifier::verifica(fatto.file, BackupVerifier::Controllo::Completo);
    QCOMPARE(esito.stato, Stato::Integro);
    const QMap<QString, QByteArray> attese = impronte(c.programma);
    QCOMPARE(esito.manifest.voci.size(), attese.size());
    for (const BackupManifest::Voce& voce : esito.manifest.voci) {
        QCOMPARE(voce.sha256, attese.value(voce.percorso));
        QCOMPARE(voce.dimensione, QFileInfo(QDir(c.programma).filePath(voce.percorso)).size());
    }
    const QList<BackupFolder::Voce> elenco = BackupFolder::elenco(c.backup);
    QCOMPARE(elenco.size(), 2);
    QCOMPARE(elenco.first().nome, QStringLiteral("Folvara_backup_2026-03-14_093006.zip")); // newest first
    QCOMPARE(elenco.first().numeroFile, 12);
    QCOMPARE(elenco.first().stato, Stato::Integro);
    QCOMPARE(elenco.first().data, kQuando.addSecs(1));
}

void TestBackupLogic::rotationKeepsExactlyN()
{
    Cartelle c;
    riempi(c.programma, 500);
    // A damaged older backup and an unrelated file are in the folder too.
    scrivi(c.backup, QStringLiteral("Leggimi.txt"), "non toccare");
    for (int i = 0; i < 6; ++i) {
        const BackupWriter::Esito fatto = backup(c.programma, c.backup, kQuando.addDays(i), 3);
        QCOMPARE(int(fatto.stato), int(BackupWriter::Esito::Stato::Fatto));
        QCOMPARE(BackupFolder::nomi(c.backup).size(), std::min(i + 1, 3));
    }
    QCOMPARE(BackupFolder::nomi(c.backup), QStringList({BackupFolder::nomePer(kQuando.addDays(5)),
                                                        BackupFolder::nomePer(kQuando.addDays(4)),
                                                        BackupFolder::nomePer(kQuando.addDays(3))}));
    QVERIFY(QFileInfo::exists(QDir(c.backup).filePath(QStringLiteral("Leggimi.txt"))));

    // A backup dated before the others (a clock set back) is still the one kept.
    const BackupWriter::Esito indietro = backup(c.programma, c.backup, kQuando.addDays(-30), 1);
    QCOMPARE(BackupFolder::nomi(c.backup), {QFileInfo(indietro.file).fileName()});
}

void TestBackupLogic::corruptedPhotoIsFoundAndNamed()
{
    Cartelle c;
    riempi(c.programma);
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    // Photos are stored as they are: find the bytes of one in the zip and change one of them.
    const QByteArray foto =
        TestFiles::readAll(QDir(c.programma).filePath(QStringLiteral("Anagrafica/Scheda_Anagrafica_3.jpg")));
    QByteArray zip = TestFiles::readAll(fatto.file);
    const qsizetype at = zip.indexOf(foto.mid(5000, 64));
    QVERIFY(at > 0);
    zip[at + 10] = char(zip.at(at + 10) ^ 0x01);
    TestFiles::writeAll(fatto.file, zip);

    const BackupVerifier::Esito esito =
        BackupVerifier::verifica(fatto.file, BackupVerifier::Controllo::Completo);
    QCOMPARE(esito.stato, Stato::Danneggiato);
    QCOMPARE(esito.file, QStringLiteral("Anagrafica/Scheda_Anagrafica_3.jpg"));
    QVERIFY(esito.motivo.contains(QStringLiteral("Scheda_Anagrafica_3.jpg")));

    // Never restored: the target folder gets nothing.
    const QString destinazione = c.root.filePath(QStringLiteral("Ripristino"));
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(fatto.file, destinazione);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY(ripristino.messaggio.startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(ripristino.messaggio.contains(QStringLiteral("Scheda_Anagrafica_3.jpg")));
    QVERIFY(contenuto(destinazione).isEmpty());
    QVERIFY(!QFileInfo::exists(destinazione));
}

void TestBackupLogic::damagedZips_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("stato");
    QTest::newRow("not a zip") << "text" << int(Stato::Danneggiato);
    QTest::newRow("truncated") << "truncated" << int(Stato::Danneggiato);
    QTest::newRow("a zip without manifest") << "nomanifest" << int(Stato::Danneggiato);
    QTest::newRow("manifest lies about a size") << "size" << int(Stato::Danneggiato);
    QTest::newRow("manifest lies about a hash") << "hash" << int(Stato::Danneggiato);
    QTest::newRow("a file not in the manifest") << "extra" << int(Stato::Danneggiato);
    QTest::newRow("a file missing") << "missing" << int(Stato::Incompleto);
    QTest::newRow("a manifest of a later version") << "newer" << int(Stato::PiuRecente);
}

void TestBackupLogic::damagedZips()
{
    QFETCH(QString, kind);
    QFETCH(int, stato);
    Cartelle c;
    const QString path = QDir(c.backup).filePath(BackupFolder::nomePer(kQuando));
    const QList<QPair<QString, QByteArray>> voci = {{QStringLiteral("unins000.dll"), "[Accesso]"},
                                                    {QStringLiteral("Anagrafica/a.jpg"), casuali(4000, 1)}};
    QByteArray manifest = manifestDi(voci);
    QList<QPair<QString, QByteArray>> zip = voci;
    if (kind == u"size")
        manifest.replace("\"dimensione\": 9", "\"dimensione\": 8");
    if (kind == u"newer")
        manifest.replace("\"versione\": 1", "\"versione\": 7");
    if (kind == u"hash")
        zip[0].second = "[Accessx]";
    if (kind == u"extra")
        zip.append({QStringLiteral("Anagrafica/b.jpg"), "b"});
    if (kind == u"missing")
        zip.removeLast();
    if (kind != u"nomanifest")
        zip.append({QString::fromLatin1(BackupManifest::kNome), manifest});
    scriviZip(path, zip);
    if (kind == u"text")
        TestFiles::writeAll(path, "Questo non è un backup");
    if (kind == u"truncated")
        TestFiles::writeAll(path, TestFiles::readAll(path).left(3000));

    const BackupVerifier::Esito esito = BackupVerifier::verifica(path, BackupVerifier::Controllo::Completo);
    QCOMPARE(int(esito.stato), stato);
    QVERIFY(!esito.motivo.isEmpty());
    // The index alone never calls a backup whole: a changed byte needs "Verifica".
    QCOMPARE(int(statoInElenco(c.backup)), kind == u"hash" ? int(Stato::NonVerificato) : stato);
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(path, c.programma);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY(contenuto(c.programma).isEmpty());
}

void TestBackupLogic::unsafePathsAreRefused_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::newRow("parent") << "../fuori.txt";
    QTest::newRow("deep parent") << "Anagrafica/../../fuori.txt";
    QTest::newRow("absolute") << "/tmp/fuori.txt";
    QTest::newRow("drive letter") << "C:/fuori.txt";
    QTest::newRow("backslash") << "..\\fuori.txt";
    QTest::newRow("dot") << "./fuori.txt";
    QTest::newRow("empty part") << "Anagrafica//fuori.txt";
}

void TestBackupLogic::unsafePathsAreRefused()
{
    QFETCH(QString, percorso);
    QVERIFY(!BackupManifest::percorsoSicuro(percorso));
    Cartelle c;
    const QString path = QDir(c.backup).filePath(BackupFolder::nomePer(kQuando));
    const QList<QPair<QString, QByteArray>> voci = {{QStringLiteral("unins000.dll"), "[Accesso]"},
                                                    {percorso, "fuori"}};
    scriviZip(path, voci + QList<QPair<QString, QByteArray>>{
                               {QString::fromLatin1(BackupManifest::kNome), manifestDi(voci)}});
    const QString destinazione = QDir(c.programma).filePath(QStringLiteral("Ripristino"));
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(path, destinazione);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY(ripristino.messaggio.contains(QStringLiteral("percorso non ammesso")));
    QVERIFY(!QFileInfo::exists(QDir(c.programma).filePath(QStringLiteral("fuori.txt"))));
    QVERIFY(!QFileInfo::exists(c.root.filePath(QStringLiteral("fuori.txt"))));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/fuori.txt")));
    QVERIFY(contenuto(destinazione).isEmpty());
    QVERIFY(BackupManifest::percorsoSicuro(QStringLiteral("Documenti_Allegati/Carta d'identità.pdf")));
}

void TestBackupLogic::badBackupFolder()
{
    Cartelle c;
    riempi(c.programma, 100);
    // The stick the folder was on is not there: nothing is made in its place.
    const BackupWriter::Esito mancante =
        backup(c.programma, c.root.filePath(QStringLiteral("Chiavetta/Backup")));
    QCOMPARE(int(mancante.stato), int(BackupWriter::Esito::Stato::Fallito));
    QVERIFY(!QFileInfo::exists(c.root.filePath(QStringLiteral("Chiavetta"))));
    QVERIFY(mancante.messaggio.startsWith(QStringLiteral("Attenzione: la cartella dei backup non esiste")));

    const QString dentro = QDir(c.programma).filePath(QStringLiteral("Anagrafica/Copie"));
    QDir().mkpath(dentro);
    const BackupWriter::Esito interna = backup(c.programma, dentro);
    QCOMPARE(int(interna.stato), int(BackupWriter::Esito::Stato::Fallito));
    QVERIFY(interna.messaggio.startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(contenuto(dentro).isEmpty());
}

void TestBackupLogic::cancelledBackupLeavesNothing()
{
    Cartelle c;
    riempi(c.programma, 300000);
    int chiamate = 0;
    BackupWriter writer(c.programma, c.backup);
    const BackupWriter::Esito esito = writer.esegui(kQuando, [&](qint64, qint64) { return ++chiamate < 3; });
    QCOMPARE(int(esito.stato), int(BackupWriter::Esito::Stato::Annullato));
    QVERIFY(contenuto(c.backup).isEmpty());
}

void TestBackupLogic::diskFullDuringBackup()
{
    Cartelle c;
    Tmpfs disco(c.backup, QStringLiteral("1m"));
    if (!disco.mounted())
        QSKIP("a tmpfs cannot be mounted here");
    riempi(c.programma, 1000);
    const BackupWriter::Esito primo = backup(c.programma, c.backup, kQuando, 1);
    QCOMPARE(int(primo.stato), int(BackupWriter::Esito::Stato::Fatto));
    const QByteArray buono = TestFiles::readAll(primo.file);

    // Photos that do not fit on the disk any more.
    for (int i = 10; i < 20; ++i)
        scrivi(c.programma, QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(i), casuali(150000, i));
    const BackupWriter::Esito pieno = backup(c.programma, c.backup, kQuando.addDays(1), 1);
    QCOMPARE(int(pieno.stato), int(BackupWriter::Esito::Stato::Fallito));
    QVERIFY2(pieno.messaggio.startsWith(QStringLiteral("Attenzione: il backup non è stato completato")),
             qPrintable(pieno.messaggio));
    // The reason, in Italian.
    QVERIFY2(pieno.messaggio.contains(QStringLiteral("(spazio esaurito sul disco)")),
             qPrintable(pieno.messaggio));
    // The previous backup is untouched and nothing else is left.
    QCOMPARE(contenuto(c.backup),
             QStringList({QFileInfo(primo.file).fileName(), BackupCheckLog::nomeFile()}));
    QCOMPARE(TestFiles::readAll(primo.file), buono);
}

void TestBackupLogic::diskFullDuringRestore()
{
    Cartelle c;
    for (int i = 1; i <= 10; ++i)
        scrivi(c.programma, QStringLiteral("Anagrafica/Scheda_Anagrafica_%1.jpg").arg(i), casuali(150000, i));
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    QCOMPARE(int(fatto.stato), int(BackupWriter::Esito::Stato::Fatto));

    const QString destinazione = c.root.filePath(QStringLiteral("Piccolo"));
    Tmpfs disco(destinazione, QStringLiteral("1m"));
    if (!disco.mounted())
        QSKIP("a tmpfs cannot be mounted here");
    scrivi(destinazione, QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=vecchio\r\n");
    const BackupRestorer::Esito ripristino = BackupRestorer::ripristina(fatto.file, destinazione);
    QCOMPARE(int(ripristino.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY2(
        ripristino.messaggio.startsWith(QStringLiteral("Attenzione: il ripristino non è stato completato")),
        qPrintable(ripristino.messaggio));
    QVERIFY2(ripristino.messaggio.contains(QStringLiteral("(spazio esaurito sul disco)")),
             qPrintable(ripristino.messaggio));
    // What was there stays as it was, and nothing half-written is left.
    QCOMPARE(contenuto(destinazione), {QStringLiteral("unins000.dll")});
    QCOMPARE(TestFiles::readAll(QDir(destinazione).filePath(QStringLiteral("unins000.dll"))),
             QByteArray("[Accesso]\r\nValore=vecchio\r\n"));

    // A new folder on that disk goes again with the failure.
    const QString nuova = QDir(destinazione).filePath(QStringLiteral("Folvara_ripristino_2026-03-14_093005"));
    const BackupRestorer::Esito ancora = BackupRestorer::ripristina(fatto.file, nuova);
    QCOMPARE(int(ancora.stato), int(BackupRestorer::Esito::Stato::Fallito));
    QVERIFY2(ancora.messaggio.contains(QStringLiteral("(spazio esaurito sul disco)")),
             qPrintable(ancora.messaggio));
    QCOMPARE(contenuto(destinazione), {QStringLiteral("unins000.dll")});
}

void TestBackupLogic::backupWhileAnotherProcessAppends()
{
    Cartelle c;
    const QString archivio = QDir(c.programma).filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    QProcess appender;
    const QString program = QStandardPaths::findExecutable(
        QStringLiteral("archive_appender"),
        {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../storage"))});
    QVERIFY2(!program.isEmpty(), "archive_appender not built");
    appender.start(program, {archivio, QStringLiteral("3000"), QStringLiteral("k")});
    QVERIFY(appender.waitForStarted(10000));
    int backups = 0;
    int conSchede = 0;
    while (backups < 40 && (appender.state() != QProcess::NotRunning || backups < 2)) {
        const BackupWriter::Esito fatto = backup(c.programma, c.backup, kQuando.addSecs(backups * 10));
        QVERIFY2(fatto.stato == BackupWriter::Esito::Stato::Fatto, qPrintable(fatto.messaggio));
        ++backups;
        QuaZip zip(fatto.file);
        QVERIFY(zip.open(QuaZip::mdUnzip));
        if (!zip.setCurrentFile(QStringLiteral("Archivio_Anagrafico.fvd")))
            continue; // the appender had not created the file yet
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray copia = file.readAll();
        QCOMPARE(copia.size() % TSchedaAnagrafica::kSize, 0);
        const int schede = int(copia.size() / TSchedaAnagrafica::kSize);
        conSchede += schede > 0 ? 1 : 0;
        for (int i = 0; i < schede; ++i) {
            TSchedaAnagrafica scheda;
            scheda.buffer() = copia.mid(qsizetype(i) * TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize);
            QCOMPARE(scheda.testo(TSchedaAnagrafica::Candidato), QStringLiteral("k-%1").arg(i));
            QCOMPARE(scheda.testo(TSchedaAnagrafica::Ricontatta), TSchedaAnagrafica::flagSi());
        }
    }
    QVERIFY(appender.waitForFinished(60000));
    QCOMPARE(appender.exitCode(), 0);
    QVERIFY(conSchede > 0);
    qInfo("%d backups taken while cards were appended", backups);
}

void TestBackupLogic::reminderAtExit_data()
{
    QTest::addColumn<bool>("dati");
    QTest::addColumn<int>("giorni");
    QTest::addColumn<int>("giorniFa"); // -1: never
    QTest::addColumn<bool>("dovuto");
    QTest::newRow("nothing to save") << false << 7 << -1 << false;
    QTest::newRow("never saved") << true << 7 << -1 << true;
    QTest::newRow("saved 3 days ago") << true << 7 << 3 << false;
    QTest::newRow("saved 8 days ago") << true << 7 << 8 << true;
    QTest::newRow("reminder off") << true << 0 << 30 << false;
    QTest::newRow("every day, saved 2 days ago") << true << 1 << 2 << true;
}

void TestBackupLogic::reminderAtExit()
{
    QFETCH(bool, dati);
    QFETCH(int, giorni);
    QFETCH(int, giorniFa);
    QFETCH(bool, dovuto);
    Cartelle c;
    // An empty group and the password file alone are nothing to save yet.
    scrivi(c.programma, QStringLiteral("Vuoto.fvg"), QByteArray());
    scrivi(c.programma, QStringLiteral("unins000.dll"), "[Accesso]");
    if (dati)
        scrivi(c.programma, QStringLiteral("Archivio_Anagrafico.fvd"), registro(1));
    BackupSettings settings;
    settings.promemoriaGiorni = giorni;
    if (giorniFa >= 0)
        settings.ultimoVerificato = kQuando.addDays(-giorniFa);
    QVERIFY(settings.scrivi(c.programma));
    QCOMPARE(BackupSettings::leggi(c.programma).promemoriaDovuto(c.programma, kQuando), dovuto);
}

QTEST_GUILESS_MAIN(TestBackupLogic)
#include "tst_backup_logic.moc"
