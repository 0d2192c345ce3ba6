// The person record decoder on any 3612 bytes, as a damaged archive holds them.
#include "storage/TSchedaAnagrafica.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TSchedaAnagrafica scheda;
    QByteArray& buffer = scheda.buffer();
    const size_t used = size < size_t(TSchedaAnagrafica::kSize) ? size : size_t(TSchedaAnagrafica::kSize);
    for (size_t i = 0; i < used; ++i)
        buffer[qsizetype(i)] = char(data[i]);
    qsizetype total = 0;
    for (int campo = 0; campo < int(TSchedaAnagrafica::File01) + 6; ++campo) {
        const QString text = scheda.testo(static_cast<TSchedaAnagrafica::Campo>(campo));
        total += text.size();
        // Writing back what was read stays within the record.
        scheda.setTesto(static_cast<TSchedaAnagrafica::Campo>(campo), text);
    }
    if (buffer.size() != TSchedaAnagrafica::kSize || total < 0)
        __builtin_trap();
    return 0;
}
