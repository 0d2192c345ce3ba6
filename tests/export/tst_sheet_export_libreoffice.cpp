// Opens the XLSX and ODS exports in LibreOffice Calc: every cell reads as it was written, and the
// sheet keeps its name, a bold header row and bounded column widths. Skipped where
// soffice is not installed.
#include "SheetFixture.h"
#include "documents/LibreOffice.h"
#include "documents/RegistryTableModel.h"
#include "export/RegistrySheetExport.h"
#include "export/XlsxLibrary.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using C = TSchedaAnagrafica;
using Format = RegistrySheetExport::Format;

namespace {

// A value typed into the table, with letters the code page lacks.
const QString kTyped = QStringLiteral("\u0141\u00F3d\u017A & <\u0107> \u4E2D\u6587 \U0001F600");

// What LibreOffice shows of a sheet saved as flat ODS: the first table's name, the width of its
// columns and whether each cell of the first two rows is bold. (Run headless, it keeps no view,
// so the frozen header row is checked on the files themselves.)
struct SheetLook {
    QString name;
    QList<double> widthsCm;
    QList<bool> boldHeader;
    QList<bool> boldFirstRow;
};

double centimetres(const QString& length)
{
    if (length.endsWith(QLatin1String("cm")))
        return length.chopped(2).toDouble();
    if (length.endsWith(QLatin1String("mm")))
        return length.chopped(2).toDouble() / 10;
    if (length.endsWith(QLatin1String("in")))
        return length.chopped(2).toDouble() * 2.54;
    return -1;
}

SheetLook look(const QString& fods)
{
    QFile file(fods);
    SheetLook result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    QHash<QString, QString> columnWidth; // column style to width
    QHash<QString, QString> parent;      // cell style to its parent
    QHash<QString, bool> bold;           // cell style to its own weight, where it says one
    QString style;
    QList<QString> columnCellStyles;
    int tables = 0;
    int rows = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"table") {
            ++tables;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"style") {
            style = a.value(QLatin1String("style:name")).toString();
            parent.insert(style, a.value(QLatin1String("style:parent-style-name")).toString());
        } else if (xml.name() == u"table-column-properties") {
            columnWidth.insert(style, a.value(QLatin1String("style:column-width")).toString());
        } else if (xml.name() == u"text-properties" && a.hasAttribute(QLatin1String("fo:font-weight"))) {
            bold.insert(style, a.value(QLatin1String("fo:font-weight")) == u"bold");
        } else if (xml.name() == u"table" && tables == 0 && result.name.isEmpty()) {
            result.name = a.value(QLatin1String("table:name")).toString();
        } else if (xml.name() == u"table-column" && tables == 0) {
            const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            for (int i = 0; i < repeat && result.widthsCm.size() < RegistrySheetExport::kColumns; ++i) {
                result.widthsCm.append(
                    centimetres(columnWidth.value(a.value(QLatin1String("table:style-name")).toString())));
                columnCellStyles.append(a.value(QLatin1String("table:default-cell-style-name")).toString());
            }
        } else if (xml.name() == u"table-row" && tables == 0) {
            ++rows;
        } else if (xml.name() == u"table-cell" && tables == 0 && rows <= 2) {
            QList<bool>& target = rows == 1 ? result.boldHeader : result.boldFirstRow;
            const int repeat = std::max(1, a.value(QLatin1String("table:number-columns-repeated")).toInt());
            for (int i = 0; i < repeat && target.size() < RegistrySheetExport::kColumns; ++i) {
                QString name = a.value(QLatin1String("table:style-name")).toString();
                if (name.isEmpty())
                    name = columnCellStyles.value(target.size());
                bool isBold = false;
                for (int depth = 0; !name.isEmpty() && depth < 10; ++depth, name = parent.value(name)) {
                    if (bold.contains(name)) {
                        isBold = bold.value(name);
                        break;
                    }
                }
                target.append(isBold);
            }
        }
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(RegistrySheetExport::Format)

class TestSheetExportLibreOffice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyCellReadsAsWritten_data();
    void everyCellReadsAsWritten();
    void sheetNameBoldHeaderAndWidths_data();
    void sheetNameBoldHeaderAndWidths();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QList<TSchedaAnagrafica> m_schede;
    QHash<QString, QString> m_files; // format name to the exported file
};

void TestSheetExportLibreOffice::initTestCase()
{
    if (LibreOffice::program().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QVERIFY(m_dir.isValid());
    m_folder = QDir(m_dir.path()).absolutePath() + QLatin1Char('/');
    m_schede = SheetFixture::schedeDifficili();

    RegistryTableModel model(nullptr);
    model.setTable(SheetFixture::leggi(m_folder, m_schede));
    QVERIFY(model.setData(model.index(2, 24), kTyped, Qt::EditRole));

    // Both files are converted by one run of LibreOffice for each kind of output.
    QStringList files;
    for (const auto& [name, format] : {std::pair{"xlsx", Format::Xlsx}, std::pair{"ods", Format::Ods}}) {
        if (format == Format::Xlsx)
            QVERIFY2(XlsxLibrary::get(), qPrintable(XlsxLibrary::loadError()));
        const QString path = m_folder + QStringLiteral("esportato_%1.%1").arg(QLatin1String(name));
        QString error;
        QCOMPARE(RegistrySheetExport::save(format, path, model.table(), {}, &error),
                 RegistryExport::Outcome::Written);
        m_files.insert(QLatin1String(name), path);
        files.append(path);
    }
    const QString csvErrors =
        LibreOffice::convert(files, LibreOffice::csvFilter(), m_folder + "csv", m_folder);
    const QString fodsErrors =
        LibreOffice::convert(files, QStringLiteral("fods"), m_folder + "fods", m_folder);
    for (const QString& name : m_files.keys()) {
        QVERIFY2(QFile::exists(m_folder + QStringLiteral("csv/esportato_%1.csv").arg(name)),
                 qPrintable(csvErrors));
        QVERIFY2(QFile::exists(m_folder + QStringLiteral("fods/esportato_%1.fods").arg(name)),
                 qPrintable(fodsErrors));
    }
}

void TestSheetExportLibreOffice::everyCellReadsAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("ods") << "ods";
}

void TestSheetExportLibreOffice::everyCellReadsAsWritten()
{
    QFETCH(QString, name);
    QVERIFY(m_files.contains(name));
    QFile csv(m_folder + QStringLiteral("csv/esportato_%1.csv").arg(name));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QStringList> rows = LibreOffice::readCsv(QString::fromUtf8(csv.readAll()));
    QCOMPARE(rows.size(), m_schede.size() + 1);
    QCOMPARE(rows[0], RegistrySheetExport::headerLabels());
    // Sesso, second, as the import reads it back.
    QCOMPARE(rows[0][1], QStringLiteral("Sesso"));
    QCOMPARE(rows[1][1], QStringLiteral("M"));
    QCOMPARE(rows[2][1], QStringLiteral("F"));
    for (int row = 0; row < m_schede.size(); ++row) {
        QCOMPARE(rows[row + 1].size(), RegistrySheetExport::kColumns);
        for (int column = 0; column < RegistrySheetExport::kColumns; ++column) {
            const QString expected =
                row == 2 && column == 24 ? kTyped : SheetFixture::atteso(m_schede[row], column);
            QVERIFY2(rows[row + 1][column] == expected,
                     qPrintable(QStringLiteral("card %1, column %2: %3 instead of %4")
                                    .arg(row + 1)
                                    .arg(column + 1)
                                    .arg(rows[row + 1][column], expected)));
        }
    }
}

void TestSheetExportLibreOffice::sheetNameBoldHeaderAndWidths_data()
{
    everyCellReadsAsWritten_data();
}

void TestSheetExportLibreOffice::sheetNameBoldHeaderAndWidths()
{
    QFETCH(QString, name);
    QVERIFY(m_files.contains(name));
    const SheetLook sheet = look(m_folder + QStringLiteral("fods/esportato_%1.fods").arg(name));
    QCOMPARE(sheet.name, QStringLiteral("Archivio Anagrafico"));
    QCOMPARE(sheet.boldHeader, QList<bool>(RegistrySheetExport::kColumns, true));
    QCOMPARE(sheet.boldFirstRow, QList<bool>(RegistrySheetExport::kColumns, false));
    QCOMPARE(sheet.widthsCm.size(), RegistrySheetExport::kColumns);
    // The note of 250 characters is cut to 60, some 11 to 15 cm as each program measures a
    // character; every other column is narrower, CAP narrower than the address.
    const double widest = sheet.widthsCm[24];
    QVERIFY2(widest > 10 && widest < 16, qPrintable(QString::number(widest)));
    for (const double width : sheet.widthsCm)
        QVERIFY2(width > 0.5 && width <= widest + 0.01, qPrintable(QString::number(width)));
    QCOMPARE_LT(sheet.widthsCm[7], sheet.widthsCm[5]);
}

QTEST_GUILESS_MAIN(TestSheetExportLibreOffice)
#include "tst_sheet_export_libreoffice.moc"
