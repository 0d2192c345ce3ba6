#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// Result lines gathered one at a time and handed back in list order (RicercaSchede::precede),
// equal lines in the order they came. Each line gets its sort key while it is fresh in memory.
class RaccoltaRighe {
public:
    void aggiungi(QString line);
    qsizetype size() const { return m_righe.size(); }
    // The lines in list order; the collection is left empty.
    QStringList ordinate();

private:
    static constexpr int kParole = 4;

    // The first 32 characters as order bytes packed into four numbers that compare as the
    // prefixes do, padded with 0 after a short line. A line with a character whose order does
    // not fit in a byte is compared whole.
    struct Voce {
        std::array<quint64, kParole> prefisso{};
        qint32 indice = 0;
        bool intera = false;
    };

    bool precedeVoce(const Voce& a, const Voce& b) const;

    QStringList m_righe;
    std::vector<Voce> m_voci;
    bool m_intere = false; // some line has a character beyond the byte orders
};
