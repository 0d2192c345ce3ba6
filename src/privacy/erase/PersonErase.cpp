#include "privacy/erase/PersonErase.h"

#include "privacy/erase/GroupSlots.h"
#include "privacy/erase/PersonInventory.h"
#include "storage/ArchiveError.h"
#include "storage/FileErrorText.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QFile>

#include <exception>

namespace {

// Thrown by a step that cannot go on; the erase stays unfinished in the log.
struct StepFailed : std::exception {
    explicit StepFailed(QString why)
        : reason(std::move(why))
    {
    }
    QString reason;
};

// Writes the empty card over the record at the position, under the archive's lock. A position no
// longer in the archive has nothing to overwrite.
void overwrite(const QString& programFolder, int position)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(TSchedaAnagrafica::archivio(programFolder), TSchedaAnagrafica::kSize);
    if (position >= 1 && position <= archivio.NumeroSchede()) {
        archivio.Posiziona(position - 1);
        archivio.ScriviScheda(PersonErase::emptyCard());
    }
    archivio.ChiudiArchivio();
}

} // namespace

PersonErase::PersonErase(QString programFolder, PersonSideDataList side)
    : m_programFolder(std::move(programFolder))
    , m_side(std::move(side))
    , m_log(m_programFolder)
{
}

QByteArray PersonErase::emptyCard()
{
    return QByteArray(TSchedaAnagrafica::kSize, '\0');
}

PersonErase::Result PersonErase::erase(int position, bool emptySlots)
{
    EraseLog::Erase erase;
    erase.id = EraseLog::newId();
    erase.position = position;
    erase.groupSlots = emptySlots;
    QString reason;
    if (!m_log.started(erase, &reason)) {
        Result result;
        result.failure = QStringLiteral("il registro delle cancellazioni non può essere scritto (%1).")
                             .arg(FileErrorText::italian(reason));
        return result;
    }
    if (afterStep)
        afterStep(Step::Started);
    return run(erase);
}

PersonErase::Result PersonErase::finish(const EraseLog::Erase& erase)
{
    return run(erase);
}

void PersonErase::logStep(const EraseLog::Erase& erase, int removed, Result& result)
{
    result.filesRemoved += removed;
    QString reason;
    if (!m_log.step(erase, removed, &reason))
        throw StepFailed(QStringLiteral("il registro delle cancellazioni non può essere scritto (%1).")
                             .arg(FileErrorText::italian(reason)));
}

PersonErase::Result PersonErase::run(EraseLog::Erase erase)
{
    Result result;
    result.started = true;
    result.filesRemoved = erase.filesRemoved;
    const auto report = [this](int done) {
        if (progress)
            progress(done, kSteps);
    };
    const auto stepDone = [this](Step step) {
        if (afterStep)
            afterStep(step);
    };
    try {
        report(1);
        // The record still holds the name and the attachments until the last step: a stop before
        // it finds them again.
        const PersonInventory inventory = PersonInventory::read(m_programFolder, erase.position, {});
        if (erase.groupSlots) {
            int removed = 0;
            for (const QString& group : GroupSlots::groups(m_programFolder)) {
                const GroupSlots::Emptied emptied =
                    GroupSlots::empty(m_programFolder, group, inventory.name());
                result.slotsEmptied += int(emptied.groupSlots.size());
                removed += emptied.filesRemoved;
                result.notRemoved.append(emptied.notRemoved);
            }
            logStep(erase, removed, result);
        }
        stepDone(Step::Slots);

        report(2);
        int removed = 0;
        for (const QString& file : inventory.filesToRemove()) {
            if (QFile::remove(file))
                ++removed;
            else if (QFile::exists(file))
                result.notRemoved.append(file);
        }
        logStep(erase, removed, result);
        stepDone(Step::Files);

        report(3);
        removed = 0;
        for (const auto& source : m_side)
            removed += source->erase(m_programFolder, erase.position);
        logStep(erase, removed, result);
        stepDone(Step::SideData);

        if (!result.notRemoved.isEmpty())
            throw StepFailed(QStringLiteral("alcuni file non possono essere rimossi."));

        report(4);
        overwrite(m_programFolder, erase.position);
        stepDone(Step::Record);

        report(5);
        QString reason;
        if (!m_log.finished(erase, result.filesRemoved, &reason))
            throw StepFailed(QStringLiteral("il registro delle cancellazioni non può essere scritto (%1).")
                                 .arg(FileErrorText::italian(reason)));
        result.done = true;
    } catch (const StepFailed& failed) {
        result.failure = failed.reason;
    } catch (const ArchiveError& error) {
        result.failure = error.messaggio();
    } catch (const std::exception& error) {
        result.failure = QString::fromLocal8Bit(error.what());
    }
    return result;
}
