// The import screen as a screen reader reads it: each tick box and drop-down says its row or column,
// a cell under a drop-down reads the chosen field under its column header.

#include "import/ImportPreviewModel.h"
#include "import/Importa.h"
#include "support/KeyboardWalk.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"
#include "widgets/ImageButton.h"

#include <QAccessible>
#include <QComboBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

// Seven columns, three rows; column C is the codice fiscale, F maps to nothing.
const QByteArray kSoci = "Cognome;Nome;CF;Email;Cellulare;Taglia;Nato il\r\n"
                         "Rossi;Mario;RSSMRA80C12H501X;m@r.it;333;L;\r\n"
                         "Verdi;Luca;;;;M;01/01/1990\r\n"
                         ";;;senza@nome.it;;S;\r\n";

// The accessible cell of a table at row, column.
QAccessibleInterface* cella(QWidget* table, int row, int column)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    QAccessibleTableInterface* tabella = accessible ? accessible->tableInterface() : nullptr;
    return tabella ? tabella->cellAt(row, column) : nullptr;
}

} // namespace

class TestImportKeyboard : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tickBoxesNameTheirRow_data();
    void tickBoxesNameTheirRow();
    void columnDropDownsNameTheirColumn_data();
    void columnDropDownsNameTheirColumn();
    void cellUnderADropDownReadsTheChoiceAndItsHeader();
    void dropDownsAreReachedByTab();
    void spaceTicksTheRowInThePreview();

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<TfrmImporta> m_screen;
};

void TestImportKeyboard::init()
{
    m_env = std::make_unique<TestEnvironment>();
    const QString csv = m_env->path(QStringLiteral("soci.csv"));
    TestFiles::writeAll(csv, kSoci);
    m_screen = std::make_unique<TfrmImporta>(m_env->context, nullptr);
    m_screen->show();
    m_env->fileDialogs.nextNames = {csv};
    m_screen->cmdApriClick();
    QCOMPARE(m_screen->model()->rowCount(), 3);
}

void TestImportKeyboard::cleanup()
{
    m_screen.reset();
    m_env.reset();
}

void TestImportKeyboard::tickBoxesNameTheirRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    // The sheet's own row numbers, as the "Riga" column shows them: the header is row 1.
    QTest::newRow("first") << 0 << "Importa la riga 2";
    QTest::newRow("last") << 2 << "Importa la riga 4";
}

void TestImportKeyboard::tickBoxesNameTheirRow()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    auto* anteprima = m_screen->findChild<QTableView*>(QStringLiteral("grdAnteprima"));
    QAccessibleInterface* tick = cella(anteprima, row, ImportPreviewModel::Importa);
    QVERIFY(tick);
    QCOMPARE(tick->text(QAccessible::Name), name);
    QVERIFY(tick->state().checkable);
    QCOMPARE(bool(tick->state().checked),
             m_screen->model()->index(row, ImportPreviewModel::Importa).data(Qt::CheckStateRole).toInt() ==
                 Qt::Checked);
    QCOMPARE(m_screen->model()->index(row, ImportPreviewModel::Riga).data().toString(), name.right(1));
}

void TestImportKeyboard::columnDropDownsNameTheirColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("A") << 1 << "Campo della colonna A (Cognome)"
                       << "Cognome";
    QTest::newRow("C") << 3 << "Campo della colonna C (CF)"
                       << "Codice fiscale";
    QTest::newRow("F") << 6 << "Campo della colonna F (Taglia)"
                       << "(non importare)";
}

void TestImportKeyboard::columnDropDownsNameTheirColumn()
{
    QFETCH(int, column);
    QFETCH(QString, name);
    QFETCH(QString, value);
    auto* combo = m_screen->findChild<QComboBox*>(QStringLiteral("cboCampo_%1").arg(column));
    QVERIFY(combo);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(combo);
    QCOMPARE(accessible->role(), QAccessible::ComboBox);
    QCOMPARE(accessible->text(QAccessible::Name), name + QStringLiteral(": ") + value);
    QCOMPARE(accessible->text(QAccessible::Value), value);
    // Every drop-down of the table has its own name.
    QStringList nomi;
    for (QComboBox* other : m_screen->findChildren<QComboBox*>())
        nomi << other->accessibleName();
    QCOMPARE(nomi.count(name), 1);
}

void TestImportKeyboard::cellUnderADropDownReadsTheChoiceAndItsHeader()
{
    auto* colonne = m_screen->findChild<QTableWidget*>(QStringLiteral("grdColonne"));
    QAccessibleInterface* cell = cella(colonne, 2, 2);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Codice fiscale"));
    const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
    QCOMPARE(headers.size(), 1);
    QCOMPARE(headers.first()->text(QAccessible::Name), QStringLiteral("Campo della scheda"));
    // A new choice is read at once.
    auto* combo = m_screen->findChild<QComboBox*>(QStringLiteral("cboCampo_3"));
    combo->setCurrentIndex(0);
    QCOMPARE(cella(colonne, 2, 2)->text(QAccessible::Name), combo->itemText(0));
}

void TestImportKeyboard::dropDownsAreReachedByTab()
{
    auto* primo = m_screen->findChild<QWidget*>(QStringLiteral("cmdApri"));
    primo->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), primo);
    const QStringList cycle = KeyboardWalk::tabCycle(m_screen.get());
    // The column table, its drop-downs from the top, then the preview: each once.
    const qsizetype tabella = cycle.indexOf(QStringLiteral("grdColonne"));
    QVERIFY2(tabella >= 0, qPrintable(cycle.join(u' ')));
    QStringList attesi = {QStringLiteral("grdColonne")};
    for (int column = 1; column <= 7; ++column)
        attesi << QStringLiteral("cboCampo_%1").arg(column);
    attesi << QStringLiteral("grdAnteprima");
    QCOMPARE(cycle.mid(tabella, attesi.size()), attesi);
    for (const QString& name : cycle)
        QVERIFY2(cycle.count(name) == 1, qPrintable(name));
}

void TestImportKeyboard::spaceTicksTheRowInThePreview()
{
    auto* anteprima = m_screen->findChild<QTableView*>(QStringLiteral("grdAnteprima"));
    const QModelIndex tick = m_screen->model()->index(1, ImportPreviewModel::Importa);
    const bool before = tick.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    anteprima->setFocus();
    anteprima->setCurrentIndex(tick);
    QTest::keyClick(anteprima, Qt::Key_Space);
    QCOMPARE(tick.data(Qt::CheckStateRole).toInt() == Qt::Checked, !before);
}

QTEST_MAIN(TestImportKeyboard)
#include "tst_import_keyboard.moc"
