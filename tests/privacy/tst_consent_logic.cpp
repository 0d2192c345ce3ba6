#include "support/TestFiles.h"

#include "privacy/ConsentFile.h"
#include "privacy/ConsentFormDocument.h"
#include "privacy/ConsentFormText.h"
#include "privacy/ConsentSettings.h"
#include "privacy/ConsentStore.h"
#include "privacy/PhotoRefusals.h"
#include "storage/Cp1252.h"

#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

Consent esempio(int position)
{
    Consent consent;
    consent.position = position;
    consent.processingDate = QDate(2026, 3, 14);
    consent.givenBy = Consent::GivenBy::Guardian;
    consent.guardians = QStringLiteral("Rossi Paolo e Verdi Anna");
    consent.photos = Consent::Photos::InternalOnly;
    consent.note = QStringLiteral("Modulo firmato\tin segreteria\nil giorno dopo \\ citt\u00E0");
    return consent;
}

const QByteArray kVersione = QByteArrayLiteral("Folvara consensi 1\n");

} // namespace

class TestConsentLogic : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTripKeepsEveryField();
    void savingOneCardKeepsTheOthers();
    void tolerantReading_data();
    void tolerantReading();
    void warningIsGivenOnce();
    void removeDropsOnlyThatCard();
    void removeTakesTheLeftoversAlong();
    void lineEndsStayAsTheFileHasThem_data();
    void lineEndsStayAsTheFileHasThem();
    void hugeNoteIsCutAndKeptInTheFile_data();
    void hugeNoteIsCutAndKeptInTheFile();
    void changeByAnotherWorkstationIsCaught();
    void unreadableFileIsNeverOverwritten();
    void personCsvHoldsTheConsents();
    void associationSettingKeepsOtherLines();
    void formTextIsCreatedAndFilled();
    void formTextInTheWindowsCodePageIsRead();
    void refusedPhotosMatchSlotsByName_data();
    void refusedPhotosMatchSlotsByName();
    void longParagraphsWrapToTheSheet();

private:
    QString folder() const { return m_dir->path() + QLatin1Char('/'); }
    QString file() const { return ConsentStore::path(folder()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConsentLogic::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestConsentLogic::roundTripKeepsEveryField()
{
    const Consent consent = esempio(12);
    QString reason;
    QCOMPARE(ConsentStore::save(folder(), consent, nullptr, &reason), ConsentStore::Outcome::Saved);
    const ConsentBook book = ConsentStore::read(folder());
    QCOMPARE(book.problem(), ConsentBook::Problem::None);
    QCOMPARE(book.find(12), std::optional<Consent>(consent));
    QCOMPARE(ConsentStore::read(folder(), 12), std::optional<Consent>(consent));
    QVERIFY(book.hasProcessingConsent(12));
    QVERIFY(!book.hasProcessingConsent(11));
    QVERIFY(!book.find(11));
    // One line per card, the tab and the line break of the note escaped.
    const QList<QByteArray> lines = TestFiles::readAll(file()).split('\n');
    QCOMPARE(lines.first(), QByteArrayLiteral("Folvara consensi 1"));
    QCOMPARE(
        std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("12\t"); }),
        1);
    QVERIFY(TestFiles::readAll(file()).contains("citt\xC3\xA0"));
}

void TestConsentLogic::savingOneCardKeepsTheOthers()
{
    for (int position : {3, 7, 9})
        QCOMPARE(ConsentStore::save(folder(), esempio(position), nullptr), ConsentStore::Outcome::Saved);
    Consent nuovo = esempio(7);
    nuovo.photos = Consent::Photos::No;
    nuovo.processingDate = QDate();
    const std::optional<Consent> letto = esempio(7);
    QCOMPARE(ConsentStore::save(folder(), nuovo, &letto), ConsentStore::Outcome::Saved);
    const ConsentBook book = ConsentStore::read(folder());
    QCOMPARE(book.entries().size(), size_t(3));
    QCOMPARE(book.find(3), std::optional(esempio(3)));
    QCOMPARE(book.find(9), std::optional(esempio(9)));
    QCOMPARE(book.find(7), std::optional(nuovo));
    QVERIFY(!book.hasProcessingConsent(7));
}

void TestConsentLogic::tolerantReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<int>("photosOf5");

    const QByteArray buona = ConsentBook::line(esempio(5)) + '\n';
    QTest::newRow("no version line") << QByteArray(buona) << int(ConsentBook::Problem::Damaged)
                                     << QList<int>{5} << int(Consent::Photos::InternalOnly);
    QTest::newRow("unreadable line") << kVersione + "riga senza senso\n" + buona
                                     << int(ConsentBook::Problem::Damaged) << QList<int>{5}
                                     << int(Consent::Photos::InternalOnly);
    QTest::newRow("bad date and code")
        << kVersione + "8\t2026-13-45\tqualcuno\t\tforse\tnota\n" + buona
        << int(ConsentBook::Problem::Damaged) << QList<int>{5, 8} << int(Consent::Photos::InternalOnly);
    QTest::newRow("not UTF-8") << kVersione + "8\t\tpersona\t\tno\tcaff\xE8\n" + buona
                               << int(ConsentBook::Problem::Damaged) << QList<int>{5, 8}
                               << int(Consent::Photos::InternalOnly);
    QTest::newRow("cut short") << kVersione + buona + "9\t2026-01-0" << int(ConsentBook::Problem::Damaged)
                               << QList<int>{5, 9} << int(Consent::Photos::InternalOnly);
    QTest::newRow("same card twice") << kVersione + buona + "5\t\tpersona\t\tno\t\n"
                                     << int(ConsentBook::Problem::Damaged) << QList<int>{5}
                                     << int(Consent::Photos::No);
    QTest::newRow("newer version")
        << QByteArray("Folvara consensi 4\n5\t2026-03-14\ttutore\tX\tinterno\tnota\tnuovo\n")
        << int(ConsentBook::Problem::Newer) << QList<int>{5} << int(Consent::Photos::InternalOnly);
    QTest::newRow("Windows line ends")
        << QByteArray(kVersione + buona).replace("\n", "\r\n") << int(ConsentBook::Problem::None)
        << QList<int>{5} << int(Consent::Photos::InternalOnly);
}

void TestConsentLogic::tolerantReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, problem);
    QFETCH(QList<int>, positions);
    QFETCH(int, photosOf5);
    TestFiles::writeAll(file(), bytes);

    const ConsentBook book = ConsentStore::read(folder());
    QCOMPARE(int(book.problem()), problem);
    QList<int> read;
    for (const auto& [position, consent] : book.entries())
        read << position;
    QCOMPARE(read, positions);
    QCOMPARE(int(book.find(5)->photos), photosOf5);
    QCOMPARE(book.problemText(ConsentStore::fileName()).isEmpty(),
             problem == int(ConsentBook::Problem::None));

    // Writing another card keeps every line of the file as it was; a newer file is not written.
    const ConsentStore::Outcome outcome = ConsentStore::save(folder(), esempio(40), nullptr);
    const QByteArray after = TestFiles::readAll(file());
    if (problem == int(ConsentBook::Problem::Newer)) {
        QCOMPARE(outcome, ConsentStore::Outcome::Newer);
        QCOMPARE(after, bytes);
        return;
    }
    QCOMPARE(outcome, ConsentStore::Outcome::Saved);
    for (QByteArray line : bytes.split('\n')) {
        line.replace("\r", "");
        if (!line.isEmpty())
            QVERIFY2(QByteArray(after).replace("\r\n", "\n").contains(line + '\n'), line.constData());
    }
    QCOMPARE(after.contains("\r\n"), bytes.contains("\r\n"));
    QCOMPARE(ConsentStore::read(folder()).find(40), std::optional(esempio(40)));
}

void TestConsentLogic::warningIsGivenOnce()
{
    TestFiles::writeAll(file(), kVersione + "rotta\n" + ConsentBook::line(esempio(2)) + '\n');
    const ConsentBook book = ConsentStore::read(folder());
    const QString first = ConsentStore::warningOnce(book);
    QVERIFY(first.startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(first.contains(ConsentStore::fileName()));
    QVERIFY(ConsentStore::warningOnce(ConsentStore::read(folder())).isEmpty());
    QVERIFY(ConsentStore::warningOnce(ConsentBook::parse(kVersione)).isEmpty());
}

void TestConsentLogic::removeDropsOnlyThatCard()
{
    const QByteArray altra = "77\t2026-01-01\tpersona\t\tsi\tscritta a mano\tcolonna in pi\xC3\xB9\n";
    TestFiles::writeAll(file(), kVersione + ConsentBook::line(esempio(4)) + '\n' + altra + "# commento\n" +
                                    ConsentBook::line(esempio(4)) + "\n");
    QString reason;
    QVERIFY(ConsentStore::remove(folder(), 4, &reason));
    const QByteArray after = TestFiles::readAll(file());
    QCOMPARE(after, kVersione + altra + "# commento\n");
    QVERIFY(!after.contains("Rossi Paolo"));

    // A card without an entry leaves the file alone; a missing file is not created.
    QVERIFY(ConsentStore::remove(folder(), 5));
    QCOMPARE(TestFiles::readAll(file()), after);
    QVERIFY(QFile::remove(file()));
    QFile::remove(QDir(folder()).filePath(QStringLiteral("Archivio_Anagrafico.fvd")));
    QVERIFY(ConsentStore::remove(folder(), 5));
    QVERIFY(!QFile::exists(file()));
    QVERIFY(!QFile::exists(QDir(folder()).filePath(QStringLiteral("Archivio_Anagrafico.fvd"))));

    // A file of a newer version still loses the card's line, and keeps everything else.
    const QByteArray nuovo = "Folvara consensi 3\n4\t\tpersona\tNome\tno\t\tx\n9\t\tpersona\t\tno\t\ty\n";
    TestFiles::writeAll(file(), nuovo);
    QVERIFY(ConsentStore::remove(folder(), 4));
    QCOMPARE(TestFiles::readAll(file()), QByteArray("Folvara consensi 3\n9\t\tpersona\t\tno\t\ty\n"));
}

void TestConsentLogic::removeTakesTheLeftoversAlong()
{
    // A save stopped midway on a share leaves a copy of the file beside it, with the card's entry.
    const QByteArray altra = ConsentBook::line(esempio(9)) + '\n';
    TestFiles::writeAll(file(), kVersione + ConsentBook::line(esempio(4)) + '\n' + altra);
    const QStringList copie = {file() + QStringLiteral(".qWeRty"), file() + QStringLiteral(".Ab12Cd")};
    for (const QString& copia : copie)
        TestFiles::writeAll(copia, kVersione + ConsentBook::line(esempio(4)));
    // Names that are not the program's temporary files stay, whatever they hold.
    const QStringList altri = {file() + QStringLiteral(".bak"), file() + QStringLiteral(".copia12"),
                               file() + QStringLiteral(".ab-cde"),
                               folder() + QStringLiteral("Altro.txt.qWeRty")};
    for (const QString& nome : altri)
        TestFiles::writeAll(nome, ConsentBook::line(esempio(4)));

    QString reason;
    int rimossi = -1;
    QVERIFY2(ConsentStore::remove(folder(), 4, &reason, &rimossi), qPrintable(reason));
    QCOMPARE(rimossi, 2);
    QCOMPARE(TestFiles::readAll(file()), kVersione + altra);
    for (const QString& copia : copie)
        QVERIFY(!QFile::exists(copia));
    for (const QString& nome : altri)
        QVERIFY2(QFile::exists(nome), qPrintable(nome));

    // Without the file itself (its first save was stopped), the copies go all the same.
    QVERIFY(QFile::remove(file()));
    TestFiles::writeAll(copie.first(), kVersione + ConsentBook::line(esempio(4)));
    QVERIFY(ConsentStore::remove(folder(), 4, &reason, &rimossi));
    QCOMPARE(rimossi, 1);
    QVERIFY(!QFile::exists(copie.first()));
    QVERIFY(!QFile::exists(file()));
}

void TestConsentLogic::lineEndsStayAsTheFileHasThem_data()
{
    QTest::addColumn<QByteArray>("fine");
    QTest::addColumn<QByteArray>("segno");
    QTest::newRow("LF") << QByteArray("\n") << QByteArray();
    QTest::newRow("CR LF") << QByteArray("\r\n") << QByteArray();
    QTest::newRow("CR LF with byte order mark") << QByteArray("\r\n") << QByteArray("\xEF\xBB\xBF");
}

void TestConsentLogic::lineEndsStayAsTheFileHasThem()
{
    QFETCH(QByteArray, fine);
    QFETCH(QByteArray, segno);
    const auto contenuto = [&](const QList<QByteArray>& lines) {
        QByteArray bytes = segno;
        for (const QByteArray& line : lines)
            bytes += line + fine;
        return bytes;
    };
    QList<QByteArray> righe = {"Folvara consensi 1",
                               "# scritto a mano",
                               ConsentBook::line(esempio(3)),
                               ConsentBook::line(esempio(5)),
                               "",
                               ConsentBook::line(esempio(8))};
    TestFiles::writeAll(file(), contenuto(righe));

    // One card changed: that line alone differs, byte for byte.
    Consent cambiato = esempio(5);
    cambiato.photos = Consent::Photos::No;
    QCOMPARE(ConsentStore::save(folder(), cambiato, nullptr), ConsentStore::Outcome::Saved);
    righe[3] = ConsentBook::line(cambiato);
    QCOMPARE(TestFiles::readAll(file()), contenuto(righe));

    // A new card's line ends as the others do; a removed one leaves the rest as it was.
    QCOMPARE(ConsentStore::save(folder(), esempio(40), nullptr), ConsentStore::Outcome::Saved);
    righe << ConsentBook::line(esempio(40));
    QCOMPARE(TestFiles::readAll(file()), contenuto(righe));
    QVERIFY(ConsentStore::remove(folder(), 3));
    righe.removeAt(2);
    QCOMPARE(TestFiles::readAll(file()), contenuto(righe));
}

void TestConsentLogic::hugeNoteIsCutAndKeptInTheFile_data()
{
    QTest::addColumn<QString>("unita");
    QTest::newRow("letters and escapes") << QStringLiteral("nota\tlunga \\ riga\n");
    QTest::newRow("one long word") << QStringLiteral("x");
    // Four bytes a character in UTF-8, two halves in a QString: the cut never splits one.
    QTest::newRow("characters beyond the basic plane") << QStringLiteral("\U0001F600");
}

void TestConsentLogic::hugeNoteIsCutAndKeptInTheFile()
{
    QFETCH(QString, unita);
    Consent grande = esempio(2);
    grande.note += unita.repeated(1024 * 1024 / unita.toUtf8().size() + 1);
    grande.guardians = QStringLiteral("Rossi ").repeated(20000);
    const QByteArray rigaGrande = ConsentBook::line(grande) + '\n';
    const QByteArray prima = kVersione + rigaGrande + ConsentBook::line(esempio(3)) + '\n';
    TestFiles::writeAll(file(), prima);

    const ConsentBook book = ConsentStore::read(folder());
    QCOMPARE(book.problem(), ConsentBook::Problem::None);
    QVERIFY(book.isCut(2));
    QVERIFY(!book.isCut(3));
    const Consent letto = *book.find(2);
    QVERIFY(letto.note.size() <= ConsentBook::kMaxNote);
    QVERIFY(letto.note.size() > ConsentBook::kMaxNote - 8);
    QVERIFY(grande.note.startsWith(letto.note));
    QVERIFY(!letto.note.back().isHighSurrogate());
    QVERIFY(letto.guardians.size() <= ConsentBook::kMaxGuardians);
    QVERIFY(grande.guardians.startsWith(letto.guardians));
    QCOMPARE(letto.photos, grande.photos);
    QCOMPARE(book.find(3), std::optional(esempio(3)));

    // The person's own copy of their data holds the note whole.
    QCOMPARE(ConsentStore::personCsv(folder(), 2), consentCsv(2, grande));

    // Another card's save keeps the long line byte for byte.
    Consent altro = esempio(3);
    altro.note = QStringLiteral("cambiata");
    QCOMPARE(ConsentStore::save(folder(), altro, nullptr), ConsentStore::Outcome::Saved);
    QCOMPARE(TestFiles::readAll(file()), kVersione + rigaGrande + ConsentBook::line(altro) + '\n');

    // The card's own save writes what was shown: the texts cut.
    const std::optional<Consent> comeLetto = letto;
    Consent mio = letto;
    mio.photos = Consent::Photos::Yes;
    QCOMPARE(ConsentStore::save(folder(), mio, &comeLetto), ConsentStore::Outcome::Saved);
    const ConsentBook dopo = ConsentStore::read(folder());
    QVERIFY(!dopo.isCut(2));
    QCOMPARE(dopo.find(2), std::optional(mio));
    QVERIFY(TestFiles::readAll(file()).size() <
            3 * ConsentBook::kMaxNote + 3 * ConsentBook::kMaxGuardians + 500);
}

void TestConsentLogic::changeByAnotherWorkstationIsCaught()
{
    QCOMPARE(ConsentStore::save(folder(), esempio(6), nullptr), ConsentStore::Outcome::Saved);
    const QByteArray before = TestFiles::readAll(file());
    Consent mio = esempio(6);
    mio.note = QStringLiteral("mia");
    std::optional<Consent> current;
    // This screen read no entry; the other workstation wrote one meanwhile.
    const std::optional<Consent> nessuno;
    QCOMPARE(ConsentStore::save(folder(), mio, &nessuno, nullptr, &current), ConsentStore::Outcome::Changed);
    QCOMPARE(current, std::optional(esempio(6)));
    QCOMPARE(TestFiles::readAll(file()), before);
}

void TestConsentLogic::unreadableFileIsNeverOverwritten()
{
    QVERIFY(QDir(folder()).mkdir(ConsentStore::fileName())); // a folder where the file should be
    const ConsentBook book = ConsentStore::read(folder());
    QCOMPARE(book.problem(), ConsentBook::Problem::Unreadable);
    QString reason;
    QCOMPARE(ConsentStore::save(folder(), esempio(1), nullptr, &reason), ConsentStore::Outcome::Failed);
    QVERIFY(!reason.isEmpty());
    QVERIFY(!ConsentStore::remove(folder(), 1, &reason));
    QVERIFY(QFileInfo(file()).isDir());
}

void TestConsentLogic::personCsvHoldsTheConsents()
{
    QCOMPARE(ConsentStore::save(folder(), esempio(3), nullptr), ConsentStore::Outcome::Saved);
    QCOMPARE(ConsentStore::save(folder(), esempio(4), nullptr), ConsentStore::Outcome::Saved);
    const QString csv = QString::fromUtf8(ConsentStore::personCsv(folder(), 3));
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).contains(QStringLiteral("\"Consenso alle foto\"")));
    QVERIFY(
        lines.at(1).startsWith(QStringLiteral("\"3\";\"s\u00EC\";\"14/03/2026\";\"un genitore o tutore\"")));
    QVERIFY(lines.at(1).contains(QStringLiteral("\"solo uso interno\"")));
    QVERIFY(!csv.contains(QStringLiteral("\"4\"")));
    const QString vuoto = QString::fromUtf8(ConsentStore::personCsv(folder(), 8));
    QVERIFY(vuoto.contains(QStringLiteral("\"8\";\"non registrato\"")));
}

void TestConsentLogic::associationSettingKeepsOtherLines()
{
    const QString ini = QDir(folder()).filePath(ConsentSettings::fileName());
    QCOMPARE(ConsentSettings::association(folder()), QString());
    TestFiles::writeAll(ini, "[Altro]\nChiave=1\n");
    QVERIFY(ConsentSettings::setAssociation(folder(), QStringLiteral("  Coro \u00ABLa Gioia\u00BB ")));
    QCOMPARE(ConsentSettings::association(folder()), QStringLiteral("Coro \u00ABLa Gioia\u00BB"));
    QVERIFY(ConsentSettings::setAssociation(folder(), QStringLiteral("Polisportiva Aurora")));
    QCOMPARE(ConsentSettings::association(folder()), QStringLiteral("Polisportiva Aurora"));
    const QByteArray bytes = TestFiles::readAll(ini);
    QVERIFY(bytes.contains("Chiave=1"));
    QCOMPARE(bytes.count("Associazione="), 1);
}

void TestConsentLogic::formTextIsCreatedAndFilled()
{
    const QString path = QDir(folder()).filePath(ConsentFormText::fileName());
    QVERIFY(!QFile::exists(path));
    const QString text = ConsentFormText::load(folder());
    QCOMPARE(text, ConsentFormText::defaultText());
    QCOMPARE(QString::fromUtf8(TestFiles::readAll(path)), ConsentFormText::defaultText());

    // The association's own wording is used as it stands.
    TestFiles::writeAll(path, "\xEF\xBB\xBFTitolo\n{nome} ({codice_fiscale}), nato il {data_nascita}.\r\n"
                              "Per {associazione}.\n\n");
    const QStringList lines = ConsentFormText::fill(
        ConsentFormText::load(folder()), {QStringLiteral("Rossi Mario"), QString(), QStringLiteral("Roma"),
                                          QStringLiteral("RSSMRA80C12H501U"), QStringLiteral("Coro Aurora")});
    QCOMPARE(lines, (QStringList{QStringLiteral("Titolo"),
                                 QStringLiteral("Rossi Mario (RSSMRA80C12H501U), nato il "
                                                "______________________________."),
                                 QStringLiteral("Per Coro Aurora.")}));
}

void TestConsentLogic::formTextInTheWindowsCodePageIsRead()
{
    TestFiles::writeAll(QDir(folder()).filePath(ConsentFormText::fileName()), "Attivit\xE0 e citt\xE0\n");
    QCOMPARE(ConsentFormText::load(folder()), QStringLiteral("Attivit\u00E0 e citt\u00E0\n"));
}

void TestConsentLogic::refusedPhotosMatchSlotsByName_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("withheld");
    QTest::newRow("same name") << QStringLiteral("Rossi Mario") << true;
    QTest::newRow("letter case and blanks") << QStringLiteral("  ROSSI   mario ") << true;
    QTest::newRow("the other Rossi") << QStringLiteral("Rossi Maria") << false;
    QTest::newRow("card that allows") << QStringLiteral("Bianchi Luca") << false;
    QTest::newRow("empty slot") << QString() << false;
}

void TestConsentLogic::refusedPhotosMatchSlotsByName()
{
    QFETCH(QString, slot);
    QFETCH(bool, withheld);
    Consent no = esempio(1);
    no.photos = Consent::Photos::No;
    Consent si = esempio(2);
    si.photos = Consent::Photos::Yes;
    const ConsentBook book =
        ConsentBook::parse(kVersione + ConsentBook::line(no) + '\n' + ConsentBook::line(si) + '\n');
    const PhotoRefusals refusals =
        PhotoRefusals::from(book, {{1, QStringLiteral("Rossi Mario")}, {2, QStringLiteral("Bianchi Luca")}});
    QCOMPARE(refusals.byName(slot), withheld);
    QVERIFY(refusals.byPosition(1));
    QVERIFY(!refusals.byPosition(2));
}

void TestConsentLogic::longParagraphsWrapToTheSheet()
{
    const QFont font = Report::font(QStringLiteral("Arial"), 10.5);
    const QString paragraph =
        QString(QStringLiteral("parola ")).repeated(120) + QString(300, QLatin1Char('x'));
    const QStringList lines = ConsentFormDocument::wrap(paragraph, font, 190);
    QVERIFY(lines.size() > 4);
    const QFontMetricsF metrics(Report::exactFont(font));
    for (const QString& line : lines)
        QVERIFY(metrics.horizontalAdvance(line) <= 190 * 288 / 25.4);
    QCOMPARE(lines.join(QString()).count(QLatin1Char('x')), 300);

    // A text longer than a sheet goes on over a second page.
    QStringList form{QStringLiteral("Titolo")};
    for (int i = 0; i < 80; ++i)
        form << QStringLiteral("Riga %1").arg(i);
    QCOMPARE(ConsentFormDocument(form).pageCount(), 2);
    QCOMPARE(ConsentFormDocument(ConsentFormText::fill(ConsentFormText::defaultText(), {})).pageCount(), 1);
}

QTEST_MAIN(TestConsentLogic)
#include "tst_consent_logic.moc"
