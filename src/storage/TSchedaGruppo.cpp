#include "storage/TSchedaGruppo.h"

#include "storage/ShortStringField.h"

namespace {

constexpr std::array<TSchedaGruppo::Layout, TSchedaGruppo::NumeroCampi> kSlotLayout = {{
    {"Codice", 0, 40},
    {"Nome", 41, 50},
    {"UM", 92, 250},
    {"Caratteristiche", 343, 250},
    {"Prezzo", 594, 30},
}};

static_assert(kSlotLayout.back().offset + kSlotLayout.back().capacity + 1 == TSchedaGruppo::kRiquadroSize);
static_assert(TSchedaGruppo::kRiquadri * TSchedaGruppo::kRiquadroSize == TSchedaGruppo::kSize);

} // namespace

const std::array<TSchedaGruppo::Layout, TSchedaGruppo::NumeroCampi>& TSchedaGruppo::layout()
{
    return kSlotLayout;
}

int TSchedaGruppo::offset(int riquadro, Campo campo)
{
    Q_ASSERT(riquadro >= 0 && riquadro < kRiquadri);
    return riquadro * kRiquadroSize + kSlotLayout[campo].offset;
}

QString TSchedaGruppo::nomeCampo(Campo campo, int riquadro)
{
    return QStringLiteral("txt") + QLatin1String(kSlotLayout[campo].name) + QLatin1Char('_') +
           lettera(riquadro);
}

TSchedaGruppo::TSchedaGruppo()
    : m_buffer(kSize, '\0')
{
}

QString TSchedaGruppo::testo(int riquadro, Campo campo) const
{
    return ShortStringField::read(m_buffer, offset(riquadro, campo), kSlotLayout[campo].capacity);
}

void TSchedaGruppo::setTesto(int riquadro, Campo campo, const QString& text)
{
    ShortStringField::write(m_buffer, offset(riquadro, campo), kSlotLayout[campo].capacity, text);
}
