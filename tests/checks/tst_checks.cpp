#include "checks/ControlloCodiceFiscale.h"
#include "checks/ControlloPartitaIva.h"

#include <QTest>

Q_DECLARE_METATYPE(Verdict)

class TestChecks : public QObject {
    Q_OBJECT

private slots:
    void codiceFiscale_data();
    void codiceFiscale();
    void codiceFiscaleTablesCoverZeroToZ();
    void partitaIva_data();
    void partitaIva();
    void officeTableHoldsItsCodesOnly();
};

void TestChecks::codiceFiscale_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<Verdict>("verdict");

    // Sum of 15 values, modulo 26, as a letter (A = 0). Odd positions 1, 3 ... 15, even 2, 4 ... 14.
    // Fifteen zeros: 8 odd zeros worth 1, 7 even worth 0: 8 -> I.
    QTest::newRow("fifteen zeros and I") << QStringLiteral("000000000000000I") << Verdict::Valid;
    // A is worth as 0 in both tables: 8 -> I.
    QTest::newRow("fifteen A and I") << QStringLiteral("AAAAAAAAAAAAAAAI") << Verdict::Valid;
    QTest::newRow("fifteen zeros and A") << QStringLiteral("000000000000000A") << Verdict::Wrong;
    // Odd R8 S12 R8 8=19 A1 1=0 5=13 1=0 -> 61; even S18 M12 A0 0 0 H7 0 -> 37; 98 % 26 = 20 -> U.
    QTest::newRow("real format") << QStringLiteral("RSSMRA80A01H501U") << Verdict::Valid;
    QTest::newRow("real format, wrong letter") << QStringLiteral("RSSMRA80A01H501V") << Verdict::Wrong;
    QTest::newRow("lower case is upper-cased") << QStringLiteral("rssmra80a01h501u") << Verdict::Valid;
    // Omocodia, last digit 1 -> M (odd 18 instead of 0): 116 % 26 = 12 -> M.
    QTest::newRow("omocodia at 15") << QStringLiteral("RSSMRA80A01H50MM") << Verdict::Valid;
    // And digit 0 at 14 -> L (even 11 instead of 0): 127 % 26 = 23 -> X.
    QTest::newRow("omocodia at 14 and 15") << QStringLiteral("RSSMRA80A01H5LMX") << Verdict::Valid;
    // Year digit 8 at 7 -> U (odd 16 instead of 19): 95 % 26 = 17 -> R.
    QTest::newRow("omocodia in the year") << QStringLiteral("RSSMRAU0A01H501R") << Verdict::Valid;
    // Odd V10 D7 P3 1=0 R8 0=1 2=5 3=7 -> 41; even R17 G6 P15 3 1 B1 9 -> 52; 93 % 26 = 15 -> P.
    QTest::newRow("second real format") << QStringLiteral("VRDGPP13R10B293P") << Verdict::Valid;
    // Odd B0 C5 R8 8=19 T14 5=13 2=5 5=13 -> 77; even N13 L11 A0 5 4 F5 0 -> 38; 115 % 26 = 11 -> L.
    QTest::newRow("third real format") << QStringLiteral("BNCLRA85T45F205L") << Verdict::Valid;
    // Odd Z23 x 8 = 184, even Z25 x 7 = 175; 359 % 26 = 21 -> V.
    QTest::newRow("all Z") << QStringLiteral("ZZZZZZZZZZZZZZZV") << Verdict::Valid;
    // Letters where digits belong count all the same.
    QTest::newRow("arrangement not checked") << QStringLiteral("LLLLLLLLLLLLLLLF") << Verdict::Valid;
    // The seven signs between 9 and A are worth 0 in both tables: 0 -> A.
    QTest::newRow("colons") << QStringLiteral(":::::::::::::::A") << Verdict::Valid;
    QTest::newRow("at signs") << QStringLiteral("@@@@@@@@@@@@@@@A") << Verdict::Valid;
    QTest::newRow("inner blank") << QStringLiteral("RSSMRA80A01 501U") << Verdict::Wrong;
    QTest::newRow("hyphen") << QStringLiteral("RSSMRA80-01H501U") << Verdict::Wrong;
    QTest::newRow("accented letter") << QStringLiteral("RSSMRÀ80A01H501U") << Verdict::Wrong;
    QTest::newRow("above Z") << QStringLiteral("[00000000000000I") << Verdict::Wrong;
    QTest::newRow("check character outside 0..Z") << QStringLiteral("000000000000000-") << Verdict::Wrong;
    QTest::newRow("empty") << QString() << Verdict::WrongLength;
    QTest::newRow("15 characters") << QStringLiteral("RSSMRA80A01H501") << Verdict::WrongLength;
    QTest::newRow("17 characters") << QStringLiteral("RSSMRA80A01H501UX") << Verdict::WrongLength;
}

void TestChecks::codiceFiscale()
{
    QFETCH(QString, testo);
    QFETCH(Verdict, verdict);
    QCOMPARE(ControlloCodiceFiscale::verifica(testo), verdict);
}

void TestChecks::codiceFiscaleTablesCoverZeroToZ()
{
    using namespace ControlloCodiceFiscale;
    QVERIFY(!valoreDispari(QChar(u'/')).has_value());
    QVERIFY(!valorePari(QChar(u'[')).has_value());
    QVERIFY(!valorePari(QChar(u'a')).has_value());
    QCOMPARE(valoreDispari(QChar(u'0')).value(), 1);
    QCOMPARE(valoreDispari(QChar(u'9')).value(), 21);
    QCOMPARE(valoreDispari(QChar(u'Z')).value(), 23);
    QCOMPARE(valorePari(QChar(u'Z')).value(), 25);
    for (char16_t c = u':'; c <= u'@'; ++c) {
        QCOMPARE(valoreDispari(QChar(c)).value(), 0);
        QCOMPARE(valorePari(QChar(c)).value(), 0);
    }
    // A digit counts in odd positions as the letter in its row.
    for (int d = 0; d < 10; ++d)
        QCOMPARE(valoreDispari(QChar(u'0' + d)), valoreDispari(QChar(u'A' + d)));
    QVERIFY(!carattereDiControllo(QStringLiteral("00000000000000")).has_value());
    QCOMPARE(carattereDiControllo(QStringLiteral("RSSMRA80A01H501")).value(), QChar(u'U'));
}

void TestChecks::partitaIva_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("ufficio");

    // Odd positions add the digit, even ones the digits of its double; check = (10 - sum % 10) % 10.
    // Position 10 holds 1 -> 2: check 8; office 001.
    QTest::newRow("Torino") << QStringLiteral("00000000018") << Verdict::Valid << QStringLiteral("001")
                            << QStringLiteral("Torino");
    // 1 at 8 -> 2, 2 at 9 -> 2: sum 4, check 6; office 120.
    QTest::newRow("Bologna 2 as 120") << QStringLiteral("00000001206") << Verdict::Valid
                                      << QStringLiteral("120") << QStringLiteral("Bologna 2");
    // 1 at 8 -> 2, 0 at 9, 1 at 10 -> 2: sum 4, check 6; office 101.
    QTest::newRow("Bologna 2 as 101") << QStringLiteral("00000001016") << Verdict::Valid
                                      << QStringLiteral("101") << QStringLiteral("Bologna 2");
    // 1 at 8 -> 2, 2 at 10 -> 4: sum 6, check 4.
    QTest::newRow("Napoli 2 as 121") << QStringLiteral("00000001214") << Verdict::Valid
                                     << QStringLiteral("121") << QStringLiteral("Napoli 2");
    // 4 at 9: check 6.
    QTest::newRow("Forlì") << QStringLiteral("00000000406") << Verdict::Valid << QStringLiteral("040")
                           << QStringLiteral("Forlì");
    // 9 at 9, 6 at 10 -> 12 -> 3: sum 12, check 8.
    QTest::newRow("Monza") << QStringLiteral("00000000968") << Verdict::Valid << QStringLiteral("096")
                           << QStringLiteral("Monza (Milano 2)");
    // Odd 0+2+4+6+1 = 13; even 1->2, 3->6, 5->1, 0->0, 5->1 = 10; 23: check 7; office 015.
    QTest::newRow("Milano 1") << QStringLiteral("01234560157") << Verdict::Valid << QStringLiteral("015")
                              << QStringLiteral("Milano 1");
    QTest::newRow("wrong check digit")
        << QStringLiteral("00000000010") << Verdict::Wrong << QString() << QString();
    QTest::newRow("Milano 1, wrong digit")
        << QStringLiteral("01234560158") << Verdict::Wrong << QString() << QString();
    // Valid numbers whose office is not in the table.
    QTest::newRow("eleven zeros") << QStringLiteral("00000000000") << Verdict::Valid << QStringLiteral("000")
                                  << QString();
    // 1 -> 2, 0, 3 -> 6: sum 8, check 2.
    QTest::newRow("office 103") << QStringLiteral("00000001032") << Verdict::Valid << QStringLiteral("103")
                                << QString();
    // 1 -> 2, 1, 9 -> 18 -> 9: sum 12, check 8.
    QTest::newRow("office 119") << QStringLiteral("00000001198") << Verdict::Valid << QStringLiteral("119")
                                << QString();
    // 1 -> 2, 2, 2 -> 4: sum 8, check 2.
    QTest::newRow("office 122") << QStringLiteral("00000001222") << Verdict::Valid << QStringLiteral("122")
                                << QString();
    // 9 -> 9, 9, 9 -> 9: sum 27, check 3.
    QTest::newRow("office 999") << QStringLiteral("00000009993") << Verdict::Valid << QStringLiteral("999")
                                << QString();
    // Odd 1+3+5+7+9 = 25; even 2->4, 4->8, 6->3, 8->7, 0 = 22; 47: check 3; office 890.
    QTest::newRow("office 890") << QStringLiteral("12345678903") << Verdict::Valid << QStringLiteral("890")
                                << QString();
    QTest::newRow("letter at the end")
        << QStringLiteral("0000000001A") << Verdict::Wrong << QString() << QString();
    QTest::newRow("inner blank") << QStringLiteral("00000 00018") << Verdict::Wrong << QString() << QString();
    QTest::newRow("letters") << QStringLiteral("ABCDEFGHIJK") << Verdict::Wrong << QString() << QString();
    QTest::newRow("non-ASCII digit") << QStringLiteral("0000000001٨") << Verdict::Wrong << QString()
                                     << QString();
    QTest::newRow("empty") << QString() << Verdict::WrongLength << QString() << QString();
    QTest::newRow("ten digits") << QStringLiteral("0000000001") << Verdict::WrongLength << QString()
                                << QString();
    QTest::newRow("twelve digits") << QStringLiteral("000000000180") << Verdict::WrongLength << QString()
                                   << QString();
}

void TestChecks::partitaIva()
{
    QFETCH(QString, testo);
    QFETCH(Verdict, verdict);
    QFETCH(QString, codice);
    QFETCH(QString, ufficio);
    const ControlloPartitaIva::Esito esito = ControlloPartitaIva::verifica(testo);
    QCOMPARE(esito.verdict, verdict);
    QCOMPARE(esito.codiceUfficio, codice);
    QCOMPARE(esito.ufficio, ufficio);
}

void TestChecks::officeTableHoldsItsCodesOnly()
{
    using ControlloPartitaIva::ufficio;
    QCOMPARE(ControlloPartitaIva::numeroUffici(), 104);
    for (int code = 1; code <= 102; ++code)
        QVERIFY2(!ufficio(QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'))).isEmpty(),
                 qPrintable(QString::number(code)));
    QCOMPARE(ufficio(QStringLiteral("010")), QStringLiteral("Genova 1"));
    QCOMPARE(ufficio(QStringLiteral("099")), QStringLiteral("Chiavari (Genova 2)"));
    QCOMPARE(ufficio(QStringLiteral("102")), QStringLiteral("Napoli 2"));
    QCOMPARE(ufficio(QStringLiteral("121")), QStringLiteral("Napoli 2"));
    // Codes compare as whole strings.
    QVERIFY(ufficio(QStringLiteral("1")).isEmpty());
    QVERIFY(ufficio(QStringLiteral("0010")).isEmpty());
    QVERIFY(ufficio(QStringLiteral("000")).isEmpty());
    QVERIFY(ufficio(QStringLiteral("103")).isEmpty());
    QVERIFY(ufficio(QStringLiteral("122")).isEmpty());
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
