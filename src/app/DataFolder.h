#pragma once

#include <QString>

class QSettings;

// Where the program keeps its archives, photos, attachments, settings and logs. A program folder
// with an archive in it (a copied, portable folder, or one on a shared drive) or one the user can
// write keeps them beside the executable; an installed program asks once for a data folder and
// remembers it in the user's settings. FOLVARA_HOME overrides everything.
class DataFolder {
public:
    // The questions of the start-up; the program's own goes through the message boxes and the
    // folder dialog, the tests answer them.
    class Asker {
    public:
        virtual ~Asker() = default;
        // Where to keep the data, proposing a folder; reason tells why the remembered folder
        // cannot be used (empty at the first start). Empty answer: the user gave up.
        virtual QString where(const QString& proposed, const QString& reason) = 0;
        // A folder that cannot be used, named with the reason.
        virtual void refuse(const QString& message) = 0;
    };

    enum class Source { Environment, ProgramFolder, Remembered, Chosen };

    struct Start {
        QString programFolder;   // the executable's folder
        QString environment;     // FOLVARA_HOME, empty when unset
        QString documentsFolder; // the desktop's documents folder
        bool installed = false;  // the executable sits in the installation's own folder
    };

    struct Choice {
        QString folder; // ends with '/'; empty: no folder can be used, the program ends
        Source source = Source::ProgramFolder;
        QString error; // why there is no folder (already shown when the user was asked)
    };

    static Choice decide(const Start& start, QSettings& settings, Asker& asker);

    // Empty when the folder exists or can be created and a file can be written in it; otherwise
    // the reason in Italian. Leaves nothing behind but a created folder.
    static QString unusableReason(const QString& folder);
    // The message naming a folder that cannot be used.
    static QString refusal(const QString& folder, const QString& reason);
    // True when the folder holds the registry archive or the password file.
    static bool holdsArchive(const QString& folder);
    // The folder proposed at the first start: "Folvara" in the documents folder.
    static QString proposed(const QString& documentsFolder);

    // The folder remembered in the user's settings, empty when none.
    static QString remembered(const QSettings& settings);
    static void remember(QSettings& settings, const QString& folder);

    // Asks until a usable folder is given; empty when the user gives up. The folder is created
    // when missing, and remembered.
    static QString ask(const QString& proposedFolder, const QString& reason, QSettings& settings,
                       Asker& asker);

    // Puts the password file with the first-access password into a data folder that holds no
    // archive and no password file yet. Empty when done or not needed; else the message.
    static QString prepare(const QString& folder);

    // True when an executable folder is an installation's: the installation's own bindir, or a
    // folder bin/ beside share/doc/folvara (the package's layout under any prefix).
    static bool installedLayout(const QString& executableFolder, const QString& bindir);

    // The user guide: in the data folder (a program folder), else the installed one beside the
    // executable's share/doc/folvara; the data folder's name when neither is there.
    static QString guide(const QString& folder, const QString& executableFolder, const QString& fileName);

    // With a slash at the end, in Qt's separators.
    static QString normalised(const QString& folder);
};
