// Appends records the way the registry editor does, one user action per record.
// Usage: archive_appender <archive> <count> <tag>
#include "storage/TArchivioSchede.h"
#include "storage/TSchedaAnagrafica.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const int count = args.at(2).toInt();
    for (int i = 0; i < count; ++i) {
        TSchedaAnagrafica scheda;
        scheda.setTesto(TSchedaAnagrafica::Candidato, args.at(3) + QLatin1Char('-') + QString::number(i));
        scheda.setRicontatta(true);
        TArchivioSchede archive;
        archive.ApriOCrea(args.at(1), TSchedaAnagrafica::kSize);
        archive.Posiziona(archive.NumeroSchede());
        archive.ScriviScheda(scheda.buffer());
        archive.ChiudiArchivio();
    }
    return 0;
}
