// The controls of the group page editor, their places, looks, hints and keyboard order.

#include "groups/ListinoPrezzi.h"

#include "widgets/EnterKeyOrder.h"
#include "widgets/FieldStart.h"
#include "widgets/FocusHighlight.h"
#include "widgets/HintLine.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/PhotoBox.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

using Campo = TSchedaGruppo::Campo;

constexpr QSize kPanel(994, 692);
constexpr int kAltezzaCampo = 22;

// Where each field of a slot lies inside its grey box.
struct Posto {
    Campo campo;
    QRect geometria;
    const char16_t* nome;       // accessible name
    const char16_t* segnaposto; // shown in the empty field
};
constexpr Posto kPosti[] = {
    {TSchedaGruppo::Nome, QRect(104, 8, 326, kAltezzaCampo), u"Cognome e nome", u"Cognome e nome"},
    {TSchedaGruppo::UM, QRect(104, 35, 354, kAltezzaCampo), u"Ruolo nel gruppo", u"Ruolo"},
    {TSchedaGruppo::Caratteristiche, QRect(104, 62, 354, kAltezzaCampo), u"Note", u"Note"},
    {TSchedaGruppo::Codice, QRect(104, 90, 204, kAltezzaCampo), u"E-mail", u"E-mail"},
    {TSchedaGruppo::Prezzo, QRect(330, 90, 128, kAltezzaCampo), u"Cellulare", u"Cellulare"},
};

// The white boxes of the toolbar.
QString bianco()
{
    return QStringLiteral("background: white; border: 1px solid #b0c4de; border-radius: 6px;");
}

} // namespace

ImageButton* TfrmListinoPrezzi::comando(QWidget* parent, const char* name, const char* picture,
                                        const QRect& geometry, const QString& hint, Gestore gestore)
{
    auto* button = m_hint->addImageButton(parent, QString::fromLatin1(name), QString::fromLatin1(picture),
                                          geometry, hint);
    connect(button, &ImageButton::clicked, this, gestore);
    return button;
}

void TfrmListinoPrezzi::costruisciSchermata()
{
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    QWidget* panContainer = centredPanel(kPanel);

    // The shapes first, so that everything else lies above them.
    QList<QWidget*> sfondi = {this, panContainer};
    sfondi << Looks::shape(panContainer, QStringLiteral("shpBarra01"), QRect(16, 16, 448, 57), bianco())
           << Looks::shape(panContainer, QStringLiteral("shpBarra02"), QRect(466, 16, 402, 57), bianco())
           << Looks::shape(panContainer, QStringLiteral("shpBarra03"), QRect(870, 16, 108, 57), bianco());
    sfondi << Looks::shape(panContainer, QStringLiteral("shpBody"), QRect(16, 80, 962, 554),
                           QStringLiteral("background: #c8d6e3; border: none; border-radius: 4px;"));
    sfondi << Looks::shape(panContainer, QStringLiteral("bkgTitolo"), QRect(24, 88, 946, 24),
                           QStringLiteral("background: black; border: none;"));
    const int cime[] = {120, 248, 376, 504};
    QList<QPoint> origini;
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i) {
        const QPoint origine(i < 4 ? 24 : 502, cime[i % 4]);
        origini << origine;
        sfondi << Looks::shape(panContainer, QStringLiteral("bkgProdotto_0%1").arg(i + 1),
                               QRect(origine, QSize(468, 120)),
                               QStringLiteral("background: #e4e4e4; border: none; border-radius: 4px;"));
    }
    sfondi << Looks::shape(panContainer, QStringLiteral("shpInfo"), QRect(16, 642, 962, 32),
                           QStringLiteral("background: #3030dd; border: none; border-radius: 4px;"));

    m_lblNome = new QLabel(QStringLiteral("Nome Gruppo"), panContainer);
    m_lblNome->setObjectName(QStringLiteral("lblNome"));
    m_lblNome->setAccessibleDescription(QStringLiteral("Nome del gruppo"));
    m_lblNome->setFont(Looks::font(QStringLiteral("Verdana"), 12));
    Looks::setTextColour(m_lblNome, Qt::white);
    m_lblNome->setAlignment(Qt::AlignCenter);
    m_lblNome->setGeometry(32, 88, 930, 24);
    sfondi << m_lblNome;

    m_panInfo = HintLine::makeLine(panContainer, QRect(26, 642, 942, 32),
                                   QStringLiteral("Pronto per archiviare una nuova scheda..."));

    m_hint = new HintLine(m_panInfo, this);
    for (QWidget* sfondo : sfondi)
        m_hint->addEmptying(sfondo);

    // The blank image, kept hidden.
    m_imgBianco = new PhotoBox(panContainer, QStringLiteral("imgBianco"));
    m_imgBianco->setAccessibleName(QStringLiteral("Immagine vuota"));
    m_imgBianco->setPicture(FotoGruppo::bianca());
    m_imgBianco->hide();

    costruisciBarraComandi(panContainer);
    for (int i = 0; i < TSchedaGruppo::kRiquadri; ++i)
        costruisciRiquadro(panContainer, i, origini.at(i));
    collegaOrdineCampi();

    m_lblFile = new QLabel(panContainer);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->setAccessibleName(QStringLiteral("lblFile"));
    m_lblFile->hide();
    m_lblRecord = new QLabel(panContainer);
    m_lblRecord->setObjectName(QStringLiteral("lblRecord"));
    m_lblRecord->setAccessibleName(QStringLiteral("lblRecord"));
    m_lblRecord->hide();
}

void TfrmListinoPrezzi::costruisciBarraComandi(QWidget* panContainer)
{
    constexpr int y = 20;
    constexpr int lato = 48;
    comando(panContainer, "cmdNuovo", ":/pictures/candidati_nuovo.svg", QRect(24, y, lato, lato),
            QStringLiteral("Prepara la schermata per l'inserimento di una nuova scheda."),
            &TfrmListinoPrezzi::cmdNuovoClick);
    comando(panContainer, "cmdSalva", ":/pictures/candidati_salva.svg", QRect(81, y, lato, lato),
            QStringLiteral("Salva la scheda corrente."), &TfrmListinoPrezzi::cmdSalvaClick);
    comando(panContainer, "cmdAnteprima", ":/pictures/listino_anteprima.svg", QRect(137, 28, 148, 32),
            QStringLiteral("Visualizza l'anteprima di stampa della scheda corrente."),
            &TfrmListinoPrezzi::cmdAnteprimaClick);
    comando(panContainer, "cmdStampa", ":/pictures/listino_stampa.svg", QRect(304, 28, 148, 32),
            QStringLiteral("Stampa la scheda corrente."), &TfrmListinoPrezzi::cmdStampaClick);
    comando(panContainer, "cmdPrimo", ":/pictures/candidati_primo.svg", QRect(472, 26, 36, 36),
            QStringLiteral("Visualizza la prima scheda in archivio."), &TfrmListinoPrezzi::cmdPrimoClick);
    comando(panContainer, "cmdIndietro", ":/pictures/candidati_indietro.svg", QRect(514, 26, 36, 36),
            QStringLiteral("Visualizza la scheda precedente in archivio."),
            &TfrmListinoPrezzi::cmdIndietroClick);
    m_lblPosizione = new QLabel(panContainer);
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAccessibleDescription(QStringLiteral("Posizione della scheda"));
    m_lblPosizione->setFont(Looks::font(QStringLiteral("Verdana"), 14, true));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    m_lblPosizione->setGeometry(550, 30, 226, 28);
    comando(panContainer, "cmdAvanti", ":/pictures/candidati_avanti.svg", QRect(778, 26, 36, 36),
            QStringLiteral("Visualizza la scheda successiva in archivio."),
            &TfrmListinoPrezzi::cmdAvantiClick);
    comando(panContainer, "cmdUltimo", ":/pictures/candidati_ultimo.svg", QRect(820, 26, 36, 36),
            QStringLiteral("Visualizza l'ultima scheda in archivio."), &TfrmListinoPrezzi::cmdUltimoClick);
    comando(panContainer, "cmdGuida", ":/pictures/candidati_guida.svg", QRect(877, 22, 44, 44),
            QStringLiteral("Visualizza la pagina della guida sensibile al contesto."),
            &TfrmListinoPrezzi::cmdGuidaClick);
    comando(panContainer, "cmdEsci", ":/pictures/candidati_esci.svg", QRect(928, 22, 44, 44),
            QStringLiteral("Esci da questa schermata di lavoro."), &TfrmListinoPrezzi::cmdEsciClick);
    // The frequent commands by keys, as on the registry editor.
    const QPair<const char*, QKeySequence> tasti[] = {{"cmdNuovo", QKeySequence(Qt::CTRL | Qt::Key_N)},
                                                      {"cmdSalva", QKeySequence(Qt::CTRL | Qt::Key_S)},
                                                      {"cmdStampa", QKeySequence(Qt::CTRL | Qt::Key_P)},
                                                      {"cmdIndietro", QKeySequence(Qt::Key_PageUp)},
                                                      {"cmdAvanti", QKeySequence(Qt::Key_PageDown)}};
    for (const auto& [nome, tasto] : tasti)
        panContainer->findChild<ImageButton*>(QLatin1String(nome))->setShortcut(tasto);
}

void TfrmListinoPrezzi::costruisciRiquadro(QWidget* panContainer, int riquadro, const QPoint& origine)
{
    const QChar lettera = TSchedaGruppo::lettera(riquadro);
    auto* foto = new PhotoBox(panContainer, QStringLiteral("imgFoto_") + lettera);
    foto->setAccessibleName(QStringLiteral("Foto della persona ") + lettera);
    foto->setGeometry(QRect(origine + QPoint(10, 8), QSize(80, 104)));
    foto->setCursor(Qt::PointingHandCursor);
    foto->setPicture(FotoGruppo::bianca());
    m_hint->addHint(foto, QStringLiteral("Carica la foto della persona."));
    connect(foto, &PhotoBox::clicked, this, [this, riquadro] { imgFotoClick(riquadro); });
    connect(foto->addCropAction(QStringLiteral("actRitaglia_") + lettera), &QAction::triggered, this,
            [this, riquadro] { ritagliaFoto(riquadro); });
    m_imgFoto[riquadro] = foto;
    // The same, in sight and from the keyboard: a small button on the photo's lower right corner.
    const QString ritaglia = QStringLiteral("Ritaglia foto");
    auto* cmdRitaglia = new ImageButton(panContainer, QStringLiteral("cmdRitaglia_") + lettera,
                                        QStringLiteral(":/pictures/candidati_ritaglia.svg"),
                                        QRect(origine + QPoint(70, 92), QSize(20, 20)), ritaglia);
    cmdRitaglia->setAccessibleName(QStringLiteral("Ritaglia la foto dello spazio ") + lettera);
    cmdRitaglia->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 200); border-radius: 3px;"));
    m_hint->addHint(cmdRitaglia, ritaglia);
    connect(cmdRitaglia, &ImageButton::clicked, this, [this, riquadro] { ritagliaFoto(riquadro); });

    const QString suggerimento = QStringLiteral("Importa i dati dall'archivio anagrafico.");
    auto* importa = new ImageButton(panContainer, QStringLiteral("impProdotto_") + lettera,
                                    QStringLiteral(":/pictures/listino_importa.svg"),
                                    QRect(origine + QPoint(436, 8), QSize(22, 22)), suggerimento);
    m_hint->addHint(importa, suggerimento);
    // Eight alike commands: the reader hears which slot each fills.
    importa->setAccessibleName(QStringLiteral("Importa dall'archivio nello spazio ") + lettera);
    connect(importa, &ImageButton::clicked, this, [this, riquadro] { impProdottoClick(riquadro); });

    const QFont carattere = Looks::font(QStringLiteral("Verdana"), 12, true);
    for (const Posto& posto : kPosti) {
        auto* edit = new QLineEdit(panContainer);
        edit->setObjectName(TSchedaGruppo::nomeCampo(posto.campo, riquadro));
        edit->setAccessibleName(QString::fromUtf16(posto.nome) + QLatin1Char(' ') + lettera);
        edit->setFont(carattere);
        edit->setGeometry(posto.geometria.translated(origine));
        edit->setMaxLength(TSchedaGruppo::layoutOf(posto.campo).capacity);
        // The caption of an empty field; the field's text, and so the file, never holds it.
        edit->setPlaceholderText(QString::fromUtf16(posto.segnaposto));
        FocusHighlight::applyFill(edit, Qt::white);
        FieldStart::keep(edit);
        m_campi[riquadro][posto.campo] = edit;
    }
    m_campi[riquadro][TSchedaGruppo::Prezzo]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmListinoPrezzi::collegaOrdineCampi()
{
    // Name, role, notes, e-mail line, phone line, slot after slot; Enter from the last leads to the first.
    QList<QWidget*> ordine;
    for (const auto& riquadro : m_campi) {
        for (const Posto& posto : kPosti)
            ordine << riquadro[posto.campo];
    }
    m_invio = new EnterKeyOrder(this);
    m_invio->chain(ordine, true);
    // Tab in reading order: the toolbar, then slot after slot its photo, its crop button, its import
    // arrow and its fields.
    QList<QWidget*> tab;
    for (const char* nome : {"cmdNuovo", "cmdSalva", "cmdAnteprima", "cmdStampa", "cmdPrimo", "cmdIndietro",
                             "cmdAvanti", "cmdUltimo", "cmdGuida", "cmdEsci"})
        tab << findChild<ImageButton*>(QLatin1String(nome));
    for (int riquadro = 0; riquadro < TSchedaGruppo::kRiquadri; ++riquadro) {
        const QChar lettera = TSchedaGruppo::lettera(riquadro);
        tab << m_imgFoto[riquadro] << findChild<ImageButton*>(QStringLiteral("cmdRitaglia_") + lettera)
            << findChild<ImageButton*>(QStringLiteral("impProdotto_") + lettera);
        for (const Posto& posto : kPosti)
            tab << m_campi[riquadro][posto.campo];
    }
    for (qsizetype i = 0; i + 1 < tab.size(); ++i)
        setTabOrder(tab.at(i), tab.at(i + 1));
}
