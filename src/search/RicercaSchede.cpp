#include "search/RicercaSchede.h"

#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"
#include "storage/TextRules.h"

#include <algorithm>

namespace {

char16_t foldAZ(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// Appends the trimmed field, cut or padded with blanks to exactly `width` characters.
void appendPadded(QString& line, const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo, int width) {
    const QString value = TextRules::trim(scheda.testo(campo));
    const QStringView cut = QStringView(value).left(width);
    line.append(cut);
    line.append(QString(width - cut.size(), QLatin1Char(' ')));
}

// The order of one character: letters folded to capitals, every other character by its
// Windows-1252 code; characters the code page lacks come after all of them.
int orderOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'a' && u <= u'z') ? u - 32 : u;
    if (u >= 0xA0 && u <= 0xFF)
        return u;
    const char byte = Cp1252::encodeChar(c);
    if (byte != '?')
        return static_cast<unsigned char>(byte);
    return 0x100 + u;
}

} // namespace

QString RicercaSchede::percorsoArchivio(const QString& programFolder) {
    return programFolder + QStringLiteral("Archivio_Anagrafico.fvd");
}

QString RicercaSchede::riga(const TSchedaAnagrafica& scheda) {
    using C = TSchedaAnagrafica;
    const QString note = TextRules::trim(scheda.testo(C::Note));
    QString line;
    line.reserve(119 + note.size());
    appendPadded(line, scheda, C::Candidato, 30);
    line.append(QLatin1String("  C.F. "));
    appendPadded(line, scheda, C::CodFisc, 16);
    line.append(QLatin1String("  Cel. "));
    appendPadded(line, scheda, C::Cel, 16);
    line.append(QLatin1String("  Settore: "));
    appendPadded(line, scheda, C::Settore, 24);
    line.append(QLatin1String("  Note: "));
    line.append(note);
    return line;
}

bool RicercaSchede::contiene(QStringView text, QStringView piece) {
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

const std::vector<TSchedaAnagrafica::Campo>& RicercaSchede::Filtri::campi() {
    using C = TSchedaAnagrafica;
    static const std::vector<C::Campo> kCampi = {
        C::Candidato, C::DataNasc, C::Cittadinanza, C::LuogoNasc,     C::CodFisc,
        C::Settore,   C::Lingue,   C::Competenze,   C::Disponibilita, C::Note};
    return kCampi;
}

void RicercaSchede::Filtri::imposta(TSchedaAnagrafica::Campo campo, const QString& typed) {
    std::erase_if(m_attivi, [campo](const Filtro& f) { return f.campo == campo; });
    if (!TextRules::trim(typed).isEmpty())
        m_attivi.push_back({campo, TextRules::lowerAZ(typed)});
}

int RicercaSchede::Filtri::richiesti() const {
    return static_cast<int>(m_attivi.size());
}

bool RicercaSchede::Filtri::accetta(const TSchedaAnagrafica& scheda) const {
    return std::all_of(m_attivi.begin(), m_attivi.end(),
                       [&scheda](const Filtro& f) { return contiene(scheda.testo(f.campo), f.testo); });
}

void RicercaSchede::scandisci(const QString& archivePath, const Visita& visita) {
    TArchivioSchede archivio;
    archivio.ApriOCrea(archivePath, TSchedaAnagrafica::kSize);
    TSchedaAnagrafica scheda;
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(scheda.buffer());
        visita(scheda, archivio.PosizioneCorrente());
    }
    archivio.ChiudiArchivio();
}

QStringList RicercaSchede::cerca(const QString& archivePath, const Filtri& filtri) {
    QStringList lines;
    scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int) {
        if (filtri.accetta(scheda))
            lines.append(riga(scheda));
    });
    ordina(lines);
    return lines;
}

QStringList RicercaSchede::daRicontattare(const QString& archivePath) {
    QStringList lines;
    try {
        scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int) {
            if (TextRules::trim(scheda.testo(TSchedaAnagrafica::Ricontatta)) != TSchedaAnagrafica::flagNo())
                lines.append(riga(scheda));
        });
    } catch (const std::exception&) {
        // The summary shows what could be read.
    }
    ordina(lines);
    return lines;
}

void RicercaSchede::richiama(const QString& archivePath, const QString& line, const Visita& visita) {
    const QString wanted = TextRules::trim(line);
    scandisci(archivePath, [&](const TSchedaAnagrafica& scheda, int position) {
        if (TextRules::trim(riga(scheda)) == wanted)
            visita(scheda, position);
    });
}

bool RicercaSchede::precede(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int x = orderOf(a.at(i));
        const int y = orderOf(b.at(i));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void RicercaSchede::ordina(QStringList& lines) {
    std::stable_sort(lines.begin(), lines.end(), precede);
}

std::optional<int> RicercaSchede::trova(const QStringList& lines, int selected, const QString& typed,
                                        QString& lastFind) {
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
