#include "groups/ListinoFixture.h"

#include "storage/ArchiveSteps.h"

#include <QLineEdit>
#include <QTest>

// Two workstations on one group page: the save asks before it overwrites the other's change.
class TestListinoCondivisione : public ListinoFixture {
    Q_OBJECT

private slots:
    void init() { apri(3); }
    void cleanup() { chiudi(); }

    void changedMeanwhile_data();
    void changedMeanwhile();
};

void TestListinoCondivisione::changedMeanwhile_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("overwrite") << QList<bool>{true} << "di qui"
                               << "di qui";
    QTest::newRow("reload") << QList<bool>{false, true} << "dall'altra"
                            << "dall'altra";
    QTest::newRow("cancel") << QList<bool>{false, false} << "dall'altra"
                            << "di qui";
}

void TestListinoCondivisione::changedMeanwhile()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    clic(QStringLiteral("cmdPrimo"));
    QCOMPARE(posizione(), QStringLiteral("1"));
    txt(7, TSchedaGruppo::Nome)->setText(QStringLiteral("di qui"));
    TSchedaGruppo altra = pagina(1);
    altra.setTesto(7, TSchedaGruppo::Nome, QStringLiteral("dall'altra"));
    ArchiveSteps::salva(gruppo(), QStringLiteral("1"), altra.buffer());

    m_env->messages.nextAnswers = answers;
    clic(QStringLiteral("cmdSalva"));

    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QCOMPARE(leggiPagine().at(0).testo(7, TSchedaGruppo::Nome), stored);
    QCOMPARE(txt(7, TSchedaGruppo::Nome)->text(), shown);
    QCOMPARE(leggiPagine().size(), 3);
    QCOMPARE(posizione(), QStringLiteral("1"));
}

CANDIDATI_TEST_MAIN(TestListinoCondivisione)
#include "tst_listino_condivisione.moc"
