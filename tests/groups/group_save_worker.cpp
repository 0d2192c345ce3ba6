// Saves page 1 of the group "Gita" (slot A "Nuova", red photos) and stops for good at one step,
// so that a test can kill it there: group_save_worker PROGRAM_FOLDER STEP. Step -1: photos and
// note written, record not; 0: record on the disk, no photo in place; n: n photos in place.
// Writes "STEP" into PROGRAM_FOLDER/fermo.txt when it stops.
#include "storage/ArchiveSteps.h"
#include "storage/FotoGruppo.h"
#include "storage/TSchedaGruppo.h"

#include <QFile>
#include <QGuiApplication>
#include <QThread>

namespace {

[[noreturn]] void fermati(const QString& folder, int step)
{
    QFile marker(folder + QStringLiteral("fermo.txt"));
    if (marker.open(QIODevice::WriteOnly))
        marker.write(QByteArray::number(step));
    marker.close();
    for (;;)
        QThread::sleep(1); // until killed
}

// Stops right after the photos and the note, before the record.
class StopBeforeRecord : public ArchiveSteps::Accanto {
public:
    StopBeforeRecord(FotoDellaPagina& foto, QString folder, int step)
        : m_foto(foto)
        , m_folder(std::move(folder))
        , m_step(step)
    {
    }
    bool prima(int posizione) override
    {
        const bool ok = m_foto.prima(posizione);
        if (m_step == -1)
            fermati(m_folder, m_step);
        return ok;
    }
    void dopo(int posizione) override { m_foto.dopo(posizione); }

private:
    FotoDellaPagina& m_foto;
    QString m_folder;
    int m_step;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString folder = args[1];
    const int step = args[2].toInt();
    const QString archivio = folder + QStringLiteral("Gita.fvg");
    FotoRiquadri riquadri;
    riquadri.azzera();
    QImage rossa(FotoGruppo::kWidth, FotoGruppo::kHeight, QImage::Format_RGB32);
    rossa.fill(Qt::red);
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        riquadri.imposta(i, rossa);
    TSchedaGruppo pagina;
    pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("Nuova"));
    FotoDellaPagina foto(folder, archivio, QStringLiteral("Gita"), riquadri, pagina.buffer(), 1);
    foto.passo = [&](int done) {
        if (done == step)
            fermati(folder, step);
    };
    StopBeforeRecord accanto(foto, folder, step);
    ArchiveSteps::salva(archivio, QStringLiteral("1"), pagina.buffer(), {}, &accanto);
    return 0;
}
