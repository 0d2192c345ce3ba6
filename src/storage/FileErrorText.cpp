#include "storage/FileErrorText.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <array>

namespace {

struct Translation {
    const char* system; // as the C library, Windows or Qt says it, or a part of it
    const char* italian;
};

const char kNoSpace[] = "spazio esaurito sul disco";
const char kQuota[] = "spazio esaurito sul disco (superata la quota dell'utente)";
const char kReadOnly[] = "il disco è di sola lettura";
const char kDenied[] = "permesso negato";
const char kMissing[] = "file o cartella inesistente";
const char kInUse[] = "il file è in uso da parte di un altro programma";
const char kNetwork[] = "la cartella di rete non risponde";
const char kDevice[] = "errore di lettura o scrittura del disco";
const char kNoDevice[] = "il disco non è disponibile";
const char kWriteFailed[] = "la scrittura sul disco non è riuscita";

// The first text found in the system's message gives its Italian; longer texts come before the
// shorter ones they contain. The C library's texts (glibc, the BSDs and macOS word them alike, in
// English unless the system speaks Italian), then Windows', then Qt's own.
constexpr std::array kTranslations{
    // ENAMETOOLONG, ENOSPC, EDQUOT, EFBIG
    Translation{"File name too long", "nome del file troppo lungo"},
    Translation{"No space left on device", kNoSpace},
    Translation{"Disk quota exceeded", kQuota},
    Translation{"File too large", "file troppo grande per il disco"},
    // EACCES, EPERM, EROFS
    Translation{"Permission denied", kDenied},
    Translation{"Operation not permitted", kDenied},
    Translation{"Read-only file system", kReadOnly},
    // ENOENT, EISDIR, ENOTDIR, ENOTEMPTY, EEXIST, ELOOP, EXDEV
    Translation{"No such file or directory", kMissing},
    Translation{"Is a directory", "al suo posto c'è una cartella"},
    Translation{"Not a directory", "un file occupa il posto di una cartella del percorso"},
    Translation{"Directory not empty", "la cartella non è vuota"},
    Translation{"File exists", "il file esiste già"},
    Translation{"Too many levels of symbolic links", "troppi collegamenti simbolici nel percorso"},
    Translation{"Invalid cross-device link", "i due percorsi sono su dischi diversi"},
    // EIO, ENXIO, ENODEV, ENOMEDIUM
    Translation{"Input/output error", kDevice},
    Translation{"No such device or address", kNoDevice},
    Translation{"No such device", kNoDevice},
    Translation{"No medium found", kNoDevice},
    // EMFILE, ENFILE, EBUSY, ETXTBSY, EAGAIN, ENOLCK, ENOMEM
    Translation{"Too many open files", "troppi file aperti"},
    Translation{"Device or resource busy", kInUse},
    Translation{"Text file busy", kInUse},
    Translation{"Resource temporarily unavailable", "il file è momentaneamente bloccato"},
    Translation{"No locks available", "il disco non concede il blocco dei file"},
    Translation{"Cannot allocate memory", "memoria insufficiente"},
    // ESTALE, ENOTCONN, EHOSTDOWN, EHOSTUNREACH, ENETUNREACH, ETIMEDOUT, ECONNRESET, ECONNREFUSED
    Translation{"Stale file handle", "il file è stato cambiato o rimosso da un altro computer della rete"},
    Translation{"Transport endpoint is not connected", kNetwork},
    Translation{"Host is down", kNetwork},
    Translation{"No route to host", kNetwork},
    Translation{"Network is unreachable", kNetwork},
    Translation{"Connection timed out", kNetwork},
    Translation{"Connection reset by peer", kNetwork},
    Translation{"Connection refused", kNetwork},
    // EINVAL: a name the disk refuses, or an operation it does not offer
    Translation{"Invalid argument", "nome o operazione non ammessi da questo disco"},

    // The C library in an Italian system (glibc's words)
    Translation{"Spazio esaurito sul device", kNoSpace},
    Translation{"Quota disco superata", kQuota},
    Translation{"File system in sola lettura", kReadOnly},
    Translation{"Operazione non permessa", kDenied},
    Translation{"File o directory non esistente", kMissing},
    Translation{"Errore di input/output", kDevice},

    // Windows
    Translation{"The filename or extension is too long", "nome del file troppo lungo"},
    Translation{"There is not enough space on the disk", kNoSpace},
    Translation{"The disk is full", kNoSpace},
    Translation{"Not enough quota is available", kQuota},
    Translation{"Access is denied", kDenied},
    Translation{"The media is write protected", kReadOnly},
    Translation{"The system cannot find the file specified", kMissing},
    Translation{"The system cannot find the path specified", kMissing},
    Translation{"because it is being used by another process", kInUse},
    Translation{"another process has locked a portion of the file",
                "il file è bloccato da un altro programma"},
    Translation{"The specified network name is no longer available", kNetwork},
    Translation{"The network path was not found", kNetwork},
    Translation{"The device is not ready", kNoDevice},
    Translation{"The request could not be performed because of an I/O device error", kDevice},
    Translation{"The filename, directory name, or volume label syntax is incorrect",
                "nome del file non valido"},

    // Qt's own texts
    Translation{"is not writable", kDenied}, // QSaveFile: "Existing file %1 is not writable"
    Translation{"refers to a directory", "al suo posto c'è una cartella"},
    Translation{"Destination file exists", "il file esiste già"},
    Translation{"Failure to write block", kWriteFailed},
};

bool saysNothing(const QString& text)
{
    // QIODevice's text when nothing was set, as it is or through Qt's Italian translation.
    return text.isEmpty() || text == QLatin1String("Unknown error") || text == QIODevice::tr("Unknown error");
}

} // namespace

QString FileErrorText::italian(const QString& systemText)
{
    for (const Translation& t : kTranslations) {
        if (systemText.contains(QLatin1String(t.system), Qt::CaseInsensitive))
            return QString::fromUtf8(t.italian);
    }
    return systemText;
}

QString FileErrorText::ofFolder(const QString& folder)
{
    const QStorageInfo disk(folder);
    if (disk.isValid() && disk.isReady()) {
        if (disk.isReadOnly())
            return QString::fromUtf8(kReadOnly);
        // A disk with less than one block left is full for any write.
        if (disk.bytesAvailable() < std::max(disk.blockSize(), 4096))
            return QString::fromUtf8(kNoSpace);
    }
    return QString::fromUtf8(kWriteFailed);
}

QString FileErrorText::of(const QFileDevice& file)
{
    const QString text = file.errorString();
    const QString folder = QFileInfo(file.fileName()).absolutePath();
    if (file.error() == QFileDevice::NoError || saysNothing(text))
        return ofFolder(folder);
    const QString translated = italian(text);
    // A read-only disk denies every write: say that rather than a permission of the file.
    if (translated == QLatin1String(kDenied) && QStorageInfo(folder).isReadOnly())
        return QString::fromUtf8(kReadOnly);
    return translated;
}

QString FileErrorText::inParentheses(const QString& systemText)
{
    const QString text = italian(systemText);
    return text.isEmpty() ? QString() : QStringLiteral(" (") + text + QLatin1Char(')');
}
