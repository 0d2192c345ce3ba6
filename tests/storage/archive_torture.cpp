// Saves and appends records without end, as a busy workstation would, until it is killed.
// Usage: archive_torture <archive> card|page
// Record i always holds the name "k<i>"; every save of record i/2 rewrites the same name with
// a new note, so that a reader can tell a whole record from a torn one.
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TSchedaGruppo.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QByteArray card(int index, int round)
{
    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("k%1").arg(index));
    scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("giro %1").arg(round));
    scheda.setRicontatta(true);
    return scheda.buffer();
}

QByteArray page(int index, int round)
{
    TSchedaGruppo pagina;
    pagina.setTesto(0, TSchedaGruppo::Nome, QStringLiteral("k%1").arg(index));
    pagina.setTesto(7, TSchedaGruppo::Prezzo, QStringLiteral("giro %1").arg(round));
    return pagina.buffer();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const bool pages = args.at(2) == QLatin1String("page");
    const int size = pages ? TSchedaGruppo::kSize : TSchedaAnagrafica::kSize;
    const auto record = pages ? &page : &card;
    for (int round = 0;; ++round) {
        TArchivioSchede archive;
        archive.ApriOCrea(args.at(1), size);
        const int count = archive.NumeroSchede();
        const int index = count > 0 && round % 2 == 1 ? count / 2 : count;
        archive.Posiziona(index);
        archive.ScriviScheda(record(index, round));
        archive.ChiudiArchivio();
    }
}
