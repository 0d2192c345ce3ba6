#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The erase log Cancellazioni.log in the program folder: one line when an erase starts, one after
// each step and one when it ends, with the date, the card's position and counts, never a name.
// An erase started and never ended was stopped midway (a kill, a power cut) and is finished at
// the next start.
//
//   2026-12-11 01:02:03 | cancellazione 1a2b3c4d | scheda 5 | iniziata | riquadri dei gruppi: sì
//   2026-12-11 01:02:03 | cancellazione 1a2b3c4d | scheda 5 | passo | file rimossi: 3
//   2026-12-11 01:02:04 | cancellazione 1a2b3c4d | scheda 5 | terminata | file rimossi: 4
class EraseLog {
public:
    static QString path(const QString& programFolder);

    struct Erase {
        QString id;
        int position = 0;
        bool groupSlots = false; // the group groupSlots are emptied too
        QDateTime started;
        int filesRemoved = 0; // by the steps logged so far, or the total once finished
        bool finished = false;
    };

    explicit EraseLog(QString programFolder);

    // Each line is written to the whole file through a temporary file; false when it could not be
    // written (reason in Italian): an erase does not start without its first line.
    bool started(const Erase& erase, QString* reason = nullptr);
    bool step(const Erase& erase, int filesRemoved, QString* reason = nullptr);
    // filesRemoved: the total of the whole erase.
    bool finished(const Erase& erase, int filesRemoved, QString* reason = nullptr);

    // Every erase in the log, oldest first; lines that cannot be read are skipped.
    QList<Erase> read() const;
    // The erases started and never ended.
    QList<Erase> unfinished() const;

    static QString newId();

private:
    bool append(const Erase& erase, const QString& what, QString* reason);

    QString m_path;
};
