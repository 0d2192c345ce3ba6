#pragma once

#include <QString>
#include <QStringList>

// The temporary files a whole-file write (QSaveFile) leaves beside its target when the program
// is stopped midway: "<name>.XXXXXX" in the same folder.
namespace StaleCopies {
// The existing stale copies of a file, without the file itself.
QStringList of(const QString& path);
// The file (when it exists) followed by its stale copies.
QStringList withCopies(const QString& path);
} // namespace StaleCopies
