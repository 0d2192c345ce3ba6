#pragma once

#include "privacy/erase/EraseLog.h"
#include "privacy/erase/PersonSideData.h"

#include <QString>
#include <QStringList>

#include <functional>

// Erases a registry card: the group groupSlots holding the person's name (when asked), the photo, the
// attached files no other card names, the side data, the registry export files, and last the
// record, overwritten with an empty card at the same position. Every other record stays byte for
// byte. Each step is logged in the erase log and can be done again: an erase stopped midway is
// finished by running it again from the log (finish).
class PersonErase {
public:
    enum class Step { Started, Slots, Files, SideData, Record };
    static constexpr int kSteps = 5;

    PersonErase(QString programFolder, PersonSideDataList side);

    struct Result {
        bool started = false;   // the start is in the log: a stop leaves it to be finished
        bool done = false;      // every step done and the end logged
        int filesRemoved = 0;   // by the whole erase, earlier runs included
        int slotsEmptied = 0;   // by this run
        QStringList notRemoved; // files that could not be removed: the erase stays unfinished
        QString failure;        // why it stopped, in Italian
    };

    // Called after each step; the tests stop there as a kill would (by throwing).
    std::function<void(Step)> afterStep;
    // Called before each step with the steps done and kSteps.
    std::function<void(int done, int total)> progress;

    Result erase(int position, bool emptySlots);
    // Goes on with an erase the log shows unfinished.
    Result finish(const EraseLog::Erase& erase);

    // The empty card that takes the erased card's place.
    static QByteArray emptyCard();

private:
    Result run(EraseLog::Erase erase);
    void logStep(const EraseLog::Erase& erase, int removed, Result& result);

    QString m_programFolder;
    PersonSideDataList m_side;
    EraseLog m_log;
};
