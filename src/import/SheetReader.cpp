#include "import/SheetReader.h"

#include "storage/Cp1252.h"

#include <quazip.h>
#include <quazipfile.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <cmath>

namespace {

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
    "Si possono importare file CSV, XLSX, ODS e l'archivio esportato dal programma.");
const QString kVecchioExcel =
    QStringLiteral("Attenzione: il file \u00E8 nel vecchio formato di Microsoft Excel e non pu\u00F2 essere "
                   "letto.\r\n\r\nSalvarlo in formato XLSX, ODS o CSV dal foglio di calcolo e riprovare.");
const QString kDanneggiato =
    QStringLiteral("Attenzione: il file %1 \u00E8 danneggiato e non pu\u00F2 essere letto.");
const QString kSenzaTesti =
    QStringLiteral("Attenzione: il file XLSX \u00E8 danneggiato: manca la parte con i testi delle celle "
                   "(xl/sharedStrings.xml).\r\n\r\nAprirlo nel foglio di calcolo e salvarlo di nuovo.");
const QString kBomba = QStringLiteral(
    "Attenzione: il file %1, una volta decompresso, \u00E8 troppo grande per essere importato.");
const QString kTroppeRighe =
    QStringLiteral("Attenzione: il foglio contiene troppe righe o colonne per essere importato.");
const QString kVirgolette = QStringLiteral(
    "Attenzione: nel file CSV delle virgolette aperte alla riga %1 non vengono mai chiuse.\r\n\r\n"
    "Correggere il file nel foglio di calcolo e salvarlo di nuovo.");
const QString kSenzaRighe = QStringLiteral("Attenzione: il foglio non contiene nessuna riga da importare.");

SheetReader::Sheet failure(const QString& message)
{
    SheetReader::Sheet sheet;
    sheet.error = message;
    return sheet;
}

// Drops the empty rows and empty columns at the end; an empty result is an error.
void finish(SheetReader::Sheet& sheet)
{
    if (!sheet.error.isEmpty() || sheet.cancelled)
        return;
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

// An attribute by its local name, whatever its prefix.
QStringView attribute(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == name)
            return a.value();
    }
    return {};
}

// ---- CSV ----

void appendField(QStringList& row, QString& field)
{
    row.append(field);
    field.clear();
}

// ---- zip parts ----

enum class PartResult { Read, Missing, TooLarge, Damaged };

PartResult readPart(QuaZip& zip, const QString& name, QByteArray& out)
{
    if (!zip.setCurrentFile(name, QuaZip::csInsensitive))
        return PartResult::Missing;
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return PartResult::Damaged;
    QuaZipFileInfo64 info;
    if (file.getFileInfo(&info) && qint64(info.uncompressedSize) > SheetReader::kMaxPartBytes)
        return PartResult::TooLarge;
    out.clear();
    // The size in the header may lie: the unpacked bytes are counted as they come.
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            return PartResult::Damaged;
        if (got == 0)
            break;
        if (out.size() + got > SheetReader::kMaxPartBytes)
            return PartResult::TooLarge;
        out.append(chunk, got);
    }
    file.close();
    if (file.getZipError() != UNZ_OK)
        return PartResult::Damaged;
    return PartResult::Read;
}

// ---- XLSX ----

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

enum class Shown { General, Integer, Fixed2, Percent, Percent2, Date, Time, DateTime, Text, Padded };

struct NumberStyle {
    Shown shown = Shown::General;
    int digits = 0; // Padded: how many digits at least
    QString format; // dates and times: the pattern of QLocale::toString, empty for dd/MM/yyyy HH:mm
};

// A quoted literal of a Qt date pattern.
void appendLiteral(QString& pattern, QChar c)
{
    if (c.isLetter())
        pattern.append(u'\'').append(c).append(u'\'');
    else
        pattern.append(c);
}

// The Qt pattern of a spreadsheet date or time code such as "dd/mm/yyyy" or "gg-mmm-aa".
QString qtDatePattern(const QString& bare)
{
    QString pattern;
    for (qsizetype i = 0; i < bare.size();) {
        QChar c = bare[i];
        qsizetype run = 1;
        while (i + run < bare.size() && bare[i + run] == c)
            ++run;
        if (c == u'g')
            c = u'd';
        else if (c == u'a' && run >= 2)
            c = u'y';
        switch (c.unicode()) {
        case u'y':
            pattern += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            break;
        case u'd':
            pattern += QString(std::min<qsizetype>(run, 4), u'd');
            break;
        case u'm': {
            // Minutes right after hours or right before seconds; months otherwise.
            const QString before = bare.left(i).remove(QRegularExpression(QStringLiteral("[^a-z]")));
            const QString after = bare.mid(i + run).remove(QRegularExpression(QStringLiteral("[^a-z]")));
            if (before.endsWith(u'h') || after.startsWith(u's'))
                pattern += QStringLiteral("mm");
            else
                pattern += QString(std::min<qsizetype>(run, 4), u'M');
            break;
        }
        case u'h':
            pattern += run == 1 ? QStringLiteral("H") : QStringLiteral("HH");
            break;
        case u's':
            pattern += QStringLiteral("ss");
            break;
        default:
            for (qsizetype k = 0; k < run; ++k)
                appendLiteral(pattern, bare[i]);
        }
        i += run;
    }
    return pattern;
}

// What a custom number format shows, judged by its letters outside quotes and brackets.
NumberStyle styleOfCode(const QString& code)
{
    QString bare;
    bool quoted = false;
    int bracket = 0;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'[')
            ++bracket;
        else if (!quoted && c == u']' && bracket > 0)
            --bracket;
        else if (!quoted && bracket == 0 && c == u'\\' && i + 1 < code.size())
            bare.append(code[++i]); // an escaped separator such as "\/"
        else if (!quoted && bracket == 0)
            bare.append(c.toLower());
    }
    bare = bare.section(u';', 0, 0);
    if (bare == u"@")
        return {Shown::Text, 0, {}};
    const bool date =
        bare.contains(u'y') || bare.contains(u'd') || (bare.contains(u'a') && bare.contains(u'g'));
    const bool time = bare.contains(u'h') || bare.contains(u's');
    if (date && time)
        return {Shown::DateTime, 0, qtDatePattern(bare)};
    if (date || (bare.contains(u'm') && !time && !bare.contains(u'0') && !bare.contains(u'#')))
        return {Shown::Date, 0, qtDatePattern(bare)};
    if (time)
        return {Shown::Time, 0, qtDatePattern(bare)};
    if (bare.contains(u'%'))
        return {bare.contains(u'.') ? Shown::Percent2 : Shown::Percent, 0, {}};
    if (!bare.isEmpty() && bare.count(u'0') == bare.size() && bare.size() > 1)
        return {Shown::Padded, int(bare.size()), {}};
    if (bare.contains(u'.'))
        return {Shown::Fixed2, int(bare.section(u'.', 1).count(u'0')), {}};
    if (bare.contains(u'0') || bare.contains(u'#'))
        return {Shown::Integer, 0, {}};
    return {};
}

NumberStyle styleOfId(int id)
{
    switch (id) {
    case 1:
    case 3:
        return {Shown::Integer, 0, {}};
    case 2:
    case 4:
        return {Shown::Fixed2, 2, {}};
    case 9:
        return {Shown::Percent, 0, {}};
    case 10:
        return {Shown::Percent2, 0, {}};
    case 14:
    case 15:
    case 16:
    case 17:
        return {Shown::Date, 0, {}};
    case 18:
    case 19:
    case 20:
    case 21:
    case 45:
    case 46:
    case 47:
        return {Shown::Time, 0, {}};
    case 22:
        return {Shown::DateTime, 0, {}};
    case 49:
        return {Shown::Text, 0, {}};
    default:
        return {};
    }
}

QString italianDecimal(QString text)
{
    text.replace(u'.', u',');
    return text;
}

QString showNumber(const QString& raw, const NumberStyle& style)
{
    bool ok = false;
    const double value = raw.toDouble(&ok);
    if (!ok)
        return raw;
    const QDate epoch(1899, 12, 30);
    switch (style.shown) {
    case Shown::General:
    case Shown::Text:
        return italianDecimal(QString::number(value, 'g', 15));
    case Shown::Integer:
        return QString::number(std::llround(value));
    case Shown::Fixed2:
        return italianDecimal(QString::number(value, 'f', style.digits));
    case Shown::Percent:
        return QString::number(std::llround(value * 100)) + u'%';
    case Shown::Percent2:
        return italianDecimal(QString::number(value * 100, 'f', 2)) + u'%';
    case Shown::Padded:
        return QString::number(std::llround(value)).rightJustified(style.digits, u'0');
    case Shown::Date:
        if (!style.format.isEmpty())
            return QLocale(QLocale::Italian).toString(epoch.addDays(qint64(std::floor(value))), style.format);
        return epoch.addDays(qint64(std::floor(value))).toString(QStringLiteral("dd/MM/yyyy"));
    case Shown::Time:
    case Shown::DateTime: {
        const qint64 seconds = std::llround((value - std::floor(value)) * 86400.0);
        if (!style.format.isEmpty())
            return QLocale(QLocale::Italian)
                .toString(QDateTime(epoch.addDays(qint64(std::floor(value))), QTime(0, 0).addSecs(seconds)),
                          style.format);
        const QString time = QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm"));
        if (style.shown == Shown::Time)
            return time;
        return epoch.addDays(qint64(std::floor(value))).toString(QStringLiteral("dd/MM/yyyy")) + u' ' + time;
    }
    }
    return raw;
}

// All the text of the current element and its children, as one string.
QString textOf(QXmlStreamReader& xml, QStringView only = {})
{
    QString text;
    int depth = 1;
    bool inside = only.isEmpty();
    int insideDepth = 0;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (!only.isEmpty() && xml.name() == only) {
                inside = true;
                insideDepth = depth;
            }
            if (xml.name() == u"rPh") // phonetic hints of Japanese text are not shown
                xml.skipCurrentElement(), --depth;
        } else if (xml.isEndElement()) {
            if (!only.isEmpty() && depth == insideDepth)
                inside = false;
            --depth;
        } else if (xml.isCharacters() && inside) {
            text.append(xml.text());
        }
    }
    return text;
}

QString resolveTarget(const QString& target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    return QStringLiteral("xl/") + target;
}

// The path of the first sheet named in the workbook, or the usual one.
QString firstSheetPath(QuaZip& zip)
{
    QByteArray workbook;
    QByteArray rels;
    if (readPart(zip, QStringLiteral("xl/workbook.xml"), workbook) != PartResult::Read ||
        readPart(zip, QStringLiteral("xl/_rels/workbook.xml.rels"), rels) != PartResult::Read)
        return QStringLiteral("xl/worksheets/sheet1.xml");
    QString id;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd() && id.isEmpty()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet") {
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                if (a.name() == u"id")
                    id = a.value().toString();
            }
        }
    }
    QXmlStreamReader relsXml(rels);
    while (!relsXml.atEnd()) {
        if (relsXml.readNext() == QXmlStreamReader::StartElement && relsXml.name() == u"Relationship" &&
            relsXml.attributes().value(QLatin1String("Id")) == id)
            return resolveTarget(relsXml.attributes().value(QLatin1String("Target")).toString());
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

// The number style of each cell format (the "s" attribute of a cell).
QList<NumberStyle> readStyles(QuaZip& zip)
{
    QList<NumberStyle> styles;
    QByteArray bytes;
    if (readPart(zip, QStringLiteral("xl/styles.xml"), bytes) != PartResult::Read)
        return styles;
    QHash<int, QString> codes;
    QXmlStreamReader xml(bytes);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt")
                codes.insert(attribute(xml.attributes(), QLatin1String("numFmtId")).toInt(),
                             attribute(xml.attributes(), QLatin1String("formatCode")).toString());
            else if (xml.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && xml.name() == u"xf") {
                const int id = attribute(xml.attributes(), QLatin1String("numFmtId")).toInt();
                styles.append(codes.contains(id) ? styleOfCode(codes.value(id)) : styleOfId(id));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    return styles;
}

bool putCell(QList<QStringList>& rows, int row, int column, const QString& text)
{
    if (row >= SheetReader::kMaxRows || column >= SheetReader::kMaxColumns)
        return false;
    if (text.isEmpty())
        return true;
    while (rows.size() <= row)
        rows.append(QStringList());
    QStringList& cells = rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    return true;
}

// ---- ODS ----

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
            out.append(xml.text());
        }
    }
}

QString odsCellText(QXmlStreamReader& xml)
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

// ---- HTML ----

QString decodeEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out.append(text[i]);
            continue;
        }
        const qsizetype end = text.indexOf(u';', i);
        if (end < 0 || end - i > 10) {
            out.append(text[i]);
            continue;
        }
        const QStringView name = text.mid(i + 1, end - i - 1);
        char32_t code = 0;
        bool ok = false;
        if (name.startsWith(u'#')) {
            const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
            code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            ok = ok && code > 0 && code <= 0x10FFFF;
        } else {
            static const QHash<QString, char32_t> kNames = {
                {QStringLiteral("amp"), u'&'},    {QStringLiteral("lt"), u'<'},
                {QStringLiteral("gt"), u'>'},     {QStringLiteral("quot"), u'"'},
                {QStringLiteral("apos"), u'\''},  {QStringLiteral("nbsp"), 0xA0},
                {QStringLiteral("egrave"), 0xE8}, {QStringLiteral("eacute"), 0xE9},
                {QStringLiteral("agrave"), 0xE0}, {QStringLiteral("ograve"), 0xF2},
                {QStringLiteral("ugrave"), 0xF9}, {QStringLiteral("igrave"), 0xEC},
                {QStringLiteral("euro"), 0x20AC}};
            code = kNames.value(name.toString(), 0);
            ok = code != 0;
        }
        if (!ok) {
            out.append(text[i]);
            continue;
        }
        out.append(QString::fromUcs4(&code, 1));
        i = end;
    }
    return out;
}

// The text of a cell's inner HTML: tags dropped (a <br> is a line break), blanks folded, entities decoded.
QString htmlCellText(QStringView inner)
{
    QString plain;
    plain.reserve(inner.size());
    bool blank = false;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner[i];
        if (c == u'<') {
            const qsizetype close = inner.indexOf(u'>', i);
            // A "<" that opens no tag was written as it stood by earlier versions: keep it.
            if (close < 0 || close == i + 1 || !(inner[i + 1].isLetter() || inner[i + 1] == u'/')) {
                plain.append(c);
                blank = false;
                continue;
            }
            const QStringView tag = inner.mid(i + 1, close - i - 1);
            if (tag.startsWith(u"br", Qt::CaseInsensitive))
                plain.append(u'\n');
            i = close;
            continue;
        }
        if (c == u' ' || c == u'\n' || c == u'\r' || c == u'\t') {
            if (!blank)
                plain.append(u' ');
            blank = true;
            continue;
        }
        blank = false;
        plain.append(c);
    }
    return decodeEntities(plain);
}

qsizetype findTag(QStringView text, QStringView tag, qsizetype from)
{
    for (;;) {
        const qsizetype at = text.indexOf(tag, from, Qt::CaseInsensitive);
        if (at < 0)
            return -1;
        const qsizetype after = at + tag.size();
        if (after >= text.size() || text[after] == u'>' || text[after].isSpace() || text[after] == u'/')
            return at;
        from = after;
    }
}

bool startsWithZip(const QByteArray& head)
{
    return head.startsWith("PK\x03\x04");
}

} // namespace

QString SheetReader::decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Cp1252::decode(bytes);
}

QChar SheetReader::detectDelimiter(QStringView text)
{
    int semicolons = 0, commas = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u';')
            ++semicolons;
        else if (c == u',')
            ++commas;
        else if (c == u'\t')
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return u'\t';
    if (commas > semicolons)
        return u',';
    return u';';
}

SheetReader::Sheet SheetReader::readCsv(const QByteArray& bytes, const Progress& progress)
{
    Sheet sheet;
    sheet.format = Format::Csv;
    QString text = decodeText(bytes);
    QChar separator;
    // Excel may name the separator in a first line of its own: "sep=;".
    if (text.startsWith(QStringLiteral("sep="), Qt::CaseInsensitive) && text.size() >= 5 &&
        (text.size() == 5 || text[5] == u'\r' || text[5] == u'\n')) {
        separator = text[4];
        qsizetype skip = 5;
        if (skip < text.size() && text[skip] == u'\r')
            ++skip;
        if (skip < text.size() && text[skip] == u'\n')
            ++skip;
        text.remove(0, skip);
    } else {
        separator = detectDelimiter(text);
    }
    const char16_t delimiter = separator.unicode();
    const qsizetype size = text.size();
    const auto* data = reinterpret_cast<const char16_t*>(text.constData());
    QStringList row;
    QString field;
    int line = 1;
    qsizetype i = 0;
    qsizetype nextTick = 1 << 20;
    while (i < size) {
        if (i >= nextTick) {
            nextTick += 1 << 20;
            if (!tick(progress, i, size)) {
                sheet.cancelled = true;
                return sheet;
            }
        }
        // One field.
        if (data[i] == u'"') {
            const int opened = line;
            ++i;
            for (;;) {
                if (i >= size)
                    return failure(kVirgolette.arg(opened));
                const char16_t c = data[i];
                if (c == u'"') {
                    if (i + 1 < size && data[i + 1] == u'"') {
                        field.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (c == u'\n' || (c == u'\r' && (i + 1 >= size || data[i + 1] != u'\n')))
                    ++line;
                if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n') {
                    field.append(u'\n');
                    i += 2;
                    ++line;
                    continue;
                }
                field.append(QChar(c == u'\r' ? u'\n' : c));
                ++i;
            }
            // Text after the closing quote belongs to the same field.
            while (i < size && data[i] != delimiter && data[i] != u'\n' && data[i] != u'\r')
                field.append(QChar(data[i++]));
        } else {
            const qsizetype start = i;
            while (i < size && data[i] != delimiter && data[i] != u'\n' && data[i] != u'\r')
                ++i;
            field.append(QStringView(data + start, i - start));
        }
        appendField(row, field);
        if (row.size() > kMaxColumns)
            return failure(kTroppeRighe);
        if (i >= size)
            break;
        if (data[i] == delimiter) {
            ++i;
            if (i >= size)
                row.append(QString());
            continue;
        }
        // End of the line: \r\n, \n or \r, mixed as they come.
        if (data[i] == u'\r' && i + 1 < size && data[i + 1] == u'\n')
            ++i;
        ++i;
        ++line;
        sheet.rows.append(std::move(row));
        row = QStringList();
        if (sheet.rows.size() > kMaxRows)
            return failure(kTroppeRighe);
    }
    if (!row.isEmpty())
        sheet.rows.append(std::move(row));
    finish(sheet);
    return sheet;
}

SheetReader::Sheet SheetReader::readHtml(const QByteArray& bytes, const Progress& progress)
{
    Sheet sheet;
    sheet.format = Format::Html;
    const QByteArray head = bytes.left(2048).toLower();
    const QString text = head.contains("charset=utf-8") || bytes.startsWith("\xEF\xBB\xBF")
                             ? QString::fromUtf8(bytes)
                             : Cp1252::decode(bytes);
    const QStringView view(text);
    qsizetype at = 0;
    while ((at = findTag(view, u"<tr", at)) >= 0) {
        if (!tick(progress, at, view.size())) {
            sheet.cancelled = true;
            return sheet;
        }
        qsizetype rowEnd = findTag(view, u"</tr", at);
        if (rowEnd < 0)
            rowEnd = view.size();
        QStringList row;
        qsizetype cell = at + 3;
        for (;;) {
            const qsizetype td = findTag(view, u"<td", cell);
            const qsizetype th = findTag(view, u"<th", cell);
            qsizetype start = td < 0 ? th : (th < 0 ? td : std::min(td, th));
            if (start < 0 || start >= rowEnd)
                break;
            const qsizetype open = view.indexOf(u'>', start);
            if (open < 0 || open >= rowEnd)
                break;
            qsizetype close = view.indexOf(QStringView(u"</t"), open, Qt::CaseInsensitive);
            if (close < 0 || close > rowEnd)
                close = rowEnd;
            row.append(htmlCellText(view.mid(open + 1, close - open - 1)).trimmed());
            if (row.size() > kMaxColumns)
                return failure(kTroppeRighe);
            cell = close;
            if (close >= rowEnd)
                break;
            ++cell;
        }
        sheet.rows.append(row);
        if (sheet.rows.size() > kMaxRows)
            return failure(kTroppeRighe);
        at = rowEnd + 1;
    }
    if (sheet.rows.isEmpty())
        return failure(kNonFoglio);
    finish(sheet);
    return sheet;
}

SheetReader::Sheet SheetReader::readXlsx(const QString& path, const Progress& progress)
{
    const QString kind = QStringLiteral("XLSX");
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return failure(kDanneggiato.arg(kind));
    QList<QString> shared;
    bool sharedPresent = false;
    {
        QByteArray bytes;
        const PartResult result = readPart(zip, QStringLiteral("xl/sharedStrings.xml"), bytes);
        if (result == PartResult::TooLarge)
            return failure(kBomba.arg(kind));
        if (result == PartResult::Damaged)
            return failure(kDanneggiato.arg(kind));
        sharedPresent = result == PartResult::Read;
        QXmlStreamReader xml(bytes);
        while (sharedPresent && !xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
                shared.append(textOf(xml, u"t"));
        }
        if (xml.hasError() && sharedPresent)
            return failure(kDanneggiato.arg(kind));
    }
    const QList<NumberStyle> styles = readStyles(zip);
    QByteArray bytes;
    const PartResult result = readPart(zip, firstSheetPath(zip), bytes);
    if (result == PartResult::TooLarge)
        return failure(kBomba.arg(kind));
    if (result != PartResult::Read)
        return failure(kDanneggiato.arg(kind));

    Sheet sheet;
    sheet.format = Format::Xlsx;
    QXmlStreamReader xml(bytes);
    int row = -1;
    int column = -1;
    qint64 count = 0;
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
        } else if (xml.name() == u"c") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const int c = columnOf(attribute(attributes, QLatin1String("r")));
            column = c >= 0 ? c : column + 1;
            const QString type = attribute(attributes, QLatin1String("t")).toString();
            const int styleIndex = attribute(attributes, QLatin1String("s")).toInt();
            QString value;
            bool hasValue = false;
            QString inlineText;
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
                    inlineText = textOf(xml, u"t");
                } else {
                    xml.skipCurrentElement();
                }
            }
            QString text;
            if (type == u"s") {
                if (!sharedPresent)
                    return failure(kSenzaTesti);
                bool ok = false;
                const int index = value.toInt(&ok);
                if (!ok || index < 0 || index >= shared.size())
                    return failure(kDanneggiato.arg(kind));
                text = shared.at(index);
            } else if (type == u"inlineStr") {
                text = inlineText;
            } else if (type == u"str" || type == u"e") {
                text = value;
            } else if (type == u"b") {
                text = value == u"1" ? QStringLiteral("VERO") : QStringLiteral("FALSO");
            } else if (hasValue) {
                text = showNumber(value, styleIndex >= 0 && styleIndex < styles.size() ? styles.at(styleIndex)
                                                                                       : NumberStyle{});
            }
            if (!putCell(sheet.rows, std::max(row, 0), column, text))
                return failure(kTroppeRighe);
        }
    }
    if (xml.hasError())
        return failure(kDanneggiato.arg(kind));
    finish(sheet);
    return sheet;
}

SheetReader::Sheet SheetReader::readOds(const QString& path, const Progress& progress)
{
    const QString kind = QStringLiteral("ODS");
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return failure(kDanneggiato.arg(kind));
    QByteArray bytes;
    const PartResult result = readPart(zip, QStringLiteral("content.xml"), bytes);
    if (result == PartResult::TooLarge)
        return failure(kBomba.arg(kind));
    if (result != PartResult::Read)
        return failure(kDanneggiato.arg(kind));

    Sheet sheet;
    sheet.format = Format::Ods;
    QXmlStreamReader xml(bytes);
    int tableDepth = 0;
    bool tableDone = false;
    int row = 0;
    qint64 count = 0;
    while (!xml.atEnd() && !tableDone) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"table" && tableDepth > 0) {
            tableDone = true;
            break;
        }
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"table" && xml.namespaceUri().endsWith(u":table:1.0")) {
            tableDepth = 1;
            continue;
        }
        if (tableDepth == 0 || xml.name() != u"table-row")
            continue;
        const int rowRepeat =
            std::max(1, attribute(xml.attributes(), QLatin1String("number-rows-repeated")).toInt());
        QStringList cells;
        int column = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == u"table-row")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"table-cell" || xml.name() == u"covered-table-cell") {
                const int repeat = std::max(
                    1, attribute(xml.attributes(), QLatin1String("number-columns-repeated")).toInt());
                const QString text = odsCellText(xml);
                if (text.isEmpty()) {
                    column += repeat;
                    continue;
                }
                for (int k = 0; k < repeat; ++k) {
                    if (column >= kMaxColumns)
                        return failure(kTroppeRighe);
                    while (cells.size() < column)
                        cells.append(QString());
                    cells.append(text);
                    ++column;
                }
            } else {
                xml.skipCurrentElement();
            }
        }
        if ((++count & 1023) == 0 && !tick(progress, xml.characterOffset(), bytes.size())) {
            sheet.cancelled = true;
            return sheet;
        }
        if (cells.isEmpty()) {
            // Empty rows (often a million of them at the end) take no room until a full one follows.
            row += rowRepeat;
            continue;
        }
        for (int k = 0; k < rowRepeat; ++k) {
            if (row >= kMaxRows)
                return failure(kTroppeRighe);
            while (sheet.rows.size() < row)
                sheet.rows.append(QStringList());
            sheet.rows.append(cells);
            ++row;
        }
    }
    if (xml.hasError())
        return failure(kDanneggiato.arg(kind));
    finish(sheet);
    return sheet;
}

SheetReader::Sheet SheetReader::read(const QString& path, const Progress& progress)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return failure(kNonApribile);
    if (info.size() == 0)
        return failure(kVuoto);
    if (info.size() > kMaxFileBytes)
        return failure(kTroppoGrande);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(kNonApribile);
    const QByteArray head = file.peek(8);
    if (startsWithZip(head)) {
        file.close();
        QuaZip zip(path);
        if (!zip.open(QuaZip::mdUnzip))
            return failure(kNonFoglio);
        const QStringList names = zip.getFileNameList();
        zip.close();
        const auto has = [&names](const char* name) {
            return names.contains(QLatin1String(name), Qt::CaseInsensitive);
        };
        if (has("xl/workbook.xml") || has("xl/worksheets/sheet1.xml"))
            return readXlsx(path, progress);
        if (has("content.xml"))
            return readOds(path, progress);
        return failure(kNonFoglio);
    }
    if (head.startsWith("\xD0\xCF\x11\xE0"))
        return failure(kVecchioExcel);
    const QByteArray bytes = file.readAll();
    if (bytes.size() != info.size())
        return failure(kNonApribile);
    const QByteArray start = bytes.left(64 * 1024);
    if (start.contains('\0'))
        return failure(kNonFoglio);
    QByteArray lower = start.left(4096).trimmed().toLower();
    if (lower.startsWith("\xEF\xBB\xBF"))
        lower = lower.mid(3).trimmed();
    if (lower.startsWith('<')) {
        if (start.toLower().contains("<table"))
            return readHtml(bytes, progress);
        return failure(kNonFoglio);
    }
    // Text with many control codes is not a list of values.
    int controls = 0;
    for (const char c : start) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 && c != '\n' && c != '\r' && c != '\t')
            ++controls;
    }
    if (controls > start.size() / 100)
        return failure(kNonFoglio);
    return readCsv(bytes, progress);
}
