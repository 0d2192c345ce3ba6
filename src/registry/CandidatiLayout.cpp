// The controls of the registry editor, their places, looks, hints and keyboard order.

#include "registry/Candidati.h"

#include "privacy/erase/PrivacyActions.h"
#include "registry/CandidatiRegole.h"
#include "storage/Placeholder.h"
#include "storage/TextRules.h"
#include "widgets/DigitKeyFilter.h"
#include "widgets/EnterKeyOrder.h"
#include "widgets/FieldStart.h"
#include "widgets/FocusHighlight.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"
#include "widgets/TextRuleValidator.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Campo = TSchedaAnagrafica::Campo;

// The content panel, kept in the middle of the maximised window.
constexpr QSize kPanel(996, 692);
// The field area right of the photo, in panel coordinates.
constexpr int kCampiX = 346;
constexpr int kCampiY = 136;
constexpr int kPassoRiga = 50;
constexpr int kAltezzaEtichetta = 18;
constexpr int kAltezzaCampo = 26;

// One edit field: row (0 = first), x within the field area (or the panel for the notes) and width.
struct Posto {
    Campo campo;
    int riga;
    int x;
    int larghezza;
    const char16_t* etichetta;
    bool marrone; // the label of a required field or the notes, drawn in brown
};

// Record order; the rows as the card shows them.
constexpr Posto kPosti[TSchedaAnagrafica::kCampiTesto] = {
    {TSchedaAnagrafica::Candidato, 0, 0, 260, u"Cognome e nome:", true},
    {TSchedaAnagrafica::Sesso, 0, 268, 44, u"Sesso:", false},
    {TSchedaAnagrafica::DataNasc, 0, 320, 116, u"Data nascita:", false},
    {TSchedaAnagrafica::Cittadinanza, 0, 444, 182, u"Cittadinanza:", false},
    {TSchedaAnagrafica::LuogoNasc, 1, 0, 220, u"Luogo nascita:", false},
    {TSchedaAnagrafica::Indirizzo, 1, 228, 398, u"Indirizzo residenza:", false},
    {TSchedaAnagrafica::Citta, 2, 0, 220, u"Città:", false},
    {TSchedaAnagrafica::Cap, 2, 228, 90, u"CAP:", false},
    {TSchedaAnagrafica::Settore, 2, 326, 300, u"Settore professionale:", false},
    {TSchedaAnagrafica::CodFisc, 3, 0, 206, u"Codice fiscale:", false},
    {TSchedaAnagrafica::PartitaIva, 3, 245, 140, u"Partita IVA:", false},
    {TSchedaAnagrafica::Patente, 3, 424, 202, u"Patente di guida:", false},
    {TSchedaAnagrafica::Studio, 4, 0, 300, u"Titolo di studio:", false},
    {TSchedaAnagrafica::Lingue, 4, 308, 318, u"Lingue conosciute:", false},
    {TSchedaAnagrafica::Email, 5, 0, 260, u"E-mail:", true},
    {TSchedaAnagrafica::Tel, 5, 299, 160, u"Tel. casa:", false},
    {TSchedaAnagrafica::Cel, 5, 467, 159, u"Tel. cellulare:", true},
    {TSchedaAnagrafica::Documento, 6, 0, 196, u"Documento (tipo e numero):", false},
    {TSchedaAnagrafica::EnteRil, 6, 204, 174, u"Ente di rilascio:", false},
    {TSchedaAnagrafica::InizioTes, 6, 386, 116, u"Data rilascio:", false},
    {TSchedaAnagrafica::FineTes, 6, 510, 116, u"Data scadenza:", false},
    {TSchedaAnagrafica::Esperienze, 7, 0, 626, u"Ruolo nel gruppo:", true},
    {TSchedaAnagrafica::Competenze, 8, 0, 309, u"Competenze informatiche:", false},
    {TSchedaAnagrafica::Disponibilita, 8, 317, 309, u"Disponibilità:", false},
    // The notes run from under the photo to the right.
    {TSchedaAnagrafica::Note, 9, 24 - kCampiX, 720, u"Note:", true},
};

QString testo(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QFrame* gruppoBianco(QWidget* parent, const char* name, const QRect& geometry)
{
    return Looks::shape(parent, QString::fromLatin1(name), geometry,
                        QStringLiteral("background: white; border: 1px solid #9fb8d3; border-radius: 6px;"));
}

} // namespace

ImageButton* TfrmCandidati::comando(QWidget* parent, const char* name, const char* picture,
                                    const QRect& geometry, const QString& hint, Gestore gestore)
{
    auto* button = m_hint->addImageButton(parent, QString::fromLatin1(name), QString::fromLatin1(picture),
                                          geometry, hint);
    connect(button, &ImageButton::clicked, this, gestore);
    return button;
}

void TfrmCandidati::costruisciSchermata()
{
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    QWidget* panContainer = centredPanel(kPanel);

    // The shapes first, so that everything else lies above them.
    auto* shpContainer =
        Looks::shape(panContainer, QStringLiteral("shpContainer"), QRect(8, 76, 980, 566),
                     QStringLiteral("background: white; border: 1px solid #7f9fc2; border-radius: 8px;"));
    auto* shpSezione01 =
        Looks::shape(panContainer, QStringLiteral("shpSezione01"), QRect(338, 82, 642, 502),
                     QStringLiteral("background: #f7fafd; border: 1px solid #d3e0ee; border-radius: 6px;"));
    auto* shpFoto =
        Looks::shape(panContainer, QStringLiteral("shpFoto"), QRect(18, 82, 319, 406),
                     QStringLiteral("background: #c9d9ea; border: 1px solid #7f9fc2; border-radius: 4px;"));
    auto* shpSfondo = Looks::shape(panContainer, QStringLiteral("shpSfondo"), QRect(8, 650, 980, 34),
                                   QStringLiteral("background: #3030dd; border: none; border-radius: 4px;"));

    m_panInfo = HintLine::makeLine(panContainer, QRect(),
                                   QStringLiteral("Pronto per archiviare una nuova scheda..."));
    m_panInfo->adjustSize();
    m_panInfo->move(18, 650 + (34 - m_panInfo->height()) / 2);

    m_hint = new HintLine(m_panInfo, this);
    const QList<QWidget*> sfondi = {this, panContainer, shpContainer, shpSezione01, shpFoto, shpSfondo};
    for (QWidget* sfondo : sfondi)
        m_hint->addEmptying(sfondo);

    costruisciBarraComandi(panContainer);
    costruisciFoto(panContainer);
    costruisciCampi(panContainer);
    collegaAiutiCampi();
    new PrivacyActions(m_context, *this, panContainer);

    // Takes the focus at the start of a save; drawn as nothing and left out of the tab order.
    m_btnFocus = new QPushButton(panContainer);
    m_btnFocus->setObjectName(QStringLiteral("btnFocus"));
    m_btnFocus->setAccessibleName(QStringLiteral("Conferma dei campi"));
    m_btnFocus->setFocusPolicy(Qt::NoFocus);
    m_btnFocus->setFlat(true);
    m_btnFocus->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    m_btnFocus->setGeometry(0, 0, 1, 1);
    m_btnFocus->lower();

    // The hidden attachment names and descriptions (edited by the attachments screen).
    const char* const nomiAllegati[] = {"lblFile01", "lblFile02", "lblFile03",
                                        "lblDesc01", "lblDesc02", "lblDesc03"};
    for (int i = 0; i < 6; ++i) {
        m_allegati[i] = new QLabel(panContainer);
        m_allegati[i]->setObjectName(QString::fromLatin1(nomiAllegati[i]));
        m_allegati[i]->setAccessibleName(QString::fromLatin1(nomiAllegati[i]));
        m_allegati[i]->hide();
    }
}

void TfrmCandidati::costruisciBarraComandi(QWidget* panContainer)
{
    constexpr int y = 14;
    constexpr int lato = 48;
    QList<QWidget*> gruppi;

    gruppi << gruppoBianco(panContainer, "shpNuovo", QRect(16, 8, 252, 60));
    comando(panContainer, "cmdNuovo", ":/pictures/candidati_nuovo.svg", QRect(22, y, lato, lato),
            QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda."),
            &TfrmCandidati::cmdNuovoClick);
    comando(panContainer, "cmdDuplica", ":/pictures/candidati_duplica.svg", QRect(70, y, lato, lato),
            QStringLiteral(
                "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."),
            &TfrmCandidati::cmdDuplicaClick);
    comando(panContainer, "cmdSalva", ":/pictures/candidati_salva.svg", QRect(118, y, lato, lato),
            QStringLiteral("Salva la scheda in archivio."), &TfrmCandidati::cmdSalvaClick);
    comando(panContainer, "cmdTrova", ":/pictures/candidati_trova.svg", QRect(166, y, lato, lato),
            QStringLiteral("Trova una scheda in archivio."), &TfrmCandidati::cmdTrovaClick);
    comando(panContainer, "cmdFile", ":/pictures/candidati_allega.svg", QRect(214, y, lato, lato),
            QStringLiteral("Allega file alla scheda."), &TfrmCandidati::cmdFileClick);

    gruppi << gruppoBianco(panContainer, "shpAnteprima", QRect(276, 8, 72, 60));
    comando(panContainer, "cmdAnteprima", ":/pictures/candidati_anteprima.svg", QRect(280, y, 64, lato),
            QStringLiteral("Visualizza l'anteprima di stampa della scheda."),
            &TfrmCandidati::cmdAnteprimaClick);

    gruppi << gruppoBianco(panContainer, "shpStampa", QRect(356, 8, 72, 60));
    comando(panContainer, "cmdStampa", ":/pictures/candidati_stampa.svg", QRect(360, y, 64, lato),
            QStringLiteral("Stampa la scheda."), &TfrmCandidati::cmdStampaClick);

    gruppi << gruppoBianco(panContainer, "shpRecord", QRect(436, 8, 264, 60));
    comando(panContainer, "cmdPrimo", ":/pictures/candidati_primo.svg", QRect(442, y, lato, lato),
            QStringLiteral("Visualizza la prima scheda in archivio."), &TfrmCandidati::cmdPrimoClick);
    comando(panContainer, "cmdIndietro", ":/pictures/candidati_indietro.svg", QRect(490, y, lato, lato),
            QStringLiteral("Visualizza la scheda precedente in archivio."), &TfrmCandidati::cmdIndietroClick);
    m_lblPosizione = new QLabel(panContainer);
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAccessibleDescription(QStringLiteral("Posizione della scheda in archivio"));
    m_lblPosizione->setGeometry(538, y, 60, lato);
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setFont(Looks::font(QStringLiteral("Tahoma"), 14, true));
    Looks::setTextColour(m_lblPosizione, Looks::kDarkBlue);
    comando(panContainer, "cmdAvanti", ":/pictures/candidati_avanti.svg", QRect(598, y, lato, lato),
            QStringLiteral("Visualizza la scheda successiva in archivio."), &TfrmCandidati::cmdAvantiClick);
    comando(panContainer, "cmdUltimo", ":/pictures/candidati_ultimo.svg", QRect(646, y, lato, lato),
            QStringLiteral("Visualizza l'ultima scheda in archivio."), &TfrmCandidati::cmdUltimoClick);

    gruppi << gruppoBianco(panContainer, "shpRiepiloghi", QRect(708, 8, 156, 60));
    comando(panContainer, "cmdScadute", ":/pictures/candidati_telefono.svg", QRect(714, y, lato, lato),
            QStringLiteral("Visualizza il riepilogo delle persone da ricontattare."),
            &TfrmCandidati::cmdScaduteClick);
    comando(panContainer, "cmdEsporta", ":/pictures/candidati_excel.svg", QRect(762, y, lato, lato),
            QStringLiteral("Esporta l'archivio in un file di Microsoft Excel."),
            &TfrmCandidati::cmdEsportaClick);
    comando(panContainer, "cmdImporta", ":/pictures/importa.svg", QRect(810, y, lato, lato),
            QStringLiteral("Importa persone da un foglio di calcolo (CSV, Excel od OpenDocument)."),
            &TfrmCandidati::cmdImportaClick);

    gruppi << gruppoBianco(panContainer, "shpEsci", QRect(872, 8, 108, 60));
    comando(panContainer, "cmdGuida", ":/pictures/candidati_guida.svg", QRect(878, y, lato, lato),
            QStringLiteral("Visualizza la guida in linea."), &TfrmCandidati::cmdGuidaClick);
    comando(panContainer, "cmdEsci", ":/pictures/candidati_esci.svg", QRect(926, y, lato, lato),
            QStringLiteral("Esci da questa schermata di lavoro."), &TfrmCandidati::cmdEsciClick);

    for (QWidget* gruppo : gruppi) {
        gruppo->lower();
        m_hint->addEmptying(gruppo);
    }
}

void TfrmCandidati::costruisciFoto(QWidget* panContainer)
{
    const QRect box(24, 88, Placeholder::kWidth, Placeholder::kHeight);

    // The placeholder that stands for a missing photo, out of sight.
    m_imgBianco = new PhotoBox(panContainer, QStringLiteral("imgBianco"));
    m_imgBianco->setAccessibleName(QStringLiteral("Foto mancante"));
    m_imgBianco->setGeometry(box);
    m_imgBianco->setPicture(Placeholder::image());
    m_imgBianco->hide();

    m_imgFoto = new PhotoBox(panContainer, QStringLiteral("imgFoto"));
    m_imgFoto->setAccessibleName(QStringLiteral("Foto della persona"));
    m_imgFoto->setGeometry(box);
    m_imgFoto->setPicture(segnaposto());
    m_hint->addEmptying(m_imgFoto);
    connect(m_imgFoto->addCropAction(QStringLiteral("actRitaglia")), &QAction::triggered, this,
            &TfrmCandidati::ritagliaFoto);

    auto* bkgPulsantiFoto =
        Looks::shape(panContainer, QStringLiteral("bkgPulsantiFoto"), QRect(24, 490, Placeholder::kWidth, 56),
                     QStringLiteral("background: #e3ecf6; border: 1px solid #9fb8d3; border-radius: 5px;"));
    m_hint->addEmptying(bkgPulsantiFoto);
    // Five buttons of 52 spread evenly over the photo's width.
    const auto posto = [](int i) { return QRect(24 + 5 + i * 60, 494, 52, 48); };
    comando(panContainer, "btnCaricaFoto", ":/pictures/candidati_carica.svg", posto(0),
            QStringLiteral("Carica una foto esistente."), &TfrmCandidati::btnCaricaFotoClick);
    comando(panContainer, "btnWebcam", ":/pictures/candidati_webcam.svg", posto(1),
            QStringLiteral("Cattura la foto con una webcam."), &TfrmCandidati::btnWebcamClick);
    comando(panContainer, "btnSalvaFoto", ":/pictures/candidati_dischetto.svg", posto(2),
            QStringLiteral("Salva la foto su disco."), &TfrmCandidati::btnSalvaFotoClick);
    comando(panContainer, "btnCancFoto", ":/pictures/candidati_gomma.svg", posto(3),
            QStringLiteral("Cancella la foto."), &TfrmCandidati::btnCancFotoClick);
    comando(panContainer, "btnZoomFoto", ":/pictures/candidati_zoom.svg", posto(4),
            QStringLiteral("Visualizza la foto nelle sue dimensioni reali."),
            &TfrmCandidati::btnZoomFotoClick);

    // The deadlines list, the photos of a folder, the consents of the card and the crop, in small white
    // groups between the photo commands and the notes' label (y 586), which they must not cover.
    const auto piccolo = [&](const char* gruppo, int x, const char* name, const char* picture,
                             const QString& hint, Gestore gestore) {
        auto* shape = gruppoBianco(panContainer, gruppo, QRect(x, 548, 38, 37));
        shape->lower();
        m_hint->addEmptying(shape);
        return comando(panContainer, name, picture, QRect(x + 2, 550, 34, 34), hint, gestore);
    };
    piccolo("shpScadenze", 24, "cmdScadenze", ":/pictures/candidati_scadenze.svg",
            QStringLiteral("Visualizza le scadenze dei documenti e i compleanni."),
            &TfrmCandidati::cmdScadenzeClick);
    piccolo("shpFotoCartella", 68, "cmdFotoCartella", ":/pictures/candidati_foto_cartella.svg",
            QStringLiteral("Importa foto da cartella: le foto chiamate con il codice fiscale o con cognome e "
                           "nome vanno nelle loro schede."),
            &TfrmCandidati::cmdFotoCartellaClick);
    piccolo("shpConsensi", 112, "cmdConsensi", ":/pictures/candidati_consensi.svg",
            QStringLiteral("Consensi della persona: trattamento dei dati, foto e modulo da firmare."),
            &TfrmCandidati::cmdConsensiClick);
    // The crop window for the photo on show, also from the keyboard; at the photo's right edge, past
    // the privacy button (x 156 to 246).
    piccolo("shpRitaglia", 293, "cmdRitaglia", ":/pictures/candidati_ritaglia.svg",
            QStringLiteral("Ritaglia foto"), &TfrmCandidati::ritagliaFoto)
        ->setFocusPolicy(Qt::StrongFocus);
}

void TfrmCandidati::costruisciCampi(QWidget* panContainer)
{
    new Picture(panContainer, QStringLiteral("imgIntestazione"),
                QStringLiteral(":/pictures/candidati_intestazione.svg"), QRect(kCampiX, 88, 626, 36),
                QStringLiteral("SCHEDA ANAGRAFICA"));
    auto* shpLinea = Looks::shape(panContainer, QStringLiteral("shpLinea"), QRect(kCampiX, 129, 626, 2),
                                  QStringLiteral("background: #4682b4; border: none;"));
    Q_UNUSED(shpLinea);

    const QFont carattereEtichetta = Looks::font(QStringLiteral("Tahoma"), 10);
    const QFont carattereCampo = Looks::font(QStringLiteral("Tahoma"), 12, true);
    for (const Posto& posto : kPosti) {
        const auto& campo = TSchedaAnagrafica::layoutOf(posto.campo);
        const int x = kCampiX + posto.x;
        const int y = kCampiY + posto.riga * kPassoRiga;
        const QString nome = QString::fromLatin1(campo.name);

        auto* etichetta = new QLabel(testo(posto.etichetta), panContainer);
        etichetta->setObjectName(QStringLiteral("lbl") + nome);
        etichetta->setFont(carattereEtichetta);
        etichetta->setGeometry(x, y, posto.larghezza, kAltezzaEtichetta);
        if (posto.marrone)
            Looks::setTextColour(etichetta, Looks::kBrown);

        auto* edit = new QLineEdit(panContainer);
        edit->setObjectName(QStringLiteral("txt") + nome);
        edit->setAccessibleName(testo(posto.etichetta).chopped(1));
        edit->setMaxLength(CandidatiRegole::campoData(posto.campo) ? CandidatiRegole::kLunghezzaDataDigitata
                                                                   : campo.capacity);
        edit->setFont(carattereCampo);
        edit->setGeometry(x, y + kAltezzaEtichetta, posto.larghezza, kAltezzaCampo);
        FocusHighlight::applyFill(edit, FocusHighlight::kAliceBlue);
        FieldStart::keep(edit);
        etichetta->setBuddy(edit);
        m_campi[posto.campo] = edit;
    }
    m_campi[TSchedaAnagrafica::Sesso]->setAlignment(Qt::AlignCenter);

    const auto accanto = [this](Campo campo) {
        const QRect field = m_campi[campo]->geometry();
        return QRect(field.right() + 5, field.top(), kAltezzaCampo, kAltezzaCampo);
    };
    comando(panContainer, "btnCodFisc", ":/pictures/candidati_verifica.svg",
            accanto(TSchedaAnagrafica::CodFisc), QStringLiteral("Controlla il codice fiscale."),
            &TfrmCandidati::btnCodFiscClick);
    comando(panContainer, "btnPartitaIva", ":/pictures/candidati_verifica.svg",
            accanto(TSchedaAnagrafica::PartitaIva), QStringLiteral("Controlla il numero di partita IVA."),
            &TfrmCandidati::btnPartitaIvaClick);
    comando(panContainer, "btnEmail", ":/pictures/candidati_email.svg", accanto(TSchedaAnagrafica::Email),
            QStringLiteral("Invia una e-mail all'indirizzo indicato."), &TfrmCandidati::btnEmailClick);

    // The recontact flag at the end of the notes row.
    const QRect note = m_campi[TSchedaAnagrafica::Note]->geometry();
    auto* icoRicontatta = new Picture(
        panContainer, QStringLiteral("icoRicontatta"), QStringLiteral(":/pictures/candidati_telefono.svg"),
        QRect(note.right() + 13, note.top() - 2, 30, 30), QStringLiteral("Da ricontattare"));
    m_hint->addEmptying(icoRicontatta);

    m_chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), panContainer);
    m_chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    m_chkRicontatta->setAccessibleName(QStringLiteral("Da ricontattare"));
    m_chkRicontatta->setFont(Looks::font(QStringLiteral("Tahoma"), 11, true));
    Looks::setTextColour(m_chkRicontatta, Looks::kDarkBlue);
    m_chkRicontatta->setGeometry(icoRicontatta->geometry().right() + 8, note.top(), 160, kAltezzaCampo);
    m_hint->addHint(
        m_chkRicontatta,
        QStringLiteral("Spunta questa casella per annotare che la persona deve essere ricontattata."));
}

void TfrmCandidati::collegaAiutiCampi()
{
    // Enter moves along the card and from the notes back to the name; Tab follows the same order.
    QList<QWidget*> ordine;
    for (QLineEdit* edit : m_campi)
        ordine << edit;
    m_invio = new EnterKeyOrder(this);
    m_invio->chain(ordine, true);
    for (qsizetype i = 0; i + 1 < ordine.size(); ++i)
        setTabOrder(ordine.at(i), ordine.at(i + 1));

    // The rules hold for text from any route, the keyboard as well as a paste or a screen reader.
    new TextRuleValidator(m_campi[TSchedaAnagrafica::Sesso], &CandidatiRegole::maiuscoloSenzaSpazi);
    new TextRuleValidator(m_campi[TSchedaAnagrafica::CodFisc], &CandidatiRegole::maiuscoloSenzaSpazi);
    new TextRuleValidator(m_campi[TSchedaAnagrafica::Email], &TextRules::trim);
    new TextRuleValidator(m_campi[TSchedaAnagrafica::PartitaIva], &TextRuleValidator::digitsOnly);
    new DigitKeyFilter(m_campi[TSchedaAnagrafica::PartitaIva]);
}
