#include "access/PasswordStore.h"

#include "access/Crypt.h"
#include "access/PasswordError.h"
#include "storage/Cp1252.h"
#include "storage/SafeSave.h"
#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

const QByteArray kSection = QByteArrayLiteral("Accesso");
const QByteArray kKey = QByteArrayLiteral("Valore");
const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

// One line of the file, without its line end.
struct Line {
    QByteArray text;
    QByteArray end; // "\r\n", "\n" or empty on a last line without one
};

QList<Line> splitLines(const QByteArray& ini)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < ini.size()) {
        const qsizetype newline = ini.indexOf('\n', start);
        if (newline < 0) {
            lines.append({ini.mid(start), QByteArray()});
            break;
        }
        qsizetype stop = newline;
        if (stop > start && ini.at(stop - 1) == '\r')
            --stop;
        lines.append({ini.mid(start, stop - start), ini.mid(stop, newline + 1 - stop)});
        start = newline + 1;
    }
    return lines;
}

QByteArray withoutBom(const QByteArray& text)
{
    return text.startsWith(kBom) ? text.mid(kBom.size()) : text;
}

// The name of a section header line, or a null array for any other line.
QByteArray sectionName(const QByteArray& line)
{
    const QByteArray text = withoutBom(line).trimmed();
    if (!text.startsWith('['))
        return {};
    const qsizetype close = text.indexOf(']');
    if (close < 0)
        return {};
    const QByteArray name = text.mid(1, close - 1).trimmed();
    return name.isNull() ? QByteArray("") : name;
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// True when the line sets the key; its value is put in value.
bool keyLine(const QByteArray& line, const QByteArray& key, QByteArray* value)
{
    const QByteArray text = withoutBom(line);
    if (text.trimmed().startsWith(';'))
        return false;
    const qsizetype equals = text.indexOf('=');
    if (equals < 0 || !sameName(text.left(equals).trimmed(), key))
        return false;
    if (value)
        *value = text.mid(equals + 1).trimmed();
    return true;
}

// Index of the first header of the section, or -1.
qsizetype findSection(const QList<Line>& lines, const QByteArray& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray name = sectionName(lines.at(i).text);
        if (!name.isNull() && sameName(name, section))
            return i;
    }
    return -1;
}

// One past the last line of the section that starts at header.
qsizetype sectionEnd(const QList<Line>& lines, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < lines.size() && sectionName(lines.at(i).text).isNull())
        ++i;
    return i;
}

QByteArray join(const QList<Line>& lines)
{
    QByteArray result;
    for (const Line& line : lines)
        result += line.text + line.end;
    return result;
}

QString describe(const QString& action, const QString& path, const QString& reason)
{
    return QStringLiteral("%1 %2: %3").arg(action, QDir::toNativeSeparators(path), reason);
}

PasswordError passwordFailure(PasswordError::Step step, const QString& action, const QString& path,
                              const QString& reason)
{
    return PasswordError(step, path, reason, describe(action, path, reason).toStdString());
}

// A file that an editor saved as UTF-16 read back as the single-byte text the program writes;
// the next change of password writes it single-byte again.
QByteArray asSingleBytes(const QByteArray& bytes)
{
    if (bytes.size() < 2)
        return bytes;
    const auto b0 = static_cast<unsigned char>(bytes.at(0));
    const auto b1 = static_cast<unsigned char>(bytes.at(1));
    QStringDecoder::Encoding encoding;
    qsizetype skip = 0;
    if (b0 == 0xFF && b1 == 0xFE) {
        encoding = QStringDecoder::Utf16LE;
        skip = 2;
    } else if (b0 == 0xFE && b1 == 0xFF) {
        encoding = QStringDecoder::Utf16BE;
        skip = 2;
    } else if (b0 != 0 && b1 == 0) {
        encoding = QStringDecoder::Utf16LE; // no byte order mark: "[" then a zero byte
    } else if (b0 == 0 && b1 != 0) {
        encoding = QStringDecoder::Utf16BE;
    } else {
        return bytes;
    }
    QStringDecoder decoder(encoding);
    const QString text = decoder.decode(QByteArrayView(bytes).sliced(skip));
    return Cp1252::encode(text);
}

} // namespace

PasswordStore::PasswordStore(const QString& programFolder)
    : m_path(programFolder + fileName())
{
}

QString PasswordStore::valueIn(const QByteArray& ini, const QByteArray& section, const QByteArray& key)
{
    // The first section of that name and the first line of the key in it count.
    const QList<Line> lines = splitLines(ini);
    const qsizetype header = findSection(lines, section);
    if (header < 0)
        return {};
    const qsizetype end = sectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        QByteArray value;
        if (keyLine(lines.at(i).text, key, &value))
            return QString::fromLatin1(value);
    }
    return {};
}

QByteArray PasswordStore::withValue(const QByteArray& ini, const QByteArray& section, const QByteArray& key,
                                    const QByteArray& value)
{
    QList<Line> lines = splitLines(ini);
    const QByteArray eol =
        ini.isEmpty() || ini.contains("\r\n") || !ini.contains('\n') ? QByteArray("\r\n") : QByteArray("\n");
    const QByteArray setting = key + '=' + value;
    const qsizetype header = findSection(lines, section);
    if (header < 0) {
        if (!lines.isEmpty() && lines.last().end.isEmpty())
            lines.last().end = eol;
        lines.append({'[' + section + ']', eol});
        lines.append({setting, eol});
        return join(lines);
    }
    const qsizetype end = sectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (keyLine(lines.at(i).text, key, nullptr)) {
            lines[i].text = setting;
            return join(lines);
        }
    }
    // A new key goes after the last line of the section that is not blank.
    qsizetype at = end;
    while (at > header + 1 && lines.at(at - 1).text.trimmed().isEmpty())
        --at;
    if (lines.at(at - 1).end.isEmpty())
        lines[at - 1].end = eol;
    lines.insert(at, {setting, eol});
    return join(lines);
}

QByteArray PasswordStore::readFile() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return {};
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        throw passwordFailure(PasswordError::Step::Read, QStringLiteral("cannot open"), m_path,
                              file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw passwordFailure(PasswordError::Step::Read, QStringLiteral("cannot read"), m_path,
                              file.errorString());
    return asSingleBytes(bytes);
}

QString PasswordStore::valueInFile(const QByteArray& fileBytes)
{
    return valueIn(asSingleBytes(fileBytes), kSection, kKey);
}

QString PasswordStore::readValue() const
{
    return valueIn(readFile(), kSection, kKey);
}

QString PasswordStore::storedPassword() const
{
    const QString value = readValue();
    try {
        return TextRules::trim(DecodificaPassword(value));
    } catch (const PasswordError& error) {
        // The same fault, naming the file it is in.
        throw PasswordError(PasswordError::Step::Damaged, m_path, QString(), error.what());
    }
}

void PasswordStore::writeValue(const QString& value) const
{
    const QByteArray contents = withValue(readFile(), kSection, kKey, value.toLatin1());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw passwordFailure(PasswordError::Step::Write, QStringLiteral("cannot write"), m_path,
                              file.errorString());
    if (file.write(contents) != contents.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw passwordFailure(PasswordError::Step::Write, QStringLiteral("cannot write"), m_path, reason);
    }
    QString reason;
    if (!SafeSave::commit(file, &reason))
        throw passwordFailure(PasswordError::Step::Write, QStringLiteral("cannot replace"), m_path, reason);
}

bool PasswordStore::createIfMissing(const QString& value) const
{
    const QFileInfo info(m_path);
    if (info.exists() || info.isSymLink())
        return false;
    QFile file(m_path);
    // NewOnly: a file that appears meanwhile is never overwritten.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(m_path))
            return false;
        throw passwordFailure(PasswordError::Step::Write, QStringLiteral("cannot create"), m_path,
                              file.errorString());
    }
    const QByteArray contents = withValue(QByteArray(), kSection, kKey, value.toLatin1());
    if (file.write(contents) != contents.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        file.remove();
        throw passwordFailure(PasswordError::Step::Write, QStringLiteral("cannot write"), m_path, reason);
    }
    file.close();
    return true;
}
