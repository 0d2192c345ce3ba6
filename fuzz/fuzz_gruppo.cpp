// The group page decoder on any 5000 bytes, as a damaged group file holds them.
#include "storage/TSchedaGruppo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TSchedaGruppo pagina;
    QByteArray& buffer = pagina.buffer();
    const size_t used = size < size_t(TSchedaGruppo::kSize) ? size : size_t(TSchedaGruppo::kSize);
    for (size_t i = 0; i < used; ++i)
        buffer[qsizetype(i)] = char(data[i]);
    for (int riquadro = 0; riquadro < TSchedaGruppo::kRiquadri; ++riquadro) {
        for (int campo = 0; campo < TSchedaGruppo::NumeroCampi; ++campo) {
            const auto c = static_cast<TSchedaGruppo::Campo>(campo);
            // Writing back what was read stays within its field.
            pagina.setTesto(riquadro, c, pagina.testo(riquadro, c));
        }
    }
    if (buffer.size() != TSchedaGruppo::kSize)
        __builtin_trap();
    return 0;
}
