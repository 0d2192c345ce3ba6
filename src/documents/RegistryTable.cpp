#include "documents/RegistryTable.h"

#include "storage/Cp1252.h"
#include "storage/TArchivioSchede.h"

#include <algorithm>
#include <exception>

namespace {

using C = TSchedaAnagrafica;

constexpr std::array<C::Campo, RegistryTable::kColumns> kFields = {
    C::Candidato,  C::DataNasc,      C::Cittadinanza, C::LuogoNasc, C::Indirizzo, C::Citta,   C::Cap,
    C::Settore,    C::CodFisc,       C::PartitaIva,   C::Patente,   C::Studio,    C::Lingue,  C::Email,
    C::Tel,        C::Cel,           C::Documento,    C::EnteRil,   C::InizioTes, C::FineTes, C::Esperienze,
    C::Competenze, C::Disponibilita, C::Note,         C::Ricontatta};

constexpr int kCardsPerProgress = 512;

} // namespace

const std::array<TSchedaAnagrafica::Campo, RegistryTable::kColumns>& RegistryTable::fields()
{
    return kFields;
}

RegistryTable::RegistryTable()
    : m_rows(kEmptyRows)
    , m_ends(std::size_t(kEmptyRows) * kCells, 0)
{
}

bool RegistryTable::read(const QString& archivePath, const Progress& progress)
{
    Bulk<char> bytes;
    Bulk<quint32> ends;
    std::vector<int> positions;
    int cards = 0;
    bool whole = true;
    try {
        TArchivioSchede archivio;
        archivio.ApriOCrea(archivePath, TSchedaAnagrafica::kSize);
        const int total = archivio.NumeroSchede();
        ends.reserve(std::size_t(total) * kCells);
        // A first guess of the text's size; the buffer grows if the cards hold more.
        bytes.reserve(std::size_t(total) * 128);
        while (!archivio.FineArchivio()) {
            const QByteArrayView record = archivio.LeggiSchedaVista();
            const int position = archivio.PosizioneCorrente();
            if (progress && position % kCardsPerProgress == 0)
                progress(position, total);
            if (C::vuota(record))
                continue; // an erased card: no row
            positions.push_back(position);
            const auto keep = [&](C::Campo campo) {
                const QByteArrayView field = C::trimmedBytes(record, campo);
                bytes.insert(bytes.end(), field.begin(), field.end());
                ends.push_back(quint32(bytes.size()));
            };
            for (const C::Campo campo : kFields)
                keep(campo);
            keep(C::Sesso);
            ++cards;
        }
        archivio.ChiudiArchivio();
    } catch (const std::exception&) {
        whole = false;
    }
    if (cards == 0)
        return whole; // the ten empty rows stay
    m_bytes = std::move(bytes);
    m_ends = std::move(ends);
    m_positions = std::move(positions);
    m_rows = m_cards = cards;
    m_edits.clear();
    return whole;
}

QByteArrayView RegistryTable::storedBytes(int row, int column) const
{
    return bytesAt(cellIndex(row, column));
}

QByteArrayView RegistryTable::bytesAt(qsizetype index) const
{
    const quint32 begin = index == 0 ? 0 : m_ends[std::size_t(index) - 1];
    return QByteArrayView(m_bytes.data() + begin, m_ends[std::size_t(index)] - begin);
}

bool RegistryTable::isChanged(int row, int column) const
{
    return m_edits.contains(cellIndex(row, column));
}

QString RegistryTable::changedText(int row, int column) const
{
    return m_edits.value(cellIndex(row, column));
}

QString RegistryTable::text(int row, int column) const
{
    const auto edit = m_edits.constFind(cellIndex(row, column));
    if (edit != m_edits.constEnd())
        return *edit;
    return Cp1252::decode(storedBytes(row, column));
}

void RegistryTable::setText(int row, int column, const QString& text)
{
    m_edits.insert(cellIndex(row, column), text);
}
