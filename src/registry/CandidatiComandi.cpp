// The commands of the registry editor: new, save, duplicate, the photo, the field helpers
// and the secondary screens.

#include "registry/Candidati.h"

#include "app/HelpTopics.h"
#include "app/OpenURL.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/AnteprimaCandidati.h"
#include "documents/ExpCandidati.h"
#include "documents/StampaCandidati.h"
#include "import/Importa.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "privacy/Consensi.h"
#include "registry/AllegaCartella.h"
#include "registry/FotoCartella.h"
#include "registry/WebCam.h"
#include "registry/Zoom.h"
#include "search/DaRicontattare.h"
#include "search/Scadenze.h"
#include "search/TrovaCandidati.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveSteps.h"
#include "storage/FileErrorText.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/TextRules.h"
#include "widgets/LostUpdateSave.h"
#include "widgets/PhotoBox.h"
#include "widgets/PhotoDialogs.h"
#include "widgets/ReadOnlyRefusal.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Campo = TSchedaAnagrafica::Campo;

// A control of a screen built by another part of the program, found by its name.
template <typename T> void impostaTesto(QWidget& screen, const char* name, const QString& text)
{
    if (auto* control = screen.findChild<T*>(QString::fromLatin1(name)))
        control->setText(text);
}

// New, save, duplicate.

QString messaggioFotoNonSalvata(const QString& programFolder, const QString& reason)
{
    switch (FotoScheda::statoCartella(programFolder)) {
    case FotoScheda::StatoCartella::NonCartella:
        return QStringLiteral("Attenzione: non è stato possibile salvare la foto della scheda, perché nella "
                              "cartella del programma \"Anagrafica\" è un file e non la cartella delle foto. "
                              "Spostare o rinominare quel file, poi premere di nuovo Salva.");
    case FotoScheda::StatoCartella::NonScrivibile:
        return QStringLiteral("Attenzione: non è stato possibile salvare la foto della scheda, perché la "
                              "cartella \"Anagrafica\" del programma non può essere scritta. Chiedere "
                              "l'accesso in scrittura a quella cartella, poi premere di nuovo Salva.");
    case FotoScheda::StatoCartella::Scrivibile:
        break;
    }
    const QString motivo = FileErrorText::italian(reason);
    return QStringLiteral("Attenzione: non è stato possibile salvare la foto della scheda. "
                          "La foto resta visualizzata e il file precedente è intatto: premere di nuovo Salva "
                          "per riprovare.") +
           (motivo.isEmpty() ? QString() : QStringLiteral("\r\n\r\nMotivo: ") + motivo + QLatin1Char('.'));
}

} // namespace

void TfrmCandidati::cmdNuovoClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    if (puoLasciare())
        AzzeraScheda();
}

TSchedaAnagrafica TfrmCandidati::CompilaScheda() const
{
    TSchedaAnagrafica scheda;
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        scheda.setTesto(static_cast<Campo>(i), m_campi[i]->text());
    scheda.setRicontatta(m_chkRicontatta->isChecked());
    for (int i = 0; i < 6; ++i)
        scheda.setTesto(static_cast<Campo>(TSchedaAnagrafica::File01 + i), m_allegati[i]->text());
    return scheda;
}

bool TfrmCandidati::salva()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return false;
    m_btnFocus->setFocus();
    const auto* mancante =
        CandidatiRegole::primoCampoMancante([this](Campo campo) { return m_campi[campo]->text(); });
    if (mancante) {
        m_context.messages->warning(this, QString::fromUtf16(mancante->messaggio));
        m_campi[mancante->campo]->setFocus();
        return false;
    }
    // A date longer than its field is offered as gg/mm/aaaa, never stored cut.
    while (const auto lunga = CandidatiRegole::primaDataTroppoLunga(
               [this](Campo campo) { return m_campi[campo]->text(); }, QDate::currentDate())) {
        if (lunga->proposta.isEmpty())
            m_context.messages->warning(this, lunga->messaggio());
        if (lunga->proposta.isEmpty() || !m_context.messages->question(this, lunga->messaggio())) {
            m_campi[lunga->campo]->setFocus();
            return false;
        }
        m_campi[lunga->campo]->setText(lunga->proposta);
    }

    // A stored photo that could not be shown is kept: the placeholder on the screen is not the person's.
    bool conservaFoto = !m_fotoConservata.isEmpty() && m_fotoConservata == posizione();
    const QString archivio = TSchedaAnagrafica::archivio(m_context.programFolder);
    const QByteArray record = CompilaScheda().buffer();
    QString messaggio;
    bool aggiunta = false;
    try {
        const LostUpdateSave::Esito esito =
            LostUpdateSave::salva(*m_context.messages, this, archivio, posizione(), record,
                                  m_caricata.perSalvare(archivio, posizione()));
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Ricarica) {
            TSchedaAnagrafica altra;
            altra.buffer() = esito.altra;
            // The user has just chosen to drop the changes: no second question.
            mostraCaricata(altra, esito.salvataggio.posizione);
            return false;
        }
        if (esito.tipo == LostUpdateSave::Esito::Tipo::Annullata)
            return false;
        const ArchiveSteps::Salvataggio& salvataggio = esito.salvataggio;
        m_lblPosizione->setText(QString::number(salvataggio.posizione));
        m_caricata.ricorda(archivio, posizione(), record);
        conservaFoto = conservaFoto && !salvataggio.aggiunta;
        aggiunta = salvataggio.aggiunta;
        messaggio = salvataggio.aggiunta
                        ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                        : QStringLiteral(
                              "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    } catch (const ArchiveError& error) {
        m_context.messages->error(this, error.messaggio());
        return false;
    }
    mostraTestiArchiviati();
    // A photo that cannot be written never undoes the record; it stays on the screen for the next save.
    // An unchanged photo is not written again: each JPEG encoding loses a little of it. A new position
    // always gets its file, so that no file left there passes for this card's photo.
    const bool fotoUguale = !m_fotoSuDisco.isNull() && m_imgFoto->picture() == m_fotoSuDisco;
    const bool daScrivere = !conservaFoto && (aggiunta || !fotoUguale);
    QString perche;
    const bool fotoScritta = !daScrivere || SalvaFotoScheda(m_context.programFolder, m_lblPosizione->text(),
                                                            m_imgFoto->picture(), &perche);
    if (daScrivere && fotoScritta)
        m_fotoSuDisco = m_imgFoto->picture();
    m_context.messages->information(this, messaggio);
    if (!fotoScritta) {
        // The photo on the screen is not yet in its file: leaving asks again.
        m_context.messages->warning(this, messaggioFotoNonSalvata(m_context.programFolder, perche));
        return false;
    }
    ricordaContenuto();
    return true;
}

// The fields as the archive holds them: a letter the code page lacks shows in its stored form.
void TfrmCandidati::mostraTestiArchiviati()
{
    const TSchedaAnagrafica archiviata = CompilaScheda();
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i) {
        const QString testo = TextRules::trim(archiviata.testo(static_cast<Campo>(i)));
        if (m_campi[i]->text() != testo)
            m_campi[i]->setText(testo);
    }
}

void TfrmCandidati::cmdDuplicaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    if (posizione().isEmpty()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire "
                                                   "soltanto dopo che questa è stata inserita in archivio."));
        return;
    }
    for (QLabel* label : m_allegati)
        label->clear();
    m_lblPosizione->clear();
    m_imgFoto->setPicture(segnaposto());
    m_fotoConservata.clear();
    m_chkRicontatta->setChecked(false);
    m_campi[TSchedaAnagrafica::Candidato]->setFocus();
    m_context.messages->information(this,
                                    QStringLiteral("È ora possibile apportare le proprie modifiche alla "
                                                   "scheda corrente.\n\r\n\rAl termine premere Salva per "
                                                   "inserire la scheda in archivio."));
}

// The photo.

void TfrmCandidati::btnCaricaFotoClick()
{
    const QString nome = PhotoDialogs::fileToLoad(*m_context.fileDialogs, this);
    if (nome.isEmpty())
        return;
    const PhotoFiles::Read letta = PhotoFiles::read(nome);
    // A file that gives no picture is not a new photo: the photo on show and the card's file stay.
    if (letta.outcome != PhotoFiles::Outcome::Loaded) {
        m_context.messages->warning(this, PhotoDialogs::unreadableMessage(nome, letta));
        return;
    }
    nuovaFotoRitagliata(letta.picture);
}

void TfrmCandidati::btnSalvaFotoClick()
{
    const QString nome = PhotoDialogs::fileToSave(*m_context.fileDialogs, this);
    if (nome.isEmpty())
        return;
    // The photo stays on the screen: a copy that could not be written must not cost the card its photo.
    QString perche;
    if (!PhotoFiles::save(m_imgFoto->picture(), nome, &perche))
        m_context.messages->warning(this, PhotoDialogs::notSavedMessage(perche));
}

void TfrmCandidati::btnCancFotoClick()
{
    nuovaFoto(segnaposto());
}

void TfrmCandidati::btnZoomFotoClick()
{
    TfrmZoom screen(m_context, this);
    screen.setFoto(m_imgFoto->picture());
    m_context.modal->run(screen);
}

void TfrmCandidati::btnWebcamClick()
{
    TfrmWebCam screen(m_context, this);
    screen.lblMemory()->setText(QStringLiteral("euro_01"));
    // The crop window opens once the webcam screen has closed.
    std::optional<QImage> presa;
    connect(&screen, &TfrmWebCam::importaFoto, this, [&presa](const QImage& foto) { presa = foto; });
    m_context.modal->run(screen);
    if (presa)
        nuovaFotoRitagliata(*presa);
}

void TfrmCandidati::cmdFotoCartellaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    TfrmFotoCartella screen(m_context, this);
    connect(&screen, &TfrmFotoCartella::fotoScritte, this, &TfrmCandidati::fotoArchiviate);
    m_context.modal->run(screen);
}

// Secondary screens.

void TfrmCandidati::cmdTrovaClick()
{
    TfrmTrovaCandidati screen(m_context, this);
    screen.lblMemory()->setText(QStringLiteral("candidati"));
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdFileClick()
{
    TfrmAllegaCartella screen(m_context, this);
    screen.lblMemory()->setText(QStringLiteral("candidati"));
    const char* const campi[] = {"txtFile01", "txtFile02", "txtFile03",
                                 "txtDesc01", "txtDesc02", "txtDesc03"};
    for (int i = 0; i < 6; ++i)
        impostaTesto<QLineEdit>(screen, campi[i], TextRules::trim(m_allegati[i]->text()));
    // The same order: the three names, then the three descriptions.
    connect(&screen, &TfrmAllegaCartella::applica, this, [this](const QStringList& testi) {
        for (int i = 0; i < 6 && i < testi.size(); ++i)
            m_allegati[i]->setText(testi[i]);
    });
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdScaduteClick()
{
    TfrmDaRicontattare screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdScadenzeClick()
{
    TfrmScadenze screen(m_context, this);
    m_context.modal->run(screen);
    if (screen.schedaAperta() > 0)
        caricaScheda(screen.scheda(), screen.schedaAperta());
}

void TfrmCandidati::cmdAnteprimaClick()
{
    TfrmAnteprimaCandidati screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdStampaClick()
{
    TfrmStampaCandidati screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdEsportaClick()
{
    TfrmExpCandidati screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdImportaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    TfrmImporta screen(m_context, this);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdConsensiClick()
{
    // Consents are kept by the card's position: a card not yet saved has none.
    if (posizione().isEmpty()) {
        m_context.messages->warning(
            this, QStringLiteral(
                      "Attenzione: questa scheda \u00E8 nuova e non ha ancora una posizione in archivio: "
                      "i consensi si registrano per una scheda gi\u00E0 salvata.\r\n\r\nPremere Salva "
                      "per inserire la scheda in archivio, poi Consensi."));
        return;
    }
    using C = TSchedaAnagrafica;
    const ConsentFormText::Person persona{m_campi[C::Candidato]->text(),
                                          m_campi[C::DataNasc]->text(),
                                          m_campi[C::LuogoNasc]->text(),
                                          m_campi[C::CodFisc]->text(),
                                          {}};
    TfrmConsensi screen(m_context, this, posizione().toInt(), persona);
    m_context.modal->run(screen);
}

void TfrmCandidati::cmdGuidaClick()
{
    HelpTopics::open(m_context, this, HelpTopics::Topic::ArchivioAnagrafico);
}

void TfrmCandidati::cmdEsciClick()
{
    if (puoLasciare())
        close();
}

void TfrmCandidati::btnCodFiscClick()
{
    const QString codice = TextRules::trim(m_campi[TSchedaAnagrafica::CodFisc]->text());
    if (CandidatiRegole::verificaCodice(codice) == CandidatiRegole::Verifica::PartitaIva) {
        TfrmPartitaIva screen(m_context, this);
        screen.setPartitaIva(codice);
        m_context.modal->run(screen);
    } else {
        TfrmCodFisc screen(m_context, this);
        screen.setCodice(codice);
        m_context.modal->run(screen);
    }
}

void TfrmCandidati::btnPartitaIvaClick()
{
    TfrmPartitaIva screen(m_context, this);
    screen.setPartitaIva(TextRules::trim(m_campi[TSchedaAnagrafica::PartitaIva]->text()));
    m_context.modal->run(screen);
}

void TfrmCandidati::btnEmailClick()
{
    TMisc::Open(*m_context.shell,
                CandidatiRegole::destinatarioPosta(m_campi[TSchedaAnagrafica::Email]->text()));
}

// Field helpers.
