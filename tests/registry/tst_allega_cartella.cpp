#include "registry/CandidatiFixture.h"
#include "support/ReadableNames.h"

#include "registry/AllegaCartella.h"
#include "registry/Candidati.h"
#include "storage/TSchedaAnagrafica.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const kEtichette[] = {"lblFile01", "lblFile02", "lblFile03",
                                  "lblDesc01", "lblDesc02", "lblDesc03"};

QString domandaSovrascrivi()
{
    return QStringLiteral(
        "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
        "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

template <typename T = QWidget> T* in(QDialog& screen, const char* name)
{
    T* control = screen.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qWarning("missing control %s", name);
    return control;
}

void premi(QDialog& screen, const char* name)
{
    QWidget* control = in(screen, name);
    QVERIFY2(control && control->isVisible() && control->isEnabled(), name);
    QTest::mouseClick(control, Qt::LeftButton);
}

} // namespace

// The attachments screen, opened from the registry editor.
class TestAllegaCartella : public CandidatiFixture {
    Q_OBJECT

private slots:
    void init() { apri(); }
    void cleanup() { chiudi(); }

    void screenAsDesigned();
    void attachCopiesIntoTheFolder();
    void openUsesThePlatformPath();
    void replaceAfterTheQuestion();
    void answerNoKeepsTheFolderFile();
    void sameFileAgainIsKept();
    void failingCopyKeepsThePreviousName_data();
    void failingCopyKeepsThePreviousName();
    void nameOutsideTheCodePageIsKeptUsable();
    void cancelKeepsTheCardButNotTheCopy();
    void eraserThenApplyThenSave();
    void longDescriptionStoredAs250();
    void reopeningShowsThreeAttachments();
    void nameLeavingTheFolderIsNeverOpened_data();
    void nameLeavingTheFolderIsNeverOpened();
    void otherModeHandsNothingBack();

private:
    // Opens the attachments screen from the editor and runs the script on it.
    void allega(const std::function<void(QDialog&)>& script);
    QString etichetta(int i) const { return ctl<QLabel>(kEtichette[i])->text(); }
    QString cartella() const { return m_env->path(QStringLiteral("Documenti_Allegati")); }
    // A file outside the program folder, to be chosen in the dialog.
    QString fileScelto(const QString& name, const QByteArray& bytes) const;
};

void TestAllegaCartella::allega(const std::function<void(QDialog&)>& script)
{
    m_env->modal.scripts << script;
    clic("cmdFile");
    QCOMPARE(m_env->modal.openedClasses.constLast(), QStringLiteral("TfrmAllegaCartella"));
}

QString TestAllegaCartella::fileScelto(const QString& name, const QByteArray& bytes) const
{
    QDir(m_env->folder()).mkpath(QStringLiteral("scelti"));
    const QString path = m_env->path(QStringLiteral("scelti/") + name);
    scriviFile(path, bytes);
    return path;
}

void TestAllegaCartella::screenAsDesigned()
{
    allega([](QDialog& s) {
        QCOMPARE(s.windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(s.size(), QSize(634, 534));
        QCOMPARE(in<QLabel>(s, "lblMemory")->text(), QStringLiteral("candidati"));
        QVERIFY(!in<QLabel>(s, "lblMemory")->isVisible());
        const QStringList nomi = {QStringLiteral("1°"), QStringLiteral("2°"), QStringLiteral("3°")};
        for (int i = 1; i <= 3; ++i) {
            const QByteArray n = QByteArray::number(i).rightJustified(2, '0');
            QCOMPARE(in<QLabel>(s, "lblCampo0" + QByteArray::number(i * 2 - 1))->text(),
                     QStringLiteral("Nome %1 file allegato:").arg(nomi[i - 1]));
            QCOMPARE(in<QLabel>(s, "lblCampo0" + QByteArray::number(i * 2))->text(),
                     QStringLiteral("Descrizione %1 file allegato:").arg(nomi[i - 1]));
            QVERIFY(in<QLineEdit>(s, "txtFile" + n)->isReadOnly());
            QCOMPARE(in<QPushButton>(s, "btnSfoglia" + n)->text(), QStringLiteral("Sfoglia..."));
            QCOMPARE(in<QPushButton>(s, "btnApri" + n)->text(), QStringLiteral("Apri"));
            QVERIFY(!in<QPushButton>(s, "btnApri" + n)->isEnabled());
            QVERIFY(in(s, "imgCancella" + n)->isVisible());
            QVERIFY(!in(s, "imgCancella" + n)->accessibleName().isEmpty());
        }
        QCOMPARE(in<QPushButton>(s, "btnApplica")->text(), QStringLiteral("Applica e chiudi"));
        ReadableNames::check(s);
        QCOMPARE(in<QPushButton>(s, "btnAnnulla")->text(), QStringLiteral("Annulla"));

        QStringList ordine;
        QWidget* w = in(s, "txtFile01");
        w->setFocus();
        for (int i = 0; i < 14; ++i) {
            ordine << w->objectName();
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible())
                w = w->nextInFocusChain();
        }
        QCOMPARE(ordine, (QStringList{"txtFile01", "btnSfoglia01", "btnApri01", "txtDesc01", "txtFile02",
                                      "btnSfoglia02", "btnApri02", "txtDesc02", "txtFile03", "btnSfoglia03",
                                      "btnApri03", "txtDesc03", "btnApplica", "btnAnnulla"}));

        premi(s, "btnSfoglia02"); // the user cancels
        QCOMPARE(in<QLineEdit>(s, "txtFile02")->text(), QString());
    });
    const auto& request = m_env->fileDialogs.requests.constFirst();
    QCOMPARE(request.title, QStringLiteral("Selezionare il file da allegare:"));
    QVERIFY(request.filters.startsWith(QStringLiteral("Tutti i file (*.*) ")));
    QVERIFY(!request.save);
}

void TestAllegaCartella::attachCopiesIntoTheFolder()
{
    const QByteArray contenuto("%PDF-1.4 carta d'identita");
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("Carta identità.pdf"), contenuto);
    allega([&](QDialog& s) {
        premi(s, "btnSfoglia01");
        QCOMPARE(in<QLineEdit>(s, "txtFile01")->text(), QStringLiteral("Carta identità.pdf"));
        QVERIFY(in<QPushButton>(s, "btnApri01")->isEnabled());
        QTest::keyClicks(in(s, "txtDesc01"), "Documento");
        premi(s, "btnApplica");
        QVERIFY(!s.isVisible());
    });
    QCOMPARE(leggiFile(cartella() + QStringLiteral("/Carta identità.pdf")), contenuto);
    QCOMPARE(etichetta(0), QStringLiteral("Carta identità.pdf"));
    QCOMPARE(etichetta(3), QStringLiteral("Documento"));
    QCOMPARE(m_env->messages.shown.size(), 0);

    compilaObbligatori(QStringLiteral("Rossi Anna"));
    clic("cmdSalva");
    const auto schede = leggiArchivio();
    QCOMPARE(schede.size(), 1);
    QCOMPARE(schede[0].testo(TSchedaAnagrafica::File01), QStringLiteral("Carta identità.pdf"));
    QCOMPARE(schede[0].testo(TSchedaAnagrafica::Desc01), QStringLiteral("Documento"));
}

void TestAllegaCartella::openUsesThePlatformPath()
{
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("permesso.jpg"), "JPEG");
    allega([](QDialog& s) {
        premi(s, "btnSfoglia03");
        premi(s, "btnApri03");
    });
    QCOMPARE(m_env->shell.opened,
             QStringList{QDir::toNativeSeparators(cartella() + QStringLiteral("/permesso.jpg"))});
}

void TestAllegaCartella::replaceAfterTheQuestion()
{
    QDir().mkpath(cartella());
    scriviFile(cartella() + QStringLiteral("/doc.pdf"), "vecchio");
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("doc.pdf"), "nuovo");
    m_env->messages.nextAnswers << true;
    allega([](QDialog& s) { premi(s, "btnSfoglia01"); });
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown[0].kind, MessageKind::Question);
    QCOMPARE(m_env->messages.shown[0].text, domandaSovrascrivi());
    QCOMPARE(leggiFile(cartella() + QStringLiteral("/doc.pdf")), QByteArray("nuovo"));
}

void TestAllegaCartella::answerNoKeepsTheFolderFile()
{
    QDir().mkpath(cartella());
    scriviFile(cartella() + QStringLiteral("/doc.pdf"), "vecchio");
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("doc.pdf"), "nuovo");
    m_env->messages.nextAnswers << false;
    allega([](QDialog& s) {
        premi(s, "btnSfoglia02");
        QCOMPARE(in<QLineEdit>(s, "txtFile02")->text(), QStringLiteral("doc.pdf"));
        premi(s, "btnApplica");
    });
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(leggiFile(cartella() + QStringLiteral("/doc.pdf")), QByteArray("vecchio"));
    QCOMPARE(etichetta(1), QStringLiteral("doc.pdf"));
}

void TestAllegaCartella::sameFileAgainIsKept()
{
    QDir().mkpath(cartella());
    const QString allegato = cartella() + QStringLiteral("/passaporto.pdf");
    scriviFile(allegato, "l'unica copia");
    m_env->fileDialogs.nextNames << allegato;
    allega([](QDialog& s) {
        premi(s, "btnSfoglia01");
        QCOMPARE(in<QLineEdit>(s, "txtFile01")->text(), QStringLiteral("passaporto.pdf"));
    });
    QCOMPARE(leggiFile(allegato), QByteArray("l'unica copia"));
    QCOMPARE(m_env->messages.shown.size(), 0);
}

void TestAllegaCartella::failingCopyKeepsThePreviousName_data()
{
    QTest::addColumn<int>("guasto");
    QTest::newRow("chosen file gone") << 0;
    QTest::newRow("a folder under the same name") << 1;
    QTest::newRow("the attachments folder is a file") << 2;
}

void TestAllegaCartella::failingCopyKeepsThePreviousName()
{
    QFETCH(int, guasto);
    QString scelto = fileScelto(QStringLiteral("doc.pdf"), "nuovo");
    if (guasto == 0)
        scelto = m_env->path(QStringLiteral("scelti/sparito.pdf"));
    else if (guasto == 1)
        QDir().mkpath(cartella() + QStringLiteral("/doc.pdf"));
    else
        scriviFile(cartella(), "non una cartella");
    m_env->fileDialogs.nextNames << scelto;
    TSchedaAnagrafica s = scheda(1);
    s.setTesto(TSchedaAnagrafica::File01, QStringLiteral("precedente.pdf"));
    m_screen->MostraScheda(s);
    allega([](QDialog& s) {
        premi(s, "btnSfoglia01");
        QCOMPARE(in<QLineEdit>(s, "txtFile01")->text(), QStringLiteral("precedente.pdf"));
        premi(s, "btnApplica");
    });
    QCOMPARE(m_env->messages.shown.constLast().kind, MessageKind::Warning);
    QVERIFY2(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")),
             qPrintable(m_env->messages.lastText()));
    QCOMPARE(etichetta(0), QStringLiteral("precedente.pdf"));
    if (guasto != 2) {
        const QStringList files = QDir(cartella()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(files.isEmpty(), qPrintable(files.join(QLatin1Char(','))));
    }
}

void TestAllegaCartella::nameOutsideTheCodePageIsKeptUsable()
{
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("护照 Pașaport.pdf"), "scansione");
    allega([](QDialog& s) {
        premi(s, "btnSfoglia01");
        premi(s, "btnApplica");
    });
    compilaObbligatori(QStringLiteral("Ivanova Olga"));
    clic("cmdSalva");
    const QString stored = leggiArchivio().at(0).testo(TSchedaAnagrafica::File01);
    // Characters were lost on the way: a mark of the chosen name keeps it apart from others.
    QVERIFY2(stored.startsWith(QStringLiteral("__ Pasaport~")) && stored.endsWith(QStringLiteral(".pdf")),
             qPrintable(stored));
    QCOMPARE(leggiFile(cartella() + QLatin1Char('/') + stored), QByteArray("scansione"));
}

void TestAllegaCartella::cancelKeepsTheCardButNotTheCopy()
{
    m_env->fileDialogs.nextNames << fileScelto(QStringLiteral("abbandonato.pdf"), "x");
    allega([](QDialog& s) {
        premi(s, "btnSfoglia01");
        QTest::keyClicks(in(s, "txtDesc01"), "mai applicato");
        premi(s, "btnAnnulla");
        QVERIFY(!s.isVisible());
    });
    for (int i = 0; i < 6; ++i)
        QCOMPARE(etichetta(i), QString());
    QVERIFY(QFileInfo::exists(cartella() + QStringLiteral("/abbandonato.pdf")));
}

void TestAllegaCartella::eraserThenApplyThenSave()
{
    TSchedaAnagrafica s = scheda(1);
    s.setTesto(TSchedaAnagrafica::File02, QStringLiteral("vecchio.pdf"));
    s.setTesto(TSchedaAnagrafica::Desc02, QStringLiteral("Permesso di soggiorno"));
    scriviArchivio({s});
    clic("cmdPrimo");
    allega([](QDialog& s) {
        QVERIFY(in<QPushButton>(s, "btnApri02")->isEnabled());
        premi(s, "imgCancella02");
        QCOMPARE(in<QLineEdit>(s, "txtFile02")->text(), QString());
        QVERIFY(!in<QPushButton>(s, "btnApri02")->isEnabled());
        premi(s, "btnApplica");
    });
    QCOMPARE(etichetta(1), QString());
    QCOMPARE(etichetta(4), QStringLiteral("Permesso di soggiorno"));
    clic("cmdSalva");
    const auto schede = leggiArchivio();
    QCOMPARE(schede[0].testo(TSchedaAnagrafica::File02), QString());
    QCOMPARE(schede[0].testo(TSchedaAnagrafica::Desc02), QStringLiteral("Permesso di soggiorno"));
}

void TestAllegaCartella::longDescriptionStoredAs250()
{
    QString lunga;
    for (int i = 0; i < 300; ++i)
        lunga += QChar(u'a' + i % 26);
    allega([&](QDialog& s) {
        in<QLineEdit>(s, "txtDesc03")->setText(lunga);
        premi(s, "btnApplica");
    });
    QCOMPARE(etichetta(5), lunga);
    compilaObbligatori(QStringLiteral("Bianchi Luca"));
    clic("cmdSalva");
    QCOMPARE(leggiArchivio().at(0).testo(TSchedaAnagrafica::Desc03), lunga.left(250));
}

void TestAllegaCartella::reopeningShowsThreeAttachments()
{
    TSchedaAnagrafica s = scheda(1);
    for (int i = 0; i < 3; ++i) {
        s.setTesto(static_cast<TSchedaAnagrafica::Campo>(TSchedaAnagrafica::File01 + i),
                   QStringLiteral("file%1.pdf").arg(i + 1));
        s.setTesto(static_cast<TSchedaAnagrafica::Campo>(TSchedaAnagrafica::Desc01 + i),
                   QStringLiteral("descrizione %1").arg(i + 1));
    }
    scriviArchivio({scheda(2), s});
    clic("cmdUltimo");
    allega([](QDialog& s) {
        for (int i = 1; i <= 3; ++i) {
            const QByteArray n = "0" + QByteArray::number(i);
            QCOMPARE(in<QLineEdit>(s, "txtFile" + n)->text(), QStringLiteral("file%1.pdf").arg(i));
            QCOMPARE(in<QLineEdit>(s, "txtDesc" + n)->text(), QStringLiteral("descrizione %1").arg(i));
            QVERIFY(in<QPushButton>(s, "btnApri" + n)->isEnabled());
        }
    });
}

void TestAllegaCartella::nameLeavingTheFolderIsNeverOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("backslashes") << "..\\..\\Archivio_Anagrafico.fvd";
    QTest::newRow("slashes") << "../unins000.dll";
    QTest::newRow("absolute") << "/etc/passwd";
    QTest::newRow("dot dot") << "..";
}

void TestAllegaCartella::nameLeavingTheFolderIsNeverOpened()
{
    QFETCH(QString, name);
    TSchedaAnagrafica s = scheda(1);
    s.setTesto(TSchedaAnagrafica::File01, name);
    scriviArchivio({s});
    clic("cmdPrimo");
    allega([](QDialog& s) { premi(s, "btnApri01"); });
    QCOMPARE(m_env->shell.opened, QStringList());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
}

void TestAllegaCartella::otherModeHandsNothingBack()
{
    TfrmAllegaCartella screen(m_env->context, m_screen);
    bool consegnato = false;
    connect(&screen, &TfrmAllegaCartella::applica, this, [&] { consegnato = true; });
    screen.show();
    screen.findChild<QLineEdit*>(QStringLiteral("txtDesc01"))->setText(QStringLiteral("x"));
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnApplica")), Qt::LeftButton);
    QVERIFY(!consegnato);
    QVERIFY(screen.isVisible());
}

CANDIDATI_TEST_MAIN(TestAllegaCartella)
#include "tst_allega_cartella.moc"
