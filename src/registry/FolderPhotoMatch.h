#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class TArchivioSchede;

// Matching the picture files of a folder to the registry's cards by their file names: by a
// codice fiscale in the name, else by "Cognome Nome" in either order. Nothing ambiguous is guessed.
namespace FolderPhotoKeys {
// A file's base name as it is compared with the cards' names: as a card would store it, then
// lower case, without accents, blanks, dots, dashes, underscores or apostrophes.
QString fileNameKey(const QString& baseName);
// A card's name in every order of its words split in two ("ROSSI MARIO": "rossimario",
// "mariorossi"); empty for an empty name.
QStringList cardNameKeys(const QString& cardName);
// The words of a base name that have the shape of a codice fiscale, in upper case.
QStringList codiciFiscali(const QString& baseName);
} // namespace FolderPhotoKeys

// The cards that the files of a folder name, found in one reading of the registry: the keys of
// the files are few and looked up for every card, so a large registry costs one scan and no more.
class RegistryPhotoIndex {
public:
    // baseNames: the files' names without their extensions; only they can be matched.
    explicit RegistryPhotoIndex(const QStringList& baseNames = {});
    // Looks at the record of a card (TSchedaAnagrafica::kSize bytes) at its 1-based position.
    void add(QByteArrayView record, int position);
    // Every card of an open archive, from the first to the last.
    static RegistryPhotoIndex read(TArchivioSchede& archive, const QStringList& baseNames);
    // The registry of a program folder; throws ArchiveError.
    static RegistryPhotoIndex readRegistry(const QString& programFolder, const QStringList& baseNames);

    int count() const { return m_count; }
    // The trimmed name of a card that one of the files matches.
    QString name(int position) const { return m_names.value(position); }
    // The cards whose codice fiscale or name one of the base names given gives; byCodiceFiscale
    // tells which way.
    QList<int> match(const QString& baseName, bool* byCodiceFiscale = nullptr) const;
    // True when the record (read again later) is still the card the base name gave.
    static bool stillMatches(const QString& baseName, QByteArrayView record, bool byCodiceFiscale);

private:
    void found(QList<int>& cards, QByteArrayView name, int position);
    void addNameKeys(QByteArrayView name, int position);

    QHash<QString, QList<int>> m_byCodiceFiscale; // the files' codici fiscali
    QHash<QString, QList<int>> m_byName;          // the files' name keys
    QHash<int, QString> m_names;                  // the cards found
    int m_count = 0;
    // Buffers kept from card to card: no allocation for a card that no file names.
    QString m_folded;
    QString m_key;
};

// What a picture file of the folder is, once examined.
enum class PhotoKind { Unknown, Picture, NotPicture, Damaged, TooLarge, Unreadable };

// One file of the chosen folder and what "Applica" will do with it.
struct FolderPhotoRow {
    enum class Outcome {
        InEsame,       // not examined yet
        Nuova,         // the card has no photo of its own
        Sostituisce,   // replaces the card's photo: unticked until the user ticks it
        NessunaScheda, // no card found
        PiuSchede,     // two or more cards match
        PiuFoto,       // two or more photos for one card
        Saltata,       // not a picture, damaged, too large or unreadable
        Scritta,       // written by "Applica"
        NonScritta,    // "Applica" could not write it
    };

    QString path;
    QString fileName;
    PhotoKind kind = PhotoKind::Unknown;
    QList<int> cards;
    bool byCodiceFiscale = false;
    Outcome outcome = Outcome::InEsame;
    bool ticked = false;
    bool faceInDoubt = false; // the face of the crop is not sure: never ticked unseen
    QString reason;           // why it was skipped or not written, in Italian

    bool tickable() const { return outcome == Outcome::Nuova || outcome == Outcome::Sostituisce; }
};

namespace FolderPhotoPlan {
// The files' names without their extensions, for the index.
QStringList baseNames(const QStringList& paths);
// The rows of the files of a folder, matched to the cards by name; their outcomes wait for decide().
QList<FolderPhotoRow> rows(const QStringList& paths, const RegistryPhotoIndex& index);
// Gives every row its outcome from its kind and its cards. A row whose outcome changes gets the
// tick of the new outcome (ticked only for a new photo whose face is sure); the others keep the
// user's tick.
// hasOwnPhoto tells whether a card already has a photo of its own.
void decide(QList<FolderPhotoRow>& rows, const std::function<bool(int position)>& hasOwnPhoto);
// True when the card's photo file holds a picture other than the placeholder that a card saved
// without a photo gets.
bool hasOwnPhoto(const QString& programFolder, int position);
// The outcome as the table shows it.
QString outcomeText(const FolderPhotoRow& row);
// Why a file of this kind is skipped, in Italian; empty for a picture.
QString kindReason(PhotoKind kind);
} // namespace FolderPhotoPlan
