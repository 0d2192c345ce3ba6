#pragma once

#include "privacy/Consent.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

// The side file of the consents, read tolerantly: UTF-8 text, a version line, then one line per
// card whose first column is always the card's position. A line that cannot be read, or one a
// newer version wrote, is kept byte for byte whenever the file is written again, so that no
// other card's entry is ever lost. The file's line ends (LF or CR LF) and its byte order mark stay.
class ConsentBook {
public:
    static constexpr int kVersion = 1;
    enum class Problem { None, Damaged, Newer, Unreadable };
    // The longest texts an entry gives when read bounded, in characters: the rest stays in the
    // file until the card's line is written again.
    static constexpr qsizetype kMaxGuardians = 500;
    static constexpr qsizetype kMaxNote = 4000;
    enum class Fields { Bounded, Whole };

    // Reads the file's bytes; empty bytes are an empty book. Bounded: the texts are cut at the
    // lengths above, so that a huge field cannot stall whoever shows it.
    static ConsentBook parse(const QByteArray& bytes, Fields fields = Fields::Bounded);
    // A book of a file that could not be read at all.
    static ConsentBook unreadable(const QString& reason);

    // The entry of a card, or nothing when the file holds none.
    std::optional<Consent> find(int position) const;
    bool hasProcessingConsent(int position) const;
    // True when a text of the card's entry was longer than its bound and was cut.
    bool isCut(int position) const { return m_cut.count(position) > 0; }
    const std::map<int, Consent>& entries() const { return m_entries; }

    Problem problem() const { return m_problem; }
    int version() const { return m_version; }
    // Lines that could not be read whole (kept as they are).
    int damagedLines() const { return m_damaged; }
    // The warning for the user, empty when the file was read whole.
    QString problemText(const QString& fileName) const;

    // The file's new bytes with the card's entry replaced by consent, or removed when consent is
    // empty; every other line stays as it was.
    QByteArray with(int position, const std::optional<Consent>& consent) const;

    // One entry as its line in the file, without the line break.
    static QByteArray line(const Consent& consent);
    // Cuts the consent's texts at their bounds; true when one was longer.
    static bool bound(Consent& consent);

private:
    struct Line {
        QByteArray raw;   // without its line end
        QByteArray end;   // "\n", "\r\n", or empty for a last line cut short
        int position = 0; // 0: not an entry (comment, blank, unreadable)
    };

    std::vector<Line> m_lines; // the lines after the version line
    std::map<int, Consent> m_entries;
    std::set<int> m_cut;
    QByteArray m_versionLine;                       // as read; empty when the file had none
    QByteArray m_mark;                              // the byte order mark the file starts with, if any
    QByteArray m_lineEnd = QByteArrayLiteral("\n"); // of the first line: new lines take it
    Problem m_problem = Problem::None;
    int m_version = kVersion;
    int m_damaged = 0;
    QString m_reason;
};

// One card's consents as a CSV file (UTF-8 with its mark, ";" between columns, a line of
// headers, then one line), for the person's own copy of their data. No entry: the headers and
// a line that says no consent is recorded.
QByteArray consentCsv(int position, const std::optional<Consent>& consent);
