#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

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

// Where the system gives no unnamed temporary file (a network share, Windows), a write stopped
// midway (a kill, a power cut) leaves its temporary file beside the target, "<name>.XXXXXX" (six
// letters or digits), holding part of the new content. The leftovers of a target, not the target.
QStringList leftovers(const QString& path);
// Whether a file name is one of target's leftovers.
bool isLeftoverOf(const QString& fileName, const QString& targetName);
// Removes the target's leftovers; with a valid quietSince only those last written before it (one
// written since may be another workstation's write still going on). Returns how many were
// removed; notRemoved gets those that were due and stayed.
int removeLeftovers(const QString& path, const QDateTime& quietSince = {}, QStringList* notRemoved = nullptr);

} // namespace SafeSave
