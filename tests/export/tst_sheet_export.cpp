// The XLSX and ODS export: cell texts, the writers' markup, the round trip through the import,
// files left whole on a failure or a cancel, and flat memory on a large registry.
#include "SheetFixture.h"
#include "export/OdsSheetWriter.h"
#include "export/RegistrySheetExport.h"
#include "export/SheetWriter.h"
#include "export/XlsxLibrary.h"
#include "import/ImportMapping.h"
#include "import/ImportPlan.h"
#include "import/SheetReader.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"
#include "support/TestFiles.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using C = TSchedaAnagrafica;
using Format = RegistrySheetExport::Format;
using Outcome = RegistryExport::Outcome;

Q_DECLARE_METATYPE(RegistrySheetExport::Format)

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// AddressSanitizer keeps freed blocks aside for a while; in this program that would show as
// growth of resident memory in the flat-memory test.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=0";
}
#endif
#endif

namespace {

QList<QByteArray> schedeGrezze(const QString& archivio)
{
    QList<QByteArray> records;
    TArchivioSchede file;
    file.ApriOCrea(archivio, C::kSize);
    TSchedaAnagrafica scheda;
    while (!file.FineArchivio()) {
        file.LeggiScheda(scheda.buffer());
        records.append(scheda.buffer());
    }
    file.ChiudiArchivio();
    return records;
}

// A record with every byte after each field's text set to zero.
QByteArray senzaRiempimento(QByteArray record)
{
    for (const C::Layout& field : C::layout()) {
        const int length = std::min<int>(quint8(record.at(field.offset)), field.capacity);
        for (int i = field.offset + 1 + length; i <= field.offset + field.capacity; ++i)
            record[i] = 0;
    }
    return record;
}

#ifdef Q_OS_LINUX
// A figure of /proc/self/status in kB, or -1.
qint64 memoria(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
#endif

// One part of a zip package, or an empty array.
QByteArray parte(const QString& zipPath, const QString& name)
{
    QuaZip zip(zipPath);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(name))
        return {};
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void formati()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("xlsx") << Format::Xlsx;
    QTest::newRow("ods") << Format::Ods;
}

} // namespace

class TestSheetExport : public QObject {
    Q_OBJECT

private slots:
    void init();

    void cellTextIsUtf8WithoutControlCodes_data();
    void cellTextIsUtf8WithoutControlCodes();
    void odsParagraphKeepsEveryCharacter_data();
    void odsParagraphKeepsEveryCharacter();
    void columnWidthsFollowTheLongestValueWithinBounds();
    void pathsAndTheDesignedFormat();
    void packagesNameTheSheetAndFreezeTheHeader_data();
    void packagesNameTheSheetAndFreezeTheHeader();

    void importReadsTheCardsBackByteForByte_data();
    void importReadsTheCardsBackByteForByte();
    void readOnlyTargetKeepsTheOldFile_data();
    void readOnlyTargetKeepsTheOldFile();
    void cancelKeepsTheOldFile_data();
    void cancelKeepsTheOldFile();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void hundredThousandCardsInFlatMemory_data();
    void hundredThousandCardsInFlatMemory();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestSheetExport::init()
{
    if (QByteArray(QTest::currentDataTag()).startsWith("xlsx"))
        QVERIFY2(XlsxLibrary::get(), qPrintable(XlsxLibrary::loadError()));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QDir(m_dir->path()).absolutePath() + QLatin1Char('/');
}

void TestSheetExport::cellTextIsUtf8WithoutControlCodes_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("plain") << QByteArray("Rossi 00184") << QString() << QByteArray("Rossi 00184");
    QTest::newRow("code page") << QByteArray("Citt\xE0 \x80 \x93") << QString()
                               << QByteArray("Citt\xC3\xA0 \xE2\x82\xAC \xE2\x80\x9C");
    QTest::newRow("control codes") << QByteArray("a\x01"
                                                 "b\tc\nd\re",
                                                 9)
                                   << QString()
                                   << QByteArray("a\xEF\xBF\xBD"
                                                 "b\tc\nd\re");
    QTest::newRow("nul") << QByteArray("a\0b", 3) << QString()
                         << QByteArray("a\xEF\xBF\xBD"
                                       "b");
    QTest::newRow("typed outside the code page")
        << QByteArray() << QStringLiteral("\u0141\u00F3d\u017A \U0001F600")
        << QByteArray("\xC5\x81\xC3\xB3\x64\xC5\xBA \xF0\x9F\x98\x80");
    QTest::newRow("typed lone surrogate and non-character")
        << QByteArray() << QString(QChar(0xD800)) + QChar(0xFFFF) + QChar(0x7)
        << QByteArray("\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

void TestSheetExport::cellTextIsUtf8WithoutControlCodes()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(QByteArray, utf8);
    QByteArray out = "left over";
    if (typed.isNull())
        RegistrySheetExport::cellText(out, QByteArrayView(stored));
    else
        RegistrySheetExport::cellText(out, QStringView(typed));
    QCOMPARE(out, utf8);
}

void TestSheetExport::odsParagraphKeepsEveryCharacter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("markup");
    QTest::newRow("plain") << QByteArray("=1+1 00184") << QByteArray("=1+1 00184");
    QTest::newRow("markup") << QByteArray("<a & b>") << QByteArray("&lt;a &amp; b&gt;");
    QTest::newRow("blank runs") << QByteArray("a  b   c")
                                << QByteArray("a <text:s/>b <text:s text:c=\"2\"/>c");
    QTest::newRow("blanks at the ends")
        << QByteArray("  a ") << QByteArray("<text:s text:c=\"2\"/>a<text:s/>");
    QTest::newRow("tab and breaks") << QByteArray("a\t b\r\nc\nd\re")
                                    << QByteArray(
                                           "a<text:tab/><text:s/>b<text:line-break/>c<text:line-break/>d"
                                           "<text:line-break/>e");
    QTest::newRow("control code") << QByteArray("a\x02z") << QByteArray("a\xEF\xBF\xBDz");
    QTest::newRow("utf-8 kept") << QByteArray("\xC5\x81\xC3\xB3") << QByteArray("\xC5\x81\xC3\xB3");
}

void TestSheetExport::odsParagraphKeepsEveryCharacter()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, markup);
    QByteArray out = "<text:p>";
    OdsSheetWriter::appendParagraphText(out, text);
    QCOMPARE(out, "<text:p>" + markup);
}

void TestSheetExport::columnWidthsFollowTheLongestValueWithinBounds()
{
    QList<TSchedaAnagrafica> schede = SheetFixture::schedeDifficili();
    RegistryTable table = SheetFixture::leggi(m_folder, schede);
    table.setText(1, 13, QString(40, QLatin1Char('m'))); // typed into E-mail
    const QList<int> widths = RegistrySheetExport::columnWidths(table);
    // The columns of the file: the table's with Sesso second.
    QCOMPARE(widths.size(), RegistrySheetExport::kColumns);
    QCOMPARE(widths[1], 7);                               // "Sesso" in bold, its values one letter
    QCOMPARE(widths[7], RegistrySheetExport::kMinWidth);  // CAP: "00184" and its header are short
    QCOMPARE(widths[0], 25);                              // the longest name and one more
    QCOMPARE(widths[14], 41);                             // the typed text counts
    QCOMPARE(widths[24], RegistrySheetExport::kMaxWidth); // a note of 250 characters
    for (const int width : widths)
        QVERIFY(width >= RegistrySheetExport::kMinWidth && width <= RegistrySheetExport::kMaxWidth);
}

void TestSheetExport::pathsAndTheDesignedFormat()
{
    QCOMPARE(RegistrySheetExport::path(m_folder, Format::Xls), m_folder + "Archivio_Anagrafico.xls");
    QCOMPARE(RegistrySheetExport::path(m_folder, Format::Xlsx), m_folder + "Archivio_Anagrafico.xlsx");
    QCOMPARE(RegistrySheetExport::path(m_folder, Format::Ods), m_folder + "Archivio_Anagrafico.ods");
    // The designed file is written by its own writer, byte for byte as before.
    const RegistryTable table = SheetFixture::leggi(m_folder, ExportFixture::treSchede());
    const QString designed = RegistrySheetExport::path(m_folder, Format::Xls);
    QCOMPARE(RegistrySheetExport::save(Format::Xls, designed, table), Outcome::Written);
    QCOMPARE(RegistryExport::save(m_folder + "atteso.xls", table), Outcome::Written);
    QCOMPARE(TestFiles::readAll(designed), TestFiles::readAll(m_folder + "atteso.xls"));
}

void TestSheetExport::packagesNameTheSheetAndFreezeTheHeader_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::newRow("xlsx sheet name") << Format::Xlsx << "xl/workbook.xml"
                                     << QByteArrayList{"<sheet name=\"Archivio Anagrafico\""};
    QTest::newRow("xlsx frozen header")
        << Format::Xlsx << "xl/worksheets/sheet1.xml"
        << QByteArrayList{
               "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"};
    QTest::newRow("xlsx bold") << Format::Xlsx << "xl/styles.xml" << QByteArrayList{"<b/>"};
    QTest::newRow("ods mimetype") << Format::Ods << "mimetype"
                                  << QByteArrayList{"application/vnd.oasis.opendocument.spreadsheet"};
    QTest::newRow("ods sheet name") << Format::Ods << "content.xml"
                                    << QByteArrayList{"<table:table table:name=\"Archivio Anagrafico\">"};
    QTest::newRow("ods frozen header")
        << Format::Ods << "settings.xml"
        << QByteArrayList{"<config:config-item-map-entry config:name=\"Archivio Anagrafico\">",
                          "<config:config-item config:name=\"VerticalSplitMode\" config:type=\"short\">2<",
                          "<config:config-item config:name=\"VerticalSplitPosition\" config:type=\"int\">1<"};
}

void TestSheetExport::packagesNameTheSheetAndFreezeTheHeader()
{
    QFETCH(Format, format);
    QFETCH(QString, part);
    QFETCH(QByteArrayList, expected);
    const QString path = RegistrySheetExport::path(m_folder, format);
    QCOMPARE(
        RegistrySheetExport::save(format, path, SheetFixture::leggi(m_folder, ExportFixture::treSchede())),
        Outcome::Written);
    const QByteArray bytes = parte(path, part);
    for (const QByteArray& piece : expected)
        QVERIFY2(bytes.contains(piece), piece.constData());
    if (format == Format::Ods) {
        // The media type is the first part, stored, so that its name shows at byte 30.
        QCOMPARE(TestFiles::readAll(path).mid(30, 8 + 46),
                 "mimetypeapplication/vnd.oasis.opendocument.spreadsheet");
    }
}

void TestSheetExport::importReadsTheCardsBackByteForByte_data()
{
    formati();
}

void TestSheetExport::importReadsTheCardsBackByteForByte()
{
    QFETCH(Format, format);
    QList<TSchedaAnagrafica> schede = SheetFixture::schedeDifficili();
    schede.removeAt(1); // "_x0041_": see the LibreOffice test
    // A card with every field filled, less the attachment descriptions the file does not carry.
    TSchedaAnagrafica piena = ExportFixture::treSchede()[1];
    piena.setTesto(C::Desc01, QString());
    schede.append(piena);
    const RegistryTable table = SheetFixture::leggi(m_folder, schede);
    const QString path = RegistrySheetExport::path(m_folder, format);
    QString error;
    QCOMPARE(RegistrySheetExport::save(format, path, table, {}, &error), Outcome::Written);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.value(0), RegistrySheetExport::headerLabels());
    QCOMPARE(sheet.rows.value(0).value(1), QStringLiteral("Sesso"));
    QCOMPARE(sheet.rows.size(), schede.size() + 1);
    const ImportMapping mapping = ImportMapping::fromHeaders(sheet.rows.value(0));
    for (int column = 0; column < RegistrySheetExport::kColumns; ++column)
        QCOMPARE(mapping.target(column), int(RegistrySheetExport::fields()[std::size_t(column)]));
    const QList<ImportPlan::Riga> righe = ImportPlan::prepara(sheet.rows, mapping, {});
    // A card with its Sesso comes back complete; the one without is asked for it.
    QCOMPARE(righe.size(), schede.size());
    for (int i = 0; i < righe.size(); ++i) {
        QCOMPARE(righe[i].values.texts[C::Sesso], TextRules::trim(schede[i].testo(C::Sesso)));
        QCOMPARE(righe[i].mancanti.contains(QStringLiteral("Sesso")), schede[i].testo(C::Sesso).isEmpty());
    }

    QTemporaryDir other;
    const QString folder = QDir(other.path()).absolutePath() + QLatin1Char('/');
    const ImportAppend::Risultato risultato = ImportAppend::aggiungi(folder, righe);
    QVERIFY2(risultato.errore.isEmpty(), qPrintable(risultato.errore));
    QCOMPARE(risultato.aggiunte, schede.size());

    // The attachment descriptions are not exported: the fixture leaves them empty. The bytes after
    // each field's length are not part of the card: the import may leave others there.
    const QList<QByteArray> original = schedeGrezze(C::archivio(m_folder));
    const QList<QByteArray> imported = schedeGrezze(C::archivio(folder));
    QCOMPARE(imported.size(), original.size());
    for (int i = 0; i < original.size(); ++i) {
        for (int column = 0; column < RegistrySheetExport::kColumns; ++column) {
            const C::Campo campo = RegistrySheetExport::fields()[std::size_t(column)];
            const C::Layout& field = C::layoutOf(campo);
            const qsizetype length = 1 + quint8(original[i].at(field.offset));
            QVERIFY2(imported[i].mid(field.offset, length) == original[i].mid(field.offset, length),
                     qPrintable(QStringLiteral("card %1, %2: %3 instead of %4")
                                    .arg(i + 1)
                                    .arg(QLatin1String(field.name),
                                         QString::fromLatin1(
                                             imported[i].mid(field.offset, field.capacity + 1).toHex()),
                                         QString::fromLatin1(
                                             original[i].mid(field.offset, field.capacity + 1).toHex()))));
        }
        QVERIFY(senzaRiempimento(imported[i]) == senzaRiempimento(original[i]));
    }
}

void TestSheetExport::readOnlyTargetKeepsTheOldFile_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<bool>("folder");
    QTest::newRow("xlsx read-only") << Format::Xlsx << false;
    QTest::newRow("ods read-only") << Format::Ods << false;
    QTest::newRow("xlsx folder in its place") << Format::Xlsx << true;
    QTest::newRow("ods folder in its place") << Format::Ods << true;
}

void TestSheetExport::readOnlyTargetKeepsTheOldFile()
{
    QFETCH(Format, format);
    QFETCH(bool, folder);
    const RegistryTable table = SheetFixture::leggi(m_folder, ExportFixture::treSchede());
    const QString path = RegistrySheetExport::path(m_folder, format);
    if (folder) {
        QVERIFY(QDir(m_folder).mkdir(QFileInfo(path).fileName()));
    } else {
        TestFiles::writeAll(path, "previous export");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    }
    QString error;
    QCOMPARE(RegistrySheetExport::save(format, path, table, {}, &error), Outcome::Failed);
    QVERIFY(!error.isEmpty());
    if (folder) {
        QVERIFY(QFileInfo(path).isDir());
    } else {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    }
    // The archive and the old file or folder: no temporary file is left.
    QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

void TestSheetExport::cancelKeepsTheOldFile_data()
{
    formati();
}

void TestSheetExport::cancelKeepsTheOldFile()
{
    QFETCH(Format, format);
    const RegistryTable table =
        SheetFixture::leggi(m_folder, QList<TSchedaAnagrafica>(2000, ExportFixture::treSchede()[1]));
    const QString path = RegistrySheetExport::path(m_folder, format);
    TestFiles::writeAll(path, "previous export");
    int calls = 0;
    const auto outcome = RegistrySheetExport::save(format, path, table, [&](int done, int total) {
        ++calls;
        return done < total / 2;
    });
    QCOMPARE(outcome, Outcome::Cancelled);
    QVERIFY(calls > 1);
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestSheetExport::fullDiskKeepsTheOldFile_data()
{
    formati();
}

void TestSheetExport::fullDiskKeepsTheOldFile()
{
#ifdef Q_OS_UNIX
    QFETCH(Format, format);
    const RegistryTable table =
        SheetFixture::leggi(m_folder, QList<TSchedaAnagrafica>(3000, ExportFixture::treSchede()[1]));
    const QString path = RegistrySheetExport::path(m_folder, format);
    TestFiles::writeAll(path, "previous export");
    // Files of this process may not grow beyond 16 kB, as on a disk that is full.
    rlimit before{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 16 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const auto outcome = RegistrySheetExport::save(format, path, table, {}, &error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(outcome, Outcome::Failed);
    QVERIFY(!error.isEmpty());
    QCOMPARE(TestFiles::readAll(path), QByteArray("previous export"));
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
#else
    QSKIP("needs a file size limit");
#endif
}

void TestSheetExport::hundredThousandCardsInFlatMemory_data()
{
    formati();
}

void TestSheetExport::hundredThousandCardsInFlatMemory()
{
#ifdef Q_OS_LINUX
    QFETCH(Format, format);
    constexpr int kSchede = 100000;
    // The archive written in one go: every card the second of the fixture, with its own number.
    {
        QFile archivio(C::archivio(m_folder));
        QVERIFY(archivio.open(QIODevice::WriteOnly));
        TSchedaAnagrafica scheda = ExportFixture::treSchede()[1];
        for (int i = 0; i < kSchede; ++i) {
            scheda.setTesto(C::Candidato, QStringLiteral("Bianchi Anna %1").arg(i));
            scheda.setTesto(C::Cap, QStringLiteral("%1").arg(i % 100000, 5, 10, QLatin1Char('0')));
            QCOMPARE(archivio.write(scheda.buffer()), qint64(C::kSize));
        }
    }
    RegistryTable table;
    QVERIFY(table.read(C::archivio(m_folder)));
    QCOMPARE(table.rowCount(), kSchede);

    // The peak of resident memory starts again from here.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        QSKIP("the peak of resident memory cannot be reset here");
    clear.close();
    const qint64 start = memoria("VmRSS:");
    QVERIFY(start > 0);
    int lastDone = 0;
    const QString path = RegistrySheetExport::path(m_folder, format);
    QCOMPARE(RegistrySheetExport::save(format, path, table,
                                       [&](int done, int) {
                                           lastDone = done;
                                           return true;
                                       }),
             Outcome::Written);
    const qint64 growth = memoria("VmHWM:") - start;
    QVERIFY(lastDone > kSchede - 300);
    // The whole text of the cards is over 25 MB: a writer that kept it would show here.
    QVERIFY2(growth < 24 * 1024, qPrintable(QStringLiteral("%1 kB more at the peak").arg(growth)));
    QVERIFY(QFileInfo(path).size() > 1024 * 1024);
#else
    QSKIP("reads the memory figures of Linux");
#endif
}

QTEST_GUILESS_MAIN(TestSheetExport)
#include "tst_sheet_export.moc"
