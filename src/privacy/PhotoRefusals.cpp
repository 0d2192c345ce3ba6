#include "privacy/PhotoRefusals.h"

#include "privacy/ConsentStore.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TextRules.h"

#include <QFileInfo>

QString PhotoRefusals::nameKey(const QString& name)
{
    return TextRules::lowerAZ(TextRules::trim(name).simplified());
}

bool PhotoRefusals::byName(const QString& name) const
{
    const QString key = nameKey(name);
    return !key.isEmpty() && m_names.contains(key);
}

PhotoRefusals PhotoRefusals::from(const ConsentBook& book, const QHash<int, QString>& names)
{
    PhotoRefusals refusals;
    for (const auto& [position, consent] : book.entries()) {
        if (consent.photos != Consent::Photos::No)
            continue;
        refusals.m_positions.insert(position);
        const QString key = nameKey(names.value(position));
        if (!key.isEmpty())
            refusals.m_names.insert(key);
    }
    return refusals;
}

PhotoRefusals PhotoRefusals::load(const QString& programFolder)
{
    const ConsentBook book = ConsentStore::read(programFolder);
    QHash<int, QString> names;
    const QString archive = TSchedaAnagrafica::archivio(programFolder);
    for (const auto& [position, consent] : book.entries()) {
        if (consent.photos != Consent::Photos::No || !QFileInfo::exists(archive))
            continue;
        names.insert(position, QString());
    }
    if (!names.isEmpty()) {
        TArchivioSchede archivio;
        archivio.ApriOCrea(archive, TSchedaAnagrafica::kSize);
        TSchedaAnagrafica scheda;
        for (auto it = names.begin(); it != names.end(); ++it) {
            if (it.key() > archivio.NumeroSchede())
                continue;
            archivio.Posiziona(it.key() - 1);
            archivio.LeggiScheda(scheda.buffer());
            it.value() = scheda.testo(TSchedaAnagrafica::Candidato);
        }
        archivio.ChiudiArchivio();
    }
    return from(book, names);
}
