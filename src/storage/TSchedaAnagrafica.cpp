#include "storage/TSchedaAnagrafica.h"

#include "storage/ShortStringField.h"

#include <algorithm>

namespace {

constexpr std::array<TSchedaAnagrafica::Layout, TSchedaAnagrafica::NumeroCampi> kCardLayout = {{
    {"Candidato", 0, 50},      {"Sesso", 51, 1},          {"DataNasc", 53, 10},
    {"Cittadinanza", 64, 50},  {"LuogoNasc", 115, 50},    {"Indirizzo", 166, 120},
    {"Citta", 287, 50},        {"Cap", 338, 10},          {"Settore", 349, 50},
    {"CodFisc", 400, 16},      {"PartitaIva", 417, 11},   {"Patente", 429, 50},
    {"Studio", 480, 120},      {"Lingue", 601, 250},      {"Email", 852, 50},
    {"Tel", 903, 30},          {"Cel", 934, 30},          {"Documento", 965, 120},
    {"EnteRil", 1086, 120},    {"InizioTes", 1207, 10},   {"FineTes", 1218, 10},
    {"Esperienze", 1229, 250}, {"Competenze", 1480, 250}, {"Disponibilita", 1731, 120},
    {"Note", 1852, 250},       {"Ricontatta", 2103, 2},   {"File01", 2106, 250},
    {"File02", 2357, 250},     {"File03", 2608, 250},     {"Desc01", 2859, 250},
    {"Desc02", 3110, 250},     {"Desc03", 3361, 250},
}};

static_assert(kCardLayout.back().offset + kCardLayout.back().capacity + 1 == TSchedaAnagrafica::kSize);

} // namespace

const std::array<TSchedaAnagrafica::Layout, TSchedaAnagrafica::NumeroCampi>& TSchedaAnagrafica::layout()
{
    return kCardLayout;
}

QString TSchedaAnagrafica::archivio(const QString& programFolder)
{
    return programFolder + QStringLiteral("Archivio_Anagrafico.fvd");
}

QString TSchedaAnagrafica::flagSi()
{
    return QStringLiteral("S\u00EC");
}

QString TSchedaAnagrafica::flagNo()
{
    return QStringLiteral("No");
}

TSchedaAnagrafica::TSchedaAnagrafica()
    : m_buffer(kSize, '\0')
{
}

QString TSchedaAnagrafica::testo(Campo campo) const
{
    const Layout& field = kCardLayout[campo];
    return ShortStringField::read(m_buffer, field.offset, field.capacity);
}

QByteArrayView TSchedaAnagrafica::trimmedBytes(QByteArrayView record, Campo campo)
{
    const Layout& field = kCardLayout[campo];
    const char* begin = record.data() + field.offset;
    const char* end = begin + 1 + std::min<int>(static_cast<unsigned char>(*begin), field.capacity);
    ++begin;
    while (begin < end && static_cast<unsigned char>(*begin) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(end[-1]) <= 32)
        --end;
    return QByteArrayView(begin, end - begin);
}

bool TSchedaAnagrafica::vuota(QByteArrayView record)
{
    for (int campo = 0; campo < NumeroCampi; ++campo) {
        if (!trimmedBytes(record, static_cast<Campo>(campo)).isEmpty())
            return false;
    }
    return true;
}

void TSchedaAnagrafica::setTesto(Campo campo, const QString& text)
{
    const Layout& field = kCardLayout[campo];
    ShortStringField::write(m_buffer, field.offset, field.capacity, text);
}

void TSchedaAnagrafica::setRicontatta(bool ticked)
{
    setTesto(Ricontatta, ticked ? flagSi() : flagNo());
}
