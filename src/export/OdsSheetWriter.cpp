#include "export/OdsSheetWriter.h"

#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <QDateTime>

namespace {

// Bytes gathered before each write to the deflater.
constexpr qsizetype kChunk = 256 * 1024;
constexpr int kStored = 0;
constexpr int kDeflated = 8;

constexpr char kNamespaces[] = " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                               " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
                               " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
                               " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
                               " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
                               " xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\""
                               " xmlns:config=\"urn:oasis:names:tc:opendocument:xmlns:config:1.0\""
                               " xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\""
                               " office:version=\"1.2\"";

QByteArray xmlText(const QString& text)
{
    QByteArray out;
    OdsSheetWriter::appendParagraphText(out, text.toUtf8());
    return out;
}

// A text attribute value: the text escaped, blanks kept.
QByteArray xmlAttribute(const QString& text)
{
    return text.toUtf8()
        .replace('&', "&amp;")
        .replace('<', "&lt;")
        .replace('>', "&gt;")
        .replace('"', "&quot;");
}

QByteArray manifest()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"meta.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"settings.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>");
}

QByteArray document(const char* element, const QByteArray& body)
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:") + element + kNamespaces +
           '>' + body + "</office:" + element + '>';
}

QByteArray styles()
{
    return document("document-styles", QByteArrayLiteral("<office:styles>"
                                                         "<style:default-style style:family=\"table-cell\"/>"
                                                         "<style:style style:name=\"Default\" "
                                                         "style:family=\"table-cell\"/>"
                                                         "</office:styles>"));
}

QByteArray meta()
{
    return document(
        "document-meta",
        QByteArrayLiteral("<office:meta><meta:generator>Folvara</meta:generator><meta:creation-date>") +
            QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() +
            "</meta:creation-date></office:meta>");
}

QByteArray configItem(const char* name, const char* type, const QByteArray& value)
{
    return QByteArrayLiteral("<config:config-item config:name=\"") + name + "\" config:type=\"" + type +
           "\">" + value + "</config:config-item>";
}

// The view of the sheet: the first row frozen, the cursor on the first data row.
QByteArray settings(const QString& sheetName)
{
    const QByteArray name = xmlAttribute(sheetName);
    QByteArray table = QByteArrayLiteral("<config:config-item-map-entry config:name=\"") + name + "\">";
    table += configItem("CursorPositionX", "int", "0");
    table += configItem("CursorPositionY", "int", "1");
    table += configItem("HorizontalSplitMode", "short", "0");
    table += configItem("VerticalSplitMode", "short", "2");
    table += configItem("HorizontalSplitPosition", "int", "0");
    table += configItem("VerticalSplitPosition", "int", "1");
    table += configItem("ActiveSplitRange", "short", "2");
    table += configItem("PositionLeft", "int", "0");
    table += configItem("PositionRight", "int", "0");
    table += configItem("PositionTop", "int", "0");
    table += configItem("PositionBottom", "int", "1");
    table += "</config:config-item-map-entry>";
    return document(
        "document-settings",
        QByteArrayLiteral("<office:settings><config:config-item-set config:name=\"ooo:view-settings\">"
                          "<config:config-item-map-indexed config:name=\"Views\">"
                          "<config:config-item-map-entry>") +
            configItem("ViewId", "string", "view1") +
            "<config:config-item-map-named config:name=\"Tables\">" + table +
            "</config:config-item-map-named>" + configItem("ActiveTable", "string", xmlText(sheetName)) +
            "</config:config-item-map-entry></config:config-item-map-indexed>"
            "</config:config-item-set></office:settings>");
}

void appendSpaces(QByteArray& out, int count)
{
    if (count == 1) {
        out.append("<text:s/>");
    } else if (count > 1) {
        out.append("<text:s text:c=\"");
        out.append(QByteArray::number(count));
        out.append("\"/>");
    }
}

} // namespace

OdsSheetWriter::OdsSheetWriter() = default;

OdsSheetWriter::~OdsSheetWriter()
{
    abandon();
}

QByteArray OdsSheetWriter::columnWidth(int characters)
{
    // The width a spreadsheet gives that many characters of its default font: 7 pixels each and
    // 5 of margin, at 96 pixels to the inch.
    const double centimetres = (characters * 7 + 5) / 96.0 * 2.54;
    return QByteArray::number(centimetres, 'f', 3) + "cm";
}

void OdsSheetWriter::appendParagraphText(QByteArray& out, QByteArrayView text)
{
    // Most values need no care at all: those go in whole.
    bool plain = !text.startsWith(' ') && !text.endsWith(' ');
    for (qsizetype i = 0; plain && i < text.size(); ++i) {
        const char byte = text[i];
        plain = byte != '&' && byte != '<' && byte != '>' && static_cast<unsigned char>(byte) >= 32 &&
                !(byte == ' ' && i > 0 && text[i - 1] == ' ');
    }
    if (plain) {
        out.append(text);
        return;
    }
    // A reader folds a run of blanks into one and drops blanks at either end of the paragraph and
    // next to a tab or line break: those blanks are written as text:s.
    bool atStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        if (byte == ' ') {
            qsizetype end = i;
            while (end < text.size() && text[end] == ' ')
                ++end;
            const int run = int(end - i);
            if (atStart || end == text.size() || text[end] == '\t' || text[end] == '\n' ||
                text[end] == '\r') {
                appendSpaces(out, run);
            } else {
                out.append(' ');
                appendSpaces(out, run - 1);
            }
            i = end - 1;
            atStart = false;
            continue;
        }
        atStart = false;
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
        case '\t':
            out.append("<text:tab/>");
            atStart = true;
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                break; // the line feed that follows makes the break
            [[fallthrough]];
        case '\n':
            out.append("<text:line-break/>");
            atStart = true;
            break;
        default:
            if (static_cast<unsigned char>(byte) < 32)
                out.append("\xEF\xBF\xBD"); // XML has no place for other control codes
            else
                out.append(byte);
        }
    }
}

bool OdsSheetWriter::fail(const QString& error)
{
    m_error = error;
    abandon();
    return false;
}

bool OdsSheetWriter::addPart(const QString& name, const QByteArray& bytes, bool compressed)
{
    QuaZipFile part(m_zip.get());
    if (!part.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, compressed ? kDeflated : kStored,
                   compressed ? Z_DEFAULT_COMPRESSION : 0))
        return false;
    const bool written = part.write(bytes) == bytes.size();
    part.close();
    return written && part.getZipError() == UNZ_OK;
}

bool OdsSheetWriter::begin(const QString& path, const QString& sheetName, const QStringList& headers,
                           const QList<int>& widths)
{
    m_target.setFileName(path);
    if (!m_target.open(QIODevice::WriteOnly))
        return fail(FileErrorText::of(m_target));
    m_zip = std::make_unique<QuaZip>(&m_target);
    // The package is committed here, not by QuaZip, and its first part carries no data descriptor.
    m_zip->setAutoClose(false);
    m_zip->setDataDescriptorWritingEnabled(false);
    if (!m_zip->open(QuaZip::mdCreate))
        return fail(FileErrorText::of(m_target));
    // The media type comes first and uncompressed, so that the kind is known from the first bytes.
    if (!addPart(QStringLiteral("mimetype"),
                 QByteArrayLiteral("application/vnd.oasis.opendocument.spreadsheet"), false) ||
        !addPart(QStringLiteral("META-INF/manifest.xml"), manifest(), true) ||
        !addPart(QStringLiteral("styles.xml"), styles(), true) ||
        !addPart(QStringLiteral("meta.xml"), meta(), true) ||
        !addPart(QStringLiteral("settings.xml"), settings(sheetName), true))
        return fail(FileErrorText::of(m_target));

    m_content = std::make_unique<QuaZipFile>(m_zip.get());
    if (!m_content->open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("content.xml")), nullptr, 0,
                         kDeflated, Z_DEFAULT_COMPRESSION))
        return fail(FileErrorText::of(m_target));

    m_buffer.reserve(kChunk + 64 * 1024);
    m_buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content";
    m_buffer += kNamespaces;
    m_buffer += "><office:automatic-styles>";
    // Data cells use a text format, as typed, and the header row is bold.
    m_buffer += "<number:text-style style:name=\"N100\"><number:text-content/></number:text-style>";
    for (int column = 0; column < widths.size(); ++column) {
        m_buffer +=
            "<style:style style:name=\"co" + QByteArray::number(column + 1) +
            "\" style:family=\"table-column\"><style:table-column-properties fo:break-before=\"auto\" "
            "style:column-width=\"" +
            columnWidth(widths[column]) + "\"/></style:style>";
    }
    m_buffer +=
        "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
        "style:data-style-name=\"N100\"><style:text-properties fo:font-weight=\"bold\" "
        "style:font-weight-asian=\"bold\" style:font-weight-complex=\"bold\"/></style:style>"
        "<style:style style:name=\"ce2\" style:family=\"table-cell\" style:parent-style-name=\"Default\" "
        "style:data-style-name=\"N100\"/>"
        "</office:automatic-styles><office:body><office:spreadsheet><table:table table:name=\"";
    m_buffer += xmlAttribute(sheetName);
    m_buffer += "\">";
    for (int column = 0; column < widths.size(); ++column) {
        m_buffer += "<table:table-column table:style-name=\"co" + QByteArray::number(column + 1) +
                    "\" table:default-cell-style-name=\"ce2\"/>";
    }
    m_buffer += "<table:table-row>";
    for (const QString& header : headers) {
        m_buffer += "<table:table-cell table:style-name=\"ce1\" office:value-type=\"string\"><text:p>";
        appendParagraphText(m_buffer, header.toUtf8());
        m_buffer += "</text:p></table:table-cell>";
    }
    m_buffer += "</table:table-row>";
    return true;
}

bool OdsSheetWriter::flush()
{
    const bool written = m_content->write(m_buffer) == m_buffer.size();
    m_buffer.resize(0); // keeps its room for the next rows
    return written || fail(FileErrorText::of(m_target));
}

bool OdsSheetWriter::writeRow(const QList<QByteArray>& cells)
{
    if (!m_content)
        return false;
    m_buffer.append(QByteArrayView("<table:table-row>"));
    for (const QByteArray& cell : cells) {
        if (cell.isEmpty()) {
            m_buffer.append(QByteArrayView("<table:table-cell/>"));
            continue;
        }
        m_buffer.append(QByteArrayView("<table:table-cell office:value-type=\"string\"><text:p>"));
        appendParagraphText(m_buffer, cell);
        m_buffer.append(QByteArrayView("</text:p></table:table-cell>"));
    }
    m_buffer.append(QByteArrayView("</table:table-row>"));
    return m_buffer.size() < kChunk || flush();
}

bool OdsSheetWriter::finish()
{
    if (!m_content)
        return false;
    m_buffer += "</table:table></office:spreadsheet></office:body></office:document-content>";
    if (!flush())
        return false;
    m_content->close();
    const bool contentWritten = m_content->getZipError() == UNZ_OK;
    m_content.reset();
    m_zip->close();
    if (!contentWritten || m_zip->getZipError() != UNZ_OK)
        return fail(FileErrorText::of(m_target));
    m_zip.reset();
    // The package replaces the old file only once its last bytes are on the disk.
    QString reason;
    if (!SafeSave::commit(m_target, &reason))
        return fail(reason);
    return true;
}

void OdsSheetWriter::abandon()
{
    // The save file is cancelled first: what QuaZip still writes while closing goes nowhere.
    m_target.cancelWriting();
    m_content.reset();
    m_zip.reset();
}
