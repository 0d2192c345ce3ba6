// Every file the program writes, written on a full disk: the old file stays whole, the failure is
// reported with its reason in Italian, and nothing claims success.

#include "access/PasswordError.h"
#include "access/PasswordStore.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "import/ImportMapping.h"
#include "registry/AttachmentFolder.h"
#include "storage/FileErrorText.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "storage/SafeSave.h"
#include "storage/TSchedaAnagrafica.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTest>

#include <functional>

namespace {

const QString kNoSpace = QStringLiteral("spazio esaurito sul disco");

QImage photo(QColor colour)
{
    QImage picture(300, 400, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QByteArray jpeg(QColor colour)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpg").write(photo(colour));
    return buffer.data();
}

// A write on the full disk: the file it replaces, and the attempt, which gives whether it claimed
// success and the reason it gave.
struct Attempt {
    QString target; // relative to the program folder
    std::function<bool(const QString& folder, QString* reason)> write;
};

} // namespace

Q_DECLARE_METATYPE(Attempt)

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void oldFileStaysWhole_data();
    void oldFileStaysWhole();
    void slotPhotosOfAPageAreAllOrNothing();
    void systemTextsInItalian_data();
    void systemTextsInItalian();
};

void TestFullDisk::oldFileStaysWhole_data()
{
    QTest::addColumn<Attempt>("attempt");
    QTest::addColumn<bool>("reasonGiven");
    QTest::newRow("card photo")
        << Attempt{QStringLiteral("Anagrafica/Scheda_Anagrafica_1.jpg"),
                   [](const QString& folder, QString* reason) {
                       return PhotoFiles::save(photo(Qt::red),
                                               folder + QStringLiteral("Anagrafica/Scheda_Anagrafica_1.jpg"),
                                               reason);
                   }}
        << true;
    QTest::newRow("whole file (import report)")
        << Attempt{QStringLiteral("Rapporto_Importazione.txt"),
                   [](const QString& folder, QString* reason) {
                       return SafeSave::writeFile(folder + QStringLiteral("Rapporto_Importazione.txt"),
                                                  QByteArray(900, 'r'), reason);
                   }}
        << true;
    QTest::newRow("attachment") << Attempt{QStringLiteral("Documenti_Allegati/contratto.pdf"),
                                           [](const QString& folder, QString* reason) {
                                               QTemporaryDir elsewhere;
                                               const QString source =
                                                   elsewhere.filePath(QStringLiteral("c.pdf"));
                                               TestFiles::writeAll(source, QByteArray(3000, 'n'));
                                               *reason = AttachmentFolder::copy(
                                                   source, folder + QStringLiteral(
                                                                        "Documenti_Allegati/contratto.pdf"));
                                               return reason->isEmpty();
                                           }}
                                << true;
    QTest::newRow("export")
        << Attempt{QStringLiteral("Archivio_Anagrafico.xls"),
                   [](const QString& folder, QString* reason) {
                       QTemporaryDir elsewhere;
                       QByteArray cards;
                       for (int i = 0; i < 3; ++i) {
                           TSchedaAnagrafica card;
                           card.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona %1").arg(i));
                           cards += card.buffer();
                       }
                       const QString archive =
                           TSchedaAnagrafica::archivio(elsewhere.path() + QLatin1Char('/'));
                       TestFiles::writeAll(archive, cards);
                       RegistryTable table;
                       table.read(archive);
                       return RegistryExport::save(RegistryExport::path(folder), table, {}, reason) ==
                              RegistryExport::Outcome::Written;
                   }}
        << true;
    QTest::newRow("import settings")
        << Attempt{QStringLiteral("Importazione.ini"),
                   [](const QString& folder, QString*) {
                       const QStringList headers{QStringLiteral("Cognome"), QStringLiteral("E-mail")};
                       return ImportMapping::fromHeaders(headers).remember(folder, headers);
                   }}
        << false;
    QTest::newRow("password") << Attempt{QStringLiteral("unins000.dll"),
                                         [](const QString& folder, QString* reason) {
                                             try {
                                                 PasswordStore(folder).writeValue(
                                                     QStringLiteral("ABCDEF0123"));
                                             } catch (const PasswordError& error) {
                                                 *reason = QString::fromStdString(error.what());
                                                 return false;
                                             }
                                             return true;
                                         }}
                              << true;
}

void TestFullDisk::oldFileStaysWhole()
{
    QFETCH(Attempt, attempt);
    QFETCH(bool, reasonGiven);
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP("a small file system cannot be mounted here");
    const QString target = disk.folder() + attempt.target;
    QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
    // The old file: a photo where a picture is expected, any bytes elsewhere.
    const QByteArray old =
        target.endsWith(u".jpg") ? jpeg(Qt::blue) : QByteArray("[Vecchio]\r\nvalore=1\r\n");
    TestFiles::writeAll(target, old);
    QVERIFY(disk.fill());

    QString reason;
    QVERIFY2(!attempt.write(disk.folder(), &reason), "a write on a full disk claimed success");
    QCOMPARE(TestFiles::readAll(target), old);
    if (reasonGiven)
        QVERIFY2(reason.contains(kNoSpace), qPrintable(reason));
    // No temporary file is left behind beside it.
    QCOMPARE(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(),
             QFileInfo(target).absolutePath() == QDir(disk.folder()).absolutePath() ? 2 : 1);
}

void TestFullDisk::slotPhotosOfAPageAreAllOrNothing()
{
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP("a small file system cannot be mounted here");
    QVERIFY(QDir().mkpath(FotoGruppo::cartella(disk.folder())));
    const QString slotA =
        FotoGruppo::fotoRiquadro(disk.folder(), QStringLiteral("Gita"), 0, QStringLiteral("1"));
    const QByteArray old = jpeg(Qt::blue);
    TestFiles::writeAll(slotA, old);
    QVERIFY(disk.fill());

    FotoRiquadri riquadri;
    riquadri.azzera();
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        riquadri.imposta(i, photo(QColor::fromHsv(i * 40, 200, 200)));
    FotoInAttesa pending;
    QString reason;
    const QString failed =
        pending.prepara(disk.folder(), QStringLiteral("Gita"), QStringLiteral("1"), riquadri, {}, &reason);
    QVERIFY(!failed.isEmpty());
    QVERIFY2(reason.contains(kNoSpace), qPrintable(reason));
    QCOMPARE(pending.metti(riquadri), QString()); // nothing left to put in place
    QCOMPARE(TestFiles::readAll(slotA), old);
    QCOMPARE(QDir(FotoGruppo::cartella(disk.folder())).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(slotA).fileName()});
}

void TestFullDisk::systemTextsInItalian_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("italian");
    QTest::newRow("name too long") << "File name too long"
                                   << "nome del file troppo lungo";
    QTest::newRow("no space") << "No space left on device"
                              << "spazio esaurito sul disco";
    QTest::newRow("permission") << "Permission denied"
                                << "permesso negato";
    QTest::newRow("read-only") << "Read-only file system"
                               << "il disco è di sola lettura";
    QTest::newRow("no such file") << "No such file or directory"
                                  << "file o cartella inesistente";
    QTest::newRow("Windows no space") << "There is not enough space on the disk."
                                      << "spazio esaurito sul disco";
    QTest::newRow("Windows access") << "Access is denied."
                                    << "permesso negato";
    QTest::newRow("unknown stays") << "Something else"
                                   << "Something else";
}

void TestFullDisk::systemTextsInItalian()
{
    QFETCH(QString, system);
    QFETCH(QString, italian);
    QCOMPARE(FileErrorText::italian(system), italian);
    // As QFile words an open failure: the system's text follows the file.
    if (italian != system)
        QCOMPARE(FileErrorText::italian(QStringLiteral("Cannot open /x/y.jpg: ") + system), italian);
}

QTEST_MAIN(TestFullDisk)
#include "tst_full_disk.moc"
