#include "Fixture.h"
#include "search/RicercaSchede.h"
#include "storage/ArchiveError.h"
#include "storage/Cp1252.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using Campo = TSchedaAnagrafica::Campo;
using Filtri = QList<QPair<Campo, QString>>;
Q_DECLARE_METATYPE(Filtri)

namespace {

// The names that start the lines, in list order.
QStringList nomi(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
        result.append(TextRules::trim(line.left(30)));
    return result;
}

// A card's line built the plain way, piece by piece from its decoded and trimmed fields.
QString rigaDiRiferimento(const TSchedaAnagrafica& scheda)
{
    const auto campo = [&scheda](Campo c) { return TextRules::trim(scheda.testo(c)); };
    const auto padded = [&campo](Campo c, int n) {
        return campo(c).leftJustified(n, QLatin1Char(' '), true);
    };
    return padded(Campo::Candidato, 30) + "  C.F. " + padded(Campo::CodFisc, 16) + "  Cel. " +
           padded(Campo::Cel, 16) + "  Settore: " + padded(Campo::Settore, 24) +
           "  Note: " + campo(Campo::Note);
}

// The lines in the order a plain stable sort with the list order gives them.
QStringList plainlySorted(QStringList lines)
{
    std::stable_sort(lines.begin(), lines.end(), RicercaSchede::precede);
    return lines;
}

} // namespace

class TestSearchLogic : public QObject {
    Q_OBJECT

private slots:
    void init();

    void lineHasFixedWidthsFromTrimmedFields();
    void lineCutsLongNameAndKeepsWholeNote();
    void lineOfEmptyCardEndsInBlanks();
    void lineKeepsCodePageCharacters();

    void filtersSelectCards_data();
    void filtersSelectCards();
    void blankOnlyFilterIsNotRequired();
    void filtersReadCodePageCharacters_data();
    void filtersReadCodePageCharacters();

    void listOrder_data();
    void listOrder();
    void sortAgreesWithTheOrderOnManyLines_data();
    void sortAgreesWithTheOrderOnManyLines();
    void sortAgreesWithTheOrderOnLongEqualBeginnings();
    void shortLinesThatDifferOnlyInTheirLowestBytesSortByLength();
    void searchListsLinesAsTheOldWay_data();
    void searchListsLinesAsTheOldWay();
    void filterOfCharacterBeyondTheCodePageFindsNothing();

    void findSteps_data();
    void findSteps();
    void findWithoutMatchKeepsSelectionAndRemembersText();

    void recallHandsEveryEqualLineInFileOrder();
    void recallComparesTrimmedLinesExactly();
    void recontactSelection();
    void missingArchiveIsCreatedEmpty();
    void unreadableArchiveThrowsForSearchButNotForSummary();

private:
    QString archivio() const { return TSchedaAnagrafica::archivio(m_folder); }

    QTemporaryDir m_dir;
    QString m_folder;
};

void TestSearchLogic::init()
{
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    m_folder = m_dir.path() + QLatin1Char('/');
}

void TestSearchLogic::lineHasFixedWidthsFromTrimmedFields()
{
    TSchedaAnagrafica scheda;
    Fixture::scriviGrezzo(scheda, Campo::Candidato, "  Rossi Mario  ");
    Fixture::scriviGrezzo(scheda, Campo::CodFisc, "RSSMRA80C12H501U");
    Fixture::scriviGrezzo(scheda, Campo::Cel, " 333 1234567");
    Fixture::scriviGrezzo(scheda, Campo::Settore, "Informatica\t");
    Fixture::scriviGrezzo(scheda, Campo::Note, "  Disponibile subito ");

    const QString expected = QStringLiteral("Rossi Mario                   "
                                            "  C.F. RSSMRA80C12H501U"
                                            "  Cel. 333 1234567     "
                                            "  Settore: Informatica             "
                                            "  Note: Disponibile subito");
    QCOMPARE(RicercaSchede::riga(scheda), expected);
    QCOMPARE(expected.indexOf(QLatin1String("  C.F. ")), 30);
    QCOMPARE(expected.indexOf(QLatin1String("  Cel. ")), 53);
    QCOMPARE(expected.indexOf(QLatin1String("  Settore: ")), 76);
    QCOMPARE(expected.indexOf(QLatin1String("  Note: ")), 111);
}

void TestSearchLogic::lineCutsLongNameAndKeepsWholeNote()
{
    const QString name = QStringLiteral("Abbondanzieri Bartolomei Costantino Maria Pia");
    QCOMPARE(name.size(), 45);
    const QString note = QString(250, QLatin1Char('n'))
                             .replace(0, 6, QStringLiteral("inizio"))
                             .replace(244, 6, QStringLiteral("finale"));
    const QString longMobile = QStringLiteral("+39 333 1234567 int. 9");
    const QString longSector = QStringLiteral("Amministrazione e contabilita generale");
    const TSchedaAnagrafica scheda = Fixture::scheda({{Campo::Candidato, name},
                                                      {Campo::Cel, longMobile},
                                                      {Campo::Settore, longSector},
                                                      {Campo::Note, note}});

    const QString line = RicercaSchede::riga(scheda);
    QCOMPARE(line.left(32), name.left(30) + QStringLiteral("  "));
    QCOMPARE(line.mid(60, 16), longMobile.left(16));
    QCOMPARE(line.mid(87, 24), longSector.left(24));
    QCOMPARE(line.size(), 119 + 250);
    QVERIFY(line.endsWith(QStringLiteral("  Note: ") + note));
}

void TestSearchLogic::lineOfEmptyCardEndsInBlanks()
{
    const QString line = RicercaSchede::riga(TSchedaAnagrafica());
    QCOMPARE(line.size(), 119);
    QVERIFY(line.endsWith(QStringLiteral("  Note: ")));
    // Trimming drops the blank name with the blanks before "C.F." and the blank after "Note:".
    QCOMPARE(TextRules::trim(line), line.mid(32, line.size() - 33));
}

void TestSearchLogic::lineKeepsCodePageCharacters()
{
    const QString name = QStringLiteral("Niccol\u00F2 \u0152uvre \u20AC");
    const QString note = QStringLiteral("Caff\u00E8 \u201Cdoppio\u201D");
    const TSchedaAnagrafica scheda = Fixture::scheda({{Campo::Candidato, name}, {Campo::Note, note}});
    const QString line = RicercaSchede::riga(scheda);
    QCOMPARE(line.left(30), name.leftJustified(30));
    QVERIFY(line.endsWith(QStringLiteral("  Note: ") + note));
}

void TestSearchLogic::filtersSelectCards_data()
{
    QTest::addColumn<Filtri>("filtri");
    QTest::addColumn<QStringList>("expected");

    const QStringList all{"Anna De Rossi", "Bianchi Luca", "Neri Giulia", "Rossi Mario"};
    QTest::newRow("none") << Filtri{} << all;
    QTest::newRow("rossi") << Filtri{{Campo::Candidato, "rossi"}}
                           << QStringList{"Anna De Rossi", "Rossi Mario"};
    QTest::newRow("ROSSI") << Filtri{{Campo::Candidato, "ROSSI"}}
                           << QStringList{"Anna De Rossi", "Rossi Mario"};
    QTest::newRow("trailing blank") << Filtri{{Campo::Candidato, "rossi "}} << QStringList{"Rossi Mario"};
    QTest::newRow("leading blank") << Filtri{{Campo::Candidato, " rossi"}} << QStringList{"Anna De Rossi"};
    QTest::newRow("name and sector") << Filtri{{Campo::Candidato, "rossi"}, {Campo::Settore, "informatica"}}
                                     << QStringList{"Rossi Mario"};
    QTest::newRow("name and sector, none")
        << Filtri{{Campo::Candidato, "anna"}, {Campo::Settore, "informatica"}} << QStringList{};
    QTest::newRow("birth year") << Filtri{{Campo::DataNasc, "1980"}}
                                << QStringList{"Bianchi Luca", "Rossi Mario"};
    QTest::newRow("each filter on its own field") << Filtri{{Campo::Note, "rossi"}} << QStringList{};
    QTest::newRow("citizenship") << Filtri{{Campo::Cittadinanza, "ITAL"}} << QStringList{"Bianchi Luca"};
    QTest::newRow("accent same") << Filtri{{Campo::Note, QStringLiteral("CAFF\u00E8")}}
                                 << QStringList{"Neri Giulia"};
    QTest::newRow("accent other case")
        << Filtri{{Campo::Note, QStringLiteral("caff\u00C8")}} << QStringList{};
}

void TestSearchLogic::filtersSelectCards()
{
    QFETCH(Filtri, filtri);
    QFETCH(QStringList, expected);
    Fixture::scriviArchivio(archivio(), Fixture::persone());

    RicercaSchede::Filtri f;
    for (const auto& [campo, text] : filtri)
        f.imposta(campo, text);
    QCOMPARE(f.richiesti(), filtri.size());
    QCOMPARE(nomi(RicercaSchede::cerca(archivio(), f)), expected);
}

void TestSearchLogic::blankOnlyFilterIsNotRequired()
{
    // Counting hits over every filter would let the blank in the sector filter match
    // "Servizi generali" and stand in for the failed name filter, listing Neri Giulia.
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    RicercaSchede::Filtri f;
    f.imposta(Campo::Candidato, QStringLiteral("rossi"));
    f.imposta(Campo::Settore, QStringLiteral(" "));
    QCOMPARE(f.richiesti(), 1);
    QCOMPARE(nomi(RicercaSchede::cerca(archivio(), f)), (QStringList{"Anna De Rossi", "Rossi Mario"}));

    RicercaSchede::Filtri onlyBlank;
    onlyBlank.imposta(Campo::Settore, QStringLiteral("   "));
    QCOMPARE(onlyBlank.richiesti(), 0);
    QCOMPARE(RicercaSchede::cerca(archivio(), onlyBlank).size(), 4);
}

void TestSearchLogic::filtersReadCodePageCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("euro and quotes") << QStringLiteral("5 \u20AC \u201Cnetto") << true;
    QTest::newRow("A..Z folded around them") << QStringLiteral("PREZZO 5 \u20AC \u201CNETTO\u201D") << true;
    QTest::newRow("accented capital is not folded") << QStringLiteral("\u00C8") << false;
    QTest::newRow("accented letter") << QStringLiteral("\u00E8 ") << true;
    QTest::newRow("character beyond the code page") << QStringLiteral("\u0113") << false;
    QTest::newRow("longer than the field")
        << QStringLiteral("Prezzo 5 \u20AC \u201Cnetto\u201D \u00E8 ok!") << false;
}

void TestSearchLogic::filtersReadCodePageCharacters()
{
    QFETCH(QString, typed);
    QFETCH(bool, found);
    Fixture::scriviArchivio(
        archivio(),
        {Fixture::scheda({{Campo::Candidato, "Verdi Anna"},
                          {Campo::Note, QStringLiteral("Prezzo 5 \u20AC \u201Cnetto\u201D \u00E8 ok")}})});
    RicercaSchede::Filtri f;
    f.imposta(Campo::Note, typed);
    QCOMPARE(RicercaSchede::cerca(archivio(), f).size(), found ? 1 : 0);
}

void TestSearchLogic::listOrder_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("letters fold, accents after")
        << QStringList{"Zeta", QStringLiteral("\u00C9den"), "alfa", "Beta"}
        << QStringList{"alfa", "Beta", "Zeta", QStringLiteral("\u00C9den")};
    QTest::newRow("a text that begins another first")
        << QStringList{"alfabeto", "alfa beta", "alfa"} << QStringList{"alfa", "alfa beta", "alfabeto"};
    QTest::newRow("equal texts keep their order")
        << QStringList{"ALFA", "beta", "alfa", "Alfa"} << QStringList{"ALFA", "alfa", "Alfa", "beta"};
    QTest::newRow("Windows-1252 codes")
        << QStringList{QStringLiteral("\u00E0baco"), QStringLiteral("\u20ACuro"), QStringLiteral("\u00C9den")}
        << QStringList{QStringLiteral("\u20ACuro"), QStringLiteral("\u00C9den"),
                       QStringLiteral("\u00E0baco")};
    QTest::newRow("characters beyond the code page last")
        << QStringList{QStringLiteral("\u0100bc"), QStringLiteral("\u00FFz"), "Zeta", "alfa"}
        << QStringList{"alfa", "Zeta", QStringLiteral("\u00FFz"), QStringLiteral("\u0100bc")};
    QTest::newRow("digits and blanks before letters") << QStringList{"Rossi", "Rossi 2", "Rossi1", "1 Rossi"}
                                                      << QStringList{"1 Rossi", "Rossi", "Rossi 2", "Rossi1"};
}

void TestSearchLogic::listOrder()
{
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    RicercaSchede::ordina(input);
    QCOMPARE(input, expected);
    QVERIFY(!RicercaSchede::precede(QStringLiteral("alfa"), QStringLiteral("ALFA")));
    QVERIFY(!RicercaSchede::precede(QStringLiteral("ALFA"), QStringLiteral("alfa")));
}

void TestSearchLogic::sortAgreesWithTheOrderOnManyLines_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::newRow("code page") << QStringLiteral("aAbB \u00E9\u20AC1");
    QTest::newRow("beyond the code page") << QStringLiteral("aAbB \u00E9\u20AC1\u0100");
    QString everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.append(ResultLines::charOf(static_cast<unsigned char>(b)));
    QTest::newRow("every byte of the code page") << everyByte;
}

void TestSearchLogic::sortAgreesWithTheOrderOnManyLines()
{
    // Long shared prefixes, case variants and code-page characters, sorted by the list's own
    // sort and by a plain stable sort with the order; enough lines for the sort to share its
    // work with a second thread.
    QFETCH(QString, alphabet);
    quint32 seed = 7;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    QStringList lines;
    for (int i = 0; i < 30000; ++i) {
        QString line = (i % 3 == 0) ? QStringLiteral("Rossi Maria                     C.F. ") : QString();
        const int length = int(next() % 40);
        for (int k = 0; k < length; ++k)
            line.append(alphabet.at(int(next() % alphabet.size())));
        lines.append(line);
    }
    const QStringList expected = plainlySorted(lines);
    RicercaSchede::ordina(lines);
    QCOMPARE(lines, expected);
}

void TestSearchLogic::sortAgreesWithTheOrderOnLongEqualBeginnings()
{
    // Many lines alike far beyond their keys, ending early, late or not at all, in both cases.
    quint32 seed = 11;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    const QString beginning = QStringLiteral("Bianchi Anna").leftJustified(140, QLatin1Char(' '));
    QStringList lines;
    for (int i = 0; i < 2000; ++i) {
        QString line = beginning.left(int(next() % 3 == 0 ? next() % 140 : 140));
        const int length = int(next() % 4);
        for (int k = 0; k < length; ++k)
            line.append(QStringLiteral("aAb\u00E9").at(int(next() % 4)));
        lines.append(line);
    }
    const QStringList expected = plainlySorted(lines);
    RicercaSchede::ordina(lines);
    QCOMPARE(lines, expected);
}

void TestSearchLogic::shortLinesThatDifferOnlyInTheirLowestBytesSortByLength()
{
    // More lines than an insertion sort takes, alike but for trailing bytes of the lowest rank:
    // the shorter line comes first whatever the arrival order.
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines.append(QString(i % 3, QChar(u'\0')));
    const QStringList expected = plainlySorted(lines);
    QCOMPARE(expected.first(), QString());
    QCOMPARE(expected.last(), QString(2, QChar(u'\0')));
    RicercaSchede::ordina(lines);
    QCOMPARE(lines, expected);
}

void TestSearchLogic::searchListsLinesAsTheOldWay_data()
{
    // Names and codici fiscali as stored bytes (Windows-1252), one card each, in file order; a byte
    // followed by a letter is written in octal, which a hex escape would swallow.
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<QList<QByteArray>>("codes");
    QTest::newRow("case folds, equal keys keep file order")
        << QList<QByteArray>{"rossi mario", "ROSSI MARIO", "Rossi Mario", "rossi Mario", "Bianchi"}
        << QList<QByteArray>{"", "", "", "", ""};
    QTest::newRow("accented letters after all letters, by code")
        << QList<QByteArray>{"\311den", "\351den", "Eden", "Zeta", "\340baco", "eden"}
        << QList<QByteArray>{"", "", "", "", "", ""};
    QTest::newRow("blanks and digits")
        << QList<QByteArray>{"Rossi  Mario", "Rossi Mario", "Rossi1", "1 Rossi", "  Bianchi  ", "\tRossi"}
        << QList<QByteArray>{"", "", "", "", "", ""};
    QTest::newRow("high and undefined bytes")
        << QList<QByteArray>{"\x80uro", "\x81x", "\x9Fy", "\xFFz", "\212a", "\232a", "?x", "\x7F"}
        << QList<QByteArray>{"", "", "", "", "", "", "", ""};
    QTest::newRow("same name, order decided after the first 32 characters")
        << QList<QByteArray>{"Verdi Anna", "verdi anna", "Verdi Anna", "VERDI ANNA", "Verdi Anna"}
        << QList<QByteArray>{"abd", "ABC", "abc", "", "\340bc"};
    QTest::newRow("long names cut at 30")
        << QList<QByteArray>{"Bianchi Rossi Verdi Esposito Romano Colombo",
                             "Bianchi Rossi Verdi Esposito Romani", "bianchi rossi verdi esposito rOmano"}
        << QList<QByteArray>{"B", "A", "a"};
    QTest::newRow("empty cards") << QList<QByteArray>{"", "Anna", ""} << QList<QByteArray>{"Z", "", "A"};
}

void TestSearchLogic::searchListsLinesAsTheOldWay()
{
    QFETCH(QList<QByteArray>, names);
    QFETCH(QList<QByteArray>, codes);
    QList<TSchedaAnagrafica> schede;
    QStringList lines;
    for (qsizetype i = 0; i < names.size(); ++i) {
        TSchedaAnagrafica scheda;
        Fixture::scriviGrezzo(scheda, Campo::Candidato, names.at(i));
        Fixture::scriviGrezzo(scheda, Campo::CodFisc, codes.at(i));
        Fixture::scriviGrezzo(scheda, Campo::Note, "nota " + QByteArray::number(i));
        schede.append(scheda);
        QCOMPARE(RicercaSchede::riga(scheda), rigaDiRiferimento(scheda));
        lines.append(rigaDiRiferimento(scheda));
    }
    Fixture::scriviArchivio(archivio(), schede);
    // The order of old: one stable sort comparing the whole lines.
    QCOMPARE(RicercaSchede::cerca(archivio(), RicercaSchede::Filtri()), plainlySorted(lines));
}

void TestSearchLogic::filterOfCharacterBeyondTheCodePageFindsNothing()
{
    // The code page writes "\u0160" as its own byte but folds "\u015E" (S with cedilla) to "S":
    // a filter must not find the folded letter.
    Fixture::scriviArchivio(archivio(), {Fixture::scheda({{Campo::Candidato, QStringLiteral("\u0160tefan")}}),
                                         Fixture::scheda({{Campo::Candidato, "Stefan"}})});
    RicercaSchede::Filtri f;
    f.imposta(Campo::Candidato, QStringLiteral("\u0160te"));
    QCOMPARE(nomi(RicercaSchede::cerca(archivio(), f)), QStringList{QStringLiteral("\u0160tefan")});
    f.imposta(Campo::Candidato, QStringLiteral("\u015Ete"));
    QCOMPARE(RicercaSchede::cerca(archivio(), f), QStringList());
}

void TestSearchLogic::findSteps_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<int>>("selections");

    const QStringList lines{"Bianchi  Settore: Commercio", "Neri  Settore: Informatica",
                            "Rossi  Settore: Commercio", "Verdi  Settore: INFORMATICA"};
    QTest::newRow("same text steps and wraps")
        << lines << QStringList{"informatica", "informatica", "informatica"} << QList<int>{1, 3, 1};
    QTest::newRow("new text starts from the top")
        << lines << QStringList{"informatica", "informatica", "COMMERCIO", "commercio"}
        << QList<int>{1, 3, 0, 2};
    QTest::newRow("first line matches at once")
        << lines << QStringList{"bianchi", "bianchi"} << QList<int>{0, 0};
    QTest::newRow("single match found again") << lines << QStringList{"verdi", "verdi"} << QList<int>{3, 3};
}

void TestSearchLogic::findSteps()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, selections);
    QString lastFind;
    int selected = 0;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const std::optional<int> found = RicercaSchede::trova(lines, selected, typed.at(i), lastFind);
        QVERIFY2(found.has_value(), qPrintable(typed.at(i)));
        selected = *found;
        QCOMPARE(selected, selections.at(i));
    }
}

void TestSearchLogic::findWithoutMatchKeepsSelectionAndRemembersText()
{
    const QStringList lines{"alfa", "beta"};
    QString lastFind = QStringLiteral("alfa");
    QCOMPARE(RicercaSchede::trova(lines, 1, QStringLiteral("GAMMA"), lastFind), std::nullopt);
    QCOMPARE(lastFind, QStringLiteral("gamma"));
    QCOMPARE(RicercaSchede::trova(lines, 1, QString(), lastFind), std::nullopt);
    QCOMPARE(lastFind, QString());
    // A changed text starts from the top even when another line is selected.
    QCOMPARE(RicercaSchede::trova(lines, 1, QStringLiteral("a"), lastFind), std::optional<int>(0));
    QCOMPARE(RicercaSchede::trova(lines, 0, QStringLiteral("a"), lastFind), std::optional<int>(1));
}

void TestSearchLogic::recallHandsEveryEqualLineInFileOrder()
{
    using C = TSchedaAnagrafica;
    QList<TSchedaAnagrafica> schede = Fixture::persone();
    TSchedaAnagrafica twin = schede.at(0);
    twin.setTesto(C::Citta, QStringLiteral("Napoli"));
    schede.append(twin);
    Fixture::scriviArchivio(archivio(), schede);

    QList<QPair<int, QString>> handed;
    RicercaSchede::richiama(archivio(), RicercaSchede::riga(schede.at(0)),
                            [&](const TSchedaAnagrafica& s, int position) {
                                handed.append({position, s.testo(C::Citta)});
                            });
    QCOMPARE(handed, (QList<QPair<int, QString>>{{1, "Roma"}, {5, "Napoli"}}));
}

void TestSearchLogic::recallComparesTrimmedLinesExactly()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    const QString line = RicercaSchede::riga(Fixture::persone().at(3));
    int calls = 0;
    const auto count = [&](const TSchedaAnagrafica&, int position) {
        ++calls;
        QCOMPARE(position, 4);
    };
    RicercaSchede::richiama(archivio(), QStringLiteral("  ") + line + QStringLiteral("   "), count);
    QCOMPARE(calls, 1);
    RicercaSchede::richiama(archivio(), TextRules::upperAZ(line), count);
    QCOMPARE(calls, 1);
}

void TestSearchLogic::recontactSelection()
{
    using C = TSchedaAnagrafica;
    QList<TSchedaAnagrafica> schede = {
        Fixture::scheda({{C::Candidato, "Uno Si"}, {C::Ricontatta, QStringLiteral("S\u00EC")}}),
        Fixture::scheda({{C::Candidato, "Due No"}, {C::Ricontatta, "No"}}),
        Fixture::scheda({{C::Candidato, "Tre Vuoto"}}),
        Fixture::scheda({{C::Candidato, "Quattro minuscolo"}, {C::Ricontatta, "no"}}),
        Fixture::scheda({{C::Candidato, "Cinque Di Nuovo No"}, {C::Ricontatta, "No"}}),
    };
    Fixture::scriviArchivio(archivio(), schede);

    QCOMPARE(nomi(RicercaSchede::daRicontattare(archivio())),
             (QStringList{"Quattro minuscolo", "Tre Vuoto", "Uno Si"}));
}

void TestSearchLogic::missingArchiveIsCreatedEmpty()
{
    QVERIFY(!QFileInfo::exists(archivio()));
    QCOMPARE(RicercaSchede::cerca(archivio(), RicercaSchede::Filtri()), QStringList());
    QVERIFY(QFileInfo(archivio()).isFile());
    QCOMPARE(QFileInfo(archivio()).size(), 0);
}

void TestSearchLogic::unreadableArchiveThrowsForSearchButNotForSummary()
{
    QVERIFY(QDir().mkpath(archivio()));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, RicercaSchede::cerca(archivio(), RicercaSchede::Filtri()));
    QCOMPARE(RicercaSchede::daRicontattare(archivio()), QStringList());
    QVERIFY_THROWS_EXCEPTION(
        ArchiveError, RicercaSchede::richiama(archivio(), QString(), [](const TSchedaAnagrafica&, int) {}));
}

QTEST_GUILESS_MAIN(TestSearchLogic)
#include "tst_search_logic.moc"
