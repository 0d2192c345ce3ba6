#pragma once

#include "storage/PhotoFiles.h"

#include <QImage>
#include <QString>

// The photo file of a registry card: Anagrafica/Scheda_Anagrafica_<position>.jpg.
namespace FotoScheda {
QString cartella(const QString& programFolder);
QString percorso(const QString& programFolder, const QString& position);

enum class StatoCartella { Scrivibile, NonCartella, NonScrivibile };
// Why photos cannot go into the folder, looked at after a failed write.
StatoCartella statoCartella(const QString& programFolder);
} // namespace FotoScheda

// Writes the picture as the photo file of the position (the trimmed position label).
// Returns false when it could not be written; the picture stays in the holder, so that
// the next save can write it and the old file is left whole meanwhile; reason gets why, in Italian.
bool SalvaFotoScheda(const QString& programFolder, const QString& position, const QImage& picture,
                     QString* reason = nullptr);
// Reads the photo file of the position into the holder, or the placeholder on any failure.
// Unreadable means a file is there that could not be shown: it must not be overwritten by a
// save of the card, which would replace the person's photo with the placeholder.
PhotoFiles::Outcome CaricaFotoScheda(const QString& programFolder, const QString& position, QImage& picture);
