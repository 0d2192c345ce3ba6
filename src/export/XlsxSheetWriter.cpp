#include "export/XlsxSheetWriter.h"

#include "export/XlsxLibrary.h"
#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QDir>
#include <QFile>

namespace {

constexpr qint64 kCopyChunk = 1024 * 1024;

// libxlsxwriter does not check its writes to its own temporary files, where the rows wait: the
// sheet in the workbook must inflate with a good checksum and end with the last row written
// (1-based, as the file numbers them).
bool sheetComplete(const QString& workbook, quint32 lastRow)
{
    QuaZip zip(workbook);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(QStringLiteral("xl/worksheets/sheet1.xml")))
        return false;
    QuaZipFile sheet(&zip);
    if (!sheet.open(QIODevice::ReadOnly))
        return false;
    const QByteArray marker = QByteArrayLiteral("<row r=\"");
    QByteArray tail; // from the last row start seen to the end of what was read
    while (!sheet.atEnd()) {
        const QByteArray chunk = sheet.read(kCopyChunk);
        if (chunk.isEmpty())
            return false;
        tail += chunk;
        const qsizetype at = tail.lastIndexOf(marker);
        tail.remove(0, at >= 0 ? at : std::max<qsizetype>(0, tail.size() - marker.size()));
    }
    sheet.close();
    if (sheet.getZipError() != UNZ_OK || !tail.startsWith(marker))
        return false;
    const qsizetype end = tail.indexOf('"', marker.size());
    return end > 0 && tail.mid(marker.size(), end - marker.size()).toUInt() == lastRow;
}

} // namespace

XlsxSheetWriter::XlsxSheetWriter() = default;

XlsxSheetWriter::~XlsxSheetWriter()
{
    abandon();
}

bool XlsxSheetWriter::fail(const QString& error)
{
    m_error = error;
    abandon();
    return false;
}

bool XlsxSheetWriter::check(int error)
{
    if (error == LXW_NO_ERROR)
        return true;
    return fail(libraryError(error, m_work.path()));
}

QString XlsxSheetWriter::libraryError(int error, const QString& workFolder)
{
    // The library's own texts are English: its failures come from the disk of the work folder or
    // from memory, the rest from a value it refuses.
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("memoria insufficiente");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("%1 nella cartella temporanea %2")
            .arg(FileErrorText::ofFolder(workFolder), QDir::toNativeSeparators(workFolder));
    default:
        return QStringLiteral("la libreria XLSX ha rifiutato un valore (errore %1)").arg(error);
    }
}

bool XlsxSheetWriter::begin(const QString& path, const QString& sheetName, const QStringList& headers,
                            const QList<int>& widths)
{
    m_lib = XlsxLibrary::get();
    if (!m_lib)
        return fail(QStringLiteral("la libreria libxlsxwriter non pu\u00F2 essere caricata (%1)")
                        .arg(XlsxLibrary::loadError()));
    m_target.setFileName(path);
    if (!m_target.open(QIODevice::WriteOnly))
        return fail(FileErrorText::of(m_target));
    if (!m_work.isValid())
        return fail(
            QStringLiteral("%1 (cartella temporanea)").arg(FileErrorText::italian(m_work.errorString())));
    m_workbookPath = m_work.filePath(QStringLiteral("foglio.xlsx"));
    m_workFolder = QFile::encodeName(QDir::toNativeSeparators(m_work.path()));

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_workFolder.data();
    options.use_zip64 = LXW_FALSE;
    m_workbook = m_lib->workbookNewOpt(QFile::encodeName(m_workbookPath).constData(), &options);
    if (!m_workbook)
        return fail(libraryError(LXW_ERROR_CREATING_XLSX_FILE, m_work.path()));
    m_sheet = m_lib->workbookAddWorksheet(m_workbook, sheetName.toUtf8().constData());
    if (!m_sheet)
        return fail(libraryError(LXW_ERROR_CREATING_TMPFILE, m_work.path()));

    // Every cell is text ("@"), so that nothing typed later is read as a number or a formula.
    m_text = m_lib->workbookAddFormat(m_workbook);
    lxw_format* const bold = m_lib->workbookAddFormat(m_workbook);
    if (!m_text || !bold)
        return fail(libraryError(LXW_ERROR_MEMORY_MALLOC_FAILED, m_work.path()));
    m_lib->formatSetNumFormat(m_text, "@");
    m_lib->formatSetNumFormat(bold, "@");
    m_lib->formatSetBold(bold);

    for (int column = 0; column < widths.size(); ++column) {
        if (!check(m_lib->worksheetSetColumn(m_sheet, lxw_col_t(column), lxw_col_t(column), widths[column],
                                             m_text)))
            return false;
    }
    m_lib->worksheetFreezePanes(m_sheet, 1, 0);
    for (int column = 0; column < headers.size(); ++column) {
        if (!check(m_lib->worksheetWriteString(m_sheet, 0, lxw_col_t(column),
                                               headers[column].toUtf8().constData(), bold)))
            return false;
    }
    m_row = 1;
    return true;
}

bool XlsxSheetWriter::writeRow(const QList<QByteArray>& cells)
{
    if (!m_sheet)
        return false;
    for (int column = 0; column < cells.size(); ++column) {
        const QByteArray& cell = cells[column];
        if (cell.isEmpty())
            continue;
        if (!check(m_lib->worksheetWriteString(m_sheet, m_row, lxw_col_t(column), cell.constData(), m_text)))
            return false;
        m_lastRow = m_row;
    }
    ++m_row;
    return true;
}

bool XlsxSheetWriter::finish()
{
    if (!m_workbook)
        return false;
    lxw_workbook* const workbook = m_workbook;
    m_workbook = nullptr;
    m_sheet = nullptr;
    if (!check(m_lib->workbookClose(workbook)))
        return false;
    if (!sheetComplete(m_workbookPath, m_lastRow + 1))
        return fail(
            QStringLiteral("il foglio scritto nella cartella temporanea %1 \u00E8 incompleto: %2")
                .arg(QDir::toNativeSeparators(m_work.path()), FileErrorText::ofFolder(m_work.path())));

    // The workbook goes into the temporary file beside the target, then replaces it: only when
    // every byte was written and the file has the size of the workbook.
    QFile assembled(m_workbookPath);
    if (!assembled.open(QIODevice::ReadOnly))
        return fail(FileErrorText::of(assembled));
    const qint64 size = assembled.size();
    QByteArray chunk;
    while (!(chunk = assembled.read(kCopyChunk)).isEmpty()) {
        if (m_target.write(chunk) != chunk.size())
            return fail(FileErrorText::of(m_target));
    }
    if (assembled.error() != QFileDevice::NoError)
        return fail(FileErrorText::of(assembled));
    if (!m_target.flush())
        return fail(FileErrorText::of(m_target));
    if (m_target.size() != size)
        return fail(
            QStringLiteral("il file scritto \u00E8 incompleto (%1)").arg(FileErrorText::of(m_target)));
    QString reason;
    if (!SafeSave::commit(m_target, &reason))
        return fail(reason);
    return true;
}

void XlsxSheetWriter::abandon()
{
    if (m_workbook) {
        m_lib->workbookFree(m_workbook);
        m_workbook = nullptr;
        m_sheet = nullptr;
    }
    m_target.cancelWriting();
}
