// The group page record, its photo files, the group file names and the shared archive steps.

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "groups/GroupFiles.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveSteps.h"
#include "storage/FotoGruppo.h"
#include "storage/PhotoFiles.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaGruppo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTest>

namespace {

using Campo = TSchedaGruppo::Campo;

QImage tinta(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// A colour close to the expected one after JPEG encoding.
bool vicino(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

// A group file of that many pages, slot A of page p named "<name> <p>".
void scriviGruppo(const QString& path, const QString& name, int pages)
{
    TArchivioSchede archive;
    archive.ApriOCrea(path, TSchedaGruppo::kSize);
    for (int p = 1; p <= pages; ++p) {
        TSchedaGruppo page;
        page.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("%1 %2").arg(name).arg(p));
        archive.Posiziona(p - 1);
        archive.ScriviScheda(page.buffer());
    }
    archive.ChiudiArchivio();
}

// Every slot photo of the page in one colour.
void scriviFoto(const QString& folder, const QString& group, int page, QColor colour)
{
    FotoRiquadri riquadri;
    riquadri.azzera();
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        riquadri.imposta(i, tinta(282, 366, colour));
    QCOMPARE(SalvaFotoRiquadri(folder, group, QString::number(page), riquadri), QString());
}

QColor coloreFoto(const QString& folder, const QString& group, int slot, int page)
{
    return PhotoFiles::load(FotoGruppo::fotoRiquadro(folder, group, slot, QString::number(page)))
        .pixelColor(10, 10);
}

QStringList fileFoto(const QString& folder)
{
    QStringList files = QDir(FotoGruppo::cartella(folder)).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

// The bytes a field must hold: length byte then the text, written independently of the codec.
void campoAtteso(QByteArray& record, int offset, const QByteArray& text)
{
    record[offset] = char(text.size());
    for (int i = 0; i < text.size(); ++i)
        record[offset + 1 + i] = text.at(i);
}

} // namespace

class TestGruppiLogica : public QObject {
    Q_OBJECT

private slots:
    void recordIsByteExact_data();
    void recordIsByteExact();
    void fieldsAreTrimmedAndCut();
    void ridimensionaStretches();
    void slotPhotosAreJpegsOfTheirSize();
    void pageWithoutPhotosStoresTheBlankImage();
    void missingAndUnreadablePhotos();
    void unreadablePhotoIsNeverOverwritten();
    void failedSlotWriteKeepsThePicture();
    void earlyStopOfPreviewsReadsBackOnlyWhatWasWritten();
    void longestAllowedNameKeepsEveryFile();
    void pendingPhotosReplaceOnlyWhenPutInPlace();
    void stoppedSaveIsCompletedOrUndone_data();
    void stoppedSaveIsCompletedOrUndone();
    void leftoversOfNoNoteAreRemoved();
    void blankEdgedNamesKeepTheirPhotosApart();
    void olderPhotosOfABlankEdgedNameAreTaken();
    void nameRules_data();
    void nameRules();
    void listOrder();
    void listTakesOnlyGroupFilesOfTheFolder();
    void createAndRemove();
    void createFailureLeavesNothing();
    void nameUsedInAnotherCase();
    void saveAppendsOrUpdates();
    void saveRefusesAPositionThatIsNoNumber();
};

void TestGruppiLogica::recordIsByteExact_data()
{
    QTest::addColumn<int>("riquadri");
    QTest::newRow("only slot A") << 1;
    QTest::newRow("all eight slots") << 8;
}

void TestGruppiLogica::recordIsByteExact()
{
    QFETCH(int, riquadri);
    TSchedaGruppo pagina;
    QByteArray atteso(5000, '\0');
    const int campi[] = {0, 41, 92, 343, 594}; // Codice, Nome, UM, Caratteristiche, Prezzo
    for (int k = 0; k < riquadri; ++k) {
        const QByteArray lettera(1, char('A' + k));
        const QByteArray testi[] = {"E-mail: p" + lettera + "@x.it", "Rossi " + lettera, "Ruolo " + lettera,
                                    "Note " + lettera, "Cel. 33" + lettera};
        for (int c = 0; c < 5; ++c) {
            pagina.setTesto(k, static_cast<Campo>(c), QString::fromLatin1(testi[c]));
            campoAtteso(atteso, 625 * k + campi[c], testi[c]);
        }
    }
    QCOMPARE(pagina.buffer().size(), 5000);
    QCOMPARE(pagina.buffer(), atteso);
    if (riquadri == 8) {
        QCOMPARE(int(pagina.buffer().at(4416)), QByteArray("Rossi H").size());  // Nome of slot H
        QCOMPARE(int(pagina.buffer().at(1219)), QByteArray("Cel. 33B").size()); // Prezzo of slot B
    } else {
        QVERIFY(pagina.buffer().mid(625).count('\0') == 5000 - 625);
    }
}

void TestGruppiLogica::fieldsAreTrimmedAndCut()
{
    TSchedaGruppo pagina;
    pagina.setTesto(0, TSchedaGruppo::Nome, QString(60, QLatin1Char('n')));
    pagina.setTesto(0, TSchedaGruppo::Caratteristiche, QString(250, QLatin1Char('c')));
    pagina.setTesto(2, TSchedaGruppo::Codice, QStringLiteral("E-mail: ") + QString(42, QLatin1Char('e')));
    pagina.setTesto(3, TSchedaGruppo::UM, QStringLiteral("  Capitano \t"));
    pagina.setTesto(4, TSchedaGruppo::Prezzo, QStringLiteral("Cel. perché"));
    QCOMPARE(pagina.testo(0, TSchedaGruppo::Nome), QString(50, QLatin1Char('n')));
    QCOMPARE(pagina.testo(0, TSchedaGruppo::Caratteristiche).size(), 250);
    QCOMPARE(pagina.testo(2, TSchedaGruppo::Codice),
             (QStringLiteral("E-mail: ") + QString(42, QLatin1Char('e'))).left(40));
    QCOMPARE(pagina.testo(3, TSchedaGruppo::UM), QStringLiteral("Capitano"));
    // Windows-1252 on disk: é is one byte.
    QCOMPARE(pagina.buffer().at(TSchedaGruppo::offset(4, TSchedaGruppo::Prezzo)), char(11));
    QCOMPARE(pagina.buffer().at(TSchedaGruppo::offset(4, TSchedaGruppo::Prezzo) + 11), char(0xE9));
    QCOMPARE(pagina.testo(4, TSchedaGruppo::Prezzo), QStringLiteral("Cel. perché"));
    QCOMPARE(TSchedaGruppo::nomeCampo(TSchedaGruppo::Caratteristiche, 7),
             QStringLiteral("txtCaratteristiche_H"));
}

void TestGruppiLogica::ridimensionaStretches()
{
    QImage paesaggio = tinta(800, 600, Qt::red);
    // The left half blue: squeezed, it still fills the left half.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 400; ++x)
            paesaggio.setPixelColor(x, y, Qt::blue);
    const QImage ridotta = RidimensionaFoto(paesaggio);
    QCOMPARE(ridotta.size(), QSize(282, 366));
    QCOMPARE(ridotta.pixelColor(10, 10), QColor(Qt::blue));
    QCOMPARE(ridotta.pixelColor(271, 355), QColor(Qt::red));
    QCOMPARE(RidimensionaFoto(tinta(10, 10, Qt::green)).pixelColor(141, 183), QColor(Qt::green));
    QCOMPARE(FotoGruppo::bianca().size(), QSize(282, 366));
}

void TestGruppiLogica::slotPhotosAreJpegsOfTheirSize()
{
    TestEnvironment env;
    FotoRiquadri riquadri;
    riquadri.azzera();
    riquadri.imposta(1, tinta(800, 600, Qt::red));
    riquadri.imposta(6, tinta(100, 1000, Qt::darkGreen));
    // The position is trimmed; the group's name is its file's, blanks and all.
    QCOMPARE(SalvaFotoRiquadri(env.folder(), QStringLiteral("Gita Roma"), QStringLiteral(" 2 "), riquadri),
             QString());
    for (int i = 0; i < 8; ++i) {
        const QString path =
            env.path(QStringLiteral("Foto_Gruppo/Gita Roma_Foto_%1_2.jpg").arg(QChar('A' + i)));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(282, 366));
        QCOMPARE(riquadri.foto[i].size(), QSize(282, 366)); // the slot now shows what was written
    }
    FotoRiquadri letti;
    QCOMPARE(CaricaFotoRiquadri(env.folder(), QStringLiteral("Gita Roma"), QStringLiteral("2"), letti),
             QString());
    QVERIFY(vicino(letti.foto[1].pixelColor(141, 183), Qt::red));
    QVERIFY(vicino(letti.foto[6].pixelColor(141, 183), Qt::darkGreen));
}

void TestGruppiLogica::pageWithoutPhotosStoresTheBlankImage()
{
    TestEnvironment env;
    FotoRiquadri riquadri;
    riquadri.azzera();
    QCOMPARE(SalvaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), riquadri), QString());
    const QImage bianca = FotoGruppo::bianca();
    for (int i = 0; i < 8; ++i) {
        const QImage scritta =
            PhotoFiles::load(env.path(QStringLiteral("Foto_Gruppo/G_Foto_%1_1.jpg").arg(QChar('A' + i))));
        QCOMPARE(scritta.size(), QSize(282, 366));
        for (const QPoint p : {QPoint(5, 5), QPoint(141, 150), QPoint(141, 340)})
            QVERIFY(vicino(scritta.pixelColor(p), bianca.pixelColor(p)));
    }
}

void TestGruppiLogica::missingAndUnreadablePhotos()
{
    TestEnvironment env;
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("Foto_Gruppo"))));
    TestFiles::writeAll(env.path(QStringLiteral("Foto_Gruppo/G_Foto_C_4.jpg")), "not a picture");
    QVERIFY(
        PhotoFiles::save(tinta(282, 366, Qt::red), env.path(QStringLiteral("Foto_Gruppo/G_Foto_A_4.jpg"))));
    FotoRiquadri riquadri;
    riquadri.azzera();
    riquadri.sconosciuta.fill(true);
    QCOMPARE(CaricaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("4"), riquadri),
             QStringLiteral("C"));
    QVERIFY(vicino(riquadri.foto[0].pixelColor(1, 1), Qt::red));
    QCOMPARE(riquadri.foto[2], FotoGruppo::bianca());
    QCOMPARE(riquadri.foto[7], FotoGruppo::bianca()); // missing file: the blank image, nothing unknown
    QCOMPARE(riquadri.sconosciuta[2], true);
    QCOMPARE(riquadri.sconosciuta[7], false);
    QCOMPARE(riquadri.sconosciuta[0], false);
}

void TestGruppiLogica::unreadablePhotoIsNeverOverwritten()
{
    TestEnvironment env;
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("Foto_Gruppo"))));
    const QString danneggiata = env.path(QStringLiteral("Foto_Gruppo/G_Foto_E_1.jpg"));
    TestFiles::writeAll(danneggiata, QByteArray("\xFF\xD8\xFF damaged"));
    FotoRiquadri riquadri;
    CaricaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), riquadri);
    QVERIFY(riquadri.sconosciuta[4]);
    QCOMPARE(SalvaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), riquadri), QString());
    QCOMPARE(TestFiles::readAll(danneggiata), QByteArray("\xFF\xD8\xFF damaged"));
    QVERIFY(QFileInfo::exists(env.path(QStringLiteral("Foto_Gruppo/G_Foto_D_1.jpg"))));
    // A new picture in the slot makes it known again, and the save writes it.
    riquadri.imposta(4, tinta(50, 50, Qt::blue));
    SalvaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), riquadri);
    QCOMPARE(QImageReader(danneggiata).size(), QSize(282, 366));
}

void TestGruppiLogica::failedSlotWriteKeepsThePicture()
{
    TestEnvironment env;
    // A folder where slot B's file should go: that write fails, the others succeed.
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("Foto_Gruppo/G_Foto_B_1.jpg"))));
    FotoRiquadri riquadri;
    riquadri.azzera();
    const QImage rossa = tinta(600, 800, Qt::red);
    riquadri.imposta(1, rossa);
    QCOMPARE(SalvaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), riquadri),
             QStringLiteral("B"));
    QCOMPARE(riquadri.foto[1], rossa);
    QVERIFY(QFileInfo(env.path(QStringLiteral("Foto_Gruppo/G_Foto_C_1.jpg"))).isFile());
}

void TestGruppiLogica::earlyStopOfPreviewsReadsBackOnlyWhatWasWritten()
{
    TestEnvironment env;
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("Foto_Gruppo"))));
    // Old previews of another page, all red.
    for (int i = 0; i < 8; ++i)
        QVERIFY(PhotoFiles::save(tinta(282, 366, Qt::red),
                                 FotoGruppo::anteprima(env.folder(), QStringLiteral("G"), i)));
    // Slot C's preview cannot be written.
    QVERIFY(QFile::remove(FotoGruppo::anteprima(env.folder(), QStringLiteral("G"), 2)));
    QVERIFY(QDir().mkpath(FotoGruppo::anteprima(env.folder(), QStringLiteral("G"), 2)));

    FotoRiquadri riquadri;
    riquadri.azzera();
    for (int i = 0; i < 8; ++i)
        riquadri.imposta(i, tinta(100, 130, Qt::blue));
    const int scritte = SalvaAnteprime(env.folder(), QStringLiteral("G"), riquadri);
    QCOMPARE(scritte, 2);
    CaricaAnteprime(env.folder(), QStringLiteral("G"), riquadri, scritte);
    QCOMPARE(riquadri.foto[0].size(), QSize(282, 366));
    QVERIFY(vicino(riquadri.foto[1].pixelColor(5, 5), Qt::blue));
    // The red preview of slot D, written for another page, stays out of this page.
    QCOMPARE(riquadri.foto[3].size(), QSize(100, 130));
    QVERIFY(vicino(riquadri.foto[3].pixelColor(5, 5), Qt::blue));
}

void TestGruppiLogica::nameRules_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("accettato");
    QTest::newRow("plain") << "Gita Roma" << true;
    QTest::newRow("vertical bar") << "Classe|A" << true;
    QTest::newRow("accented") << "Éden è qui" << true;
    QTest::newRow("dots inside") << "v.1.2" << true;
    QTest::newRow("parent folder") << "../Documenti/x" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("drive") << "C:\\x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("tab inside") << "a\tb" << false;
    QTest::newRow("line feed inside") << "a\nb" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("two dots") << ".." << false;
    QTest::newRow("star") << "a*b" << false;
    QTest::newRow("question") << "a?" << false;
    QTest::newRow("quote") << "\"a\"" << false;
    QTest::newRow("angle") << "<a>" << false;
    QTest::newRow("degree") << "5°B" << false;
    QTest::newRow("cedilla") << "Çelik" << false;
    QTest::newRow("tilde n") << "niño" << false;
}

void TestGruppiLogica::nameRules()
{
    QFETCH(QString, nome);
    QFETCH(bool, accettato);
    const QString problema = GroupFiles::nameProblem(nome);
    QCOMPARE(problema.isEmpty(), accettato);
    if (!accettato) {
        QVERIFY(problema.startsWith(QStringLiteral("Attenzione: ")));
        QVERIFY(problema.contains(QStringLiteral("\" * / : < > ? \\ ° Ç Ñ ç ñ")));
    }
}

void TestGruppiLogica::listOrder()
{
    QStringList nomi = {QStringLiteral("Éden.fvg"), QStringLiteral("Zeta.fvg"), QStringLiteral("alfa.fvg"),
                        QStringLiteral("Beta.fvg")};
    std::sort(nomi.begin(), nomi.end(), GroupFiles::listsBefore);
    QCOMPARE(nomi, (QStringList{"alfa.fvg", "Beta.fvg", "Zeta.fvg", "Éden.fvg"}));
    QVERIFY(GroupFiles::listsBefore(QStringLiteral("Ab"), QStringLiteral("abc")));
    QVERIFY(!GroupFiles::listsBefore(QStringLiteral("abc"), QStringLiteral("AB")));
    // Other characters count by their code: '[' (91) before '_' (95), both after the letters folded.
    QVERIFY(GroupFiles::listsBefore(QStringLiteral("a["), QStringLiteral("a_")));
    QVERIFY(GroupFiles::listsBefore(QStringLiteral("aZ"), QStringLiteral("a_")));
    QVERIFY(GroupFiles::listsBefore(QStringLiteral("a z"), QStringLiteral("a1")));
}

void TestGruppiLogica::listTakesOnlyGroupFilesOfTheFolder()
{
    TestEnvironment env;
    for (const char* name :
         {"Zeta.fvg", "alfa.fvg", "Éden.fvg", "Beta.fvg", "note.txt", "Archivio_Anagrafico.fvd"})
        TestFiles::writeAll(env.path(QString::fromUtf8(name)), {});
    QVERIFY(QDir().mkpath(env.path(QStringLiteral("sotto"))));
    TestFiles::writeAll(env.path(QStringLiteral("sotto/Dentro.fvg")), {});
    QCOMPARE(GroupFiles::list(env.folder()), (QStringList{"alfa.fvg", "Beta.fvg", "Zeta.fvg", "Éden.fvg"}));
}

void TestGruppiLogica::createAndRemove()
{
    TestEnvironment env;
    const QString path = GroupFiles::path(env.folder(), QStringLiteral("Gita Roma"));
    QCOMPARE(path, env.path(QStringLiteral("Gita Roma.fvg")));
    QCOMPARE(GroupFiles::create(path).result, GroupFiles::Outcome::Result::Done);
    QCOMPARE(QFileInfo(path).size(), 0);
    TestFiles::writeAll(path, QByteArray(5000, 'x'));
    QCOMPARE(GroupFiles::create(path).result, GroupFiles::Outcome::Result::AlreadyUsed);
    QCOMPARE(QFileInfo(path).size(), 5000); // untouched
    QCOMPARE(GroupFiles::remove(path).result, GroupFiles::Outcome::Result::Done);
    QVERIFY(!QFileInfo::exists(path));
    const GroupFiles::Outcome ancora = GroupFiles::remove(path);
    QCOMPARE(ancora.result, GroupFiles::Outcome::Result::Failed);
    QVERIFY(!ancora.reason.isEmpty());
}

void TestGruppiLogica::createFailureLeavesNothing()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("manca/Gruppo.fvg"));
    const GroupFiles::Outcome esito = GroupFiles::create(path);
    QCOMPARE(esito.result, GroupFiles::Outcome::Result::Failed);
    QVERIFY(!esito.reason.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

void TestGruppiLogica::nameUsedInAnotherCase()
{
    TestEnvironment env;
    const QString minuscolo = env.path(QStringLiteral("alfa.fvg"));
    QCOMPARE(GroupFiles::create(minuscolo).result, GroupFiles::Outcome::Result::Done);
    const QString maiuscolo = env.path(QStringLiteral("ALFA.fvg"));
    const bool ignoraMaiuscole = QFileInfo::exists(maiuscolo);
    const GroupFiles::Outcome esito = GroupFiles::create(maiuscolo);
    // The file system's own rule decides.
    QCOMPARE(esito.result,
             ignoraMaiuscole ? GroupFiles::Outcome::Result::AlreadyUsed : GroupFiles::Outcome::Result::Done);
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files).size(), ignoraMaiuscole ? 1 : 2);
}

void TestGruppiLogica::saveAppendsOrUpdates()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("G.fvg"));
    TSchedaGruppo pagina;
    for (int n = 1; n <= 5; ++n) {
        pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("Pagina %1").arg(n));
        const ArchiveSteps::Salvataggio s = ArchiveSteps::salva(path, QString(), pagina.buffer());
        QCOMPARE(s.posizione, n);
        QVERIFY(s.aggiunta);
    }
    QCOMPARE(QFileInfo(path).size(), 25000);
    pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("Nuova 3"));
    const ArchiveSteps::Salvataggio s = ArchiveSteps::salva(path, QStringLiteral("3"), pagina.buffer());
    QCOMPARE(s.posizione, 3);
    QVERIFY(!s.aggiunta);
    QCOMPARE(QFileInfo(path).size(), 25000);

    TSchedaGruppo letta;
    const ArchiveSteps::Sfogliata passo = ArchiveSteps::sfoglia(
        path, TSchedaGruppo::kSize, ArchiveSteps::Comando::Avanti, QStringLiteral("2"), letta.buffer());
    QCOMPARE(passo.posizione, 3);
    QCOMPARE(letta.testo(0, TSchedaGruppo::Nome), QStringLiteral("Nuova 3"));
}

void TestGruppiLogica::saveRefusesAPositionThatIsNoNumber()
{
    TestEnvironment env;
    const QString path = env.path(QStringLiteral("G.fvg"));
    TSchedaGruppo pagina;
    QVERIFY_THROWS_EXCEPTION(ArchiveError, ArchiveSteps::salva(path, QStringLiteral("x"), pagina.buffer()));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, ArchiveSteps::salva(path, QStringLiteral("2"), pagina.buffer()));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestGruppiLogica::longestAllowedNameKeepsEveryFile()
{
    TestEnvironment env;
    // 226 bytes: 113 accented letters of two bytes each.
    const QString longest(113, QChar(0x00E8));
    QCOMPARE(GroupFiles::nameProblem(longest), QString());
    QVERIFY(!GroupFiles::nameProblem(longest + QLatin1Char('a')).isEmpty());
    QVERIFY(!GroupFiles::nameProblem(QString(227, QLatin1Char('a'))).isEmpty());
    QCOMPARE(GroupFiles::nameProblem(QString(226, QLatin1Char('a'))), QString());
    // Every file of the group fits the file system's limit, a page far down included.
    QCOMPARE(GroupFiles::create(GroupFiles::path(env.folder(), longest)).result,
             GroupFiles::Outcome::Result::Done);
    FotoRiquadri riquadri;
    riquadri.azzera();
    const QString posizione = QStringLiteral("2147483647");
    QString perche;
    QCOMPARE(SalvaFotoRiquadri(env.folder(), longest, posizione, riquadri, &perche), QString());
    QCOMPARE(SalvaAnteprime(env.folder(), longest, riquadri), TSchedaGruppo::kRiquadri);
    const QString foto = FotoGruppo::fotoRiquadro(env.folder(), longest, 7, posizione);
    QVERIFY(QFileInfo(foto).isFile());
    QCOMPARE(GroupFiles::longestFileNameBytes(longest), int(QFileInfo(foto).fileName().toUtf8().size()) + 7);
}

void TestGruppiLogica::pendingPhotosReplaceOnlyWhenPutInPlace()
{
    TestEnvironment env;
    FotoRiquadri vecchie;
    vecchie.azzera();
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        vecchie.imposta(i, tinta(282, 366, Qt::blue));
    QCOMPARE(SalvaFotoRiquadri(env.folder(), QStringLiteral("G"), QStringLiteral("1"), vecchie), QString());
    const auto colore = [&env](int i) {
        return PhotoFiles::load(
                   FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral("G"), i, QStringLiteral("1")))
            .pixelColor(10, 10);
    };
    FotoRiquadri nuove;
    nuove.azzera();
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        nuove.imposta(i, tinta(100, 100, Qt::red));
    {
        FotoInAttesa attesa;
        QCOMPARE(attesa.prepara(env.folder(), QStringLiteral("G"), QStringLiteral("1"), nuove, {}),
                 QString());
        // Written but not in place: a stop now leaves the old page's photos.
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
            QVERIFY(vicino(colore(i), Qt::blue));
        attesa.annulla();
    } // dropped: nothing of it is left
    QCOMPARE(QDir(FotoGruppo::cartella(env.folder())).entryList(QDir::Files | QDir::Hidden).size(), 8);
    FotoInAttesa attesa;
    QCOMPARE(attesa.prepara(env.folder(), QStringLiteral("G"), QStringLiteral("1"), nuove, {}), QString());
    QCOMPARE(attesa.metti(nuove), QString());
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        QCOMPARE(nuove.foto[i].size(), QSize(282, 366));
        QVERIFY(vicino(colore(i), Qt::red));
    }
    QCOMPARE(QDir(FotoGruppo::cartella(env.folder())).entryList(QDir::Files | QDir::Hidden).size(), 8);
}

void TestGruppiLogica::stoppedSaveIsCompletedOrUndone_data()
{
    QTest::addColumn<int>("passo");
    QTest::addColumn<bool>("nuova");
    QTest::newRow("photos written, record not") << -1 << false;
    QTest::newRow("record written, no photo in place") << 0 << true;
    QTest::newRow("record and three photos in place") << 3 << true;
}

void TestGruppiLogica::stoppedSaveIsCompletedOrUndone()
{
    QFETCH(int, passo);
    QFETCH(bool, nuova);
    TestEnvironment env;
    const QString archivio = env.path(QStringLiteral("Gita.fvg"));
    scriviGruppo(archivio, QStringLiteral("Vecchia"), 1);
    scriviFoto(env.folder(), QStringLiteral("Gita"), 1, Qt::blue);
    // Another group's leftover is none of this group's business.
    const QString altrui =
        FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral(" Gita"), 0, QStringLiteral("1"));
    TestFiles::writeAll(altrui + QStringLiteral(".nuova"), "x");

    // A real program killed midway through the save.
    QProcess worker;
    worker.start(QStringLiteral(GROUP_SAVE_WORKER), {env.folder(), QString::number(passo)});
    QVERIFY(worker.waitForStarted());
    const QString fermo = env.path(QStringLiteral("fermo.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fermo), 30000);
    worker.kill();
    QVERIFY(worker.waitForFinished());
    QVERIFY(QFile::remove(fermo));
    QCOMPARE(QFileInfo(archivio).size(), TSchedaGruppo::kSize);
    TSchedaGruppo letta;
    letta.buffer() = TestFiles::readAll(archivio);
    QCOMPARE(letta.testo(0, TSchedaGruppo::Nome),
             nuova ? QStringLiteral("Nuova") : QStringLiteral("Vecchia 1"));
    if (passo >= 0) // the record says "Nuova" while slot H still shows the old photo
        QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral("Gita"), 7, 1), Qt::blue));

    const FotoRiprese esito = RiprendiFotoInAttesa(env.folder(), archivio, QStringLiteral("Gita"));
    QCOMPARE(esito.finite, nuova ? 1 : 0);
    QCOMPARE(esito.annullate, nuova ? 0 : 1);
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        QVERIFY2(vicino(coloreFoto(env.folder(), QStringLiteral("Gita"), i, 1), nuova ? Qt::red : Qt::blue),
                 qPrintable(QString(TSchedaGruppo::lettera(i))));
    QStringList attesi;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        attesi << QStringLiteral("Gita_Foto_%1_1.jpg").arg(TSchedaGruppo::lettera(i));
    attesi << QFileInfo(altrui).fileName() + QStringLiteral(".nuova");
    attesi.sort();
    QCOMPARE(fileFoto(env.folder()), attesi);
    // Nothing is left to do at the next opening.
    const FotoRiprese ancora = RiprendiFotoInAttesa(env.folder(), archivio, QStringLiteral("Gita"));
    QCOMPARE(ancora.finite + ancora.annullate + ancora.rimossi, 0);
}

void TestGruppiLogica::leftoversOfNoNoteAreRemoved()
{
    TestEnvironment env;
    const QString archivio = env.path(QStringLiteral("Gita.fvg"));
    scriviGruppo(archivio, QStringLiteral("Gita"), 2);
    scriviFoto(env.folder(), QStringLiteral("Gita"), 2, Qt::blue);
    const QString foto =
        FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral("Gita"), 2, QStringLiteral("2"));
    // A stop before the note, and the temporary file of an older version's save.
    const QStringList avanzi = {foto + QStringLiteral(".nuova"), foto + QStringLiteral(".aB3xY9"),
                                env.path(QStringLiteral("Foto_Gruppo/Gita_Foto_2.nota.Qw12Er"))};
    // Of other groups, or not temporary files of a photo at all.
    const QStringList altri = {env.path(QStringLiteral("Foto_Gruppo/Gita Roma_Foto_A_1.jpg.aB3xY9")),
                               env.path(QStringLiteral("Foto_Gruppo/ Gita_Foto_A_1.jpg.nuova")),
                               env.path(QStringLiteral("Foto_Gruppo/Gita_Foto_A_1.jpg.bak")),
                               env.path(QStringLiteral("Foto_Gruppo/Gita_Anteprima_A.jpg.aB3xY9"))};
    for (const QString& file : avanzi + altri)
        TestFiles::writeAll(file, "x");
    const FotoRiprese esito = RiprendiFotoInAttesa(env.folder(), archivio, QStringLiteral("Gita"));
    QCOMPARE(esito.rimossi, 3);
    QCOMPARE(esito.finite + esito.annullate, 0);
    for (const QString& file : avanzi)
        QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
    for (const QString& file : altri)
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
    QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral("Gita"), 2, 2), Qt::blue));
}

void TestGruppiLogica::blankEdgedNamesKeepTheirPhotosApart()
{
    TestEnvironment env;
    scriviGruppo(env.path(QStringLiteral("Gita.fvg")), QStringLiteral("Gita"), 3);
    scriviGruppo(env.path(QStringLiteral(" Gita.fvg")), QStringLiteral(" Gita"), 1);
    for (int p = 1; p <= 3; ++p)
        scriviFoto(env.folder(), QStringLiteral("Gita"), p, Qt::blue);
    scriviFoto(env.folder(), QStringLiteral(" Gita"), 1, Qt::red);
    QCOMPARE(SalvaAnteprime(env.folder(), QStringLiteral(" Gita"), FotoRiquadri()), TSchedaGruppo::kRiquadri);
    // Two groups, two sets of photos.
    QCOMPARE(
        QFileInfo(FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral(" Gita"), 0, QStringLiteral("1")))
            .fileName(),
        QStringLiteral(" Gita_Foto_A_1.jpg"));
    QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral("Gita"), 0, 1), Qt::blue));
    QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral(" Gita"), 0, 1), Qt::red));
    // A photo of no page of the group: a page 9 that "Gita" does not have.
    const QString orfana =
        FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral("Gita"), 0, QStringLiteral("9"));
    TestFiles::writeAll(orfana, "x");

    QCOMPARE(EliminaFotoGruppo(env.folder(), QStringLiteral(" Gita"), 1), TSchedaGruppo::kRiquadri * 2);
    QStringList attesi;
    for (int p = 1; p <= 3; ++p)
        for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
            attesi << QStringLiteral("Gita_Foto_%1_%2.jpg").arg(TSchedaGruppo::lettera(i)).arg(p);
    attesi << QFileInfo(orfana).fileName();
    attesi.sort();
    QCOMPARE(fileFoto(env.folder()), attesi);
    QCOMPARE(EliminaFotoGruppo(env.folder(), QStringLiteral("Gita"), 3), TSchedaGruppo::kRiquadri * 3);
    QCOMPARE(fileFoto(env.folder()), QStringList{QFileInfo(orfana).fileName()});
}

void TestGruppiLogica::olderPhotosOfABlankEdgedNameAreTaken()
{
    TestEnvironment env;
    const QString archivio = env.path(QStringLiteral(" Gita.fvg"));
    scriviGruppo(archivio, QStringLiteral(" Gita"), 2);
    // Older versions wrote the photos of " Gita" under "Gita".
    scriviFoto(env.folder(), QStringLiteral("Gita"), 1, Qt::red);
    RiprendiFotoInAttesa(env.folder(), archivio, QStringLiteral(" Gita"));
    QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral(" Gita"), 4, 1), Qt::red));
    QVERIFY(!QFileInfo::exists(
        FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral("Gita"), 4, QStringLiteral("1"))));

    // While a group "Gita" exists, its photos stay its own.
    scriviGruppo(env.path(QStringLiteral("Gita.fvg")), QStringLiteral("Gita"), 2);
    scriviFoto(env.folder(), QStringLiteral("Gita"), 2, Qt::blue);
    RiprendiFotoInAttesa(env.folder(), archivio, QStringLiteral(" Gita"));
    QVERIFY(vicino(coloreFoto(env.folder(), QStringLiteral("Gita"), 4, 2), Qt::blue));
    QVERIFY(!QFileInfo::exists(
        FotoGruppo::fotoRiquadro(env.folder(), QStringLiteral(" Gita"), 4, QStringLiteral("2"))));
}

QTEST_GUILESS_MAIN(TestGruppiLogica)
#include "tst_gruppi_logica.moc"
