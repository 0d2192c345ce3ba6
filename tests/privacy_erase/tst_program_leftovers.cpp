#include "support/TestFiles.h"

#include "privacy/ConsentStore.h"
#include "privacy/erase/ProgramLeftovers.h"
#include "storage/FotoScheda.h"
#include "storage/TSchedaAnagrafica.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The temporary files of whole-file writes stopped midway, swept at every start.
class TestProgramLeftovers : public QObject {
    Q_OBJECT
private slots:
    void sweepRemovesOnlyTheProgramsOwn_data();
    void sweepRemovesOnlyTheProgramsOwn();
};

void TestProgramLeftovers::sweepRemovesOnlyTheProgramsOwn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minutesOld");
    QTest::addColumn<bool>("removed");

    const QString consensi = ConsentStore::fileName();
    // The consents' are swept under the archive's lock: no write of them can be going on.
    QTest::newRow("consents, just written") << consensi + QStringLiteral(".qWeRty") << 0 << true;
    QTest::newRow("deadline settings") << QStringLiteral("Scadenze.ini.AbCdEf") << 5 << true;
    QTest::newRow("print settings") << QStringLiteral("Stampa.ini.zXcVbN") << 5 << true;
    QTest::newRow("backup settings") << QStringLiteral("Backup.ini.PoIuYt") << 5 << true;
    QTest::newRow("consent form text") << QStringLiteral("Modulo consenso.txt.AaBbCc") << 5 << true;
    QTest::newRow("erase log") << QStringLiteral("Cancellazioni.log.QqWwEe") << 5 << true;
    QTest::newRow("password file") << QStringLiteral("unins000.dll.RtYuIo") << 5 << true;
    QTest::newRow("registry export") << QStringLiteral("Archivio_Anagrafico.xls.MnBvCx") << 5 << true;
    QTest::newRow("card photo") << QStringLiteral("Anagrafica/Scheda_Anagrafica_12.jpg.LkJhGf") << 5 << true;
    // Written less than a minute ago: maybe another workstation's save still going on.
    QTest::newRow("settings, just written") << QStringLiteral("Scadenze.ini.AbCdEf") << 0 << false;
    // Not the program's temporary names.
    QTest::newRow("user's copy") << consensi + QStringLiteral(".bak") << 5 << false;
    QTest::newRow("seven characters") << QStringLiteral("Scadenze.ini.vecchio") << 5 << false;
    QTest::newRow("other file") << QStringLiteral("Lettera.txt.AbCdEf") << 5 << false;
    QTest::newRow("registry archive") << QStringLiteral("Archivio_Anagrafico.fvd.AbCdEf") << 5 << false;
    QTest::newRow("attachment") << QStringLiteral("Documenti_Allegati/Scadenze.ini.AbCdEf") << 5 << false;
    QTest::newRow("group photo") << QStringLiteral("Foto_Gruppo/Coro_1_A.jpg.AbCdEf") << 5 << false;
    QTest::newRow("not a card photo")
        << QStringLiteral("Anagrafica/Scheda_Anagrafica_1x.jpg.AbCdEf") << 5 << false;
}

void TestProgramLeftovers::sweepRemovesOnlyTheProgramsOwn()
{
    QFETCH(QString, name);
    QFETCH(int, minutesOld);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* sub : {"Anagrafica", "Documenti_Allegati", "Foto_Gruppo"})
        QVERIFY(QDir(folder).mkdir(QString::fromLatin1(sub)));
    // The real files are there, whole.
    const QString consents = ConsentStore::path(folder);
    TestFiles::writeAll(consents, "Folvara consensi 1\n");
    TestFiles::writeAll(folder + QStringLiteral("Scadenze.ini"), "[Scadenze]\n");
    TestFiles::writeAll(FotoScheda::percorso(folder, QStringLiteral("12")), "foto");

    const QString path = folder + name;
    TestFiles::writeAll(path, "Rossi Mario RSSMRA80A01H501U");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime written = QDateTime::currentDateTime().addSecs(-60 * minutesOld);
    QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
    file.close();
    // A leftover of the program's own is found even while it waits.
    QCOMPARE(ProgramLeftovers::find(folder).contains(path),
             removed || name == QStringLiteral("Scadenze.ini.AbCdEf"));

    const ProgramLeftovers::Swept swept = ProgramLeftovers::sweep(folder);
    QCOMPARE(QFile::exists(path), !removed);
    QCOMPARE(swept.removed, removed ? 1 : 0);
    QVERIFY(swept.notRemoved.isEmpty());
    QCOMPARE(TestFiles::readAll(consents), QByteArray("Folvara consensi 1\n"));
    QVERIFY(QFile::exists(folder + QStringLiteral("Scadenze.ini")));
    QVERIFY(QFile::exists(FotoScheda::percorso(folder, QStringLiteral("12"))));
}

QTEST_MAIN(TestProgramLeftovers)
#include "tst_program_leftovers.moc"
