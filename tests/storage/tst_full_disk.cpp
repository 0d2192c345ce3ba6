// Every file the program writes, written on a full disk: the old file stays whole, the failure is
// reported with its reason in Italian, and nothing claims success.

#include "access/PasswordError.h"
#include "access/PasswordStore.h"
#include "documents/PdfFile.h"
#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "export/RegistrySheetExport.h"
#include "import/ImportMapping.h"
#include "privacy/erase/PersonExport.h"
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

#include <cerrno>
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

// A small registry, read from an archive kept off the full disk.
RegistryTable threeCards()
{
    QTemporaryDir elsewhere;
    QByteArray cards;
    for (int i = 0; i < 3; ++i) {
        TSchedaAnagrafica card;
        card.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona %1").arg(i));
        card.setTesto(TSchedaAnagrafica::Sesso, QStringLiteral("F"));
        cards += card.buffer();
    }
    const QString archive = TSchedaAnagrafica::archivio(elsewhere.path() + QLatin1Char('/'));
    TestFiles::writeAll(archive, cards);
    RegistryTable table;
    table.read(archive);
    return table;
}

// A write on the full disk: the file it replaces, and the attempt, which gives whether it claimed
// success and the reason it gave.
struct Attempt {
    QString target; // relative to the program folder
    std::function<bool(const QString& folder, QString* reason)> write;
};

} // namespace

Q_DECLARE_METATYPE(Attempt)

namespace {

// The documents the user writes: the three export formats, a PDF and a person's data.
void documentRows()
{
    for (const auto& [name, format] : {std::pair{"export .xls", RegistrySheetExport::Format::Xls},
                                       std::pair{"export .xlsx", RegistrySheetExport::Format::Xlsx},
                                       std::pair{"export .ods", RegistrySheetExport::Format::Ods}}) {
        const QString file = QFileInfo(RegistrySheetExport::path(QString(), format)).fileName();
        QTest::newRow(name) << Attempt{file,
                                       [format](const QString& folder, QString* reason) {
                                           return RegistrySheetExport::save(
                                                      format, RegistrySheetExport::path(folder, format),
                                                      threeCards(), {},
                                                      reason) == RegistryExport::Outcome::Written;
                                       }}
                            << true;
    }
    QTest::newRow("PDF") << Attempt{QStringLiteral("Scadenze.pdf"),
                                    [](const QString& folder, QString* reason) {
                                        return PdfFile::save(folder + QStringLiteral("Scadenze.pdf"),
                                                             QByteArray(5000, 'p'), reason);
                                    }}
                         << true;
    QTest::newRow("person's data")
        << Attempt{QStringLiteral("Dati_Rossi.zip"),
                   [](const QString& folder, QString* reason) {
                       const QList<PersonExport::Entry> entries{
                           {QStringLiteral("Scheda.csv"), QByteArray(20000, 'c'), {}}};
                       return PersonExport::save(folder + QStringLiteral("Dati_Rossi.zip"), entries, {},
                                                 reason) == PersonExport::Outcome::Written;
                   }}
        << true;
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void oldFileStaysWhole_data();
    void oldFileStaysWhole();
    void slotPhotosOfAPageAreAllOrNothing();
    void readOnlyDiskIsNamed_data();
    void readOnlyDiskIsNamed();
    void failureWithoutTextNamesTheDisk();
    void systemTextsInItalian_data();
    void systemTextsInItalian();
    void errorNumbersInItalian_data();
    void errorNumbersInItalian();
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
    documentRows();
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

void TestFullDisk::readOnlyDiskIsNamed_data()
{
    QTest::addColumn<Attempt>("attempt");
    QTest::addColumn<bool>("reasonGiven");
    documentRows();
    QTest::newRow("whole file") << Attempt{QStringLiteral("Consensi.ini"),
                                           [](const QString& folder, QString* reason) {
                                               return SafeSave::writeFile(folder +
                                                                              QStringLiteral("Consensi.ini"),
                                                                          QByteArray(900, 'r'), reason);
                                           }}
                                << true;
}

void TestFullDisk::readOnlyDiskIsNamed()
{
    QFETCH(Attempt, attempt);
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP("a small file system cannot be mounted here");
    const QString target = disk.folder() + attempt.target;
    const QByteArray old("[Vecchio]\r\nvalore=1\r\n");
    TestFiles::writeAll(target, old);
    QVERIFY(disk.makeReadOnly());

    // Even where the file's own permissions allow the write (as root), the disk refuses it: the
    // reason says so, in Italian, and not that the file is protected.
    QString reason;
    QVERIFY2(!attempt.write(disk.folder(), &reason), "a write on a read-only disk claimed success");
    QVERIFY2(reason.contains(QStringLiteral("il disco è di sola lettura")), qPrintable(reason));
    QVERIFY2(!reason.contains(QLatin1String("Read-only")), qPrintable(reason));
    QCOMPARE(TestFiles::readAll(target), old);
}

void TestFullDisk::failureWithoutTextNamesTheDisk()
{
    // Qt leaves some failed writes without a text ("Unknown error"): the disk gives the reason.
    FullDisk disk;
    if (!disk.isMounted())
        QSKIP("a small file system cannot be mounted here");
    const QFile quiet(disk.folder() + QStringLiteral("Archivio_Anagrafico.ods"));
    QCOMPARE(quiet.error(), QFileDevice::NoError);
    QCOMPARE(FileErrorText::of(quiet), QStringLiteral("la scrittura sul disco non è riuscita"));
    QVERIFY(disk.fill());
    QCOMPARE(FileErrorText::of(quiet), kNoSpace);
    QCOMPARE(FileErrorText::ofFolder(disk.folder()), kNoSpace);
    QVERIFY(disk.makeReadOnly());
    QCOMPARE(FileErrorText::of(quiet), QStringLiteral("il disco è di sola lettura"));
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
    QTest::newRow("Windows disk full") << "The disk is full."
                                       << "spazio esaurito sul disco";
    QTest::newRow("Windows write protected") << "The media is write protected."
                                             << "il disco è di sola lettura";
    QTest::newRow("Windows quota") << "Not enough quota is available to process this command."
                                   << "spazio esaurito sul disco (superata la quota dell'utente)";
    QTest::newRow("Windows file in use")
        << "The process cannot access the file because it is being used by another process."
        << "il file è in uso da parte di un altro programma";
    QTest::newRow("Windows locked")
        << "The process cannot access the file because another process has locked a portion of the file."
        << "il file è bloccato da un altro programma";
    QTest::newRow("Windows share gone") << "The specified network name is no longer available."
                                        << "la cartella di rete non risponde";
    QTest::newRow("Italian system no space") << "Spazio esaurito sul device"
                                             << "spazio esaurito sul disco";
    QTest::newRow("Italian system read-only") << "File system in sola lettura"
                                              << "il disco è di sola lettura";
    QTest::newRow("Qt existing file") << "Existing file /x/y.xlsx is not writable"
                                      << "permesso negato";
    QTest::newRow("Qt directory") << "Filename refers to a directory"
                                  << "al suo posto c'è una cartella";
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

void TestFullDisk::errorNumbersInItalian_data()
{
    // As the C library words each error a file operation can meet, so as QFile reports it.
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("italian");
    const QString noSpace = kNoSpace;
    const QString network = QStringLiteral("la cartella di rete non risponde");
    const QString inUse = QStringLiteral("il file è in uso da parte di un altro programma");
    const QString device = QStringLiteral("errore di lettura o scrittura del disco");
    QTest::newRow("ENOSPC") << ENOSPC << noSpace;
    QTest::newRow("EFBIG") << EFBIG << QStringLiteral("file troppo grande per il disco");
    QTest::newRow("EROFS") << EROFS << QStringLiteral("il disco è di sola lettura");
    QTest::newRow("EACCES") << EACCES << QStringLiteral("permesso negato");
    QTest::newRow("EPERM") << EPERM << QStringLiteral("permesso negato");
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << QStringLiteral("nome del file troppo lungo");
    QTest::newRow("ENOENT") << ENOENT << QStringLiteral("file o cartella inesistente");
    QTest::newRow("EISDIR") << EISDIR << QStringLiteral("al suo posto c'è una cartella");
    QTest::newRow("ENOTDIR") << ENOTDIR
                             << QStringLiteral("un file occupa il posto di una cartella del percorso");
    QTest::newRow("ENOTEMPTY") << ENOTEMPTY << QStringLiteral("la cartella non è vuota");
    QTest::newRow("EEXIST") << EEXIST << QStringLiteral("il file esiste già");
    QTest::newRow("ELOOP") << ELOOP << QStringLiteral("troppi collegamenti simbolici nel percorso");
    QTest::newRow("EXDEV") << EXDEV << QStringLiteral("i due percorsi sono su dischi diversi");
    QTest::newRow("EIO") << EIO << device;
    QTest::newRow("ENXIO") << ENXIO << QStringLiteral("il disco non è disponibile");
    QTest::newRow("ENODEV") << ENODEV << QStringLiteral("il disco non è disponibile");
    QTest::newRow("EMFILE") << EMFILE << QStringLiteral("troppi file aperti");
    QTest::newRow("ENFILE") << ENFILE << QStringLiteral("troppi file aperti");
    QTest::newRow("EBUSY") << EBUSY << inUse;
    QTest::newRow("ETXTBSY") << ETXTBSY << inUse;
    QTest::newRow("EAGAIN") << EAGAIN << QStringLiteral("il file è momentaneamente bloccato");
    QTest::newRow("ENOLCK") << ENOLCK << QStringLiteral("il disco non concede il blocco dei file");
    QTest::newRow("ENOMEM") << ENOMEM << QStringLiteral("memoria insufficiente");
    QTest::newRow("EINVAL") << EINVAL << QStringLiteral("nome o operazione non ammessi da questo disco");
    QTest::newRow("ENOTCONN") << ENOTCONN << network;
    QTest::newRow("ETIMEDOUT") << ETIMEDOUT << network;
    QTest::newRow("ECONNRESET") << ECONNRESET << network;
    QTest::newRow("ECONNREFUSED") << ECONNREFUSED << network;
    QTest::newRow("EHOSTUNREACH") << EHOSTUNREACH << network;
    QTest::newRow("ENETUNREACH") << ENETUNREACH << network;
#ifdef EDQUOT
    QTest::newRow("EDQUOT") << EDQUOT
                            << QStringLiteral("spazio esaurito sul disco (superata la quota dell'utente)");
#endif
#ifdef ESTALE
    QTest::newRow("ESTALE") << ESTALE
                            << QStringLiteral(
                                   "il file è stato cambiato o rimosso da un altro computer della rete");
#endif
#ifdef EHOSTDOWN
    QTest::newRow("EHOSTDOWN") << EHOSTDOWN << network;
#endif
#ifdef ENOMEDIUM
    QTest::newRow("ENOMEDIUM") << ENOMEDIUM << QStringLiteral("il disco non è disponibile");
#endif
}

void TestFullDisk::errorNumbersInItalian()
{
    QFETCH(int, code);
    QFETCH(QString, italian);
    const QString system = qt_error_string(code);
    QCOMPARE(FileErrorText::italian(system), italian);
    QCOMPARE(FileErrorText::italian(QStringLiteral("Cannot open /x/y.xlsx: ") + system), italian);
}

QTEST_MAIN(TestFullDisk)
#include "tst_full_disk.moc"
