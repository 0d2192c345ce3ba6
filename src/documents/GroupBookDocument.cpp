#include "documents/GroupBookDocument.h"

#include "groups/GroupFiles.h"
#include "storage/FotoGruppo.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaGruppo.h"
#include "storage/TextRules.h"

#include <QFileInfo>

GroupBookDocument::GroupBookDocument(const QString& programFolder, GroupPageData shown)
    : m_folder(programFolder)
    , m_shown(std::move(shown))
{
    // The group's own file, blanks and all: " Gita" is not "Gita".
    const QString path = GroupFiles::path(m_folder, m_shown.groupName);
    if (QFileInfo::exists(path)) {
        TArchivioSchede archivio;
        archivio.ApriOCrea(path, TSchedaGruppo::kSize);
        const int count = archivio.NumeroSchede();
        m_records.reserve(count);
        for (int i = 0; i < count; ++i) {
            QByteArray record;
            archivio.Posiziona(i);
            archivio.LeggiScheda(record);
            m_records.push_back(record);
        }
        archivio.ChiudiArchivio();
    }
    bool numbered = false;
    const int position = TextRules::trim(m_shown.pageNumber).toInt(&numbered);
    if (numbered && position >= 1 && position <= int(m_records.size()))
        m_shownIndex = position - 1;
}

QPageLayout GroupBookDocument::pageLayout() const
{
    return Report::a4(QPageLayout::Portrait);
}

int GroupBookDocument::pageCount() const
{
    return m_records.empty() ? 1 : int(m_records.size());
}

GroupPageData GroupBookDocument::page(int index) const
{
    if (m_records.empty() || index == m_shownIndex)
        return m_shown;
    TSchedaGruppo scheda;
    scheda.buffer() = m_records.at(index);
    GroupPageData data;
    data.groupName = m_shown.groupName;
    data.pageNumber = QString::number(index + 1);
    FotoRiquadri foto;
    CaricaFotoRiquadri(m_folder, m_shown.groupName, data.pageNumber, foto);
    for (int slot = 0; slot < GroupPageDocument::kSlots; ++slot) {
        GroupPageData::Slot& s = data.persone.at(slot);
        s.nome = scheda.testo(slot, TSchedaGruppo::Nome);
        s.um = scheda.testo(slot, TSchedaGruppo::UM);
        s.caratteristiche = scheda.testo(slot, TSchedaGruppo::Caratteristiche);
        s.codice = scheda.testo(slot, TSchedaGruppo::Codice);
        s.prezzo = scheda.testo(slot, TSchedaGruppo::Prezzo);
        s.foto = foto.foto.at(slot);
    }
    return data;
}

void GroupBookDocument::drawPage(Report::Canvas& canvas, int index) const
{
    GroupPageDocument document;
    GroupPageData data = page(index);
    withholdPhotos(data, m_withheld);
    document.fill(data);
    document.prepare();
    document.page().drawPage(canvas, 0);
}
