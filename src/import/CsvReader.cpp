#include "import/CsvReader.h"

#include "import/SheetParts.h"
#include "storage/Cp1252.h"

#include <QStringDecoder>

using namespace SheetParts;

namespace {

const QString kVirgolette = QStringLiteral(
    "Attenzione: nel file CSV delle virgolette aperte alla riga %1 non vengono mai chiuse.\r\n\r\n"
    "Correggere il file nel foglio di calcolo e salvarlo di nuovo.");

bool validUtf8(QByteArrayView bytes, QString* text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        return false;
    if (text)
        *text = std::move(decoded);
    return true;
}

} // namespace

bool CsvReader::isUtf16(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QString SheetReader::decodeText(const QByteArray& bytes)
{
    QString text;
    if (CsvReader::isUtf16(bytes)) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        text = utf16.decode(QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else if (!validUtf8(bytes, &text)) {
        // Lines written at different times may be in different encodings: each by its own.
        text.clear();
        text.reserve(bytes.size());
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            end = end < 0 ? bytes.size() : end + 1;
            const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
            QString decoded;
            text += validUtf8(line, &decoded) ? decoded : Cp1252::decode(line);
            start = end;
        }
    }
    if (text.contains(QChar(0)))
        text.remove(QChar(0));
    return text;
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
    return CsvReader(bytes).read(0, progress);
}

SheetReader::Sheet CsvReader::read(int, const SheetReader::Progress& progress)
{
    using SheetReader::kMaxCellChars;
    SheetReader::Sheet sheet;
    sheet.format = SheetReader::Format::Csv;
    QString text = SheetReader::decodeText(m_bytes);
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
        separator = SheetReader::detectDelimiter(text);
    }
    const char16_t delimiter = separator.unicode();
    const qsizetype size = text.size();
    const auto* data = reinterpret_cast<const char16_t*>(text.constData());
    QStringList row;
    QString field;
    const auto add = [&field](char16_t c) {
        if (field.size() < kMaxCellChars)
            field.append(QChar(c));
    };
    const auto endField = [&row, &field] {
        row.append(field);
        field.clear();
    };
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
                        add(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (c == u'\n' || (c == u'\r' && (i + 1 >= size || data[i + 1] != u'\n')))
                    ++line;
                if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n') {
                    add(u'\n');
                    i += 2;
                    ++line;
                    continue;
                }
                add(c == u'\r' ? u'\n' : c);
                ++i;
            }
            // Text after the closing quote belongs to the same field.
            while (i < size && data[i] != delimiter && data[i] != u'\n' && data[i] != u'\r')
                add(data[i++]);
        } else {
            const qsizetype start = i;
            while (i < size && data[i] != delimiter && data[i] != u'\n' && data[i] != u'\r')
                ++i;
            field.append(QStringView(data + start, std::min<qsizetype>(i - start, kMaxCellChars)));
        }
        endField();
        if (row.size() > SheetReader::kMaxColumns)
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
        if (sheet.rows.size() > SheetReader::kMaxRows)
            return failure(kTroppeRighe);
    }
    if (!row.isEmpty())
        sheet.rows.append(std::move(row));
    finish(sheet);
    return sheet;
}
