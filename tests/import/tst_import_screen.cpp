#include "ImportFixture.h"
#include "app/HelpTopics.h"
#include "documents/ExpCandidati.h"
#include "documents/RegistryTableModel.h"
#include "import/ImportMapping.h"
#include "import/ImportPreviewModel.h"
#include "import/Importa.h"
#include "storage/FotoScheda.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProgressDialog>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using C = TSchedaAnagrafica;
using namespace ImportFixture;

namespace {

void clicca(const QWidget& screen, const char* name)
{
    auto* button = screen.findChild<ImageButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

const QByteArray kElenco = "Cognome;Nome;CF;Email;Cellulare;Taglia;Nato il\r\n"
                           "Rossi;Mario;RSSMRA80C12H501X;m@r.it;333;L;\r\n"
                           "Verdi;Luca;;;;M;01/01/1990\r\n"
                           ";;;senza@nome.it;;S;\r\n";

// Presses "Annulla" on the progress window as soon as it shows.
void annullaAvanzamento(QWidget& screen)
{
    auto* timer = new QTimer(&screen);
    QObject::connect(timer, &QTimer::timeout, &screen, [&screen, timer] {
        auto* dialog = screen.findChild<QProgressDialog*>(QStringLiteral("dlgAvanzamento"));
        if (dialog && dialog->isVisible()) {
            dialog->cancel();
            timer->stop();
        }
    });
    timer->start(0);
}

// Shows the screen and chooses the file with "cmdApri", as the user does.
void apriFile(TestEnvironment& env, TfrmImporta& screen, const QString& file)
{
    screen.show();
    env.fileDialogs.nextNames = {file};
    clicca(screen, "cmdApri");
}

QByteArray elencoLungo(int persone)
{
    QByteArray csv = "Nome;Note\r\n";
    for (int i = 0; i < persone; ++i)
        csv += "Persona " + QByteArray::number(i) + ";" + QByteArray(40, 'x') + "\r\n";
    return csv;
}

} // namespace

class TestImportScreen : public QObject {
    Q_OBJECT

private slots:
    void controlsHaveNamesAndHints_data();
    void controlsHaveNamesAndHints();
    void commandsAreReachedWithTab();
    void everyNamedControlHasAnAccessibleName();
    void exportScreenHasImportaBesideTheDesignedControls();
    void exportScreenOpensImportAndShowsTheNewCards();
    void fileIsMatchedPreviewedAndImported();
    void changedMatchIsUsedAndRemembered();
    void warningsAloneAreNamedByTheirColumn();
    void badFileWarnsAndLeavesTheRegistryUntouched_data();
    void badFileWarnsAndLeavesTheRegistryUntouched();
    void importWithoutFileOrTicksWarns();
    void helpShowsTheImportTopic();
    void photosFromTheChosenFolder();
    void reportIsPrintedAndSaved();
    void longReadCanBeCancelled();
    void longAppendCanBeCancelledLeavingWholeCards();
};

void TestImportScreen::controlsHaveNamesAndHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("guida") << "cmdGuida"
                           << "Visualizza la pagina della guida sensibile al contesto.";
    QTest::newRow("apri") << "cmdApri"
                          << "Sceglie il file da importare (CSV, XLSX, XLS, ODS o l'archivio esportato).";
    QTest::newRow("foto")
        << "cmdFoto"
        << "Sceglie la cartella delle foto, chiamate con il codice fiscale o con il nome della "
           "persona.";
    QTest::newRow("importa") << "cmdImporta"
                             << "Aggiunge all'archivio anagrafico le righe spuntate.";
    QTest::newRow("stampa") << "cmdStampa"
                            << "Stampa il rapporto dell'ultima importazione.";
    QTest::newRow("salva") << "cmdSalvaRapporto"
                           << "Salva il rapporto dell'ultima importazione in un file di testo.";
    QTest::newRow("esci") << "cmdEsci"
                          << "Esci da questo ambiente di lavoro.";
    QTest::newRow("colonne") << "grdColonne"
                             << "";
    QTest::newRow("anteprima") << "grdAnteprima"
                               << "";
    QTest::newRow("info") << "panInfo"
                          << "";
    QTest::newRow("file") << "lblFile"
                          << "";
    QTest::newRow("foto label") << "lblFoto"
                                << "";
    QTest::newRow("riepilogo") << "lblRiepilogo"
                               << "";
}

void TestImportScreen::controlsHaveNamesAndHints()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TestEnvironment env;
    TfrmImporta screen(env.context, nullptr);
    QCOMPARE(screen.windowTitle(), QStringLiteral(" Importazione di persone da un foglio di calcolo"));
    auto* control = screen.findChild<QWidget*>(name);
    QVERIFY(control);
    // A label that shows text is read as that text; what it is goes in its description.
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label && (name.startsWith(QStringLiteral("lbl")) || name == QStringLiteral("panInfo")))
        QVERIFY(control->accessibleName().isEmpty() && !label->accessibleDescription().isEmpty());
    else
        QVERIFY(!control->accessibleName().isEmpty());
    if (!hint.isEmpty()) {
        QCOMPARE(control->accessibleName(), hint);
        screen.show();
        QTest::mouseMove(control);
        QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("panInfo"))->text(), hint);
    }
}

void TestImportScreen::commandsAreReachedWithTab()
{
    TestEnvironment env;
    TfrmImporta screen(env.context, nullptr);
    for (const char* name :
         {"cmdApri", "cmdFoto", "cmdImporta", "cmdStampa", "cmdSalvaRapporto", "cmdGuida", "cmdEsci"}) {
        auto* control = screen.findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(control && (control->focusPolicy() & Qt::TabFocus), name);
    }
    // The Tab chain from the open command reaches the import command.
    QWidget* w = screen.findChild<QWidget*>(QStringLiteral("cmdApri"));
    bool reached = false;
    for (int i = 0; i < 12 && !reached; ++i) {
        w = w->nextInFocusChain();
        reached = w->objectName() == u"cmdImporta";
    }
    QVERIFY(reached);
}

void TestImportScreen::everyNamedControlHasAnAccessibleName()
{
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, csv);
    int named = 0;
    for (const QWidget* control : screen.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
            continue;
        ++named;
        // A label is read as the text it shows.
        const auto* label = qobject_cast<const QLabel*>(control);
        QVERIFY2(!control->accessibleName().isEmpty() || (label && !label->text().isEmpty()),
                 qPrintable(name));
    }
    QVERIFY(named >= 20); // the commands, labels, tables and a combo box per column
}

void TestImportScreen::exportScreenHasImportaBesideTheDesignedControls()
{
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    auto* importa = screen.findChild<ImageButton*>(QStringLiteral("cmdImporta"));
    QVERIFY(importa);
    QCOMPARE(importa->accessibleName(),
             QStringLiteral("Importa nell'archivio le persone di un foglio di calcolo (CSV, XLSX, ODS)."));
    const QList<QPair<const char*, QRect>> designed = {
        {"imgLogo", QRect(20, 12, 520, 64)},    {"icoHand", QRect(630, 22, 44, 44)},
        {"cmdEsporta", QRect(680, 20, 48, 48)}, {"cmdGuida", QRect(736, 20, 48, 48)},
        {"cmdEsci", QRect(792, 20, 48, 48)},    {"grdRecords", QRect(20, 88, 821, 409)}};
    for (const auto& [name, rect] : designed) {
        auto* control = screen.findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(control, name);
        QCOMPARE(control->geometry(), rect);
        QVERIFY2(!control->geometry().intersects(importa->geometry()), name);
    }
}

void TestImportScreen::exportScreenOpensImportAndShowsTheNewCards()
{
    TestEnvironment env;
    scriviArchivio(C::archivio(env.folder()), {scheda({{C::Candidato, "Bianchi Anna"}})});
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QCOMPARE(screen.model()->rowCount(), 1);
    env.fileDialogs.nextNames = {csv};
    env.modal.scripts.append([](QDialog& dialog) {
        clicca(dialog, "cmdApri");
        clicca(dialog, "cmdImporta");
    });
    clicca(screen, "cmdImporta");
    QCOMPARE(env.modal.openedClasses, QStringList{QStringLiteral("TfrmImporta")});
    QCOMPARE(screen.model()->rowCount(), 3);
    QCOMPARE(screen.model()->index(2, 1).data().toString(), QStringLiteral("Verdi Luca"));
}

void TestImportScreen::fileIsMatchedPreviewedAndImported()
{
    TestEnvironment env;
    scriviArchivio(C::archivio(env.folder()),
                   {scheda({{C::Candidato, "Rossi M."}, {C::CodFisc, "RSSMRA80C12H501X"}})});
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, csv);
    QCOMPARE(screen.file(), csv);
    auto* colonne = screen.findChild<QTableWidget*>(QStringLiteral("grdColonne"));
    QCOMPARE(colonne->rowCount(), 7);
    auto* combo = screen.findChild<QComboBox*>(QStringLiteral("cboCampo_3"));
    QVERIFY(combo);
    QVERIFY(!combo->accessibleName().isEmpty());
    QCOMPARE(combo->currentText(), QStringLiteral("Codice fiscale"));
    QCOMPARE(screen.findChild<QComboBox*>(QStringLiteral("cboCampo_6"))->currentText(),
             QStringLiteral("(non importare)"));

    const ImportPreviewModel* model = screen.model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, ImportPreviewModel::Esito).data().toString(),
             QStringLiteral("Gi\u00E0 in archivio (scheda 1)"));
    QCOMPARE(model->index(1, ImportPreviewModel::Nome).data().toString(), QStringLiteral("Verdi Luca"));
    QCOMPARE(model->index(1, ImportPreviewModel::DaCompletare).data().toString(),
             QStringLiteral("Sesso, E-mail, Tel. cellulare, Ruolo nel gruppo"));
    QCOMPARE(model->index(2, ImportPreviewModel::Esito).data().toString(),
             QStringLiteral("Rifiutata: manca il nome"));
    QCOMPARE(model->index(1, ImportPreviewModel::Importa).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model->index(0, ImportPreviewModel::Importa).data(Qt::CheckStateRole).toInt(),
             int(Qt::Unchecked));
    QVERIFY(screen.findChild<QLabel*>(QStringLiteral("lblRiepilogo"))
                ->text()
                .startsWith(QStringLiteral("3 righe: 1 nuove, 1 gi\u00E0 presenti, 1 rifiutate")));

    // The row to add lacks required fields: the question names the column that lists them, and
    // that column, off screen at first, is in view while the question is asked.
    auto* anteprima = screen.findChild<QTableView*>(QStringLiteral("grdAnteprima"));
    const auto inVista = [&] {
        return anteprima->viewport()->rect().contains(
            anteprima->visualRect(model->index(1, ImportPreviewModel::DaCompletare)));
    };
    QVERIFY(!inVista());
    bool vistaDuranteDomanda = false;
    env.messages.onShow = [&](const ShownMessage& message) {
        if (message.kind == MessageKind::Question)
            vistaDuranteDomanda = inVista();
    };
    clicca(screen, "cmdImporta");
    env.messages.onShow = nullptr;
    QVERIFY(vistaDuranteDomanda);
    QCOMPARE(env.messages.shown.size(), 2);
    QVERIFY2(env.messages.shown[0].text.endsWith(
                 QStringLiteral("Si vuole aggiungere 1 scheda all'archivio anagrafico?")),
             qPrintable(env.messages.shown[0].text));
    QVERIFY(env.messages.shown[0].text.contains(QStringLiteral("colonna \"Da completare\"")));
    QVERIFY(!env.messages.shown[0].text.contains(QStringLiteral("Avvisi")));
    QCOMPARE(env.messages.shown[1].kind, MessageKind::Information);
    QVERIFY(env.messages.shown[1].text.contains(QStringLiteral("Schede aggiunte: 1 (dalla posizione 2)")));
    QCOMPARE(screen.rapporto(), env.messages.shown[1].text);
    const QList<TSchedaAnagrafica> lette = leggiArchivio(C::archivio(env.folder()));
    QCOMPARE(lette.size(), 2);
    QCOMPARE(lette[1].testo(C::Candidato), QStringLiteral("Verdi Luca"));
    // The row just added is done, unticked and cannot be ticked again: a second press adds nothing.
    QCOMPARE(model->index(1, ImportPreviewModel::Esito).data().toString(),
             QStringLiteral("Importata (scheda 2)"));
    QCOMPARE(model->index(1, ImportPreviewModel::Importa).data(Qt::CheckStateRole).toInt(),
             int(Qt::Unchecked));
    QVERIFY(!(model->flags(model->index(1, ImportPreviewModel::Importa)) & Qt::ItemIsUserCheckable));
    env.messages.clear();
    clicca(screen, "cmdImporta");
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(leggiArchivio(C::archivio(env.folder())).size(), 2);

    // No to the question adds nothing.
    env.messages.clear();
    QVERIFY(screen.model()->setData(screen.model()->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    env.messages.nextAnswers = {false};
    clicca(screen, "cmdImporta");
    QCOMPARE(leggiArchivio(C::archivio(env.folder())).size(), 2);
}

// A complete row whose name is too long: only the "Avvisi" column is named, and brought into view.
void TestImportScreen::warningsAloneAreNamedByTheirColumn()
{
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("lunghi.csv"));
    TestFiles::writeAll(csv, "Cognome;Nome;Sesso;Email;Cellulare;Ruolo\r\n" + QByteArray(60, 'R') +
                                 ";Anna;F;a@b.it;333;Socia\r\n");
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, csv);
    const ImportPreviewModel* model = screen.model();
    QCOMPARE(model->index(0, ImportPreviewModel::DaCompletare).data().toString(), QString());
    auto* anteprima = screen.findChild<QTableView*>(QStringLiteral("grdAnteprima"));
    bool vista = false;
    env.messages.onShow = [&](const ShownMessage& message) {
        if (message.kind == MessageKind::Question)
            vista = anteprima->viewport()->rect().contains(
                anteprima->visualRect(model->index(0, ImportPreviewModel::Avvisi)));
    };
    env.messages.nextAnswers = {false};
    clicca(screen, "cmdImporta");
    env.messages.onShow = nullptr;
    QVERIFY(vista);
    QCOMPARE(env.messages.shown.size(), 1);
    QVERIFY(env.messages.lastText().contains(QStringLiteral("colonna \"Avvisi\"")));
    QVERIFY(!env.messages.lastText().contains(QStringLiteral("Da completare")));
}

void TestImportScreen::changedMatchIsUsedAndRemembered()
{
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    {
        TfrmImporta screen(env.context, nullptr);
        apriFile(env, screen, csv);
        auto* combo = screen.findChild<QComboBox*>(QStringLiteral("cboCampo_6"));
        combo->setCurrentIndex(combo->findData(int(C::Note)));
        emit combo->activated(combo->currentIndex());
        QCOMPARE(screen.mapping().target(5), int(C::Note));
        clicca(screen, "cmdImporta");
        QCOMPARE(leggiArchivio(C::archivio(env.folder())).value(1).testo(C::Note), QStringLiteral("M"));
    }
    TfrmImporta again(env.context, nullptr);
    again.show();
    env.fileDialogs.nextNames = {csv};
    clicca(again, "cmdApri");
    QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("cboCampo_6"))->currentText(),
             QStringLiteral("Note"));
}

void TestImportScreen::badFileWarnsAndLeavesTheRegistryUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("vuoto");
    QTest::newRow("no header row") << QByteArray("Rossi Mario;12/03/1980;m@r.it\r\nVerdi;;\r\n")
                                   << QStringLiteral("intestazioni");
    QTest::newRow("stray quote") << QByteArray("Nome;Note\r\n\"Rossi;x\r\n") << QStringLiteral("virgolette");
    QTest::newRow("not a sheet") << QByteArray("\x89PNG\r\n\x1A\n\0\0", 10)
                                 << QStringLiteral("non \u00E8 un foglio");
    QTest::newRow("header only") << QByteArray("Nome;Email\r\n") << QStringLiteral("solo la riga");
}

void TestImportScreen::badFileWarnsAndLeavesTheRegistryUntouched()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestEnvironment env;
    scriviArchivio(C::archivio(env.folder()), {scheda({{C::Candidato, "Bianchi Anna"}})});
    const QByteArray before = TestFiles::readAll(C::archivio(env.folder()));
    const QString path = env.path(QStringLiteral("elenco.csv"));
    TestFiles::writeAll(path, bytes);
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, path);
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown[0].kind, MessageKind::Warning);
    QVERIFY2(env.messages.shown[0].text.startsWith(QStringLiteral("Attenzione: ")),
             qPrintable(env.messages.lastText()));
    QVERIFY2(env.messages.shown[0].text.contains(message), qPrintable(env.messages.lastText()));
    QCOMPARE(screen.model()->rowCount(), 0);
    clicca(screen, "cmdImporta");
    QCOMPARE(env.messages.lastText(), QStringLiteral("Attenzione: scegliere prima il file da importare."));
    QCOMPARE(TestFiles::readAll(C::archivio(env.folder())), before);
}

void TestImportScreen::helpShowsTheImportTopic()
{
    TestEnvironment env;
    TfrmImporta screen(env.context, nullptr);
    screen.show();
    QString title;
    env.modal.scripts << [&](QDialog& guida) {
        if (auto* label = guida.findChild<QLabel*>(QStringLiteral("lblTitolo")))
            title = label->text();
    };
    clicca(screen, "cmdGuida");
    QCOMPARE(env.modal.openedClasses, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(title, HelpTopics::title(HelpTopics::Topic::Importazione));
    QVERIFY(screen.isVisible());
}

void TestImportScreen::importWithoutFileOrTicksWarns()
{
    TestEnvironment env;
    TfrmImporta screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdApri"); // the dialog cancelled
    QVERIFY(env.messages.shown.isEmpty());
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    env.fileDialogs.nextNames = {csv};
    clicca(screen, "cmdApri");
    for (int row = 0; row < screen.model()->rowCount(); ++row)
        screen.model()->setData(screen.model()->index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
    clicca(screen, "cmdImporta");
    QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("Attenzione: nessuna riga \u00E8 spuntata per "
                                                              "l'importazione.")});
    QVERIFY(!QFileInfo::exists(C::archivio(env.folder())) ||
            QFileInfo(C::archivio(env.folder())).size() == 0);
}

void TestImportScreen::photosFromTheChosenFolder()
{
    TestEnvironment env;
    const QString photos = env.path(QStringLiteral("foto"));
    QVERIFY(QDir().mkpath(photos));
    QImage picture(24, 32, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QVERIFY(picture.save(photos + QStringLiteral("/Verdi Luca.jpg"), "JPG"));
    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, csv);
    env.fileDialogs.nextNames = {photos};
    clicca(screen, "cmdFoto");
    QVERIFY(screen.findChild<QLabel*>(QStringLiteral("lblFoto"))
                ->text()
                .endsWith(QDir::toNativeSeparators(photos)));
    clicca(screen, "cmdImporta");
    QVERIFY(screen.rapporto().contains(QStringLiteral("Foto associate: 1")));
    QVERIFY(QFileInfo::exists(FotoScheda::percorso(env.folder(), QStringLiteral("2"))));
    QVERIFY(!QFileInfo::exists(FotoScheda::percorso(env.folder(), QStringLiteral("1"))));
}

void TestImportScreen::reportIsPrintedAndSaved()
{
    TestEnvironment env;
    TfrmImporta screen(env.context, nullptr);
    screen.show();
    clicca(screen, "cmdStampa");
    QCOMPARE(env.messages.lastText(),
             QStringLiteral("Attenzione: il rapporto sar\u00E0 disponibile al termine dell'importazione."));
    QCOMPARE(env.printing.dialogs, 0);

    const QString csv = env.path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kElenco);
    env.fileDialogs.nextNames = {csv};
    clicca(screen, "cmdApri");
    clicca(screen, "cmdImporta");
    clicca(screen, "cmdStampa");
    QCOMPARE(env.printing.printed.size(), 1);
    QVERIFY(QFileInfo(env.printing.printed.first()).size() > 0);

    const QString saved = env.path(QStringLiteral("rapporto"));
    env.fileDialogs.nextNames = {saved};
    clicca(screen, "cmdSalvaRapporto");
    const QString text = QString::fromUtf8(TestFiles::readAll(saved + QStringLiteral(".txt")));
    QVERIFY(text.contains(QStringLiteral("Schede aggiunte: 2 (dalla posizione 1 alla 2)\r\n")));
}

void TestImportScreen::longReadCanBeCancelled()
{
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("lungo.csv"));
    TestFiles::writeAll(csv, elencoLungo(60000));
    TfrmImporta screen(env.context, nullptr);
    screen.setAttesaProgresso(0);
    screen.show();
    annullaAvanzamento(screen);
    env.fileDialogs.nextNames = {csv};
    clicca(screen, "cmdApri");
    QVERIFY(env.messages.shown.isEmpty());
    QCOMPARE(screen.model()->rowCount(), 0);
    QVERIFY(screen.file().isEmpty());
    QVERIFY(!QFileInfo::exists(C::archivio(env.folder())));
}

void TestImportScreen::longAppendCanBeCancelledLeavingWholeCards()
{
    TestEnvironment env;
    const QString csv = env.path(QStringLiteral("lungo.csv"));
    TestFiles::writeAll(csv, elencoLungo(3000));
    TfrmImporta screen(env.context, nullptr);
    apriFile(env, screen, csv);
    QCOMPARE(screen.model()->rowCount(), 3000);
    screen.setAttesaProgresso(0);
    annullaAvanzamento(screen);
    clicca(screen, "cmdImporta");
    const qint64 size = QFileInfo(C::archivio(env.folder())).size();
    QCOMPARE(size % C::kSize, 0);
    const int added = int(size / C::kSize);
    QVERIFY(added > 0 && added < 3000);
    QVERIFY(screen.rapporto().contains(QStringLiteral("Schede aggiunte: %1 ").arg(added)));
    QVERIFY(screen.rapporto().contains(QStringLiteral("interrotta")));
}

QTEST_MAIN(TestImportScreen)
#include "tst_import_screen.moc"
