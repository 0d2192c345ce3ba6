#include "import/XlsReader.h"

#include "import/NumberFormat.h"
#include "import/SheetParts.h"

#include <freexl.h>

#include <QDateTime>
#include <QFile>

using namespace SheetParts;

namespace {

const QString kXlsKind = QStringLiteral("XLS");

// FreeXL gives dates and times as ISO text: shown as Calc shows its default formats.
QString shownDate(const char* text, unsigned char type)
{
    const QString iso = QString::fromUtf8(text);
    if (type == FREEXL_CELL_TIME) {
        const QTime time = QTime::fromString(iso, QStringLiteral("HH:mm:ss"));
        return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : iso;
    }
    const QDateTime moment = QDateTime::fromString(iso.left(19).replace(u' ', u'T'), Qt::ISODate);
    const QDate date = type == FREEXL_CELL_DATE ? QDate::fromString(iso, Qt::ISODate) : moment.date();
    if (!date.isValid())
        return iso;
    QString shown = date.toString(QStringLiteral("dd/MM/yyyy"));
    if (type == FREEXL_CELL_DATETIME)
        shown += u' ' + moment.time().toString(QStringLiteral("HH:mm:ss"));
    return shown;
}

} // namespace

XlsReader::XlsReader(const QString& path)
    : m_path(path)
{
}

XlsReader::~XlsReader()
{
    if (m_handle)
        freexl_close(m_handle);
}

bool XlsReader::open()
{
    if (m_opened)
        return m_error.isEmpty();
    m_opened = true;
    const QByteArray name = QFile::encodeName(m_path);
    if (freexl_open(name.constData(), &m_handle) != FREEXL_OK) {
        if (m_handle)
            freexl_close(m_handle);
        m_handle = nullptr;
        m_error = kDanneggiato.arg(kXlsKind);
        return false;
    }
    unsigned int info = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
        info == FREEXL_BIFF_OBFUSCATED) {
        m_error = kProtetto.arg(kXlsKind);
        return false;
    }
    unsigned int count = 0;
    if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0) {
        m_error = kSenzaRighe;
        return false;
    }
    for (unsigned short i = 0; i < count && i < 1000; ++i) {
        const char* sheetName = nullptr;
        freexl_get_worksheet_name(m_handle, i, &sheetName);
        m_sheets.append(
            {sheetName ? QString::fromUtf8(sheetName) : QStringLiteral("Foglio%1").arg(i + 1), true});
    }
    return true;
}

QList<SheetReader::SheetInfo> XlsReader::sheets()
{
    return open() ? m_sheets : QList<SheetReader::SheetInfo>();
}

SheetReader::Sheet XlsReader::read(int index, const SheetReader::Progress& progress)
{
    if (!open())
        return failure(m_error);
    if (index < 0 || index >= m_sheets.size() ||
        freexl_select_active_worksheet(m_handle, static_cast<unsigned short>(index)) != FREEXL_OK)
        return failure(kSenzaRighe);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(m_handle, &rows, &columns) != FREEXL_OK)
        return failure(kDanneggiato.arg(kXlsKind));
    if (rows > unsigned(SheetReader::kMaxRows))
        return failure(kTroppeRighe);
    const unsigned short readColumns = std::min<unsigned short>(columns, SheetReader::kMaxColumns);
    SheetReader::Sheet sheet;
    sheet.format = SheetReader::Format::Xls;
    for (unsigned int r = 0; r < rows; ++r) {
        if ((r & 1023) == 1023 && !tick(progress, r, rows)) {
            sheet.cancelled = true;
            return sheet;
        }
        for (unsigned short c = 0; c < readColumns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(m_handle, r, c, &cell) != FREEXL_OK)
                continue;
            QString text;
            switch (cell.type) {
            case FREEXL_CELL_INT:
                text = QString::number(cell.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = NumberFormat::general(cell.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                text = QString::fromUtf8(cell.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                text = shownDate(cell.value.text_value, cell.type);
                break;
            default:
                break;
            }
            if (!putCell(sheet.rows, int(r), c, text))
                return failure(kTroppeRighe);
        }
    }
    finish(sheet);
    return sheet;
}
