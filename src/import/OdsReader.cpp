#include "import/OdsReader.h"

#include "import/SheetParts.h"
#include "import/ZipParts.h"

#include <quazip.h>

#include <QDate>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <array>

using namespace SheetParts;

namespace {

const QString kOdsKind = QStringLiteral("ODS");

// Every character of a text as a literal of a format code.
QString literalCode(const QString& text, bool percent)
{
    QString code;
    for (const QChar c : text) {
        if (percent && c == u'%')
            code += c;
        else
            code += u'\\' + QString(c);
    }
    return code;
}

int intAttribute(const QXmlStreamAttributes& a, const char* name, int fallback)
{
    bool ok = false;
    const int value = attribute(a, QLatin1String(name)).toInt(&ok);
    return ok ? value : fallback;
}

bool longStyle(const QXmlStreamAttributes& a)
{
    return attribute(a, QLatin1String("style")) == u"long";
}

// The code of one number:number element ("#,##0.00").
QString numberCode(const QXmlStreamAttributes& a)
{
    // Without a number of decimals, Calc's "Standard": as many as the value needs.
    if (attribute(a, QLatin1String("decimal-places")).isEmpty() &&
        attribute(a, QLatin1String("grouping")) != u"true")
        return QStringLiteral("General");
    const int decimals = std::clamp(intAttribute(a, "decimal-places", 0), 0, 30);
    const int minDecimals = std::clamp(intAttribute(a, "min-decimal-places", decimals), 0, decimals);
    const int integers = std::clamp(intAttribute(a, "min-integer-digits", 1), 0, 30);
    QString integer(integers, u'0');
    if (attribute(a, QLatin1String("grouping")) == u"true") {
        while (integer.size() < 4)
            integer.prepend(u'#');
        integer.insert(integer.size() - 3, u',');
    } else if (integer.isEmpty()) {
        integer = QStringLiteral("#");
    }
    QString code = integer;
    if (decimals > 0)
        code += u'.' + QString(minDecimals, u'0') + QString(decimals - minDecimals, u'#');
    const double factor = attribute(a, QLatin1String("display-factor")).toDouble();
    for (double f = factor; f >= 1000; f /= 1000)
        code += u',';
    return code;
}

// How a date style writes one part: absent, number (short, long) or name (short, long).
enum class OdsDatePart : quint8 { None, Short, Long, TextShort, TextLong, Any };

// The parts of a date style, each at its place.
enum OdsDateSlot : size_t { kOdsWeekday, kOdsDay, kOdsMonth, kOdsYear, kOdsHours, kOdsMinutes, kOdsSeconds };
using OdsDateParts = std::array<OdsDatePart, 7>;

struct OdsDefaultDate {
    OdsDateParts parts; // Any: present in either form
    bool fromLanguage;  // number:format-source="language"
    const char* code;   // the Italian default format
};

// Calc's default date formats: a date style marked number:automatic-order="true" made of exactly
// these parts (separators and literals aside) is shown as the locale's format, in the locale's order.
QString odsLocaleDateCode(const OdsDateParts& parts, bool fromLanguage)
{
    using P = OdsDatePart;
    static const OdsDefaultDate defaults[] = {
        // weekday, day, month, year, hours, minutes, seconds
        {{P::None, P::Any, P::Any, P::Any, P::None, P::None, P::None}, true, "dd/mm/yy"},
        {{P::Any, P::Any, P::Any, P::Any, P::None, P::None, P::None}, true, "dddd dd mmmm yyyy"},
        {{P::None, P::None, P::Long, P::Short, P::None, P::None, P::None}, false, "mm/yy"},
        {{P::None, P::Long, P::TextShort, P::None, P::None, P::None, P::None}, false, "dd/mmm"},
        {{P::None, P::Long, P::Long, P::Long, P::None, P::None, P::None}, false, "dd/mm/yyyy"},
        {{P::None, P::Long, P::Long, P::Short, P::None, P::None, P::None}, false, "dd/mm/yy"},
        {{P::None, P::Short, P::TextShort, P::Short, P::None, P::None, P::None}, false, "d mmm yy"},
        {{P::None, P::Short, P::TextShort, P::Long, P::None, P::None, P::None}, false, "d mmm yyyy"},
        {{P::None, P::Short, P::TextLong, P::Long, P::None, P::None, P::None}, false, "d mmmm yyyy"},
        {{P::Short, P::Short, P::TextShort, P::Short, P::None, P::None, P::None}, false, "ddd d mmm yy"},
        {{P::Short, P::Short, P::TextLong, P::Long, P::None, P::None, P::None}, false, "ddd d mmmm yyyy"},
        {{P::Long, P::Short, P::TextLong, P::Long, P::None, P::None, P::None}, false, "dddd d mmmm yyyy"},
        {{P::None, P::Any, P::Any, P::Any, P::Any, P::Any, P::None}, true, "dd/mm/yy hh:mm"},
        {{P::None, P::Any, P::Any, P::Long, P::Any, P::Any, P::None}, false, "dd/mm/yyyy hh:mm"},
        {{P::None, P::Any, P::Any, P::Any, P::Any, P::Any, P::Any}, false, "dd/mm/yyyy hh:mm:ss"},
    };
    for (const OdsDefaultDate& d : defaults) {
        if (d.fromLanguage != fromLanguage)
            continue;
        bool match = true;
        for (size_t i = 0; i < parts.size() && match; ++i)
            match = d.parts[i] == P::Any ? parts[i] != P::None : d.parts[i] == parts[i];
        if (match)
            return QString::fromLatin1(d.code);
    }
    return {};
}

// An ODF duration ("PT12H30M00S") as days.
bool durationSerial(QStringView text, double& serial)
{
    static const QRegularExpression duration(
        QStringLiteral("^(-)?P(?:(\\d+)D)?T?(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:[.,]\\d+)?)S)?$"));
    const QRegularExpressionMatch m = duration.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const double seconds = m.captured(2).toDouble() * 86400 + m.captured(3).toDouble() * 3600 +
                           m.captured(4).toDouble() * 60 + m.captured(5).replace(u',', u'.').toDouble();
    serial = (m.captured(1).isEmpty() ? 1 : -1) * seconds / 86400.0;
    return true;
}

// The text of a text:p element: spaces, tabs and line breaks as written.
void appendOdsText(QXmlStreamReader& xml, QString& out)
{
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"s") {
                const int count =
                    std::clamp(attribute(xml.attributes(), QLatin1String("c")).toInt(), 1, 10000);
                out.append(QString(count, u' '));
            } else if (xml.name() == u"tab") {
                out.append(u'\t');
            } else if (xml.name() == u"line-break") {
                out.append(u'\n');
            } else if (xml.name() == u"annotation") {
                xml.skipCurrentElement();
                continue;
            }
            ++depth;
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters()) {
            if (out.size() < SheetReader::kMaxCellChars)
                out.append(xml.text());
        }
    }
}

// The paragraphs of the current cell, one line each.
QString cellParagraphs(QXmlStreamReader& xml)
{
    QString text;
    int paragraphs = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement())
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"p") {
            if (paragraphs++ > 0)
                text.append(u'\n');
            appendOdsText(xml, text);
        } else {
            xml.skipCurrentElement();
        }
    }
    return text;
}

} // namespace

OdsReader::OdsReader(const QString& path)
    : m_path(path)
{
}

OdsReader::~OdsReader() = default;

bool OdsReader::open()
{
    if (m_opened)
        return m_error.isEmpty();
    m_opened = true;
    m_zip = std::make_unique<QuaZip>(m_path);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        m_error = kDanneggiato.arg(kOdsKind);
        return false;
    }
    QByteArray manifest;
    if (ZipParts::read(*m_zip, QStringLiteral("META-INF/manifest.xml"), manifest) == ZipParts::Result::Read &&
        manifest.contains("encryption-data")) {
        m_error = kProtetto.arg(kOdsKind);
        return false;
    }
    QByteArray styles;
    if (ZipParts::read(*m_zip, QStringLiteral("styles.xml"), styles) == ZipParts::Result::Read) {
        QXmlStreamReader xml(styles);
        readStyles(xml);
    }
    const ZipParts::Result result = ZipParts::read(*m_zip, QStringLiteral("content.xml"), m_content);
    if (result != ZipParts::Result::Read) {
        m_error = result == ZipParts::Result::TooLarge ? kBomba.arg(kOdsKind) : kDanneggiato.arg(kOdsKind);
        return false;
    }
    // The styles and the list of tables, without their cells.
    QXmlStreamReader xml(m_content);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"automatic-styles") {
            readStyles(xml);
        } else if (xml.name() == u"table" && xml.namespaceUri().endsWith(u":table:1.0")) {
            const QXmlStreamAttributes a = xml.attributes();
            m_sheets.append({attribute(a, QLatin1String("name")).toString(),
                             !m_hiddenTables.value(attribute(a, QLatin1String("style-name")).toString())});
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        m_error = kDanneggiato.arg(kOdsKind);
        return false;
    }
    if (m_sheets.isEmpty()) {
        m_error = kSenzaRighe;
        return false;
    }
    return true;
}

// Reads the styles of the current element (office:styles, office:automatic-styles) to its end.
void OdsReader::readStyles(QXmlStreamReader& xml)
{
    QString current;
    bool percent = false;
    bool elapsed = false;
    // A date style in automatic order: its parts, and whether it follows the system's format.
    bool automaticOrder = false;
    bool fromLanguage = false;
    bool otherPart = false;
    OdsDateParts parts{};
    int depth = xml.isStartElement() ? 1 : 0;
    const auto append = [this, &current](const QString& code) {
        if (!current.isEmpty())
            m_dataStyles[current].code += code;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name().endsWith(u"-style") && xml.namespaceUri().contains(u"datastyle")) {
                if (automaticOrder && !otherPart && !current.isEmpty()) {
                    const QString code = odsLocaleDateCode(parts, fromLanguage);
                    if (!code.isEmpty())
                        m_dataStyles[current].code = code;
                }
                automaticOrder = false;
                current.clear();
            }
            if (depth > 0 && --depth == 0)
                return;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        ++depth;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        if (xml.namespaceUri().contains(u"datastyle")) {
            if (name.endsWith(u"-style")) {
                current = attribute(a, QLatin1String("name")).toString();
                m_dataStyles.insert(current, {});
                percent = name == u"percentage-style";
                elapsed = attribute(a, QLatin1String("truncate-on-overflow")) == u"false";
                m_dataStyles[current].boolean = name == u"boolean-style";
                // The order is the reader's locale only for a style in that locale or in none.
                const QStringView language = attribute(a, QLatin1String("language"));
                automaticOrder = name == u"date-style" &&
                                 attribute(a, QLatin1String("automatic-order")) == u"true" &&
                                 (language.isEmpty() || language == u"it");
                fromLanguage = attribute(a, QLatin1String("format-source")) == u"language";
                otherPart = false;
                parts.fill(OdsDatePart::None);
                continue;
            }
            const OdsDatePart size = longStyle(a) ? OdsDatePart::Long : OdsDatePart::Short;
            if (name == u"number") {
                append(numberCode(a));
            } else if (name == u"scientific-number") {
                QString code = QString(std::clamp(intAttribute(a, "min-integer-digits", 1), 1, 10), u'0');
                const int decimals = std::clamp(intAttribute(a, "decimal-places", 0), 0, 30);
                if (decimals > 0)
                    code += u'.' + QString(decimals, u'0');
                append(code + QStringLiteral("E+") +
                       QString(std::clamp(intAttribute(a, "min-exponent-digits", 2), 1, 5), u'0'));
            } else if (name == u"fraction") {
                // Calc shows the whole part whatever its minimum of digits.
                QString code = QStringLiteral("# ");
                code += QString(std::clamp(intAttribute(a, "min-numerator-digits", 1), 1, 5), u'?') + u'/';
                const int denominator = intAttribute(a, "denominator-value", 0);
                code += denominator > 0
                            ? QString::number(denominator)
                            : QString(std::clamp(intAttribute(a, "min-denominator-digits", 1), 1, 5), u'?');
                append(code);
            } else if (name == u"text" || name == u"currency-symbol") {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
                append(literalCode(text, percent && name == u"text"));
            } else if (name == u"day") {
                append(longStyle(a) ? QStringLiteral("dd") : QStringLiteral("d"));
                parts[kOdsDay] = size;
            } else if (name == u"month") {
                const bool textual = attribute(a, QLatin1String("textual")) == u"true";
                append(textual ? (longStyle(a) ? QStringLiteral("mmmm") : QStringLiteral("mmm"))
                               : (longStyle(a) ? QStringLiteral("mm") : QStringLiteral("m")));
                parts[kOdsMonth] = !textual       ? size
                                   : longStyle(a) ? OdsDatePart::TextLong
                                                  : OdsDatePart::TextShort;
            } else if (name == u"year") {
                append(longStyle(a) ? QStringLiteral("yyyy") : QStringLiteral("yy"));
                parts[kOdsYear] = size;
            } else if (name == u"day-of-week") {
                append(longStyle(a) ? QStringLiteral("dddd") : QStringLiteral("ddd"));
                parts[kOdsWeekday] = size;
            } else if (name == u"hours") {
                const QString h = longStyle(a) ? QStringLiteral("hh") : QStringLiteral("h");
                append(elapsed ? u'[' + h + u']' : h);
                parts[kOdsHours] = size;
            } else if (name == u"minutes") {
                append(longStyle(a) ? QStringLiteral("mm") : QStringLiteral("m"));
                parts[kOdsMinutes] = size;
            } else if (name == u"era" || name == u"week-of-year" || name == u"quarter") {
                otherPart = true;
            } else if (name == u"seconds") {
                QString s = longStyle(a) ? QStringLiteral("ss") : QStringLiteral("s");
                const int decimals = std::clamp(intAttribute(a, "decimal-places", 0), 0, 3);
                if (decimals > 0)
                    s += u'.' + QString(decimals, u'0');
                append(s);
                parts[kOdsSeconds] = size;
            } else if (name == u"am-pm") {
                append(QStringLiteral("AM/PM"));
            } else if (name == u"text-content") {
                append(QStringLiteral("@"));
            }
            continue;
        }
        if (name == u"map" && !current.isEmpty()) {
            QString condition = attribute(a, QLatin1String("condition")).toString();
            condition.remove(QStringLiteral("value()"));
            m_dataStyles[current].maps.append({u'[' + condition.trimmed() + u']',
                                               attribute(a, QLatin1String("apply-style-name")).toString()});
        } else if (name == u"style" || name == u"default-style") {
            const QString styleName = attribute(a, QLatin1String("name")).toString();
            const QStringView family = attribute(a, QLatin1String("family"));
            if (family == u"table-cell") {
                const QString data = attribute(a, QLatin1String("data-style-name")).toString();
                if (!data.isEmpty())
                    m_cellStyles.insert(styleName, data);
                const QString parent = attribute(a, QLatin1String("parent-style-name")).toString();
                if (!parent.isEmpty())
                    m_parentStyles.insert(styleName, parent);
            } else if (family == u"table") {
                current.clear();
                // table:display="false" in the style's table properties hides the sheet.
                int inner = 1;
                while (inner > 0 && !xml.atEnd()) {
                    xml.readNext();
                    if (xml.isStartElement()) {
                        ++inner;
                        if (attribute(xml.attributes(), QLatin1String("display")) == u"false")
                            m_hiddenTables.insert(styleName, true);
                    } else if (xml.isEndElement()) {
                        --inner;
                    }
                }
                --depth;
            }
        }
    }
}

QString OdsReader::codeOf(const QString& dataStyle, int depth) const
{
    const DataStyle style = m_dataStyles.value(dataStyle);
    if (depth > 3 || style.maps.isEmpty())
        return style.code;
    QStringList sections;
    for (const auto& [condition, applied] : style.maps) {
        const QString code = codeOf(applied, depth + 1);
        // Calc's own pair for negatives: the usual two sections, no condition.
        sections.append(condition == u"[>=0]" && style.maps.size() == 1 ? code : condition + code);
    }
    sections.append(style.code);
    return sections.join(u';');
}

NumberFormat OdsReader::formatOf(const QString& cellStyle)
{
    const auto cached = m_formats.constFind(cellStyle);
    if (cached != m_formats.constEnd())
        return cached.value();
    QString style = cellStyle;
    QString data;
    for (int hops = 0; hops < 8 && data.isEmpty() && !style.isEmpty(); ++hops) {
        data = m_cellStyles.value(style);
        style = m_parentStyles.value(style);
    }
    const QString code = data.isEmpty() ? QString() : codeOf(data);
    const NumberFormat format = code.isEmpty() ? NumberFormat() : NumberFormat::fromCode(code);
    m_formats.insert(cellStyle, format);
    return format;
}

QList<SheetReader::SheetInfo> OdsReader::sheets()
{
    return open() ? m_sheets : QList<SheetReader::SheetInfo>();
}

SheetReader::Sheet OdsReader::read(int index, const SheetReader::Progress& progress)
{
    using SheetReader::CellNote;
    if (!open())
        return failure(m_error);
    SheetReader::Sheet sheet;
    sheet.format = SheetReader::Format::Ods;
    QXmlStreamReader xml(m_content);
    int table = -1;
    // Find the table.
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"table" &&
            xml.namespaceUri().endsWith(u":table:1.0") && ++table == index)
            break;
    }
    if (table != index || xml.atEnd())
        return failure(kSenzaRighe);
    QStringList columnStyles;
    int row = 0;
    qint64 cells = 0;
    qint64 count = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"table")
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"table-column") {
            const QXmlStreamAttributes a = xml.attributes();
            const int repeat =
                std::clamp(intAttribute(a, "number-columns-repeated", 1), 1, SheetReader::kMaxColumns);
            const QString style = attribute(a, QLatin1String("default-cell-style-name")).toString();
            for (int k = 0; k < repeat && columnStyles.size() < SheetReader::kMaxColumns; ++k)
                columnStyles.append(style);
            continue;
        }
        if (xml.name() != u"table-row")
            continue;
        const qint64 rowRepeat = std::max(1, intAttribute(xml.attributes(), "number-rows-repeated", 1));
        QStringList rowCells;
        QList<CellNote> rowNotes;
        int column = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == u"table-row")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell") {
                xml.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes a = xml.attributes();
            const int repeat = std::max(1, intAttribute(a, "number-columns-repeated", 1));
            QStringView type = attribute(a, QLatin1String("value-type"));
            const QString paragraphs = cellParagraphs(xml);
            QString text;
            bool lost = false;
            QString style = attribute(a, QLatin1String("style-name")).toString();
            if (style.isEmpty() && column < columnStyles.size())
                style = columnStyles[column];
            if (type == u"float" || type == u"percentage" || type == u"currency") {
                bool ok = false;
                const double value = attribute(a, QLatin1String("value")).toDouble(&ok);
                if (ok) {
                    NumberFormat format = formatOf(style);
                    if (type == u"percentage" && style.isEmpty())
                        format = NumberFormat::fromCode(QStringLiteral("0%"));
                    const NumberFormat::Shown shown = format.show(value);
                    text = shown.text;
                    lost = shown.lostDigits;
                } else {
                    text = paragraphs;
                }
            } else if (type == u"date") {
                double serial = 0;
                const NumberFormat format = formatOf(style);
                if (NumberFormat::serialOf(attribute(a, QLatin1String("date-value")), serial))
                    text = (format.isDateOrTime() ? format : NumberFormat::builtin(14)).show(serial).text;
                else
                    text = paragraphs;
            } else if (type == u"time") {
                double serial = 0;
                const NumberFormat format = formatOf(style);
                if (durationSerial(attribute(a, QLatin1String("time-value")), serial))
                    text = (format.isDateOrTime() ? format : NumberFormat::builtin(21)).show(serial).text;
                else
                    text = paragraphs;
            } else if (type == u"boolean") {
                const QStringView b = attribute(a, QLatin1String("boolean-value"));
                text = b == u"true" || b == u"1" ? QStringLiteral("VERO") : QStringLiteral("FALSO");
            } else {
                text = paragraphs;
                if (type.isEmpty() && text.isEmpty() && !attribute(a, QLatin1String("formula")).isEmpty())
                    rowNotes.append({0, column, CellNote::Kind::FormulaWithoutValue});
            }
            text = cellText(text);
            if (lost && !text.isEmpty())
                rowNotes.append({0, column, CellNote::Kind::DigitsLost});
            if (text.isEmpty()) {
                column = int(std::min<qint64>(qint64(column) + repeat, SheetReader::kMaxColumns + 1LL));
                continue;
            }
            for (int k = 0; k < repeat; ++k) {
                if (column >= SheetReader::kMaxColumns)
                    return failure(kTroppeRighe);
                while (rowCells.size() < column)
                    rowCells.append(QString());
                rowCells.append(text);
                ++column;
            }
        }
        if ((++count & 1023) == 0 && !tick(progress, xml.characterOffset(), m_content.size())) {
            sheet.cancelled = true;
            return sheet;
        }
        if (rowCells.isEmpty() && rowNotes.isEmpty()) {
            // Empty rows (often a million of them at the end) take no room until a full one follows.
            row = int(std::min<qint64>(row + rowRepeat, SheetReader::kMaxRows + 1LL));
            continue;
        }
        // The whole repeated block is measured before it is built.
        cells += rowRepeat * std::max<qint64>(1, rowCells.size());
        if (row + rowRepeat > SheetReader::kMaxRows || cells > SheetReader::kMaxCells)
            return failure(kTroppeRighe);
        for (qint64 k = 0; k < rowRepeat; ++k) {
            while (sheet.rows.size() < row)
                sheet.rows.append(QStringList());
            for (CellNote note : rowNotes) {
                note.row = row;
                sheet.notes.append(note);
            }
            sheet.rows.append(rowCells);
            ++row;
        }
    }
    if (xml.hasError())
        return failure(kDanneggiato.arg(kOdsKind));
    finish(sheet);
    return sheet;
}
