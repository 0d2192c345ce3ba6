#include "widgets/LostUpdateSave.h"

#include "platform/MessageBoxes.h"
#include "storage/TSchedaAnagrafica.h"

namespace {

using ArchiveSteps::Conflitto;

bool sovrascrivere(MessageBoxes& messages, QWidget* owner, int posizione)
{
    return messages.question(
        owner, QStringLiteral("Attenzione: un'altra postazione ha modificato la scheda %1 dopo che "
                              "è stata caricata su questa.\r\n\r\nSovrascrivere le modifiche "
                              "dell'altra postazione con la scheda mostrata qui?")
                   .arg(posizione));
}

// A registry card another workstation erased: saving the old one would bring the person back.
bool cancellataAltrove(const QByteArray& attuale)
{
    return attuale.size() == TSchedaAnagrafica::kSize && TSchedaAnagrafica::vuota(attuale);
}

bool sovrascrivereCancellata(MessageBoxes& messages, QWidget* owner, int posizione)
{
    return messages.question(
        owner,
        QStringLiteral("Attenzione: un'altra postazione ha cancellato la persona della scheda %1 dopo "
                       "che è stata caricata su questa.\r\n\r\nSalvando, i dati cancellati tornerebbero "
                       "in archivio. Salvare comunque la scheda mostrata qui?")
            .arg(posizione));
}

bool ricaricare(MessageBoxes& messages, QWidget* owner, int posizione)
{
    return messages.question(owner,
                             QStringLiteral("Mostrare la scheda %1 come l'ha salvata l'altra postazione? "
                                            "Le modifiche fatte qui andranno perse.\r\n\r\nRispondere "
                                            "No per tornare alla scheda senza salvarla.")
                                 .arg(posizione));
}

bool salvareComeNuova(MessageBoxes& messages, QWidget* owner, int posizione)
{
    return messages.question(owner,
                             QStringLiteral("Attenzione: la scheda %1 non è più in archivio: un'altra "
                                            "postazione l'ha cancellata dopo che è stata caricata su "
                                            "questa.\r\n\r\nSalvare la scheda mostrata come nuova scheda "
                                            "in fondo all'archivio?")
                                 .arg(posizione));
}

} // namespace

LostUpdateSave::Esito LostUpdateSave::salva(MessageBoxes& messages, QWidget* owner, const QString& path,
                                            const QString& posizione, const QByteArray& record,
                                            const QByteArray& comeCaricata, ArchiveSteps::Accanto* accanto)
{
    using Tipo = Esito::Tipo;
    QString dove = posizione;
    QByteArray atteso = comeCaricata;
    // Each round either writes or asks; the user ends it whenever the record keeps changing.
    for (;;) {
        const ArchiveSteps::Salvataggio salvataggio =
            ArchiveSteps::salva(path, dove, record, atteso, accanto);
        switch (salvataggio.conflitto) {
        case Conflitto::Nessuno:
            return {Tipo::Salvata, salvataggio, {}};
        case Conflitto::Cancellata:
            if (!salvareComeNuova(messages, owner, salvataggio.posizione))
                return {};
            dove.clear();
            atteso.clear();
            if (accanto)
                accanto->altraVersione();
            break;
        case Conflitto::Cambiata:
            if (cancellataAltrove(salvataggio.attuale)
                    ? sovrascrivereCancellata(messages, owner, salvataggio.posizione)
                    : sovrascrivere(messages, owner, salvataggio.posizione)) {
                atteso = salvataggio.attuale;
                if (accanto)
                    accanto->altraVersione();
                break;
            }
            if (ricaricare(messages, owner, salvataggio.posizione))
                return {Tipo::Ricarica, salvataggio, salvataggio.attuale};
            return {};
        }
    }
}
