#include "privacy/ConsentStore.h"

#include "storage/ArchiveAccess.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/FileErrorText.h"
#include "storage/SafeSave.h"
#include "storage/TSchedaAnagrafica.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace {

// Reads the file while the caller may hold the lock; throws nothing.
ConsentBook readFile(const QString& path, ConsentBook::Fields fields = ConsentBook::Fields::Bounded)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return ConsentBook::unreadable(FileErrorText::italian(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ConsentBook::unreadable(FileErrorText::italian(file.errorString()));
    return ConsentBook::parse(bytes, fields);
}

// Runs change under the registry archive's lock; false with the reason when the lock is not had.
template <typename Change> bool underLock(const QString& programFolder, QString* reason, const Change& change)
{
    if (ArchiveAccess::readOnly()) {
        if (reason)
            *reason = ArchiveAccess::readOnlyMessage();
        return false;
    }
    ArchiveLock lock;
    try {
        lock.acquire(TSchedaAnagrafica::archivio(programFolder));
    } catch (const ArchiveError& error) {
        if (reason)
            *reason = error.messaggio();
        return false;
    }
    change();
    try {
        lock.release(false);
    } catch (const ArchiveError&) {
        // nothing was written through the lock
    }
    return true;
}

// The same where the registry archive exists; without it no workstation writes the consents
// (a save would have created it), and taking the lock would create it.
template <typename Change>
bool underLockIfAny(const QString& programFolder, QString* reason, const Change& change)
{
    if (QFile::exists(TSchedaAnagrafica::archivio(programFolder)))
        return underLock(programFolder, reason, change);
    change();
    return true;
}

bool unreadableFails(const ConsentBook& book, QString* reason)
{
    if (book.problem() != ConsentBook::Problem::Unreadable)
        return false;
    if (reason)
        *reason = book.problemText(ConsentStore::fileName());
    return true;
}

} // namespace

QString ConsentStore::fileName()
{
    return QStringLiteral("Archivio_Anagrafico_Consensi.txt");
}

QString ConsentStore::path(const QString& programFolder)
{
    return QDir(programFolder).filePath(fileName());
}

ConsentBook ConsentStore::read(const QString& programFolder)
{
    return readFile(path(programFolder));
}

std::optional<Consent> ConsentStore::read(const QString& programFolder, int position)
{
    return read(programFolder).find(position);
}

ConsentStore::Outcome ConsentStore::save(const QString& programFolder, const Consent& consent,
                                         const std::optional<Consent>* asRead, QString* reason,
                                         std::optional<Consent>* current)
{
    Outcome outcome = Outcome::Failed;
    const bool locked = underLock(programFolder, reason, [&] {
        const ConsentBook book = readFile(path(programFolder));
        if (unreadableFails(book, reason))
            return;
        if (book.problem() == ConsentBook::Problem::Newer) {
            outcome = Outcome::Newer;
            return;
        }
        const std::optional<Consent> now = book.find(consent.position);
        if (asRead && *asRead != now) {
            if (current)
                *current = now;
            outcome = Outcome::Changed;
            return;
        }
        if (SafeSave::writeFile(path(programFolder), book.with(consent.position, consent), reason))
            outcome = Outcome::Saved;
    });
    return locked ? outcome : Outcome::Failed;
}

bool ConsentStore::removeHolding(const QString& programFolder, int position, QString* reason,
                                 int* leftoversRemoved)
{
    const ConsentBook book = readFile(path(programFolder));
    if (unreadableFails(book, reason))
        return false;
    if (book.find(position) &&
        !SafeSave::writeFile(path(programFolder), book.with(position, std::nullopt), reason))
        return false;
    QStringList stayed;
    const int removed = SafeSave::removeLeftovers(path(programFolder), {}, &stayed);
    if (leftoversRemoved)
        *leftoversRemoved = removed;
    if (stayed.isEmpty())
        return true;
    if (reason)
        *reason = QStringLiteral("non \u00E8 possibile rimuovere il file temporaneo \"%1\".")
                      .arg(QFileInfo(stayed.constFirst()).fileName());
    return false;
}

bool ConsentStore::remove(const QString& programFolder, int position, QString* reason, int* leftoversRemoved)
{
    if (leftoversRemoved)
        *leftoversRemoved = 0;
    const bool present = QFile::exists(path(programFolder));
    // Nothing to remove: the archive's lock (which would create a missing archive) is not needed.
    if (!present && SafeSave::leftovers(path(programFolder)).isEmpty())
        return true;
    bool removed = false;
    const auto change = [&] { removed = removeHolding(programFolder, position, reason, leftoversRemoved); };
    const bool locked =
        present ? underLock(programFolder, reason, change) : underLockIfAny(programFolder, reason, change);
    return locked && removed;
}

int ConsentStore::removeLeftovers(const QString& programFolder, QStringList* notRemoved)
{
    if (SafeSave::leftovers(path(programFolder)).isEmpty())
        return 0;
    int removed = 0;
    underLockIfAny(programFolder, nullptr, [&] {
        if (readFile(path(programFolder)).problem() != ConsentBook::Problem::Unreadable)
            removed = SafeSave::removeLeftovers(path(programFolder), {}, notRemoved);
    });
    return removed;
}

QByteArray ConsentStore::personCsv(const QString& programFolder, int position)
{
    return consentCsv(position, readFile(path(programFolder), ConsentBook::Fields::Whole).find(position));
}

QString ConsentStore::warningOnce(const ConsentBook& book)
{
    const QString text = book.problemText(fileName());
    if (text.isEmpty())
        return {};
    static QMutex mutex;
    static QSet<QString> given;
    const QMutexLocker locker(&mutex);
    if (given.contains(text))
        return {};
    given.insert(text);
    return text;
}
