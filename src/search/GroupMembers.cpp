#include "search/GroupMembers.h"

#include "storage/TArchivioSchede.h"
#include "storage/TSchedaGruppo.h"

GroupMembers GroupMembers::read(const QString& groupPath)
{
    GroupMembers members;
    TArchivioSchede archivio;
    archivio.ApriOCrea(groupPath, TSchedaGruppo::kSize);
    TSchedaGruppo pagina;
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(pagina.buffer());
        for (int riquadro = 0; riquadro < TSchedaGruppo::kRiquadri; ++riquadro)
            members.add(pagina.testo(riquadro, TSchedaGruppo::Nome));
    }
    archivio.ChiudiArchivio();
    return members;
}

QString GroupMembers::key(QStringView name)
{
    QString result;
    result.reserve(name.size());
    bool blank = false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u <= 32) {
            blank = !result.isEmpty();
            continue;
        }
        if (blank)
            result.append(QLatin1Char(' '));
        blank = false;
        result.append((u >= u'A' && u <= u'Z') ? QChar(u + 32) : c);
    }
    return result;
}

void GroupMembers::add(QStringView name)
{
    QString k = key(name);
    if (!k.isEmpty())
        m_names.insert(std::move(k));
}

bool GroupMembers::contains(QStringView name) const
{
    return m_names.contains(key(name));
}

bool GroupMembers::contains(const TSchedaAnagrafica& scheda) const
{
    return contains(scheda.testo(TSchedaAnagrafica::Candidato));
}
