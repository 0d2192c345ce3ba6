#pragma once

#include "storage/TSchedaAnagrafica.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class GroupMembers;

// The deadlines of the registry: documents expired, or expiring within some days of a reference
// date (the day of a trip, say), and birthdays in the days that follow it. Dates are read from
// the free-text fields "Data scadenza" and "Data nascita"; a date that cannot be read is listed
// apart, as typed, and never guessed.
//
// The list is kept compact (the texts it shows in one buffer) and its lines are made when asked
// for, so that a list of many thousand lines costs little more than reading the archive.
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

    // group: only the cards whose name is in it, needed until the list is finished; nullptr for
    // the whole registry.
    explicit ExpiryList(const Options& options, const GroupMembers* group = nullptr);

    // Reads every card of the registry archive and sorts the list. False when progress stopped
    // it (the list is then incomplete). Throws ArchiveError.
    bool scan(const QString& archivePath, const Progress& progress = {});

    // One card, at its 1-based position; finish() sorts what was added: by date, then by name.
    void add(const TSchedaAnagrafica& scheda, int position);
    void finish();

    const Options& options() const { return m_options; }
    std::size_t documentCount() const { return m_documents.size(); }
    std::size_t birthdayCount() const { return m_birthdays.size(); }
    std::size_t unreadableCount() const { return m_unreadable.size(); }
    std::vector<Document> documents() const;
    std::vector<Birthday> birthdays() const;
    std::vector<Unreadable> unreadable() const;
    // Documents that expire between the reference date and the last day, both included.
    int expiringCount() const;

    // Three sections, each under its heading: documents by date, birthdays by date, dates to
    // check. A section without entries says so on a line of its own.
    int lineCount() const;
    QString line(int row) const;
    // The card behind a line, 0 for headings and blank lines.
    int position(int row) const;
    Lines lines() const;

    // How many documents of the registry expire from today to `days` days later, both included.
    // Throws ArchiveError.
    static int expiringSoon(const QString& archivePath, const QDate& today, int days);
    // The card at a 1-based position of the registry archive. Throws ArchiveError.
    static TSchedaAnagrafica card(const QString& archivePath, int position);
    // "dd/MM/yyyy".
    static QString shortDate(const QDate& date);

private:
    // A piece of m_text: trimmed Windows-1252 bytes of a field.
    struct Piece {
        qint32 at = 0;
        qint32 size = 0;
    };
    struct Entry {
        qint64 day = 0; // Julian day of the date listed
        qint32 daysLeft = 0;
        qint32 position = 0;
        qint32 age = 0;
        TSchedaAnagrafica::Campo field = TSchedaAnagrafica::FineTes;
        Piece name;
        Piece other; // the document, or the date as typed
        // The name's first 16 bytes in list order, packed so that they compare as the names
        // do: most ties of date are settled without reaching the names themselves.
        quint64 nameKey[2] = {0, 0};
    };
    enum class Section { Documents, Birthdays, Unreadable };

    // The date of a date field; a field not empty that cannot be read is listed apart.
    std::optional<QDate> readDate(const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo,
                                  int position);
    Piece keep(const TSchedaAnagrafica& scheda, TSchedaAnagrafica::Campo campo);
    void keepName(const TSchedaAnagrafica& scheda, Entry& entry);
    QString text(const Piece& piece) const;
    bool precedes(const Entry& a, const Entry& b) const;
    // Where a row falls: its section and the entry (-2 heading, -1 blank or "none" line).
    void locate(int row, Section& section, int& entry) const;
    const std::vector<Entry>& entries(Section section) const;
    int sectionRows(Section section) const;
    QString heading(Section section) const;
    QString entryLine(Section section, const Entry& entry) const;

    // The next birthday on or after the reference date, as a Julian day, with the age then
    // turned; false when it is further than the birthdays' days or the person is not born yet.
    bool nextBirthday(int birthYear, int birthMonth, int birthDay, qint64& julian, int& age) const;

    Options m_options;
    const GroupMembers* m_group;
    QDate m_lastDocumentDay;
    int m_referenceYear = 0;
    qint64 m_referenceDay = 0;
    QByteArray m_text;
    std::vector<Entry> m_documents;
    std::vector<Entry> m_birthdays;
    std::vector<Entry> m_unreadable;
};
