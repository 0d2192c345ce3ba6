#pragma once

#include "import/ImportMapping.h"
#include "import/SheetReader.h"
#include "storage/PhotoFiles.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class TArchivioSchede;

// What the import will do with each row of a sheet: a new card, a person already in the
// registry (or earlier in the same sheet), or a row refused for want of a name; with the fields
// the editor would ask for and the values that will not be stored as they stand.
class ImportPlan {
public:
    enum class Esito { Nuova, Presente, ProbabilmentePresente, PresenteNelFile, Rifiutata, Importata };

    // What tells one person from another: the codice fiscale, and the name with the birth date.
    struct Chiave {
        QString codiceFiscale;
        QString nomeData;
    };
    static Chiave chiaveDi(const ImportMapping::Values& values);

    struct Riga {
        int rigaFoglio = 0; // 1-based row of the sheet; the headers are row 1
        Chiave chiave;
        ImportMapping::Values values;
        Esito esito = Esito::Nuova;
        int posizione =
            0; // the card's position (Presente, Probabilmente, Importata); PresenteNelFile: the earlier row
        QStringList mancanti;      // fields the editor asks for at save, empty here
        QStringList troppoLunghi;  // values longer than their field: they will be cut
        QStringList fuoriCodifica; // values with characters the archive cannot hold
        QStringList cifrePerse;    // numbers the sheet shows with fewer digits than it holds
        QStringList senzaValore;   // formulas saved without their result
        bool importa = false;      // ticked: appended whatever the outcome
        bool avvisi() const
        {
            return !troppoLunghi.isEmpty() || !fuoriCodifica.isEmpty() || !mancanti.isEmpty() ||
                   !cifrePerse.isEmpty() || !senzaValore.isEmpty();
        }
    };

    // The keys of the cards already in the registry, with their positions.
    struct Chiavi {
        QHash<QString, int> codiceFiscale;
        QHash<QString, int> nomeData;
        QHash<QString, int> soloNome; // folded names of the cards without a birth date
        void aggiungi(const Chiave& chiave, int posizione);
        void aggiungi(const TSchedaAnagrafica& scheda, int posizione);
        // The position of the card this person already has, or 0.
        int trova(const Chiave& chiave) const;
        // The card with the same name, neither having a birth date, or 0.
        int trovaNome(const ImportMapping::Values& values) const;
    };
    // Reads the keys of every card of an open archive, from the first to the last.
    static Chiavi chiavi(TArchivioSchede& archivio);
    // The same for the registry of a program folder; throws ArchiveError.
    static Chiavi chiaviRegistro(const QString& programFolder);

    // The key of a person by name and date of birth, blind to case, accents and blanks; empty
    // when either is missing.
    static QString chiaveNomeData(const QString& name, const QString& birthDate);
    // A value as the card will hold it: trimmed, in the code page, cut to the field.
    static QString comeMemorizzato(TSchedaAnagrafica::Campo campo, const QString& text);

    using Progress = std::function<bool(int done, int total)>;
    // Every data row of the sheet (the rows after the first) with its outcome; empty when cancelled.
    // notes: what the reader said of single cells (numbers shown with fewer digits, formulas
    // without a value), flagged on the rows whose mapped columns hold them.
    static QList<Riga> prepara(const QList<QStringList>& rows, const ImportMapping& mapping,
                               const Chiavi& chiavi, const Progress& progress = {}, bool* cancelled = nullptr,
                               const QList<SheetReader::CellNote>& notes = {});

    static QString testoEsito(const Riga& riga);
    // The rows whose first line looks like data rather than headers, when no header was recognised.
    static bool sembraSenzaIntestazioni(const QStringList& firstRow, const ImportMapping& mapping);
};

// Appends the ticked rows to the registry as one archive action, and writes their photos.
class ImportAppend {
public:
    struct Risultato {
        int aggiunte = 0;
        int saltate = 0;         // duplicates not ticked, and those found when the archive was opened
        int rifiutate = 0;       // rows without a name, not ticked
        int foto = 0;            // photos written
        int fotoIlleggibili = 0; // photo files found but not readable
        QList<QPair<int, int>> aggiunteRighe; // sheet row and position of every card added
        int primaPosizione = 0;               // position of the first card added
        int ultimaPosizione = 0;
        bool annullata = false;
        QString errore; // the Italian message of a failure; the cards before it stay
    };

    // Called every few hundred cards; false stops after the card being written.
    using Progress = std::function<bool(int done, int total)>;

    // Opens the registry under its lock, checks the new rows once more against what it holds now,
    // appends the ticked rows one whole record at a time and closes it. Photos are looked up in
    // photoFolder (may be empty) by codice fiscale or by name.
    static Risultato aggiungi(const QString& programFolder, const QList<ImportPlan::Riga>& righe,
                              const QString& photoFolder = {}, const Progress& progress = {});

    // The photo files of a folder by folded base name.
    static QHash<QString, QString> indiceFoto(const QString& photoFolder);
    // The photo file of a person, or an empty string.
    static QString fotoDi(const QHash<QString, QString>& indice, const ImportMapping::Values& values);
    // Reads and decodes a photo, only from a regular file of sane size; a photo too large for the
    // memory left is unreadable like a damaged one.
    static PhotoFiles::Read leggiFoto(const QString& file);
    // Marks the rows just appended as done and unticked.
    static void segnaImportate(QList<ImportPlan::Riga>& righe, const Risultato& risultato);

    // The closing report, several lines of plain text.
    static QString rapporto(const Risultato& risultato, const QString& file);
};
