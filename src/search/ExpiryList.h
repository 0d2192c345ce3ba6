#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class GroupMembers;

// The deadlines of the registry: documents expired, or expiring within some days of a reference
// date (the day of a trip, say), and birthdays in the days that follow it. Dates are read from
// the free-text fields "Data scadenza" and "Data nascita"; a date that cannot be read is listed
// apart, as typed, and never guessed.
class ExpiryList {
public:
    struct Options {
        QDate today;           // judges two-digit years and birth dates in the future
        QDate reference;       // the day the deadlines are counted from
        int documentDays = 60; // documents expiring up to this many days after the reference
        int birthdayDays = 30; // birthdays up to this many days after it; below 0: none
    };

    struct Document {
        QDate expiry;
        int daysLeft = 0; // from the reference date; below 0: expired by then
        QString name;
        QString document; // kind and number, as on the card
        int position = 0; // 1-based, in the registry
    };
    struct Birthday {
        QDate date; // the birthday in the window; 29 February is 28 February in other years
        int daysLeft = 0;
        int age = 0; // the age the person turns
        QString name;
        int position = 0;
    };
    struct Unreadable {
        TSchedaAnagrafica::Campo field = TSchedaAnagrafica::FineTes;
        QString typed; // trimmed, as typed
        QString name;
        int position = 0;
    };

    // The text lines of the list with the card behind each (0 for headings and blank lines).
    struct Lines {
        QStringList text;
        std::vector<int> positions;
    };

    // Told every few hundred cards; false stops the scan.
    using Progress = std::function<bool(int done, int total)>;

    // group: only the cards whose name is in it; nullptr for the whole registry.
    explicit ExpiryList(const Options& options, const GroupMembers* group = nullptr);

    // Reads every card of the registry archive and sorts the list. False when progress stopped
    // it (the list is then incomplete). Throws ArchiveError.
    bool scan(const QString& archivePath, const Progress& progress = {});

    // One card, at its 1-based position; finish() sorts what was added.
    void add(const TSchedaAnagrafica& scheda, int position);
    void finish();

    const Options& options() const { return m_options; }
    const std::vector<Document>& documents() const { return m_documents; }
    const std::vector<Birthday>& birthdays() const { return m_birthdays; }
    const std::vector<Unreadable>& unreadable() const { return m_unreadable; }
    // Documents that expire between the reference date and the last day, both included.
    int expiringCount() const;

    // Three sections, each under its heading: documents by date, birthdays by date, dates to check.
    Lines lines() const;

    // The next birthday on or after `from`, with the age then turned; nothing when it is more
    // than `days` days away or the person is not born yet.
    static bool nextBirthday(const QDate& birth, const QDate& from, int days, QDate& date, int& age);
    // How many documents of the registry expire from today to `days` days later, both included.
    // Throws ArchiveError.
    static int expiringSoon(const QString& archivePath, const QDate& today, int days);
    // The card at a 1-based position of the registry archive. Throws ArchiveError.
    static TSchedaAnagrafica card(const QString& archivePath, int position);
    // "dd/MM/yyyy".
    static QString shortDate(const QDate& date);

private:
    Options m_options;
    const GroupMembers* m_group;
    QDate m_lastDocumentDay;
    std::vector<Document> m_documents;
    std::vector<Birthday> m_birthdays;
    std::vector<Unreadable> m_unreadable;
};
