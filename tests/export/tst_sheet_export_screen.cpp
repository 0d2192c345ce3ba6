// The format choice of the export screen: the designed .xls by default, .xlsx and .ods on demand,
// each written where its messages say and read back by the import.
#include "documents/ExpCandidati.h"
#include "documents/ExportFixture.h"
#include "documents/RegistryTableModel.h"
#include "export/XlsxLibrary.h"
#include "import/SheetReader.h"
#include "support/TestEnvironment.h"
#include "widgets/ImageButton.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

using C = TSchedaAnagrafica;

namespace {

// The first question names the chosen format.
QString domanda(const QString& formato)
{
    return QStringLiteral("L'esportazione dei dati %1 pu\u00F2 richiedere diversi minuti a seconda "
                          "del numero di schede presenti in archivio.\r\n\r\n"
                          "Si vuole esportare i dati adesso?")
        .arg(formato);
}

QString successo(const QString& file)
{
    return QStringLiteral(
               "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire %1?")
        .arg(file);
}

// The reason the system gives stands in brackets after "dati".
QRegularExpression fallimento(const QString& file)
{
    return QRegularExpression(
        QStringLiteral("^Attenzione: il sistema non permette di esportare i dati( \\(.+\\))?\\.\n\r\n\r"
                       "Accertarsi che %1 non sia gi\u00E0 aperto\\. Il file esportato in precedenza "
                       "resta com'\u00E8\\.$")
            .arg(file));
}

void clicca(const QWidget& screen, const char* name)
{
    auto* button = screen.findChild<ImageButton*>(QString::fromLatin1(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestSheetExportScreen : public QObject {
    Q_OBJECT

private slots:
    void formatChoiceStartsOnTheDesignedFile();
    void chosenFormatIsWrittenAndOpened_data();
    void chosenFormatIsWrittenAndOpened();
    void failureNamesTheFile_data();
    void failureNamesTheFile();
};

void TestSheetExportScreen::formatChoiceStartsOnTheDesignedFile()
{
    TestEnvironment env;
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    QComboBox* combo = screen.cboFormato();
    QVERIFY(combo);
    QCOMPARE(combo->objectName(), QStringLiteral("cboFormato"));
    QCOMPARE(combo->accessibleName(), QStringLiteral("Formato del file esportato."));
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentText(), QStringLiteral("Excel (.xls)"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Excel (.xlsx)"));
    QCOMPARE(combo->itemText(2), QStringLiteral("OpenDocument (.ods)"));
    auto* panInfo = screen.findChild<QLabel*>(QStringLiteral("panInfo"));
    QVERIFY(panInfo);
    QTest::mouseMove(combo);
    QTRY_COMPARE(panInfo->text(), QStringLiteral("Formato del file esportato."));
}

void TestSheetExportScreen::chosenFormatIsWrittenAndOpened_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << 1 << "Archivio_Anagrafico.xlsx"
                          << "nel formato Excel (.xlsx)"
                          << "il file .xlsx";
    QTest::newRow("ods") << 2 << "Archivio_Anagrafico.ods"
                         << "nel formato OpenDocument (.ods)"
                         << "il file .ods";
}

void TestSheetExportScreen::chosenFormatIsWrittenAndOpened()
{
    QFETCH(int, choice);
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, file);
    if (choice == 1)
        QVERIFY2(XlsxLibrary::get(), qPrintable(XlsxLibrary::loadError()));
    TestEnvironment env;
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    // A value typed into the table reaches the file.
    QVERIFY(screen.model()->setData(screen.model()->index(0, 14), QStringLiteral("nuova@example.it"),
                                    Qt::EditRole));
    screen.cboFormato()->setCurrentIndex(choice);
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.texts(), QStringList({domanda(format), successo(file)}));
    const QString path = env.path(name);
    QCOMPARE(env.shell.opened, QStringList{path});
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Archivio_Anagrafico.xls"))));
    const SheetReader::Sheet sheet = SheetReader::read(path);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error));
    QCOMPARE(sheet.rows.size(), 4);
    QCOMPARE(sheet.rows[1].value(0), QStringLiteral("Rossi Mario"));
    QCOMPARE(sheet.rows[1].value(1), QStringLiteral("M"));
    QCOMPARE(sheet.rows[1].value(14), QStringLiteral("nuova@example.it"));
    QCOMPARE(sheet.rows[3].value(0), QStringLiteral("Verdi & Figli <srl>"));
}

void TestSheetExportScreen::failureNamesTheFile_data()
{
    chosenFormatIsWrittenAndOpened_data();
}

void TestSheetExportScreen::failureNamesTheFile()
{
    QFETCH(int, choice);
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, file);
    TestEnvironment env;
    // A folder where the file should be: it can be neither written nor replaced.
    QVERIFY(QDir(env.folder()).mkdir(name));
    ExportFixture::scriviArchivio(C::archivio(env.folder()), ExportFixture::treSchede());
    TfrmExpCandidati screen(env.context, nullptr);
    screen.show();
    screen.cboFormato()->setCurrentIndex(choice);
    clicca(screen, "cmdEsporta");
    QCOMPARE(env.messages.shown.size(), 2);
    QCOMPARE(env.messages.shown[0].text, domanda(format));
    if (choice == 2) // no word of Excel about an OpenDocument file
        QVERIFY(!env.messages.shown[1].text.contains(QLatin1String("Excel")));
    QVERIFY2(fallimento(file).match(env.messages.shown[1].text).hasMatch(),
             qPrintable(env.messages.shown[1].text));
    QCOMPARE(env.messages.shown[1].kind, MessageKind::Plain);
    QVERIFY(env.shell.opened.isEmpty());
    QVERIFY(QFileInfo(env.path(name)).isDir());
}

QTEST_MAIN(TestSheetExportScreen)
#include "tst_sheet_export_screen.moc"
