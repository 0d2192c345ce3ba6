#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The group archive files <name>.fvg in the program folder: names, list, creation, deletion.
namespace GroupFiles {

inline constexpr int kMaxName = 250;
inline constexpr int kRecordSize = 5000;
// The longest file name a file system takes, in bytes of UTF-8.
inline constexpr int kMaxFileNameBytes = 255;
// What the longest file of a group adds to its name: "_Foto_A_" + a ten-digit page position + ".jpg",
// and the ".XXXXXX" of the temporary file it is first written to.
inline constexpr int kLongestAddedBytes = 29;

// The characters the name field swallows as they are typed.
bool swallowed(QChar c);
// Control, format (direction overrides, zero-width), line and paragraph separator characters.
bool invisible(char32_t c);
// The bytes of the longest file name the group makes: its photo of a slot on a page far down.
int longestFileNameBytes(const QString& name);
// "" when the trimmed name can name a group file; otherwise the warning to show.
// Refused: characters the key filter swallows, path separators, control and invisible characters,
// "." and "..", a blank of any kind at either end, and a name whose files would exceed kMaxFileNameBytes.
QString nameProblem(const QString& trimmedName);
// The name in the one form that is stored and compared (NFC).
QString normalised(const QString& name);

QString path(const QString& programFolder, const QString& trimmedName);

// The list order: character by character by code, a..z taken as A..Z, a prefix first.
bool listsBefore(const QString& a, const QString& b);
// The names (with extension) of the group files in the folder itself, in list order.
QStringList list(const QString& programFolder);

struct Outcome {
    enum class Result { Done, AlreadyUsed, Failed };
    Result result = Result::Done;
    QString reason; // the system's reason for a failure
};
// Creates the group file empty; never touches an existing one (whatever the letter case,
// where the file system ignores it, and whatever the Unicode form of its name).
Outcome create(const QString& filePath);
Outcome remove(const QString& filePath);

} // namespace GroupFiles
