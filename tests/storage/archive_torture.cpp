// Saves and appends cards without end, as a busy workstation would, until it is killed.
// Usage: archive_torture <archive>
// Card i always holds the name "k<i>"; every save of card i/2 rewrites the same name with a
// new note, so that a reader can tell a whole record from a torn one.
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

TSchedaAnagrafica card(int index, int round)
{
    TSchedaAnagrafica scheda;
    scheda.setTesto(TSchedaAnagrafica::Candidato, QStringLiteral("k%1").arg(index));
    scheda.setTesto(TSchedaAnagrafica::Note, QStringLiteral("giro %1").arg(round));
    scheda.setRicontatta(true);
    return scheda;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return 2;
    for (int round = 0;; ++round) {
        TArchivioSchede archive;
        archive.ApriOCrea(args.at(1), TSchedaAnagrafica::kSize);
        const int count = archive.NumeroSchede();
        if (count > 0 && round % 2 == 1) {
            const int index = count / 2;
            archive.Posiziona(index);
            archive.ScriviScheda(card(index, round).buffer());
        } else {
            archive.Posiziona(count);
            archive.ScriviScheda(card(count, round).buffer());
        }
        archive.ChiudiArchivio();
    }
}
