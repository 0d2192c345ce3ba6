#include "groups/ListinoPrezzi.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "documents/GroupPageScreen.h"
#include "photos/PhotoCrop.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "search/TrovaCandidati.h"
#include "storage/ArchiveError.h"
#include "storage/FotoScheda.h"
#include "storage/PhotoFiles.h"
#include "storage/TSchedaAnagrafica.h"
#include "storage/TextRules.h"
#include "widgets/BrowsingStep.h"
#include "widgets/CropStep.h"
#include "widgets/PhotoBox.h"
#include "widgets/PhotoDialogs.h"
#include "widgets/RegionalSettings.h"

#include <QDir>

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <algorithm>

TfrmListinoPrezzi::TfrmListinoPrezzi(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Schedario Gruppo"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmListinoPrezzi"));
    RegionalSettings::apply();
    costruisciSchermata();
    ricordaContenuto();
}

void TfrmListinoPrezzi::apriGruppo(const QString& filePath, const QString& groupName)
{
    m_lblFile->setText(filePath);
    m_lblNome->setText(groupName);
    // A save stopped between a page's record and its photos is completed or undone now.
    try {
        RiprendiFotoInAttesa(cartellaProgramma(), TextRules::trim(filePath), groupName);
    } catch (const ArchiveError&) {
        // The archive is busy or out of reach: the next opening tries again.
    }
}

QString TfrmListinoPrezzi::groupFile() const
{
    return m_lblFile->text();
}

QString TfrmListinoPrezzi::groupName() const
{
    return m_lblNome->text();
}

QString TfrmListinoPrezzi::posizione() const
{
    return TextRules::trim(m_lblPosizione->text());
}

QString TfrmListinoPrezzi::nomeGruppo() const
{
    return m_lblNome->text();
}

QString TfrmListinoPrezzi::elencoLettere(const QString& letters)
{
    QStringList list;
    for (const QChar c : letters)
        list << QString(c);
    return list.join(QStringLiteral(", "));
}

QString TfrmListinoPrezzi::cartellaProgramma() const
{
    return m_context.programFolder;
}

void TfrmListinoPrezzi::mettiTesto(int riquadro, TSchedaGruppo::Campo campo, const QString& text, bool intero)
{
    // Typing stops at the field's capacity; an imported text is shown whole (the save keeps what fits).
    QLineEdit* edit = m_campi[riquadro][campo];
    const int capacita = TSchedaGruppo::layoutOf(campo).capacity;
    edit->setMaxLength(intero ? std::max<int>(capacita, int(text.size())) : capacita);
    edit->setText(text);
}

void TfrmListinoPrezzi::AzzeraPagina()
{
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        for (int c = 0; c < TSchedaGruppo::NumeroCampi; ++c)
            mettiTesto(i, static_cast<TSchedaGruppo::Campo>(c), QString());
        m_imgFoto[i]->setPicture(m_imgBianco->picture());
    }
    m_fotoSconosciuta.fill(false);
    m_fotoSalvate.fill(QImage());
    m_posizioneFoto = 0;
    m_lblPosizione->clear();
    m_campi[0][TSchedaGruppo::Nome]->setFocus();
    ricordaContenuto();
}

EditorContent TfrmListinoPrezzi::contenuto() const
{
    EditorContent content{CompilaPagina().buffer(), {}};
    for (const PhotoBox* foto : m_imgFoto)
        content.pictures.append(foto->picture());
    return content;
}

void TfrmListinoPrezzi::ricordaContenuto()
{
    m_modifiche.remember(contenuto());
}

bool TfrmListinoPrezzi::puoLasciare()
{
    return m_modifiche.mayLeave(*m_context.messages, this, contenuto(), [this] { return salva(); });
}

void TfrmListinoPrezzi::MostraPagina(const TSchedaGruppo& pagina)
{
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        for (int c = 0; c < TSchedaGruppo::NumeroCampi; ++c) {
            const auto campo = static_cast<TSchedaGruppo::Campo>(c);
            mettiTesto(i, campo, TextRules::trim(pagina.testo(i, campo)));
        }
    }
}

TSchedaGruppo TfrmListinoPrezzi::CompilaPagina() const
{
    TSchedaGruppo pagina;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        for (int c = 0; c < TSchedaGruppo::NumeroCampi; ++c) {
            const auto campo = static_cast<TSchedaGruppo::Campo>(c);
            pagina.setTesto(i, campo, m_campi[i][campo]->text());
        }
    }
    return pagina;
}

FotoRiquadri TfrmListinoPrezzi::fotoMostrate() const
{
    FotoRiquadri riquadri;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        riquadri.foto[i] = m_imgFoto[i]->picture();
        const QImage& salvata = m_fotoSalvate[i];
        riquadri.invariata[i] =
            m_posizioneFoto > 0 && !salvata.isNull() &&
            (salvata.cacheKey() == riquadri.foto[i].cacheKey() || salvata == riquadri.foto[i]);
    }
    riquadri.sconosciuta = m_fotoSconosciuta;
    return riquadri;
}

void TfrmListinoPrezzi::ricordaFotoSalvate(int posizione, const QString& nonScritte)
{
    const bool stessa = posizione == m_posizioneFoto;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        if (!nonScritte.contains(TSchedaGruppo::lettera(i)))
            m_fotoSalvate[i] = m_imgFoto[i]->picture();
        else if (!stessa)
            m_fotoSalvate[i] = QImage();
    }
    m_posizioneFoto = posizione;
}

void TfrmListinoPrezzi::mostraFoto(const FotoRiquadri& riquadri)
{
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        m_imgFoto[i]->setPicture(riquadri.foto[i]);
    m_fotoSconosciuta = riquadri.sconosciuta;
}

void TfrmListinoPrezzi::caricaFotoRiquadri()
{
    FotoRiquadri riquadri;
    const QString illeggibili = CaricaFotoRiquadri(cartellaProgramma(), nomeGruppo(), posizione(), riquadri);
    mostraFoto(riquadri);
    // A missing file is written at the next save, whatever the slot shows.
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        m_fotoSalvate[i] = riquadri.invariata[i] ? m_imgFoto[i]->picture() : QImage();
    m_posizioneFoto = posizione().toInt();
    if (illeggibili.isEmpty())
        return;
    const QString testo =
        illeggibili.size() == 1
            ? QStringLiteral("Attenzione: non è stato possibile leggere la foto del riquadro %1 di questa "
                             "scheda (file danneggiato o troppo grande).\r\n\r\nIl file resta com'è: il "
                             "salvataggio della scheda non lo sovrascrive.")
            : QStringLiteral("Attenzione: non è stato possibile leggere le foto dei riquadri %1 di questa "
                             "scheda (file danneggiati o troppo grandi).\r\n\r\nI file restano come sono: il "
                             "salvataggio della scheda non li sovrascrive.");
    m_context.messages->warning(this, testo.arg(elencoLettere(illeggibili)));
}

GroupPageData TfrmListinoPrezzi::datiDocumento()
{
    FotoRiquadri riquadri = fotoMostrate();
    for (QImage& foto : riquadri.foto)
        foto = RidimensionaFoto(foto);
    // Only the pictures just written are read back: an older preview never reaches the page.
    const int scritte = SalvaAnteprime(cartellaProgramma(), nomeGruppo(), riquadri);
    CaricaAnteprime(cartellaProgramma(), nomeGruppo(), riquadri, scritte);
    GroupPageData dati = GroupPageOutput::datiDa(*this);
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        dati.persone.at(i).foto = riquadri.foto[i];
    return dati;
}

void TfrmListinoPrezzi::sfoglia(ArchiveSteps::Comando comando)
{
    if (!puoLasciare())
        return;
    TSchedaGruppo pagina;
    if (!browsingStep(m_context, this, m_lblPosizione, TextRules::trim(m_lblFile->text()),
                      TSchedaGruppo::kSize, comando, pagina.buffer()))
        return;
    MostraPagina(pagina);
    m_caricata.ricorda(TextRules::trim(m_lblFile->text()), posizione(), pagina.buffer());
    // The photos are read once the archive is closed, with the new position.
    caricaFotoRiquadri();
    ricordaContenuto();
}

void TfrmListinoPrezzi::imgFotoClick(int riquadro)
{
    const QString nome = PhotoDialogs::fileToLoad(*m_context.fileDialogs, this);
    if (nome.isEmpty())
        return;
    const QImage foto = PhotoFiles::load(nome);
    if (foto.isNull()) {
        // The slot keeps the picture it had.
        m_context.messages->warning(this, PhotoDialogs::unreadableMessage());
        return;
    }
    mettiFotoRitagliata(riquadro, foto);
}

bool TfrmListinoPrezzi::mettiFotoRitagliata(int riquadro, const QImage& intera,
                                            const std::optional<QRect>& inizio)
{
    const std::optional<CropStep::Cut> ritaglio = CropStep::slotCut(m_context, this, intera, inizio);
    if (!ritaglio)
        return false;
    m_imgFoto[riquadro]->setCropped(ritaglio->picture, intera, ritaglio->frame);
    m_fotoSconosciuta[riquadro] = false;
    return true;
}

void TfrmListinoPrezzi::ritagliaFoto(int riquadro)
{
    // A stored photo that could not be read stays as it is.
    if (m_fotoSconosciuta[riquadro])
        return;
    const QImage intera = m_imgFoto[riquadro]->whole();
    mettiFotoRitagliata(
        riquadro, intera,
        CropStep::lastCrop(*m_imgFoto[riquadro], QSize(FotoGruppo::kWidth, FotoGruppo::kHeight)));
}

void TfrmListinoPrezzi::impProdottoClick(int riquadro)
{
    TfrmTrovaCandidati screen(m_context, this);
    screen.lblMemory()->setText(QStringLiteral("persona_") + QChar(u'a' + riquadro));
    m_context.modal->run(screen);
}

void TfrmListinoPrezzi::importaPersona(QChar slot, const TSchedaAnagrafica& record, int position)
{
    const int i = slot.toUpper().unicode() - u'A';
    if (i < 0 || i >= TSchedaGruppo::kRiquadri)
        return;
    using P = TSchedaAnagrafica;
    mettiTesto(i, TSchedaGruppo::Nome, TextRules::trim(record.testo(P::Candidato)), true);
    mettiTesto(i, TSchedaGruppo::UM, TextRules::trim(record.testo(P::Esperienze)), true);
    mettiTesto(i, TSchedaGruppo::Caratteristiche, TextRules::trim(record.testo(P::Note)), true);
    mettiTesto(i, TSchedaGruppo::Codice, QStringLiteral("E-mail: ") + TextRules::trim(record.testo(P::Email)),
               true);
    mettiTesto(i, TSchedaGruppo::Prezzo, QStringLiteral("Cel. ") + TextRules::trim(record.testo(P::Cel)),
               true);
    m_lblRecord->setText(QString::number(position));

    QDir().mkpath(FotoScheda::cartella(cartellaProgramma()));
    const QImage foto = PhotoFiles::load(FotoScheda::percorso(cartellaProgramma(), m_lblRecord->text()));
    if (foto.isNull())
        m_imgFoto[i]->setPicture(m_imgBianco->picture());
    else
        m_imgFoto[i]->setCropped(PhotoCrop::automatic(foto, QSize(FotoGruppo::kWidth, FotoGruppo::kHeight)),
                                 foto);
    m_fotoSconosciuta[i] = false;
}

void TfrmListinoPrezzi::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    if (!event->spontaneous())
        AzzeraPagina();
}

void TfrmListinoPrezzi::closeEvent(QCloseEvent* event)
{
    // The window's own close button asks as "Esci" does.
    if (event->spontaneous() && !puoLasciare()) {
        event->ignore();
        return;
    }
    MainScreen::closeEvent(event);
}

void TfrmListinoPrezzi::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
