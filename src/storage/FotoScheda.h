#pragma once

#include <QImage>
#include <QString>

// The photo file of a registry card: Anagrafica/Scheda_Anagrafica_<position>.jpg.
namespace FotoScheda {
QString cartella(const QString& programFolder);
QString percorso(const QString& programFolder, const QString& position);
} // namespace FotoScheda

// Writes the picture as the photo file of the position (the trimmed position label).
// On any failure the picture holder receives the placeholder; nothing is reported.
void SalvaFotoScheda(const QString& programFolder, const QString& position, QImage& picture);
// Reads the photo file of the position into the holder, or the placeholder on any failure.
void CaricaFotoScheda(const QString& programFolder, const QString& position, QImage& picture);
