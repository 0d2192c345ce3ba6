#pragma once

#include <QByteArray>
#include <QString>

// The browsing steps and the save of an editor that shows one record of an archive at a time,
// shared by the registry editor and the group page editor. The screen keeps the record's
// 1-based position in a label (empty for a record never saved); these steps read it back.
namespace ArchiveSteps {

enum class Comando { Primo, Indietro, Avanti, Ultimo };

// What one browsing step does once the archive is open.
struct Passo {
    enum class Esito {
        ArchivioVuoto, // say "L'archivio non contiene nessuna scheda."
        Nulla,         // at an end: nothing happens, nothing is said
        Leggi,         // read the record at indice and show it
    };
    Esito esito = Esito::Nulla;
    int indice = 0;
    bool azzeraPosizione = false; // empty the position label first
};

// posizione: the trimmed position label, empty for a new record.
Passo passo(Comando comando, const QString& posizione, int numeroSchede);

// A browsing step done on the archive file: opened, read and closed again.
struct Sfogliata {
    Passo passo;
    int posizione = 0; // the 1-based position of the record read (Esito::Leggi only)
};
// Reads into record when the step reads one. Throws ArchiveError; the archive is closed either way.
Sfogliata sfoglia(const QString& path, int recordSize, Comando comando, const QString& posizione,
                  QByteArray& record);

// A save: the record over its own position p, or appended after the last one when the
// position is empty. Returns the position the record now has. Throws ArchiveError.
// With the bytes of the record as the editor loaded it, the record at p is first compared
// with them under the lock: when another workstation changed or erased it meanwhile,
// nothing is written and the conflict is returned.
enum class Conflitto { Nessuno, Cambiata, Cancellata };
struct Salvataggio {
    int posizione = 0;
    bool aggiunta = false; // appended as a new record
    bool fermata = false;  // Accanto::prima refused: nothing was written
    Conflitto conflitto = Conflitto::Nessuno;
    QByteArray attuale; // Conflitto::Cambiata: the record the archive holds now
};
// What a save does beside its record while it holds the archive's lock.
class Accanto {
public:
    virtual ~Accanto() = default;
    // Before the record is written at its 1-based position; false: nothing is written.
    virtual bool prima(int posizione) = 0;
    // Once the record is on the disk, before the lock is released.
    virtual void dopo(int posizione) = 0;
    // The user chose to overwrite a record another workstation changed or erased.
    virtual void altraVersione() {}
};
Salvataggio salva(const QString& path, const QString& posizione, const QByteArray& record,
                  const QByteArray& comeCaricata = QByteArray(), Accanto* accanto = nullptr);

} // namespace ArchiveSteps
