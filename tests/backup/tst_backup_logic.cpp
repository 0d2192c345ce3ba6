// Backups of the program folder: made, checked, rotated and restored byte for byte.
#include "BackupFixture.h"
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

// A zip holding the given entries as they are, with no check of what they say.
void scriviZip(const QString& path, const QList<QPair<QString, QByteArray>>& voci)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto& [nome, bytes] : voci) {
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(nome)));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
    }
    zip.close();
    QCOMPARE(zip.getZipError(), 0);
}

QByteArray manifestDi(const QList<QPair<QString, QByteArray>>& voci)
{
    BackupManifest manifest;
    manifest.creato = kQuando;
    for (const auto& [nome, bytes] : voci)
        manifest.voci.append(
            {nome, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()});
    return manifest.json();
}

// A small tmpfs mounted for the life of the object.
class Tmpfs {
public:
    Tmpfs(const QString& dir, const QString& size)
        : m_dir(dir)
    {
        QDir().mkpath(dir);
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                       QStringLiteral("size=") + size, QStringLiteral("tmpfs"), dir}) == 0;
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

} // namespace

class TestBackupLogic : public QObject {
    Q_OBJECT

private slots:
    void restoreGivesBackEveryByte_data();
    void restoreGivesBackEveryByte();
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

void TestBackupLogic::backupNameAndManifest()
{
    Cartelle c;
    riempi(c.programma);
    const BackupWriter::Esito fatto = backup(c.programma, c.backup);
    QCOMPARE(QFileInfo(fatto.file).fileName(), QStringLiteral("Folvara_backup_2026-03-14_093005.zip"));
    QCOMPARE(contenuto(c.backup), {QStringLiteral("Folvara_backup_2026-03-14_093005.zip")});
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
    QCOMPARE(BackupFolder::elenco(c.backup).first().stato == Stato::Integro, kind == u"hash");
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
    const BackupWriter::Esito mancante = backup(c.programma, c.root.filePath(QStringLiteral("Chiavetta")));
    QCOMPARE(int(mancante.stato), int(BackupWriter::Esito::Stato::Fallito));
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
    // The previous backup is untouched and nothing else is left.
    QCOMPARE(contenuto(c.backup), {QFileInfo(primo.file).fileName()});
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
    // What was there stays as it was, and nothing half-written is left.
    QCOMPARE(contenuto(destinazione), {QStringLiteral("unins000.dll")});
    QCOMPARE(TestFiles::readAll(QDir(destinazione).filePath(QStringLiteral("unins000.dll"))),
             QByteArray("[Accesso]\r\nValore=vecchio\r\n"));
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
