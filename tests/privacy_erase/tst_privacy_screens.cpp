#include "PrivacyFixture.h"
#include "registry/CandidatiFixture.h"

#include "privacy/erase/EraseLog.h"
#include "privacy/erase/PersonErase.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace PrivacyFixture;

namespace {
struct Ucciso {};
} // namespace

class TestPrivacyScreens : public CandidatiFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { chiudi(); }

    void exportWritesTheZipProposedByName();
    void exportOfANewCardIsRefused();
    void eraseShowsPreviewAndNamesThePerson();
    void eraseAnsweredNoKeepsEverything();
    void erasedCardBrowsesAsEmpty();
    void oldCardSavedLaterIsAsked();
    void unfinishedEraseIsOfferedWhenTheEditorOpens();

private:
    void carica()
    {
        m_screen->caricaScheda(leggiArchivio().at(kPosizione - 1), kPosizione);
        QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), kNome);
    }
    void azione(const char* name)
    {
        auto* action = m_screen->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
    }
    QByteArray record(int position) const
    {
        return archivioGrezzo().mid((position - 1) * TSchedaAnagrafica::kSize, TSchedaAnagrafica::kSize);
    }
};

void TestPrivacyScreens::init()
{
    apri();
    costruisci(m_env->folder());
    QVERIFY(ctl<QPushButton>("btnPrivacy"));
    QCOMPARE(ctl<QPushButton>("btnPrivacy")->accessibleName(), QStringLiteral("Privacy"));
}

void TestPrivacyScreens::exportWritesTheZipProposedByName()
{
    carica();
    QTemporaryDir fuori;
    const QString zip = fuori.filePath(QStringLiteral("persona.zip"));
    m_env->fileDialogs.nextNames << zip;
    azione("actEsportaPersona");
    QCOMPARE(m_env->fileDialogs.requests.size(), 1);
    QCOMPARE(m_env->fileDialogs.requests.first().proposedName,
             QStringLiteral("Dati_Verd\u00F9_Nicol\u00F2.zip"));
    QVERIFY(QFileInfo(zip).size() > 0);
    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Information);
    QVERIFY(m_env->messages.lastText().contains(kNome));
}

void TestPrivacyScreens::exportOfANewCardIsRefused()
{
    azione("actEsportaPersona");
    azione("actCancellaPersona");
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.shown[1].kind, MessageKind::Warning);
    QVERIFY(m_env->fileDialogs.requests.isEmpty());
    QVERIFY(m_env->modal.openedClasses.isEmpty());
}

void TestPrivacyScreens::eraseShowsPreviewAndNamesThePerson()
{
    carica();
    QStringList elementi;
    bool spuntato = true;
    QString backup;
    m_env->modal.scripts << [&](QDialog& screen) {
        auto* lista = screen.findChild<QListWidget*>(QStringLiteral("lstElementi"));
        for (int i = 0; lista && i < lista->count(); ++i)
            elementi << lista->item(i)->text();
        auto* riquadri = screen.findChild<QCheckBox*>(QStringLiteral("chkRiquadri"));
        spuntato = riquadri->isChecked();
        QCOMPARE(riquadri->accessibleName(), QStringLiteral("svuota anche i riquadri dei gruppi"));
        backup = screen.findChild<QLabel*>(QStringLiteral("lblBackup"))->text();
        riquadri->setChecked(true);
        screen.findChild<QPushButton*>(QStringLiteral("btnCancella"))->click();
    };
    m_env->messages.nextAnswers << true;
    azione("actCancellaPersona");

    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmCancellaPersona")});
    QVERIFY(!spuntato); // off by default
    QVERIFY(backup.contains(QStringLiteral("backup")));
    QVERIFY(elementi.contains(QStringLiteral("la scheda 2 (sostituita da una scheda vuota)")));
    QVERIFY(elementi.contains(QStringLiteral("la foto: Scheda_Anagrafica_2.jpg")));
    QVERIFY(elementi.contains(QStringLiteral("l'allegato: carta_identit\u00E0.pdf")));
    QVERIFY(
        elementi.contains(QStringLiteral("l'allegato condiviso.txt resta: lo usa anche un'altra scheda")));
    QVERIFY(elementi.contains(QStringLiteral(
        "solo se spuntato sotto: il riquadro H della pagina 2 del gruppo Quinta B, con la sua foto")));

    // The second confirmation names the person.
    const ShownMessage domanda = m_env->messages.shown.at(0);
    QCOMPARE(domanda.kind, MessageKind::Question);
    QVERIFY(domanda.text.contains(kNome));
    QVERIFY(domanda.text.contains(QStringLiteral("scheda 2")));

    QCOMPARE(m_env->messages.shown.last().kind, MessageKind::Information);
    QCOMPARE(record(kPosizione), PersonErase::emptyCard());
    QCOMPARE(trovati(m_env->folder(), tracce()), QStringList{});
    QCOMPARE(posizione(), QStringLiteral("2"));
    QVERIFY(txt(TSchedaAnagrafica::Candidato)->text().isEmpty());
    QVERIFY(fotoSegnaposto());
}

void TestPrivacyScreens::eraseAnsweredNoKeepsEverything()
{
    carica();
    const QByteArray prima = archivioGrezzo();
    m_env->modal.scripts <<
        [](QDialog& screen) { screen.findChild<QPushButton*>(QStringLiteral("btnCancella"))->click(); };
    m_env->messages.nextAnswers << false;
    azione("actCancellaPersona");
    QCOMPARE(archivioGrezzo(), prima);
    QVERIFY(QFile::exists(fotoScheda(kPosizione)));
    QVERIFY(!QFile::exists(EraseLog::path(m_env->folder())));
    QCOMPARE(txt(TSchedaAnagrafica::Candidato)->text(), kNome);
}

void TestPrivacyScreens::erasedCardBrowsesAsEmpty()
{
    QVERIFY(PersonErase(m_env->folder(), {}).erase(kPosizione, false).done);
    clic("cmdPrimo");
    QVERIFY(ctl<QCheckBox>("chkRicontatta")->isChecked()); // card 1 is to be called back
    clic("cmdAvanti");
    QCOMPARE(posizione(), QStringLiteral("2"));
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        QVERIFY(txt(TSchedaAnagrafica::Campo(i))->text().isEmpty());
    QVERIFY(!ctl<QCheckBox>("chkRicontatta")->isChecked());
    QVERIFY(fotoSegnaposto());
    QVERIFY(ctl<QLabel>("lblFile01")->text().isEmpty());
    // Nothing left to export or erase.
    m_env->messages.clear();
    azione("actCancellaPersona");
    QCOMPARE(m_env->messages.texts(), QStringList{QStringLiteral("Attenzione: la scheda 2 è già vuota.")});
    QVERIFY(m_env->modal.openedClasses.isEmpty());
}

void TestPrivacyScreens::oldCardSavedLaterIsAsked()
{
    carica();
    // Another workstation erases the card shown here.
    QVERIFY(PersonErase(m_env->folder(), {}).erase(kPosizione, false).done);
    txt(TSchedaAnagrafica::Note)->setText(QStringLiteral("cambiata"));
    m_env->messages.nextAnswers << false << false;
    clic("cmdSalva");
    QVERIFY(m_env->messages.shown.size() >= 1);
    QVERIFY(
        m_env->messages.shown.first().text.contains(QStringLiteral("cancellato la persona della scheda 2")));
    QCOMPARE(record(kPosizione), PersonErase::emptyCard());
}

void TestPrivacyScreens::unfinishedEraseIsOfferedWhenTheEditorOpens()
{
    {
        PersonErase erase(m_env->folder(), {});
        erase.afterStep = [](PersonErase::Step step) {
            if (step == PersonErase::Step::Files)
                throw Ucciso();
        };
        QVERIFY_THROWS_EXCEPTION(Ucciso, erase.erase(kPosizione, true));
    }
    QVERIFY(!trovati(m_env->folder(), tracce()).isEmpty());
    m_screen->hide();
    m_env->messages.nextAnswers << true;
    m_screen->present();
    QVERIFY(m_env->messages.shown.size() >= 2);
    QVERIFY(m_env->messages.shown[0].text.contains(QStringLiteral("la cancellazione della scheda 2")));
    QCOMPARE(m_env->messages.shown[1].kind, MessageKind::Information);
    QVERIFY(EraseLog(m_env->folder()).unfinished().isEmpty());
    QCOMPARE(trovati(m_env->folder(), tracce()), QStringList{});
}

CANDIDATI_TEST_MAIN(TestPrivacyScreens)
#include "tst_privacy_screens.moc"
