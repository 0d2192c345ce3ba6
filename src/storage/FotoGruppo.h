#pragma once

#include "storage/TSchedaGruppo.h"

#include <QImage>
#include <QString>

#include <array>
#include <memory>

class QSaveFile;

// The photos of group pages, in the folder Foto_Gruppo shared by every group:
// <group>_Foto_<X>_<position>.jpg for each slot of a stored page, and one set of eight
// preview pictures <group>_Anteprima_<X>.jpg per group. All of them are 282 x 366 JPEGs.
namespace FotoGruppo {
inline constexpr int kWidth = 282;
inline constexpr int kHeight = 366;

QString cartella(const QString& programFolder);
// Group name and position are trimmed.
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

// The slot photos of a page written in full beside their files before the page's record, and put
// in place together right after it: a stop before the record leaves the old photos, a stop after
// it leaves at most a few of them not yet replaced. Files not put in place are removed.
class FotoInAttesa {
public:
    FotoInAttesa();
    ~FotoInAttesa();
    FotoInAttesa(const FotoInAttesa&) = delete;
    FotoInAttesa& operator=(const FotoInAttesa&) = delete;

    // Writes the photo of every slot whose stored photo is known. Returns the letters of the slots
    // that could not be written; reason gets the first failure's reason in Italian.
    QString prepara(const QString& programFolder, const QString& gruppo, const QString& posizione,
                    const FotoRiquadri& riquadri, QString* reason = nullptr);
    // Puts the written photos in place; each slot put in place gets the 282 x 366 picture written.
    // Returns the letters of the slots not put in place.
    QString metti(FotoRiquadri& riquadri, QString* reason = nullptr);
    // Drops the written photos; the files in place stay as they are.
    void annulla();

private:
    std::array<std::unique_ptr<QSaveFile>, TSchedaGruppo::kRiquadri> m_file;
    std::array<QImage, TSchedaGruppo::kRiquadri> m_ridotta;
};

// Removes the slot photos and previews of a group from Foto_Gruppo: only the files named after this
// very group. Returns how many were removed.
int EliminaFotoGruppo(const QString& programFolder, const QString& gruppo);
// Reads the slot photo files of the page at the position; a missing or unreadable file gives the
// blank image. Returns the letters of the slots whose file exists but could not be read.
QString CaricaFotoRiquadri(const QString& programFolder, const QString& gruppo, const QString& posizione,
                           FotoRiquadri& riquadri);
// Writes the preview pictures from A on; the first failure ends it. Returns how many were written.
int SalvaAnteprime(const QString& programFolder, const QString& gruppo, const FotoRiquadri& riquadri);
// Reads back the first `scritte` preview pictures into their slots, so that a preview written
// for another page is never taken; the first failure ends it, the rest keep their pictures.
void CaricaAnteprime(const QString& programFolder, const QString& gruppo, FotoRiquadri& riquadri,
                     int scritte = TSchedaGruppo::kRiquadri);
