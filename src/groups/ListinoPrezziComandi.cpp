// The commands of the group page editor that change the group: new and save; the documents and help.

#include "groups/ListinoPrezzi.h"

#include "app/HelpTopics.h"
#include "documents/GroupPageScreen.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "storage/ArchiveError.h"
#include "storage/FileErrorText.h"
#include "storage/TextRules.h"
#include "widgets/LostUpdateSave.h"
#include "widgets/ReadOnlyRefusal.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace {

// The fields of the slot at the top of the page, in the order they are checked.
constexpr TSchedaGruppo::Campo kObbligatori[] = {TSchedaGruppo::Nome, TSchedaGruppo::UM,
                                                 TSchedaGruppo::Caratteristiche, TSchedaGruppo::Codice,
                                                 TSchedaGruppo::Prezzo};

// The fields as the page names them, in the order of the page.
constexpr std::pair<TSchedaGruppo::Campo, const char16_t*> kNomiCampi[] = {
    {TSchedaGruppo::Nome, u"Cognome e nome"},
    {TSchedaGruppo::UM, u"Ruolo"},
    {TSchedaGruppo::Caratteristiche, u"Note"},
    {TSchedaGruppo::Codice, u"E-mail"},
    {TSchedaGruppo::Prezzo, u"Cellulare"}};

} // namespace

void TfrmListinoPrezzi::cmdNuovoClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    if (puoLasciare())
        AzzeraPagina();
}

QString TfrmListinoPrezzi::campiTroppoLunghi() const
{
    QStringList campi;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        for (const auto& [campo, nome] : kNomiCampi) {
            const int capacita = TSchedaGruppo::layoutOf(campo).capacity;
            if (TextRules::trim(m_campi[i][campo]->text()).size() > capacita)
                campi << QStringLiteral("%1 del riquadro %2 (oltre %3 caratteri)")
                             .arg(QString::fromUtf16(nome), QString(TSchedaGruppo::lettera(i)))
                             .arg(capacita);
        }
    }
    if (campi.isEmpty())
        return {};
    return QStringLiteral("Attenzione: la scheda può contenere solo una parte del testo di questi campi, che "
                          "verrebbero troncati nel file e nella stampa:\r\n\r\n%1.\r\n\r\nSalvare "
                          "comunque la scheda con i testi troncati?")
        .arg(campi.join(QStringLiteral(";\r\n")));
}

bool TfrmListinoPrezzi::salva()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return false;
    for (const TSchedaGruppo::Campo campo : kObbligatori) {
        QLineEdit* edit = m_campi[0][campo];
        if (TextRules::trim(edit->text()).isEmpty()) {
            m_context.messages->warning(this, QStringLiteral("Attenzione: per salvare la scheda è necessario "
                                                             "compilare i campi riguardanti la persona che "
                                                             "appare in cima alla pagina."));
            edit->setFocus();
            return false;
        }
    }
    // An imported line longer than its field would be cut without a word.
    const QString troppoLunghi = campiTroppoLunghi();
    if (!troppoLunghi.isEmpty() && !m_context.messages->question(this, troppoLunghi))
        return false;

    // The photos are written in full before the record and put in place right after it, so that an
    // interruption leaves the old page or the new one. A new page's photos are named after the
    // position it will take.
    const QString file = TextRules::trim(m_lblFile->text());
    const QString gruppo = TextRules::trim(m_lblNome->text());
    const QString attesa = posizione().isEmpty()
                               ? QString::number(QFileInfo(file).size() / TSchedaGruppo::kSize + 1)
                               : posizione();
    FotoRiquadri riquadri = fotoMostrate();
    FotoInAttesa foto;
    QString perche;
    const QString nonPreparate = foto.prepara(cartellaProgramma(), gruppo, attesa, riquadri, &perche);
    if (!nonPreparate.isEmpty()) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: la scheda non è stata salvata, perché non è "
                                 "possibile scrivere la foto dei riquadri %1%2. La scheda "
                                 "in archivio e le sue foto restano come erano.")
                      .arg(elencoLettere(nonPreparate), FileErrorText::inParentheses(perche)));
        return false;
    }

    bool aggiunta = false;
    const QByteArray record = CompilaPagina().buffer();
    try {
        const LostUpdateSave::Esito esito = LostUpdateSave::salva(
            *m_context.messages, this, file, posizione(), record, m_caricata.perSalvare(file, posizione()));
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Ricarica) {
            foto.annulla();
            TSchedaGruppo altra;
            altra.buffer() = esito.altra;
            MostraPagina(altra);
            m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
            m_caricata.ricorda(file, posizione(), esito.altra);
            caricaFotoRiquadri();
            ricordaContenuto();
            return false;
        }
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Annullata) {
            foto.annulla();
            return false;
        }
        // The position first: a new page's photos are named after it.
        m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
        m_caricata.ricorda(file, posizione(), record);
        aggiunta = esito.salvataggio.aggiunta;
    } catch (const ArchiveError& error) {
        foto.annulla();
        m_context.messages->error(this, error.messaggio());
        return false;
    }

    // Another workstation may have added a page meanwhile: the photos then go under the real position.
    QString nonScritte;
    if (posizione() == attesa) {
        nonScritte = foto.metti(riquadri, &perche);
    } else {
        foto.annulla();
        nonScritte = SalvaFotoRiquadri(cartellaProgramma(), gruppo, posizione(), riquadri, &perche);
    }
    mostraFoto(riquadri);
    aggiornaAnteprime();

    m_context.messages->information(
        this, aggiunta ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                       : QStringLiteral(
                             "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    if (!nonScritte.isEmpty()) {
        // A photo that cannot be written never undoes the record: it stays on the screen for the next save.
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: non è stato possibile salvare la foto dei "
                                 "riquadri %1%2. Le foto restano visualizzate: premere di "
                                 "nuovo Salva per riprovare.")
                      .arg(elencoLettere(nonScritte), FileErrorText::inParentheses(perche)));
        return false;
    }
    ricordaContenuto();
    return true;
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
    if (puoLasciare())
        close();
}
