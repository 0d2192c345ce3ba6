#include "DeepFolder.h"
#include "access/AccessCheck.h"
#include "access/Crypt.h"
#include "access/PasswordError.h"
#include "access/PasswordStore.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBenvenuto = QStringLiteral("67061BBC3165327409");

using TestFiles::readAll;
using TestFiles::writeAll;

QString allByteValues()
{
    QString text;
    for (char16_t c = 1; c <= 255; ++c)
        text.append(QChar(c));
    return text;
}

} // namespace

Q_DECLARE_METATYPE(PasswordError::Step)
Q_DECLARE_METATYPE(AccessCheck::Operation)

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void init();

    void scrambleGivesFixedDigits_data();
    void scrambleGivesFixedDigits();
    void scrambleKeepsOnlyTheLowByte();
    void unscrambleRefusesNonHexadecimalPairs_data();
    void unscrambleRefusesNonHexadecimalPairs();
    void unscrambleIgnoresAnOddLastDigit_data();
    void unscrambleIgnoresAnOddLastDigit();

    void storeReadsTheValueOfAccesso_data();
    void storeReadsTheValueOfAccesso();
    void storeReadsWhatAnEditorSaved_data();
    void storeReadsWhatAnEditorSaved();
    void storeReadsAMissingFileAsEmpty();
    void storeReportsAnUnreadableFile();
    void storeWritesANewFile();
    void storeKeepsEveryOtherLine_data();
    void storeKeepsEveryOtherLine();
    void failedWriteLeavesTheOldFileWhole();

    void loginComparesFoldingOnlyAToZ_data();
    void loginComparesFoldingOnlyAToZ();
    void loginReportsANonHexadecimalValue();
    void changeChecksInOrder_data();
    void changeChecksInOrder();
    void changeStoresTheNormalisedPassword_data();
    void changeStoresTheNormalisedPassword();
    void changeRefusesUnstorablePasswords_data();
    void changeRefusesUnstorablePasswords();

    void installationWritesOnlyAMissingFile();
    void installationProgram();

    void failuresSayStepReasonAndWayOut();
    void failureMessages_data();
    void failureMessages();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QString file() const { return m_folder + QStringLiteral("unins000.dll"); }
    void storePassword(const QString& plain) { PasswordStore(m_folder).writeValue(CodificaPassword(plain)); }
};

void TestAccess::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = QDir(m_dir->path()).absolutePath() + QLatin1Char('/');
}

void TestAccess::scrambleGivesFixedDigits_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("digits");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one capital") << QStringLiteral("A") << QStringLiteral("64");
    QTest::newRow("one small letter") << QStringLiteral("a") << QStringLiteral("44");
    QTest::newRow("blank") << QStringLiteral(" ") << QStringLiteral("05");
    QTest::newRow("byte 255") << QStringLiteral("\u00FF") << QStringLiteral("DA");
    QTest::newRow("first access") << QStringLiteral("BENVENUTO") << kBenvenuto;
    QTest::newRow("accented capitals")
        << QStringLiteral("\u00C0\u00C8\u00CC\u00D2\u00D9") << QStringLiteral("E5F2363C5A");
    QTest::newRow("word with accent") << QStringLiteral("CITT\u00C0") << QStringLiteral("66E95D369A");
    QTest::newRow("bytes 1 to 255") << allByteValues()
                                    << QStringLiteral("24BF59E3450EEB2464C234C35A96E374582ED12335908D5807106E"
                                                      "4DBB28A018108F2DED7A91B51CEE4049E17508ECF4FC53A3"
                                                      "BE26D4AF895C8D0D870AAFBF7B66672D4FE19134DD3183D4EF9854"
                                                      "80BC56CE111D3D7D932E00007D296555DFB066704618A3FDAF"
                                                      "EBA9DAFF28F1728DDA6A42A86307D8C6E7A95222665B34541C9C77"
                                                      "A3E5F4A9C5B9E6CB0E13ECE742B081EA79478BEACB8ED1CD41"
                                                      "F112195709FB152E23156D7237593B15F621E98206FBE15F6D322E"
                                                      "2B4FB43482A2045475809613FE8CEA47C012AF3FE174D9839D"
                                                      "759A89407EA6DA20A84B100AC039CCF91200DCB36676E9446DA7BA"
                                                      "2DA9E42687587B82FE1BD453F267D337EA09A2605D");
}

void TestAccess::scrambleGivesFixedDigits()
{
    QFETCH(QString, plain);
    QFETCH(QString, digits);
    QCOMPARE(CodificaPassword(plain), digits);
    QCOMPARE(DecodificaPassword(digits), plain);
    // Digits of either case read alike.
    QCOMPARE(DecodificaPassword(digits.toLower()), plain);
}

void TestAccess::scrambleKeepsOnlyTheLowByte()
{
    // The euro sign (U+20AC) is scrambled as U+00AC: such a password could never be matched.
    QCOMPARE(CodificaPassword(QStringLiteral("\u20AC")), CodificaPassword(QStringLiteral("\u00AC")));
}

void TestAccess::unscrambleRefusesNonHexadecimalPairs_data()
{
    QTest::addColumn<QString>("digits");
    QTest::newRow("letter beyond F") << QStringLiteral("67061BBC31653274G9");
    QTest::newRow("blank inside") << QStringLiteral("6706 1BBC");
    QTest::newRow("leading blank") << QStringLiteral(" 67061B");
    QTest::newRow("plus sign") << QStringLiteral("+7");
    QTest::newRow("minus sign") << QStringLiteral("-7");
    QTest::newRow("hex prefix") << QStringLiteral("0x67");
    QTest::newRow("bad last pair") << kBenvenuto.left(16) + QStringLiteral("0Z");
}

void TestAccess::unscrambleRefusesNonHexadecimalPairs()
{
    QFETCH(QString, digits);
    QVERIFY_THROWS_EXCEPTION(PasswordError, DecodificaPassword(digits));
}

void TestAccess::unscrambleIgnoresAnOddLastDigit_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("plain");
    QTest::newRow("single digit") << QStringLiteral("6") << QString();
    QTest::newRow("single non-digit") << QStringLiteral("Z") << QString();
    QTest::newRow("one pair and a digit") << QStringLiteral("670") << QStringLiteral("B");
    QTest::newRow("first access and a digit")
        << kBenvenuto + QStringLiteral("F") << QStringLiteral("BENVENUTO");
    QTest::newRow("first access and a sign")
        << kBenvenuto + QStringLiteral("-") << QStringLiteral("BENVENUTO");
}

void TestAccess::unscrambleIgnoresAnOddLastDigit()
{
    QFETCH(QString, digits);
    QFETCH(QString, plain);
    QCOMPARE(DecodificaPassword(digits), plain);
}

void TestAccess::storeReadsTheValueOfAccesso_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("value");
    QTest::newRow("usual") << QByteArray("[Accesso]\r\nValore=67061B\r\n") << QStringLiteral("67061B");
    QTest::newRow("other case, blanks")
        << QByteArray("[ accesso ]\n  VALORE = 67061B \n") << QStringLiteral("67061B");
    QTest::newRow("no line end") << QByteArray("[Accesso]\nValore=AB") << QStringLiteral("AB");
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Accesso]\nValore=AB\n")
                                     << QStringLiteral("AB");
    QTest::newRow("other sections around")
        << QByteArray("[Altro]\nValore=11\n; nota\n[Accesso]\nAltro=22\nValore=33\n[Fine]\nValore=44\n")
        << QStringLiteral("33");
    QTest::newRow("first key wins") << QByteArray("[Accesso]\nValore=11\nValore=22\n")
                                    << QStringLiteral("11");
    QTest::newRow("commented key") << QByteArray("[Accesso]\n;Valore=11\n") << QString();
    QTest::newRow("key in another section") << QByteArray("[Altro]\nValore=11\n") << QString();
    QTest::newRow("no key") << QByteArray("[Accesso]\nAltro=11\n") << QString();
    QTest::newRow("empty value") << QByteArray("[Accesso]\nValore=\n") << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TestAccess::storeReadsTheValueOfAccesso()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, value);
    writeAll(file(), ini);
    QCOMPARE(PasswordStore(m_folder).readValue(), value);
}

void TestAccess::storeReadsWhatAnEditorSaved_data()
{
    QTest::addColumn<QByteArray>("saved");
    const QString text =
        QStringLiteral("; Modificato a mano \u00e8\r\n[Accesso]\r\nValore=67061BBC3165327409\r\n");
    const auto utf16 = [&](bool littleEndian, bool mark) {
        QByteArray bytes;
        if (mark)
            bytes = littleEndian ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
        for (const QChar c : text) {
            const char low = char(c.unicode() & 0xFF);
            const char high = char(c.unicode() >> 8);
            bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
        }
        return bytes;
    };
    QTest::newRow("UTF-16 LE with mark") << utf16(true, true);
    QTest::newRow("UTF-16 BE with mark") << utf16(false, true);
    QTest::newRow("UTF-16 LE without mark") << utf16(true, false);
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

// A Windows editor may save the file in another encoding: the password still opens the program,
// and a change writes the file single-byte as always.
void TestAccess::storeReadsWhatAnEditorSaved()
{
    QFETCH(QByteArray, saved);
    writeAll(file(), saved);
    QCOMPARE(PasswordStore(m_folder).storedPassword(), QStringLiteral("BENVENUTO"));
    storePassword(QStringLiteral("NUOVA"));
    QCOMPARE(PasswordStore(m_folder).storedPassword(), QStringLiteral("NUOVA"));
    const QByteArray written = readAll(file());
    QVERIFY(!written.contains('\0'));
    QVERIFY(written.contains("[Accesso]"));
    QVERIFY(written.contains("; Modificato a mano "));
}

void TestAccess::storeReadsAMissingFileAsEmpty()
{
    const PasswordStore store(m_folder);
    QCOMPARE(store.path(), file());
    QCOMPARE(store.readValue(), QString());
    QCOMPARE(store.storedPassword(), QString());
}

void TestAccess::storeReportsAnUnreadableFile()
{
    // A folder where the file should be cannot be read.
    QVERIFY(QDir().mkpath(file()));
    const PasswordStore store(m_folder);
    QVERIFY_THROWS_EXCEPTION(PasswordError, store.readValue());
    QVERIFY_THROWS_EXCEPTION(PasswordError, store.writeValue(kBenvenuto));
    QVERIFY(QFileInfo(file()).isDir());
}

void TestAccess::storeWritesANewFile()
{
    PasswordStore(m_folder).writeValue(kBenvenuto);
    QCOMPARE(readAll(file()), QByteArray("[Accesso]\r\nValore=67061BBC3165327409\r\n"));
    QCOMPARE(PasswordStore(m_folder).storedPassword(), QStringLiteral("BENVENUTO"));
    // Nothing is left beside it.
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("unins000.dll")});
}

void TestAccess::storeKeepsEveryOtherLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("value replaced") << QByteArray("; "
                                                  "installazione\r\n[Prima]\r\nA=1\r\n\r\n[Accesso]\r\nX="
                                                  "\xE8\r\nValore=11\r\nY=2\r\n[Dopo]\r\nB=3\r\n")
                                    << QByteArray("; "
                                                  "installazione\r\n[Prima]\r\nA=1\r\n\r\n[Accesso]\r\nX="
                                                  "\xE8\r\nValore=AB\r\nY=2\r\n[Dopo]\r\nB=3\r\n");
    QTest::newRow("key added at the end of the section")
        << QByteArray("[Accesso]\nX=1\n\n[Dopo]\nB=3\n")
        << QByteArray("[Accesso]\nX=1\nValore=AB\n\n[Dopo]\nB=3\n");
    QTest::newRow("key added to a bare section")
        << QByteArray("[Accesso]") << QByteArray("[Accesso]\r\nValore=AB\r\n");
    QTest::newRow("section added") << QByteArray("[Altro]\nA=1")
                                   << QByteArray("[Altro]\nA=1\n[Accesso]\nValore=AB\n");
    QTest::newRow("only the first key replaced") << QByteArray("[accesso]\nvalore = 11\nValore=22\n")
                                                 << QByteArray("[accesso]\nValore=AB\nValore=22\n");
}

void TestAccess::storeKeepsEveryOtherLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeAll(file(), before);
    PasswordStore(m_folder).writeValue(QStringLiteral("AB"));
    QCOMPARE(readAll(file()), after);
}

void TestAccess::failedWriteLeavesTheOldFileWhole()
{
    const QString folder = deepProgramFolder(m_dir->path());
    if (folder.isEmpty())
        QSKIP("needs a file system with a 4096-byte path limit");
    const PasswordStore store(folder);
    const QByteArray old("[Altro]\r\nA=1\r\n[Accesso]\r\nValore=67061BBC3165327409\r\n");
    writeAll(store.path(), old);
    QCOMPARE(store.storedPassword(), QStringLiteral("BENVENUTO"));

    QVERIFY_THROWS_EXCEPTION(PasswordError, store.writeValue(CodificaPassword(QStringLiteral("NUOVA"))));
    QCOMPARE(readAll(store.path()), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("unins000.dll")});
}

void TestAccess::loginComparesFoldingOnlyAToZ_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same") << QStringLiteral("BENVENUTO") << QStringLiteral("BENVENUTO") << true;
    QTest::newRow("lower case") << QStringLiteral("BENVENUTO") << QStringLiteral("benvenuto") << true;
    QTest::newRow("mixed case") << QStringLiteral("BENVENUTO") << QStringLiteral("BenVenUto") << true;
    QTest::newRow("blanks around") << QStringLiteral("BENVENUTO") << QStringLiteral("  benvenuto\t ") << true;
    QTest::newRow("blanks stored around")
        << QStringLiteral(" BENVENUTO ") << QStringLiteral("benvenuto") << true;
    QTest::newRow("blank inside") << QStringLiteral("BENVENUTO") << QStringLiteral("BEN VENUTO") << false;
    QTest::newRow("other word") << QStringLiteral("BENVENUTO") << QStringLiteral("BENVENUT0") << false;
    QTest::newRow("accent typed small")
        << QStringLiteral("CITT\u00C0") << QStringLiteral("citt\u00E0") << false;
    QTest::newRow("accent typed capital")
        << QStringLiteral("CITT\u00C0") << QStringLiteral("citt\u00C0") << true;
    QTest::newRow("stored lower case") << QStringLiteral("abc") << QStringLiteral("abc") << false;
    QTest::newRow("empty stored") << QString() << QStringLiteral("BENVENUTO") << false;
}

void TestAccess::loginComparesFoldingOnlyAToZ()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    storePassword(stored);
    QCOMPARE(AccessCheck::accepts(PasswordStore(m_folder), typed), accepted);
}

void TestAccess::loginReportsANonHexadecimalValue()
{
    writeAll(file(), "[Accesso]\r\nValore=67061BBC3165327G09\r\n");
    QVERIFY_THROWS_EXCEPTION(PasswordError,
                             AccessCheck::accepts(PasswordStore(m_folder), QStringLiteral("x")));
    writeAll(file(), "[Accesso]\r\nValore=67061bbc3165327409\r\n");
    QVERIFY(AccessCheck::accepts(PasswordStore(m_folder), QStringLiteral("benvenuto")));
}

void TestAccess::changeChecksInOrder_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<int>("outcome");
    using C = AccessCheck::Change;
    QTest::newRow("wrong old") << QStringLiteral("benvenuta") << QStringLiteral("A") << QStringLiteral("A")
                               << int(C::WrongOld);
    QTest::newRow("wrong old before confirmation")
        << QStringLiteral("x") << QStringLiteral("A") << QStringLiteral("B") << int(C::WrongOld);
    QTest::newRow("wrong old before characters")
        << QStringLiteral("x") << QStringLiteral("\u20AC") << QStringLiteral("\u20AC") << int(C::WrongOld);
    QTest::newRow("not confirmed") << QStringLiteral("benvenuto") << QStringLiteral("nuova")
                                   << QStringLiteral("nuovo") << int(C::NotConfirmed);
    QTest::newRow("confirmed in other case") << QStringLiteral("benvenuto") << QStringLiteral("nuova")
                                             << QStringLiteral("NUOVA") << int(C::NotConfirmed);
    QTest::newRow("confirmation before characters") << QStringLiteral("benvenuto") << QStringLiteral("\u20AC")
                                                    << QStringLiteral("x") << int(C::NotConfirmed);
    QTest::newRow("blanks around confirmation") << QStringLiteral(" BENVENUTO ") << QStringLiteral("nuova")
                                                << QStringLiteral("  nuova ") << int(C::Done);
}

void TestAccess::changeChecksInOrder()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(int, outcome);
    storePassword(QStringLiteral("BENVENUTO"));
    const QByteArray before = readAll(file());
    QCOMPARE(int(AccessCheck::change(PasswordStore(m_folder), old, fresh, confirmation)), outcome);
    if (outcome != int(AccessCheck::Change::Done))
        QCOMPARE(readAll(file()), before);
    else
        QCOMPARE(PasswordStore(m_folder).storedPassword(), AccessCheck::normalised(fresh));
}

void TestAccess::changeStoresTheNormalisedPassword_data()
{
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("stored");
    QTest::newRow("lower case") << QStringLiteral("nuova") << QStringLiteral("NUOVA");
    QTest::newRow("blanks around") << QStringLiteral("  Nuova Parola \t") << QStringLiteral("NUOVA PAROLA");
    QTest::newRow("one character") << QStringLiteral("x") << QStringLiteral("X");
    QTest::newRow("accents kept") << QStringLiteral("citt\u00E0") << QStringLiteral("CITT\u00E0");
    QTest::newRow("255 characters") << QString(255, QLatin1Char('z')) << QString(255, QLatin1Char('Z'));
}

void TestAccess::changeStoresTheNormalisedPassword()
{
    QFETCH(QString, fresh);
    QFETCH(QString, stored);
    storePassword(QStringLiteral("BENVENUTO"));
    const PasswordStore store(m_folder);
    QCOMPARE(AccessCheck::change(store, QStringLiteral("Benvenuto"), fresh, fresh),
             AccessCheck::Change::Done);
    QCOMPARE(store.readValue(), CodificaPassword(stored));
    QCOMPARE(store.storedPassword(), stored);
    // The next login takes any case of a..z.
    QVERIFY(AccessCheck::accepts(store, fresh.toLower()));
    QVERIFY(AccessCheck::accepts(store, stored));
    QVERIFY(!AccessCheck::accepts(store, QStringLiteral("BENVENUTO")));
}

void TestAccess::changeRefusesUnstorablePasswords_data()
{
    QTest::addColumn<QString>("fresh");
    QTest::newRow("euro sign") << QStringLiteral("prezzo\u20AC");
    QTest::newRow("beyond one byte") << QStringLiteral("\u0100");
    QTest::newRow("outside the basic plane") << QString::fromUcs4(U"chiave\U0001F511");
    QTest::newRow("256 characters") << QString(256, QLatin1Char('a'));
}

void TestAccess::changeRefusesUnstorablePasswords()
{
    QFETCH(QString, fresh);
    storePassword(QStringLiteral("BENVENUTO"));
    const QByteArray before = readAll(file());
    QCOMPARE(AccessCheck::change(PasswordStore(m_folder), QStringLiteral("benvenuto"), fresh, fresh),
             AccessCheck::Change::NotStorable);
    QCOMPARE(readAll(file()), before);
}

void TestAccess::installationWritesOnlyAMissingFile()
{
    QVERIFY(AccessCheck::installFirstAccess(m_folder));
    QCOMPARE(readAll(file()), QByteArray("[Accesso]\r\nValore=67061BBC3165327409\r\n"));
    QVERIFY(AccessCheck::accepts(PasswordStore(m_folder), QStringLiteral("benvenuto")));

    // An existing file is never overwritten, whatever it holds.
    writeAll(file(), QByteArray());
    QVERIFY(!AccessCheck::installFirstAccess(m_folder));
    QCOMPARE(readAll(file()), QByteArray());

    // A folder that does not exist is reported.
    QVERIFY_THROWS_EXCEPTION(PasswordError,
                             AccessCheck::installFirstAccess(m_folder + QStringLiteral("nessuna/")));
}

void TestAccess::installationProgram()
{
    const auto run = [](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(FOLVARA_PASSWORD_TOOL), arguments);
        if (!process.waitForFinished(60000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    // The folder given without a final separator.
    QCOMPARE(run({QDir::toNativeSeparators(m_dir->path())}), 0);
    QCOMPARE(readAll(file()), QByteArray("[Accesso]\r\nValore=67061BBC3165327409\r\n"));

    storePassword(QStringLiteral("MIA"));
    const QByteArray changed = readAll(file());
    QCOMPARE(run({m_folder}), 0);
    QCOMPARE(readAll(file()), changed);

    QCOMPARE(run({}), 1);
    QCOMPARE(run({m_folder + QStringLiteral("nessuna")}), 2);
}

// The store's errors carry what failed and the file system's words, for a message in Italian.
void TestAccess::failuresSayStepReasonAndWayOut()
{
    QVERIFY(QDir().mkpath(file()));
    const PasswordStore store(m_folder);
    try {
        store.readValue();
        QFAIL("a folder was read as the password file");
    } catch (const PasswordError& error) {
        QCOMPARE(error.step(), PasswordError::Step::Read);
        QCOMPARE(error.path(), store.path());
        QVERIFY(!error.systemText().isEmpty());
    }
    QVERIFY(QDir().rmdir(file()));
    writeAll(file(), "[Accesso]\r\nValore=67061BBC3165327G09\r\n");
    try {
        AccessCheck::accepts(store, QStringLiteral("x"));
        QFAIL("a damaged value was read");
    } catch (const PasswordError& error) {
        QCOMPARE(error.step(), PasswordError::Step::Damaged);
        QCOMPARE(error.path(), store.path());
        const QString text = AccessCheck::failureMessage(error, AccessCheck::Operation::Login);
        QVERIFY2(
            text.contains(QDir::toNativeSeparators(store.path()) + QStringLiteral("\" \u00E8 danneggiato")),
            qPrintable(text));
    }
}

void TestAccess::failureMessages_data()
{
    using S = PasswordError::Step;
    using O = AccessCheck::Operation;
    QTest::addColumn<S>("step");
    QTest::addColumn<QString>("system");
    QTest::addColumn<O>("operation");
    QTest::addColumn<QString>("said");   // the reason and the start of the message
    QTest::addColumn<QString>("wayOut"); // what to do
    const QString notChanged =
        QStringLiteral("Attenzione: la password non \u00E8 stata cambiata e resta quella di prima.");
    QTest::newRow("full disk") << S::Write << QStringLiteral("No space left on device") << O::Change
                               << notChanged +
                                      QStringLiteral(" Il file della password \"/p/unins000.dll\" non "
                                                     "pu\u00F2 essere scritto: spazio esaurito sul disco.")
                               << QStringLiteral(
                                      "Liberare spazio sul disco della cartella del programma, poi "
                                      "ripetere il cambio della password.");
    QTest::newRow("no permission") << S::Write << QStringLiteral("Permission denied") << O::Change
                                   << QStringLiteral("scritto: permesso negato.")
                                   << QStringLiteral(
                                          "Serve il permesso di scrivere nella cartella del programma");
    QTest::newRow("read-only disk")
        << S::Write << QStringLiteral("Read-only file system") << O::Change
        << QStringLiteral("scritto: il disco \u00E8 di sola lettura.")
        << QStringLiteral("Serve il permesso di scrivere nella cartella del programma: chiederlo a chi "
                          "amministra il computer");
    QTest::newRow("unreadable at login")
        << S::Read << QStringLiteral("Permission denied") << O::Login
        << QStringLiteral("Attenzione: non \u00E8 possibile controllare la "
                          "password. Il file della password \"/p/unins000.dll\" "
                          "non pu\u00F2 essere letto: permesso negato.")
        << QStringLiteral("Serve il permesso di leggere");
    QTest::newRow("network gone") << S::Read << QStringLiteral("Input/output error") << O::Change
                                  << QStringLiteral("letto: Input/output error.")
                                  << QStringLiteral(
                                         "Controllare che la cartella del programma sia raggiungibile");
    QTest::newRow("name too long") << S::Write << QStringLiteral("File name too long") << O::Change
                                   << QStringLiteral("scritto: nome del file troppo lungo.")
                                   << QStringLiteral(
                                          "Spostare la cartella del programma in un percorso pi\u00F9 corto");
    QTest::newRow("nothing named") << S::Write << QStringLiteral("Unknown error") << O::Change
                                   << QStringLiteral("\"/p/unins000.dll\" non pu\u00F2 essere scritto.\r\n")
                                   << QStringLiteral(
                                          "Controllare che nella cartella del programma si possa scrivere");
    QTest::newRow("damaged") << S::Damaged << QString() << O::Change
                             << notChanged +
                                    QStringLiteral(" Il file della password \"/p/unins000.dll\" \u00E8 "
                                                   "danneggiato")
                             << QStringLiteral("Ripristinare il file da una copia");
}

void TestAccess::failureMessages()
{
    QFETCH(PasswordError::Step, step);
    QFETCH(QString, system);
    QFETCH(AccessCheck::Operation, operation);
    QFETCH(QString, said);
    QFETCH(QString, wayOut);
    const PasswordError error(step, QStringLiteral("/p/unins000.dll"), system, "x");
    const QString text = AccessCheck::failureMessage(error, operation);
    QVERIFY2(text.contains(said), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\r\n\r\n") + wayOut), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("reinstall")));
}

QTEST_GUILESS_MAIN(TestAccess)
#include "tst_access.moc"
