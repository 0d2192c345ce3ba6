#pragma once

#include <QString>

#include <stdexcept>

// A failure of the file system while working on an archive. It abandons the user action.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const QString& what)
        : std::runtime_error(what.toStdString())
    {
    }
};

// The access message shown after an archive failure; the breaks are line feed, carriage return pairs.
inline QString accessMessage()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}
