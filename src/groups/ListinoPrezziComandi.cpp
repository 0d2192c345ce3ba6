// The commands of the group page editor that change the group: new and save; the documents and help.

#include "groups/ListinoPrezzi.h"

#include "app/HelpTopics.h"
#include "documents/GroupPageScreen.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "storage/ArchiveError.h"
#include "storage/TextRules.h"
#include "widgets/LostUpdateSave.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The fields of the slot at the top of the page, in the order they are checked.
constexpr TSchedaGruppo::Campo kObbligatori[] = {TSchedaGruppo::Nome, TSchedaGruppo::UM,
                                                 TSchedaGruppo::Caratteristiche, TSchedaGruppo::Codice,
                                                 TSchedaGruppo::Prezzo};

} // namespace

void TfrmListinoPrezzi::cmdNuovoClick()
{
    AzzeraPagina();
}

void TfrmListinoPrezzi::cmdSalvaClick()
{
    for (const TSchedaGruppo::Campo campo : kObbligatori) {
        QLineEdit* edit = m_campi[0][campo];
        if (TextRules::trim(edit->text()).isEmpty()) {
            m_context.messages->warning(this, QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                                             "compilare i campi riguardanti la persona che "
                                                             "appare in cima alla pagina."));
            edit->setFocus();
            return;
        }
    }

    bool aggiunta = false;
    const QString archivio = TextRules::trim(m_lblFile->text());
    const QByteArray record = CompilaPagina().buffer();
    try {
        const LostUpdateSave::Esito esito =
            LostUpdateSave::salva(*m_context.messages, this, archivio, posizione(), record,
                                  m_caricata.perSalvare(archivio, posizione()));
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Ricarica) {
            TSchedaGruppo altra;
            altra.buffer() = esito.altra;
            MostraPagina(altra);
            m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
            m_caricata.ricorda(archivio, posizione(), esito.altra);
            caricaFotoRiquadri();
            return;
        }
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Annullata)
            return;
        // The position first: a new page's photos are named after it.
        m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
        m_caricata.ricorda(archivio, posizione(), record);
        aggiunta = esito.salvataggio.aggiunta;
    } catch (const ArchiveError& error) {
        m_context.messages->error(this, error.messaggio());
        return;
    }

    // A photo that cannot be written never undoes the record: it stays on the screen for the next save.
    FotoRiquadri riquadri = fotoMostrate();
    const QString nonScritte =
        SalvaFotoRiquadri(cartellaProgramma(), TextRules::trim(m_lblNome->text()), posizione(), riquadri);
    mostraFoto(riquadri);
    aggiornaAnteprime();

    m_context.messages->information(
        this, aggiunta ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                       : QStringLiteral(
                             "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    if (!nonScritte.isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: non è stato possibile salvare la foto dei "
                                                   "riquadri %1. Le foto restano visualizzate: premere di "
                                                   "nuovo Salva per riprovare.")
                                        .arg(elencoLettere(nonScritte)));
    }
}

void TfrmListinoPrezzi::cmdAnteprimaClick()
{
    aggiornaAnteprime();
    GroupPageOutput::anteprima(m_context, this, GroupPageOutput::datiDa(*this));
}

void TfrmListinoPrezzi::cmdStampaClick()
{
    aggiornaAnteprime();
    GroupPageOutput::stampa(m_context, this, GroupPageOutput::datiDa(*this));
}

void TfrmListinoPrezzi::cmdGuidaClick()
{
    HelpTopics::open(m_context, this, HelpTopics::Topic::SchedarioGruppo);
}

void TfrmListinoPrezzi::cmdEsciClick()
{
    close();
}
