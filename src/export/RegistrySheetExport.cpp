#include "export/RegistrySheetExport.h"

#include "documents/RegistryTable.h"
#include "export/OdsSheetWriter.h"
#include "export/XlsxSheetWriter.h"
#include "storage/Cp1252.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Rows between two looks at the progress.
constexpr int kProgressStep = 256;

bool keepsAsIs(char16_t c)
{
    return c >= 32 || c == u'\t' || c == u'\n' || c == u'\r';
}

// Where Sesso stands among the columns of the file: after the name, as on the card.
constexpr int kSexColumn = 1;

// The table's column of a column of the file, or -1 for Sesso.
constexpr int tableColumn(int sheetColumn)
{
    return sheetColumn < kSexColumn ? sheetColumn : sheetColumn == kSexColumn ? -1 : sheetColumn - 1;
}

// Whether a cell of the file was changed in the table (Sesso is not shown there, so never).
bool sheetCellChanged(const RegistryTable& table, int row, int sheetColumn)
{
    const int column = tableColumn(sheetColumn);
    return column >= 0 && table.isChanged(row, column);
}

// The stored bytes of a cell of the file.
QByteArrayView sheetCellBytes(const RegistryTable& table, int row, int sheetColumn)
{
    const int column = tableColumn(sheetColumn);
    return column < 0 ? table.sexBytes(row) : table.storedBytes(row, column);
}

} // namespace

const std::array<TSchedaAnagrafica::Campo, RegistrySheetExport::kColumns>& RegistrySheetExport::fields()
{
    static const std::array<TSchedaAnagrafica::Campo, kColumns> list = [] {
        std::array<TSchedaAnagrafica::Campo, kColumns> result{};
        for (int column = 0; column < kColumns; ++column) {
            const int inTable = tableColumn(column);
            result[std::size_t(column)] =
                inTable < 0 ? TSchedaAnagrafica::Sesso : RegistryTable::fields()[std::size_t(inTable)];
        }
        return result;
    }();
    return list;
}

QStringList RegistrySheetExport::headerLabels()
{
    QStringList labels = RegistryExport::headerLabels();
    labels.insert(kSexColumn, QStringLiteral("Sesso"));
    return labels;
}

QString RegistrySheetExport::path(const QString& programFolder, Format format)
{
    switch (format) {
    case Format::Xlsx:
        return programFolder + QStringLiteral("Archivio_Anagrafico.xlsx");
    case Format::Ods:
        return programFolder + QStringLiteral("Archivio_Anagrafico.ods");
    case Format::Xls:
        break;
    }
    return RegistryExport::path(programFolder);
}

std::unique_ptr<SheetWriter> RegistrySheetExport::writer(Format format)
{
    if (format == Format::Ods)
        return std::make_unique<OdsSheetWriter>();
    return std::make_unique<XlsxSheetWriter>();
}

QList<int> RegistrySheetExport::columnWidths(const RegistryTable& table)
{
    const QStringList headers = headerLabels();
    QList<int> widths;
    for (const QString& header : headers)
        widths.append(int(header.size()) + 2); // bold letters are wider
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            // One byte of the code page is one character.
            const qsizetype length = sheetCellChanged(table, row, column)
                                         ? table.changedText(row, tableColumn(column)).size()
                                         : sheetCellBytes(table, row, column).size();
            widths[column] = std::max(widths[column], int(std::min<qsizetype>(length + 1, kMaxWidth)));
        }
    }
    for (int& width : widths)
        width = std::clamp(width, kMinWidth, kMaxWidth);
    return widths;
}

void RegistrySheetExport::cellText(QByteArray& out, QByteArrayView stored)
{
    out.resize(0); // keeps its room: one cell after another
    // Most values are plain ASCII, which is UTF-8 already.
    const bool ascii = std::all_of(stored.begin(), stored.end(), [](char byte) {
        const auto code = static_cast<unsigned char>(byte);
        return code >= 32 && code < 128;
    });
    if (ascii)
        out.append(stored);
    else
        cellText(out, QStringView(Cp1252::decode(stored)));
}

void RegistrySheetExport::cellText(QByteArray& out, QStringView typed)
{
    out.resize(0);
    QString text;
    text.reserve(typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        if (c.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            text.append(c);
            text.append(typed[++i]);
        } else if (!keepsAsIs(c.unicode()) || c.isSurrogate() || c.unicode() >= 0xFFFE) {
            text.append(QChar::ReplacementCharacter);
        } else {
            text.append(c);
        }
    }
    out.append(text.toUtf8());
}

RegistryExport::Outcome RegistrySheetExport::save(Format format, const QString& path,
                                                  const RegistryTable& table,
                                                  const RegistryExport::Progress& progress,
                                                  QString* errorString)
{
    if (format == Format::Xls)
        return RegistryExport::save(path, table, progress, errorString);
    const std::unique_ptr<SheetWriter> sheet = writer(format);
    return save(*sheet, path, table, progress, errorString);
}

RegistryExport::Outcome RegistrySheetExport::save(SheetWriter& writer, const QString& path,
                                                  const RegistryTable& table,
                                                  const RegistryExport::Progress& progress,
                                                  QString* errorString)
{
    const auto failed = [&] {
        if (errorString)
            *errorString = writer.errorString();
        writer.abandon();
        return RegistryExport::Outcome::Failed;
    };
    // A file marked read-only is not replaced, whoever runs the program.
    const QFileInfo target(path);
    if (target.isFile() && !target.permissions().testFlag(QFileDevice::WriteOwner)) {
        if (errorString)
            *errorString =
                QStringLiteral("il file %1 \u00E8 di sola lettura").arg(QDir::toNativeSeparators(path));
        return RegistryExport::Outcome::Failed;
    }
    if (!writer.begin(path, sheetName(), headerLabels(), columnWidths(table)))
        return failed();
    QList<QByteArray> cells(kColumns);
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            if (sheetCellChanged(table, row, column))
                cellText(cells[column],
                         QStringView(TextRules::trim(table.changedText(row, tableColumn(column)))));
            else
                cellText(cells[column], sheetCellBytes(table, row, column));
        }
        if (!writer.writeRow(cells))
            return failed();
        if (progress && (row + 1) % kProgressStep == 0 && !progress(row + 1, rows)) {
            writer.abandon();
            return RegistryExport::Outcome::Cancelled;
        }
    }
    if (!writer.finish())
        return failed();
    return RegistryExport::Outcome::Written;
}
