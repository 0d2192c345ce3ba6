#include "groups/GroupFiles.h"

#include "storage/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr char16_t kSwallowed[] = {34, 42, 47, 58, 60, 62, 63, 92, 176, 199, 209, 231, 241};

char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

} // namespace

bool GroupFiles::swallowed(QChar c)
{
    return std::find(std::begin(kSwallowed), std::end(kSwallowed), c.unicode()) != std::end(kSwallowed);
}

QString GroupFiles::nameProblem(const QString& trimmedName)
{
    const bool forbidden = std::any_of(trimmedName.begin(), trimmedName.end(), [](QChar c) {
        return swallowed(c) || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32;
    });
    if (!forbidden && trimmedName != QLatin1String(".") && trimmedName != QLatin1String(".."))
        return {};
    return QStringLiteral("Attenzione: il nome del gruppo non può contenere i caratteri "
                          "\" * / : < > ? \\ ° Ç Ñ ç ñ né caratteri di controllo, e non può essere "
                          "\".\" o \"..\".\r\n\r\nInserire un nome diverso.");
}

QString GroupFiles::path(const QString& programFolder, const QString& trimmedName)
{
    return programFolder + trimmedName + QStringLiteral(".fvg");
}

bool GroupFiles::listsBefore(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a.at(i));
        const char16_t y = folded(b.at(i));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

QStringList GroupFiles::list(const QString& programFolder)
{
    QStringList names =
        QDir(programFolder).entryList({QStringLiteral("*.fvg")}, QDir::Files | QDir::Hidden, QDir::Unsorted);
    // Sorted by the folded names, made once; equal folded names (alfa, ALFA) by their own codes.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.emplace_back(TextRules::upperAZ(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [key, name] : keyed)
        names.append(std::move(name));
    return names;
}

GroupFiles::Outcome GroupFiles::create(const QString& filePath)
{
    if (QFileInfo::exists(filePath))
        return {Outcome::Result::AlreadyUsed, {}};
    QFile file(filePath);
    // NewOnly: a file that appeared meanwhile is never opened, let alone emptied.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(filePath))
            return {Outcome::Result::AlreadyUsed, {}};
        return {Outcome::Result::Failed, file.errorString()};
    }
    file.close();
    return {};
}

GroupFiles::Outcome GroupFiles::remove(const QString& filePath)
{
    QFile file(filePath);
    if (!file.remove())
        return {Outcome::Result::Failed, file.errorString()};
    return {};
}
