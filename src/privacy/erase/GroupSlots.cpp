#include "privacy/erase/GroupSlots.h"

#include "groups/GroupFiles.h"
#include "privacy/erase/StaleCopies.h"
#include "search/GroupMembers.h"
#include "storage/FotoGruppo.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaGruppo.h"

#include <QFile>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool holds(const TSchedaGruppo& page, int slot, const QString& key)
{
    return GroupMembers::key(page.testo(slot, TSchedaGruppo::Nome)) == key;
}

GroupSlots::Slot slotOf(const QString& programFolder, const QString& group, int page, int slot)
{
    return {group, page, slot, FotoGruppo::fotoRiquadro(programFolder, group, slot, QString::number(page))};
}

void removeFile(const QString& path, GroupSlots::Emptied& result)
{
    if (QFile::remove(path))
        ++result.filesRemoved;
    else if (QFile::exists(path))
        result.notRemoved.append(path);
}

} // namespace

QStringList GroupSlots::groups(const QString& programFolder)
{
    QStringList names = GroupFiles::list(programFolder);
    for (QString& name : names)
        name.chop(4); // ".fvg"
    return names;
}

QList<GroupSlots::Slot> GroupSlots::find(const QString& programFolder, const QString& name)
{
    QList<Slot> found;
    const QString key = GroupMembers::key(name);
    if (key.isEmpty())
        return found;
    for (const QString& group : groups(programFolder)) {
        TArchivioSchede archivio;
        archivio.ApriOCrea(GroupFiles::path(programFolder, group), TSchedaGruppo::kSize);
        TSchedaGruppo page;
        while (!archivio.FineArchivio()) {
            archivio.LeggiScheda(page.buffer());
            for (int slot = 0; slot < TSchedaGruppo::kRiquadri; ++slot) {
                if (holds(page, slot, key))
                    found.append(slotOf(programFolder, group, archivio.PosizioneCorrente(), slot));
            }
        }
        archivio.ChiudiArchivio();
    }
    return found;
}

GroupSlots::Emptied GroupSlots::empty(const QString& programFolder, const QString& group, const QString& name)
{
    Emptied result;
    const QString key = GroupMembers::key(name);
    if (key.isEmpty())
        return result;
    TArchivioSchede archivio;
    archivio.ApriOCrea(GroupFiles::path(programFolder, group), TSchedaGruppo::kSize);
    std::vector<std::pair<int, QByteArray>> changed; // position and new bytes of each page changed
    TSchedaGruppo page;
    while (!archivio.FineArchivio()) {
        archivio.LeggiScheda(page.buffer());
        const int position = archivio.PosizioneCorrente();
        bool found = false;
        for (int slot = 0; slot < TSchedaGruppo::kRiquadri; ++slot) {
            if (!holds(page, slot, key))
                continue;
            const int start = TSchedaGruppo::offset(slot, TSchedaGruppo::Codice);
            std::fill_n(page.buffer().data() + start, TSchedaGruppo::kRiquadroSize, '\0');
            found = true;
            result.groupSlots.append(slotOf(programFolder, group, position, slot));
        }
        if (found)
            changed.emplace_back(position, QByteArray(page.buffer().constData(), TSchedaGruppo::kSize));
    }
    // The files go first, while the names still point to them: a stop here finds the groupSlots again.
    for (const Slot& slot : std::as_const(result.groupSlots)) {
        for (const QString& file : StaleCopies::withCopies(slot.photoPath))
            removeFile(file, result);
    }
    // The preview pictures are working copies of the last page printed: any of them may show the person.
    if (!result.groupSlots.isEmpty()) {
        for (int slot = 0; slot < TSchedaGruppo::kRiquadri; ++slot) {
            for (const QString& file :
                 StaleCopies::withCopies(FotoGruppo::anteprima(programFolder, group, slot)))
                removeFile(file, result);
        }
    }
    for (const auto& [position, bytes] : changed) {
        archivio.Posiziona(position - 1);
        archivio.ScriviScheda(bytes);
    }
    archivio.ChiudiArchivio();
    return result;
}
