#include "Fixture.h"
#include "search/ExpiryList.h"
#include "search/ExpirySettings.h"
#include "search/FreeTextDate.h"
#include "search/GroupMembers.h"
#include "storage/ArchiveError.h"
#include "storage/ShortStringField.h"
#include "storage/TSchedaGruppo.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using C = TSchedaAnagrafica;
using Kind = FreeTextDate::Kind;

namespace {

const QDate kToday(2026, 12, 10);

ExpiryList::Options options(const QDate& reference, int documentDays = 60, int birthdayDays = 30)
{
    ExpiryList::Options result;
    result.today = kToday;
    result.reference = reference;
    result.documentDays = documentDays;
    result.birthdayDays = birthdayDays;
    return result;
}

TSchedaAnagrafica persona(const QString& name, const QString& birth, const QString& expiry,
                          const QString& document = QString())
{
    return Fixture::scheda(
        {{C::Candidato, name}, {C::DataNasc, birth}, {C::FineTes, expiry}, {C::Documento, document}});
}

QStringList names(const std::vector<ExpiryList::Document>& documents)
{
    QStringList result;
    for (const auto& d : documents)
        result << d.name;
    return result;
}

void writeGroup(const QString& path, const QList<QStringList>& pages)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, TSchedaGruppo::kSize);
    for (const QStringList& names : pages) {
        TSchedaGruppo page;
        for (int slot = 0; slot < names.size(); ++slot) {
            const auto& field = TSchedaGruppo::layoutOf(TSchedaGruppo::Nome);
            ShortStringField::writeBytes(page.buffer(), TSchedaGruppo::offset(slot, TSchedaGruppo::Nome),
                                         field.capacity, names.at(slot).toLatin1());
        }
        archivio.Posiziona(archivio.NumeroSchede());
        archivio.ScriviScheda(page.buffer());
    }
    archivio.ChiudiArchivio();
}

} // namespace

class TestExpiryLogic : public QObject {
    Q_OBJECT

private slots:
    void readsTypedDates_data();
    void readsTypedDates();
    void birthdayAcrossTheYearsEnd();
    void leapDayBirthday_data();
    void leapDayBirthday();
    void referenceInTheFuture();
    void documentsSortedByDateWithDaysLeft();
    void unreadableDatesListedAsTyped();
    void groupMatchesNamesAsStored();
    void groupFilterOverTheArchive();
    void linesCarryTheirCards();
    void expiringSoonCountsFromToday();
    void settingsFile();
    void settingsKeepOtherLines();
    void settingsFailureLeavesTheFile();
};

void TestExpiryLogic::readsTypedDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QDate>("expected"); // invalid: "da verificare"

    const QDate may3(2027, 5, 3);
    QTest::newRow("gg/mm/aaaa") << "03/05/2027" << Kind::Expiry << may3;
    QTest::newRow("g/m/aa with blanks") << "  3/5/27 " << Kind::Expiry << may3;
    QTest::newRow("gg-mm-aaaa") << "03-05-2027" << Kind::Expiry << may3;
    QTest::newRow("gg.mm.aaaa") << "03.05.2027" << Kind::Expiry << may3;
    QTest::newRow("aaaa-mm-gg") << "2027-05-03" << Kind::Expiry << may3;
    QTest::newRow("aaaa-m-g") << "2027-5-3" << Kind::Expiry << may3;
    QTest::newRow("blanks by the separators") << "03 / 05 / 2027" << Kind::Expiry << may3;
    QTest::newRow("month name") << "3 maggio 2027" << Kind::Expiry << may3;
    QTest::newRow("month name capitals") << "3 MAGGIO 2027" << Kind::Expiry << may3;
    QTest::newRow("abbreviation") << "3 mar 27" << Kind::Expiry << QDate(2027, 3, 3);
    QTest::newRow("abbreviation with stop") << "3 mar. 2027" << Kind::Expiry << QDate(2027, 3, 3);
    QTest::newRow("sett") << "15 sett 2026" << Kind::Expiry << QDate(2026, 9, 15);
    QTest::newRow("dashes and name") << "1-gen-2030" << Kind::Expiry << QDate(2030, 1, 1);
    QTest::newRow("dicembre") << "31 dicembre 2026" << Kind::Expiry << QDate(2026, 12, 31);
    QTest::newRow("leap day") << "29/02/2028" << Kind::Expiry << QDate(2028, 2, 29);
    // Two-digit years of expiry: within 50 years of today (2026).
    QTest::newRow("expiry 75") << "31/12/75" << Kind::Expiry << QDate(2075, 12, 31);
    QTest::newRow("expiry 76") << "01/01/76" << Kind::Expiry << QDate(1976, 1, 1);
    QTest::newRow("expiry 99") << "01/01/99" << Kind::Expiry << QDate(1999, 1, 1);
    // Two-digit years of birth: in the past.
    QTest::newRow("birth 80") << "12/03/80" << Kind::Birth << QDate(1980, 3, 12);
    QTest::newRow("birth 05") << "05/05/05" << Kind::Birth << QDate(2005, 5, 5);
    QTest::newRow("birth today") << "10/12/26" << Kind::Birth << kToday;
    QTest::newRow("birth tomorrow is a century ago") << "11/12/26" << Kind::Birth << QDate(1926, 12, 11);
    QTest::newRow("birth month name") << "3 maggio 80" << Kind::Birth << QDate(1980, 5, 3);
    // Da verificare.
    QTest::newRow("31 February") << "31/02/2027" << Kind::Expiry << QDate();
    QTest::newRow("29 February, no leap") << "29/02/2027" << Kind::Expiry << QDate();
    QTest::newRow("day 0") << "00/01/2027" << Kind::Expiry << QDate();
    QTest::newRow("month 13") << "12/13/2027" << Kind::Expiry << QDate();
    QTest::newRow("no year") << "3/5" << Kind::Expiry << QDate();
    QTest::newRow("four parts") << "3/5/2027/1" << Kind::Expiry << QDate();
    QTest::newRow("mixed separators") << "3/5-2027" << Kind::Expiry << QDate();
    QTest::newRow("no separators") << "03052027" << Kind::Expiry << QDate();
    QTest::newRow("blanks only between numbers") << "3 5 2027" << Kind::Expiry << QDate();
    QTest::newRow("three-digit year") << "3/5/027" << Kind::Expiry << QDate();
    QTest::newRow("year out of range") << "1/1/0202" << Kind::Expiry << QDate();
    QTest::newRow("unknown month") << "3 marzolino 2027" << Kind::Expiry << QDate();
    QTest::newRow("words") << "rinnovato" << Kind::Expiry << QDate();
    QTest::newRow("trailing separator") << "3/5/27/" << Kind::Expiry << QDate();
    QTest::newRow("other characters") << "3/5/27 ok" << Kind::Expiry << QDate();
    QTest::newRow("birth in the future") << "01/01/2030" << Kind::Birth << QDate();
    QTest::newRow("empty") << "" << Kind::Expiry << QDate();
}

void TestExpiryLogic::readsTypedDates()
{
    QFETCH(QString, text);
    QFETCH(Kind, kind);
    QFETCH(QDate, expected);
    const std::optional<QDate> read = FreeTextDate::read(text, kind, kToday);
    QCOMPARE(read.value_or(QDate()), expected);
}

void TestExpiryLogic::birthdayAcrossTheYearsEnd()
{
    // Seen on 20 December, a birthday on 3 January is 14 days away, in the next year.
    ExpiryList list(options(QDate(2026, 12, 20)));
    list.add(persona("Rossi Mario", "03/01/2010", ""), 1);
    list.add(persona("Neri Anna", "19/12/2010", ""), 2); // passed yesterday: next one too far
    list.add(persona("Bianchi Luca", "20/12/2000", ""), 3);
    list.finish();
    QCOMPARE(list.birthdays().size(), std::size_t(2));
    const std::vector<ExpiryList::Birthday> birthdays = list.birthdays();
    const ExpiryList::Birthday& first = birthdays.at(0);
    QCOMPARE(first.name, QStringLiteral("Bianchi Luca"));
    QCOMPARE(first.daysLeft, 0);
    QCOMPARE(first.age, 26);
    const ExpiryList::Birthday& second = birthdays.at(1);
    QCOMPARE(second.name, QStringLiteral("Rossi Mario"));
    QCOMPARE(second.date, QDate(2027, 1, 3));
    QCOMPARE(second.daysLeft, 14);
    QCOMPARE(second.age, 17);
}

void TestExpiryLogic::leapDayBirthday_data()
{
    QTest::addColumn<QDate>("reference");
    QTest::addColumn<QDate>("shown");
    QTest::addColumn<int>("age");
    QTest::newRow("other year") << QDate(2027, 2, 1) << QDate(2027, 2, 28) << 19;
    QTest::newRow("leap year") << QDate(2028, 2, 1) << QDate(2028, 2, 29) << 20;
    QTest::newRow("on 28 February") << QDate(2027, 2, 28) << QDate(2027, 2, 28) << 19;
    QTest::newRow("from 1 March") << QDate(2027, 3, 1) << QDate() << 0;
}

void TestExpiryLogic::leapDayBirthday()
{
    QFETCH(QDate, reference);
    QFETCH(QDate, shown);
    QFETCH(int, age);
    ExpiryList::Options o = options(reference);
    o.today = QDate(2030, 1, 1);
    ExpiryList list(o);
    list.add(persona("Bisestile Leo", "29/02/2008", ""), 1);
    list.finish();
    if (!shown.isValid()) {
        QVERIFY(list.birthdays().empty());
        return;
    }
    QCOMPARE(list.birthdays().size(), std::size_t(1));
    QCOMPARE(list.birthdays().front().date, shown);
    QCOMPARE(list.birthdays().front().age, age);
}

void TestExpiryLogic::referenceInTheFuture()
{
    // Valid today, but expired by the day of the trip.
    const QDate trip = kToday.addDays(40);
    ExpiryList list(options(trip, 0));
    list.add(persona("Rossi Mario", "", ExpiryList::shortDate(kToday.addDays(30)), "Passaporto YA1"), 1);
    list.add(persona("Neri Anna", "", ExpiryList::shortDate(kToday.addDays(41)), "C.I. CA2"), 2);
    list.finish();
    QCOMPARE(names(list.documents()), QStringList{"Rossi Mario"});
    QCOMPARE(list.documents().front().daysLeft, -10);
    QCOMPARE(list.expiringCount(), 0);
    QVERIFY(list.lines().text.at(1).contains(QStringLiteral("SCADUTO")));

    ExpiryList today(options(kToday, 0));
    today.add(persona("Rossi Mario", "", ExpiryList::shortDate(kToday.addDays(30))), 1);
    today.finish();
    QVERIFY(today.documents().empty());
}

void TestExpiryLogic::documentsSortedByDateWithDaysLeft()
{
    ExpiryList list(options(kToday));
    list.add(persona("Zeta", "", "01/02/2027", "Passaporto"), 1);
    list.add(persona("alfa", "", "05/12/2026", "Patente"), 2);
    list.add(persona("Beta", "", "01/02/2027", "C.I."), 3);
    list.add(persona("Lontano", "", "01/06/2027"), 4); // beyond 60 days
    list.add(persona("Vuoto", "", ""), 5);             // no date: not listed at all
    list.finish();
    QCOMPARE(names(list.documents()), (QStringList{"alfa", "Beta", "Zeta"}));
    QCOMPARE(list.documents().at(0).daysLeft, -5);
    QCOMPARE(list.documents().at(1).daysLeft, 53);
    QCOMPARE(list.documents().at(1).document, QStringLiteral("C.I."));
    QVERIFY(list.unreadable().empty());
    QCOMPARE(list.expiringCount(), 2);
}

void TestExpiryLogic::unreadableDatesListedAsTyped()
{
    ExpiryList list(options(kToday));
    TSchedaAnagrafica scheda = persona("Rossi Mario", "", "31/02/2027");
    Fixture::scriviGrezzo(scheda, C::DataNasc, " primavera");
    list.add(scheda, 7);
    list.finish();
    QCOMPARE(list.unreadable().size(), std::size_t(2));
    QCOMPARE(list.unreadable().at(0).field, C::DataNasc);
    QCOMPARE(list.unreadable().at(0).typed, QStringLiteral("primavera"));
    QCOMPARE(list.unreadable().at(1).typed, QStringLiteral("31/02/2027"));
    QCOMPARE(list.unreadable().at(1).position, 7);
    QVERIFY(list.documents().empty());
    const QStringList text = list.lines().text;
    QVERIFY(text.contains(QStringLiteral("DATE DA VERIFICARE: 2")));
    QVERIFY(text.last().contains(QStringLiteral("\"31/02/2027\"")));
    QVERIFY(text.last().contains(QStringLiteral("Rossi Mario")));
}

void TestExpiryLogic::groupMatchesNamesAsStored()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Gita Roma.fvg"));
    writeGroup(path, {{"Rossi  Mario ", "Neri Anna"}, {"", "", "", "", "", "", "", "BIANCHI LUCA"}});
    const GroupMembers members = GroupMembers::read(path);
    QCOMPARE(members.size(), 3);
    QVERIFY(members.contains(u"Rossi Mario"));
    QVERIFY(members.contains(u"bianchi luca"));
    QVERIFY(members.contains(Fixture::scheda({{C::Candidato, "Neri Anna"}})));
    QVERIFY(!members.contains(u"Neri Annamaria"));
    QVERIFY(!members.contains(u"Rossi"));
    QVERIFY(!members.contains(u""));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, GroupMembers::read(dir.filePath(QStringLiteral("missing/x.fvg"))));
}

void TestExpiryLogic::groupFilterOverTheArchive()
{
    QTemporaryDir dir;
    const QString archive = C::archivio(dir.path() + QLatin1Char('/'));
    Fixture::scriviArchivio(
        archive, {persona("Rossi Mario", "", "01/01/2027"), persona("Neri Anna", "", "02/01/2027"),
                  persona("Rossi Mario", "", "03/01/2027"), persona("Verdi Ugo", "", "31/02/2027")});
    GroupMembers members;
    members.add(u"ROSSI MARIO");
    ExpiryList list(options(kToday), &members);
    QVERIFY(list.scan(archive));
    // Both cards of the name belong; the others, readable or not, do not.
    QCOMPARE(names(list.documents()), (QStringList{"Rossi Mario", "Rossi Mario"}));
    QCOMPARE(list.documents().at(0).position, 1);
    QCOMPARE(list.documents().at(1).position, 3);
    QVERIFY(list.unreadable().empty());

    ExpiryList whole(options(kToday));
    int calls = 0;
    QVERIFY(whole.scan(archive, [&calls](int, int) { return ++calls > 0; }));
    QCOMPARE(whole.documents().size(), std::size_t(3));
    QCOMPARE(whole.unreadable().size(), std::size_t(1));
}

void TestExpiryLogic::linesCarryTheirCards()
{
    ExpiryList list(options(QDate(2026, 12, 20)));
    list.add(persona("Rossi Mario", "03/01/2010", "15/01/2027", "Passaporto YA1"), 4);
    list.finish();
    const ExpiryList::Lines lines = list.lines();
    QCOMPARE(lines.text.size(), qsizetype(lines.positions.size()));
    const QStringList expected = {
        "DOCUMENTI SCADUTI ALLA DATA DEL 20/12/2026 O IN SCADENZA ENTRO IL 18/02/2027: 1",
        "  15/01/2027     26 giorni           Rossi Mario                     Passaporto YA1",
        "",
        "COMPLEANNI DAL 20/12/2026 AL 19/01/2027: 1",
        "  03/01/2027     14 giorni  compie 17 anni    Rossi Mario",
        "",
        "DATE DA VERIFICARE: 0",
        "  Nessuna voce.",
    };
    QCOMPARE(lines.text, expected);
    QCOMPARE(lines.positions, (std::vector<int>{0, 4, 0, 0, 4, 0, 0, 0}));
}

void TestExpiryLogic::expiringSoonCountsFromToday()
{
    QTemporaryDir dir;
    const QString archive = C::archivio(dir.path() + QLatin1Char('/'));
    const QDate today = QDate::currentDate();
    Fixture::scriviArchivio(archive, {persona("A", "", ExpiryList::shortDate(today)),
                                      persona("B", "", ExpiryList::shortDate(today.addDays(7))),
                                      persona("C", "", ExpiryList::shortDate(today.addDays(8))),
                                      persona("D", "", ExpiryList::shortDate(today.addDays(-1))),
                                      persona("E", "", ExpiryList::shortDate(today.addDays(3)))});
    QCOMPARE(ExpiryList::expiringSoon(archive, today, 7), 3);
}

void TestExpiryLogic::settingsFile()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    ExpirySettings settings(folder);
    QVERIFY(!settings.noticeAfterLogin()); // off by default, with no file
    QVERIFY(settings.setNoticeAfterLogin(true));
    QVERIFY(ExpirySettings(folder).noticeAfterLogin());
    QCOMPARE(TestFiles::readAll(folder + ExpirySettings::fileName()),
             QByteArray("[Scadenze]\nAvvisoDopoAccesso=1\n"));
    QVERIFY(settings.setNoticeAfterLogin(false));
    QVERIFY(!settings.noticeAfterLogin());
}

void TestExpiryLogic::settingsKeepOtherLines()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile file(folder + ExpirySettings::fileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; commento\n[Altro]\nAvvisoDopoAccesso=1\n[scadenze]\nAltro=x\n");
    file.close();
    ExpirySettings settings(folder);
    QVERIFY(!settings.noticeAfterLogin()); // the key of another section does not count
    QVERIFY(settings.setNoticeAfterLogin(true));
    QCOMPARE(
        TestFiles::readAll(file.fileName()),
        QByteArray("; commento\n[Altro]\nAvvisoDopoAccesso=1\n[scadenze]\nAvvisoDopoAccesso=1\nAltro=x\n"));
    QVERIFY(settings.noticeAfterLogin());
}

void TestExpiryLogic::settingsFailureLeavesTheFile()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/missing/");
    ExpirySettings settings(folder);
    QVERIFY(!settings.setNoticeAfterLogin(true));
    QVERIFY(!QFile::exists(settings.path()));
    QVERIFY(!settings.noticeAfterLogin());
}

QTEST_GUILESS_MAIN(TestExpiryLogic)
#include "tst_expiry_logic.moc"
