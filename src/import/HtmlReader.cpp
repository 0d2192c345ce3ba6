#include "import/HtmlReader.h"

#include "import/SheetParts.h"
#include "storage/Cp1252.h"

#include <QHash>

using namespace SheetParts;

namespace {

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

} // namespace

SheetReader::Sheet SheetReader::readHtml(const QByteArray& bytes, const Progress& progress)
{
    return HtmlReader(bytes).read(0, progress);
}

SheetReader::Sheet HtmlReader::read(int, const SheetReader::Progress& progress)
{
    const QByteArray& bytes = m_bytes;
    SheetReader::Sheet sheet;
    sheet.format = SheetReader::Format::Html;
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
            row.append(cellText(htmlCellText(view.mid(open + 1, close - open - 1)).trimmed()));
            if (row.size() > SheetReader::kMaxColumns)
                return failure(kTroppeRighe);
            cell = close;
            if (close >= rowEnd)
                break;
            ++cell;
        }
        sheet.rows.append(row);
        if (sheet.rows.size() > SheetReader::kMaxRows)
            return failure(kTroppeRighe);
        at = rowEnd + 1;
    }
    if (sheet.rows.isEmpty())
        return failure(kNonFoglio);
    finish(sheet);
    return sheet;
}
