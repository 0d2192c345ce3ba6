#include "platform/ShellOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// The desktop's opener reports a target nothing can open. A stand-in xdg-open first in the PATH
// answers as the real one does.
class TestShellOpener : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void openerAnswerIsReported_data();
    void openerAnswerIsReported();

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

void TestShellOpener::initTestCase()
{
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
    QSKIP("xdg-open is the opener of Linux desktops only");
#endif
    QVERIFY(m_dir.isValid());
    m_path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
}

void TestShellOpener::cleanupTestCase()
{
    qputenv("PATH", m_path);
}

void TestShellOpener::openerAnswerIsReported_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("opened");
    // xdg-open's own exit codes: 3 no program for the file, 4 the program failed.
    QTest::newRow("opened") << QByteArray("exit 0") << true;
    QTest::newRow("no program for the file") << QByteArray("exit 3") << false;
    QTest::newRow("the program failed") << QByteArray("exit 4") << false;
    QTest::newRow("viewer still opening") << QByteArray("sleep 5") << true;
}

void TestShellOpener::openerAnswerIsReported()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, opened);
    const QString opener = m_dir.filePath(QStringLiteral("xdg-open"));
    QFile file(opener);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/asked\"\n" + script + "\n");
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    const QString pdf = m_dir.filePath(QStringLiteral("Scadenze 11-12-2026.pdf"));
    DesktopShellOpener shell;
    QCOMPARE(shell.open(pdf), opened);
    // The opener was given the file as a file address.
    QTRY_VERIFY(QFile::exists(m_dir.filePath(QStringLiteral("asked"))));
    QFile asked(m_dir.filePath(QStringLiteral("asked")));
    QVERIFY(asked.open(QIODevice::ReadOnly));
    QCOMPARE(QUrl::fromEncoded(asked.readAll().trimmed()).toLocalFile(), pdf);
    asked.close();
    asked.remove();
}

QTEST_MAIN(TestShellOpener)
#include "tst_shell_opener.moc"
