#include "registry/Candidati.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/ArchiveError.h"
#include "storage/ArchiveSteps.h"
#include "storage/FotoScheda.h"
#include "storage/TextRules.h"
#include "widgets/BrowsingStep.h"
#include "widgets/CropStep.h"
#include "widgets/PhotoBox.h"
#include "widgets/RegionalSettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TfrmCandidati::TfrmCandidati(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Archivio Anagrafico"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmCandidati"));
    RegionalSettings::apply();
    costruisciSchermata();
    ricordaContenuto();
}

QString TfrmCandidati::posizione() const
{
    return TextRules::trim(m_lblPosizione->text());
}

QImage TfrmCandidati::segnaposto() const
{
    return m_imgBianco->picture();
}

void TfrmCandidati::MostraScheda(const TSchedaAnagrafica& scheda)
{
    for (int i = 0; i < TSchedaAnagrafica::kCampiTesto; ++i)
        m_campi[i]->setText(TextRules::trim(scheda.testo(static_cast<TSchedaAnagrafica::Campo>(i))));
    // Any other content of the flag leaves the check box as it was.
    const QString flag = TextRules::trim(scheda.testo(TSchedaAnagrafica::Ricontatta));
    if (flag == TSchedaAnagrafica::flagSi())
        m_chkRicontatta->setChecked(true);
    else if (flag == TSchedaAnagrafica::flagNo() || scheda.vuota())
        m_chkRicontatta->setChecked(false);
    for (int i = 0; i < 6; ++i) {
        const auto campo = static_cast<TSchedaAnagrafica::Campo>(TSchedaAnagrafica::File01 + i);
        m_allegati[i]->setText(TextRules::trim(scheda.testo(campo)));
    }
}

void TfrmCandidati::caricaScheda(const TSchedaAnagrafica& scheda, int position)
{
    if (puoLasciare())
        mostraCaricata(scheda, position);
}

void TfrmCandidati::mostraCaricata(const TSchedaAnagrafica& scheda, int position)
{
    MostraScheda(scheda);
    m_lblPosizione->setText(QString::number(position));
    m_caricata.ricorda(TSchedaAnagrafica::archivio(m_context.programFolder), posizione(), scheda.buffer());
    CaricaFoto();
    ricordaContenuto();
}

void TfrmCandidati::AzzeraScheda()
{
    for (QLineEdit* edit : m_campi)
        edit->clear();
    for (QLabel* label : m_allegati)
        label->clear();
    m_chkRicontatta->setChecked(false);
    m_imgFoto->setPicture(segnaposto());
    m_fotoConservata.clear();
    m_fotoSuDisco = QImage();
    m_lblPosizione->clear();
    m_campi[TSchedaAnagrafica::Candidato]->setFocus();
    ricordaContenuto();
}

EditorContent TfrmCandidati::contenuto() const
{
    return {CompilaScheda().buffer(), {m_imgFoto->picture()}};
}

void TfrmCandidati::ricordaContenuto()
{
    m_modifiche.remember(contenuto());
}

bool TfrmCandidati::puoLasciare()
{
    return m_modifiche.mayLeave(*m_context.messages, this, contenuto(), [this] { return salva(); });
}

void TfrmCandidati::CaricaFoto()
{
    const PhotoFiles::Outcome esito =
        CaricaFotoScheda(m_context.programFolder, m_lblPosizione->text(), m_imgFoto->picture());
    m_imgFoto->pictureChanged();
    m_fotoConservata.clear();
    // A missing file gets the placeholder at the next save, as a file that was never there.
    m_fotoSuDisco = esito == PhotoFiles::Outcome::Loaded ? m_imgFoto->picture() : QImage();
    if (esito != PhotoFiles::Outcome::Unreadable)
        return;
    m_fotoConservata = posizione();
    m_context.messages->warning(
        this, QStringLiteral("Attenzione: non è possibile visualizzare la foto di questa scheda, perché il "
                             "file è danneggiato o troppo grande. Il file resta conservato su disco così "
                             "com'è: il salvataggio della scheda non lo modifica."));
}

void TfrmCandidati::nuovaFoto(const QImage& foto)
{
    m_imgFoto->setPicture(foto);
    m_fotoConservata.clear();
}

void TfrmCandidati::nuovaFotoRitagliata(const QImage& intera, const std::optional<QRect>& inizio)
{
    const std::optional<CropStep::Cut> ritaglio = CropStep::cardCut(m_context, this, intera, inizio);
    if (!ritaglio)
        return;
    m_imgFoto->setCropped(ritaglio->picture, intera, ritaglio->frame);
    m_fotoConservata.clear();
}

void TfrmCandidati::ritagliaFoto()
{
    // A stored photo that could not be shown is kept as it is, never replaced by a crop of the blank.
    if (!m_fotoConservata.isEmpty()) {
        m_context.messages->information(
            this,
            QStringLiteral("La foto di questa scheda non può essere visualizzata, quindi non può essere "
                           "ritagliata. Per sostituirla caricarne un'altra con \"Carica\" o scattarla con "
                           "la webcam."));
        return;
    }
    if (m_imgFoto->whole() == segnaposto()) {
        m_context.messages->information(
            this,
            QStringLiteral("Questa scheda non ha una foto da ritagliare: caricarne una con \"Carica\" o "
                           "scattarla con la webcam."));
        return;
    }
    const QImage intera = m_imgFoto->whole();
    nuovaFotoRitagliata(intera, CropStep::lastCrop(*m_imgFoto, QSize(3, 4)));
}

void TfrmCandidati::fotoArchiviate(const QList<int>& positions)
{
    if (posizione().isEmpty() || !positions.contains(posizione().toInt()))
        return;
    // The new file is shown, so that a later save never writes the old photo back; edits to the
    // fields stay unsaved as they were.
    const bool modificata = m_modifiche.differs(contenuto());
    CaricaFoto();
    if (!modificata)
        ricordaContenuto();
}

void TfrmCandidati::sfoglia(CandidatiRegole::Comando comando)
{
    if (!puoLasciare())
        return;
    TSchedaAnagrafica scheda;
    if (!browsingStep(m_context, this, m_lblPosizione, TSchedaAnagrafica::archivio(m_context.programFolder),
                      TSchedaAnagrafica::kSize, comando, scheda.buffer()))
        return;
    // The photo is read once the archive is closed; a card already on the screen always gets
    // its own photo, so an old one never passes for the new card's.
    mostraCaricata(scheda, posizione().toInt());
}

void TfrmCandidati::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    if (!event->spontaneous())
        AzzeraScheda();
}

void TfrmCandidati::closeEvent(QCloseEvent* event)
{
    // The window's own close button asks as "Esci" does.
    if (event->spontaneous() && !puoLasciare()) {
        event->ignore();
        return;
    }
    MainScreen::closeEvent(event);
}

void TfrmCandidati::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
