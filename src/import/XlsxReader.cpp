#include "import/XlsxReader.h"

#include "import/SheetParts.h"
#include "import/ZipParts.h"

#include <quazip.h>

#include <QDateTime>
#include <QHash>
#include <QXmlStreamReader>

using namespace SheetParts;

namespace {

const QString kXlsxKind = QStringLiteral("XLSX");

// The column of a cell reference such as "AB12", 0-based; -1 when there is none.
int columnOf(QStringView ref)
{
    int column = 0;
    int letters = 0;
    for (const QChar c : ref) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        column = column * 26 + (u - u'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters == 0 ? -1 : column - 1;
}

// All the text of the current element's <t> children, phonetic hints left out.
QString textOf(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    bool inside = false;
    int insideDepth = 0;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == u"rPh") { // phonetic hints of Japanese text are not shown
                xml.skipCurrentElement();
                --depth;
            } else if (xml.name() == u"t") {
                inside = true;
                insideDepth = depth;
            }
        } else if (xml.isEndElement()) {
            if (depth == insideDepth)
                inside = false;
            --depth;
        } else if (xml.isCharacters() && inside) {
            text.append(xml.text());
        }
    }
    return ZipParts::unescapeOoxml(text);
}

// The relationships of a part: id to target part, and type (its last word) to target part.
struct Relationships {
    QHash<QString, QString> byId;
    QHash<QString, QString> byType;
};

// The relationships of a part ("" for the package's own), targets resolved from the part's folder.
Relationships relationshipsOf(QuaZip& zip, const QString& part)
{
    Relationships rels;
    const QString folder = ZipParts::folderOf(part);
    const QString name = part.mid(folder.size());
    QByteArray bytes;
    if (ZipParts::read(zip, folder + QStringLiteral("_rels/") + name + QStringLiteral(".rels"), bytes) !=
        ZipParts::Result::Read)
        return rels;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) == u"External")
            continue;
        const QString target = ZipParts::resolve(folder, a.value(QLatin1String("Target")).toString());
        rels.byId.insert(a.value(QLatin1String("Id")).toString(), target);
        const QString type = a.value(QLatin1String("Type")).toString().section(u'/', -1);
        if (!rels.byType.contains(type))
            rels.byType.insert(type, target);
    }
    return rels;
}

} // namespace

XlsxReader::XlsxReader(const QString& path)
    : m_path(path)
{
}

XlsxReader::~XlsxReader() = default;

bool XlsxReader::open()
{
    if (m_opened)
        return m_error.isEmpty();
    m_opened = true;
    m_zip = std::make_unique<QuaZip>(m_path);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        m_error = kDanneggiato.arg(kXlsxKind);
        return false;
    }
    // The workbook is wherever the package's relationships say.
    const Relationships package = relationshipsOf(*m_zip, QString());
    QString workbookPart = package.byType.value(QStringLiteral("officeDocument"));
    QByteArray workbook;
    if (workbookPart.isEmpty() || ZipParts::read(*m_zip, workbookPart, workbook) != ZipParts::Result::Read) {
        workbookPart = QStringLiteral("xl/workbook.xml");
        ZipParts::read(*m_zip, workbookPart, workbook);
    }
    const Relationships rels = relationshipsOf(*m_zip, workbookPart);
    const QString folder = ZipParts::folderOf(workbookPart);
    m_sharedPart =
        rels.byType.value(QStringLiteral("sharedStrings"), folder + QStringLiteral("sharedStrings.xml"));
    m_stylesPart = rels.byType.value(QStringLiteral("styles"), folder + QStringLiteral("styles.xml"));
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"workbookPr") {
            // Extensions repeat the element without the attribute.
            const QStringView d = attribute(a, QLatin1String("date1904"));
            m_date1904 = m_date1904 || d == u"1" || d == u"true";
        } else if (xml.name() == u"sheet") {
            const QString target = rels.byId.value(attribute(a, QLatin1String("id")).toString());
            if (target.isEmpty())
                continue;
            const QStringView state = attribute(a, QLatin1String("state"));
            m_sheets.append({attribute(a, QLatin1String("name")).toString(),
                             state != u"hidden" && state != u"veryHidden"});
            m_sheetParts.append(target);
        }
    }
    if (m_sheets.isEmpty()) {
        // No workbook that names its sheets: the usual first sheet, if there is one.
        const QString usual = folder + QStringLiteral("worksheets/sheet1.xml");
        if (!m_zip->setCurrentFile(usual, QuaZip::csInsensitive)) {
            m_error = kNonFoglio;
            return false;
        }
        m_sheets.append({QStringLiteral("Foglio1"), true});
        m_sheetParts.append(usual);
    }
    return true;
}

QList<SheetReader::SheetInfo> XlsxReader::sheets()
{
    return open() ? m_sheets : QList<SheetReader::SheetInfo>();
}

bool XlsxReader::readSharedStrings()
{
    QByteArray bytes;
    const ZipParts::Result result = ZipParts::read(*m_zip, m_sharedPart, bytes);
    if (result == ZipParts::Result::TooLarge) {
        m_error = kBomba.arg(kXlsxKind);
        return false;
    }
    if (result == ZipParts::Result::Damaged) {
        m_error = kDanneggiato.arg(kXlsxKind);
        return false;
    }
    m_sharedPresent = result == ZipParts::Result::Read;
    if (!m_sharedPresent)
        return true;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            m_shared.append(cellText(textOf(xml)));
    }
    if (xml.hasError()) {
        m_error = kDanneggiato.arg(kXlsxKind);
        return false;
    }
    return true;
}

void XlsxReader::readStyles()
{
    QByteArray bytes;
    if (ZipParts::read(*m_zip, m_stylesPart, bytes) != ZipParts::Result::Read)
        return;
    QHash<int, QString> codes;
    QHash<int, NumberFormat> made;
    QXmlStreamReader xml(bytes);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt") {
                codes.insert(attribute(xml.attributes(), QLatin1String("numFmtId")).toInt(),
                             attribute(xml.attributes(), QLatin1String("formatCode")).toString());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                const int id = attribute(xml.attributes(), QLatin1String("numFmtId")).toInt();
                if (!made.contains(id))
                    made.insert(id, codes.contains(id) ? NumberFormat::fromCode(codes.value(id))
                                                       : NumberFormat::builtin(id));
                m_styles.append(made.value(id));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
}

SheetReader::Sheet XlsxReader::read(int index, const SheetReader::Progress& progress)
{
    if (!open())
        return failure(m_error);
    if (index < 0 || index >= m_sheetParts.size())
        return failure(kSenzaRighe);
    if (m_shared.isEmpty() && !m_sharedPresent && !readSharedStrings())
        return failure(m_error);
    if (m_styles.isEmpty())
        readStyles();
    QByteArray bytes;
    const ZipParts::Result result = ZipParts::read(*m_zip, m_sheetParts[index], bytes);
    if (result == ZipParts::Result::TooLarge)
        return failure(kBomba.arg(kXlsxKind));
    if (result != ZipParts::Result::Read)
        return failure(kDanneggiato.arg(kXlsxKind));

    SheetReader::Sheet sheet;
    sheet.format = SheetReader::Format::Xlsx;
    const NumberFormat general;
    const double dayShift = m_date1904 ? 1462 : 0;
    QXmlStreamReader xml(bytes);
    int row = -1;
    int column = -1;
    qint64 count = 0;
    QString value;
    QString inlineText;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            const int r = attribute(xml.attributes(), QLatin1String("r")).toInt();
            row = r > 0 ? r - 1 : row + 1;
            column = -1;
            if ((++count & 1023) == 0 && !tick(progress, xml.characterOffset(), bytes.size())) {
                sheet.cancelled = true;
                return sheet;
            }
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const int c = columnOf(attribute(attributes, QLatin1String("r")));
        column = c >= 0 ? c : column + 1;
        const QStringView type = attribute(attributes, QLatin1String("t"));
        const int styleIndex = attribute(attributes, QLatin1String("s")).toInt();
        value.clear();
        inlineText.clear();
        bool hasValue = false;
        bool hasFormula = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == u"c")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"is") {
                inlineText = textOf(xml);
                hasValue = true;
            } else {
                hasFormula = hasFormula || xml.name() == u"f";
                xml.skipCurrentElement();
            }
        }
        const NumberFormat& format =
            styleIndex >= 0 && styleIndex < m_styles.size() ? m_styles.at(styleIndex) : general;
        QString text;
        if (type == u"s") {
            if (!m_sharedPresent)
                return failure(kSenzaTesti);
            bool ok = false;
            const int i = value.toInt(&ok);
            if (ok && i >= 0 && i < m_shared.size())
                text = m_shared.at(i);
        } else if (type == u"inlineStr") {
            text = inlineText;
        } else if (type == u"str" || type == u"e") {
            text = ZipParts::unescapeOoxml(value);
        } else if (type == u"b") {
            text = hasValue
                       ? (value.trimmed() == u"1" || value.trimmed() == u"true" ? QStringLiteral("VERO")
                                                                                : QStringLiteral("FALSO"))
                       : QString();
        } else if (type == u"d") {
            double serial = 0;
            if (NumberFormat::serialOf(value, serial))
                text = format.isDateOrTime()
                           ? format.show(serial).text
                           : NumberFormat::fromCode(QStringLiteral("dd/mm/yyyy")).show(serial).text;
            else
                text = value;
        } else if (hasValue && !value.isEmpty()) {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok) {
                text = value;
            } else {
                const NumberFormat::Shown shown =
                    format.show(format.isDateOrTime() ? number + dayShift : number);
                text = shown.text;
                if (shown.lostDigits && !text.isEmpty())
                    sheet.notes.append({std::max(row, 0), column, SheetReader::CellNote::Kind::DigitsLost});
            }
        }
        if (hasFormula && !hasValue && row < SheetReader::kMaxRows && column < SheetReader::kMaxColumns)
            sheet.notes.append({std::max(row, 0), column, SheetReader::CellNote::Kind::FormulaWithoutValue});
        if (!putCell(sheet.rows, std::max(row, 0), column, text))
            return failure(kTroppeRighe);
    }
    if (xml.hasError())
        return failure(kDanneggiato.arg(kXlsxKind));
    finish(sheet);
    return sheet;
}
