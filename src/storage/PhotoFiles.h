#pragma once

#include <QImage>
#include <QString>

// Reading and writing the program's picture files.
namespace PhotoFiles {
// Decodes any image the decoder knows; a null image on any failure. Images whose
// decoding would need more than the reader's allocation limit are refused.
QImage load(const QString& path);
// Writes the picture as JPEG (or by the extension), replacing the file only when the
// whole new file is written.
bool save(const QImage& picture, const QString& path);
} // namespace PhotoFiles
