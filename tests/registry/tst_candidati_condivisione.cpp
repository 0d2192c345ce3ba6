#include "registry/CandidatiFixture.h"

#include "registry/Candidati.h"
#include "storage/ArchiveAccess.h"
#include "storage/ArchiveSteps.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

// Two workstations on one card: a save never overwrites unasked what the other saved meanwhile;
// on a share mounted unsafely the archives are read-only.
class TestCandidatiCondivisione : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup()
    {
        ArchiveAccess::setReadOnly(QString());
        chiudi();
    }

    void changedMeanwhile_data();
    void changedMeanwhile();
    void erasedMeanwhile_data();
    void erasedMeanwhile();
    void unchangedCardSavesWithoutQuestion();
    void readOnlyArchivesRefuseEveryWrite_data();
    void readOnlyArchivesRefuseEveryWrite();

private:
    // Another workstation saves card 2 with a new note.
    void altraPostazioneSalva(const QString& nota) const
    {
        TSchedaAnagrafica altra = scheda(2);
        altra.setTesto(TSchedaAnagrafica::Note, nota);
        ArchiveSteps::salva(archivio(), QStringLiteral("2"), altra.buffer());
    }
};

void TestCandidatiCondivisione::changedMeanwhile_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("storedNote");
    QTest::addColumn<QString>("shownNote");
    QTest::addColumn<int>("questions");
    QTest::newRow("overwrite") << QList<bool>{true} << "di qui"
                               << "di qui" << 1;
    QTest::newRow("reload") << QList<bool>{false, true} << "dall'altra"
                            << "dall'altra" << 2;
    QTest::newRow("cancel") << QList<bool>{false, false} << "dall'altra"
                            << "di qui" << 2;
}

void TestCandidatiCondivisione::changedMeanwhile()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QString, storedNote);
    QFETCH(QString, shownNote);
    QFETCH(int, questions);
    scriviArchivio(3);
    clic("cmdPrimo");
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("di qui"));
    altraPostazioneSalva(QStringLiteral("dall'altra"));
    const QByteArray before = archivioGrezzo();

    m_env->messages.nextAnswers = answers;
    clic("cmdSalva");

    int asked = 0;
    for (const ShownMessage& message : m_env->messages.shown)
        asked += message.kind == MessageKind::Question ? 1 : 0;
    QCOMPARE(asked, questions);
    QVERIFY(m_env->messages.shown.first().text.contains(QStringLiteral("un'altra postazione ha modificato la "
                                                                       "scheda 2")));
    QCOMPARE(leggiArchivio().at(1).testo(TSchedaAnagrafica::Note), storedNote);
    QCOMPARE(txt(TSchedaAnagrafica::Note)->text(), shownNote);
    QCOMPARE(posizione(), QStringLiteral("2"));
    QCOMPARE(archivioGrezzo().size(), before.size());
    if (storedNote != QLatin1String("di qui"))
        QCOMPARE(archivioGrezzo(), before);

    // What the screen shows now is what it knows of the archive: the next save asks only if
    // the card is changed elsewhere again.
    if (shownNote == storedNote) {
        m_env->messages.clear();
        clic("cmdSalva");
        QCOMPARE(m_env->messages.shown.size(), 1);
        QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    }
}

void TestCandidatiCondivisione::erasedMeanwhile_data()
{
    QTest::addColumn<bool>("saveAsNew");
    QTest::newRow("saved as a new card") << true;
    QTest::newRow("not saved") << false;
}

void TestCandidatiCondivisione::erasedMeanwhile()
{
    QFETCH(bool, saveAsNew);
    scriviArchivio(3);
    clic("cmdUltimo");
    QCOMPARE(posizione(), QStringLiteral("3"));
    QVERIFY(QFile::resize(archivio(), TSchedaAnagrafica::kSize));

    m_env->messages.nextAnswers = {saveAsNew};
    clic("cmdSalva");

    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QVERIFY(m_env->messages.shown.first().text.contains(QStringLiteral("la scheda 3 non è più in archivio")));
    if (saveAsNew) {
        QCOMPARE(posizione(), QStringLiteral("2"));
        QCOMPARE(QFileInfo(archivio()).size(), 2 * TSchedaAnagrafica::kSize);
        QCOMPARE(leggiArchivio().at(1).testo(TSchedaAnagrafica::Candidato), QStringLiteral("Persona 3"));
        QCOMPARE(m_env->messages.lastText(),
                 QStringLiteral("La scheda corrente è stata inserita in archivio."));
    } else {
        QCOMPARE(posizione(), QStringLiteral("3"));
        QCOMPARE(QFileInfo(archivio()).size(), TSchedaAnagrafica::kSize);
        QCOMPARE(m_env->messages.shown.size(), 1);
    }
}

void TestCandidatiCondivisione::unchangedCardSavesWithoutQuestion()
{
    scriviArchivio(3);
    clic("cmdUltimo");
    // Another workstation rewrites a different card: this one is not concerned.
    altraPostazioneSalva(QStringLiteral("dall'altra"));
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("di qui"));
    clic("cmdSalva");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QCOMPARE(leggiArchivio().at(2).testo(TSchedaAnagrafica::Note), QStringLiteral("di qui"));
    QCOMPARE(leggiArchivio().at(1).testo(TSchedaAnagrafica::Note), QStringLiteral("dall'altra"));
}

void TestCandidatiCondivisione::readOnlyArchivesRefuseEveryWrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Salva") << "cmdSalva";
    QTest::newRow("Nuovo") << "cmdNuovo";
    QTest::newRow("Duplica") << "cmdDuplica";
    QTest::newRow("Importa") << "cmdImporta";
    QTest::newRow("Importa foto da cartella") << "cmdFotoCartella";
    QTest::newRow("Cancella persona") << "actCancellaPersona";
}

// Every command that saves, adds or deletes says why the archives are read-only and does
// nothing: no card written, no screen opened, the card on show as it was.
void TestCandidatiCondivisione::readOnlyArchivesRefuseEveryWrite()
{
    QFETCH(QString, command);
    scriviArchivio(3);
    clic("cmdUltimo");
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("di qui"));
    const QByteArray before = archivioGrezzo();
    const QString message = QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova).");
    ArchiveAccess::setReadOnly(message);
    m_env->messages.clear();

    if (command.startsWith(QLatin1String("act"))) {
        auto* action = m_screen->findChild<QAction*>(command);
        QVERIFY(action);
        action->trigger();
    } else {
        clic(command.toLatin1().constData());
    }

    QCOMPARE(m_env->messages.texts(), QStringList{message});
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->modal.openedClasses.isEmpty());
    QCOMPARE(archivioGrezzo(), before);
    QCOMPARE(posizione(), QStringLiteral("3"));
    QCOMPARE(txt(TSchedaAnagrafica::Note)->text(), QStringLiteral("di qui"));
}

CANDIDATI_TEST_MAIN(TestCandidatiCondivisione)
#include "tst_candidati_condivisione.moc"
