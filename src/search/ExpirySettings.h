#pragma once

#include <QString>

// The settings of the deadlines list, kept in the small text file "Scadenze.ini" of the
// program folder:
//     [Scadenze]
//     AvvisoDopoAccesso=1
// A missing or unreadable file means the defaults (no notice after login). Lines the program
// does not know are kept when the file is written again.
class ExpirySettings {
public:
    static constexpr int kNoticeDays = 7;

    explicit ExpirySettings(const QString& programFolder);

    static QString fileName() { return QStringLiteral("Scadenze.ini"); }
    QString path() const { return m_path; }

    // Whether the notice of documents expiring within kNoticeDays days follows the login.
    bool noticeAfterLogin() const;
    // Writes the whole file anew (QSaveFile); false when it cannot be written, and then the
    // file on disk is as it was.
    bool setNoticeAfterLogin(bool on);

private:
    QString m_path;
};
