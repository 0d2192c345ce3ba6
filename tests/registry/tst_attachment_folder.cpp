#include "support/TestFiles.h"

#include "registry/AttachmentFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The names and copies of the attachments folder, apart from any screen.
class TestAttachmentFolder : public QObject {
    Q_OBJECT

private slots:
    void plainNames_data();
    void plainNames();
    void storableNames_data();
    void storableNames();
    void foldedNamesNeverMeet_data();
    void foldedNamesNeverMeet();
    void longFoldedNameKeepsItsMark();
    void onlyRegularFilesAreCopied_data();
    void onlyRegularFilesAreCopied();
    void copyCanBeCancelled();
    void longNameKeepsItsExtension();
    void pathUsesThePlatformSeparator();
    void copyReplacesOnlyWhenComplete();
    void failedCopyLeavesNothingBehind_data();
    void failedCopyLeavesNothingBehind();
    void interruptedCopyKeepsTheOldFile();
    void folderIsCreatedWithItsParents();
    void folderThatIsAFileIsReported();
    void sameFileIsRecognised();
};

void TestAttachmentFolder::plainNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("name and extension") << "Carta d'identità.pdf" << true;
    QTest::newRow("no extension") << "LEGGIMI" << true;
    QTest::newRow("dots inside") << "permesso..scansione.jpg" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("parent, backslash") << "..\\..\\Windows\\win.ini" << false;
    QTest::newRow("parent, slash") << "../Archivio_Anagrafico.fvd" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("drive") << "C:\\documenti\\a.pdf" << false;
    QTest::newRow("drive relative") << "C:a.pdf" << false;
    QTest::newRow("folder part") << "sotto/a.pdf" << false;
}

void TestAttachmentFolder::plainNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(AttachmentFolder::isPlainName(name), plain);
    QCOMPARE(AttachmentFolder::pathOf(QStringLiteral("/prog/"), name).isEmpty(), !plain);
}

void TestAttachmentFolder::storableNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("kept");
    QTest::newRow("ordinary") << "Passaporto.pdf"
                              << "Passaporto.pdf";
    QTest::newRow("accents and euro") << "Ricevuta 10€ - città.pdf"
                                      << "Ricevuta 10€ - città.pdf";
    QTest::newRow("outside the code page") << "Паспорт.pdf"
                                           << "_______~1e20e4.pdf";
    QTest::newRow("emoji counts once") << "foto😀.jpg"
                                       << "foto_~913ba4.jpg";
    QTest::newRow("backslash of a Linux name") << "a\\..\\b.pdf"
                                               << "a_.._b~3c776c.pdf";
    QTest::newRow("windows forbidden") << "a:b*c?.txt"
                                       << "a_b_c_~7155ca.txt";
    QTest::newRow("spaces around") << "  documento.pdf "
                                   << "documento.pdf";
    QTest::newRow("control character") << "riga\tdue.txt"
                                       << "riga_due~e1cc29.txt";
    QTest::newRow("only spaces") << "   "
                                 << "allegato";
}

void TestAttachmentFolder::storableNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, kept);
    QCOMPARE(AttachmentFolder::storableName(chosen), kept);
    QVERIFY(AttachmentFolder::isPlainName(AttachmentFolder::storableName(chosen)));
}

void TestAttachmentFolder::foldedNamesNeverMeet_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("Cyrillic") << "Паспорт.pdf"
                              << "Договор.pdf";
    QTest::newRow("emoji and question mark") << "😀.txt"
                                             << "?.txt";
    QTest::newRow("folded against plain") << "_______.pdf"
                                          << "Паспорт.pdf";
}

void TestAttachmentFolder::foldedNamesNeverMeet()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(AttachmentFolder::storableName(first) != AttachmentFolder::storableName(second));
    // The same chosen name always gives the same stored name, so that choosing it again finds it.
    QCOMPARE(AttachmentFolder::storableName(first), AttachmentFolder::storableName(first));
}

void TestAttachmentFolder::longFoldedNameKeepsItsMark()
{
    const QString kept = AttachmentFolder::storableName(QString(300, QChar(0x0436)) + QStringLiteral(".pdf"));
    QCOMPARE(kept.size(), AttachmentFolder::kMaxName);
    QVERIFY(kept.contains(QLatin1Char('~')));
    QVERIFY(kept.endsWith(QStringLiteral(".pdf")));
}

void TestAttachmentFolder::onlyRegularFilesAreCopied_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("device") << "/dev/zero";
    QTest::newRow("folder") << "/tmp";
}

void TestAttachmentFolder::onlyRegularFilesAreCopied()
{
    QFETCH(QString, source);
    if (!QFileInfo::exists(source))
        QSKIP("no such special file here");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copia.bin"));
    QVERIFY(!AttachmentFolder::copy(source, target).isEmpty());
    QVERIFY(!QFileInfo::exists(target));
    // A link to the device is refused the same way.
    const QString link = dir.filePath(QStringLiteral("foto.jpg"));
    QVERIFY(QFile::link(source, link));
    QVERIFY(!AttachmentFolder::copy(link, target).isEmpty());
    QVERIFY(!QFileInfo::exists(target));
}

void TestAttachmentFolder::copyCanBeCancelled()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("grande.bin"));
    const QString target = dir.filePath(QStringLiteral("copia.bin"));
    TestFiles::writeAll(source, QByteArray(5 * 1024 * 1024, 'g'));
    TestFiles::writeAll(target, "vecchio");
    QList<qint64> steps;
    const QString outcome = AttachmentFolder::copy(source, target, [&steps](qint64 done, qint64 total) {
        steps << done;
        return total == 5 * 1024 * 1024 && steps.size() < 2;
    });
    QCOMPARE(outcome, AttachmentFolder::kCancelled);
    QCOMPARE(steps.size(), 2);
    QCOMPARE(TestFiles::readAll(target), QByteArray("vecchio"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestAttachmentFolder::longNameKeepsItsExtension()
{
    const QString name = QString(300, QLatin1Char('x')) + QStringLiteral(".pdf");
    const QString kept = AttachmentFolder::storableName(name);
    QCOMPARE(kept.size(), AttachmentFolder::kMaxName);
    QVERIFY(kept.endsWith(QStringLiteral("x.pdf")));
    // Without a short extension the name is simply cut.
    QCOMPARE(AttachmentFolder::storableName(QString(260, QLatin1Char('y'))).size(),
             AttachmentFolder::kMaxName);
}

void TestAttachmentFolder::pathUsesThePlatformSeparator()
{
    QCOMPARE(AttachmentFolder::pathOf(QStringLiteral("/prog/"), QStringLiteral("a.pdf")),
             QDir::toNativeSeparators(QStringLiteral("/prog/Documenti_Allegati/a.pdf")));
}

void TestAttachmentFolder::copyReplacesOnlyWhenComplete()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("scelto.pdf"));
    const QString target = dir.filePath(QStringLiteral("Documenti_Allegati/scelto.pdf"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Documenti_Allegati")));
    const QByteArray big(3 * 1024 * 1024 + 17, 'S');
    TestFiles::writeAll(source, big);
    TestFiles::writeAll(target, "vecchio");
    QCOMPARE(AttachmentFolder::copy(source, target), QString());
    QCOMPARE(TestFiles::readAll(target), big);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("scelto.pdf")});
}

void TestAttachmentFolder::failedCopyLeavesNothingBehind_data()
{
    QTest::addColumn<bool>("sourceMissing");
    QTest::newRow("chosen file gone") << true;
    QTest::newRow("a folder stands under the name") << false;
}

void TestAttachmentFolder::failedCopyLeavesNothingBehind()
{
    QFETCH(bool, sourceMissing);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Documenti_Allegati"));
    QVERIFY(QDir().mkpath(folder));
    const QString source = dir.filePath(QStringLiteral("scelto.pdf"));
    if (!sourceMissing) {
        TestFiles::writeAll(source, "contenuto");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("scelto.pdf")));
    }
    const QString reason = AttachmentFolder::copy(source, folder + QStringLiteral("/scelto.pdf"));
    QVERIFY(!reason.isEmpty());
    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(','))));
}

void TestAttachmentFolder::interruptedCopyKeepsTheOldFile()
{
    // A file that opens but whose reading fails: the copy breaks off after it has begun.
    const QString failing = QStringLiteral("/proc/self/mem");
    QFile probe(failing);
    char byte = 0;
    if (!probe.open(QIODevice::ReadOnly) || probe.read(&byte, 1) >= 0)
        QSKIP("no file here whose reading fails");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("scansione.pdf"));
    TestFiles::writeAll(target, "la copia di prima");
    const QString reason = AttachmentFolder::copy(failing, target);
    QVERIFY(reason.startsWith(QStringLiteral("la lettura del file scelto si è interrotta")));
    QCOMPARE(TestFiles::readAll(target), QByteArray("la copia di prima"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("scansione.pdf")});
}

void TestAttachmentFolder::folderIsCreatedWithItsParents()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("uno/due/"));
    QCOMPARE(AttachmentFolder::createFolder(program), QString());
    QVERIFY(QFileInfo(program + QStringLiteral("Documenti_Allegati")).isDir());
    QCOMPARE(AttachmentFolder::createFolder(program), QString());
}

void TestAttachmentFolder::folderThatIsAFileIsReported()
{
    QTemporaryDir dir;
    TestFiles::writeAll(dir.filePath(QStringLiteral("Documenti_Allegati")), "non una cartella");
    const QString reason = AttachmentFolder::createFolder(dir.path() + QLatin1Char('/'));
    QVERIFY(reason.contains(QStringLiteral("non è una cartella")));
}

void TestAttachmentFolder::sameFileIsRecognised()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.pdf"));
    TestFiles::writeAll(a, "x");
    TestFiles::writeAll(dir.filePath(QStringLiteral("b.pdf")), "x");
    QVERIFY(AttachmentFolder::sameFile(a, dir.path() + QStringLiteral("/./a.pdf")));
    QVERIFY(!AttachmentFolder::sameFile(a, dir.filePath(QStringLiteral("b.pdf"))));
    QVERIFY(!AttachmentFolder::sameFile(dir.filePath(QStringLiteral("manca.pdf")),
                                        dir.filePath(QStringLiteral("manca.pdf"))));
}

QTEST_GUILESS_MAIN(TestAttachmentFolder)
#include "tst_attachment_folder.moc"
