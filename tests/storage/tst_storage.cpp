#include "storage/ArchiveError.h"
#include "storage/Cp1252.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"
#include "storage/ShortStringField.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TextRules.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

using TestFiles::readAll;
using TestFiles::writeAll;

// Appends records whose first field names their index.
void appendRecords(const QString& path, int count)
{
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    for (int i = 0; i < count; ++i) {
        TSchedaAnagrafica scheda;
        scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Persona %1").arg(i + 1));
        archive.Posiziona(archive.NumeroSchede());
        archive.ScriviScheda(scheda.buffer());
    }
    archive.ChiudiArchivio();
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

private slots:
    void trimRemovesControlAndBlankCharacters_data();
    void trimRemovesControlAndBlankCharacters();
    void caseFoldingTouchesOnlyAsciiLetters();
    void cp1252RoundTripsAndSubstitutes_data();
    void cp1252RoundTripsAndSubstitutes();
    void shortStringTrimsThenCuts_data();
    void shortStringTrimsThenCuts();
    void shortStringKeepsBytesBehindText();
    void oversizedLengthByteReadsOnlyTheField();
    void personRecordLayoutIsByteExact();
    void flagBytes_data();
    void flagBytes();
    void zeroRecordReadsEmpty();
    void archiveCountsWholeRecordsAndAppendsOverPartialTail();
    void archiveUpdateChangesOnlyItsRecord();
    void readingBeyondTheEndFails();
    void readOnlyArchiveFailsToOpen();
    void missingArchiveIsCreatedEmpty();
    void positionFollowsReadsAndWrites();
    void readAheadMatchesTheFile();
    void photoRoundTripAndPlaceholder();
    void photoOfDamagedFileIsPlaceholder();
    void failedPhotoWriteKeepsTheOldFile();
    void phonePhotoLoadsUpright();
    void largePhotosLoadUpToTheLimit_data();
    void largePhotosLoadUpToTheLimit();
    void photoReadOutcomes_data();
    void photoReadOutcomes();
    void concurrentAppendsLoseNothing();
    void lockedArchiveFailsAfterWaiting();
    void unopenableArchiveFails();
};

void TestStorage::trimRemovesControlAndBlankCharacters_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks") << "  Rossi  "
                            << "Rossi";
    QTest::newRow("controls") << "\t\r\nRossi Mario\x01\x1f"
                              << "Rossi Mario";
    QTest::newRow("inner kept") << " a  b "
                                << "a  b";
    QTest::newRow("only blanks") << " \t "
                                 << "";
    QTest::newRow("nbsp kept") << QString::fromUtf8("\u00A0x\u00A0") << QString::fromUtf8("\u00A0x\u00A0");
}

void TestStorage::trimRemovesControlAndBlankCharacters()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(TextRules::trim(input), expected);
}

void TestStorage::caseFoldingTouchesOnlyAsciiLetters()
{
    QCOMPARE(TextRules::upperAZ(QString::fromUtf8("abcxyz àè 1-m")), QString::fromUtf8("ABCXYZ àè 1-M"));
    QCOMPARE(TextRules::lowerAZ(QString::fromUtf8("ABCÀÈ Z")), QString::fromUtf8("abcÀÈ z"));
    // The neighbours of the ranges stay; a letter found late still changes.
    QCOMPARE(TextRules::upperAZ(QStringLiteral("`{@[ 9z")), QStringLiteral("`{@[ 9Z"));
    QCOMPARE(TextRules::lowerAZ(QStringLiteral("`{@[ 9Z")), QStringLiteral("`{@[ 9z"));
    // Nothing to change: the same text comes back, not a copy of it.
    const QString codice = QStringLiteral("RSSMRA80A01H501U");
    QCOMPARE(TextRules::upperAZ(codice).constData(), codice.constData());
    QCOMPARE(TextRules::lowerAZ(QStringLiteral("abc")), QStringLiteral("abc"));
}

void TestStorage::cp1252RoundTripsAndSubstitutes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("ascii") << "Rossi" << QByteArray("Rossi") << "Rossi";
    QTest::newRow("euro") << QString::fromUtf8("10 €") << QByteArray("10 \x80") << QString::fromUtf8("10 €");
    QTest::newRow("accents") << QString::fromUtf8("Sì città") << QByteArray("S\xEC citt\xE0")
                             << QString::fromUtf8("Sì città");
    QTest::newRow("curly quotes") << QString::fromUtf8("“ok”") << QByteArray("\x93ok\x94")
                                  << QString::fromUtf8("“ok”");
    QTest::newRow("outside code page")
        << QString::fromUtf8("你 مرحبا") << QByteArray("? ?????") << QStringLiteral("? ?????");
    QTest::newRow("Polish") << QString::fromUtf8("Łódź") << QByteArray("L\xF3\x64z")
                            << QString::fromUtf8("Lódz");
    QTest::newRow("Romanian") << QString::fromUtf8("Ștefan") << QByteArray("Stefan")
                              << QStringLiteral("Stefan");
    QTest::newRow("Czech") << QString::fromUtf8("Dvořák") << QByteArray("Dvor\xE1k")
                           << QString::fromUtf8("Dvorák");
    QTest::newRow("Turkish") << QString::fromUtf8("Yıldız") << QByteArray("Yildiz")
                             << QStringLiteral("Yildiz");
    QTest::newRow("Hungarian") << QString::fromUtf8("Erdős Pál") << QByteArray("Erdos P\xE1l")
                               << QString::fromUtf8("Erdos Pál");
    QTest::newRow("decomposed accent")
        << QStringLiteral("Citta\u0300") << QByteArray("Citt\xE0") << QString::fromUtf8("Città");
    QTest::newRow("code page kept") << QString::fromUtf8("àèéìòù € — œ")
                                    << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9 \x80 \x97 \x9C")
                                    << QString::fromUtf8("àèéìòù € — œ");
    QTest::newRow("beyond 16 bits") << QString::fromUtf8("😀 Roma 𝄞") << QByteArray("? Roma ?")
                                    << QStringLiteral("? Roma ?");
    QTest::newRow("lone surrogates") << QString(QChar(0xD83D)) + u'a' + QChar(0xDE00) << QByteArray("?a?")
                                     << QStringLiteral("?a?");
}

void TestStorage::cp1252RoundTripsAndSubstitutes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QCOMPARE(Cp1252::encode(text), bytes);
    QCOMPARE(Cp1252::decode(bytes), readBack);
}

void TestStorage::shortStringTrimsThenCuts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("trimmed") << "  Rossi Mario \t" << 50 << QByteArray("Rossi Mario");
    QTest::newRow("cut to N") << "abcdefghijkl" << 10 << QByteArray("abcdefghij");
    QTest::newRow("cut keeps inner spaces") << "abcd      efg" << 6 << QByteArray("abcd  ");
    QTest::newRow("empty") << "   " << 5 << QByteArray();
    QTest::newRow("cut to 255 first") << QString(300, QLatin1Char('x')) << 250 << QByteArray(250, 'x');
    QTest::newRow("emoji one each") << QString::fromUtf8("😀😀😀😀abc") << 5 << QByteArray("????a");
}

void TestStorage::shortStringTrimsThenCuts()
{
    QFETCH(QString, text);
    QFETCH(int, capacity);
    QFETCH(QByteArray, stored);
    QByteArray record(capacity + 3, '\xAA');
    ShortStringField::write(record, 1, capacity, text);
    QCOMPARE(static_cast<unsigned char>(record.at(1)), stored.size());
    QCOMPARE(record.mid(2, stored.size()), stored);
    QCOMPARE(ShortStringField::read(record, 1, capacity), QString::fromLatin1(stored));
}

void TestStorage::shortStringKeepsBytesBehindText()
{
    QByteArray record(12, 'z');
    ShortStringField::write(record, 0, 10, QStringLiteral("ab"));
    QCOMPARE(record, QByteArray("\x02"
                                "abzzzzzzzzz"));
}

void TestStorage::oversizedLengthByteReadsOnlyTheField()
{
    QByteArray record("\xFF"
                      "abcde"
                      "NEXT",
                      10);
    QCOMPARE(ShortStringField::read(record, 0, 5), QStringLiteral("abcde"));
}

void TestStorage::personRecordLayoutIsByteExact()
{
    const auto& layout = TSchedaAnagrafica::layout();
    QCOMPARE(int(layout.size()), 32);
    int offset = 0;
    for (const auto& field : layout) {
        QCOMPARE(field.offset, offset);
        offset += field.capacity + 1;
    }
    QCOMPARE(offset, 3612);

    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Rossi Mario"));
    scheda.setTesto(TSchedaAnagrafica::Sesso, QStringLiteral("M"));
    scheda.setTesto(TSchedaAnagrafica::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
    scheda.setTesto(TSchedaAnagrafica::Esperienze, QStringLiteral("Capogruppo"));
    scheda.setTesto(TSchedaAnagrafica::Desc03, QString::fromUtf8("Carta d'identità"));
    const QByteArray& bytes = scheda.buffer();
    QCOMPARE(bytes.size(), 3612);
    QCOMPARE(bytes.mid(0, 12), QByteArray("\x0BRossi Mario"));
    QCOMPARE(bytes.mid(51, 2), QByteArray("\x01M"));
    QCOMPARE(bytes.mid(400, 17), QByteArray("\x10RSSMRA80A01H501U"));
    QCOMPARE(bytes.mid(1229, 11), QByteArray("\x0A"
                                             "Capogruppo"));
    QCOMPARE(bytes.mid(3361, 17), QByteArray("\x10"
                                             "Carta d'identit\xE0"));
}

void TestStorage::flagBytes_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Sì") << true << QByteArray("\x02\x53\xEC");
    QTest::newRow("No") << false << QByteArray("\x02\x4E\x6F");
}

void TestStorage::flagBytes()
{
    QFETCH(bool, ticked);
    QFETCH(QByteArray, bytes);
    TSchedaAnagrafica scheda;
    scheda.setRicontatta(ticked);
    QCOMPARE(scheda.buffer().mid(2103, 3), bytes);
    QCOMPARE(scheda.testo(TSchedaAnagrafica::Ricontatta),
             ticked ? TSchedaAnagrafica::flagSi() : TSchedaAnagrafica::flagNo());
}

void TestStorage::zeroRecordReadsEmpty()
{
    TSchedaAnagrafica scheda;
    for (int i = 0; i < TSchedaAnagrafica::NumeroCampi; ++i)
        QCOMPARE(scheda.testo(static_cast<TSchedaAnagrafica::Campo>(i)), QString());
}

void TestStorage::archiveCountsWholeRecordsAndAppendsOverPartialTail()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    appendRecords(path, 2);
    QByteArray bytes = readAll(path);
    bytes.append(QByteArray(100, '\x7F')); // a write that died half-way
    writeAll(path, bytes);

    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    QCOMPARE(archive.NumeroSchede(), 2);
    archive.Posiziona(2);
    QVERIFY(archive.FineArchivio());
    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Terza"));
    archive.ScriviScheda(scheda.buffer());
    QCOMPARE(archive.PosizioneCorrente(), 3);
    QCOMPARE(archive.NumeroSchede(), 3);
    archive.ChiudiArchivio();
    QCOMPARE(QFileInfo(path).size(), 3 * 3612);
    QCOMPARE(readAll(path).mid(2 * 3612, 3612), scheda.buffer());
}

void TestStorage::archiveUpdateChangesOnlyItsRecord()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    appendRecords(path, 3);
    const QByteArray before = readAll(path);

    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    TSchedaAnagrafica scheda;
    archive.Posiziona(1);
    archive.LeggiScheda(scheda.buffer());
    scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("aggiornata"));
    archive.Posiziona(1);
    archive.ScriviScheda(scheda.buffer());
    QCOMPARE(archive.PosizioneCorrente(), 2);
    archive.ChiudiArchivio();

    const QByteArray after = readAll(path);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.left(3612), before.left(3612));
    QCOMPARE(after.mid(2 * 3612), before.mid(2 * 3612));
    QVERIFY(after.mid(3612, 3612) != before.mid(3612, 3612));
}

void TestStorage::readingBeyondTheEndFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    appendRecords(path, 1);
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    QByteArray buffer;
    archive.LeggiScheda(buffer);
    QVERIFY(archive.FineArchivio());
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.LeggiScheda(buffer));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.Posiziona(2));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.Posiziona(-1));
}

void TestStorage::readOnlyArchiveFailsToOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    appendRecords(path, 1);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QFile probe(path);
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("this user may write read-only files (root)");
    TArchivioSchede archive;
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.ApriOCrea(path, TSchedaAnagrafica::kSize));
    QCOMPARE(QFileInfo(path).size(), 3612);
}

void TestStorage::unopenableArchiveFails()
{
    // A folder where the archive should be cannot be opened or created, even by root.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    QVERIFY(QDir().mkpath(path));
    TArchivioSchede archive;
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.ApriOCrea(path, TSchedaAnagrafica::kSize));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, archive.Posiziona(0));
    QVERIFY(accessMessage().contains(QStringLiteral("all'archivio.\n\r\n\rAccertarsi")));
}

void TestStorage::missingArchiveIsCreatedEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    QCOMPARE(archive.NumeroSchede(), 0);
    QVERIFY(archive.FineArchivio());
    archive.ChiudiArchivio();
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestStorage::positionFollowsReadsAndWrites()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    appendRecords(path, 5);
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    TSchedaAnagrafica scheda;
    QStringList names;
    while (!archive.FineArchivio()) {
        archive.LeggiScheda(scheda.buffer());
        names << scheda.testo(TSchedaAnagrafica::Candidato) + QLatin1Char('@') +
                     QString::number(archive.PosizioneCorrente());
    }
    QCOMPARE(names.first(), QStringLiteral("Persona 1@1"));
    QCOMPARE(names.last(), QStringLiteral("Persona 5@5"));
    archive.Posiziona(3);
    archive.LeggiScheda(scheda.buffer());
    QCOMPARE(scheda.testo(TSchedaAnagrafica::Candidato), QStringLiteral("Persona 4"));
}

void TestStorage::readAheadMatchesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    constexpr int kRecords = 400; // more than two read-ahead blocks of 512 kB
    appendRecords(path, kRecords);
    const QByteArray file = readAll(path);
    const auto recordOf = [&](int index) { return file.mid(qsizetype(index) * 3612, 3612); };

    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    for (int i = 0; i < kRecords; ++i) {
        const QByteArrayView view = archive.LeggiSchedaVista();
        QCOMPARE(QByteArray(view.data(), view.size()), recordOf(i));
    }
    // Jumps back, then a write inside the block read ahead: the next read sees the new bytes.
    archive.Posiziona(150);
    QByteArray record;
    archive.LeggiScheda(record);
    QCOMPARE(record, recordOf(150));
    TSchedaAnagrafica changed;
    changed.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Cambiata"));
    archive.Posiziona(151);
    archive.ScriviScheda(changed.buffer());
    archive.Posiziona(151);
    archive.LeggiScheda(record);
    QCOMPARE(record, changed.buffer());
    archive.LeggiScheda(record);
    QCOMPARE(record, recordOf(152));
    archive.ChiudiArchivio();
    QCOMPARE(readAll(path).mid(151 * 3612, 3612), changed.buffer());
}

void TestStorage::photoRoundTripAndPlaceholder()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QImage photo(3070, 3940, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QImage holder = photo;
    SalvaFotoScheda(folder, QStringLiteral(" 12 "), holder);
    const QString file = folder + QStringLiteral("Anagrafica/Scheda_Anagrafica_12.jpg");
    QVERIFY(QFileInfo::exists(file));
    QImage loaded;
    CaricaFotoScheda(folder, QStringLiteral("12"), loaded);
    QCOMPARE(loaded.size(), QSize(3070, 3940)); // full pixel size, no scaling

    CaricaFotoScheda(folder, QStringLiteral("13"), loaded);
    QCOMPARE(loaded.size(), QSize(307, 394));
    QCOMPARE(loaded, Placeholder::image());
}

void TestStorage::photoOfDamagedFileIsPlaceholder()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QDir(folder).mkpath(QStringLiteral("Anagrafica"));
    writeAll(folder + QStringLiteral("Anagrafica/Scheda_Anagrafica_1.jpg"),
             QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg"));
    QImage loaded(5, 5, QImage::Format_RGB32);
    CaricaFotoScheda(folder, QStringLiteral("1"), loaded);
    QCOMPARE(loaded, Placeholder::image());
}

void TestStorage::failedPhotoWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QImage old(30, 30, QImage::Format_RGB32);
    old.fill(Qt::green);
    QVERIFY(SalvaFotoScheda(folder, QStringLiteral("1"), old));
    const QString file = FotoScheda::percorso(folder, QStringLiteral("1"));
    const QByteArray before = readAll(file);

    // An empty picture cannot be encoded: the write fails and the old file stays whole.
    QVERIFY(!SalvaFotoScheda(folder, QStringLiteral("1"), QImage()));
    QCOMPARE(readAll(file), before);

    // A file where the photo folder should be: nothing can be written.
    QTemporaryDir other;
    const QString blocked = other.path() + QLatin1Char('/');
    writeAll(blocked + QStringLiteral("Anagrafica"), QByteArray("a file, not a folder"));
    QVERIFY(!SalvaFotoScheda(blocked, QStringLiteral("1"), old));
}

// A phone's portrait photo: stored lying down, with orientation 6 (turn a quarter clockwise).
void TestStorage::phonePhotoLoadsUpright()
{
    QImage stored(40, 20, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    QPainter(&stored).fillRect(0, 0, 20, 20, Qt::red); // red on the left as stored
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(stored.save(&buffer, "JPG"));
    // An Exif block right after the start marker, with one tag: orientation (0x0112) = 6.
    const QByteArray exif("\xFF\xE1\x00\x22"
                          "Exif\0\0"
                          "II\x2A\x00\x08\x00\x00\x00"
                          "\x01\x00"
                          "\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00"
                          "\x00\x00\x00\x00",
                          36);
    jpeg.insert(2, exif);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telefono.jpg"));
    writeAll(path, jpeg);
    QCOMPARE(QImageReader(path).transformation(), QImageIOHandler::TransformationRotate90);

    const QImage loaded = PhotoFiles::load(path);
    QCOMPARE(loaded.size(), QSize(20, 40));
    // Turned a quarter clockwise, the left of the stored picture is at the top.
    QVERIFY(qRed(loaded.pixel(10, 5)) > 200 && qBlue(loaded.pixel(10, 5)) < 60);
    QVERIFY(qBlue(loaded.pixel(10, 35)) > 200 && qRed(loaded.pixel(10, 35)) < 60);
}

void TestStorage::largePhotosLoadUpToTheLimit_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("loads");
    QTest::newRow("60 megapixels") << QSize(10000, 6000) << true;
    QTest::newRow("forged 100000 x 100000") << QSize(100000, 100000) << false;
    QTest::newRow("forged 12000 x 9000") << QSize(12000, 9000) << false;
}

void TestStorage::largePhotosLoadUpToTheLimit()
{
    QFETCH(QSize, size);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.jpg"));
    if (loads) {
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(Qt::darkGray);
        QVERIFY(photo.save(path, "JPG"));
    } else {
        // A small whole JPEG whose frame header claims the size.
        QImage small(16, 16, QImage::Format_RGB32);
        small.fill(Qt::gray);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "JPG");
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        const auto put16 = [&](qsizetype at, int value) {
            jpeg[at] = char((value >> 8) & 0xFF);
            jpeg[at + 1] = char(value & 0xFF);
        };
        put16(sof + 5, std::min(size.height(), 65535));
        put16(sof + 7, std::min(size.width(), 65535));
        writeAll(path, jpeg);
    }
    const PhotoFiles::Read read = PhotoFiles::read(path);
    QCOMPARE(read.outcome == PhotoFiles::Outcome::Loaded, loads);
    if (loads)
        QCOMPARE(read.picture.size(), size);
}

void TestStorage::photoReadOutcomes_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("said"); // a part of the reason given
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG");
    // The same photo declaring 12000 x 9000 pixels in its frame header.
    QByteArray large = jpeg;
    const qsizetype sof = large.indexOf(QByteArray("\xFF\xC0", 2));
    const QByteArray size = QByteArray::fromHex("23282EE0");
    large.replace(sof + 5, 4, size);
    using O = PhotoFiles::Outcome;
    using F = PhotoFiles::Fault;
    QTest::newRow("no file") << QByteArray() << int(O::Missing) << int(F::None) << "non esiste";
    QTest::newRow("whole jpeg") << jpeg << int(O::Loaded) << int(F::None) << "";
    QTest::newRow("bytes after the end marker")
        << jpeg + QByteArray(64, '\0') << int(O::Loaded) << int(F::None) << "";
    QTest::newRow("cut short") << jpeg.left(jpeg.size() - 40) << int(O::Unreadable) << int(F::Damaged)
                               << "danneggiata";
    QTest::newRow("end marker missing")
        << jpeg.chopped(2) << int(O::Unreadable) << int(F::Damaged) << "danneggiata";
    QTest::newRow("headers only") << jpeg.left(jpeg.indexOf("\xFF\xDA")) << int(O::Unreadable)
                                  << int(F::Damaged) << "danneggiata";
    QTest::newRow("text") << QByteArray("ciao") << int(O::Unreadable) << int(F::NotAnImage)
                          << "non \u00E8 un'immagine";
    QTest::newRow("empty") << QByteArray() << int(O::Unreadable) << int(F::Empty) << "vuoto";
    QTest::newRow("108 megapixels") << large << int(O::Unreadable) << int(F::TooLarge)
                                    << "troppo grande (108 megapixel, 12000 \u00D7 9000";
}

void TestStorage::photoReadOutcomes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, outcome);
    QFETCH(int, fault);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("foto.jpg"));
    if (!bytes.isEmpty() || QByteArray(QTest::currentDataTag()) == "empty")
        writeAll(path, bytes);
    const PhotoFiles::Read read = PhotoFiles::read(path);
    QCOMPARE(int(read.outcome), outcome);
    QCOMPARE(int(read.fault), fault);
    QCOMPARE(read.picture.isNull(), outcome != int(PhotoFiles::Outcome::Loaded));
    QCOMPARE(PhotoFiles::load(path).isNull(), read.picture.isNull());
    QVERIFY2(PhotoFiles::faultText(read).contains(said), qPrintable(PhotoFiles::faultText(read)));
}

void TestStorage::concurrentAppendsLoseNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    constexpr int kWriters = 4;
    constexpr int kEach = 60;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(ARCHIVE_APPENDER),
                       {path, QString::number(kEach), QStringLiteral("w%1").arg(w)});
        writers.push_back(std::move(process));
    }
    for (auto& process : writers) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }

    QCOMPARE(QFileInfo(path).size(), qint64(kWriters) * kEach * 3612);
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
    QSet<QString> names;
    TSchedaAnagrafica scheda;
    while (!archive.FineArchivio()) {
        archive.LeggiScheda(scheda.buffer());
        QCOMPARE(scheda.testo(TSchedaAnagrafica::Ricontatta), TSchedaAnagrafica::flagSi());
        names.insert(scheda.testo(TSchedaAnagrafica::Candidato));
    }
    archive.ChiudiArchivio();
    QCOMPARE(names.size(), kWriters * kEach);
}

void TestStorage::lockedArchiveFailsAfterWaiting()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fvd"));
    TArchivioSchede holder;
    holder.ApriOCrea(path, TSchedaAnagrafica::kSize);
    // Another workstation holds the archive: this one waits, then gives up.
    QProcess other;
    other.start(QStringLiteral(ARCHIVE_APPENDER), {path, QStringLiteral("1"), QStringLiteral("late")});
    QVERIFY(other.waitForFinished(60000));
    QVERIFY(other.exitCode() != 0 || other.exitStatus() != QProcess::NormalExit);
    holder.ChiudiArchivio();
    QCOMPARE(QFileInfo(path).size(), 0);
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
