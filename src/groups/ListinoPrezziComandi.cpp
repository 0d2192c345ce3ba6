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

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <iterator>
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

QString TfrmListinoPrezzi::campiObbligatoriVuoti()
{
    QStringList vuoti;
    QLineEdit* primo = nullptr;
    for (const TSchedaGruppo::Campo campo : kObbligatori) {
        QLineEdit* edit = m_campi[0][campo];
        if (!TextRules::trim(edit->text()).isEmpty())
            continue;
        if (!primo)
            primo = edit;
        const auto nome = std::find_if(std::begin(kNomiCampi), std::end(kNomiCampi),
                                       [campo](const auto& coppia) { return coppia.first == campo; });
        vuoti << QLatin1Char('"') + QString::fromUtf16(nome->second) + QLatin1Char('"');
    }
    if (!primo)
        return {};
    primo->setFocus();
    const QString elenco = vuoti.size() == 1 ? vuoti.front()
                                             : vuoti.mid(0, vuoti.size() - 1).join(QStringLiteral(", ")) +
                                                   QStringLiteral(" e ") + vuoti.back();
    return QStringLiteral("Attenzione: per salvare la scheda è necessario compilare i campi riguardanti la "
                          "persona che appare in cima alla pagina (riquadro A).\r\n\r\n%1 %2.")
        .arg(vuoti.size() == 1 ? QStringLiteral("Manca il campo") : QStringLiteral("Mancano i campi"),
             elenco);
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
    const QString testo =
        campi.size() == 1
            ? QStringLiteral(
                  "Attenzione: la scheda può contenere solo una parte del testo di questo campo, che "
                  "verrebbe troncato nel file e nella stampa:\r\n\r\n%1.\r\n\r\nSalvare "
                  "comunque la scheda con il testo troncato?")
            : QStringLiteral(
                  "Attenzione: la scheda può contenere solo una parte del testo di questi campi, che "
                  "verrebbero troncati nel file e nella stampa:\r\n\r\n%1.\r\n\r\nSalvare "
                  "comunque la scheda con i testi troncati?");
    return testo.arg(campi.join(QStringLiteral(";\r\n")));
}

bool TfrmListinoPrezzi::salva()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return false;
    const QString vuoti = campiObbligatoriVuoti();
    if (!vuoti.isEmpty()) {
        m_context.messages->warning(this, vuoti);
        return false;
    }
    // An imported line longer than its field would be cut without a word.
    const QString troppoLunghi = campiTroppoLunghi();
    if (!troppoLunghi.isEmpty() && !m_context.messages->question(this, troppoLunghi))
        return false;

    // Under the archive's lock, the changed photos are written in full beside their files with a
    // note of the record, the record is written, and the photos are put in place: a stop anywhere
    // leaves the old page or what the next opening of the group completes.
    const QString file = TextRules::trim(m_lblFile->text());
    FotoRiquadri riquadri = fotoMostrate();
    const QByteArray record = CompilaPagina().buffer();
    FotoDellaPagina foto(cartellaProgramma(), file, nomeGruppo(), riquadri, record, m_posizioneFoto);
    bool aggiunta = false;
    try {
        const LostUpdateSave::Esito esito =
            LostUpdateSave::salva(*m_context.messages, this, file, posizione(), record,
                                  m_caricata.perSalvare(file, posizione()), &foto);
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Ricarica) {
            TSchedaGruppo altra;
            altra.buffer() = esito.altra;
            MostraPagina(altra);
            m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
            m_caricata.ricorda(file, posizione(), esito.altra);
            caricaFotoRiquadri();
            ricordaContenuto();
            return false;
        }
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Annullata)
            return false;
        if (esito.salvataggio.fermata) {
            m_context.messages->warning(this,
                                        messaggioFotoNonScritte(foto.nonPreparate(), foto.perche(), true));
            return false;
        }
        // The position first: a new page's photos are named after it.
        m_lblPosizione->setText(QString::number(esito.salvataggio.posizione));
        m_caricata.ricorda(file, posizione(), record);
        aggiunta = esito.salvataggio.aggiunta;
    } catch (const ArchiveError& error) {
        // The record may be written: the photos follow the file.
        foto.riprendi();
        m_context.messages->error(this, error.messaggio());
        return false;
    }

    const QString nonScritte = foto.nonMesse();
    mostraFoto(riquadri);
    ricordaFotoSalvate(posizione().toInt(), nonScritte);
    SalvaAnteprime(cartellaProgramma(), nomeGruppo(), riquadri);

    m_context.messages->information(
        this, aggiunta ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                       : QStringLiteral(
                             "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    if (!nonScritte.isEmpty()) {
        // A photo that cannot be written never undoes the record: it stays on the screen for the next save.
        m_context.messages->warning(this, messaggioFotoNonScritte(nonScritte, foto.perche(), false));
        return false;
    }
    ricordaContenuto();
    return true;
}

QString TfrmListinoPrezzi::messaggioFotoNonScritte(const QString& lettere, const QString& perche,
                                                   bool primaDellaScheda)
{
    const bool una = lettere.size() == 1;
    QString testo;
    if (primaDellaScheda)
        testo =
            una ? QStringLiteral("Attenzione: la scheda non è stata salvata, perché non è possibile scrivere "
                                 "la foto del riquadro %1%2. La scheda in archivio e le sue foto restano "
                                 "come erano.")
                : QStringLiteral("Attenzione: la scheda non è stata salvata, perché non è possibile scrivere "
                                 "le foto dei riquadri %1%2. La scheda in archivio e le sue foto restano "
                                 "come erano.");
    else
        testo = una ? QStringLiteral(
                          "Attenzione: non è stato possibile salvare la foto del riquadro %1%2. La foto "
                          "resta visualizzata: premere di nuovo Salva per riprovare.")
                    : QStringLiteral(
                          "Attenzione: non è stato possibile salvare le foto dei riquadri %1%2. Le foto "
                          "restano visualizzate: premere di nuovo Salva per riprovare.");
    return testo.arg(elencoLettere(lettere), FileErrorText::inParentheses(perche));
}

void TfrmListinoPrezzi::cmdAnteprimaClick()
{
    GroupPageOutput::anteprima(m_context, this, datiDocumento());
}

void TfrmListinoPrezzi::cmdStampaClick()
{
    GroupPageOutput::stampa(m_context, this, datiDocumento());
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
