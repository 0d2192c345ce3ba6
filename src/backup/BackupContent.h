#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

class PieceBuffers;

// A step of a backup or a restore that cannot go on; the message is the one to show.
class BackupError : public std::runtime_error {
public:
    explicit BackupError(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString())
        , m_messaggio(messaggio)
    {
    }
    QString messaggio() const { return m_messaggio; }

private:
    QString m_messaggio;
};

// What a backup holds: the files of the program folder that carry the user's data.
namespace BackupContent {

struct File {
    QString relativo;         // relative to the program folder, with '/'
    int dimensioneScheda = 0; // the record size of an archive; 0 for any other file
};

// The registry archive, the group archives, the password file and the settings files (*.ini) of the
// folder itself, and every file under Anagrafica/, Foto_Gruppo/ and Documenti_Allegati/.
QList<File> elenco(const QString& cartella);
// The data folders whose files a backup holds.
QStringList sottocartelle();
// True when the path (relative, with '/') names a file of the kinds elenco() lists: one of the
// program's own data files by its name or extension, or a file under one of the data folders.
// Never the program, its libraries, translations or guide.
bool delProgramma(const QString& relativo);

// Hands the content of the file to sink piece by piece. An archive is read in whole records only,
// each piece under the archive's lock, so a card being saved at the same time is copied whole
// or not at all. Returns the bytes read. Throws BackupError.
qint64 leggi(const QString& cartella, const File& file, PieceBuffers& buffers,
             const std::function<void(QByteArrayView)>& sink);

} // namespace BackupContent
