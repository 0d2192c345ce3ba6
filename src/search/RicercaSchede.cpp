#include "search/RicercaSchede.h"

#include "search/OrdineElenco.h"
#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <algorithm>
#include <array>

namespace {

char16_t foldAZ(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// The Windows-1252 reading of every byte, taken once from the code page.
const std::array<QChar, 256>& decodeTable()
{
    static const std::array<QChar, 256> table = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            bytes[i] = static_cast<char>(i);
        const QString text = Cp1252::decode(bytes);
        std::array<QChar, 256> result{};
        std::copy(text.begin(), text.end(), result.begin());
        return result;
    }();
    return table;
}

QChar* appendDecoded(QChar* out, QByteArrayView bytes)
{
    const std::array<QChar, 256>& table = decodeTable();
    for (const char b : bytes)
        *out++ = table[static_cast<unsigned char>(b)];
    return out;
}

// The trimmed field cut or padded with blanks to exactly `width` characters.
QChar* appendPadded(QChar* out, const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo, int width)
{
    QByteArrayView bytes = scheda.trimmedBytes(campo);
    bytes = bytes.first(std::min<qsizetype>(width, bytes.size()));
    out = appendDecoded(out, bytes);
    return std::fill_n(out, width - bytes.size(), QLatin1Char(' '));
}

QChar* appendLatin1(QChar* out, QLatin1StringView text)
{
    for (const char c : text)
        *out++ = QLatin1Char(c);
    return out;
}

} // namespace

QString RicercaSchede::riga(const TSchedaAnagrafica& scheda)
{
    using C = TSchedaAnagrafica;
    const QByteArrayView note = scheda.trimmedBytes(C::Note);
    QString line(119 + note.size(), Qt::Uninitialized);
    QChar* out = line.data();
    out = appendPadded(out, scheda, C::Candidato, 30);
    out = appendLatin1(out, QLatin1StringView("  C.F. "));
    out = appendPadded(out, scheda, C::CodFisc, 16);
    out = appendLatin1(out, QLatin1StringView("  Cel. "));
    out = appendPadded(out, scheda, C::Cel, 16);
    out = appendLatin1(out, QLatin1StringView("  Settore: "));
    out = appendPadded(out, scheda, C::Settore, 24);
    out = appendLatin1(out, QLatin1StringView("  Note: "));
    out = appendDecoded(out, note);
    Q_ASSERT(out == line.constData() + line.size());
    return line;
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
    if (!TextRules::trim(typed).isEmpty())
        m_attivi.push_back({campo, TextRules::lowerAZ(typed)});
}

int RicercaSchede::Filtri::richiesti() const
{
    return static_cast<int>(m_attivi.size());
}

bool RicercaSchede::Filtri::accetta(const TSchedaAnagrafica& scheda) const
{
    return std::all_of(m_attivi.begin(), m_attivi.end(),
                       [&scheda](const Filtro& f) { return contiene(scheda.testo(f.campo), f.testo); });
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

QStringList RicercaSchede::cerca(const QString& archivePath, const Filtri& filtri)
{
    RaccoltaRighe lines;
    scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int) {
        // An erased card keeps its place in the file but is nobody's.
        if (filtri.accetta(scheda) && !scheda.vuota())
            lines.aggiungi(riga(scheda));
    });
    return lines.ordinate();
}

QStringList RicercaSchede::daRicontattare(const QString& archivePath)
{
    RaccoltaRighe lines;
    try {
        scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int) {
            if (TextRules::trim(scheda.testo(TSchedaAnagrafica::Ricontatta)) != TSchedaAnagrafica::flagNo() &&
                !scheda.vuota())
                lines.aggiungi(riga(scheda));
        });
    } catch (const std::exception&) {
        // The summary shows what could be read.
    }
    return lines.ordinate();
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
    const QString s = TextRules::lowerAZ(typed);
    const bool nuova = (s != lastFind);
    lastFind = s;
    const int n = static_cast<int>(lines.size());
    if (n == 0 || s.isEmpty())
        return std::nullopt;

    int start = std::clamp(selected, 0, n - 1);
    if (nuova) {
        start = 0;
        if (contiene(lines.at(0), s))
            return 0;
    }
    int i = start;
    do {
        i = (i + 1) % n;
        if (contiene(lines.at(i), s))
            return i;
    } while (i != start);
    return std::nullopt;
}

QStringList RicercaSchede::cerca(const QString& archivePath, const Filtri& filtri,
                                 const std::function<bool(int)>& ammessa)
{
    RaccoltaRighe lines;
    scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int position) {
        if (ammessa(position) && filtri.accetta(scheda))
            lines.aggiungi(riga(scheda));
    });
    return lines.ordinate();
}
