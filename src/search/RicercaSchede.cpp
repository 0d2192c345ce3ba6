#include "search/RicercaSchede.h"

#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

char16_t foldAZ(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

char foldAZ(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Whether `piece` (A..Z already lower-cased) occurs in `text` when A..Z are read as a..z.
bool containsFolded(QByteArrayView text, QByteArrayView piece)
{
    const qsizetype n = piece.size();
    if (n == 0 || n > text.size())
        return false;
    const char first = piece[0];
    const qsizetype last = text.size() - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (foldAZ(text[i]) != first)
            continue;
        qsizetype k = 1;
        while (k < n && foldAZ(text[i + k]) == piece[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

// The stored bytes of a field, not trimmed, as testo() reads them.
QByteArrayView fieldBytes(const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo)
{
    const TSchedaAnagrafica::Layout& field = TSchedaAnagrafica::layoutOf(campo);
    const char* at = scheda.buffer().constData() + field.offset;
    return QByteArrayView(at + 1, std::min<int>(static_cast<unsigned char>(at[0]), field.capacity));
}

// The trimmed field cut or padded with blanks to exactly `width` bytes.
char* appendPadded(char* out, const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo, int width)
{
    QByteArrayView bytes = scheda.trimmedBytes(campo);
    bytes = bytes.first(std::min<qsizetype>(width, bytes.size()));
    out = std::copy(bytes.begin(), bytes.end(), out);
    return std::fill_n(out, width - bytes.size(), ' ');
}

char* appendText(char* out, QLatin1StringView text)
{
    return std::copy(text.begin(), text.end(), out);
}

// The line of a card in bytes: 119 fixed ones, then the note.
constexpr int kFixedBytes = 30 + 7 + 16 + 7 + 16 + 11 + 24 + 8;

void writeLine(char* out, const TSchedaAnagrafica& scheda, QByteArrayView note)
{
    using C = TSchedaAnagrafica;
    out = appendPadded(out, scheda, C::Candidato, 30);
    out = appendText(out, QLatin1StringView("  C.F. "));
    out = appendPadded(out, scheda, C::CodFisc, 16);
    out = appendText(out, QLatin1StringView("  Cel. "));
    out = appendPadded(out, scheda, C::Cel, 16);
    out = appendText(out, QLatin1StringView("  Settore: "));
    out = appendPadded(out, scheda, C::Settore, 24);
    out = appendText(out, QLatin1StringView("  Note: "));
    std::copy(note.begin(), note.end(), out);
}

// Lines with room for one per card of the archive; its length now is only a hint.
ResultLines linesFor(const QString& archivePath)
{
    ResultLines lines;
    lines.reserve(QFileInfo(archivePath).size() / TSchedaAnagrafica::kSize);
    return lines;
}

// The lines of the cards at admitted positions that pass the filters, in list order.
template <class Ammessa>
ResultLines elenco(const QString& archivePath, const RicercaSchede::Filtri& filtri, const Ammessa& ammessa)
{
    ResultLines lines = linesFor(archivePath);
    RicercaSchede::scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int position) {
        // An erased card keeps its place in the file but is nobody's.
        if (ammessa(position) && filtri.accetta(scheda) && !scheda.vuota())
            RicercaSchede::aggiungiRiga(lines, scheda);
    });
    lines.sort();
    return lines;
}

} // namespace

void RicercaSchede::aggiungiRiga(ResultLines& lines, const TSchedaAnagrafica& scheda)
{
    const QByteArrayView note = scheda.trimmedBytes(TSchedaAnagrafica::Note);
    writeLine(lines.append(kFixedBytes + int(note.size())), scheda, note);
}

QString RicercaSchede::riga(const TSchedaAnagrafica& scheda)
{
    ResultLines line;
    aggiungiRiga(line, scheda);
    return line.line(0);
}

bool RicercaSchede::contiene(QStringView text, QStringView piece)
{
    const qsizetype n = piece.size();
    if (n == 0 || n > text.size())
        return false;
    const QChar* t = text.data();
    const QChar* p = piece.data();
    const char16_t first = p[0].unicode();
    const qsizetype last = text.size() - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (foldAZ(t[i].unicode()) != first)
            continue;
        qsizetype k = 1;
        while (k < n && foldAZ(t[i + k].unicode()) == p[k].unicode())
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

void RicercaSchede::Filtri::imposta(TSchedaAnagrafica::Campo campo, const QString& typed)
{
    std::erase_if(m_attivi, [campo](const Filtro& f) { return f.campo == campo; });
    if (TextRules::trim(typed).isEmpty())
        return;
    const QString lowered = TextRules::lowerAZ(typed);
    QByteArray bytes;
    bytes.reserve(lowered.size());
    for (const QChar c : lowered) {
        const int byte = ResultLines::byteOf(c);
        if (byte < 0) {
            bytes.clear();
            break;
        }
        bytes.append(static_cast<char>(byte));
    }
    m_attivi.push_back({campo, bytes});
}

int RicercaSchede::Filtri::richiesti() const
{
    return static_cast<int>(m_attivi.size());
}

bool RicercaSchede::Filtri::accetta(const TSchedaAnagrafica& scheda) const
{
    return std::all_of(m_attivi.begin(), m_attivi.end(), [&scheda](const Filtro& f) {
        return containsFolded(fieldBytes(scheda, f.campo), f.bytes);
    });
}

void RicercaSchede::scandisci(const QString& archivePath, const Visita& visita)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(archivePath, TSchedaAnagrafica::kSize);
    // Each record is looked at where it was read, without a copy, for the length of its visit.
    TSchedaAnagrafica scheda;
    while (!archivio.FineArchivio()) {
        const QByteArrayView record = archivio.LeggiSchedaVista();
        scheda.buffer().setRawData(record.data(), record.size());
        visita(scheda, archivio.PosizioneCorrente());
    }
    archivio.ChiudiArchivio();
}

ResultLines RicercaSchede::cercaElenco(const QString& archivePath, const Filtri& filtri)
{
    return elenco(archivePath, filtri, [](int) { return true; });
}

QStringList RicercaSchede::cerca(const QString& archivePath, const Filtri& filtri)
{
    return cercaElenco(archivePath, filtri).all();
}

ResultLines RicercaSchede::daRicontattareElenco(const QString& archivePath)
{
    ResultLines lines = linesFor(archivePath);
    try {
        scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int) {
            if (TextRules::trim(scheda.testo(TSchedaAnagrafica::Ricontatta)) != TSchedaAnagrafica::flagNo() &&
                !scheda.vuota())
                aggiungiRiga(lines, scheda);
        });
    } catch (const std::exception&) {
        // The summary shows what could be read.
    }
    lines.sort();
    return lines;
}

QStringList RicercaSchede::daRicontattare(const QString& archivePath)
{
    return daRicontattareElenco(archivePath).all();
}

void RicercaSchede::richiama(const QString& archivePath, const QString& line, const Visita& visita)
{
    const QString wanted = TextRules::trim(line);
    scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int position) {
        if (TextRules::trim(riga(scheda)) != wanted)
            return;
        // The screens may keep the card: hand them a copy of their own.
        TSchedaAnagrafica copia;
        copia.buffer() = QByteArray(scheda.buffer().constData(), scheda.buffer().size());
        visita(copia, position);
    });
}

std::optional<int> RicercaSchede::trova(const QStringList& lines, int selected, const QString& typed,
                                        QString& lastFind)
{
    return trova(
        int(lines.size()), [&lines](int i) { return lines.at(i); }, selected, typed, lastFind);
}

std::optional<int> RicercaSchede::trova(int count, const std::function<QString(int)>& line, int selected,
                                        const QString& typed, QString& lastFind)
{
    const QString s = TextRules::lowerAZ(typed);
    const bool nuova = (s != lastFind);
    lastFind = s;
    const int n = count;
    if (n == 0 || s.isEmpty())
        return std::nullopt;

    int start = std::clamp(selected, 0, n - 1);
    if (nuova) {
        start = 0;
        if (contiene(line(0), s))
            return 0;
    }
    int i = start;
    do {
        i = (i + 1) % n;
        if (contiene(line(i), s))
            return i;
    } while (i != start);
    return std::nullopt;
}

ResultLines RicercaSchede::cercaElenco(const QString& archivePath, const Filtri& filtri,
                                       const std::function<bool(int)>& ammessa)
{
    return elenco(archivePath, filtri, ammessa);
}

QStringList RicercaSchede::cerca(const QString& archivePath, const Filtri& filtri,
                                 const std::function<bool(int)>& ammessa)
{
    return cercaElenco(archivePath, filtri, ammessa).all();
}
