#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The group archive files <name>.fvg in the program folder: names, list, creation, deletion.
namespace GroupFiles {

inline constexpr int kMaxName = 250;
inline constexpr int kRecordSize = 5000;

// The characters the name field swallows as they are typed.
bool swallowed(QChar c);
// "" when the trimmed name can name a group file; otherwise the warning to show.
// Refused: characters the key filter swallows, path separators, control characters, "." and "..".
QString nameProblem(const QString& trimmedName);

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
// where the file system ignores it).
Outcome create(const QString& filePath);
Outcome remove(const QString& filePath);

} // namespace GroupFiles
