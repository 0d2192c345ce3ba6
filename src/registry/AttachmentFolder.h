#pragma once

#include <QString>

#include <functional>

// The folder Documenti_Allegati of the program folder, where attached files are copied,
// and the rules for the names the card keeps.
namespace AttachmentFolder {
// The folder, without a trailing separator.
QString folder(const QString& programFolder);
// True for a bare file name that names a file inside the folder: no folder part, no drive,
// neither "." nor "..".
bool isPlainName(const QString& name);
// The file of a stored name, with the platform's separators; empty when the name would leave the folder.
QString pathOf(const QString& programFolder, const QString& name);
// The name under which a chosen file is kept, one that the card stores and gives back as it is:
// in the card's code page (letters it lacks in their Latin form), trimmed, without characters that
// a folder part or a drive could be made of, at most 250 characters with the extension kept. A name
// that lost characters on the way gets "~" and six letters of the chosen name before its extension.
QString storableName(const QString& fileName);
// True when both paths reach the same existing file.
bool sameFile(const QString& a, const QString& b);
// Creates the folder with its parents; an empty result on success, otherwise the reason in Italian.
QString createFolder(const QString& programFolder);
// Copies source over target through a temporary file beside target, renamed into place only
// when the whole copy is written. Only a regular file is copied (a link is followed). progress gets the
// bytes copied and the file's size after each piece; false from it cancels the copy, which then returns
// kCancelled. An empty result on success, otherwise the reason in Italian.
using Progress = std::function<bool(qint64 done, qint64 total)>;
QString copy(const QString& source, const QString& target, const Progress& progress = {});
inline const QString kCancelled = QStringLiteral("copia annullata.");

inline constexpr int kMaxName = 250;
} // namespace AttachmentFolder
