#include "PrivacyFixture.h"

#include "documents/RegistryExport.h"
#include "documents/RegistryTable.h"
#include "export/RegistrySheetExport.h"
#include "privacy/ConsentStore.h"
#include "privacy/erase/EraseLog.h"
#include "privacy/erase/PersonErase.h"
#include "privacy/erase/PersonExport.h"
#include "privacy/erase/PersonInventory.h"
#include "search/RicercaSchede.h"
#include "storage/ArchiveSteps.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QBuffer>
#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace PrivacyFixture;

namespace {

// Stands for a kill of the program right after a step.
struct Ucciso {};

// Every file below the folder, by its path inside it.
QSet<QString> elenco(const QString& folder)
{
    QSet<QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(folder).relativeFilePath(it.next()));
    return files;
}

QMap<QString, QByteArray> leggiZip(const QString& path)
{
    QMap<QString, QByteArray> result;
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return result;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile file(&zip);
        if (file.open(QIODevice::ReadOnly))
            result.insert(zip.getCurrentFileName(), file.readAll());
    }
    return result;
}

} // namespace

class TestPersonErase : public QObject {
    Q_OBJECT
private slots:
    void init();

    void inventoryFindsEverything();
    void zipHoldsEveryFileOfThePerson();
    void zipCancelledLeavesNothing();
    void eraseLeavesNoTrace_data();
    void eraseLeavesNoTrace();
    void otherCardsAndPagesStayByteIdentical();
    void sharedAttachmentStays();
    void logHoldsNoPersonalData();
    void killAfterStepIsFinishedAtNextStart_data();
    void killAfterStepIsFinishedAtNextStart();
    void realKillIsFinishedAtNextStart_data();
    void realKillIsFinishedAtNextStart();
    void damagedLogLinesAreSkipped();
    void searchListsAndExportSkipTheErasedCard();
    void laterSaveOfTheOldCardIsAsked();
    void consentsJoinTheExportAndTheErase();
    void reportCountsTheFilesThatWent();

private:
    QString cartella() const { return m_dir->path() + QLatin1Char('/'); }
    PersonSideDataList laterali() const { return {std::make_shared<FileLaterale>()}; }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPersonErase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    costruisci(cartella());
    TestFiles::writeAll(FileLaterale::path(cartella(), kPosizione), kNome.toUtf8() + " consenso foto: no");
}

void TestPersonErase::inventoryFindsEverything()
{
    const PersonInventory inventory = PersonInventory::read(cartella(), kPosizione, laterali());
    QCOMPARE(inventory.name(), kNome);
    QCOMPARE(inventory.codiceFiscale(), kCodice);
    QCOMPARE(inventory.photoFiles.size(), 2); // the photo and its stale copy
    QVERIFY(inventory.photoFiles.first().endsWith(QLatin1String("Scheda_Anagrafica_2.jpg")));
    QCOMPARE(inventory.attachments.size(), 2);
    QVERIFY(inventory.attachments[0].present);
    QVERIFY(!inventory.attachments[0].shared);
    QVERIFY(inventory.attachments[1].shared);
    QCOMPARE(inventory.groupSlots.size(), 2);
    QCOMPARE(inventory.groupSlots[0].group, kGruppo);
    QCOMPARE(inventory.groupSlots[0].page, 1);
    QCOMPARE(inventory.groupSlots[0].slot, 2);
    QCOMPARE(inventory.groupSlots[1].page, 2);
    QCOMPARE(inventory.groupSlots[1].slot, 7);
    QCOMPARE(inventory.exportFiles.size(), 1);
    QCOMPARE(inventory.sideData, QStringList{QStringLiteral("i consensi")});
}

void TestPersonErase::zipHoldsEveryFileOfThePerson()
{
    const PersonInventory inventory = PersonInventory::read(cartella(), kPosizione, laterali());
    QTemporaryDir fuori;
    const QString zip = fuori.filePath(PersonExport::proposedName(inventory.name()));
    QCOMPARE(QFileInfo(zip).fileName(), QStringLiteral("Dati_Verd\u00F9_Nicol\u00F2.zip"));
    const QList<PersonExport::Entry> entries = PersonExport::entries(cartella(), inventory, laterali());
    QCOMPARE(PersonExport::save(zip, entries), PersonExport::Outcome::Written);
    QVERIFY(!QFile::exists(zip + QStringLiteral(".part")));

    const QMap<QString, QByteArray> voci = leggiZip(zip);
    const QStringList attese = {QStringLiteral("Allegati/carta_identit\u00E0.pdf"),
                                QStringLiteral("Allegati/condiviso.txt"),
                                QStringLiteral("Consensi/consenso.txt"),
                                QStringLiteral("Foto.jpg"),
                                QStringLiteral("Foto_dei_gruppi/Quinta B_Foto_C_1.jpg"),
                                QStringLiteral("Foto_dei_gruppi/Quinta B_Foto_H_2.jpg"),
                                QStringLiteral("Pagine_dei_gruppi.csv"),
                                QStringLiteral("Scheda.csv"),
                                QStringLiteral("Scheda.pdf")};
    QCOMPARE(voci.keys(), attese);
    QVERIFY(voci.value(QStringLiteral("Scheda.pdf")).startsWith("%PDF"));
    QCOMPARE(voci.value(QStringLiteral("Foto.jpg")), TestFiles::readAll(inventory.photoFiles.first()));
    QCOMPARE(voci.value(QStringLiteral("Foto_dei_gruppi/Quinta B_Foto_H_2.jpg")),
             TestFiles::readAll(FotoGruppo::fotoRiquadro(cartella(), kGruppo, 7, QStringLiteral("2"))));
    QVERIFY(voci.value(QStringLiteral("Allegati/carta_identit\u00E0.pdf")).contains(kCodice.toUtf8()));

    // The card as CSV: the spreadsheet export's headers (Sesso among them) and the attached files
    // with their descriptions, then the card's line.
    const QList<QByteArray> righe = voci.value(QStringLiteral("Scheda.csv")).mid(3).split('\n');
    QCOMPARE(righe.size(), 3);
    const QStringList intestazioni = QString::fromUtf8(righe[0]).trimmed().split(QLatin1Char(';'));
    QCOMPARE(intestazioni.mid(0, RegistrySheetExport::kColumns), RegistrySheetExport::headerLabels());
    QCOMPARE(
        intestazioni.mid(RegistrySheetExport::kColumns),
        QStringList(
            {QStringLiteral("1\u00B0 file allegato"), QStringLiteral("Descrizione 1\u00B0 file allegato"),
             QStringLiteral("2\u00B0 file allegato"), QStringLiteral("Descrizione 2\u00B0 file allegato"),
             QStringLiteral("3\u00B0 file allegato"), QStringLiteral("Descrizione 3\u00B0 file allegato")}));
    const QStringList campi = QString::fromUtf8(righe[1]).trimmed().split(QLatin1Char(';'));
    QCOMPARE(campi.size(), intestazioni.size());
    QCOMPARE(campi.first(), kNome);
    QCOMPARE(campi[intestazioni.indexOf(QStringLiteral("Sesso"))], QStringLiteral("M"));
    QVERIFY(campi.contains(kCodice));
    QCOMPARE(campi[RegistrySheetExport::kColumns - 1], TSchedaAnagrafica::flagSi());
    QCOMPARE(campi.mid(RegistrySheetExport::kColumns),
             QStringList({QStringLiteral("carta_identit\u00E0.pdf"), QStringLiteral("Documento di ") + kNome,
                          QStringLiteral("condiviso.txt"), QString(), QString(), QString()}));

    const QByteArray pagine = voci.value(QStringLiteral("Pagine_dei_gruppi.csv"));
    QVERIFY(pagine.contains("Gruppo;Pagina;Riquadro\r\nQuinta B;1;C\r\nQuinta B;2;H\r\n"));

    // Nothing of another person: not card 1's name, codice fiscale, attachment or photos.
    for (auto it = voci.cbegin(); it != voci.cend(); ++it) {
        for (const QString& altro : {kAltroNome, kAltroCodice, QStringLiteral("Neri")}) {
            for (const QByteArray& forma : forme(altro))
                QVERIFY2(!it.value().toLower().contains(forma), qPrintable(it.key()));
        }
        QVERIFY(it.value() !=
                TestFiles::readAll(FotoGruppo::fotoRiquadro(cartella(), kGruppo, 0, QStringLiteral("1"))));
        QVERIFY(it.value() != TestFiles::readAll(FotoScheda::percorso(cartella(), QStringLiteral("1"))));
    }
}

void TestPersonErase::zipCancelledLeavesNothing()
{
    const PersonInventory inventory = PersonInventory::read(cartella(), kPosizione, {});
    QTemporaryDir fuori;
    const QString zip = fuori.filePath(QStringLiteral("dati.zip"));
    TestFiles::writeAll(zip, "vecchio");
    const auto entries = PersonExport::entries(cartella(), inventory, {});
    QCOMPARE(PersonExport::save(zip, entries, [](int done, int) { return done < 3; }),
             PersonExport::Outcome::Cancelled);
    QCOMPARE(TestFiles::readAll(zip), QByteArray("vecchio"));
    QCOMPARE(QDir(fuori.path()).entryList(QDir::Files), QStringList{QStringLiteral("dati.zip")});
}

void TestPersonErase::eraseLeavesNoTrace_data()
{
    QTest::addColumn<bool>("riquadri");
    QTest::addColumn<QStringList>("rimasti");
    QTest::addColumn<int>("rimossi");
    QTest::newRow("with the group groupSlots") << true << QStringList{} << kFileRimossi + 1;
    // The groupSlots keep the name in the group file when the tick is off; their photos stay too.
    QTest::newRow("without them") << false << QStringList{QStringLiteral("Quinta B.fvg")}
                                  << kFileRimossi + 1 - 10;
}

void TestPersonErase::eraseLeavesNoTrace()
{
    QFETCH(bool, riquadri);
    QFETCH(QStringList, rimasti);
    QFETCH(int, rimossi);
    QVERIFY(trovati(cartella(), tracce()).size() > 5);

    PersonErase erase(cartella(), laterali());
    const PersonErase::Result result = erase.erase(kPosizione, riquadri);
    QVERIFY2(result.done, qPrintable(result.failure));
    QCOMPARE(result.filesRemoved, rimossi);
    QCOMPARE(result.slotsEmptied, riquadri ? 2 : 0);
    QCOMPARE(trovati(cartella(), tracce()), rimasti);
    // Card 1 is still everywhere it was.
    QVERIFY(trovati(cartella(), {kAltroCodice}).contains(QStringLiteral("Archivio_Anagrafico.fvd")));
    QVERIFY(QFile::exists(cartella() + QStringLiteral("Documenti_Allegati/anna.pdf")));
    QVERIFY(QFile::exists(FotoScheda::percorso(cartella(), QStringLiteral("1"))));
    QVERIFY(QFile::exists(FotoGruppo::fotoRiquadro(cartella(), kGruppo, 0, QStringLiteral("1"))));
    QCOMPARE(QFile::exists(FotoGruppo::fotoRiquadro(cartella(), kGruppo, 7, QStringLiteral("2"))), !riquadri);
    QCOMPARE(QFile::exists(FotoGruppo::anteprima(cartella(), kGruppo, 0)), !riquadri);
}

void TestPersonErase::otherCardsAndPagesStayByteIdentical()
{
    const QString registro = TSchedaAnagrafica::archivio(cartella());
    const QString gruppo = GroupFiles::path(cartella(), kGruppo);
    const QByteArray prima = TestFiles::readAll(registro);
    const QByteArray gruppoPrima = TestFiles::readAll(gruppo);
    QVERIFY(PersonErase(cartella(), {}).erase(kPosizione, true).done);

    const QByteArray dopo = TestFiles::readAll(registro);
    constexpr int n = TSchedaAnagrafica::kSize;
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.first(n), prima.first(n));
    QCOMPARE(dopo.mid(n, n), QByteArray(n, '\0'));
    QCOMPARE(dopo.mid(2 * n), prima.mid(2 * n));

    const QByteArray gruppoDopo = TestFiles::readAll(gruppo);
    constexpr int r = TSchedaGruppo::kRiquadroSize;
    QCOMPARE(gruppoDopo.size(), gruppoPrima.size());
    QByteArray atteso = gruppoPrima;
    atteso.replace(2 * r, r, QByteArray(r, '\0'));
    atteso.replace(TSchedaGruppo::kSize + 7 * r, r, QByteArray(r, '\0'));
    QCOMPARE(gruppoDopo, atteso);
}

void TestPersonErase::sharedAttachmentStays()
{
    QVERIFY(PersonErase(cartella(), {}).erase(kPosizione, false).done);
    QVERIFY(QFile::exists(cartella() + QStringLiteral("Documenti_Allegati/condiviso.txt")));
    QVERIFY(!QFile::exists(cartella() + QStringLiteral("Documenti_Allegati/carta_identit\u00E0.pdf")));
}

void TestPersonErase::logHoldsNoPersonalData()
{
    QVERIFY(PersonErase(cartella(), laterali()).erase(kPosizione, true).done);
    const QByteArray log = TestFiles::readAll(EraseLog::path(cartella()));
    const QList<QByteArray> righe = log.trimmed().split('\n');
    QCOMPARE(righe.size(), 5); // started, three steps, finished
    QVERIFY(righe.first().contains("| scheda 2 | iniziata | riquadri dei gruppi: s"));
    QVERIFY(righe.last().contains(QByteArray("| scheda 2 | terminata | file rimossi: ") +
                                  QByteArray::number(kFileRimossi + 1)));
    QVERIFY(
        QDateTime::fromString(QString::fromUtf8(righe.last().left(19)), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            .isValid());
    QVERIFY(trovati(cartella(), tracce()).isEmpty());
    const EraseLog::Erase voce = EraseLog(cartella()).read().constFirst();
    QVERIFY(voce.finished);
    QCOMPARE(voce.filesRemoved, kFileRimossi + 1);
    QCOMPARE(voce.position, kPosizione);
}

void TestPersonErase::killAfterStepIsFinishedAtNextStart_data()
{
    using S = PersonErase::Step;
    QTest::addColumn<int>("passo");
    QTest::newRow("after the start") << int(S::Started);
    QTest::newRow("after the group groupSlots") << int(S::Slots);
    QTest::newRow("after the files") << int(S::Files);
    QTest::newRow("after the side data") << int(S::SideData);
    QTest::newRow("after the record") << int(S::Record);
}

void TestPersonErase::killAfterStepIsFinishedAtNextStart()
{
    QFETCH(int, passo);
    {
        PersonErase erase(cartella(), laterali());
        erase.afterStep = [passo](PersonErase::Step step) {
            if (int(step) == passo)
                throw Ucciso();
        };
        QVERIFY_THROWS_EXCEPTION(Ucciso, erase.erase(kPosizione, true));
    }
    // The next start: the log shows the erase unfinished.
    const QList<EraseLog::Erase> pendenti = EraseLog(cartella()).unfinished();
    QCOMPARE(pendenti.size(), 1);
    QCOMPARE(pendenti.first().position, kPosizione);
    QVERIFY(pendenti.first().groupSlots);

    PersonErase erase(cartella(), laterali());
    const PersonErase::Result result = erase.finish(pendenti.first());
    QVERIFY2(result.done, qPrintable(result.failure));
    QCOMPARE(result.filesRemoved, kFileRimossi + 1);
    QVERIFY(EraseLog(cartella()).unfinished().isEmpty());
    QCOMPARE(trovati(cartella(), tracce()), QStringList{});
    QCOMPARE(TestFiles::readAll(TSchedaAnagrafica::archivio(cartella()))
                 .mid(TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize),
             PersonErase::emptyCard());
}

void TestPersonErase::realKillIsFinishedAtNextStart_data()
{
    using S = PersonErase::Step;
    QTest::addColumn<int>("passo");
    QTest::newRow("after the group slots") << int(S::Slots);
    QTest::newRow("after the record") << int(S::Record);
}

void TestPersonErase::realKillIsFinishedAtNextStart()
{
    QFETCH(int, passo);
    const QString fermo = cartella() + QStringLiteral("fermo.txt");
    QProcess worker;
    worker.start(QStringLiteral(ERASE_WORKER),
                 {cartella(), QString::number(kPosizione), QString::number(passo)});
    QVERIFY(worker.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fermo), 30000);
    worker.kill();
    QVERIFY(worker.waitForFinished());
    QVERIFY(QFile::remove(fermo));

    const QList<EraseLog::Erase> pendenti = EraseLog(cartella()).unfinished();
    QCOMPARE(pendenti.size(), 1);
    const PersonErase::Result result = PersonErase(cartella(), laterali()).finish(pendenti.first());
    QVERIFY2(result.done, qPrintable(result.failure));
    QCOMPARE(trovati(cartella(), tracce()), QStringList{});
    QVERIFY(EraseLog(cartella()).unfinished().isEmpty());
}

void TestPersonErase::damagedLogLinesAreSkipped()
{
    TestFiles::writeAll(
        EraseLog::path(cartella()),
        "rumore\r\n2026-01-01 10:00:00 | cancellazione zz | scheda 2 | iniziata\r\n"
        "2026-01-01 10:00:00 | cancellazione 0abc | scheda 3 | iniziata | riquadri dei gruppi: no\r\n"
        "2026-01-01 10:00:00 | cancellazione 0abc | scheda -1 | terminata");
    const QList<EraseLog::Erase> pendenti = EraseLog(cartella()).unfinished();
    QCOMPARE(pendenti.size(), 1);
    QCOMPARE(pendenti.first().id, QStringLiteral("0abc"));
    QCOMPARE(pendenti.first().position, 3);
    QVERIFY(!pendenti.first().groupSlots);
    // A new line goes after the old ones, which stay.
    EraseLog::Erase altra;
    altra.id = QStringLiteral("0abc");
    altra.position = 3;
    QVERIFY(EraseLog(cartella()).finished(altra, 0));
    QVERIFY(EraseLog(cartella()).unfinished().isEmpty());
    QVERIFY(TestFiles::readAll(EraseLog::path(cartella())).startsWith("rumore\r\n"));
}

void TestPersonErase::searchListsAndExportSkipTheErasedCard()
{
    QVERIFY(PersonErase(cartella(), {}).erase(kPosizione, false).done);
    const QString registro = TSchedaAnagrafica::archivio(cartella());

    const QStringList tutte = RicercaSchede::cerca(registro, RicercaSchede::Filtri());
    QCOMPARE(tutte.size(), 2);
    QVERIFY(tutte[0].startsWith(kAltroNome));
    QVERIFY(tutte[1].startsWith(QStringLiteral("Neri Carla")));
    // The erased card's empty flag is not "No", yet it is nobody to call back.
    QCOMPARE(RicercaSchede::daRicontattare(registro).size(), 2);

    RegistryTable table;
    QVERIFY(table.read(registro));
    QCOMPARE(table.cardCount(), 2);
    QCOMPARE(table.position(0), 1);
    QCOMPARE(table.position(1), 3); // the export table names each row's own card
    QBuffer file;
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(RegistryExport::write(file, table));
    QCOMPARE(file.data().count("<tr"), 3); // the headers and two cards
}

void TestPersonErase::laterSaveOfTheOldCardIsAsked()
{
    // Another workstation loaded card 2 before the erase.
    const QString registro = TSchedaAnagrafica::archivio(cartella());
    const QByteArray caricata =
        TestFiles::readAll(registro).mid(TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize);
    QVERIFY(PersonErase(cartella(), {}).erase(kPosizione, false).done);

    TSchedaAnagrafica modificata;
    modificata.buffer() = caricata;
    modificata.setTesto(TSchedaAnagrafica::Note, QStringLiteral("cambiata"));
    const ArchiveSteps::Salvataggio salvataggio =
        ArchiveSteps::salva(registro, QStringLiteral("2"), modificata.buffer(), caricata);
    QCOMPARE(salvataggio.conflitto, ArchiveSteps::Conflitto::Cambiata);
    QVERIFY(TSchedaAnagrafica::vuota(salvataggio.attuale));
    QCOMPARE(TestFiles::readAll(registro).mid(TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize),
             PersonErase::emptyCard());
}

void TestPersonErase::consentsJoinTheExportAndTheErase()
{
    // The program's own side data: the consents of the card go into the zip and go with the erase;
    // the other card's stay.
    Consent consenso;
    consenso.position = kPosizione;
    consenso.processingDate = QDate(2026, 9, 1);
    consenso.givenBy = Consent::GivenBy::Guardian;
    consenso.guardians = QStringLiteral("Madre di ") + kNome;
    consenso.photos = Consent::Photos::No;
    consenso.note = kCodice;
    QCOMPARE(ConsentStore::save(cartella(), consenso, nullptr), ConsentStore::Outcome::Saved);
    Consent altro;
    altro.position = 1;
    altro.processingDate = QDate(2026, 9, 2);
    altro.note = QStringLiteral("nota dell'altra persona");
    QCOMPARE(ConsentStore::save(cartella(), altro, nullptr), ConsentStore::Outcome::Saved);

    const PersonInventory inventory = PersonInventory::read(cartella(), kPosizione, personSideData());
    QTemporaryDir fuori;
    const QString zip = fuori.filePath(QStringLiteral("dati.zip"));
    QCOMPARE(PersonExport::save(zip, PersonExport::entries(cartella(), inventory, personSideData())),
             PersonExport::Outcome::Written);
    const QByteArray csv = leggiZip(zip).value(QStringLiteral("Consensi.csv"));
    QVERIFY(csv.contains(kCodice.toUtf8()));
    QVERIFY(!csv.contains("altra persona"));

    QVERIFY(PersonErase(cartella(), personSideData()).erase(kPosizione, true).done);
    QVERIFY(!ConsentStore::read(cartella(), kPosizione));
    QCOMPARE(ConsentStore::read(cartella(), 1), std::optional<Consent>(altro));
    const QByteArray file = TestFiles::readAll(ConsentStore::path(cartella()));
    for (const QString& traccia : {kNome, kCodice})
        for (const QByteArray& forma : forme(traccia))
            QVERIFY(!file.toLower().contains(forma));
}

void TestPersonErase::reportCountsTheFilesThatWent()
{
    // The program's own side data: an entry in the consents file (which stays) and the copy of that
    // file a save stopped on a share left beside it, with the person's name and codice fiscale.
    Consent consenso;
    consenso.position = kPosizione;
    consenso.guardians = QStringLiteral("Madre di ") + kNome;
    consenso.note = kCodice;
    QCOMPARE(ConsentStore::save(cartella(), consenso, nullptr), ConsentStore::Outcome::Saved);
    const QString copia = ConsentStore::path(cartella()) + QStringLiteral(".hJkLmN");
    QVERIFY(QFile::copy(ConsentStore::path(cartella()), copia));
    QVERIFY(QFile::remove(FileLaterale::path(cartella(), kPosizione)));

    // The erase's preview names both.
    QCOMPARE(PersonInventory::read(cartella(), kPosizione, personSideData()).sideData.size(), 2);

    const QSet<QString> prima = elenco(cartella());
    PersonErase erase(cartella(), personSideData());
    const PersonErase::Result result = erase.erase(kPosizione, true);
    QVERIFY2(result.done, qPrintable(result.failure));
    const QSet<QString> andati = prima - elenco(cartella());
    QVERIFY(andati.contains(QDir(cartella()).relativeFilePath(copia)));
    QVERIFY(!andati.contains(ConsentStore::fileName()));
    QCOMPARE(result.filesRemoved, int(andati.size()));
    QCOMPARE(result.filesRemoved, kFileRimossi + 1);
    QCOMPARE(EraseLog(cartella()).read().constFirst().filesRemoved, result.filesRemoved);
    QCOMPARE(trovati(cartella(), tracce()), QStringList{});
}

QTEST_MAIN(TestPersonErase)
#include "tst_person_erase.moc"
