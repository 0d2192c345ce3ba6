// Several workstations on one shared folder: the lock, the length read after it, the holder
// note, the mount options and the read-only archives, lost updates, a lock call that hangs and
// the two-workstation check.
#include "platform/LockWait.h"
#include "storage/ArchiveAccess.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/ArchiveSteps.h"
#include "storage/LoadedRecord.h"
#include "storage/LockHolder.h"
#include "storage/ShareMounts.h"
#include "storage/ShareProbe.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "support/HangingLock.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

using TestFiles::readAll;

QByteArray card(const QString& name)
{
    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, name);
    return scheda.buffer();
}

QString nameOf(const QByteArray& record)
{
    TSchedaAnagrafica scheda;
    scheda.buffer() = record;
    return scheda.testo(TSchedaAnagrafica::Candidato);
}

// A workstation's client of a share that keeps lengths in its cache: only a length asked
// under the lock comes from the server; any other is the one it saw last.
class CachingClient final : public ArchiveFileSystem {
public:
    FileLock::Result lock(QFile& file, int timeoutMs) const override
    {
        const FileLock::Result result = ArchiveFileSystem::lock(file, timeoutMs);
        m_locked = result.held();
        log.append(QStringLiteral("lock"));
        return result;
    }
    void unlock(QFile& file) const override
    {
        m_locked = false;
        log.append(QStringLiteral("unlock"));
        ArchiveFileSystem::unlock(file);
    }
    qint64 size(QFile& file) const override
    {
        log.append(m_locked ? QStringLiteral("size") : QStringLiteral("size unlocked"));
        if (m_locked)
            m_cached = ArchiveFileSystem::size(file);
        return m_cached;
    }
    qint64 write(QFile& file, const char* data, qint64 length) const override
    {
        log.append(QStringLiteral("write"));
        return ArchiveFileSystem::write(file, data, length);
    }
    bool sync(QFile& file) const override
    {
        log.append(m_locked ? QStringLiteral("sync") : QStringLiteral("sync unlocked"));
        return ArchiveFileSystem::sync(file);
    }

    mutable QStringList log;

private:
    mutable bool m_locked = false;
    mutable qint64 m_cached = 0;
};

// A length the file system reports, whatever the file holds.
class FixedLength final : public ArchiveFileSystem {
public:
    explicit FixedLength(qint64 length)
        : m_length(length)
    {
    }
    qint64 size(QFile&) const override { return m_length; }

private:
    qint64 m_length;
};

// A file system whose lock calls fail with one system error.
class RefusingLock final : public ArchiveFileSystem {
public:
    explicit RefusingLock(int error)
        : m_error(error)
    {
    }
    FileLock::Result lock(QFile&, int) const override
    {
        ++calls;
        return {FileLock::meaningOf(m_error), m_error};
    }
    mutable int calls = 0;

private:
    int m_error;
};

// A share that grants every lock and enforces none (cifs nobrl, NFS nolock).
class GrantingLock final : public ArchiveFileSystem {
public:
    FileLock::Result lock(QFile&, int) const override { return {FileLock::Outcome::Held, 0}; }
    void unlock(QFile&) const override {}
};

// A disk that fills up halfway through a record.
class FullDisk final : public ArchiveFileSystem {
public:
    qint64 write(QFile& file, const char* data, qint64 length) const override
    {
        ArchiveFileSystem::write(file, data, length / 2);
        return -1;
    }
};

void append(TArchivioSchede& archive, const QString& path, const QString& name)
{
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    archive.Posiziona(archive.NumeroSchede());
    archive.ScriviScheda(card(name));
    archive.ChiudiArchivio();
}

QString mountLine(const QString& point, const QString& type, const QString& superOptions,
                  const QString& options = QStringLiteral("rw,relatime"))
{
    return QStringLiteral("101 29 0:52 / %1 %2 shared:60 - %3 //srv/dati %4\n")
        .arg(point, options, type, superOptions);
}

} // namespace

class TestShare : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void appendsOfTwoCachingWorkstationsLoseNothing();
    void lengthComesFromTheCallAfterTheLock_data();
    void lengthComesFromTheCallAfterTheLock();
    void writesAreSyncedBeforeTheUnlock();
    void lockErrorMeanings_data();
    void lockErrorMeanings();
    void folderThatCannotLockFailsAtOnceNamingIt();
    void busyArchiveNamesItsHolder();
    void busyLocalLockWaitsLikeTheArchive();
    void failedAppendLeavesWholeRecords();
    void hungLockCallFailsAsBusyAfterTheWait();
    void lockTakenOnAWorkerHoldsAfterItEnds();

    void mountWarnings_data();
    void mountWarnings();
    void mountOfTheFolderIsTheDeepestOne();
    void readOnlyArchivesWriteNothing();
    void singleWorkstationSettingMakesTheArchivesWritable();

    void saveOverAnotherWorkstationsChangeIsRefused();
    void saveOverAnErasedRecordIsRefused();
    void saveWithoutLoadedBytesWritesAsBefore();
    void loadedRecordAnswersOnlyForItsPosition();

    void probeHeldRefusesTheOtherWorkstation();
    void probeWithoutHolderTestsNothing();
    void probeOnAShareThatDoesNotEnforceIsUnprotected();
    void probeReportsAnUnsafeMountThoughTheLockWorks();
    void probeOfAShareThatDoesNotAnswerFailsInTime();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestShare::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
}

void TestShare::cleanup()
{
    ArchiveAccess::setReadOnly(QString());
    LockWait::install(nullptr);
}

// Two workstations append in turn. Each has seen the file before the other wrote; a length
// taken from its cache would put the second record over the first.
void TestShare::appendsOfTwoCachingWorkstationsLoseNothing()
{
    const CachingClient clientA;
    const CachingClient clientB;
    for (int round = 0; round < 5; ++round) {
        TArchivioSchede a(clientA);
        append(a, m_path, QStringLiteral("A%1").arg(round));
        TArchivioSchede b(clientB);
        append(b, m_path, QStringLiteral("B%1").arg(round));
    }
    QCOMPARE(QFileInfo(m_path).size(), qint64(10) * TSchedaAnagrafica::kSize);
    TArchivioSchede reader;
    reader.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
    QSet<QString> names;
    QByteArray record;
    while (!reader.FineArchivio()) {
        reader.LeggiScheda(record);
        names.insert(nameOf(record));
    }
    QCOMPARE(names.size(), 10);
    QVERIFY(!clientA.log.contains(QStringLiteral("size unlocked")));
}

void TestShare::lengthComesFromTheCallAfterTheLock_data()
{
    QTest::addColumn<qint64>("reported");
    QTest::addColumn<int>("count");
    // The file holds three records; the file system's answer is what counts.
    QTest::newRow("shorter") << qint64(2 * TSchedaAnagrafica::kSize) << 2;
    QTest::newRow("same") << qint64(3 * TSchedaAnagrafica::kSize) << 3;
    QTest::newRow("longer, with a partial tail") << qint64(4 * TSchedaAnagrafica::kSize + 7) << 4;
}

void TestShare::lengthComesFromTheCallAfterTheLock()
{
    QFETCH(qint64, reported);
    QFETCH(int, count);
    TestFiles::writeAll(m_path, QByteArray(3 * TSchedaAnagrafica::kSize, '\0'));
    const FixedLength calls(reported);
    TArchivioSchede archive(calls);
    archive.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
    QCOMPARE(archive.NumeroSchede(), count);
    archive.ChiudiArchivio();
}

void TestShare::writesAreSyncedBeforeTheUnlock()
{
    const CachingClient client;
    {
        TArchivioSchede reader(client);
        reader.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
        reader.ChiudiArchivio();
    }
    // A read-only operation costs no sync.
    QCOMPARE(client.log, QStringList({"lock", "size", "unlock"}));
    client.log.clear();
    TArchivioSchede writer(client);
    append(writer, m_path, QStringLiteral("Rossi"));
    QCOMPARE(client.log, QStringList({"lock", "size", "write", "sync", "unlock"}));
}

void TestShare::lockErrorMeanings_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("meaning");
    using O = FileLock::Outcome;
#ifdef Q_OS_WIN
    QTest::newRow("lock violation") << 33 << int(O::Busy);
    QTest::newRow("sharing violation") << 32 << int(O::Busy);
    QTest::newRow("not supported") << 50 << int(O::CannotLock);
    QTest::newRow("access denied") << 5 << int(O::Failure);
#else
    QTest::newRow("EAGAIN") << EAGAIN << int(O::Busy);
    QTest::newRow("EWOULDBLOCK") << EWOULDBLOCK << int(O::Busy);
    QTest::newRow("EACCES (SMB)") << EACCES << int(O::Busy);
    QTest::newRow("ENOLCK") << ENOLCK << int(O::CannotLock);
    QTest::newRow("EOPNOTSUPP") << EOPNOTSUPP << int(O::CannotLock);
    QTest::newRow("EINVAL") << EINVAL << int(O::CannotLock);
    QTest::newRow("EIO") << EIO << int(O::CannotLock);
    QTest::newRow("EBADF") << EBADF << int(O::Failure);
#endif
}

void TestShare::lockErrorMeanings()
{
    QFETCH(int, error);
    QFETCH(int, meaning);
    QCOMPARE(int(FileLock::meaningOf(error)), meaning);
}

void TestShare::folderThatCannotLockFailsAtOnceNamingIt()
{
#ifdef Q_OS_WIN
    const RefusingLock calls(50);
#else
    const RefusingLock calls(ENOLCK);
#endif
    TArchivioSchede archive(calls);
    try {
        archive.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
        QFAIL("the archive opened without a lock");
    } catch (const ArchiveError& error) {
        QVERIFY(error.messaggio().startsWith(QStringLiteral("Attenzione: la cartella \"")));
        QVERIFY(error.messaggio().contains(QDir::toNativeSeparators(m_dir->path())));
        QVERIFY(error.messaggio().contains(QStringLiteral("non permette di bloccare")));
    }
    QCOMPARE(calls.calls, 1); // asked once, no waiting
    // The local lock was let go: the next operation on a file system that locks goes through.
    TArchivioSchede other;
    append(other, m_path, QStringLiteral("Rossi"));
}

void TestShare::busyArchiveNamesItsHolder()
{
    TArchivioSchede holder;
    holder.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
    const LockHolder::Holder note = LockHolder::read(m_path);
    QCOMPARE(note.host, QSysInfo::machineHostName());
    QVERIFY(note.since.isValid());

    ArchiveLock late;
    try {
        late.acquire(m_path, 30);
        QFAIL("two holders at once");
    } catch (const ArchiveError& error) {
        QVERIFY(error.messaggio().contains(QStringLiteral("in uso dalla postazione \"%1\"").arg(note.host)));
        QVERIFY(error.messaggio().contains(note.since.toString(QStringLiteral("HH:mm:ss"))));
    }
    QVERIFY(!late.isHeld());
    holder.ChiudiArchivio();
    late.acquire(m_path, 30);
    QVERIFY(late.isHeld());
}

// Another program of this workstation holds the local lock: this one queues there.
void TestShare::busyLocalLockWaitsLikeTheArchive()
{
    QFile local(ArchiveLock::localLockPath(m_path));
    QVERIFY(local.open(QIODevice::ReadWrite));
    QVERIFY(FileLock::tryLock(local).held());
    ArchiveLock lock;
    QVERIFY_THROWS_EXCEPTION(ArchiveError, lock.acquire(m_path, 30));
    FileLock::unlock(local);
    lock.acquire(m_path, 30);
    QVERIFY(lock.isHeld());
}

void TestShare::failedAppendLeavesWholeRecords()
{
    TArchivioSchede first;
    append(first, m_path, QStringLiteral("Rossi"));
    const FullDisk full;
    TArchivioSchede failing(full);
    failing.ApriOCrea(m_path, TSchedaAnagrafica::kSize);
    failing.Posiziona(1);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, failing.ScriviScheda(card(QStringLiteral("Bianchi"))));
    failing.ChiudiArchivio();
    QCOMPARE(QFileInfo(m_path).size(), qint64(TSchedaAnagrafica::kSize));
    TArchivioSchede again;
    append(again, m_path, QStringLiteral("Verdi"));
    QCOMPARE(nameOf(readAll(m_path).mid(TSchedaAnagrafica::kSize)), QStringLiteral("Verdi"));
}

void TestShare::mountWarnings_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("named"); // the options the warnings name, in order; any: read-only
    QTest::newRow("smb safe") << "cifs"
                              << "rw,vers=3.1.1,cache=none,actimeo=0,nobrl_off" << QStringList();
    QTest::newRow("smb default") << "cifs"
                                 << "rw,vers=3.1.1,cache=strict,actimeo=1" << QStringList();
    QTest::newRow("smb nobrl") << "cifs"
                               << "rw,vers=3.0,cache=strict,nobrl" << QStringList({"nobrl"});
    QTest::newRow("smb loose") << "cifs"
                               << "rw,vers=3.0,cache=loose" << QStringList({"cache=loose"});
    QTest::newRow("smb singleclient")
        << "cifs"
        << "rw,vers=3.1.1,cache=singleclient" << QStringList({"cache=singleclient"});
    QTest::newRow("smb read-only cache") << "cifs"
                                         << "rw,vers=3.1.1,cache=ro" << QStringList({"cache=ro"});
    QTest::newRow("smb1 and nobrl") << "cifs"
                                    << "rw,vers=1.0,nobrl" << QStringList({"nobrl", "vers=1.0"});
    QTest::newRow("smb1 short") << "cifs"
                                << "rw,vers=1,cache=strict" << QStringList({"vers=1"});
    QTest::newRow("smb 2.0") << "cifs"
                             << "rw,vers=2.0,cache=strict" << QStringList();
    QTest::newRow("smb3 type") << "smb3"
                               << "rw,cache=loose" << QStringList({"cache=loose"});
    QTest::newRow("nfs3 nolock") << "nfs"
                                 << "rw,vers=3,nolock,local_lock=all" << QStringList({"nolock"});
    QTest::newRow("nfs3 local_lock=all") << "nfs"
                                         << "rw,vers=3,local_lock=all" << QStringList({"local_lock=all"});
    QTest::newRow("nfs3 local_lock=posix")
        << "nfs"
        << "rw,vers=3,local_lock=posix" << QStringList({"local_lock=posix"});
    QTest::newRow("nfs4 local_lock") << "nfs4"
                                     << "rw,vers=4.2,local_lock=flock" << QStringList({"local_lock=flock"});
    QTest::newRow("nfs4 safe") << "nfs4"
                               << "rw,vers=4.2,local_lock=none" << QStringList();
    QTest::newRow("sshfs") << "fuse.sshfs"
                           << "rw,user_id=0" << QStringList({"fuse.sshfs"});
    QTest::newRow("desktop smb (gvfs)") << "fuse.gvfsd-fuse"
                                        << "rw,user_id=1000" << QStringList({"fuse.gvfsd-fuse"});
    QTest::newRow("local disk") << "ext4"
                                << "rw,nobrl" << QStringList();
}

void TestShare::mountWarnings()
{
    QFETCH(QString, type);
    QFETCH(QString, options);
    QFETCH(QStringList, named);
    const QString folder = QStringLiteral("/srv/Folvara dati/programma");
    const QString table = mountLine(QStringLiteral("/"), QStringLiteral("overlay"), QStringLiteral("rw")) +
                          mountLine(QStringLiteral("/srv/Folvara\\040dati"), type, options);
    const std::optional<ShareMounts::Mount> mount = ShareMounts::mountOf(ShareMounts::parse(table), folder);
    QVERIFY(mount);
    QCOMPARE(mount->fsType, type);
    const QString safe = type.startsWith(QLatin1String("nfs")) ? QStringLiteral("local_lock=none")
                                                               : QStringLiteral("vers=3.1.1,cache=strict");
    const QStringList warnings = ShareMounts::warnings(*mount, folder);
    QCOMPARE(warnings.size(), named.size());
    for (int i = 0; i < named.size(); ++i) {
        // An option of SMB or NFS, or the type of a folder reached through a local program.
        const QString phrase = type.startsWith(QLatin1String("fuse.")) ? QStringLiteral("di tipo \"%1\"")
                                                                       : QStringLiteral("l'opzione \"%1\"");
        QVERIFY2(warnings[i].contains(phrase.arg(named[i])), qPrintable(warnings[i]));
        QVERIFY(warnings[i].startsWith(QStringLiteral("Attenzione: ")));
        QVERIFY(warnings[i].contains(QDir::toNativeSeparators(folder)));
        QVERIFY(warnings[i].contains(safe));
    }

    // Any unsafe option opens the archives read-only, saying why and how to remount.
    const QString readOnly = ShareMounts::readOnlyMessage(*mount, folder);
    QCOMPARE(readOnly.isEmpty(), named.isEmpty());
    if (named.isEmpty())
        return;
    QVERIFY(readOnly.startsWith(QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura.")));
    for (const QString& option : named)
        QVERIFY2(readOnly.contains(QLatin1Char('"') + option + QLatin1Char('"')), qPrintable(readOnly));
    QVERIFY(readOnly.contains(QDir::toNativeSeparators(folder)));
    QVERIFY(readOnly.contains(safe));
    QVERIFY(readOnly.contains(QStringLiteral("\"Unica postazione\"")));
}

void TestShare::mountOfTheFolderIsTheDeepestOne()
{
    const QString table =
        mountLine(QStringLiteral("/"), QStringLiteral("ext4"), QStringLiteral("rw")) +
        QStringLiteral("not a mount line\n") +
        mountLine(QStringLiteral("/srv"), QStringLiteral("cifs"), QStringLiteral("rw,nobrl")) +
        mountLine(QStringLiteral("/srv/dati"), QStringLiteral("nfs4"), QStringLiteral("rw"));
    const QList<ShareMounts::Mount> mounts = ShareMounts::parse(table);
    QCOMPARE(mounts.size(), 3);
    QCOMPARE(ShareMounts::mountOf(mounts, QStringLiteral("/srv/dati/Folvara"))->fsType,
             QStringLiteral("nfs4"));
    QCOMPARE(ShareMounts::mountOf(mounts, QStringLiteral("/srv/datiX"))->fsType, QStringLiteral("cifs"));
    QCOMPARE(ShareMounts::mountOf(mounts, QStringLiteral("/home"))->fsType, QStringLiteral("ext4"));
    QCOMPARE(mounts[1].source, QStringLiteral("//srv/dati"));
    QVERIFY(mounts[1].option(QStringLiteral("nobrl")).has_value());
    QVERIFY(!mounts[1].option(QStringLiteral("nobr")).has_value());
}

// Two stores over one file: workstation A loaded card 1, B saved a change of it meanwhile.
void TestShare::saveOverAnotherWorkstationsChangeIsRefused()
{
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Rossi")));
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Neri")));
    QByteArray loadedByA;
    ArchiveSteps::sfoglia(m_path, TSchedaAnagrafica::kSize, ArchiveSteps::Comando::Primo, QString(),
                          loadedByA);
    QCOMPARE(nameOf(loadedByA), QStringLiteral("Rossi"));

    const ArchiveSteps::Salvataggio byB =
        ArchiveSteps::salva(m_path, QStringLiteral("1"), card(QStringLiteral("Rossi Mario")), loadedByA);
    QCOMPARE(int(byB.conflitto), int(ArchiveSteps::Conflitto::Nessuno));
    const QByteArray afterB = readAll(m_path);

    const ArchiveSteps::Salvataggio byA =
        ArchiveSteps::salva(m_path, QStringLiteral("1"), card(QStringLiteral("Rossi Maria")), loadedByA);
    QCOMPARE(int(byA.conflitto), int(ArchiveSteps::Conflitto::Cambiata));
    QCOMPARE(byA.posizione, 1);
    QCOMPARE(nameOf(byA.attuale), QStringLiteral("Rossi Mario"));
    QCOMPARE(readAll(m_path), afterB); // nothing written

    // Overwriting the version now seen goes through, and only record 1 changes.
    const ArchiveSteps::Salvataggio again =
        ArchiveSteps::salva(m_path, QStringLiteral("1"), card(QStringLiteral("Rossi Maria")), byA.attuale);
    QCOMPARE(int(again.conflitto), int(ArchiveSteps::Conflitto::Nessuno));
    QCOMPARE(again.posizione, 1);
    const QByteArray now = readAll(m_path);
    QCOMPARE(nameOf(now.left(TSchedaAnagrafica::kSize)), QStringLiteral("Rossi Maria"));
    QCOMPARE(now.mid(TSchedaAnagrafica::kSize), afterB.mid(TSchedaAnagrafica::kSize));
}

void TestShare::saveOverAnErasedRecordIsRefused()
{
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Rossi")));
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Neri")));
    const QByteArray loaded = readAll(m_path).mid(TSchedaAnagrafica::kSize);
    QVERIFY(QFile::resize(m_path, TSchedaAnagrafica::kSize)); // card 2 is gone
    const ArchiveSteps::Salvataggio save =
        ArchiveSteps::salva(m_path, QStringLiteral("2"), card(QStringLiteral("Neri Luca")), loaded);
    QCOMPARE(int(save.conflitto), int(ArchiveSteps::Conflitto::Cancellata));
    QCOMPARE(QFileInfo(m_path).size(), qint64(TSchedaAnagrafica::kSize));
}

void TestShare::saveWithoutLoadedBytesWritesAsBefore()
{
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Rossi")));
    const ArchiveSteps::Salvataggio save =
        ArchiveSteps::salva(m_path, QStringLiteral("1"), card(QStringLiteral("Bianchi")));
    QCOMPARE(int(save.conflitto), int(ArchiveSteps::Conflitto::Nessuno));
    QCOMPARE(nameOf(readAll(m_path)), QStringLiteral("Bianchi"));
}

void TestShare::loadedRecordAnswersOnlyForItsPosition()
{
    LoadedRecord loaded;
    loaded.ricorda(m_path, QStringLiteral("3"), QByteArray("abc"));
    QCOMPARE(loaded.perSalvare(m_path, QStringLiteral("3")), QByteArray("abc"));
    QVERIFY(loaded.perSalvare(m_path, QStringLiteral("4")).isEmpty());
    QVERIFY(loaded.perSalvare(m_path + QLatin1Char('x'), QStringLiteral("3")).isEmpty());
    QVERIFY(loaded.perSalvare(m_path, QString()).isEmpty());
    loaded.dimentica();
    QVERIFY(loaded.perSalvare(m_path, QStringLiteral("3")).isEmpty());
}

// A share in read-only mode: the cards are read, every save refused with the message, nothing
// written and no archive created.
void TestShare::readOnlyArchivesWriteNothing()
{
    ArchiveSteps::salva(m_path, QString(), card(QStringLiteral("Rossi")));
    const QByteArray before = readAll(m_path);
    const QString message = QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova).");
    ArchiveAccess::setReadOnly(message);
    QVERIFY(ArchiveAccess::readOnly());

    for (const QString& position : {QString(), QStringLiteral("1")}) {
        try {
            ArchiveSteps::salva(m_path, position, card(QStringLiteral("Bianchi")));
            QFAIL("a read-only archive was written");
        } catch (const ArchiveError& error) {
            QCOMPARE(error.messaggio(), message);
        }
    }
    QCOMPARE(readAll(m_path), before);
    QVERIFY(!QFile::exists(LockHolder::pathFor(m_path)));

    QByteArray record;
    ArchiveSteps::sfoglia(m_path, TSchedaAnagrafica::kSize, ArchiveSteps::Comando::Primo, QString(), record);
    QCOMPARE(nameOf(record), QStringLiteral("Rossi"));

    const QString missing = m_dir->filePath(QStringLiteral("Gita.fvg"));
    QVERIFY_THROWS_EXCEPTION(ArchiveError,
                             ArchiveSteps::sfoglia(missing, TSchedaAnagrafica::kSize,
                                                   ArchiveSteps::Comando::Primo, QString(), record));
    QVERIFY(!QFile::exists(missing));

    ArchiveAccess::setReadOnly(QString());
    ArchiveSteps::salva(m_path, QStringLiteral("1"), card(QStringLiteral("Bianchi")));
    QCOMPARE(nameOf(readAll(m_path)), QStringLiteral("Bianchi"));
}

void TestShare::singleWorkstationSettingMakesTheArchivesWritable()
{
    const QString folder = m_dir->path() + QLatin1Char('/');
    QVERIFY(!ArchiveAccess::singleWorkstation(folder));
    QVERIFY(ArchiveAccess::setSingleWorkstation(folder, true));
    QVERIFY(ArchiveAccess::singleWorkstation(folder));
    QVERIFY(
        readAll(folder + ArchiveAccess::settingsFileName()).contains("[Condivisione]\nUnicaPostazione=si"));
    // Whatever the mount, the user's word makes the archives writable.
    ArchiveAccess::setReadOnly(QStringLiteral("sola lettura"));
    QVERIFY(ArchiveAccess::decide(folder).isEmpty());
    QVERIFY(!ArchiveAccess::readOnly());
    QVERIFY(ArchiveAccess::setSingleWorkstation(folder, false));
    QVERIFY(!ArchiveAccess::singleWorkstation(folder));
}

// A lock call that hangs past the wait (an NFS server's grace period) fails the operation as a
// busy archive; the worker left behind lets go of the lock once its call answers.
void TestShare::hungLockCallFailsAsBusyAfterTheWait()
{
    HangingLock share;
    {
        ArchiveLock lock(share);
        try {
            lock.acquire(m_path, 50);
            QFAIL("the lock was taken");
        } catch (const ArchiveError& error) {
            QCOMPARE(error.messaggio(), LockHolder::busyMessage(m_path, LockHolder::Holder()));
        }
        QVERIFY(!lock.isHeld());
    }
    QCOMPARE(share.unlocks.load(), 0);
    share.letAnswer();
    QTRY_COMPARE(share.unlocks.load(), 1);
    QVERIFY(!QFile::exists(LockHolder::pathFor(m_path)));
    ArchiveLock next;
    next.acquire(m_path);
    QVERIFY(next.isHeld());
}

// The lock is the open file's: taken on a worker thread, it still excludes every other
// descriptor, of this program too, after that thread has ended.
void TestShare::lockTakenOnAWorkerHoldsAfterItEnds()
{
    ArchiveLock holder;
    holder.acquire(m_path);
    QFile other(m_path);
    QVERIFY(other.open(QIODevice::ReadWrite));
    QCOMPARE(int(FileLock::tryLock(other).outcome), int(FileLock::Outcome::Busy));
    // The holder does its I/O on this thread through the locked descriptor.
    QCOMPARE(holder.file().write(card(QStringLiteral("Rossi"))), qint64(TSchedaAnagrafica::kSize));
    holder.release(true);
    QVERIFY(FileLock::tryLock(other).held());
    FileLock::unlock(other);
    QCOMPARE(nameOf(readAll(m_path)), QStringLiteral("Rossi"));
}

void TestShare::probeHeldRefusesTheOtherWorkstation()
{
    const QString folder = m_dir->path() + QLatin1Char('/');
    ShareProbe a;
    a.hold(folder);
    QVERIFY(a.holding());
    const ShareProbe b;
    const ShareProbe::Result result = b.check(folder);
    QCOMPARE(int(result.verdict), int(ShareProbe::Verdict::Protected));
    QVERIFY(result.message.contains(QStringLiteral("protegge gli archivi")));
    QVERIFY(result.message.contains(QSysInfo::machineHostName()));
    a.release();
    QVERIFY(!QFile::exists(LockHolder::pathFor(ShareProbe::probePath(folder))));
}

void TestShare::probeWithoutHolderTestsNothing()
{
    const ShareProbe b;
    QCOMPARE(int(b.check(m_dir->path()).verdict), int(ShareProbe::Verdict::NoHolder));
}

void TestShare::probeOnAShareThatDoesNotEnforceIsUnprotected()
{
    const QString folder = m_dir->path() + QLatin1Char('/');
    const GrantingLock share;
    ShareProbe a(share);
    a.hold(folder);
    const ShareProbe b(share);
    const ShareProbe::Result result = b.check(folder);
    QCOMPARE(int(result.verdict), int(ShareProbe::Verdict::NotProtected));
    QVERIFY(result.message.startsWith(QStringLiteral("Attenzione: la cartella condivisa NON protegge")));
}

void TestShare::probeReportsAnUnsafeMountThoughTheLockWorks()
{
    const QString folder = m_dir->path() + QLatin1Char('/');
    ShareProbe a;
    a.hold(folder);
    const QString loose =
        QStringLiteral("Attenzione: la cartella del programma è montata con l'opzione \"cache=loose\".");
    const ShareProbe::Result result = ShareProbe().check(folder, {loose});
    QCOMPARE(int(result.verdict), int(ShareProbe::Verdict::NotProtected));
    QVERIFY(result.message.startsWith(QStringLiteral("Attenzione: la cartella condivisa NON protegge")));
    QVERIFY(result.message.contains(loose));
    QVERIFY(result.message.contains(QStringLiteral("sola lettura")));
    // The lock's own finding is still told.
    QVERIFY(result.message.contains(QStringLiteral("ha fermato questa postazione")));
    // Without a holder the options alone are enough.
    a.release();
    QCOMPARE(int(ShareProbe().check(folder, {loose}).verdict), int(ShareProbe::Verdict::NotProtected));
}

// The check's lock call is taken like an archive's: a share that does not answer fails the
// check after the wait instead of freezing the screen.
void TestShare::probeOfAShareThatDoesNotAnswerFailsInTime()
{
    const QString folder = m_dir->path() + QLatin1Char('/');
    HangingLock share;
    const ShareProbe::Result result = ShareProbe(share).check(folder);
    QCOMPARE(int(result.verdict), int(ShareProbe::Verdict::Failure));
    QCOMPARE(result.message, LockHolder::busyMessage(ShareProbe::probePath(folder), LockHolder::Holder()));
    share.letAnswer();
    QTRY_COMPARE(share.unlocks.load(), 1);
}

QTEST_GUILESS_MAIN(TestShare)
#include "tst_share.moc"
