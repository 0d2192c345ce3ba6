#include "import/SheetParts.h"

namespace SheetParts {

const QString kNonApribile =
    QStringLiteral("Attenzione: il file non pu\u00F2 essere aperto.\r\n\r\n"
                   "Accertarsi che esista e che non sia aperto in un altro programma.");
const QString kVuoto =
    QStringLiteral("Attenzione: il file scelto \u00E8 vuoto e non contiene nessuna scheda.");
const QString kTroppoGrande = QStringLiteral(
    "Attenzione: il file scelto \u00E8 troppo grande per essere importato (oltre 64 MB).\r\n\r\n"
    "Dividere l'elenco in pi\u00F9 file e importarli uno alla volta.");
const QString kNonFoglio = QStringLiteral(
    "Attenzione: il file scelto non \u00E8 un foglio di calcolo che il programma sa leggere.\r\n\r\n"
    "Si possono importare file CSV, XLSX, XLS, ODS e l'archivio esportato dal programma.");
const QString kDanneggiato =
    QStringLiteral("Attenzione: il file %1 \u00E8 danneggiato e non pu\u00F2 essere letto.");
const QString kProtetto =
    QStringLiteral("Attenzione: il file %1 \u00E8 protetto da password e non pu\u00F2 essere letto.\r\n\r\n"
                   "Aprirlo nel foglio di calcolo, salvarlo senza password e riprovare.");
const QString kSenzaTesti =
    QStringLiteral("Attenzione: il file XLSX \u00E8 danneggiato: manca la parte con i testi delle celle "
                   "(xl/sharedStrings.xml).\r\n\r\nAprirlo nel foglio di calcolo e salvarlo di nuovo.");
const QString kBomba = QStringLiteral(
    "Attenzione: il file %1, una volta decompresso, \u00E8 troppo grande per essere importato.");
const QString kTroppeRighe =
    QStringLiteral("Attenzione: il foglio contiene troppe righe o colonne per essere importato.");
const QString kSenzaRighe = QStringLiteral("Attenzione: il foglio non contiene nessuna riga da importare.");

SheetReader::Sheet failure(const QString& message)
{
    SheetReader::Sheet sheet;
    sheet.error = message;
    return sheet;
}

void finish(SheetReader::Sheet& sheet)
{
    if (!sheet.error.isEmpty() || sheet.cancelled) {
        sheet.rows.clear();
        sheet.notes.clear();
        return;
    }
    const auto blank = [](const QString& s) { return s.trimmed().isEmpty(); };
    for (QStringList& row : sheet.rows) {
        while (!row.isEmpty() && blank(row.last()))
            row.removeLast();
    }
    while (!sheet.rows.isEmpty() && sheet.rows.last().isEmpty())
        sheet.rows.removeLast();
    if (sheet.rows.isEmpty())
        sheet.error = kSenzaRighe;
}

bool tick(const SheetReader::Progress& progress, qint64 done, qint64 total)
{
    if (!progress || total <= 0)
        return true;
    return progress(int(std::min<qint64>(1000, done * 1000 / total)));
}

QStringView attribute(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == name)
            return a.value();
    }
    return {};
}

QString cellText(QString text)
{
    if (text.size() > SheetReader::kMaxCellChars)
        text.truncate(SheetReader::kMaxCellChars);
    if (text.contains(QChar(0)))
        text.remove(QChar(0));
    return text;
}

bool putCell(QList<QStringList>& rows, int row, int column, const QString& text)
{
    if (text.isEmpty())
        return true;
    if (row >= SheetReader::kMaxRows || column >= SheetReader::kMaxColumns)
        return false;
    while (rows.size() <= row)
        rows.append(QStringList());
    QStringList& cells = rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = cellText(text);
    return true;
}

} // namespace SheetParts
