#include "storage/ShareProbe.h"

#include "storage/ArchiveError.h"
#include "storage/LockHolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

// A holder's note older than this is left over from a check that ended without cleaning up.
constexpr qint64 kHolderFreshSeconds = 90;

QString holderName(const LockHolder::Holder& holder)
{
    return QStringLiteral("\"%1\" (utente \"%2\")").arg(holder.host, holder.user);
}

} // namespace

ShareProbe::ShareProbe(const ArchiveFileSystem& calls)
    : m_calls(calls)
    , m_lock(calls)
{
}

QString ShareProbe::probePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Verifica_Condivisione.tmp"));
}

void ShareProbe::hold(const QString& programFolder)
{
    release();
    m_path = probePath(programFolder);
    m_lock.acquire(m_path, 0);
}

void ShareProbe::release()
{
    if (!m_lock.isHeld())
        return;
    try {
        m_lock.release(false);
    } catch (const ArchiveError&) {
        // nothing was written
    }
    QFile::remove(LockHolder::pathFor(m_path));
}

ShareProbe::Result ShareProbe::check(const QString& programFolder, const QStringList& unsafeMount) const
{
    Result result = checkLock(programFolder);
    if (unsafeMount.isEmpty())
        return result;
    if (result.verdict == Verdict::Protected || result.verdict == Verdict::NoHolder)
        result.verdict = Verdict::NotProtected;
    result.message =
        QStringLiteral("Attenzione: la cartella condivisa NON protegge gli archivi: è montata con opzioni "
                       "non sicure per più postazioni: gli archivi si aprono in sola lettura, a meno che "
                       "nella schermata Informazioni sia spuntata \"Unica postazione\".\r\n\r\n") +
        unsafeMount.join(QStringLiteral("\r\n\r\n")) + QStringLiteral("\r\n\r\nProva del blocco: ") +
        result.message;
    return result;
}

ShareProbe::Result ShareProbe::checkLock(const QString& programFolder) const
{
    const QString path = probePath(programFolder);
    // Straight at the probe's own lock: this workstation's local lock would hide the share.
    ArchiveLock probe(m_calls);
    FileLock::Result result;
    try {
        result = probe.tryFileLock(path);
    } catch (const ArchiveError& error) {
        return {Verdict::Failure, error.messaggio()};
    }
    const LockHolder::Holder holder = LockHolder::read(path);
    switch (result.outcome) {
    case FileLock::Outcome::Busy:
        return {
            Verdict::Protected,
            QStringLiteral("La cartella condivisa protegge gli archivi: il blocco tenuto dalla postazione "
                           "%1 ha fermato questa postazione, come deve.")
                .arg(holder.known() ? holderName(holder) : QStringLiteral("di prova"))};
    case FileLock::Outcome::CannotLock:
        return {Verdict::CannotLock,
                LockHolder::cannotLockMessage(path, FileLock::errorText(result.systemError))};
    case FileLock::Outcome::Failure:
        return {Verdict::Failure, accessMessage()};
    case FileLock::Outcome::Held:
        break;
    }
    try {
        probe.release(false);
    } catch (const ArchiveError&) {
        // nothing was written
    }
    const bool fresh =
        holder.known() && holder.since.secsTo(QDateTime::currentDateTime()) <= kHolderFreshSeconds;
    if (!fresh)
        return {
            Verdict::NoHolder,
            QStringLiteral("Nessuna postazione sta tenendo il blocco di prova, perciò non è stato possibile "
                           "verificare la cartella.\r\n\r\nSull'altra postazione premere \"Tieni il blocco "
                           "di prova\", poi, entro un minuto, premere qui \"Verifica\".")};
    return {
        Verdict::NotProtected,
        QStringLiteral("Attenzione: la cartella condivisa NON protegge gli archivi. La postazione %1 tiene "
                       "il blocco di prova, eppure questa postazione lo ha ottenuto lo stesso: due "
                       "postazioni che salvano insieme possono perdere schede.\r\n\r\nChiedere "
                       "all'amministratore di rete di attivare i blocchi dei file sulla cartella "
                       "condivisa (per SMB senza \"nobrl\", per NFS senza \"nolock\").")
            .arg(holderName(holder))};
}
