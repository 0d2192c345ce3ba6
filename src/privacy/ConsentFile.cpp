#include "privacy/ConsentFile.h"

#include <QStringDecoder>

namespace {

const QByteArray kMagic = QByteArrayLiteral("Folvara consensi ");
const QByteArray kHeader =
    QByteArrayLiteral("# posizione\tdata del consenso al trattamento (aaaa-mm-gg)\tdato da (persona, tutore)"
                      "\tgenitori o tutori\tfoto (si, interno, no)\tnota");
constexpr int kColumns = 6;

QByteArray escaped(const QString& text)
{
    QByteArray out;
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Decodes one column; false when its bytes are not UTF-8 or an escape is unknown.
bool unescaped(const QByteArray& bytes, QString& text)
{
    QByteArray raw;
    raw.reserve(bytes.size());
    bool ok = true;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\\') {
            raw += c;
            continue;
        }
        const char next = i + 1 < bytes.size() ? bytes.at(++i) : '\0';
        switch (next) {
        case '\\':
            raw += '\\';
            break;
        case 't':
            raw += '\t';
            break;
        case 'n':
            raw += '\n';
            break;
        case 'r':
            raw += '\r';
            break;
        default:
            ok = false;
            raw += next;
        }
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder(raw);
    return ok && !decoder.hasError();
}

QByteArray givenByCode(Consent::GivenBy givenBy)
{
    return givenBy == Consent::GivenBy::Guardian ? QByteArrayLiteral("tutore") : QByteArrayLiteral("persona");
}

QByteArray photosCode(Consent::Photos photos)
{
    switch (photos) {
    case Consent::Photos::Yes:
        return QByteArrayLiteral("si");
    case Consent::Photos::InternalOnly:
        return QByteArrayLiteral("interno");
    case Consent::Photos::No:
        return QByteArrayLiteral("no");
    case Consent::Photos::NotStated:
        break;
    }
    return {};
}

// The position of a line, 0 when its first column is not one.
int positionOf(const QByteArray& raw)
{
    const qsizetype tab = raw.indexOf('\t');
    bool ok = false;
    const int position = raw.left(tab < 0 ? raw.size() : tab).trimmed().toInt(&ok);
    return ok && position > 0 ? position : 0;
}

// Cuts the text at most characters, never between the halves of a surrogate pair, and drops the
// blanks the cut leaves at its end (the screen trims them); true when cut.
bool cutAt(QString& text, qsizetype most)
{
    if (text.size() <= most)
        return false;
    qsizetype end = most;
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    while (end > 0 && text.at(end - 1).unicode() <= 32)
        --end;
    text.truncate(end);
    return true;
}

// Reads what can be read of an entry's line; false when some column was not whole.
bool readEntry(const QByteArray& raw, int position, Consent& consent, bool newer)
{
    const QList<QByteArray> columns = raw.split('\t');
    bool whole = newer ? columns.size() >= kColumns : columns.size() == kColumns;
    const auto column = [&columns](int i) {
        return i < columns.size() ? columns.at(i).trimmed() : QByteArray();
    };
    consent.position = position;

    const QByteArray date = column(1);
    if (!date.isEmpty()) {
        consent.processingDate = QDate::fromString(QString::fromLatin1(date), Qt::ISODate);
        whole = whole && consent.processingDate.isValid();
    }
    const QByteArray givenBy = column(2);
    if (givenBy == "tutore")
        consent.givenBy = Consent::GivenBy::Guardian;
    else
        whole = whole && (givenBy == "persona" || givenBy.isEmpty());
    const QByteArray photos = column(4);
    if (photos == "si")
        consent.photos = Consent::Photos::Yes;
    else if (photos == "interno")
        consent.photos = Consent::Photos::InternalOnly;
    else if (photos == "no")
        consent.photos = Consent::Photos::No;
    else
        whole = whole && photos.isEmpty();
    // The texts keep their blanks: only the codes above are trimmed.
    whole = unescaped(columns.value(3), consent.guardians) && whole;
    whole = unescaped(columns.value(5), consent.note) && whole;
    return whole;
}

QByteArray csvField(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

} // namespace

QString Consent::givenByText(GivenBy givenBy)
{
    return givenBy == GivenBy::Guardian ? QStringLiteral("un genitore o tutore")
                                        : QStringLiteral("la persona stessa");
}

QString Consent::photosText(Photos photos)
{
    switch (photos) {
    case Photos::Yes:
        return QStringLiteral("s\u00EC");
    case Photos::InternalOnly:
        return QStringLiteral("solo uso interno");
    case Photos::No:
        return QStringLiteral("no");
    case Photos::NotStated:
        break;
    }
    return QStringLiteral("non indicato");
}

bool ConsentBook::bound(Consent& consent)
{
    const bool guardians = cutAt(consent.guardians, kMaxGuardians);
    return cutAt(consent.note, kMaxNote) || guardians;
}

ConsentBook ConsentBook::parse(const QByteArray& bytes, Fields fields)
{
    ConsentBook book;
    if (bytes.isEmpty())
        return book;
    const QByteArray mark = QByteArrayLiteral("\xEF\xBB\xBF");
    std::vector<Line> lines;
    qsizetype start = 0;
    if (bytes.startsWith(mark)) {
        book.m_mark = mark;
        start = mark.size();
    }
    while (start < bytes.size()) {
        const qsizetype next = bytes.indexOf('\n', start);
        const qsizetype stop = next < 0 ? bytes.size() : next;
        Line line;
        line.raw = bytes.mid(start, stop - start);
        if (line.raw.endsWith('\r'))
            line.raw.chop(1);
        if (next >= 0)
            line.end = bytes.mid(start + line.raw.size(), next + 1 - start - line.raw.size());
        lines.push_back(std::move(line));
        start = stop + 1;
    }
    if (!lines.empty() && !lines.front().end.isEmpty())
        book.m_lineEnd = lines.front().end;

    std::size_t first = 0;
    bool numbered = false;
    if (!lines.empty() && lines.front().raw.startsWith(kMagic)) {
        const int version = lines.front().raw.mid(kMagic.size()).trimmed().toInt(&numbered);
        if (numbered && version >= 1) {
            book.m_version = version;
            book.m_versionLine = lines.front().raw;
            first = 1;
        }
    }
    if (first == 0)
        ++book.m_damaged; // no version line: read as this version
    const bool newer = book.m_version > kVersion;

    for (std::size_t i = first; i < lines.size(); ++i) {
        Line& line = lines[i];
        const QByteArray trimmed = line.raw.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#')) {
            line.position = positionOf(line.raw);
            Consent consent;
            if (line.position == 0 || !readEntry(line.raw, line.position, consent, newer))
                ++book.m_damaged;
            if (line.position > 0) {
                if (book.m_entries.count(line.position))
                    ++book.m_damaged; // the same card twice: the later line counts
                book.m_cut.erase(line.position);
                if (fields == Fields::Bounded && bound(consent))
                    book.m_cut.insert(line.position);
                book.m_entries[line.position] = consent;
            }
        }
        book.m_lines.push_back(std::move(line));
    }
    if (newer)
        book.m_problem = Problem::Newer;
    else if (book.m_damaged > 0)
        book.m_problem = Problem::Damaged;
    return book;
}

ConsentBook ConsentBook::unreadable(const QString& reason)
{
    ConsentBook book;
    book.m_problem = Problem::Unreadable;
    book.m_reason = reason;
    return book;
}

std::optional<Consent> ConsentBook::find(int position) const
{
    const auto found = m_entries.find(position);
    if (found == m_entries.end())
        return std::nullopt;
    return found->second;
}

bool ConsentBook::hasProcessingConsent(int position) const
{
    const auto found = m_entries.find(position);
    return found != m_entries.end() && found->second.hasProcessingConsent();
}

QString ConsentBook::problemText(const QString& fileName) const
{
    switch (m_problem) {
    case Problem::None:
        return {};
    case Problem::Damaged:
        return QStringLiteral(
                   "Attenzione: il file dei consensi \"%1\" \u00E8 danneggiato in parte (%2 righe non "
                   "leggibili per intero). I consensi leggibili sono stati letti; le righe danneggiate "
                   "restano nel file cos\u00EC come sono. L'archivio delle schede non \u00E8 toccato.")
            .arg(fileName)
            .arg(m_damaged);
    case Problem::Newer:
        return QStringLiteral(
                   "Attenzione: il file dei consensi \"%1\" \u00E8 stato scritto da una versione pi\u00F9 "
                   "recente del programma (versione %2). I consensi si possono leggere e stampare, ma "
                   "non modificare con questa versione.")
            .arg(fileName)
            .arg(m_version);
    case Problem::Unreadable:
        return QStringLiteral("Attenzione: non \u00E8 possibile leggere il file dei consensi \"%1\" (%2). Le "
                              "schede sono trattate come prive di consensi registrati.")
            .arg(fileName, m_reason);
    }
    return {};
}

QByteArray ConsentBook::line(const Consent& consent)
{
    QByteArray out = QByteArray::number(consent.position);
    out += '\t';
    if (consent.hasProcessingConsent())
        out += consent.processingDate.toString(Qt::ISODate).toLatin1();
    out += '\t' + givenByCode(consent.givenBy);
    out += '\t' + escaped(consent.guardians);
    out += '\t' + photosCode(consent.photos);
    out += '\t' + escaped(consent.note);
    return out;
}

QByteArray ConsentBook::with(int position, const std::optional<Consent>& consent) const
{
    QByteArray out = m_mark;
    out += m_versionLine.isEmpty() ? kMagic + QByteArray::number(m_version) : m_versionLine;
    out += m_lineEnd;
    bool written = false;
    bool header = false;
    for (const Line& line : m_lines) {
        header = header || line.raw == kHeader;
        // A last line cut short gets a line end like the others.
        const QByteArray& end = line.end.isEmpty() ? m_lineEnd : line.end;
        if (line.position != position) {
            out += line.raw + end;
            continue;
        }
        // Every line of the card gives way to its one new line, in the place of the first.
        if (consent && !written)
            out += ConsentBook::line(*consent) + end;
        written = true;
    }
    if (consent && !written) {
        if (!header && m_lines.empty())
            out += kHeader + m_lineEnd;
        out += ConsentBook::line(*consent) + m_lineEnd;
    }
    return out;
}

QByteArray consentCsv(int position, const std::optional<Consent>& consent)
{
    const QStringList headers = {QStringLiteral("Posizione scheda"),
                                 QStringLiteral("Consenso al trattamento dei dati"),
                                 QStringLiteral("Data del consenso"),
                                 QStringLiteral("Consenso dato da"),
                                 QStringLiteral("Genitori o tutori"),
                                 QStringLiteral("Consenso alle foto"),
                                 QStringLiteral("Nota")};
    QStringList values;
    values << QString::number(position);
    if (!consent) {
        values << QStringLiteral("non registrato") << QString() << QString() << QString()
               << Consent::photosText(Consent::Photos::NotStated) << QString();
    } else {
        values << (consent->hasProcessingConsent() ? QStringLiteral("s\u00EC")
                                                   : QStringLiteral("non registrato"))
               << consent->processingDate.toString(QStringLiteral("dd/MM/yyyy"))
               << (consent->hasProcessingConsent() ? Consent::givenByText(consent->givenBy) : QString())
               << consent->guardians << Consent::photosText(consent->photos) << consent->note;
    }
    QByteArray out = QByteArrayLiteral("\xEF\xBB\xBF");
    for (const QStringList& row : {headers, values}) {
        QList<QByteArray> fields;
        for (const QString& text : row)
            fields << csvField(text);
        out += fields.join(';') + "\r\n";
    }
    return out;
}
