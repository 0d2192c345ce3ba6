#include "groups/GroupFiles.h"

#include "storage/FileErrorText.h"
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

bool GroupFiles::invisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:       // C0, DEL, C1 (U+0085)
    case QChar::Other_Format:        // direction marks and overrides (U+202E), zero-width characters
    case QChar::Other_Surrogate:     // half of a character
    case QChar::Separator_Line:      // U+2028
    case QChar::Separator_Paragraph: // U+2029
        return true;
    default:
        return false;
    }
}

int GroupFiles::longestFileNameBytes(const QString& name)
{
    return int(name.toUtf8().size()) + kLongestAddedBytes;
}

QString GroupFiles::nameProblem(const QString& trimmedName)
{
    const QList<uint> characters = trimmedName.toUcs4();
    const bool forbidden = std::any_of(characters.begin(), characters.end(), [](uint c) {
        return (c < 0x10000 && swallowed(QChar(char16_t(c)))) || c == u'/' || c == u'\\' || invisible(c);
    });
    if (forbidden || trimmedName == QLatin1String(".") || trimmedName == QLatin1String(".."))
        return QStringLiteral("Attenzione: il nome del gruppo non può contenere i caratteri "
                              "\" * / : < > ? \\ ° Ç Ñ ç ñ né caratteri di controllo o invisibili, e non può "
                              "essere \".\" o \"..\".\r\n\r\nInserire un nome diverso.");
    if (!trimmedName.isEmpty() && (trimmedName.front().isSpace() || trimmedName.back().isSpace()))
        return QStringLiteral("Attenzione: il nome del gruppo non può iniziare o finire con uno spazio."
                              "\r\n\r\nInserire un nome diverso.");
    if (longestFileNameBytes(trimmedName) > kMaxFileNameBytes)
        return QStringLiteral("Attenzione: il nome del gruppo è troppo lungo: i nomi dei file delle foto del "
                              "gruppo supererebbero il limite del disco (%1 byte; le lettere accentate e i "
                              "simboli ne occupano due o più).\r\n\r\nInserire un nome più breve, al "
                              "massimo %2 lettere senza accenti.")
            .arg(kMaxFileNameBytes)
            .arg(kMaxFileNameBytes - kLongestAddedBytes);
    return {};
}

QString GroupFiles::normalised(const QString& name)
{
    return name.normalized(QString::NormalizationForm_C);
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
    // "Café" typed with a combining accent is the same name as the precomposed one.
    const QFileInfo target(filePath);
    const QString wanted = normalised(target.fileName());
    const QStringList present = target.dir().entryList({QStringLiteral("*.fvg")}, QDir::Files | QDir::Hidden);
    if (std::any_of(present.begin(), present.end(),
                    [&wanted](const QString& name) { return normalised(name) == wanted; }))
        return {Outcome::Result::AlreadyUsed, {}};
    QFile file(filePath);
    // NewOnly: a file that appeared meanwhile is never opened, let alone emptied.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(filePath))
            return {Outcome::Result::AlreadyUsed, {}};
        return {Outcome::Result::Failed, FileErrorText::italian(file.errorString())};
    }
    file.close();
    return {};
}

GroupFiles::Outcome GroupFiles::remove(const QString& filePath)
{
    QFile file(filePath);
    if (!file.remove())
        return {Outcome::Result::Failed, FileErrorText::italian(file.errorString())};
    return {};
}
