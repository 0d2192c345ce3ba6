// The new-group and open-group screens.

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "storage/ArchiveAccess.h"
#include "widgets/Looks.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

void click(QWidget* screen, const char* name)
{
    auto* control = screen->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(control, name);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

const QString kUsato = QStringLiteral(
    "Attenzione: il nome del gruppo indicato è già stato utilizzato in precedenza.\r\n\r\nInserire un nome "
    "diverso oppure, se si desidera aprire un gruppo già creato, premere il pulsante Apri gruppo esistente.");
const QString kCreato =
    QStringLiteral("Il file di archivio relativo al nuovo gruppo è stato creato con successo."
                   "\r\n\r\nÈ ora possibile visualizzarlo nell'elenco dei gruppi esistenti.");
const QString kVuoto = QStringLiteral("Attenzione: l'elenco non contiene nessun gruppo.");

} // namespace

class TestGruppiSchermate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void creationScreenAsDesigned();
    void blankNameIsRefused();
    void trimmedNameCreatesAnEmptyFile();
    void usedNameLeavesTheFileAlone();
    void pastedNamesAreRefused_data();
    void pastedNamesAreRefused();
    void fileThatCannotBeCreated();
    void keyFilterSwallowsCharacters_data();
    void keyFilterSwallowsCharacters();
    void listIsSortedAndCounted();
    void countIsSingularForOne_data();
    void countIsSingularForOne();
    void emptyListWarns_data();
    void emptyListWarns();
    void noSelectionWarns_data();
    void noSelectionWarns();
    void deletionAsksAndRefills();
    void deletionAnsweredNoChangesNothing();
    void deletionFailureIsReported();
    void openingHandsTheGroupOver();
    void firstEntryIsReallySelected();
    void leadingBlankNamesTheFileExactly_data();
    void leadingBlankNamesTheFileExactly();
    void enterInTheNameFieldCreates();
    void namesThatCannotBeGroups_data();
    void namesThatCannotBeGroups();
    void oneNameWhateverItsUnicodeForm();
    void deletionRemovesOnlyTheGroupsPhotos();
    void readOnlyArchivesCreateAndDeleteNoGroup();

private:
    void creaGruppi(const QStringList& nomi) const;
    void mostraApri();
    QListWidget* elenco() const { return m_flow->apriCatalogo()->lstFiles(); }

    std::unique_ptr<TestEnvironment> m_env;
    ScreenFlow* m_flow = nullptr;
};

void TestGruppiSchermate::init()
{
    m_env = std::make_unique<TestEnvironment>();
    m_flow = &m_env->flow();
}

void TestGruppiSchermate::cleanup()
{
    ArchiveAccess::setReadOnly(QString());
    m_flow = nullptr;
    m_env.reset();
}

void TestGruppiSchermate::creaGruppi(const QStringList& nomi) const
{
    for (const QString& nome : nomi)
        TestFiles::writeAll(m_env->path(nome + QStringLiteral(".fvg")), {});
}

void TestGruppiSchermate::mostraApri()
{
    m_flow->switchTo(m_flow->apriCatalogo(), nullptr);
}

void TestGruppiSchermate::creationScreenAsDesigned()
{
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    screen->txtFile()->setText(QStringLiteral("vecchio"));
    m_flow->switchTo(screen, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    QCOMPARE(screen->txtFile()->text(), QString());
    QCOMPARE(screen->txtFile()->maxLength(), 250);
    QVERIFY(screen->txtFile()->hasFocus());
    QCOMPARE(screen->txtFile()->font().family(), QStringLiteral("Verdana"));
    QVERIFY(screen->txtFile()->font().bold());
    for (const char* name :
         {"icoIstruzioni", "btnApplica", "btnAnnulla", "imgGuida", "icoMano", "panContainer"})
        QVERIFY2(screen->findChild<QWidget*>(QString::fromLatin1(name)), name);
    auto* lblFile = screen->findChild<QLabel*>(QStringLiteral("lblFile"));
    QVERIFY(lblFile && !lblFile->isVisible());
    click(screen, "imgGuida");
    QCOMPARE(m_env->modal.openedClasses, QStringList{QStringLiteral("TfrmGuida")});
}

void TestGruppiSchermate::blankNameIsRefused()
{
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(QStringLiteral("   \t "));
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(
        m_env->messages.lastText(),
        QStringLiteral("Attenzione: per creare l'archivio è necessario indicare il nome del nuovo gruppo."));
    QVERIFY(screen->isVisible());
    QVERIFY(QDir(m_env->folder()).entryList(QDir::Files).isEmpty());
}

void TestGruppiSchermate::trimmedNameCreatesAnEmptyFile()
{
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(QStringLiteral("  Gita Roma  "));
    click(screen, "btnApplica");
    const QFileInfo file(m_env->path(QStringLiteral("Gita Roma.fvg")));
    QVERIFY(file.exists());
    QCOMPARE(file.size(), 0);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Information);
    QCOMPARE(m_env->messages.lastText(), kCreato);
    QVERIFY(!screen->isVisible());
    QVERIFY(m_flow->avvio()->isVisible());
}

void TestGruppiSchermate::usedNameLeavesTheFileAlone()
{
    TestFiles::writeAll(m_env->path(QStringLiteral("Gita Roma.fvg")), QByteArray(5000, 'x'));
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(QStringLiteral("Gita Roma "));
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.lastText(), kUsato);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(QFileInfo(m_env->path(QStringLiteral("Gita Roma.fvg"))).size(), 5000);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->txtFile()->text(), QStringLiteral("Gita Roma "));
}

void TestGruppiSchermate::pastedNamesAreRefused_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("parent folder") << "../Documenti/x";
    QTest::newRow("sub-folder") << "a/b";
    QTest::newRow("drive") << "C:\\x";
    QTest::newRow("control character") << "Gita\x01Roma";
    QTest::newRow("two dots") << " .. ";
    QTest::newRow("star") << "Classe*";
}

void TestGruppiSchermate::pastedNamesAreRefused()
{
    QFETCH(QString, nome);
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("a"))));
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(nome); // as a paste would put it
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("\" * / : < > ? \\")));
    QVERIFY(screen->isVisible());
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files).size(), 0);
    QCOMPARE(QDir(m_env->path(QStringLiteral("a"))).entryList(QDir::Files).size(), 0);
    QVERIFY(!QFileInfo::exists(QDir::cleanPath(m_env->folder() + QStringLiteral("../Documenti"))));
}

void TestGruppiSchermate::fileThatCannotBeCreated()
{
    // A program folder that has gone: the file system refuses the file.
    m_env->context.programFolder = m_env->path(QStringLiteral("sparita/"));
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(QStringLiteral("Under 14"));
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Error);
    QVERIFY(m_env->messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(m_env->messages.lastText().size() > 90); // the system's reason follows
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->txtFile()->text(), QStringLiteral("Under 14"));
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("sparita"))));
}

void TestGruppiSchermate::keyFilterSwallowsCharacters_data()
{
    QTest::addColumn<QString>("carattere");
    QTest::addColumn<bool>("entra");
    for (const char16_t c : {u'"', u'*', u'/', u':', u'<', u'>', u'?', u'\\', u'°', u'Ç', u'Ñ', u'ç', u'ñ'})
        QTest::newRow(QString(QChar(c)).toUtf8().constData()) << QString(QChar(c)) << false;
    QTest::newRow("bar") << "|" << true;
    QTest::newRow("letter") << "a" << true;
    QTest::newRow("accented") << "è" << true;
    QTest::newRow("dot") << "." << true;
}

void TestGruppiSchermate::keyFilterSwallowsCharacters()
{
    QFETCH(QString, carattere);
    QFETCH(bool, entra);
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    screen->txtFile()->setText(QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, screen->txtFile(), Qt::Key_unknown, carattere, Qt::NoModifier);
    QCOMPARE(screen->txtFile()->text(), entra ? QStringLiteral("ab") + carattere : QStringLiteral("ab"));
}

void TestGruppiSchermate::listIsSortedAndCounted()
{
    creaGruppi(
        {QStringLiteral("Zeta"), QStringLiteral("Éden"), QStringLiteral("Beta"), QStringLiteral("alfa")});
    TestFiles::writeAll(m_env->path(QStringLiteral("altro.txt")), {});
    auto* lblCreati = m_flow->apriCatalogo()->findChild<QLabel*>(QStringLiteral("lblCreati"));
    QCOMPARE(lblCreati->text(), QStringLiteral("Sono stati creati 0 gruppi."));
    mostraApri();
    QStringList testi;
    for (int i = 0; i < elenco()->count(); ++i) {
        testi << elenco()->item(i)->text();
        // No font or colour of its own: the list's.
        QVERIFY(!elenco()->item(i)->data(Qt::FontRole).isValid());
        QVERIFY(!elenco()->item(i)->data(Qt::ForegroundRole).isValid());
    }
    QCOMPARE(elenco()->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(elenco()->font().pointSizeF(), Looks::font(QStringLiteral("Courier New"), 14).pointSizeF());
    QCOMPARE(elenco()->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(testi, (QStringList{"alfa.fvg", "Beta.fvg", "Zeta.fvg", "Éden.fvg"}));
    QCOMPARE(lblCreati->text(), QStringLiteral("Sono stati creati 4 gruppi."));
    QCOMPARE(elenco()->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(m_flow->apriCatalogo()->lblMemory()->text(), QStringLiteral("avvio"));
}

void TestGruppiSchermate::countIsSingularForOne_data()
{
    QTest::addColumn<int>("gruppi");
    QTest::addColumn<QString>("testo");
    QTest::newRow("none") << 0 << "Sono stati creati 0 gruppi.";
    QTest::newRow("one") << 1 << "È stato creato 1 gruppo.";
    QTest::newRow("two") << 2 << "Sono stati creati 2 gruppi.";
}

void TestGruppiSchermate::countIsSingularForOne()
{
    QFETCH(int, gruppi);
    QFETCH(QString, testo);
    const QStringList nomi = {QStringLiteral("Gita Roma"), QStringLiteral("Coro")};
    creaGruppi(nomi.mid(0, gruppi));
    mostraApri();
    if (gruppi > 0)
        QCOMPARE(elenco()->item(gruppi - 1)->text(), QStringLiteral("Gita Roma.fvg"));
    QCOMPARE(m_flow->apriCatalogo()->findChild<QLabel*>(QStringLiteral("lblCreati"))->text(), testo);
}

void TestGruppiSchermate::emptyListWarns_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::newRow("open") << "btnApri";
    QTest::newRow("delete") << "btnElimina";
}

void TestGruppiSchermate::emptyListWarns()
{
    QFETCH(QString, pulsante);
    mostraApri();
    click(m_flow->apriCatalogo(), pulsante.toLatin1().constData());
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QCOMPARE(m_env->messages.lastText(), kVuoto);
    QVERIFY(m_flow->apriCatalogo()->isVisible());
}

void TestGruppiSchermate::noSelectionWarns_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("open")
        << "btnApri"
        << "Attenzione: selezionare il gruppo dall'elenco prima di premere il pulsante Apri "
           "archivio.";
    QTest::newRow("delete")
        << "btnElimina"
        << "Attenzione: selezionare dall'elenco il gruppo da eliminare prima di fare clic "
           "sull'icona del cestino.";
}

void TestGruppiSchermate::noSelectionWarns()
{
    QFETCH(QString, pulsante);
    QFETCH(QString, messaggio);
    creaGruppi({QStringLiteral("Uno"), QStringLiteral("Due")});
    mostraApri();
    elenco()->clearSelection();
    click(m_flow->apriCatalogo(), pulsante.toLatin1().constData());
    QCOMPARE(m_env->messages.lastText(), messaggio);
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files).size(), 2);
    QVERIFY(m_flow->apriCatalogo()->isVisible());
}

void TestGruppiSchermate::deletionAsksAndRefills()
{
    creaGruppi({QStringLiteral("Uno"), QStringLiteral("Due")});
    TestFiles::writeAll(m_env->path(QStringLiteral("Uno.fvg")), QByteArray(TSchedaGruppo::kSize, '\0'));
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Foto_Gruppo"))));
    TestFiles::writeAll(m_env->path(QStringLiteral("Foto_Gruppo/Uno_Foto_A_1.jpg")), "x");
    mostraApri();
    elenco()->setCurrentRow(1); // Uno.fvg
    click(m_flow->apriCatalogo(), "btnElimina");
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown.at(0).kind, MessageKind::Question);
    QCOMPARE(
        m_env->messages.shown.at(0).text,
        QStringLiteral("Si sta per eliminare il gruppo selezionato. Si ricorda che il file eliminato non "
                       "potrà essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?"));
    QCOMPARE(m_env->messages.shown.at(1).kind, MessageKind::Information);
    QCOMPARE(m_env->messages.shown.at(1).text,
             QStringLiteral("Il gruppo è stato eliminato con successo.\r\n\r\nÈ stata eliminata anche 1 foto "
                            "del gruppo dalla cartella Foto_Gruppo."));
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Uno.fvg"))));
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Foto_Gruppo/Uno_Foto_A_1.jpg"))));
    QCOMPARE(elenco()->count(), 1);
    QCOMPARE(elenco()->selectedItems().size(), 1); // the first entry, for real
    QCOMPARE(m_flow->apriCatalogo()->findChild<QLabel*>(QStringLiteral("lblCreati"))->text(),
             QStringLiteral("È stato creato 1 gruppo."));

    elenco()->setCurrentRow(0);
    click(m_flow->apriCatalogo(), "btnElimina");
    QCOMPARE(m_flow->apriCatalogo()->findChild<QLabel*>(QStringLiteral("lblCreati"))->text(),
             QStringLiteral("Sono stati creati 0 gruppi."));
    QCOMPARE(m_flow->apriCatalogo()->lblMemory()->text(), QStringLiteral("avvio"));
}

void TestGruppiSchermate::deletionAnsweredNoChangesNothing()
{
    creaGruppi({QStringLiteral("Uno")});
    mostraApri();
    elenco()->setCurrentRow(0);
    m_env->messages.nextAnswers = {false};
    click(m_flow->apriCatalogo(), "btnElimina");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(QFileInfo::exists(m_env->path(QStringLiteral("Uno.fvg"))));
    QCOMPARE(elenco()->count(), 1);
}

void TestGruppiSchermate::deletionFailureIsReported()
{
    creaGruppi({QStringLiteral("Uno"), QStringLiteral("Due")});
    mostraApri();
    elenco()->setCurrentRow(1);
    // Removed behind the screen's back: the deletion cannot succeed.
    QVERIFY(QFile::remove(m_env->path(QStringLiteral("Uno.fvg"))));
    click(m_flow->apriCatalogo(), "btnElimina");
    QCOMPARE(m_env->messages.shown.size(), 2);
    QCOMPARE(m_env->messages.shown.at(1).kind, MessageKind::Warning);
    QVERIFY(m_env->messages.shown.at(1).text.startsWith(
        QStringLiteral("Attenzione: non è stato possibile eliminare il gruppo selezionato.")));
    QCOMPARE(elenco()->count(), 1); // refilled all the same
    QCOMPARE(elenco()->item(0)->text(), QStringLiteral("Due.fvg"));
}

void TestGruppiSchermate::openingHandsTheGroupOver()
{
    creaGruppi({QStringLiteral("Gita Roma"), QStringLiteral("Altro")});
    // Left on a page of another group: the next opening starts on an empty new page.
    m_flow->listinoPrezzi()->lblPosizione()->setText(QStringLiteral("3"));
    m_flow->listinoPrezzi()->campo(0, TSchedaGruppo::Nome)->setText(QStringLiteral("Vecchio"));
    mostraApri();
    elenco()->setCurrentRow(1);
    click(m_flow->apriCatalogo(), "btnApri");
    TfrmListinoPrezzi* editor = m_flow->listinoPrezzi();
    QVERIFY(editor->isVisible());
    QVERIFY(!m_flow->apriCatalogo()->isVisible());
    QCOMPARE(editor->groupName(), QStringLiteral("Gita Roma"));
    QCOMPARE(editor->groupFile(), m_env->path(QStringLiteral("Gita Roma.fvg")));
    QCOMPARE(editor->lblPosizione()->text(), QString());
    QCOMPARE(editor->campo(0, TSchedaGruppo::Nome)->text(), QString());
    QVERIFY(m_env->messages.shown.isEmpty());
    // Showing the screen again resets the close mode: closing returns to the launcher.
    mostraApri();
    QCOMPARE(m_flow->apriCatalogo()->lblMemory()->text(), QStringLiteral("avvio"));
    m_flow->apriCatalogo()->close();
    QVERIFY(m_flow->avvio()->isVisible());
}

void TestGruppiSchermate::firstEntryIsReallySelected()
{
    creaGruppi({QStringLiteral("Uno"), QStringLiteral("Due")});
    mostraApri();
    QCOMPARE(elenco()->selectedItems().size(), 1);
    QCOMPARE(elenco()->selectedItems().first()->text(), QStringLiteral("Due.fvg"));
    click(m_flow->apriCatalogo(), "btnApri");
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(m_flow->listinoPrezzi()->groupFile(), m_env->path(QStringLiteral("Due.fvg")));
}

void TestGruppiSchermate::leadingBlankNamesTheFileExactly_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::newRow("open") << "btnApri";
    QTest::newRow("delete") << "btnElimina";
}

void TestGruppiSchermate::leadingBlankNamesTheFileExactly()
{
    QFETCH(QString, pulsante);
    TestFiles::writeAll(m_env->path(QStringLiteral("Gita.fvg")), QByteArray(5000, 'g'));
    TestFiles::writeAll(m_env->path(QStringLiteral(" Gita.fvg")), {});
    mostraApri();
    QCOMPARE(elenco()->item(0)->text(), QStringLiteral(" Gita.fvg"));
    elenco()->setCurrentRow(0);
    click(m_flow->apriCatalogo(), pulsante.toLatin1().constData());
    if (pulsante == u"btnApri") {
        QCOMPARE(m_flow->listinoPrezzi()->groupFile(), m_env->path(QStringLiteral(" Gita.fvg")));
        QCOMPARE(m_flow->listinoPrezzi()->groupName(), QStringLiteral(" Gita"));
    } else {
        QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral(" Gita.fvg"))));
        QCOMPARE(QFileInfo(m_env->path(QStringLiteral("Gita.fvg"))).size(), 5000);
    }
}

void TestGruppiSchermate::enterInTheNameFieldCreates()
{
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(screen));
    screen->txtFile()->setText(QStringLiteral("Coro"));
    QTest::keyClick(screen->txtFile(), Qt::Key_Return);
    QVERIFY(QFileInfo::exists(m_env->path(QStringLiteral("Coro.fvg"))));
    QCOMPARE(m_env->messages.lastText(), kCreato);
    QVERIFY(!screen->isVisible());
}

void TestGruppiSchermate::namesThatCannotBeGroups_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("motivo");
    const QString invisibile = QStringLiteral("caratteri di controllo o invisibili");
    QTest::newRow("DEL") << QStringLiteral("Gita\u007FRoma") << invisibile;
    QTest::newRow("next line") << QStringLiteral("Gita\u0085Roma") << invisibile;
    QTest::newRow("line separator") << QStringLiteral("Gita\u2028Roma") << invisibile;
    QTest::newRow("right-to-left override") << QStringLiteral("abc\u202Egvf.exe") << invisibile;
    QTest::newRow("zero width space") << QStringLiteral("Gita\u200BRoma") << invisibile;
    const QString spazio = QStringLiteral("iniziare o finire con uno spazio");
    QTest::newRow("no-break space first") << QStringLiteral("\u00A0Gita") << spazio;
    QTest::newRow("ideographic space last") << QStringLiteral("Gita\u3000") << spazio;
    const QString lungo = QStringLiteral("troppo lungo");
    QTest::newRow("227 letters") << QString(227, QLatin1Char('a')) << lungo;
    QTest::newRow("114 accented letters") << QString(114, QChar(0x00E8)) << lungo;
}

void TestGruppiSchermate::namesThatCannotBeGroups()
{
    QFETCH(QString, nome);
    QFETCH(QString, motivo);
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setMaxLength(32767);
    screen->txtFile()->setText(nome);
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Warning);
    QVERIFY2(m_env->messages.lastText().contains(motivo), qPrintable(m_env->messages.lastText()));
    QVERIFY(screen->isVisible());
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files).size(), 0);
}

void TestGruppiSchermate::oneNameWhateverItsUnicodeForm()
{
    TfrmCreaCatalogo* screen = m_flow->creaCatalogo();
    m_flow->switchTo(screen, nullptr);
    // Typed with a combining accent, stored precomposed.
    screen->txtFile()->setText(QStringLiteral("Cafe\u0301"));
    click(screen, "btnApplica");
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files), QStringList{QStringLiteral("Caf\u00E9.fvg")});
    m_flow->switchTo(screen, nullptr);
    screen->txtFile()->setText(QStringLiteral("Caf\u00E9"));
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.lastText(), kUsato);
    // A file saved elsewhere in the decomposed form counts as the same name too.
    QVERIFY(QFile::rename(m_env->path(QStringLiteral("Caf\u00E9.fvg")),
                          m_env->path(QStringLiteral("Cafe\u0301.fvg"))));
    screen->txtFile()->setText(QStringLiteral("Caf\u00E9"));
    click(screen, "btnApplica");
    QCOMPARE(m_env->messages.lastText(), kUsato);
    QCOMPARE(QDir(m_env->folder()).entryList(QDir::Files).size(), 1);
}

void TestGruppiSchermate::deletionRemovesOnlyTheGroupsPhotos()
{
    creaGruppi({QStringLiteral("Gita"), QStringLiteral("Gita Roma")});
    // Twelve pages; a group " Gita" of one page, which only another program could have made.
    TestFiles::writeAll(m_env->path(QStringLiteral("Gita.fvg")), QByteArray(12 * TSchedaGruppo::kSize, '\0'));
    TestFiles::writeAll(m_env->path(QStringLiteral(" Gita.fvg")), QByteArray(TSchedaGruppo::kSize, '\0'));
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("Foto_Gruppo"))));
    const QStringList propri = {"Gita_Foto_A_1.jpg", "Gita_Foto_H_12.jpg", "Gita_Anteprima_C.jpg"};
    const QStringList altrui = {
        "Gita Roma_Foto_A_1.jpg", "Gita Roma_Anteprima_A.jpg", "Gita_Foto_A_Foto_B_1.jpg",
        "gita_Foto_A_1.jpg",      "Gita_Foto_A_1.jpg.bak",     "Gita_Foto_I_1.jpg",
        " Gita_Foto_A_1.jpg",     " Gita_Anteprima_C.jpg",     "Gita_Foto_B_13.jpg"};
    for (const QString& nome : propri + altrui)
        TestFiles::writeAll(m_env->path(QStringLiteral("Foto_Gruppo/") + nome), "x");
    mostraApri();
    elenco()->setCurrentItem(elenco()->findItems(QStringLiteral("Gita.fvg"), Qt::MatchExactly).first());
    click(m_flow->apriCatalogo(), "btnElimina");
    QVERIFY(m_env->messages.lastText().endsWith(
        QStringLiteral("Sono state eliminate anche 3 foto del gruppo dalla cartella Foto_Gruppo.")));
    QStringList rimasti = QDir(m_env->path(QStringLiteral("Foto_Gruppo"))).entryList(QDir::Files);
    QStringList attesi = altrui;
    rimasti.sort();
    attesi.sort();
    QCOMPARE(rimasti, attesi);
}

// On a share mounted unsafely no group is created or deleted, and the user is told why.
void TestGruppiSchermate::readOnlyArchivesCreateAndDeleteNoGroup()
{
    creaGruppi({QStringLiteral("Uno")});
    const QString message = QStringLiteral("Attenzione: gli archivi sono aperti in sola lettura (prova).");
    ArchiveAccess::setReadOnly(message);

    TfrmCreaCatalogo* crea = m_flow->creaCatalogo();
    m_flow->switchTo(crea, nullptr);
    crea->txtFile()->setText(QStringLiteral("Gita Roma"));
    click(crea, "btnApplica");
    QCOMPARE(m_env->messages.texts(), QStringList{message});
    QVERIFY(!QFileInfo::exists(m_env->path(QStringLiteral("Gita Roma.fvg"))));

    m_env->messages.clear();
    mostraApri();
    elenco()->setCurrentRow(0);
    click(m_flow->apriCatalogo(), "btnElimina");
    QCOMPARE(m_env->messages.texts(), QStringList{message});
    QVERIFY(QFileInfo::exists(m_env->path(QStringLiteral("Uno.fvg"))));
}

QTEST_MAIN(TestGruppiSchermate)
#include "tst_gruppi_schermate.moc"
