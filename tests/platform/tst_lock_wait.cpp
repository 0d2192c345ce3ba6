// The screen's wait for an archive's lock: a lock call that hangs shows "In attesa di …", the
// events go on, and "Annulla" ends the operation as a busy archive would.
#include "platform/QtLockWait.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/LockHolder.h"
#include "support/HangingLock.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>


namespace {

QProgressDialog* waitWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QProgressDialog*>(widget);
        if (window && window->objectName() == QLatin1String("dlgAttesaArchivio") && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

class TestLockWait : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
        LockWait::install(&m_wait);
    }
    void cleanup() { LockWait::install(nullptr); }

    void freeLockIsTakenWithoutWindow();
    void hungLockShowsTheWaitAndCanBeCancelled();
    void hungLockFailsAsBusyAfterTheWait();

private:
    QtLockWait m_wait;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestLockWait::freeLockIsTakenWithoutWindow()
{
    bool shown = false;
    QTimer watcher;
    watcher.setInterval(5);
    connect(&watcher, &QTimer::timeout, this, [&shown] { shown = shown || waitWindow(); });
    watcher.start();
    ArchiveLock lock;
    lock.acquire(m_path);
    QVERIFY(lock.isHeld());
    QVERIFY(!shown);
    lock.release(false);
}

void TestLockWait::hungLockShowsTheWaitAndCanBeCancelled()
{
    HangingLock share;
    QString label;
    int ticks = 0; // the screen's events go on while the lock call hangs
    QTimer watcher;
    watcher.setInterval(20);
    connect(&watcher, &QTimer::timeout, this, [&] {
        ++ticks;
        QProgressDialog* window = waitWindow();
        if (!window || !label.isEmpty())
            return;
        label = window->labelText();
        auto* annulla = window->findChild<QPushButton*>();
        QVERIFY(annulla);
        QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
        annulla->click();
    });
    watcher.start();
    {
        ArchiveLock lock(share);
        try {
            lock.acquire(m_path);
            QFAIL("the lock was taken");
        } catch (const ArchiveError& error) {
            QCOMPARE(error.messaggio(), ArchiveLock::cancelledMessage(m_path));
        }
        QVERIFY(!lock.isHeld());
    }
    watcher.stop();
    QCOMPARE(label, QStringLiteral("In attesa di \"Archivio_Anagrafico.fvd\"…"));
    QVERIFY(ticks > 1);
    QVERIFY(!waitWindow());

    // The worker left behind lets go of the lock once its call answers.
    share.letAnswer();
    QTRY_COMPARE(share.unlocks.load(), 1);
    ArchiveLock next;
    next.acquire(m_path);
    QVERIFY(next.isHeld());
}

void TestLockWait::hungLockFailsAsBusyAfterTheWait()
{
    HangingLock share;
    {
        ArchiveLock lock(share);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, lock.acquire(m_path, 50));
        QVERIFY(!lock.isHeld());
    }
    QVERIFY(!waitWindow());
    share.letAnswer();
    QTRY_COMPARE(share.unlocks.load(), 1);
    QVERIFY(!QFile::exists(LockHolder::pathFor(m_path)));
}

QTEST_MAIN(TestLockWait)
#include "tst_lock_wait.moc"
