#include "storage/LockHolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace {

QString field(const QList<QByteArray>& lines, QByteArrayView key)
{
    for (const QByteArray& line : lines) {
        if (line.startsWith(key) && line.size() > key.size() && line.at(key.size()) == '=')
            return QString::fromUtf8(line.mid(key.size() + 1)).trimmed();
    }
    return QString();
}

QString userName()
{
    for (const char* variable : {"USER", "USERNAME", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("?");
}

} // namespace

QString LockHolder::pathFor(const QString& archivePath)
{
    return archivePath + QStringLiteral(".blocco");
}

LockHolder::Holder LockHolder::thisWorkstation(const QDateTime& since)
{
    return {QSysInfo::machineHostName(), userName(), since};
}

void LockHolder::write(const QString& archivePath, const Holder& holder)
{
    // A plain rewrite, not a save file: a waiter may be reading it, and a rename over an open
    // file fails on Windows shares. A torn side file only makes the holder unknown.
    QFile file(pathFor(archivePath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const QByteArray text = "host=" + holder.host.toUtf8() + "\nuser=" + holder.user.toUtf8() +
                            "\nsince=" + holder.since.toString(Qt::ISODate).toUtf8() + '\n';
    if (file.write(text) != text.size())
        file.resize(0);
}

LockHolder::Holder LockHolder::read(const QString& archivePath)
{
    QFile file(pathFor(archivePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.read(4096).split('\n');
    return {field(lines, "host"), field(lines, "user"),
            QDateTime::fromString(field(lines, "since"), Qt::ISODate)};
}

QString LockHolder::busyMessage(const QString& archivePath, const Holder& holder)
{
    const QString name = QFileInfo(archivePath).fileName();
    if (!holder.known())
        return QStringLiteral("Attenzione: l'archivio \"%1\" è in uso da un'altra postazione.\r\n\r\n"
                              "Riprovare tra qualche istante.")
            .arg(name);
    return QStringLiteral("Attenzione: l'archivio \"%1\" è in uso dalla postazione \"%2\" (utente \"%3\") "
                          "dalle ore %4 del %5.\r\n\r\nRiprovare tra qualche istante. Se quella postazione "
                          "si è bloccata o ha perso la rete, l'archivio si libera da solo entro pochi "
                          "minuti.")
        .arg(name, holder.host, holder.user, holder.since.toString(QStringLiteral("HH:mm:ss")),
             holder.since.toString(QStringLiteral("dd/MM/yyyy")));
}

QString LockHolder::cannotLockMessage(const QString& archivePath, const QString& systemReason)
{
    return QStringLiteral("Attenzione: la cartella \"%1\" non permette di bloccare gli archivi (%2).\r\n\r\n"
                          "Senza blocco due postazioni possono sovrascrivere l'una le schede dell'altra, "
                          "perciò l'archivio non è stato aperto. Chiedere all'amministratore di rete di "
                          "attivare i blocchi dei file sulla cartella condivisa.")
        .arg(QDir::toNativeSeparators(QFileInfo(archivePath).absolutePath()), systemReason);
}
