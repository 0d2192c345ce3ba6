#include "storage/ArchiveSteps.h"

#include "storage/ArchiveError.h"
#include "storage/TArchivioSchede.h"

ArchiveSteps::Passo ArchiveSteps::passo(Comando comando, const QString& posizione, int numeroSchede)
{
    using Esito = Passo::Esito;
    const int p = posizione.toInt(); // an empty position counts as 0
    switch (comando) {
    case Comando::Primo:
        if (numeroSchede == 0)
            return {Esito::ArchivioVuoto};
        return {Esito::Leggi, 0};
    case Comando::Ultimo:
        if (numeroSchede == 0)
            return {Esito::ArchivioVuoto};
        return {Esito::Leggi, numeroSchede - 1};
    case Comando::Avanti:
        if (numeroSchede == 0)
            return {Esito::ArchivioVuoto, 0, true};
        if (p < numeroSchede)
            return {Esito::Leggi, qMax(p, 0)};
        return {Esito::Nulla};
    case Comando::Indietro:
        if (posizione == QLatin1String("1"))
            return {Esito::Nulla};
        if (numeroSchede == 0)
            return {Esito::ArchivioVuoto};
        if (posizione.isEmpty())
            return {Esito::Leggi, 0};
        return {Esito::Leggi, qMax(p - 2, 0)};
    }
    return {};
}

ArchiveSteps::Sfogliata ArchiveSteps::sfoglia(const QString& path, int recordSize, Comando comando,
                                              const QString& posizione, QByteArray& record)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, recordSize);
    Sfogliata risultato{passo(comando, posizione, archivio.NumeroSchede())};
    if (risultato.passo.esito == Passo::Esito::Leggi) {
        archivio.Posiziona(risultato.passo.indice);
        archivio.LeggiScheda(record);
        risultato.posizione = archivio.PosizioneCorrente();
    }
    archivio.ChiudiArchivio();
    return risultato;
}

ArchiveSteps::Salvataggio ArchiveSteps::salva(const QString& path, const QString& posizione,
                                              const QByteArray& record, const QByteArray& comeCaricata,
                                              Accanto* accanto)
{
    TArchivioSchede archivio;
    archivio.ApriOCrea(path, int(record.size()));
    Salvataggio risultato;
    if (!posizione.isEmpty()) {
        bool numero = false;
        const int p = posizione.toInt(&numero);
        if (!numero)
            throw ArchiveError(QStringLiteral("position %1 is not a number").arg(posizione));
        if (!comeCaricata.isEmpty()) {
            if (p < 1 || p > archivio.NumeroSchede()) {
                risultato.posizione = p;
                risultato.conflitto = Conflitto::Cancellata;
                archivio.ChiudiArchivio();
                return risultato;
            }
            archivio.Posiziona(p - 1);
            archivio.LeggiScheda(risultato.attuale);
            if (risultato.attuale != comeCaricata) {
                risultato.posizione = p;
                risultato.conflitto = Conflitto::Cambiata;
                archivio.ChiudiArchivio();
                return risultato;
            }
            risultato.attuale.clear();
        }
        archivio.Posiziona(p - 1);
        if (accanto && !accanto->prima(p)) {
            risultato.posizione = p;
            risultato.fermata = true;
            archivio.ChiudiArchivio();
            return risultato;
        }
        archivio.ScriviScheda(record);
        risultato.posizione = archivio.PosizioneCorrente();
    } else {
        const int numero = archivio.NumeroSchede();
        if (accanto && !accanto->prima(numero + 1)) {
            risultato.fermata = true;
            archivio.ChiudiArchivio();
            return risultato;
        }
        archivio.Posiziona(numero);
        archivio.ScriviScheda(record);
        risultato.posizione = numero + 1;
        risultato.aggiunta = true;
    }
    if (accanto) {
        archivio.Sincronizza();
        accanto->dopo(risultato.posizione);
    }
    archivio.ChiudiArchivio();
    return risultato;
}
