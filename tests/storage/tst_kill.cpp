// A workstation killed while it saves: the archive keeps every whole record and goes on.
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TSchedaGruppo.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// The name and the note of a record of either kind, as the archive holds them.
struct Letto {
    QString nome;
    QString nota;
};

Letto leggi(bool pages, const QByteArray& record)
{
    if (pages) {
        TSchedaGruppo pagina;
        pagina.buffer() = record;
        return {pagina.testo(0, TSchedaGruppo::Nome), pagina.testo(7, TSchedaGruppo::Prezzo)};
    }
    TSchedaAnagrafica scheda;
    scheda.buffer() = record;
    if (scheda.testo(TSchedaAnagrafica::Ricontatta) != TSchedaAnagrafica::flagSi())
        return {};
    return {scheda.testo(TSchedaAnagrafica::Candidato), scheda.testo(TSchedaAnagrafica::Note)};
}

QByteArray nuovo(bool pages, int index)
{
    if (pages) {
        TSchedaGruppo pagina;
        pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("k%1").arg(index));
        pagina.setTesto(7, TSchedaGruppo::Prezzo, QStringLiteral("giro dopo"));
        return pagina.buffer();
    }
    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("k%1").arg(index));
    scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("giro dopo"));
    scheda.setRicontatta(true);
    return scheda.buffer();
}

} // namespace

class TestKill : public QObject {
    Q_OBJECT

private slots:
    void killedWhileSavingLosesNoWholeRecord_data();
    void killedWhileSavingLosesNoWholeRecord();
};

void TestKill::killedWhileSavingLosesNoWholeRecord_data()
{
    QTest::addColumn<bool>("pages");
    QTest::newRow("registry cards") << false;
    QTest::newRow("group pages") << true;
}

void TestKill::killedWhileSavingLosesNoWholeRecord()
{
    QFETCH(bool, pages);
    const int size = pages ? TSchedaGruppo::kSize : TSchedaAnagrafica::kSize;
    QTemporaryDir dir;
    const QString path =
        dir.filePath(pages ? QStringLiteral("Gita.fvg") : QStringLiteral("Archivio_Anagrafico.fvd"));
    QRandomGenerator random(20261210);
    constexpr int kKills = 200;
    QElapsedTimer elapsed;
    elapsed.start();
    int kills = 0;
    int tornTails = 0;
    while (kills < kKills && elapsed.elapsed() < 120000) {
        QProcess writer;
        writer.start(QStringLiteral(ARCHIVE_TORTURE),
                     {path, pages ? QStringLiteral("page") : QStringLiteral("card")});
        QVERIFY(writer.waitForStarted(10000));
        QThread::usleep(random.bounded(500, 15000));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        ++kills;

        const qint64 bytes = QFileInfo(path).size();
        tornTails += bytes % size != 0 ? 1 : 0;
        TArchivioSchede archive;
        archive.ApriOCrea(path, size);
        const int count = archive.NumeroSchede();
        // A torn tail is not a record.
        QCOMPARE(qint64(count), bytes / size);
        QByteArray record(size, '\0');
        for (int i = 0; i < count; ++i) {
            archive.LeggiScheda(record);
            const Letto letto = leggi(pages, record);
            QCOMPARE(letto.nome, QStringLiteral("k%1").arg(i));
            QVERIFY(letto.nota.startsWith(QStringLiteral("giro ")));
        }
        QVERIFY(archive.FineArchivio());
        // The next record lands right after the last whole one, over any torn tail.
        archive.Posiziona(count);
        archive.ScriviScheda(nuovo(pages, count));
        archive.ChiudiArchivio();
        QCOMPARE(QFileInfo(path).size(), qint64(count + 1) * size);
    }
    QCOMPARE(kills, kKills);
    qInfo("%d kills, %d torn tails, %lld records", kills, tornTails, QFileInfo(path).size() / size);
}

QTEST_GUILESS_MAIN(TestKill)
#include "tst_kill.moc"
