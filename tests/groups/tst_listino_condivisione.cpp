#include "groups/ListinoFixture.h"

#include "storage/ArchiveAccess.h"
#include "storage/ArchiveSteps.h"

#include <QLineEdit>
#include <QTest>

// Two workstations on one group page: the save asks before it overwrites the other's change.
class TestListinoCondivisione : public ListinoFixture {
    Q_OBJECT

private slots:
    void init() { apri(3); }
    void cleanup()
    {
        ArchiveAccess::setReadOnly(QString());
        chiudi();
    }

    void changedMeanwhile_data();
    void changedMeanwhile();
    void readOnlyArchivesRefuseEveryWrite_data();
    void readOnlyArchivesRefuseEveryWrite();
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

void TestListinoCondivisione::readOnlyArchivesRefuseEveryWrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Salva") << "cmdSalva";
    QTest::newRow("Nuovo") << "cmdNuovo";
}

void TestListinoCondivisione::readOnlyArchivesRefuseEveryWrite()
{
    QFETCH(QString, command);
    clic(QStringLiteral("cmdPrimo"));
    txt(7, TSchedaGruppo::Nome)->setText(QStringLiteral("di qui"));
    const QList<TSchedaGruppo> before = leggiPagine();
    const QString message = QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova).");
    ArchiveAccess::setReadOnly(message);
    m_env->messages.clear();

    clic(command);

    QCOMPARE(m_env->messages.texts(), QStringList{message});
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(leggiPagine().size(), before.size());
    QCOMPARE(leggiPagine().at(0).buffer(), before.at(0).buffer());
    QCOMPARE(posizione(), QStringLiteral("1"));
    QCOMPARE(txt(7, TSchedaGruppo::Nome)->text(), QStringLiteral("di qui"));
}

CANDIDATI_TEST_MAIN(TestListinoCondivisione)
#include "tst_listino_condivisione.moc"
