#include "Fixture.h"
#include "app/ScreenFlow.h"
#include "registry/Candidati.h"
#include "search/DaRicontattare.h"
#include "search/RicercaSchede.h"
#include "search/TrovaCandidati.h"
#include "storage/ArchiveError.h"
#include "storage/FotoScheda.h"
#include "storage/Placeholder.h"
#include "support/TestEnvironment.h"
#include "widgets/PhotoBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using C = TSchedaAnagrafica;

namespace {

const QStringList kFiltri{"txtCandidato", "txtDataNasc", "txtCittadinanza", "txtLuogoNasc",     "txtCodFisc",
                          "txtSettore",   "txtLingue",   "txtCompetenze",   "txtDisponibilita", "txtNote"};

template <typename T> T* child(const QWidget& screen, const QString& name)
{
    T* found = screen.findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

QStringList lines(const QWidget& screen)
{
    QStringList result;
    const QAbstractItemModel* model = child<QListView>(screen, "lstRecords")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->index(row, 0).data().toString());
    return result;
}

QStringList names(const QWidget& screen)
{
    QStringList result;
    for (const QString& line : lines(screen))
        result.append(line.left(30).trimmed());
    return result;
}

int selectedRow(const QWidget& screen)
{
    const QModelIndexList selected =
        child<QListView>(screen, "lstRecords")->selectionModel()->selectedIndexes();
    return selected.size() == 1 ? selected.first().row() : -1;
}

void doubleClickRow(const QWidget& screen, int row)
{
    auto* list = child<QListView>(screen, "lstRecords");
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void clickRow(const QWidget& screen, int row)
{
    auto* list = child<QListView>(screen, "lstRecords");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(row, 0)).center());
}

// Counts the paintings of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Records what the search hands to the group page editor.
class RecordingSearch : public TfrmTrovaCandidati {
public:
    using TfrmTrovaCandidati::TfrmTrovaCandidati;
    struct Handed {
        QChar slot;
        QString name;
        int position;
    };
    QList<Handed> handed;

protected:
    void consegnaPersona(QChar slot, const TSchedaAnagrafica& scheda, int position) override
    {
        handed.append({slot, scheda.testo(C::Candidato), position});
    }
};

} // namespace

class TestSearchScreens : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filterStageAsDesigned();
    void enterRingAndHalos();
    void searchShowsTheResultStage();
    void listRowsReadBackTheSearchLines();
    void searchFailureStaysInFilterStage();
    void emptyArchiveAndTrova();
    void trovaStepsThroughMatches();
    void showingTheScreenForgetsTheLastFind();
    void doubleClickLoadsCardIntoEditor();
    void enterPicksTheRowAsADoubleClickDoes();
    void identicalLinesLoadTheLaterCard();
    void personaModeHandsTheCardToTheSlot();
    void personaModeLeavesTheRegistryEditorAlone();
    void doubleClickFailureClosesSilently();
    void closingEmptiesTheList();

    void summaryListsFlaggedCards();
    void summaryEmptyListAndTrova();
    void summaryDoubleClickLoadsCard();
    void summaryIgnoresFailures();

private:
    void showActive(QWidget& screen);
    void cerca(TfrmTrovaCandidati& screen);
    QString archivio() const { return TSchedaAnagrafica::archivio(m_env->folder()); }

    std::unique_ptr<TestEnvironment> m_env;
};

void TestSearchScreens::init()
{
    m_env = std::make_unique<TestEnvironment>();
}

void TestSearchScreens::cleanup()
{
    m_env.reset();
}

void TestSearchScreens::showActive(QWidget& screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

void TestSearchScreens::cerca(TfrmTrovaCandidati& screen)
{
    QTest::mouseClick(child<QPushButton>(screen, "btnCerca"), Qt::LeftButton);
}

void TestSearchScreens::filterStageAsDesigned()
{
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("candidati");
    showActive(screen);

    QCOMPARE(screen.windowTitle(), QStringLiteral(" Trova schede anagrafiche in archivio"));
    QCOMPARE(screen.size(), QSize(862, 560));
    auto* panAvvio = child<QWidget>(screen, "panAvvio");
    QVERIFY(panAvvio && panAvvio->isVisible());
    QCOMPARE(panAvvio->size(), QSize(833, 529));
    QVERIFY(!child<QWidget>(screen, "panContainer")->isVisible());
    for (const char* name : {"shpSpiega", "imgSpiega", "shpSfondoCampi", "imgTrova01"})
        QVERIFY2(child<QWidget>(screen, name) && child<QWidget>(screen, name)->isVisible(), name);

    for (const QString& name : kFiltri) {
        auto* field = child<QLineEdit>(screen, name);
        QVERIFY(field);
        QCOMPARE(field->width(), 320);
        QCOMPARE(field->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(field->font().pixelSize(), 12);
        QVERIFY(field->font().bold());
        QVERIFY(!field->accessibleName().isEmpty());
    }
    QCOMPARE(child<QPushButton>(screen, "btnAnnulla")->text(), QStringLiteral("Chiudi"));
    QCOMPARE(child<QPushButton>(screen, "btnCerca")->text(), QStringLiteral("Cerca"));
    auto* attendere = child<QLabel>(screen, "lblAttendere");
    QCOMPARE(attendere->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
    QVERIFY(!attendere->isVisible());
    QCOMPARE(child<QLabel>(screen, "lblConta")->text(), QStringLiteral("0"));
    QVERIFY(!child<QLabel>(screen, "lblConta")->isVisible());
    QVERIFY(!screen.lblMemory()->isVisible());
    QCOMPARE(screen.lblMemory()->parentWidget(), panAvvio);

    // Focus on the name, then the tab order follows the Enter ring, the "senza consenso" filter
    // and reaches the two buttons.
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "txtCandidato"));
    QWidget* at = child<QWidget>(screen, "txtCandidato");
    QStringList tabOrder{at->objectName()};
    for (int i = 0; i < 12; ++i) {
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible());
        tabOrder.append(at->objectName());
    }
    QCOMPARE(tabOrder, (kFiltri + QStringList{"chkSenzaConsenso", "btnAnnulla", "btnCerca"}));
}

void TestSearchScreens::enterRingAndHalos()
{
    const QStringList halos{"effCampo01", "effCampo02", "effCampo09", "effCampo10", "effCampo05",
                            "effCampo06", "effCampo07", "effCampo08", "effCampo03", "effCampo04"};
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    for (int i = 0; i < kFiltri.size(); ++i) {
        auto* field = child<QLineEdit>(screen, kFiltri.at(i));
        QTRY_COMPARE(QApplication::focusWidget(), field);
        for (int h = 0; h < halos.size(); ++h)
            QCOMPARE(child<QWidget>(screen, halos.at(h))->isVisible(), h == i);
        const QRect halo = child<QWidget>(screen, halos.at(i))->geometry();
        QCOMPARE(halo, field->geometry().adjusted(-4, -4, 4, 4));
        QTest::keyClick(field, Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "txtCandidato"));
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(child<QWidget>(screen, "panAvvio")->isVisible());
}

void TestSearchScreens::listRowsReadBackTheSearchLines()
{
    // Names whose order depends on case, accents and blanks; equal keys stay in file order.
    QList<TSchedaAnagrafica> schede;
    for (const QString& nome :
         {QStringLiteral("\u00C9den Luca"), QStringLiteral("eden luca"), QStringLiteral("EDEN LUCA"),
          QStringLiteral("Eden  Luca"), QStringLiteral("\u20ACuro Bianchi"), QStringLiteral("zeta")})
        schede.append(
            Fixture::scheda({{TSchedaAnagrafica::Candidato, nome}, {TSchedaAnagrafica::Note, nome}}));
    Fixture::scriviArchivio(archivio(), schede);
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("candidati");
    showActive(screen);
    cerca(screen);

    QStringList expected;
    for (const TSchedaAnagrafica& scheda : schede)
        expected.append(RicercaSchede::riga(scheda));
    std::stable_sort(expected.begin(), expected.end(), RicercaSchede::precede);
    QCOMPARE(lines(screen), expected);
    const QAbstractItemModel* model = child<QListView>(screen, "lstRecords")->model();
    for (int row = 0; row < model->rowCount(); ++row)
        QCOMPARE(model->index(row, 0).data(Qt::AccessibleTextRole).toString(), expected.at(row));
    QVERIFY(!model->index(model->rowCount(), 0).data().isValid());
    QCOMPARE(child<QLabel>(screen, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 6 schede"));
}

void TestSearchScreens::searchShowsTheResultStage()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("candidati");
    showActive(screen);
    QTest::keyClicks(child<QLineEdit>(screen, "txtCandidato"), "rossi");
    QTest::keyClicks(child<QLineEdit>(screen, "txtSettore"), "   ");

    auto* cerca = child<QPushButton>(screen, "btnCerca");
    QTest::mousePress(cerca, Qt::LeftButton);
    QVERIFY(child<QLabel>(screen, "lblAttendere")->isVisible());
    QTest::mouseRelease(cerca, Qt::LeftButton);

    QVERIFY(child<QWidget>(screen, "panContainer")->isVisible());
    QVERIFY(!child<QWidget>(screen, "panAvvio")->isVisible());
    QCOMPARE(child<QLabel>(screen, "lblConta")->text(), QStringLiteral("1"));
    QCOMPARE(names(screen), (QStringList{"Anna De Rossi", "Rossi Mario"}));
    QCOMPARE(lines(screen).at(1), RicercaSchede::riga(Fixture::persone().at(0)));
    QCOMPARE(child<QLabel>(screen, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 2 schede"));
    QCOMPARE(child<QLabel>(screen, "lblRigo03")->text(),
             QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"));
    QCOMPARE(child<QPushButton>(screen, "btnTrova")->text(), QStringLiteral("Trova"));
    QCOMPARE(child<QPushButton>(screen, "btnChiudi")->text(), QStringLiteral("Chiudi"));
    QCOMPARE(child<QPushButton>(screen, "btnStampa")->text(), QStringLiteral("Stampa"));
    for (const char* name : {"imgLogo", "icoIstruzioni01", "imgLente"})
        QVERIFY2(child<QWidget>(screen, name) && child<QWidget>(screen, name)->isVisible(), name);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "txtTrova"));

    auto* list = child<QListView>(screen, "lstRecords");
    QCOMPARE(list->size(), QSize(801, 273));
    QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QModelIndex first = list->model()->index(0, 0);
    const QFont font = first.data(Qt::FontRole).value<QFont>();
    QCOMPARE(font.family(), QStringLiteral("Courier New"));
    QCOMPARE(font.pixelSize(), 12);
    QCOMPARE(first.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    QCOMPARE(first.data(Qt::SizeHintRole).toSize().width(), 1600);
    QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);

    // "Stampa" prints the list and leaves the screen as it was, without a word.
    QTest::mouseClick(child<QPushButton>(screen, "btnStampa"), Qt::LeftButton);
    QVERIFY(screen.isVisible());
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(m_env->printing.printed.size(), 1);
}

void TestSearchScreens::searchFailureStaysInFilterStage()
{
    QVERIFY(QDir().mkpath(archivio()));
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    auto* attendere = child<QLabel>(screen, "lblAttendere");
    auto* paints = new PaintCounter(attendere);
    bool noticeUp = false;
    m_env->messages.onShow = [&](const ShownMessage&) { noticeUp = paints->count > 0; };

    cerca(screen);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Plain);
    QCOMPARE(m_env->messages.lastText(), accessMessage());
    QVERIFY(m_env->messages.lastText().contains(QStringLiteral("archivio.\n\r\n\rAccertarsi")));
    QVERIFY2(noticeUp, "the notice was painted before the archive was read");
    QVERIFY(!attendere->isVisible());
    QVERIFY(child<QWidget>(screen, "panAvvio")->isVisible());
    QVERIFY(!child<QWidget>(screen, "panContainer")->isVisible());
}

void TestSearchScreens::emptyArchiveAndTrova()
{
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    cerca(screen);
    QVERIFY(QFile::exists(archivio()));
    QVERIFY(child<QWidget>(screen, "panContainer")->isVisible());
    QCOMPARE(child<QLabel>(screen, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 0 schede"));
    QCOMPARE(child<QLabel>(screen, "lblConta")->text(), QStringLiteral("0"));
    QTest::mouseClick(child<QPushButton>(screen, "btnTrova"), Qt::LeftButton);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Plain);
    QCOMPARE(m_env->messages.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestSearchScreens::trovaStepsThroughMatches()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    cerca(screen);
    QCOMPARE(names(screen), (QStringList{"Anna De Rossi", "Bianchi Luca", "Neri Giulia", "Rossi Mario"}));
    QCOMPARE(child<QLabel>(screen, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene 4 schede"));

    auto* txtTrova = child<QLineEdit>(screen, "txtTrova");
    auto* btnTrova = child<QPushButton>(screen, "btnTrova");
    QTest::keyClicks(txtTrova, "INFORMATICA");
    // Enter moves to the button without pressing it.
    QTest::keyClick(txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), btnTrova);
    QCOMPARE(selectedRow(screen), -1);

    QList<int> steps;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(btnTrova, Qt::LeftButton);
        steps.append(selectedRow(screen));
    }
    QCOMPARE(steps, (QList<int>{1, 3, 1}));
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestSearchScreens::showingTheScreenForgetsTheLastFind()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    {
        TfrmTrovaCandidati screen(m_env->context, nullptr);
        showActive(screen);
        cerca(screen);
        QTest::keyClicks(child<QLineEdit>(screen, "txtTrova"), "informatica");
        QTest::mouseClick(child<QPushButton>(screen, "btnTrova"), Qt::LeftButton);
        QCOMPARE(selectedRow(screen), 1);
        screen.close();
    }
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    cerca(screen);
    QCOMPARE(child<QLineEdit>(screen, "txtTrova")->text(), QString());
    clickRow(screen, 2);
    QCOMPARE(selectedRow(screen), 2);
    QTest::keyClicks(child<QLineEdit>(screen, "txtTrova"), "informatica");
    QTest::mouseClick(child<QPushButton>(screen, "btnTrova"), Qt::LeftButton);
    // A new text for this opening: from the top, not on from the selected line.
    QCOMPARE(selectedRow(screen), 1);
}

void TestSearchScreens::enterPicksTheRowAsADoubleClickDoes()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmCandidati* editor = m_env->flow().candidati();
    {
        TfrmTrovaCandidati screen(m_env->context, nullptr);
        screen.lblMemory()->setText("candidati");
        showActive(screen);
        cerca(screen);
        auto* list = child<QListView>(screen, "lstRecords");
        list->setFocus();
        list->setCurrentIndex(list->model()->index(3, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!screen.isVisible());
    }
    QCOMPARE(editor->campo(C::Candidato)->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor->lblPosizione()->text(), QStringLiteral("1"));
}

void TestSearchScreens::doubleClickLoadsCardIntoEditor()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    QImage red(120, 160, QImage::Format_RGB32);
    red.fill(Qt::red);
    SalvaFotoScheda(m_env->folder(), QStringLiteral("1"), red);
    ScreenFlow& flow = m_env->flow();
    TfrmCandidati* editor = flow.candidati();

    {
        TfrmTrovaCandidati screen(m_env->context, nullptr);
        screen.lblMemory()->setText("candidati");
        showActive(screen);
        cerca(screen);
        doubleClickRow(screen, 3); // Rossi Mario
        QVERIFY(!screen.isVisible());
        QCOMPARE(lines(screen), QStringList());
    }
    QCOMPARE(editor->campo(C::Candidato)->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor->campo(C::CodFisc)->text(), QStringLiteral("RSSMRA80C12H501U"));
    QCOMPARE(editor->campo(C::Citta)->text(), QStringLiteral("Roma"));
    QCOMPARE(editor->campo(C::Note)->text(), QStringLiteral("Disponibile subito"));
    QVERIFY(editor->chkRicontatta()->isChecked());
    QCOMPARE(editor->lblPosizione()->text(), QStringLiteral("1"));
    const QColor centre = editor->imgFoto()->picture().pixelColor(60, 80);
    QVERIFY2(centre.red() > 200 && centre.green() < 60, qPrintable(centre.name()));

    {
        TfrmTrovaCandidati screen(m_env->context, nullptr);
        screen.lblMemory()->setText(" candidati ");
        showActive(screen);
        cerca(screen);
        doubleClickRow(screen, 1); // Bianchi Luca, no photo, empty flag
        QVERIFY(!screen.isVisible());
    }
    QCOMPARE(editor->campo(C::Candidato)->text(), QStringLiteral("Bianchi Luca"));
    QCOMPARE(editor->campo(C::Note)->text(), QString());
    QVERIFY(editor->chkRicontatta()->isChecked()); // an empty flag leaves the box as it was
    QCOMPARE(editor->lblPosizione()->text(), QStringLiteral("3"));
    QCOMPARE(editor->imgFoto()->picture(), Placeholder::image());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestSearchScreens::identicalLinesLoadTheLaterCard()
{
    QList<TSchedaAnagrafica> schede = Fixture::persone();
    TSchedaAnagrafica twin = schede.at(0);
    twin.setTesto(C::Citta, QStringLiteral("Napoli"));
    schede.append(twin);
    Fixture::scriviArchivio(archivio(), schede);
    TfrmCandidati* editor = m_env->flow().candidati();

    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("candidati");
    showActive(screen);
    QTest::keyClicks(child<QLineEdit>(screen, "txtCandidato"), "mario");
    cerca(screen);
    QCOMPARE(lines(screen).size(), 2);
    QCOMPARE(lines(screen).at(0), lines(screen).at(1));
    doubleClickRow(screen, 0);
    QCOMPARE(editor->campo(C::Citta)->text(), QStringLiteral("Napoli"));
    QCOMPARE(editor->lblPosizione()->text(), QStringLiteral("5"));
}

void TestSearchScreens::personaModeHandsTheCardToTheSlot()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    m_env->flow();
    RecordingSearch screen(m_env->context, nullptr);
    screen.lblMemory()->setText("persona_c");
    showActive(screen);
    cerca(screen);
    doubleClickRow(screen, 2); // Neri Giulia
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.handed.size(), 1);
    QCOMPARE(screen.handed.first().slot, QChar('C'));
    QCOMPARE(screen.handed.first().name, QStringLiteral("Neri Giulia"));
    QCOMPARE(screen.handed.first().position, 4);
}

void TestSearchScreens::personaModeLeavesTheRegistryEditorAlone()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmCandidati* editor = m_env->flow().candidati();
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("persona_h");
    showActive(screen);
    cerca(screen);
    doubleClickRow(screen, 3);
    QVERIFY(!screen.isVisible());
    QCOMPARE(editor->campo(C::Candidato)->text(), QString());
    QCOMPARE(editor->lblPosizione()->text(), QString());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestSearchScreens::doubleClickFailureClosesSilently()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmCandidati* editor = m_env->flow().candidati();
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    screen.lblMemory()->setText("candidati");
    showActive(screen);
    cerca(screen);
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir().mkpath(archivio()));
    doubleClickRow(screen, 3);
    QVERIFY(!screen.isVisible());
    QVERIFY(m_env->messages.shown.isEmpty());
    QCOMPARE(editor->campo(C::Candidato)->text(), QString());
}

void TestSearchScreens::closingEmptiesTheList()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmTrovaCandidati screen(m_env->context, nullptr);
    showActive(screen);
    cerca(screen);
    QCOMPARE(lines(screen).size(), 4);
    QTest::mouseClick(child<QPushButton>(screen, "btnChiudi"), Qt::LeftButton);
    QVERIFY(!screen.isVisible());
    QCOMPARE(lines(screen), QStringList());
    QVERIFY(child<QLabel>(screen, "lblAttendere")->isHidden());
}

void TestSearchScreens::summaryListsFlaggedCards()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    QCOMPARE(screen.windowTitle(), QStringLiteral(" Riepilogo persone da ricontattare"));
    QCOMPARE(screen.size(), QSize(862, 560));
    QCOMPARE(child<QWidget>(screen, "panContainer")->size(), QSize(833, 529));
    // "Sì" and the empty flag are listed, "No" is not.
    QCOMPARE(names(screen), (QStringList{"Bianchi Luca", "Rossi Mario"}));
    QCOMPARE(child<QLabel>(screen, "lblRigo03")->text(),
             QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));
    QVERIFY(!screen.findChild<QLabel*>("lblTrovate"));
    for (const char* name : {"imgLogo", "icoIstruzioni", "imgLente"})
        QVERIFY2(child<QWidget>(screen, name) && child<QWidget>(screen, name)->isVisible(), name);

    QWidget* at = child<QWidget>(screen, "txtTrova");
    QCOMPARE(QApplication::focusWidget(), at);
    QStringList tabOrder{at->objectName()};
    for (int i = 0; i < 5; ++i) {
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible());
        tabOrder.append(at->objectName());
    }
    QCOMPARE(tabOrder,
             (QStringList{"txtTrova", "lstRecords", "btnSalvaPdf", "btnStampa", "btnTrova", "btnChiudi"}));

    QTest::keyClicks(child<QLineEdit>(screen, "txtTrova"), "rossi");
    QTest::keyClick(child<QLineEdit>(screen, "txtTrova"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(screen, "btnTrova"));
    QCOMPARE(selectedRow(screen), -1);
    // Enter on the focused button presses it.
    QTest::keyClick(child<QPushButton>(screen, "btnTrova"), Qt::Key_Return);
    QCOMPARE(selectedRow(screen), 1);

    // No button is the screen's default: Enter in the list picks the row, as a double click does.
    for (QPushButton* button : screen.findChildren<QPushButton*>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    child<QListView>(screen, "lstRecords")->setFocus();
    QTest::keyClick(child<QListView>(screen, "lstRecords"), Qt::Key_Return);
    QVERIFY(!screen.isVisible());
    QVERIFY(m_env->messages.shown.isEmpty());
}

void TestSearchScreens::summaryEmptyListAndTrova()
{
    QList<TSchedaAnagrafica> schede = Fixture::persone();
    schede[0].setRicontatta(false);
    schede[2].setRicontatta(false);
    Fixture::scriviArchivio(archivio(), schede);
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    QCOMPARE(lines(screen), QStringList());
    QTest::mouseClick(child<QPushButton>(screen, "btnTrova"), Qt::LeftButton);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QCOMPARE(m_env->messages.shown.first().kind, MessageKind::Plain);
    QCOMPARE(m_env->messages.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestSearchScreens::summaryDoubleClickLoadsCard()
{
    Fixture::scriviArchivio(archivio(), Fixture::persone());
    TfrmCandidati* editor = m_env->flow().candidati();
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    doubleClickRow(screen, 1);
    QVERIFY(!screen.isVisible());
    QCOMPARE(lines(screen), QStringList());
    QCOMPARE(editor->campo(C::Candidato)->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor->lblPosizione()->text(), QStringLiteral("1"));
    QVERIFY(editor->chkRicontatta()->isChecked());
    QCOMPARE(editor->imgFoto()->picture(), Placeholder::image());
}

void TestSearchScreens::summaryIgnoresFailures()
{
    QVERIFY(QDir().mkpath(archivio()));
    TfrmDaRicontattare screen(m_env->context, nullptr);
    showActive(screen);
    QCOMPARE(lines(screen), QStringList());
    QVERIFY(m_env->messages.shown.isEmpty());
    QTest::mouseClick(child<QPushButton>(screen, "btnChiudi"), Qt::LeftButton);
    QVERIFY(!screen.isVisible());
}

QTEST_MAIN(TestSearchScreens)
#include "tst_search_screens.moc"
