#include "registry/CandidatiRegole.h"

#include <QTest>

using CandidatiRegole::Comando;
using Esito = CandidatiRegole::Passo::Esito;

Q_DECLARE_METATYPE(CandidatiRegole::Comando)
Q_DECLARE_METATYPE(CandidatiRegole::Passo::Esito)
Q_DECLARE_METATYPE(TSchedaAnagrafica::Campo)

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
    void datesLongerThanTheirField_data();
    void datesLongerThanTheirField();
    void longDateMessages();
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

void TestCandidatiRegole::datesLongerThanTheirField_data()
{
    using C = TSchedaAnagrafica;
    QTest::addColumn<C::Campo>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("troppoLunga");
    QTest::addColumn<QString>("proposta");
    QTest::newRow("expiry written out") << C::FineTes << "3 maggio 2027" << true << "03/05/2027";
    QTest::newRow("issue date written out") << C::InizioTes << "15 settembre 2020" << true << "15/09/2020";
    QTest::newRow("birth, two-digit year") << C::DataNasc << "12 dicembre 80" << true << "12/12/1980";
    QTest::newRow("ten characters fit") << C::FineTes << "3 mag 2027" << false << "";
    QTest::newRow("blanks around do not count") << C::FineTes << "  03/05/2027  " << false << "";
    QTest::newRow("long but no date") << C::FineTes << "fine maggio 2027" << true << "";
    QTest::newRow("birth in the future is no date") << C::DataNasc << "3 maggio 2099" << true << "";
    QTest::newRow("other fields are not dates")
        << C::Documento << "carta d'identit\u00E0 AB123" << false << "";
}

void TestCandidatiRegole::datesLongerThanTheirField()
{
    QFETCH(TSchedaAnagrafica::Campo, campo);
    QFETCH(QString, testo);
    QFETCH(bool, troppoLunga);
    QFETCH(QString, proposta);
    const auto testi = [&](TSchedaAnagrafica::Campo c) { return c == campo ? testo : QString(); };
    const auto lunga = CandidatiRegole::primaDataTroppoLunga(testi, QDate(2026, 12, 11));
    QCOMPARE(lunga.has_value(), troppoLunga);
    if (lunga) {
        QCOMPARE(lunga->campo, campo);
        QCOMPARE(lunga->proposta, proposta);
        // Whatever is proposed fits the field.
        QVERIFY(lunga->proposta.size() <= TSchedaAnagrafica::layoutOf(campo).capacity);
    }
    QCOMPARE(CandidatiRegole::campoData(campo), campo != TSchedaAnagrafica::Documento);
}

void TestCandidatiRegole::longDateMessages()
{
    const CandidatiRegole::DataTroppoLunga data{TSchedaAnagrafica::FineTes, QStringLiteral("3 maggio 2027"),
                                                QStringLiteral("03/05/2027")};
    QCOMPARE(data.messaggio(),
             QStringLiteral("La data \"3 maggio 2027\" non entra nella casella Data scadenza, "
                            "che contiene 10 caratteri: sarebbe salvata come \"3 maggio 2\"."
                            "\r\n\r\nVuoi scriverla come 03/05/2027?"));
    const CandidatiRegole::DataTroppoLunga testo{TSchedaAnagrafica::DataNasc,
                                                 QStringLiteral("primavera del 1980"), QString()};
    QCOMPARE(testo.messaggio(),
             QStringLiteral("Attenzione: la casella Data nascita contiene 10 caratteri e "
                            "\"primavera del 1980\" sarebbe salvato come \"primavera\". "
                            "Scrivi la data in una forma che entra, per esempio 03/05/2027, "
                            "3/5/27 oppure 3 mag 27."));
}

QTEST_GUILESS_MAIN(TestCandidatiRegole)
#include "tst_candidati_regole.moc"
