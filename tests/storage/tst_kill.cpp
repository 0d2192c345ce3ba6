// A workstation killed while it saves: the archive keeps every whole card and goes on.
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestKill : public QObject {
    Q_OBJECT

private slots:
    void killedWhileSavingLosesNoWholeCard();
};

void TestKill::killedWhileSavingLosesNoWholeCard()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Archivio_Anagrafico.fvd"));
    QRandomGenerator random(20261210);
    constexpr int kKills = 200;
    QElapsedTimer elapsed;
    elapsed.start();
    int kills = 0;
    int tornTails = 0;
    while (kills < kKills && elapsed.elapsed() < 120000) {
        QProcess writer;
        writer.start(QStringLiteral(ARCHIVE_TORTURE), {path});
        QVERIFY(writer.waitForStarted(10000));
        QThread::usleep(random.bounded(500, 15000));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        ++kills;

        const qint64 size = QFileInfo(path).size();
        tornTails += size % TSchedaAnagrafica::kSize != 0 ? 1 : 0;
        TArchivioSchede archive;
        archive.ApriOCrea(path, TSchedaAnagrafica::kSize);
        const int count = archive.NumeroSchede();
        // A torn tail is not a card.
        QCOMPARE(qint64(count), size / TSchedaAnagrafica::kSize);
        TSchedaAnagrafica scheda;
        for (int i = 0; i < count; ++i) {
            archive.LeggiScheda(scheda.buffer());
            QCOMPARE(scheda.testo(TSchedaAnagrafica::Candidato), QStringLiteral("k%1").arg(i));
            QCOMPARE(scheda.testo(TSchedaAnagrafica::Ricontatta), TSchedaAnagrafica::flagSi());
            QVERIFY(scheda.testo(TSchedaAnagrafica::Note).startsWith(QStringLiteral("giro ")));
        }
        QVERIFY(archive.FineArchivio());
        // The next card lands right after the last whole one, over any torn tail.
        TSchedaAnagrafica next;
        next.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("k%1").arg(count));
        next.setTesto(TSchedaAnagrafica::Note, QStringLiteral("giro dopo"));
        next.setRicontatta(true);
        archive.Posiziona(count);
        archive.ScriviScheda(next.buffer());
        archive.ChiudiArchivio();
        QCOMPARE(QFileInfo(path).size(), qint64(count + 1) * TSchedaAnagrafica::kSize);
    }
    QCOMPARE(kills, kKills);
    qInfo("%d kills, %d torn tails, %lld cards", kills, tornTails,
          QFileInfo(path).size() / TSchedaAnagrafica::kSize);
}

QTEST_GUILESS_MAIN(TestKill)
#include "tst_kill.moc"
