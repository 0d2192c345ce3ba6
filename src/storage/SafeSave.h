#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Whole-file writes that either replace the file with every byte or leave the old one as it was.
namespace SafeSave {

// Flushes the buffered bytes and commits. QSaveFile::commit() alone writes the last buffered
// bytes while closing and ignores a failure there (a full disk), so the flush comes first. On any
// failure the writing is cancelled, the old file stays whole and false is returned; reason gets
// the system's text in Italian.
bool commit(QSaveFile& file, QString* reason = nullptr);

// Writes the bytes as the whole new content of the file.
bool writeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace SafeSave
