#include "storage/FileErrorText.h"

#include <array>

namespace {

struct Translation {
    const char* system; // as the C library or Windows says it
    const char* italian;
};

// Windows texts after the C library's: both reach errorString() on their platform.
constexpr std::array kTranslations{
    Translation{"File name too long", "nome del file troppo lungo"},
    Translation{"The filename or extension is too long", "nome del file troppo lungo"},
    Translation{"No space left on device", "spazio esaurito sul disco"},
    Translation{"Disk quota exceeded", "spazio esaurito sul disco"},
    Translation{"File too large", "file troppo grande per il disco"},
    Translation{"There is not enough space on the disk", "spazio esaurito sul disco"},
    Translation{"Permission denied", "permesso negato"},
    Translation{"Operation not permitted", "permesso negato"},
    Translation{"Access is denied", "permesso negato"},
    Translation{"is not writable", "permesso negato"},
    Translation{"Read-only file system", "il disco è di sola lettura"},
    Translation{"The media is write protected", "il disco è di sola lettura"},
    Translation{"No such file or directory", "file o cartella inesistente"},
    Translation{"refers to a directory", "al suo posto c'è una cartella"},
    Translation{"Is a directory", "al suo posto c'è una cartella"},
    Translation{"The system cannot find the file specified", "file o cartella inesistente"},
    Translation{"The system cannot find the path specified", "file o cartella inesistente"},
};

} // namespace

QString FileErrorText::italian(const QString& systemText)
{
    for (const Translation& t : kTranslations) {
        if (systemText.contains(QLatin1String(t.system), Qt::CaseInsensitive))
            return QString::fromUtf8(t.italian);
    }
    return systemText;
}

QString FileErrorText::inParentheses(const QString& systemText)
{
    const QString text = italian(systemText);
    return text.isEmpty() ? QString() : QStringLiteral(" (") + text + QLatin1Char(')');
}
