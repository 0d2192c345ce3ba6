#pragma once

#include <QString>

#include <stdexcept>

// The access message shown after an archive failure; the breaks are line feed, carriage return pairs.
inline QString accessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

// A failure of the file system while working on an archive. It abandons the user action.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const QString& what)
        : std::runtime_error(what.toStdString())
    {
    }
    // A failure with its own words for the user (a busy archive, a folder that cannot lock).
    ArchiveError(const QString& what, const QString& userMessage)
        : std::runtime_error(what.toStdString())
        , m_userMessage(userMessage)
    {
    }

    // What the screen tells the user: the access message unless the failure has its own.
    QString messaggio() const { return m_userMessage.isEmpty() ? accessMessage() : m_userMessage; }

private:
    QString m_userMessage;
};
