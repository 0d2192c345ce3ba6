#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QFile>
#include <QString>

#include <functional>

// A registry archive of `count` varied cards, written in large blocks. One card in a hundred has
// the citizenship "Francese", the others "Italiana", so that a filter can keep 1 % of them.
// `card`, when given, changes each card before it is written (its 1-based position).
inline bool writeCards(const QString& path, int count,
                       const std::function<void(TSchedaAnagrafica&, int)>& card = {})
{
    static const char* const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Esposito", "Romano", "Colombo",
                                           "Ricci", "Marino",  "Greco", "Bruno",    "Gallo",  "Conti"};
    static const char* const kSettori[] = {"Informatica",   "Commercio",       "Servizi generali",
                                           "Sanit\xC3\xA0", "Amministrazione", "Logistica"};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    QByteArray block;
    for (int i = 1; i <= count; ++i) {
        TSchedaAnagrafica scheda;
        const QString cognome = QString::fromUtf8(kCognomi[next() % 12]);
        scheda.setTesto(TSchedaAnagrafica::Candidato,
                        QStringLiteral("%1 Persona %2").arg(cognome).arg(next() % 99991));
        scheda.setTesto(TSchedaAnagrafica::DataNasc, QStringLiteral("%1/%2/%3")
                                                         .arg(next() % 28 + 1, 2, 10, QLatin1Char('0'))
                                                         .arg(next() % 12 + 1, 2, 10, QLatin1Char('0'))
                                                         .arg(1950 + next() % 55));
        scheda.setTesto(TSchedaAnagrafica::Cittadinanza,
                        i % 100 == 0 ? QStringLiteral("Francese") : QStringLiteral("Italiana"));
        scheda.setTesto(TSchedaAnagrafica::CodFisc,
                        QStringLiteral("RSSMRA80C12H%1U").arg(next() % 1000, 3, 10, QLatin1Char('0')));
        scheda.setTesto(TSchedaAnagrafica::Cel, QStringLiteral("333 %1").arg(next() % 10000000));
        scheda.setTesto(TSchedaAnagrafica::Settore, QString::fromUtf8(kSettori[next() % 6]));
        scheda.setTesto(TSchedaAnagrafica::Note, QString(int(next() % 120), QLatin1Char('n')));
        scheda.setRicontatta(next() % 2 == 0);
        if (card)
            card(scheda, i);
        block += scheda.buffer();
        if (block.size() > (8 << 20) || i == count) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return file.flush();
}

// Reads the whole file in 1 MB pieces; returns the bytes read.
inline qint64 readRaw(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 n; (n = file.read(buffer.data(), buffer.size())) > 0;)
        total += n;
    return total;
}
