// The group page editor and the work not yet saved: the question before a page is left, long
// imported lines, field captions, a save that cannot write its photos, and the hint line.

#include "groups/ListinoFixture.h"
#include "support/LeavingCases.h"
#include "support/TestFiles.h"

#include "storage/TSchedaAnagrafica.h"
#include "widgets/PhotoBox.h"
#include "widgets/UnsavedChanges.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Answer = MessageBoxes::Answer;

} // namespace

class TestListinoModifiche : public ListinoFixture {
    Q_OBJECT

private slots:
    void cleanup() { chiudi(); }

    void unsavedEditsAreAskedAbout_data();
    void unsavedEditsAreAskedAbout();
    void untouchedPageIsLeftWithoutAQuestion();
    void longImportedLinesAreNamedBeforeSaving();
    void captionsNeverReachTheFile();
    void pageIsNotSavedWhenItsPhotosCannotBeWritten();
    void everyHintIsDrawnAsTheFirst();
};

void TestListinoModifiche::unsavedEditsAreAskedAbout_data()
{
    LeavingCases::addRows();
}

void TestListinoModifiche::unsavedEditsAreAskedAbout()
{
    QFETCH(QString, comando);
    QFETCH(Answer, risposta);
    apri(3);
    clic(QStringLiteral("cmdPrimo"));
    clic(QStringLiteral("cmdAvanti")); // page 2
    txt(0, TSchedaGruppo::Caratteristiche)->setText(QStringLiteral("Cambiata"));
    m_env->messages.clear();
    m_env->messages.nextChoices = {risposta};
    clic(comando);

    QVERIFY(!m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    QCOMPARE(m_env->messages.shown.first().text, UnsavedChanges::question());
    const QString salvata = leggiPagine().at(1).testo(0, TSchedaGruppo::Caratteristiche).trimmed();
    QCOMPARE(salvata, risposta == Answer::Yes ? QStringLiteral("Cambiata") : QStringLiteral("Note 2"));
    if (risposta == Answer::Cancel) {
        // Nothing moves: the page and its edit stay on the screen.
        QCOMPARE(posizione(), QStringLiteral("2"));
        QCOMPARE(txt(0, TSchedaGruppo::Caratteristiche)->text(), QStringLiteral("Cambiata"));
        QVERIFY(m_screen->isVisible());
    } else if (comando == u"cmdEsci") {
        QVERIFY(!m_screen->isVisible());
    } else {
        QVERIFY(txt(0, TSchedaGruppo::Caratteristiche)->text() != QStringLiteral("Cambiata"));
    }
}

void TestListinoModifiche::untouchedPageIsLeftWithoutAQuestion()
{
    apri(2);
    clic(QStringLiteral("cmdPrimo"));
    clic(QStringLiteral("cmdAvanti"));
    clic(QStringLiteral("cmdNuovo"));
    compilaA(QStringLiteral("Rossi Mario"));
    clic(QStringLiteral("cmdSalva")); // saved: nothing left to ask about
    m_env->messages.clear();
    clic(QStringLiteral("cmdPrimo"));
    clic(QStringLiteral("cmdEsci"));
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(!m_screen->isVisible());
}

void TestListinoModifiche::longImportedLinesAreNamedBeforeSaving()
{
    apri();
    compilaA(QStringLiteral("Rossi Mario"));
    TSchedaAnagrafica persona;
    persona.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("Bianchi Anna"));
    persona.setTesto(TSchedaAnagrafica::Email, QStringLiteral("anna.bianchi.lunghissimo@esempio-lungo.it"));
    persona.setTesto(TSchedaAnagrafica::Cel, QString(40, QLatin1Char('3')));
    m_screen->importaPersona(QLatin1Char('C'), persona, 1);
    m_env->messages.nextAnswers = {false};
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Question);
    const QString domanda = m_env->messages.lastText();
    QVERIFY2(domanda.contains(QStringLiteral("E-mail del riquadro C")), qPrintable(domanda));
    QVERIFY2(domanda.contains(QStringLiteral("Cellulare del riquadro C")), qPrintable(domanda));
    QVERIFY(!domanda.contains(QStringLiteral("riquadro A")));
    QCOMPARE(QFileInfo(gruppo()).size(), 0); // "No": nothing saved
    // "Sì" saves what fits.
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(leggiPagine().size(), 1);
    QCOMPARE(leggiPagine().at(0).testo(2, TSchedaGruppo::Codice).size(), 40);
}

void TestListinoModifiche::captionsNeverReachTheFile()
{
    apri();
    const QStringList attesi = {QStringLiteral("Cognome e nome"), QStringLiteral("Ruolo"),
                                QStringLiteral("Note"), QStringLiteral("E-mail"),
                                QStringLiteral("Cellulare")};
    const TSchedaGruppo::Campo campi[] = {TSchedaGruppo::Nome, TSchedaGruppo::UM,
                                          TSchedaGruppo::Caratteristiche, TSchedaGruppo::Codice,
                                          TSchedaGruppo::Prezzo};
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(txt(i, campi[c])->placeholderText(), attesi.at(c));
            QCOMPARE(txt(i, campi[c])->text(), QString());
        }
    }
    compilaA(QStringLiteral("Rossi Mario"));
    clic(QStringLiteral("cmdSalva"));
    const TSchedaGruppo scritta = leggiPagine().at(0);
    for (int c = 0; c < 5; ++c)
        QCOMPARE(scritta.testo(1, campi[c]).trimmed(), QString());
}

void TestListinoModifiche::pageIsNotSavedWhenItsPhotosCannotBeWritten()
{
    apri(1);
    clic(QStringLiteral("cmdPrimo"));
    const QByteArray prima = TestFiles::readAll(gruppo());
    // A folder where the photo of slot C must go: that photo cannot be written.
    QVERIFY(QDir().mkpath(fotoRiquadro(QLatin1Char('C'), 1)));
    txt(0, TSchedaGruppo::Caratteristiche)->setText(QStringLiteral("Cambiata"));
    m_screen->imgFoto(0)->setPicture(tinta(282, 366, Qt::green));
    clic(QStringLiteral("cmdSalva"));
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY2(m_env->messages.lastText().contains(QStringLiteral("non è stata salvata")),
             qPrintable(m_env->messages.lastText()));
    // The old page whole: its record, and no photo of the new one.
    QCOMPARE(TestFiles::readAll(gruppo()), prima);
    QVERIFY(!QFileInfo::exists(fotoRiquadro(QLatin1Char('A'), 1)));
    QCOMPARE(QDir(m_env->path(QStringLiteral("Foto_Gruppo"))).entryList(QDir::Files | QDir::Hidden),
             QStringList());
}

void TestListinoModifiche::everyHintIsDrawnAsTheFirst()
{
    apri();
    auto* riga = ctl<QLabel>(QStringLiteral("panInfo"));
    const QRect prima = riga->geometry();
    QVERIFY(riga->alignment().testFlag(Qt::AlignVCenter));
    auto* salva = ctl(QStringLiteral("cmdSalva"));
    QTest::mouseMove(salva, salva->rect().center());
    QTRY_COMPARE(riga->text(), QStringLiteral("Salva la scheda corrente."));
    // The same strip, the text centred in it as the first one was.
    QCOMPARE(riga->y(), prima.y());
    QCOMPARE(riga->height(), prima.height());
    QCOMPARE(riga->accessibleName(), QString());
    QCOMPARE(riga->accessibleDescription(), QStringLiteral("Riga dei suggerimenti"));
}

CANDIDATI_TEST_MAIN(TestListinoModifiche)
#include "tst_listino_modifiche.moc"
