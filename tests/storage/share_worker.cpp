// A workstation of the share test (scripts/share-test.sh), working through the program's own store.
//   share_worker write <archive> <count> <tag>   appends <count> cards named <tag>-<i> and, every
//                                                third round, rewrites one of its own cards in place
//   share_worker check <archive> <tags...> <count>  counts lost, torn and doubled cards
//   share_worker readonly <archive>              the program's start-up decision for the folder's
//                                                mount: read-only, the cards readable, a save refused
//                                                and nothing written
// While it holds the lock a writer creates a marker file beside the archive with exclusive
// creation: finding the marker there means two holders at once. Prints one line of figures.
#include "storage/ArchiveAccess.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveSteps.h"
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <QTextStream>
#include <QThread>

#include <cstdio>

namespace {

using C = TSchedaAnagrafica;

QByteArray card(const QString& name, int round)
{
    TSchedaAnagrafica scheda;
    scheda.setTesto(C::Candidato, name);
    // The same text twice: a torn record shows two different rounds.
    scheda.setTesto(C::Note, QStringLiteral("giro %1").arg(round));
    scheda.setTesto(C::Citta, QStringLiteral("giro %1").arg(round));
    scheda.setRicontatta(true);
    return scheda.buffer();
}

int write(const QString& archive, int count, const QString& tag)
{
    const QString marker = archive + QStringLiteral(".dentro");
    int doubles = 0;
    int failures = 0;
    QHash<QString, int> mine; // name -> index, as found at the append
    for (int round = 0; round < count; ++round) {
        // A bounded number of tries per round: a busy archive waits, then gives up.
        for (int attempt = 0; attempt < 20; ++attempt) {
            try {
                TArchivioSchede store;
                store.ApriOCrea(archive, C::kSize);
                QFile inside(marker);
                const bool alone = inside.open(QIODevice::NewOnly | QIODevice::WriteOnly);
                if (!alone)
                    ++doubles;
                const QString name = tag + QLatin1Char('-') + QString::number(round);
                store.Posiziona(store.NumeroSchede());
                store.ScriviScheda(card(name, round));
                mine.insert(name, store.PosizioneCorrente() - 1);
                if (round % 3 == 2) {
                    // An in-place rewrite of an earlier card of this writer, under the same lock.
                    const QString earlier = tag + QLatin1Char('-') + QString::number(round / 2);
                    store.Posiziona(mine.value(earlier));
                    QByteArray record;
                    store.LeggiScheda(record);
                    TSchedaAnagrafica found;
                    found.buffer() = record;
                    if (found.testo(C::Candidato) == earlier) {
                        store.Posiziona(mine.value(earlier));
                        store.ScriviScheda(card(earlier, round));
                    }
                }
                if (alone) {
                    inside.close();
                    inside.remove();
                }
                store.ChiudiArchivio();
                // A moment between two saves, as a person takes: a writer that takes the lock
                // again at once would starve the others past their wait.
                QThread::msleep(20);
                break;
            } catch (const ArchiveError& error) {
                ++failures;
                std::fprintf(stderr, "%s: %s\n", qPrintable(tag), error.what());
                QThread::msleep(50);
            }
        }
    }
    QTextStream(stdout) << "writer " << tag << ": double holders " << doubles << ", failed operations "
                        << failures << Qt::endl;
    return doubles == 0 && failures == 0 ? 0 : 1;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The number of cards read, or -1 with the reason. Retried like a write: a lock server in its
// grace period answers late.
int readCards(const QString& archive, QString& error)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        try {
            TArchivioSchede store;
            store.ApriOCrea(archive, C::kSize);
            QByteArray record;
            while (!store.FineArchivio())
                store.LeggiScheda(record);
            const int records = store.NumeroSchede();
            store.ChiudiArchivio();
            return records;
        } catch (const ArchiveError& failure) {
            error = QString::fromStdString(failure.what());
            QThread::msleep(50);
        }
    }
    return -1;
}

int readOnly(const QString& archive)
{
    QTextStream out(stdout);
    const QString message = ArchiveAccess::decide(QFileInfo(archive).absolutePath());
    if (message.isEmpty()) {
        out << "opened read-write" << Qt::endl;
        return 1;
    }
    const QByteArray before = fileBytes(archive);
    // A missing archive stays missing: read-only archives are never created.
    int records = 0;
    if (QFile::exists(archive)) {
        QString error;
        records = readCards(archive, error);
        if (records < 0) {
            out << "opened read-only, but the cards cannot be read: " << error << Qt::endl;
            return 1;
        }
    }
    bool refused = false;
    for (const QString& position : {QString(), QStringLiteral("1")}) {
        try {
            ArchiveSteps::salva(archive, position, card(QStringLiteral("sola lettura"), 0));
        } catch (const ArchiveError& error) {
            refused = error.messaggio() == message;
        }
        if (!refused)
            break;
    }
    const bool untouched = fileBytes(archive) == before;
    out << "opened read-only, " << records << " cards read, saves " << (refused ? "refused" : "NOT refused")
        << ", " << (untouched ? "nothing written" : "the archive CHANGED") << Qt::endl;
    return refused && untouched ? 0 : 1;
}

int check(const QString& archive, const QStringList& tags, int count)
{
    QHash<QString, int> seen;
    int torn = 0;
    int records = 0;
    TArchivioSchede store;
    store.ApriOCrea(archive, C::kSize);
    QByteArray record;
    while (!store.FineArchivio()) {
        store.LeggiScheda(record);
        ++records;
        TSchedaAnagrafica scheda;
        scheda.buffer() = record;
        if (scheda.testo(C::Ricontatta) != TSchedaAnagrafica::flagSi() ||
            scheda.testo(C::Note) != scheda.testo(C::Citta)) {
            ++torn;
            continue;
        }
        seen[scheda.testo(C::Candidato)] += 1;
    }
    store.ChiudiArchivio();
    int lost = 0;
    int doubled = 0;
    for (const QString& tag : tags) {
        for (int i = 0; i < count; ++i) {
            const int n = seen.value(tag + QLatin1Char('-') + QString::number(i));
            lost += n == 0 ? 1 : 0;
            doubled += n > 1 ? n - 1 : 0;
        }
    }
    QTextStream(stdout) << "records " << records << " of " << tags.size() * count << ", lost " << lost
                        << ", torn " << torn << ", doubled " << doubled << Qt::endl;
    return lost == 0 && torn == 0 && doubled == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QLatin1String("write"))
        return write(args[2], args[3].toInt(), args[4]);
    if (args.size() == 3 && args[1] == QLatin1String("readonly"))
        return readOnly(args[2]);
    if (args.size() >= 5 && args[1] == QLatin1String("check"))
        return check(args[2], args.mid(3, args.size() - 4), args.last().toInt());
    std::fprintf(
        stderr,
        "usage: share_worker write ARCHIVE COUNT TAG | check ARCHIVE TAG... COUNT | readonly ARCHIVE\n");
    return 2;
}
