#include "registry/CandidatiRegole.h"

#include <QTest>

using CandidatiRegole::Comando;
using Esito = CandidatiRegole::Passo::Esito;

Q_DECLARE_METATYPE(CandidatiRegole::Comando)
Q_DECLARE_METATYPE(CandidatiRegole::Passo::Esito)

class TestCandidatiRegole : public QObject {
    Q_OBJECT

private slots:
    void browsingStep_data();
    void browsingStep();
    void codeCheckChoice_data();
    void codeCheckChoice();
    void mailTargetIsQuotedAndTrimmed();
    void upperCaseTouchesOnlyAsciiLetters();
    void requiredFieldsInOrder();
};

void TestCandidatiRegole::browsingStep_data()
{
    QTest::addColumn<Comando>("comando");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<int>("numero");
    QTest::addColumn<Esito>("esito");
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("azzera");

    QTest::newRow("first, empty") << Comando::Primo << "" << 0 << Esito::ArchivioVuoto << 0 << false;
    QTest::newRow("first") << Comando::Primo << "3" << 5 << Esito::Leggi << 0 << false;
    QTest::newRow("last, empty") << Comando::Ultimo << "" << 0 << Esito::ArchivioVuoto << 0 << false;
    QTest::newRow("last") << Comando::Ultimo << "" << 5 << Esito::Leggi << 4 << false;
    QTest::newRow("next, empty archive empties position")
        << Comando::Avanti << "2" << 0 << Esito::ArchivioVuoto << 0 << true;
    QTest::newRow("next from new card") << Comando::Avanti << "" << 5 << Esito::Leggi << 0 << false;
    QTest::newRow("next") << Comando::Avanti << "2" << 5 << Esito::Leggi << 2 << false;
    QTest::newRow("next at the last") << Comando::Avanti << "5" << 5 << Esito::Nulla << 0 << false;
    QTest::newRow("previous at 1") << Comando::Indietro << "1" << 5 << Esito::Nulla << 0 << false;
    QTest::newRow("previous at 1, empty archive")
        << Comando::Indietro << "1" << 0 << Esito::Nulla << 0 << false;
    QTest::newRow("previous, empty archive")
        << Comando::Indietro << "" << 0 << Esito::ArchivioVuoto << 0 << false;
    QTest::newRow("previous from new card") << Comando::Indietro << "" << 5 << Esito::Leggi << 0 << false;
    QTest::newRow("previous") << Comando::Indietro << "4" << 5 << Esito::Leggi << 2 << false;
}

void TestCandidatiRegole::browsingStep()
{
    QFETCH(Comando, comando);
    QFETCH(QString, posizione);
    QFETCH(int, numero);
    QFETCH(Esito, esito);
    QFETCH(int, indice);
    QFETCH(bool, azzera);

    const CandidatiRegole::Passo passo = CandidatiRegole::passo(comando, posizione, numero);
    QCOMPARE(passo.esito, esito);
    if (esito == Esito::Leggi)
        QCOMPARE(passo.indice, indice);
    QCOMPARE(passo.azzeraPosizione, azzera);
}

void TestCandidatiRegole::codeCheckChoice_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("partitaIva");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("eleven digits") << "01234567890" << true;
    QTest::newRow("one digit") << "7" << true;
    QTest::newRow("codice fiscale") << "RSSMRA80A01H501U" << false;
    QTest::newRow("digits and a letter") << "0123456789X" << false;
    QTest::newRow("arabic-indic digits are not 0-9") << QString::fromUtf16(u"\u0661\u0662") << false;
}

void TestCandidatiRegole::codeCheckChoice()
{
    QFETCH(QString, testo);
    QFETCH(bool, partitaIva);
    QCOMPARE(CandidatiRegole::verificaCodice(testo) == CandidatiRegole::Verifica::PartitaIva, partitaIva);
}

void TestCandidatiRegole::mailTargetIsQuotedAndTrimmed()
{
    QCOMPARE(CandidatiRegole::destinatarioPosta(QStringLiteral("  a.b@c.it\t")),
             QStringLiteral("\"mailto:a.b@c.it\""));
    QCOMPARE(CandidatiRegole::destinatarioPosta(QString()), QStringLiteral("\"mailto:\""));
}

void TestCandidatiRegole::upperCaseTouchesOnlyAsciiLetters()
{
    QCOMPARE(CandidatiRegole::maiuscoloSenzaSpazi(QStringLiteral(" rssmra80a01h501u ")),
             QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(CandidatiRegole::maiuscoloSenzaSpazi(QString::fromUtf16(u"m\u00e0")),
             QString::fromUtf16(u"M\u00e0"));
}

void TestCandidatiRegole::requiredFieldsInOrder()
{
    QHash<TSchedaAnagrafica::Campo, QString> testi;
    const auto testo = [&testi](TSchedaAnagrafica::Campo campo) { return testi.value(campo); };

    const TSchedaAnagrafica::Campo ordine[] = {TSchedaAnagrafica::Candidato, TSchedaAnagrafica::Sesso,
                                               TSchedaAnagrafica::Email, TSchedaAnagrafica::Cel,
                                               TSchedaAnagrafica::Esperienze};
    for (const TSchedaAnagrafica::Campo campo : ordine) {
        const auto* mancante = CandidatiRegole::primoCampoMancante(testo);
        QVERIFY(mancante);
        QCOMPARE(mancante->campo, campo);
        testi.insert(campo, QStringLiteral(" \t "));
        QCOMPARE(CandidatiRegole::primoCampoMancante(testo)->campo, campo); // blanks count as empty
        testi.insert(campo, QStringLiteral("x"));
    }
    QVERIFY(!CandidatiRegole::primoCampoMancante(testo));
}

QTEST_GUILESS_MAIN(TestCandidatiRegole)
#include "tst_candidati_regole.moc"
