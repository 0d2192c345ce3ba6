#pragma once

#include "storage/ArchiveSteps.h"
#include "storage/TSchedaGruppo.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <array>
#include <functional>

// The photos of group pages, in the folder Foto_Gruppo shared by every group:
// <group>_Foto_<X>_<position>.jpg for each slot of a stored page, and one set of eight
// preview pictures <group>_Anteprima_<X>.jpg per group. All of them are 282 x 366 JPEGs.
// <group> is the group's file name without ".fvg", blanks and all: " Gita" and "Gita" are two
// groups with photos of their own.
namespace FotoGruppo {
inline constexpr int kWidth = 282;
inline constexpr int kHeight = 366;

QString cartella(const QString& programFolder);
// The group name is taken as it is; the position is trimmed.
QString fotoRiquadro(const QString& programFolder, const QString& gruppo, int riquadro,
                     const QString& posizione);
QString anteprima(const QString& programFolder, const QString& gruppo, int riquadro);
// The blank image of a slot without a photo, 282 x 366.
QImage bianca();
} // namespace FotoGruppo

// A new 282 x 366 picture holding the given one cut to the slot's shape (its upper centre), never
// stretched; a picture already 282 x 366 keeps its pixels.
QImage RidimensionaFoto(const QImage& picture);

// The eight slot pictures of the page on show.
struct FotoRiquadri {
    std::array<QImage, TSchedaGruppo::kRiquadri> foto;
    // A stored photo that exists but could not be read (damaged, too large): the slot shows the
    // blank image, and a save leaves that file as it is instead of writing the blank over it.
    std::array<bool, TSchedaGruppo::kRiquadri> sconosciuta{};
    // The stored file already holds the picture on show: a save has nothing to write there.
    std::array<bool, TSchedaGruppo::kRiquadri> invariata{};

    // Every slot blank, nothing unknown.
    void azzera();
    void imposta(int riquadro, const QImage& picture);
};

// Writes the slot photo files of the page at the position. Each written slot's picture becomes
// the 282 x 366 picture that was written; a slot whose file could not be written keeps its
// picture, so that the next save can write it. Returns the letters of the slots not written;
// reason gets the first failure's reason in Italian.
QString SalvaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                          FotoRiquadri& riquadri, QString* reason = nullptr);

// The slot photos of a page written in full beside their files (<photo>.nuova), with a note of the
// page's new record (<group>_Foto_<position>.nota), before the record; put in place right after
// it. A stop before the record leaves the old photos; a stop after it leaves the note, and the next
// opening of the group (RiprendiFotoInAttesa) puts the photos in place.
class FotoInAttesa {
public:
    FotoInAttesa() = default;
    // Photos written and not put in place are removed, unless the note is written: the record may
    // be on the disk already, and RiprendiFotoInAttesa decides.
    ~FotoInAttesa();
    FotoInAttesa(const FotoInAttesa&) = delete;
    FotoInAttesa& operator=(const FotoInAttesa&) = delete;

    // Writes the photo of every slot whose stored photo is known and changed, then the note of the
    // record. Returns the letters of the slots that could not be written (nothing is left then);
    // reason gets the first failure's reason in Italian.
    QString prepara(const QString& programFolder, const QString& gruppo, const QString& posizione,
                    const FotoRiquadri& riquadri, const QByteArray& record, QString* reason = nullptr);
    // Puts the written photos in place, then removes the note; each slot put in place gets the
    // 282 x 366 picture written. Returns the letters of the slots not put in place.
    QString metti(FotoRiquadri& riquadri, QString* reason = nullptr);
    // Drops the written photos and the note; the files in place stay as they are.
    void annulla();

    // Called after each photo put in place with how many are; a test stops the program there.
    std::function<void(int)> dopoOgniFoto;

private:
    struct Scritta {
        int riquadro = 0;
        QString foto;
        QImage ridotta;
    };
    QList<Scritta> m_scritte;
    QString m_nota;
};

// A group page's save through ArchiveSteps::salva: the photos are prepared at the record's
// position and put in place right after it, under the archive's lock.
class FotoDellaPagina : public ArchiveSteps::Accanto {
public:
    // posizioneCaricata: the position whose stored files riquadri.invariata speaks of.
    FotoDellaPagina(QString programFolder, QString archivio, QString gruppo, FotoRiquadri& riquadri,
                    QByteArray record, int posizioneCaricata);

    bool prima(int posizione) override;
    void dopo(int posizione) override;
    void altraVersione() override { m_altra = true; }
    // After an archive failure: the photos follow the record as the file has it.
    void riprendi();

    const QString& nonPreparate() const { return m_nonPreparate; }
    const QString& nonMesse() const { return m_nonMesse; }
    const QString& perche() const { return m_perche; }
    // Called once the record is on the disk, before any photo is put in place (0), and after
    // each photo put in place; a test stops the program there.
    std::function<void(int)> passo;

private:
    QString m_cartella;
    QString m_archivio;
    QString m_gruppo;
    FotoRiquadri& m_riquadri;
    QByteArray m_record;
    int m_posizioneCaricata;
    bool m_altra = false;
    FotoInAttesa m_attesa;
    QString m_nonPreparate;
    QString m_nonMesse;
    QString m_perche;
};

// What the opening of a group repaired of saves stopped between record and photos.
struct FotoRiprese {
    int finite = 0;    // pages whose record was written: their photos put in place
    int annullate = 0; // pages whose record was not: their photos removed
    int rimossi = 0;   // left-over temporary files of no page removed
};
// Under the lock of the group's archive: each note of FotoInAttesa whose record is the one at its
// position gets its photos put in place; any other note, and every left-over temporary photo of
// the group, is removed. Also gives a group whose name has blanks at an end the photos stored under
// the trimmed name by older versions, when no group of that name exists. Throws ArchiveError.
FotoRiprese RiprendiFotoInAttesa(const QString& programFolder, const QString& archivio,
                                 const QString& gruppo);

// Removes from Foto_Gruppo what a group leaves: the slot photos of its pages 1 to pagine, its
// previews and its left-over temporary files; nothing of another group, " Gita" and "Gita"
// included. Returns how many photos and previews were removed.
int EliminaFotoGruppo(const QString& programFolder, const QString& gruppo, int pagine);
// Reads the slot photo files of the page at the position; a missing or unreadable file gives the
// blank image; the slots read are marked invariata. Returns the letters of the slots whose file
// exists but could not be read.
QString CaricaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                           FotoRiquadri& riquadri);
// Writes the preview pictures from A on; the first failure ends it. Returns how many were written.
int SalvaAnteprime(const QString& programFolder, const QString& gruppo, const FotoRiquadri& riquadri);
// Reads back the first `scritte` preview pictures into their slots, so that a preview written
// for another page is never taken; the first failure ends it, the rest keep their pictures.
void CaricaAnteprime(const QString& programFolder, const QString& gruppo, FotoRiquadri& riquadri,
                     int scritte = TSchedaGruppo::kRiquadri);
