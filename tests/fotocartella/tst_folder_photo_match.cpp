#include "FotoCartellaFixture.h"

#include "photos/PhotoCrop.h"
#include "registry/FolderPhotoApply.h"
#include "registry/FolderPhotoMatch.h"
#include "registry/FolderPhotoScan.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/Placeholder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace FotoCartellaFixture;
using O = FolderPhotoRow::Outcome;

Q_DECLARE_METATYPE(FolderPhotoRow::Outcome)

namespace {

// The bytes of each kind of file the folder may hold.
QByteArray contenuto(const QString& kind)
{
    if (kind == u"jpg")
        return codifica(foto(QSize(640, 480), Qt::darkCyan), "JPG");
    if (kind == u"png")
        return codifica(foto(QSize(300, 400), Qt::darkYellow), "PNG");
    if (kind == u"testo")
        return "appunti della gita\n";
    if (kind == u"pdf")
        return QByteArray("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<<>>\nendobj\n\x00\x01", 37);
    if (kind == u"vuoto")
        return {};
    if (kind == u"rumore") {
        QByteArray bytes(4000, Qt::Uninitialized);
        for (char& b : bytes)
            b = char(QRandomGenerator::global()->bounded(256));
        bytes[0] = 'x';
        return bytes;
    }
    if (kind == u"tagliata") {
        const QByteArray whole = codifica(foto(QSize(2000, 1500), Qt::darkGreen), "JPG");
        return whole.left(whole.size() / 2);
    }
    if (kind == u"bomba") {
        // A small JPEG whose frame header declares 12000 x 9000 pixels.
        QByteArray jpeg = codifica(foto(QSize(16, 16), Qt::gray), "JPG");
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        const auto put = [&jpeg](qsizetype at, int value) {
            jpeg[at] = char((value >> 8) & 0xFF);
            jpeg[at + 1] = char(value & 0xFF);
        };
        put(sof + 5, 9000);
        put(sof + 7, 12000);
        return jpeg;
    }
    return {};
}

QList<int> posizioni(const QString& text)
{
    QList<int> result;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts))
        result.append(part.toInt());
    return result;
}

} // namespace

class TestFolderPhotoMatch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void matching_data();
    void matching();
    void keysOfNamesAndFiles();
    void applyWritesWholeCroppedPhotos();
    void cancelMidwayLeavesEveryPhotoOldOrNew();
    void cardChangedMeanwhileIsNotWritten();
    void rotatedPhotoComesOutUpright();
    void unreadableFileIsSaidSo();
    void scanReportsEveryFileThenEnds();
    void reportNamesWhatWasNotWritten();

private:
    // Lists, examines and decides a folder as the screen does.
    QList<FolderPhotoRow> prepara(const QString& folder) const;
    QString fotoScheda(int position) const
    {
        return FotoScheda::percorso(m_program->path() + u'/', QString::number(position));
    }
    QString programma() const { return m_program->path() + u'/'; }

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestFolderPhotoMatch::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_program->isValid() && m_folder->isValid());
    scriviArchivio(programma(), {
                                    scheda(QStringLiteral("ROSSI MARIO"), QStringLiteral("RSSMRA80A01H501U")),
                                    scheda(QStringLiteral("DANGELO LUCA")),
                                    scheda(QStringLiteral("BIANCHI ANNA")),
                                    scheda(QStringLiteral("Bianchi  Anna")),
                                    scheda(QStringLiteral("VERDI GIUSEPPE")),
                                    scheda(QStringLiteral("DE LUCA MARIA GRAZIA")),
                                    scheda(QStringLiteral("NERI PAOLO")),
                                    scheda(QStringLiteral("GIALLI SARA")),
                                });
    // Card 5 has a photo of its own; card 8 was saved without one and holds the placeholder.
    QVERIFY(SalvaFotoScheda(programma(), QStringLiteral("5"), foto(QSize(300, 400), Qt::red)));
    QVERIFY(SalvaFotoScheda(programma(), QStringLiteral("8"), Placeholder::image()));
}

QList<FolderPhotoRow> TestFolderPhotoMatch::prepara(const QString& folder) const
{
    const QStringList paths = FolderPhotoFiles::list(folder);
    QList<FolderPhotoRow> rows = FolderPhotoPlan::rows(
        paths, RegistryPhotoIndex::readRegistry(programma(), FolderPhotoPlan::baseNames(paths)));
    FolderPhotoPlan::decide(rows, [this](int p) { return FolderPhotoPlan::hasOwnPhoto(programma(), p); });
    for (int i = 0; i < rows.size(); ++i)
        rows[i].kind = FolderPhotoFiles::examine(paths.at(i)).kind;
    FolderPhotoPlan::decide(rows, [this](int p) { return FolderPhotoPlan::hasOwnPhoto(programma(), p); });
    return rows;
}

void TestFolderPhotoMatch::matching_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("otherFile"); // a second file of the folder, or none
    QTest::addColumn<QString>("otherKind");
    QTest::addColumn<FolderPhotoRow::Outcome>("outcome");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("reason");

    const QString none;
    QTest::newRow("codice fiscale") << "RSSMRA80A01H501U.jpg"
                                    << "jpg" << none << none << O::Nuova << "1"
                                    << "";
    QTest::newRow("codice fiscale, lower case") << "rssmra80a01h501u.JPG"
                                                << "jpg" << none << none << O::Nuova << "1"
                                                << "";
    QTest::newRow("codice fiscale among other words") << "Gita 2024 - RSSMRA80A01H501U.jpeg"
                                                      << "jpg" << none << none << O::Nuova << "1"
                                                      << "";
    QTest::newRow("codice fiscale of no card") << "BNCNNA85M41F205X.jpg"
                                               << "jpg" << none << none << O::NessunaScheda << ""
                                               << "";
    QTest::newRow("surname first, underscore") << "rossi_mario.jpg"
                                               << "jpg" << none << none << O::Nuova << "1"
                                               << "";
    QTest::newRow("name first") << "Mario Rossi.JPG"
                                << "jpg" << none << none << O::Nuova << "1"
                                << "";
    QTest::newRow("capitals and dash") << "ROSSI-MARIO.jpeg"
                                       << "jpg" << none << none << O::Nuova << "1"
                                       << "";
    QTest::newRow("dots") << "Rossi.Mario.png"
                          << "png" << none << none << O::Nuova << "1"
                          << "";
    QTest::newRow("apostrophe and accent") << "D'Angelo Luc\u00E0.jpg"
                                           << "jpg" << none << none << O::Nuova << "2"
                                           << "";
    QTest::newRow("accent decomposed, name first") << "Luca\u0300 d'angelo.jpg"
                                                   << "jpg" << none << none << O::Nuova << "2"
                                                   << "";
    QTest::newRow("four words, name first") << "Maria Grazia De Luca.jpg"
                                            << "jpg" << none << none << O::Nuova << "6"
                                            << "";
    QTest::newRow("four words, surname first") << "de_luca_maria_grazia.png"
                                               << "png" << none << none << O::Nuova << "6"
                                               << "";
    QTest::newRow("surname alone") << "Rossi.jpg"
                                   << "jpg" << none << none << O::NessunaScheda << ""
                                   << "";
    QTest::newRow("no card") << "Pinco Pallino.jpg"
                             << "jpg" << none << none << O::NessunaScheda << ""
                             << "";
    QTest::newRow("two cards") << "Anna Bianchi.jpg"
                               << "jpg" << none << none << O::PiuSchede << "3,4"
                               << "";
    QTest::newRow("two photos for one card") << "Neri Paolo.jpg"
                                             << "jpg"
                                             << "paolo_neri.png"
                                             << "png" << O::PiuFoto << "7"
                                             << "";
    QTest::newRow("codice fiscale and name of one card") << "RSSMRA80A01H501U.jpg"
                                                         << "jpg"
                                                         << "Rossi Mario.png"
                                                         << "png" << O::PiuFoto << "1"
                                                         << "";
    QTest::newRow("a damaged second photo does not count") << "Neri Paolo.jpg"
                                                           << "jpg"
                                                           << "paolo_neri.jpg"
                                                           << "tagliata" << O::Nuova << "7"
                                                           << "";
    QTest::newRow("replaces the present photo") << "Verdi Giuseppe.jpg"
                                                << "jpg" << none << none << O::Sostituisce << "5"
                                                << "";
    QTest::newRow("the placeholder is no photo") << "Gialli Sara.jpg"
                                                 << "jpg" << none << none << O::Nuova << "8"
                                                 << "";
    QTest::newRow("not a picture") << "Rossi Mario.txt"
                                   << "testo" << none << none << O::Saltata << "1"
                                   << "non \u00E8 un'immagine";
    QTest::newRow("text named as a photo") << "Rossi Mario.jpg"
                                           << "testo" << none << none << O::Saltata << "1"
                                           << "non \u00E8 un'immagine";
    QTest::newRow("document named as a photo") << "Rossi Mario.jpg"
                                               << "pdf" << none << none << O::Saltata << "1"
                                               << "non \u00E8 un'immagine";
    QTest::newRow("cut short") << "Rossi Mario.jpg"
                               << "tagliata" << none << none << O::Saltata << "1"
                               << "file danneggiato";
    QTest::newRow("noise named as a photo") << "Rossi Mario.jpg"
                                            << "rumore" << none << none << O::Saltata << "1"
                                            << "file danneggiato";
    QTest::newRow("empty file") << "Rossi Mario.jpg"
                                << "vuoto" << none << none << O::Saltata << "1"
                                << "file danneggiato";
    QTest::newRow("over 100 megapixels") << "Rossi Mario.jpg"
                                         << "bomba" << none << none << O::Saltata << "1"
                                         << "foto troppo grande (oltre 100 megapixel)";
}

void TestFolderPhotoMatch::matching()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, otherFile);
    QFETCH(QString, otherKind);
    QFETCH(FolderPhotoRow::Outcome, outcome);
    QFETCH(QString, cards);
    QFETCH(QString, reason);

    const QDir folder(m_folder->path());
    TestFiles::writeAll(folder.filePath(file), contenuto(kind));
    if (!otherFile.isEmpty())
        TestFiles::writeAll(folder.filePath(otherFile), contenuto(otherKind));
    const QList<FolderPhotoRow> rows = prepara(folder.path());
    QCOMPARE(rows.size(), otherFile.isEmpty() ? 1 : 2);
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const FolderPhotoRow& r) { return r.fileName == file; });
    QVERIFY(row != rows.end());
    QCOMPARE(row->outcome, outcome);
    QCOMPARE(row->cards, posizioni(cards));
    QCOMPARE(row->reason, reason);
    // Only a new photo is ticked: a replacement waits for the user, nothing ambiguous is guessed.
    QCOMPARE(row->ticked, outcome == O::Nuova);
    QCOMPARE(row->tickable(), outcome == O::Nuova || outcome == O::Sostituisce);
    if (outcome == O::PiuFoto) {
        for (const FolderPhotoRow& r : rows)
            QCOMPARE(r.outcome, O::PiuFoto);
    }
}

void TestFolderPhotoMatch::keysOfNamesAndFiles()
{
    QCOMPARE(FolderPhotoKeys::fileNameKey(QStringLiteral("D'Angelo  Luc\u00E0")),
             QStringLiteral("dangeloluca"));
    // A letter the code page lacks compares as the card stores it.
    QCOMPARE(FolderPhotoKeys::fileNameKey(QStringLiteral("\u0141ukasz Nowak")),
             QStringLiteral("lukasznowak"));
    QCOMPARE(FolderPhotoKeys::cardNameKeys(QStringLiteral("DE LUCA MARIA")),
             QStringList({QStringLiteral("delucamaria"), QStringLiteral("lucamariade"),
                          QStringLiteral("mariadeluca")}));
    QCOMPARE(FolderPhotoKeys::cardNameKeys(QStringLiteral("   ")), QStringList());
    QCOMPARE(FolderPhotoKeys::codiciFiscali(QStringLiteral("rssmra80a01h501u_RSSMRA80A01H501U x")),
             QStringList{QStringLiteral("RSSMRA80A01H501U")});
    // The index folds plain names byte by byte and accented ones through their letters: both agree.
    RegistryPhotoIndex index({QStringLiteral("Rossi Niccolo"), QStringLiteral("Maria De-Luca"),
                              QStringLiteral("Luca Maria De"), QStringLiteral("sean obrien"),
                              QStringLiteral("BRNSNE80A01Z114K"), QStringLiteral("MariaDe Luca"),
                              QStringLiteral("Maria Luca")});
    index.add(scheda(QStringLiteral("NICCOL\u00D2 ROSSI")).buffer(), 1);
    index.add(scheda(QStringLiteral("  DE LUCA\tMARIA ")).buffer(), 2);
    index.add(scheda(QStringLiteral("O'BRIEN SEAN"), QStringLiteral("brnsne80a01z114k")).buffer(), 3);
    QCOMPARE(index.count(), 3);
    QCOMPARE(index.name(1), QStringLiteral("NICCOL\u00D2 ROSSI"));
    QCOMPARE(index.name(2), QStringLiteral("DE LUCA\tMARIA"));
    QCOMPARE(index.name(4), QString());
    // A name no file gave is not looked for.
    QCOMPARE(index.match(QStringLiteral("Niccolo Rossi")), QList<int>());
    QCOMPARE(index.match(QStringLiteral("Rossi Niccolo")), QList<int>{1});
    QCOMPARE(index.match(QStringLiteral("Maria De-Luca")), QList<int>{2});
    QCOMPARE(index.match(QStringLiteral("Luca Maria De")), QList<int>{2});
    QCOMPARE(index.match(QStringLiteral("sean obrien")), QList<int>{3});
    bool byCodice = false;
    QCOMPARE(index.match(QStringLiteral("BRNSNE80A01Z114K"), &byCodice), QList<int>{3});
    QVERIFY(byCodice);
    QCOMPARE(index.match(QStringLiteral("MariaDe Luca")), QList<int>{2});
    QCOMPARE(index.match(QStringLiteral("Maria Luca")), QList<int>());
    // Sixteen letters without the digits' places are a name, not a code.
    QCOMPARE(FolderPhotoKeys::codiciFiscali(QStringLiteral("ABCDEFGHIJKLMNOP")), QStringList());
}

void TestFolderPhotoMatch::applyWritesWholeCroppedPhotos()
{
    const QDir folder(m_folder->path());
    const QList<QPair<QString, QSize>> photos = {{QStringLiteral("Rossi Mario.jpg"), QSize(1200, 900)},
                                                 {QStringLiteral("Luca D'Angelo.png"), QSize(1280, 720)},
                                                 {QStringLiteral("Neri Paolo.jpg"), QSize(600, 800)},
                                                 {QStringLiteral("Verdi Giuseppe.jpg"), QSize(500, 500)}};
    for (const auto& [name, size] : photos)
        scriviFoto(folder.filePath(name), foto(size, Qt::blue), name.endsWith(u"png") ? "PNG" : "JPG");
    const QByteArray verdiPrima = TestFiles::readAll(fotoScheda(5));

    QList<FolderPhotoRow> rows = prepara(folder.path());
    QList<int> seen;
    const FolderPhotoReport report = FolderPhotoApply::apply(programma(), rows, [&](int done, int total) {
        seen << done;
        return total == 3;
    });
    QCOMPARE(report.written, 3);
    QCOMPARE(report.failed, QStringList());
    // The replacement the user did not tick is not a fault: it is listed apart from the skipped.
    QCOMPARE(report.skipped, QStringList());
    QCOMPARE(report.notTicked,
             QStringList{QStringLiteral("Verdi Giuseppe.jpg: la scheda n. 5 tiene la sua foto")});
    QCOMPARE(seen, QList<int>({0, 1, 2, 3}));
    QList<int> written = report.positions;
    std::sort(written.begin(), written.end());
    QCOMPARE(written, QList<int>({1, 2, 7}));
    // The replacement was not ticked: the card keeps its photo byte for byte.
    QCOMPARE(TestFiles::readAll(fotoScheda(5)), verdiPrima);
    for (const auto& [position, source] :
         {std::pair{1, QSize(1200, 900)}, std::pair{2, QSize(1280, 720)}, std::pair{7, QSize(600, 800)}}) {
        const PhotoFiles::Read read = PhotoFiles::read(fotoScheda(position));
        QCOMPARE(read.outcome, PhotoFiles::Outcome::Loaded);
        QCOMPARE(read.picture.size(), PhotoCrop::cardTarget(source));
        QVERIFY(qAbs(double(read.picture.width()) / read.picture.height() - 0.75) < 0.01);
        QVERIFY(simile(coloreSotto(read.picture), Qt::blue));
    }
    // Whole files only: nothing but the photo files in the folder.
    const QStringList left = QDir(FotoScheda::cartella(programma())).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.size(), 5);
    for (const FolderPhotoRow& row : rows)
        QCOMPARE(row.outcome, row.cards == QList<int>{5} ? O::Sostituisce : O::Scritta);
}

void TestFolderPhotoMatch::cancelMidwayLeavesEveryPhotoOldOrNew()
{
    // Five cards with a red photo each, five green photos ticked over them.
    QList<TSchedaAnagrafica> schede;
    for (int i = 1; i <= 5; ++i)
        schede << scheda(QStringLiteral("ALUNNO NUMERO%1").arg(QChar(u'A' + i)));
    scriviArchivio(programma(), schede);
    QList<QByteArray> prima;
    for (int p = 9; p <= 13; ++p) {
        QVERIFY(SalvaFotoScheda(programma(), QString::number(p), foto(QSize(300, 400), Qt::red)));
        prima << TestFiles::readAll(fotoScheda(p));
        scriviFoto(
            QDir(m_folder->path()).filePath(QStringLiteral("Numero%1 Alunno.jpg").arg(QChar(u'A' + p - 8))),
            foto(QSize(1600, 1200), Qt::green));
    }
    QList<FolderPhotoRow> rows = prepara(m_folder->path());
    QCOMPARE(rows.size(), 5);
    for (FolderPhotoRow& row : rows) {
        QCOMPARE(row.outcome, O::Sostituisce);
        QVERIFY(!row.ticked);
        row.ticked = true;
    }
    const FolderPhotoReport report =
        FolderPhotoApply::apply(programma(), rows, [](int done, int) { return done < 2; });
    QCOMPARE(report.written, 2);
    QCOMPARE(report.leftByCancel, 3);
    QVERIFY(report.text().contains(QStringLiteral("Operazione annullata: 3 foto spuntate")));
    int nuove = 0;
    for (int p = 9; p <= 13; ++p) {
        const PhotoFiles::Read read = PhotoFiles::read(fotoScheda(p));
        QCOMPARE(read.outcome, PhotoFiles::Outcome::Loaded);
        if (simile(coloreSotto(read.picture), Qt::green)) {
            ++nuove;
            QCOMPARE(read.picture.size(), QSize(900, 1200));
        } else {
            QCOMPARE(TestFiles::readAll(fotoScheda(p)), prima.at(p - 9));
        }
    }
    QCOMPARE(nuove, 2);
    QCOMPARE(QDir(FotoScheda::cartella(programma())).entryList(QDir::Files | QDir::Hidden).size(), 7);
    // The rows not reached stay ticked for another try.
    QCOMPARE(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.ticked; }), 3);
}

void TestFolderPhotoMatch::cardChangedMeanwhileIsNotWritten()
{
    scriviFoto(QDir(m_folder->path()).filePath(QStringLiteral("Neri Paolo.jpg")),
               foto(QSize(400, 300), Qt::blue));
    QList<FolderPhotoRow> rows = prepara(m_folder->path());
    QCOMPARE(rows.first().outcome, O::Nuova);
    // Another workstation puts another person at position 7.
    {
        TArchivioSchede archive;
        archive.ApriOCrea(TSchedaAnagrafica::archivio(programma()), TSchedaAnagrafica::kSize);
        archive.Posiziona(6);
        archive.ScriviScheda(scheda(QStringLiteral("ALTRA PERSONA")).buffer());
        archive.ChiudiArchivio();
    }
    const FolderPhotoReport report = FolderPhotoApply::apply(programma(), rows);
    QCOMPARE(report.written, 0);
    QCOMPARE(report.failed, QStringList{QStringLiteral(
                                "Neri Paolo.jpg: la scheda n. 7 \u00E8 stata cambiata nel frattempo")});
    QCOMPARE(rows.first().outcome, O::NonScritta);
    QVERIFY(!QFile::exists(fotoScheda(7)));
}

void TestFolderPhotoMatch::rotatedPhotoComesOutUpright()
{
    // A phone's portrait stored lying down: the band on the left, with a tag to turn it right.
    QImage lying(1200, 900, QImage::Format_RGB32);
    lying.fill(Qt::yellow);
    for (int y = 0; y < lying.height(); ++y)
        for (int x = 0; x < 300; ++x)
            lying.setPixel(x, y, qRgb(10, 10, 10));
    TestFiles::writeAll(QDir(m_folder->path()).filePath(QStringLiteral("Rossi Mario.jpg")),
                        codifica(lying, "JPG", QImageIOHandler::TransformationRotate90));
    QList<FolderPhotoRow> rows = prepara(m_folder->path());
    const PhotoProbe probe = FolderPhotoFiles::examine(rows.first().path);
    QCOMPARE(probe.size, QSize(900, 1200));
    QVERIFY(probe.thumbnail.height() > probe.thumbnail.width());
    QCOMPARE(FolderPhotoApply::apply(programma(), rows).written, 1);
    const QImage stored = PhotoFiles::load(fotoScheda(1));
    QCOMPARE(stored.size(), QSize(900, 1200));
    QVERIFY(qGray(stored.pixel(450, 100)) < 40);   // the band is on top
    QVERIFY(qGray(stored.pixel(450, 1100)) > 150); // and the rest below
}

void TestFolderPhotoMatch::unreadableFileIsSaidSo()
{
    const QString fifo = QDir(m_folder->path()).filePath(QStringLiteral("Rossi Mario.jpg"));
    if (QProcess::execute(QStringLiteral("mkfifo"), {fifo}) != 0)
        QSKIP("no named pipes here");
    // A pipe named like a photo would read for ever: it is refused at once.
    QCOMPARE(FolderPhotoFiles::examine(fifo).kind, PhotoKind::Unreadable);
    QCOMPARE(FolderPhotoPlan::kindReason(PhotoKind::Unreadable),
             QStringLiteral("il file non pu\u00F2 essere letto"));
}

void TestFolderPhotoMatch::scanReportsEveryFileThenEnds()
{
    const QDir folder(m_folder->path());
    for (int i = 0; i < 6; ++i)
        scriviFoto(folder.filePath(QStringLiteral("foto%1.jpg").arg(i)), foto(QSize(2000, 1500), Qt::blue));
    TestFiles::writeAll(folder.filePath(QStringLiteral("leggimi.txt")), "testo");
    FolderPhotoScan scan;
    QSignalSpy examined(&scan, &FolderPhotoScan::examined);
    QSignalSpy finished(&scan, &FolderPhotoScan::finished);
    const QStringList paths = FolderPhotoFiles::list(folder.path());
    scan.start(paths);
    QVERIFY(finished.wait(20000));
    QCOMPARE(examined.size(), 7);
    QCOMPARE(finished.size(), 1);
    for (const QList<QVariant>& call : examined) {
        const auto probe = call.at(1).value<PhotoProbe>();
        const bool testo = paths.at(call.at(0).toInt()).endsWith(u".txt");
        QCOMPARE(probe.kind, testo ? PhotoKind::NotPicture : PhotoKind::Picture);
        if (!testo) {
            QCOMPARE(probe.size, QSize(2000, 1500));
            QCOMPARE(probe.suggestedCrop.size(), FolderPhotoFiles::kCropThumbnail);
            QVERIFY(probe.thumbnail.width() <= 96 && probe.thumbnail.height() <= 96);
        }
    }
    // A scan stopped midway reports nothing more.
    scan.start(FolderPhotoFiles::list(folder.path()));
    scan.stop();
    const qsizetype after = examined.size();
    QTest::qWait(50);
    QCOMPARE(examined.size(), after);
    QVERIFY(!scan.isRunning());
}

void TestFolderPhotoMatch::reportNamesWhatWasNotWritten()
{
    FolderPhotoReport report;
    report.written = 1;
    report.failed = {QStringLiteral("a.jpg: file danneggiato")};
    for (int i = 0; i < 25; ++i)
        report.skipped << QStringLiteral("x%1.jpg: Nessuna scheda trovata").arg(i);
    report.notTicked = {QStringLiteral("b.jpg: la scheda n. 4 tiene la sua foto")};
    const QString text = report.text();
    QVERIFY(text.contains(QStringLiteral("Foto non spuntate, lasciate da parte (1):\n- b.jpg: la scheda n. 4 "
                                         "tiene la sua foto\n\nFoto saltate")));
    QVERIFY(text.startsWith(QStringLiteral("1 foto \u00E8 stata scritta nella sua scheda.")));
    QVERIFY(text.contains(QStringLiteral("Foto non scritte (1):\n- a.jpg: file danneggiato")));
    QVERIFY(text.contains(QStringLiteral("Foto saltate (25):")));
    QVERIFY(text.contains(QStringLiteral("- x19.jpg")));
    QVERIFY(!text.contains(QStringLiteral("- x20.jpg")));
    QVERIFY(text.endsWith(QStringLiteral("- ... e altri 5")));
}

QTEST_GUILESS_MAIN(TestFolderPhotoMatch)
#include "tst_folder_photo_match.moc"
