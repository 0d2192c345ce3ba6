#include "documents/RegistryExport.h"

#include "documents/RegistryTable.h"
#include "storage/Cp1252.h"
#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QIODevice>
#include <QSaveFile>

#include <array>

namespace {

struct HeaderCell {
    int width;
    const char16_t* label;
};

constexpr std::array<HeaderCell, RegistryTable::kColumns> kHeader = {{
    {250, u"Cognome e nome"},
    {200, u"Data nascita"},
    {250, u"Cittadinanza"},
    {250, u"Luogo nascita"},
    {300, u"Indirizzo residenza"},
    {250, u"Citt\u00E0"},
    {150, u"CAP"},
    {250, u"Settore professionale"},
    {250, u"Codice fiscale"},
    {200, u"Partita IVA"},
    {250, u"Patente di guida"},
    {400, u"Titolo di studio"},
    {350, u"Lingue conosciute"},
    {250, u"E-mail"},
    {200, u"Tel. casa"},
    {200, u"Tel. cellulare"},
    {300, u"Documento"},
    {250, u"Ente rilascio"},
    {200, u"Data rilascio"},
    {200, u"Data scadenza"},
    {400, u"Ruolo nel gruppo"},
    {400, u"Competenze informatiche"},
    {250, u"Disponibilit\u00E0"},
    {400, u"Note"},
    {160, u"Da ricontattare"},
}};

// Rows between two looks at the progress, and bytes gathered before each write to the device.
constexpr int kProgressStep = 256;
constexpr qsizetype kChunk = 256 * 1024;

void appendReference(QByteArray& out, uint code)
{
    out.append("&#");
    out.append(QByteArray::number(code));
    out.append(';');
}

// `previous` is the byte written before, or 0 at the start of the value.
void appendByte(QByteArray& out, char byte, char previous)
{
    switch (byte) {
    case '&':
        out.append("&amp;");
        break;
    case '<':
        out.append("&lt;");
        break;
    case '>':
        out.append("&gt;");
        break;
    case ' ':
        // HTML readers fold a run of blanks into one; a reference keeps each further blank.
        if (previous == ' ')
            out.append("&#32;");
        else
            out.append(byte);
        break;
    default:
        if (static_cast<unsigned char>(byte) < 32)
            appendReference(out, static_cast<unsigned char>(byte));
        else
            out.append(byte);
    }
}

bool flush(QIODevice& device, QByteArray& buffer)
{
    const bool ok = device.write(buffer) == buffer.size();
    buffer.clear();
    return ok;
}

} // namespace

QString RegistryExport::path(const QString& programFolder)
{
    return programFolder + QStringLiteral("Archivio_Anagrafico.xls");
}

QByteArray RegistryExport::head()
{
    return QByteArrayLiteral(
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">"
        "<head>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<!--[if gte mso 9]><xml>"
        "<x:ExcelWorkbook>"
        "<x:ExcelWorksheets>"
        "<x:ExcelWorksheet>"
        "<x:Name>Archivio Anagrafico</x:Name>"
        "<x:WorksheetOptions>"
        "<x:Selected/>"
        "<x:Panes>"
        "<x:Pane>"
        "<x:Number>1</x:Number>"
        "<x:ActiveRow>3</x:ActiveRow>"
        "</x:Pane>"
        "</x:Panes>"
        "<x:ProtectContents>False</x:ProtectContents>"
        "<x:ProtectObjects>False</x:ProtectObjects>"
        "<x:ProtectScenarios>False</x:ProtectScenarios>"
        "</x:WorksheetOptions>"
        "</x:ExcelWorksheet>"
        "</x:ExcelWorksheets>"
        "</x:ExcelWorkbook>"
        "</xml><![endif]-->"
        "</head>"
        "<body>"
        "<table x:str>");
}

QByteArray RegistryExport::headerRow()
{
    QByteArray row = QByteArrayLiteral("<tr>");
    for (const HeaderCell& cell : kHeader) {
        row.append("<td style=\"text-align: left; font-weight: bold;\" width=");
        row.append(QByteArray::number(cell.width));
        row.append('>');
        appendEscaped(row, QStringView(cell.label));
        row.append(cellEnd());
    }
    row.append("</tr>");
    return row;
}

QStringList RegistryExport::headerLabels()
{
    QStringList labels;
    for (const HeaderCell& cell : kHeader)
        labels.append(QString::fromUtf16(cell.label));
    return labels;
}

QByteArray RegistryExport::tail()
{
    return QByteArrayLiteral("</table></body></html>");
}

QByteArray RegistryExport::dataCellStart()
{
    // Text for Excel (the number format "@") and for LibreOffice (sdnum), so that leading zeros,
    // numbers in exponent form and a leading "=" stay as typed.
    return QByteArrayLiteral("<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">");
}

void RegistryExport::appendEscaped(QByteArray& out, QByteArrayView bytes)
{
    // Most values need no escaping at all: those go in whole.
    bool plain = true;
    char previous = 0;
    for (const char byte : bytes) {
        if (byte == '&' || byte == '<' || byte == '>' || static_cast<unsigned char>(byte) < 32 ||
            (byte == ' ' && previous == ' ')) {
            plain = false;
            break;
        }
        previous = byte;
    }
    if (plain) {
        out.append(bytes);
        return;
    }
    previous = 0;
    for (const char byte : bytes) {
        appendByte(out, byte, previous);
        previous = byte;
    }
}

void RegistryExport::appendEscaped(QByteArray& out, QStringView text)
{
    char previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendReference(out, QChar::surrogateToUcs4(c, text[i + 1]));
            previous = 0;
            ++i;
            continue;
        }
        const char byte = Cp1252::encodeChar(c);
        if (byte == '?' && c != QLatin1Char('?') && !c.isSurrogate()) {
            appendReference(out, c.unicode());
            previous = 0;
        } else {
            appendByte(out, byte, previous);
            previous = byte;
        }
    }
}

bool RegistryExport::write(QIODevice& device, const RegistryTable& table, const Progress& progress,
                           bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    const QByteArray cellStart = dataCellStart();
    QByteArray buffer = head() + headerRow();
    buffer.reserve(kChunk + 4096);
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        buffer.append("<tr>");
        for (int column = 0; column < RegistryTable::kColumns; ++column) {
            buffer.append(cellStart);
            if (table.isChanged(row, column))
                appendEscaped(buffer, QStringView(TextRules::trim(table.changedText(row, column))));
            else
                appendEscaped(buffer, table.storedBytes(row, column));
            buffer.append(cellEnd());
        }
        buffer.append("</tr>");
        if (buffer.size() >= kChunk && !flush(device, buffer))
            return false;
        if (progress && (row + 1) % kProgressStep == 0 && !progress(row + 1, rows)) {
            if (cancelled)
                *cancelled = true;
            return false;
        }
    }
    buffer.append(tail());
    return flush(device, buffer);
}

RegistryExport::Outcome RegistryExport::save(const QString& path, const RegistryTable& table,
                                             const Progress& progress, QString* errorString)
{
    QSaveFile file(path);
    bool cancelled = false;
    QString reason;
    if (file.open(QIODevice::WriteOnly) && write(file, table, progress, &cancelled) &&
        SafeSave::commit(file, &reason))
        return Outcome::Written;
    if (errorString)
        *errorString = reason.isEmpty() ? FileErrorText::of(file) : reason;
    file.cancelWriting();
    return cancelled ? Outcome::Cancelled : Outcome::Failed;
}
